// Conventions the core unit kinds share: colour values, font records and
// border styles.
#pragma once

#include <windows.h>

#include <cstdint>

#include "runtime/win_handles.h"
#include "window/form_description.h"

namespace mnemora {

// 0xFF000000 stands for the system's button-face colour, resolved each time.
inline constexpr uint32_t kButtonFaceColour = 0xFF000000;
COLORREF ResolveColour(uint32_t colour);

// A 60-byte LOGFONTA record becomes a font (character set forced to 1,
// precisions to 0, quality to 2, pitch and family to 0); any other length
// gives null, meaning the stock default GUI font.
inline constexpr size_t kFontRecordSize = 60;
static_assert(sizeof(LOGFONTA) == kFontRecordSize, "a font record is a LOGFONTA");
UniqueFont CreateUnitFont(const Bytes& fontRecord);
// The font to select: the unit's own, or the default GUI font.
HFONT FontOrDefault(const UniqueFont& font);

// Border styles 0 to 5 (clamped): none, sunken, raised, shallow sunken,
// framed, single line; applied by changing styles and refreshing the frame.
int32_t ClampBorderStyle(int64_t style);
void ApplyBorderStyle(HWND window, int32_t style);

// Clamps v into [low, high].
int32_t ClampInt(int64_t v, int32_t low, int32_t high);

}  // namespace mnemora
