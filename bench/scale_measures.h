// The tool's measurements at scale beyond single queries: the three edits
// and a query that matches every entry.
#pragma once

#include <cstdint>

#include "bench/query_timing.h"
#include "bench/target_program.h"

namespace mnemora::bench {

// Long operations are polled at this interval.
inline constexpr unsigned kLongPollMs = 5;

struct EditTimes {
  double addMs = -1;
  double modifyMs = -1;
  double deleteMs = -1;
};

// Add, modify and delete on the tool holding count synthetic entries, each
// from the click to its success message (which the tool shows once the
// list is reloaded); the list and count are checked after each. The file
// ends with one line changed. A failed edit keeps its time negative.
EditTimes TimeEdits(const TargetProgram& tool, int32_t count);

struct BlockingQuery {
  double resultMs = -1;
  // The longest the window's thread took to answer a message that does
  // nothing, probed every millisecond while the query ran.
  double longestBlockMs = 0;
};

BlockingQuery TimeBlockingQuery(const TargetProgram& program, const TimedQuery& query);

}  // namespace mnemora::bench
