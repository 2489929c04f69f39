#include "bench/query_timing.h"

#include <algorithm>
#include <cstdio>

#include "app/default_instruction_text.h"
#include "app/instruction_lines.h"
#include "bench/synthetic_instructions.h"

namespace mnemora::bench {
namespace {

constexpr double kQueryDeadlineMs = 10000;

std::string LowerCased(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return lower;
}

// Entries first to last of a synthetic set: the result lines of the query.
std::string SyntheticResult(int32_t first, int32_t last) {
  std::string result;
  for (int32_t k = first; k <= last; ++k) {
    result += ResultLine(SyntheticLine(k));
  }
  return result;
}

// The entries whose mnemonic starts with the prefix of digits digits.
TimedQuery SyntheticPrefixQuery(int32_t count, int32_t k, int digits) {
  int32_t span = 1;
  for (int i = digits; i < 6; ++i) {
    span *= 10;
  }
  const int32_t first = k / span * span;
  const int32_t last = std::min(first + span, count) - 1;
  return MakeQuery(LowerCased(SyntheticMnemonic(k).substr(0, static_cast<size_t>(1 + digits))),
                   SyntheticResult(first, last), span == 1 ? k : -1);
}

}  // namespace

TimedQuery MakeQuery(std::string text, std::string_view result, int selection) {
  return {std::move(text), Wide(result), result.size(), selection};
}

std::string ResultLine(std::string_view line) {
  std::string result = app::PadRight(app::FirstWord(line), " ", 15);
  app::AppendWordsAfterFirst(line, &result);
  return result + "\r\n";
}

std::vector<TimedQuery> DefaultSetQueries() {
  std::vector<std::string_view> lines;
  std::string_view text = app::DefaultInstructionText();
  for (size_t end; (end = text.find("\r\n")) != std::string_view::npos;
       text.remove_prefix(end + 2)) {
    lines.push_back(text.substr(0, end));
  }
  std::vector<TimedQuery> queries;
  for (size_t i = 0; i < 40; ++i) {
    const std::string_view mnemonic = app::FirstWord(lines[i * 10]);
    std::string result;
    for (std::string_view line : lines) {
      if (app::FirstWord(line).find(mnemonic) != std::string_view::npos) {
        result += ResultLine(line);
      }
    }
    queries.push_back(MakeQuery(LowerCased(mnemonic), result, static_cast<int>(i * 10)));
  }
  return queries;
}

std::vector<TimedQuery> SyntheticQueries(int32_t count) {
  std::vector<TimedQuery> queries;
  for (int32_t i = 0; i < 40; ++i) {
    const auto k = static_cast<int32_t>((static_cast<int64_t>(i) * 7919 + 17) % count);
    queries.push_back(SyntheticPrefixQuery(count, k, 6 - i % 3));
  }
  return queries;
}

std::vector<TimedQuery> HundredResultQueries(int32_t count) {
  std::vector<TimedQuery> queries;
  for (int32_t d = 0; d < 7; ++d) {
    queries.push_back(SyntheticPrefixQuery(count, d * 100, 4));
  }
  return queries;
}

TimedQuery ExactSyntheticQuery(int32_t count, int32_t k) {
  return SyntheticPrefixQuery(count, k, 6);
}

TimedQuery EveryEntryQuery(int32_t count) {
  return MakeQuery("m", SyntheticResult(0, count - 1), -1);
}

double TimeQuery(const TargetProgram& program, const TimedQuery& query, double deadlineMs,
                 bool waitForSelection) {
  const double start = NowMs();
  SetGbkText(program.queryBox, query.text);
  double done = -1;
  while (NowMs() - start < deadlineMs) {
    // The length first: reading a long text at every poll would be most of
    // what is measured. An ANSI box may answer a Unicode caller with its
    // length in bytes.
    const size_t length = WideTextLength(program.resultBox);
    if ((length == query.expected.size() || length == query.expectedBytes) &&
        WideText(program.resultBox) == query.expected) {
      done = NowMs() - start;
      break;
    }
    Sleep(kQueryPollMs);
  }
  while (done >= 0 && waitForSelection && ListSelection(program.list) != query.selection) {
    if (NowMs() - start > deadlineMs) {
      return -1;
    }
    Sleep(kQueryPollMs);
  }
  return done;
}

std::vector<double> TimeQueries(const TargetProgram& program,
                                const std::vector<TimedQuery>& queries, int* failures) {
  std::vector<double> times;
  for (const TimedQuery& query : queries) {
    const double ms = TimeQuery(program, query, kQueryDeadlineMs);
    if (ms >= 0) {
      times.push_back(ms);
    } else {
      ++*failures;
      std::fprintf(stderr, "  query %s: the box holds %zu characters, not the %zu expected\n",
                   query.text.c_str(), WideTextLength(program.resultBox), query.expected.size());
    }
    Sleep(kQueryGapMs);
  }
  return times;
}

}  // namespace mnemora::bench
