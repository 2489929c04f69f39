#include "runtime/error_report_text.h"

#include <cstdio>

namespace mnemora {
namespace {

// The window's own record (class 6, category 0) is not shown as a unit.
bool IsReservedUnitId(uint32_t id) {
  return (id & kIdKindMask) == 0x06000000 && (id & 0xF0000000u) == 0x20000000;
}

std::string Quoted(const char* name) {
  return std::string("\r\n\"") + name + "\"";
}

}  // namespace

std::string BuildPositionText(int32_t positionA, int32_t positionB, const WindowLookup& lookup) {
  char numbers[40];
  std::snprintf(numbers, sizeof numbers, "\r\n%d, %d", static_cast<int>(positionA),
                static_cast<int>(positionB));
  std::string text = numbers;
  const auto windowId = static_cast<uint32_t>(positionA);
  if (windowId != 0 && (windowId & kIdKindMask) == kWindowIdKind) {
    const char* windowName = lookup.windowName(windowId);
    if (windowName == nullptr) {
      text += "\r\n未找到所指定的窗口";
    } else {
      text += Quoted(windowName);
      uint32_t unitId = 0;
      const char* unitName = nullptr;
      if (lookup.findUnit(windowId, static_cast<uint32_t>(positionB), &unitId, &unitName) &&
          !IsReservedUnitId(unitId)) {
        text += Quoted(unitName != nullptr ? unitName : "");
      } else {
        text += "\r\n未找到所指定的窗口组件";
      }
    }
  }
  text += "\r\n";
  return text;
}

std::string BuildErrorReportText(const char* message, int32_t code, int32_t positionA,
                                 int32_t positionB, const WindowLookup& lookup) {
  std::string text = "运行时出错!\r\n";
  if (code != 0) {
    char line[48];
    std::snprintf(line, sizeof line, "\r\n错误代码：%d\r\n", static_cast<int>(code));
    text += line;
  }
  if (message != nullptr && message[0] != '\0') {
    text += "\r\n错误信息：";
    text += message;
    text += "\r\n";
  }
  text += BuildPositionText(positionA, positionB, lookup);
  return text;
}

}  // namespace mnemora
