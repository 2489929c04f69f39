// What an edit box's input mode lets the user type, and the text it leaves
// behind when the box loses the focus. Free of <windows.h>.
#pragma once

#include <cstdint>
#include <string>

namespace mnemora {

namespace edit_input_mode {
inline constexpr int32_t kNormal = 0;
inline constexpr int32_t kReadOnly = 1;
inline constexpr int32_t kPassword = 2;
inline constexpr int32_t kInteger = 3;
inline constexpr int32_t kDecimal = 4;
inline constexpr int32_t kByte = 5;
inline constexpr int32_t kShort = 6;
inline constexpr int32_t kInt32 = 7;
inline constexpr int32_t kLong = 8;
inline constexpr int32_t kFloat = 9;
inline constexpr int32_t kDouble = 10;
inline constexpr int32_t kDateTime = 11;
}  // namespace edit_input_mode

// Whether a typed character code passes the mode's filter. Control
// characters (below 32) always pass; the numeric modes take only the sign,
// the digits and, for decimal modes, the point.
bool AcceptsTypedCharacter(int32_t inputMode, uint32_t code);

// The text after normalisation for modes 5 to 11 (other modes return it
// unchanged): parsed, clamped to the mode's range and formatted again; a
// numeric result of 0, or a date-time that does not parse or is zero, gives
// the empty text.
std::string NormaliseEditText(int32_t inputMode, const std::string& text);

// The adjuster's automatic step: the text's leading integer plus step (1 up,
// -1 down). A value outside the range between minimum and maximum wraps to
// its low end after an up step and to its high end after a down step.
int32_t AdjusterStepValue(const std::string& text, int32_t step, int32_t minimum, int32_t maximum);

}  // namespace mnemora
