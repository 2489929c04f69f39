// What the runtime core asks of the window system. The window system fills
// the table in when it is linked in; until then the runtime behaves as with
// an empty window set.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "runtime/error_report_text.h"

namespace mnemora {

struct WindowSystemHooks {
  WindowLookup lookup;
  // Reads every window description from the stored form data.
  void (*readForms)(const uint8_t* data, uint32_t length);
  // Frees the window descriptions and the records of the loaded windows.
  void (*freeWindows)();
  // False when the id is not among the descriptions or the load failed.
  bool (*loadWindow)(uint32_t windowId);
  bool (*anyWindowLoaded)();
  std::vector<uint32_t> (*loadedWindows)();
  // Raises the window's idle event 7; true when a handler asked for more.
  bool (*raiseIdleEvent)(uint32_t windowId, uint32_t elapsedMilliseconds);
  uint64_t (*readUnitProperty)(uint32_t windowId, uint32_t unitId, int32_t property,
                               int32_t fontPart);
  void (*writeUnitProperty)(uint32_t windowId, uint32_t unitId, int32_t property, int32_t fontPart,
                            uint32_t valueLow, uint32_t valueHigh);
  // True when the message was consumed before normal dispatch.
  bool (*preTranslateMessage)(MSG* message);
  // The window-system services of the runtime service function; *handled is
  // left false for codes the window system does not answer.
  intptr_t (*service)(int32_t code, intptr_t parameter1, intptr_t parameter2, bool* handled);
  // Runtime helpers 4 and 5: unit property access through the kind.
  intptr_t (*propertyHelper)(int32_t helper, int32_t count, const intptr_t* args);
};

// The hooks of an empty window set.
const WindowSystemHooks& EmptyWindowSystem();

void InstallWindowSystem(const WindowSystemHooks& hooks);
const WindowSystemHooks& CurrentWindowSystem();

}  // namespace mnemora
