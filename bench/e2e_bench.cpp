// The end-to-end benchmark: the real program under Wine, driven from this
// second program, beside a minimal Win32 floor program measured in the same
// run. Prints a latency table (keystroke to complete result) and a scale
// table (load, memory, queries and edits on synthetic instruction sets).
// Measures and asserts nothing; exits non-zero only when a measurement
// could not be taken.
//
//   mnemora_e2e_bench [--runs=R] [extra entry counts...]
//
// The counts 1000, 10000 and 100000 are always measured; larger ones (up
// to 1000000) only when given.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/default_instruction_text.h"
#include "bench/bench_stats.h"
#include "bench/query_timing.h"
#include "bench/scale_measures.h"
#include "bench/synthetic_instructions.h"
#include "bench/target_program.h"

namespace mnemora::bench {
namespace {

constexpr int32_t kBaseEntries = 1000;
constexpr int32_t kEditEntries = 100000;
constexpr unsigned kLoadPollMs = 5;
// Starts per load measurement up to kEditEntries entries; one above.
constexpr int kLoadStarts = 3;
constexpr double kLoadDeadlineMs = 3600000;
constexpr double kMegabyte = 1024.0 * 1024.0;
// Below this the floor's added load is start-up noise, and a ratio to it
// says nothing.
constexpr double kLeastFloorAddedMs = 100;

int g_failures = 0;

void Note(const char* what) {
  std::fprintf(stderr, "  %s\n", what);
  std::fflush(stderr);
}

void Failed(const std::string& what) {
  std::fprintf(stderr, "FAILED: %s\n", what.c_str());
  ++g_failures;
}

std::string CountCaption(int32_t count) {
  return "共有：" + std::to_string(count) + "条汇编指令！";
}

// What one program showed for one instruction set in one run.
struct ProgramSample {
  double loadMs = -1;
  double peakBytes = 0;
  std::vector<double> queryMs;
  EditTimes edits;
  BlockingQuery everyEntry;
};

struct SizeSample {
  ProgramSample tool;
  ProgramSample floor;
};

// Starts the program on fileBytes and waits for its full count; then the
// seven hundred-result queries (synthetic sets), the peak working set, the
// forty timed queries, and at kEditEntries the every-entry query and (the
// tool only) the edits.
ProgramSample Measure(ProgramKind kind, const std::string& fileBytes, int32_t entries,
                      bool synthetic, const std::vector<TimedQuery>& queries) {
  const char* name = kind == ProgramKind::kTool ? "tool" : "floor";
  ProgramSample sample;
  // Process start-up alone varies by a tenth of a second under a loaded
  // machine: the fastest of a few starts, up to the last one, which goes on.
  const int starts = entries <= kEditEntries ? kLoadStarts : 1;
  std::unique_ptr<TargetProgram> started;
  for (int start = 1; start <= starts; ++start) {
    started.reset();
    started = std::make_unique<TargetProgram>(kind, fileBytes);
    if (!started->Start()) {
      Failed(std::string(name) + " did not start");
      return sample;
    }
    const double loadMs =
        started->WaitForCaption(CountCaption(entries), kLoadPollMs, kLoadDeadlineMs);
    if (loadMs < 0) {
      Failed(std::string(name) + " never showed " + std::to_string(entries) + " entries");
      return sample;
    }
    sample.loadMs = start == 1 ? loadMs : std::min(sample.loadMs, loadMs);
  }
  const TargetProgram& program = *started;
  int failures = 0;
  if (synthetic) {
    TimeQueries(program, HundredResultQueries(entries), &failures);
  }
  sample.peakBytes = static_cast<double>(program.PeakWorkingSet());
  sample.queryMs = TimeQueries(program, queries, &failures);
  if (failures > 0) {
    Failed(std::string(name) + ": " + std::to_string(failures) + " queries without their result");
  }
  if (synthetic && entries == kEditEntries) {
    sample.everyEntry = TimeBlockingQuery(program, EveryEntryQuery(entries));
    if (sample.everyEntry.resultMs < 0) {
      Failed(std::string(name) + ": the every-entry query never completed");
    }
    if (kind == ProgramKind::kTool) {
      sample.edits = TimeEdits(program, entries);
      if (sample.edits.deleteMs < 0) {
        Failed("an edit did not finish");
      }
    }
  }
  return sample;
}

std::string Cell(const Spread& s, const char* format) {
  char median[32], low[32], high[32];
  std::snprintf(median, sizeof median, format, s.median);
  std::snprintf(low, sizeof low, format, s.low);
  std::snprintf(high, sizeof high, format, s.high);
  return std::string(median) + " (" + low + "-" + high + ")";
}

template <typename Value>
Spread Over(const std::vector<SizeSample>& runs, Value value) {
  std::vector<double> values;
  for (const SizeSample& run : runs) {
    values.push_back(value(run));
  }
  return SpreadOf(values);
}

void PrintLatencyRow(const char* label, const std::vector<SizeSample>& runs) {
  const auto toolMedian = [](const SizeSample& r) { return Median(r.tool.queryMs); };
  const auto floorMedian = [](const SizeSample& r) { return Median(r.floor.queryMs); };
  std::printf(
      "%-9s | %-20s %-20s | %-20s %-20s | %-18s\n", label,
      Cell(Over(runs, toolMedian), "%.1f").c_str(),
      Cell(Over(runs, [](const SizeSample& r) { return Percentile(r.tool.queryMs, 90); }), "%.1f")
          .c_str(),
      Cell(Over(runs, floorMedian), "%.1f").c_str(),
      Cell(Over(runs, [](const SizeSample& r) { return Percentile(r.floor.queryMs, 90); }), "%.1f")
          .c_str(),
      Cell(Over(runs, [&](const SizeSample& r) { return toolMedian(r) / floorMedian(r); }), "%.2f")
          .c_str());
}

void PrintLatencyTable(const std::vector<SizeSample>& defaultRuns,
                       const std::vector<SizeSample>& largeRuns, int runs) {
  std::printf(
      "\nLatency: keystroke to complete result, in ms. The query text is set in the query box\n"
      "(WM_SETTEXT from this program); the result box is polled every %u ms until it holds the\n"
      "complete expected result; %u ms pause between queries; 40 queries per program and run.\n"
      "Each cell: median over %d runs (lowest-highest run). ratio: tool median / floor median\n"
      "of the same run. floor: EN_CHANGE, a thread that scans the mnemonics, one posted\n"
      "result, one SetWindowText.\n\n",
      kQueryPollMs, kQueryGapMs, runs);
  std::printf("%-9s | %-20s %-20s | %-20s %-20s | %-18s\n", "entries", "tool median", "tool p90",
              "floor median", "floor p90", "ratio");
  PrintLatencyRow("399", defaultRuns);
  PrintLatencyRow("100000", largeRuns);
}

// Every run of one instruction set.
struct SizeRuns {
  size_t fileBytes = 0;
  std::vector<SizeSample> runs;
};

void PrintScaleTable(const std::map<int32_t, SizeRuns>& sizes, int runs) {
  std::printf(
      "\nScale: synthetic instruction sets. load: process start to the count label showing the\n"
      "full count (polled every %u ms), the fastest of %d starts (of one above %d entries).\n"
      "added: (load(N) - load(1000)) / (floor(N) - floor(1000)) in the same run, left out\n"
      "of runs where the floor adds less than %.0f ms. peak: peak working set after the load\n"
      "and seven queries of 100 results; limit: 6 x file + 40 MB.\n"
      "query: median of the 40 timed queries.\n"
      "Each cell: median over %d runs (lowest-highest run).\n\n",
      kLoadPollMs, kLoadStarts, static_cast<int>(kEditEntries), kLeastFloorAddedMs, runs);
  std::printf("%-8s %7s | %-22s %-22s | %-18s | %-20s %6s %-20s | %-18s %-18s\n", "entries",
              "file MB", "tool load s", "floor load s", "added ratio", "tool peak MB", "limit",
              "floor peak MB", "tool query ms", "floor query ms");
  const std::vector<SizeSample>& base = sizes.at(kBaseEntries).runs;
  for (const auto& [entries, size] : sizes) {
    const double fileMb = static_cast<double>(size.fileBytes) / kMegabyte;
    std::string added = "-";
    if (entries != kBaseEntries) {
      std::vector<double> ratios;
      for (size_t r = 0; r < size.runs.size() && r < base.size(); ++r) {
        const double floorAdded = size.runs[r].floor.loadMs - base[r].floor.loadMs;
        if (floorAdded >= kLeastFloorAddedMs) {
          ratios.push_back((size.runs[r].tool.loadMs - base[r].tool.loadMs) / floorAdded);
        }
      }
      if (!ratios.empty()) {
        added = Cell(SpreadOf(ratios), "%.2f");
      }
    }
    const auto& runsOf = size.runs;
    std::printf(
        "%-8d %7.1f | %-22s %-22s | %-18s | %-20s %6.0f %-20s | %-18s %-18s\n",
        static_cast<int>(entries), fileMb,
        Cell(Over(runsOf, [](const SizeSample& r) { return r.tool.loadMs / 1000; }), "%.2f")
            .c_str(),
        Cell(Over(runsOf, [](const SizeSample& r) { return r.floor.loadMs / 1000; }), "%.2f")
            .c_str(),
        added.c_str(),
        Cell(Over(runsOf, [](const SizeSample& r) { return r.tool.peakBytes / kMegabyte; }), "%.0f")
            .c_str(),
        6 * fileMb + 40,
        Cell(Over(runsOf, [](const SizeSample& r) { return r.floor.peakBytes / kMegabyte; }),
             "%.0f")
            .c_str(),
        Cell(Over(runsOf, [](const SizeSample& r) { return Median(r.tool.queryMs); }), "%.1f")
            .c_str(),
        Cell(Over(runsOf, [](const SizeSample& r) { return Median(r.floor.queryMs); }), "%.1f")
            .c_str());
  }
}

void PrintEditTable(const SizeRuns& size, int runs) {
  const auto& runsOf = size.runs;
  std::printf(
      "\nEdits at %d entries: click to the success message, which the tool shows once the list\n"
      "is reloaded (polled every %u ms); ratio: edit / tool load of the same file in the same\n"
      "run (process start to full count). Median over %d runs (lowest-highest run).\n\n",
      static_cast<int>(kEditEntries), kLongPollMs, runs);
  std::printf("%-8s | %-22s | %-18s\n", "edit", "time s", "edit / load");
  const std::pair<const char*, double EditTimes::*> edits[] = {{"add", &EditTimes::addMs},
                                                               {"modify", &EditTimes::modifyMs},
                                                               {"delete", &EditTimes::deleteMs}};
  for (const auto& [name, member] : edits) {
    std::printf(
        "%-8s | %-22s | %-18s\n", name,
        Cell(Over(runsOf, [&](const SizeSample& r) { return r.tool.edits.*member / 1000; }), "%.2f")
            .c_str(),
        Cell(
            Over(runsOf, [&](const SizeSample& r) { return r.tool.edits.*member / r.tool.loadMs; }),
            "%.2f")
            .c_str());
  }
  std::printf(
      "\nReport only: the query \"m\", which matches all %d entries: time to the complete\n"
      "result, and the longest the window's thread took to answer a message meanwhile.\n\n",
      static_cast<int>(kEditEntries));
  std::printf("%-8s | %-22s | %-22s\n", "program", "result s", "longest block ms");
  std::printf(
      "%-8s | %-22s | %-22s\n", "tool",
      Cell(Over(runsOf, [](const SizeSample& r) { return r.tool.everyEntry.resultMs / 1000; }),
           "%.2f")
          .c_str(),
      Cell(Over(runsOf, [](const SizeSample& r) { return r.tool.everyEntry.longestBlockMs; }),
           "%.0f")
          .c_str());
  std::printf(
      "%-8s | %-22s | %-22s\n", "floor",
      Cell(Over(runsOf, [](const SizeSample& r) { return r.floor.everyEntry.resultMs / 1000; }),
           "%.2f")
          .c_str(),
      Cell(Over(runsOf, [](const SizeSample& r) { return r.floor.everyEntry.longestBlockMs; }),
           "%.0f")
          .c_str());
}

}  // namespace
}  // namespace mnemora::bench

