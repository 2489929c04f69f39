// The text forms of single values, shared by the commands that show or
// convert a value. Free of <windows.h>.
#pragma once

#include <string>

#include "runtime/arg_value.h"

namespace mnemora {

// Numbers in their printf forms ("%u" byte, "%d" short and integer, decimal
// long, "%.6g" float, "%.13g" double), "真"/"假" for a boolean, the date text
// for a date-time, a copy of a text; empty for any other type.
std::string ScalarValueText(const ArgValue& value);

// Days since 30 December 1899 as "Y年M月D日", followed by the time down to
// its last non-zero unit ("H时M分S秒", "H时M分", "H时" or nothing).
std::string DateTimeText(double days);

}  // namespace mnemora
