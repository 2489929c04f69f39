#include "bench/scale_measures.h"

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>

#include "bench/synthetic_instructions.h"

namespace mnemora::bench {
namespace {

constexpr double kEditDeadlineMs = 1800000;

std::string CountCaption(int32_t count) {
  return "共有：" + std::to_string(count) + "条汇编指令！";
}

// Clicks button and waits until the result box shows message; the ms from
// the click, or -1.
double TimeClick(const TargetProgram& tool, HWND button, std::string_view message) {
  const std::wstring wanted = Wide(message);
  const double start = NowMs();
  Click(button);
  while (NowMs() - start < kEditDeadlineMs) {
    if (WideText(tool.resultBox) == wanted) {
      return NowMs() - start;
    }
    Sleep(kLongPollMs);
  }
  return -1;
}

bool Shows(const TargetProgram& tool, int32_t count) {
  return GbkText(tool.countLabel) == CountCaption(count) && ListCount(tool.list) == count;
}

// Makes the entry the list's selection the way a user would: typing its
// mnemonic.
bool Select(const TargetProgram& tool, const TimedQuery& query) {
  return TimeQuery(tool, query, kEditDeadlineMs, true) >= 0;
}

}  // namespace

EditTimes TimeEdits(const TargetProgram& tool, int32_t count) {
  EditTimes times;
  // ZZ sorts after every M entry: it becomes the last item.
  SetGbkText(tool.resultBox, "zz   新指令");
  const double add = TimeClick(tool, tool.addButton, "亲：添加汇编指令成功！");
  if (add < 0 || !Shows(tool, count + 1)) {
    return times;
  }
  times.addMs = add;

  const int32_t changed = std::min(count - 1, 50);
  if (!Select(tool, ExactSyntheticQuery(count, changed))) {
    return times;
  }
  SetGbkText(tool.resultBox, SyntheticMnemonic(changed) + "   新说明");
  const double modify = TimeClick(tool, tool.modifyButton, "亲：修改注解成功！");
  if (modify < 0 || !Shows(tool, count + 1)) {
    return times;
  }
  times.modifyMs = modify;

  if (!Select(tool, MakeQuery("zz", ResultLine("ZZ   新指令"), count))) {
    return times;
  }
  const double removed = TimeClick(tool, tool.deleteButton, "亲：删除汇编指令成功！");
  if (removed < 0 || !Shows(tool, count)) {
    return times;
  }
  times.deleteMs = removed;
  return times;
}

BlockingQuery TimeBlockingQuery(const TargetProgram& program, const TimedQuery& query) {
  BlockingQuery measured;
  std::atomic<bool> done{false};
  double longest = 0;
  std::thread probe([&] {
    while (!done.load()) {
      longest = std::max(longest, RoundTripMs(program.Window()));
      Sleep(1);
    }
  });
  measured.resultMs = TimeQuery(program, query, kEditDeadlineMs);
  done.store(true);
  probe.join();
  measured.longestBlockMs = longest;
  return measured;
}

}  // namespace mnemora::bench
