#include "app/key_report_queue.h"

#include <utility>

namespace mnemora::app {

bool KeyReportQueue::Offer(std::string report, bool repeat) {
  if (!(repeat && !waiting_.empty() && waiting_.back() == report)) {
    waiting_.push_back(std::move(report));
  }
  return !acting_;
}

void KeyReportQueue::Drain(const std::function<bool()>& before,
                           const std::function<void(std::string_view)>& act) {
  if (acting_) {
    return;
  }
  acting_ = true;
  while (!waiting_.empty()) {
    if (!before()) {
      waiting_.clear();
      break;
    }
    const std::string report = std::move(waiting_.front());
    waiting_.pop_front();
    act(report);
  }
  acting_ = false;
}

}  // namespace mnemora::app
