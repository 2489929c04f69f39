#include "window/units/unit_thread_call.h"

namespace mnemora {

UINT UnitThreadCallMessage() {
  // A registered message cannot collide with the controls' own messages or
  // with the runtime's private ones.
  static const UINT message = RegisterWindowMessageA("MnemoraUnitThreadCall");
  return message;
}

LRESULT RunUnitThreadCall(LPARAM lParam) {
  const auto* work = reinterpret_cast<const UnitThreadWork*>(lParam);
  work->run(work->context);
  return 1;
}

}  // namespace mnemora
