// Keystroke-to-result timing: the query text set in the program's query
// box, and its result box polled until it holds the complete expected
// result.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "bench/target_program.h"

namespace mnemora::bench {

// The result box is polled at this interval while a query runs.
inline constexpr unsigned kQueryPollMs = 1;
// Pause after each result, so that no work of one query overlaps the next.
inline constexpr unsigned kQueryGapMs = 30;

struct TimedQuery {
  std::string text;          // as typed: lower case
  std::wstring expected;     // the complete result the box must hold
  size_t expectedBytes = 0;  // its length in GBK bytes
  int selection = -1;        // the list item the tool selects for it, or -1
};

// Forty queries over the default set: the mnemonics of every tenth line,
// each an exact mnemonic that the tool also selects.
std::vector<TimedQuery> DefaultSetQueries();
// Forty queries over a synthetic set of count entries, by turns an exact
// mnemonic, a prefix of ten entries and a prefix of a hundred.
std::vector<TimedQuery> SyntheticQueries(int32_t count);
// Seven queries of a hundred results each (count of at least 700).
std::vector<TimedQuery> HundredResultQueries(int32_t count);
// The exact mnemonic of synthetic entry k, which the tool also selects.
TimedQuery ExactSyntheticQuery(int32_t count, int32_t k);
// The query "m", which matches every synthetic entry.
TimedQuery EveryEntryQuery(int32_t count);

// A query whose result is the GBK text result.
TimedQuery MakeQuery(std::string text, std::string_view result, int selection);

// A line as a search result shows it: the first word padded to 15 bytes,
// the later words joined, CR LF.
std::string ResultLine(std::string_view line);

// Milliseconds from setting the query text to the complete result, or a
// negative value when the result did not come within deadlineMs. With
// waitForSelection, also until the tool's list shows the query's
// selection (not counted in the time).
double TimeQuery(const TargetProgram& program, const TimedQuery& query, double deadlineMs,
                 bool waitForSelection = false);

// The times of all queries in order; failed ones are left out and counted
// in *failures.
std::vector<double> TimeQueries(const TargetProgram& program,
                                const std::vector<TimedQuery>& queries, int* failures);

}  // namespace mnemora::bench
