// The core library's text commands: measuring, cutting, searching, cleaning,
// replacing and splitting GBK texts, and turning values into texts and byte
// sets. Positions are 1-based byte positions and -1 is "not found"; an empty
// text or byte set result is null. Free of <windows.h>.
#pragma once

#include <cstdint>

#include "runtime/arg_value.h"

namespace mnemora {

// text → integer: its byte length.
void TextLength(ArgValue* result, int32_t count, ArgValue* args);
// text, count → the first min(count, length) bytes; may cut a character.
void LeftText(ArgValue* result, int32_t count, ArgValue* args);
// text, count → the last min(count, length) bytes.
void RightText(ArgValue* result, int32_t count, ArgValue* args);
// text, searched, [start 1], [ignore case false] → position or -1. A match
// never starts on the second byte of a character; only the boolean value 1
// selects the case-insensitive comparison.
void FindText(ArgValue* result, int32_t count, ArgValue* args);
// text → ASCII letters upper-cased, two-byte characters untouched.
void ToUpperCase(ArgValue* result, int32_t count, ArgValue* args);
// text → without leading and trailing spaces (0x20 and the full-width space).
void TrimSpaces(ArgValue* result, int32_t count, ArgValue* args);
// text → with every space removed.
void RemoveAllSpaces(ArgValue* result, int32_t count, ArgValue* args);
// text, searched, [replacement ""], [start 1], [count unlimited], case
// sensitive → text. A replacement is never scanned again.
void ReplaceText(ArgValue* result, int32_t count, ArgValue* args);
// text, [separator ","], [maximum unlimited] → text array. A separator at
// the very end adds no empty element.
void SplitText(ArgValue* result, int32_t count, ArgValue* args);
// count → that many 0x20 bytes.
void SpaceText(ArgValue* result, int32_t count, ArgValue* args);
// any value → text.
void ToText(ArgValue* result, int32_t count, ArgValue* args);
// any value → byte set.
void ToByteSet(ArgValue* result, int32_t count, ArgValue* args);
// byte set → integer: its byte count.
void ByteSetLength(ArgValue* result, int32_t count, ArgValue* args);

}  // namespace mnemora
