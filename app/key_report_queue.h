// The key reports the hot keys have yet to act on, in key-press order. One
// run acts on them at a time: a report that comes while a run is acting
// (the run processes pending messages, which may report further keys) waits
// for that run, so runs never nest and each report is acted on once, as
// itself. Free of <windows.h>.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <string_view>

namespace mnemora::app {

class KeyReportQueue {
 public:
  // Queues a report. A repeat (the key was already down) of the report that
  // waits last is taken into it: a held key leaves at most one report
  // waiting behind the one being acted on. True when no run is acting, so
  // the caller is to drain the queue.
  bool Offer(std::string report, bool repeat);

  // Acts on the waiting reports in order, those queued meanwhile included,
  // until none is left; does nothing inside a run that is acting. before
  // runs ahead of each report; when it answers false the rest are dropped.
  void Drain(const std::function<bool()>& before, const std::function<void(std::string_view)>& act);

  size_t Waiting() const { return waiting_.size(); }
  bool Acting() const { return acting_; }

 private:
  std::deque<std::string> waiting_;
  bool acting_ = false;
};

}  // namespace mnemora::app
