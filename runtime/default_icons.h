// The program's default icons, handed to the window system for its windows.
#pragma once

#include <windows.h>

namespace mnemora {

// Fills icons[0] with the large and icons[1] with the small icon of the
// program's "DEFAULT_ICON" resource, loading them on first request.
void GetDefaultIcons(HICON* icons);

}  // namespace mnemora
