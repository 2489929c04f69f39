// The API library's printf-style formatting. Free of <windows.h>.
#pragma once

#include <cstdint>

#include "runtime/arg_value.h"

namespace mnemora {

// format text, values... → text. Every conversion is checked against the
// type of the value it takes before anything is formatted: %d %i %u %x %X
// %o %c take a byte, short integer, integer or boolean; %e %E %f %g %G a
// float or double; %s a text; %p an integer or subroutine pointer; a *
// width or precision an integer. A mismatch, a missing value, %n, an
// unknown conversion, a width or precision or a result above 16 MiB, or
// any long integer, date-time,
// byte set or non-system value among the values gives the empty text; extra
// values are ignored.
void FormatText(ArgValue* result, int32_t count, ArgValue* args);

}  // namespace mnemora