int main(int argc, char** argv) {
  using namespace mnemora::bench;
  int runs = 3;
  std::vector<int32_t> counts = {kBaseEntries, 10000, kEditEntries};
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--runs=", 7) == 0) {
      runs = std::max(1, std::atoi(argv[i] + 7));
    } else {
      const int count = std::atoi(argv[i]);
      if (count <= kBaseEntries || count > kMaxSyntheticEntries) {
        std::fprintf(stderr, "entry counts above %d and up to %d only\n", kBaseEntries,
                     kMaxSyntheticEntries);
        return 2;
      }
      counts.push_back(count);
    }
  }
  std::sort(counts.begin(), counts.end());
  counts.erase(std::unique(counts.begin(), counts.end()), counts.end());

  const std::string defaultText(mnemora::app::DefaultInstructionText());
  const std::vector<TimedQuery> defaultQueries = DefaultSetQueries();
  std::vector<SizeSample> defaultRuns;
  std::map<int32_t, SizeRuns> sizes;
  for (int run = 1; run <= runs; ++run) {
    std::fprintf(stderr, "run %d of %d\n", run, runs);
    Note("default set");
    SizeSample sample;
    sample.tool = Measure(ProgramKind::kTool, defaultText, 399, false, defaultQueries);
    sample.floor = Measure(ProgramKind::kFloor, defaultText, 399, false, defaultQueries);
    defaultRuns.push_back(std::move(sample));
    for (const int32_t count : counts) {
      Note(("synthetic set of " + std::to_string(count)).c_str());
      const std::string text = SyntheticInstructionText(count);
      const std::vector<TimedQuery> queries = SyntheticQueries(count);
      SizeSample sized;
      sized.floor = Measure(ProgramKind::kFloor, text, count, true, queries);
      sized.tool = Measure(ProgramKind::kTool, text, count, true, queries);
      sizes[count].fileBytes = text.size();
      sizes[count].runs.push_back(std::move(sized));
    }
  }
  PrintLatencyTable(defaultRuns, sizes.at(kEditEntries).runs, runs);
  PrintScaleTable(sizes, runs);
  PrintEditTable(sizes.at(kEditEntries), runs);
  std::fflush(stdout);
  return g_failures == 0 ? 0 : 1;
}
