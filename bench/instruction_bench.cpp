// Load and search times of the instruction table on generated instruction
// files of growing size, against a raw substring scan of the same bytes.
// Prints one table; asserts nothing.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/default_instruction_text.h"
#include "app/instruction_file.h"
#include "app/instruction_lines.h"
#include "app/instruction_search.h"
#include "app/instruction_table.h"
#include "app/work_pacing.h"
#include "bench/bench_clock.h"

namespace {

using mnemora::app::InstructionTable;
using mnemora::app::InstructionTableRef;
using mnemora::app::SearchField;

using mnemora::bench::NowMs;

// The fastest of several runs, in milliseconds.
double FastestMs(int runs, const std::function<void()>& work) {
  double best = 1e300;
  for (int i = 0; i < runs; ++i) {
    const double start = NowMs();
    work();
    best = std::min(best, NowMs() - start);
  }
  return best;
}

std::vector<std::string_view> DefaultLines() {
  std::vector<std::string_view> lines;
  std::string_view text = mnemora::app::DefaultInstructionText();
  for (size_t end; (end = text.find("\r\n")) != std::string_view::npos;
       text.remove_prefix(end + 2)) {
    lines.push_back(text.substr(0, end));
  }
  return lines;
}

// count lines in the default set's style: its mnemonics, made distinct by
// "_" and a number after the first round, each with one or two of its annotations
// after a run of 1 to 18 spaces; written in no particular order.
std::string GeneratedFile(size_t count) {
  const std::vector<std::string_view> lines = DefaultLines();
  std::vector<std::string> annotations;
  for (std::string_view line : lines) {
    const std::string annotation = mnemora::app::WordsAfterFirst(line);
    if (!annotation.empty()) {
      annotations.push_back(annotation);
    }
  }
  std::string text;
  for (size_t i = 0; i < count; ++i) {
    const size_t k = (i * 7919) % count;
    text += mnemora::app::FirstWord(lines[k % lines.size()]);
    if (k >= lines.size()) {
      text += '_';
      text += '_';
      text += std::to_string(k / lines.size());
    }
    text.append(1 + k % 18, ' ');
    text += annotations[k % annotations.size()];
    if (k % 3 == 0) {
      text += annotations[(k * 31 + 5) % annotations.size()];
    }
    text += "\r\n";
  }
  return text;
}

size_t RawScanHits(std::string_view bytes, std::string_view needle) {
  size_t hits = 0;
  for (size_t at = bytes.find(needle); at != std::string_view::npos;
       at = bytes.find(needle, at + 1)) {
    ++hits;
  }
  return hits;
}

// Converting every entry at every query, as a search without stored keys does.
size_t ConvertingSearchHits(const InstructionTable& table, std::string_view needle,
                            SearchField field) {
  size_t hits = 0;
  for (int32_t i = 0; i < table.Count(); ++i) {
    const std::string converted = mnemora::app::PinyinInitials(table.Line(i));
    const std::string key = field == SearchField::kMnemonic
                                ? std::string(mnemora::app::FirstWord(converted))
                                : mnemora::app::WordsAfterFirst(converted);
    hits += mnemora::app::ByteFind(key, needle) != -1 ? 1 : 0;
  }
  return hits;
}

struct QueryTimes {
  double searchMs;
  size_t resultLines;
  double rawMs;
  double convertingMs;
};

QueryTimes TimeQuery(const InstructionTable& table, const std::string& fileBytes,
                     std::string_view needle, SearchField field) {
  constexpr int kRuns = 7;
  std::string result;
  QueryTimes times{};
  times.searchMs = FastestMs(kRuns, [&] {
    mnemora::app::SearchInstructions(table, needle, field, mnemora::app::ProcessEventsCheckpoint,
                                     &result);
  });
  times.resultLines = static_cast<size_t>(std::count(result.begin(), result.end(), '\n'));
  size_t sink = 0;
  times.rawMs = FastestMs(kRuns, [&] { sink += RawScanHits(fileBytes, needle); });
  times.convertingMs = FastestMs(3, [&] { sink += ConvertingSearchHits(table, needle, field); });
  return times;
}

}  // namespace

int main() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string path =
      std::string(temp) + "mnemora-bench-" + std::to_string(GetCurrentProcessId()) + ".txt";
  const std::string mnemonicQuery = "MOV";
  const std::string pinyinQuery = mnemora::app::PinyinInitials("加法");

  std::printf(
      "Typing \"%s\" searches the mnemonics; Enter with the two characters for\n"
      "addition (initials \"%s\") searches the annotations.\n",
      mnemonicQuery.c_str(), pinyinQuery.c_str());
  std::printf(
      "Times in ms, fastest of several runs. raw: a substring scan of the file bytes;\n"
      "ratio: search / raw; converting: the same query converting every entry to\n"
      "pinyin initials at every query.\n\n");
  std::printf("%8s %9s %8s | %-35s | %-35s\n", "entries", "bytes", "load", "mnemonic query",
              "pinyin query");
  std::printf("%8s %9s %8s | %7s %6s %6s %5s %8s | %7s %6s %6s %5s %8s\n", "", "", "", "search",
              "lines", "raw", "ratio", "convert", "search", "lines", "raw", "ratio", "convert");
  for (const size_t entries : {1000u, 10000u, 100000u}) {
    const std::string file = GeneratedFile(entries);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << file;

    InstructionTableRef table;
    const double loadMs =
        FastestMs(3, [&] { table = mnemora::app::ReadInstructionSet(path).table; });
    const QueryTimes mnemonic = TimeQuery(*table, file, mnemonicQuery, SearchField::kMnemonic);
    const QueryTimes pinyin = TimeQuery(*table, file, pinyinQuery, SearchField::kAnnotation);
    std::printf("%8d %9zu %8.2f | %7.3f %6zu %6.3f %5.2f %8.2f | %7.3f %6zu %6.3f %5.2f %8.2f\n",
                table->Count(), file.size(), loadMs, mnemonic.searchMs, mnemonic.resultLines,
                mnemonic.rawMs, mnemonic.searchMs / mnemonic.rawMs, mnemonic.convertingMs,
                pinyin.searchMs, pinyin.resultLines, pinyin.rawMs, pinyin.searchMs / pinyin.rawMs,
                pinyin.convertingMs);
  }
  DeleteFileA(path.c_str());
  return 0;
}
