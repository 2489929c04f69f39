#include "window/units/edit_box_input.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

namespace mnemora {
namespace {

namespace mode = edit_input_mode;

bool IsDigit(uint32_t code) {
  return code >= '0' && code <= '9';
}

// strtoll saturates at the 64-bit limits, which the clamps below rely on.
int64_t LeadingInteger(const std::string& text) {
  return std::strtoll(text.c_str(), nullptr, 10);
}

double LeadingNumber(const std::string& text) {
  const double value = std::strtod(text.c_str(), nullptr);
  return std::isnan(value) ? 0.0 : value;
}

std::string Format(const char* format, auto value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

std::string IntegerText(int64_t value, int64_t low, int64_t high) {
  return Format("%lld", static_cast<long long>(std::clamp(value, low, high)));
}

// Adding 0.0 turns -0.0 into 0.0, so that it too counts as zero.
std::string FloatingText(double value, double limit, const char* format) {
  return Format(format, std::clamp(value, -limit, limit) + 0.0);
}

struct DateTimeFields {
  int values[6] = {};  // year, month, day, hour, minute, second
  int count = 0;
};

// The separators a date-time text may hold around its numbers.
constexpr const char* kDateSeparators[] = {"年", "月", "日", "时", "分", "秒",
                                           "-",  "/",  ".",  ":",  " ",  "T"};

size_t SeparatorLength(const std::string& text, size_t position) {
  for (const char* separator : kDateSeparators) {
    const size_t length = std::strlen(separator);
    if (text.compare(position, length, separator) == 0) {
      return length;
    }
  }
  return 0;
}

// Up to six numbers with known separators between them: "2024年3月5日12时",
// "2024-3-5 12:30:45" and the like. False for anything else.
bool ReadDateTimeFields(const std::string& text, DateTimeFields* fields) {
  size_t position = 0;
  while (position < text.size()) {
    if (IsDigit(static_cast<unsigned char>(text[position]))) {
      if (fields->count == static_cast<int>(std::size(fields->values))) {
        return false;
      }
      int64_t value = 0;
      while (position < text.size() && IsDigit(static_cast<unsigned char>(text[position]))) {
        value = std::min<int64_t>(value * 10 + (text[position] - '0'), 100000);
        ++position;
      }
      fields->values[fields->count++] = static_cast<int>(value);
      continue;
    }
    const size_t length = SeparatorLength(text, position);
    if (length == 0) {
      return false;
    }
    position += length;
  }
  return fields->count >= 3;
}

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidDateTime(const DateTimeFields& f) {
  const auto [year, month, day, hour, minute, second] = f.values;
  return year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
         day <= DaysInMonth(year, month) && hour <= 23 && minute <= 59 && second <= 59;
}

// The date-time zero is 30 December 1899, midnight.
bool IsZeroDateTime(const DateTimeFields& f) {
  const auto [year, month, day, hour, minute, second] = f.values;
  return year == 1899 && month == 12 && day == 30 && hour == 0 && minute == 0 && second == 0;
}

// The date as the text conversion writes it, with the time down to its last
// non-zero part.
std::string DateTimeText(const std::string& text) {
  DateTimeFields f;
  if (!ReadDateTimeFields(text, &f) || !IsValidDateTime(f) || IsZeroDateTime(f)) {
    return std::string();
  }
  const auto [year, month, day, hour, minute, second] = f.values;
  char buffer[96];
  int length = std::snprintf(buffer, sizeof buffer, "%d年%d月%d日", year, month, day);
  const size_t rest = sizeof buffer - static_cast<size_t>(length);
  if (second != 0) {
    std::snprintf(buffer + length, rest, "%d时%d分%d秒", hour, minute, second);
  } else if (minute != 0) {
    std::snprintf(buffer + length, rest, "%d时%d分", hour, minute);
  } else if (hour != 0) {
    std::snprintf(buffer + length, rest, "%d时", hour);
  }
  return buffer;
}

}  // namespace

bool AcceptsTypedCharacter(int32_t inputMode, uint32_t code) {
  if (code < 32) {
    return true;
  }
  switch (inputMode) {
    case mode::kInteger:
    case mode::kShort:
    case mode::kInt32:
    case mode::kLong:
      return code == '-' || IsDigit(code);
    case mode::kDecimal:
    case mode::kFloat:
    case mode::kDouble:
      return code == '-' || code == '.' || IsDigit(code);
    case mode::kByte:
      return IsDigit(code);
    default:
      return true;
  }
}

std::string NormaliseEditText(int32_t inputMode, const std::string& text) {
  std::string result;
  switch (inputMode) {
    case mode::kByte:
      result = IntegerText(LeadingInteger(text), 0, 255);
      break;
    case mode::kShort:
      result = IntegerText(LeadingInteger(text), INT16_MIN, INT16_MAX);
      break;
    case mode::kInt32:
      result = IntegerText(LeadingInteger(text), INT32_MIN, INT32_MAX);
      break;
    case mode::kLong:
      result = IntegerText(LeadingInteger(text), INT64_MIN, INT64_MAX);
      break;
    case mode::kFloat:
      result = FloatingText(LeadingNumber(text), FLT_MAX, "%.6g");
      break;
    case mode::kDouble:
      result = FloatingText(LeadingNumber(text), DBL_MAX, "%.13g");
      break;
    case mode::kDateTime:
      return DateTimeText(text);
    default:
      return text;
  }
  return result == "0" ? std::string() : result;
}

int32_t AdjusterStepValue(const std::string& text, int32_t step, int32_t minimum, int32_t maximum) {
  const int64_t low = std::min(minimum, maximum);
  const int64_t high = std::max(minimum, maximum);
  const int64_t value = std::clamp<int64_t>(LeadingInteger(text), INT32_MIN, INT32_MAX) + step;
  if (value < low || value > high) {
    return static_cast<int32_t>(step > 0 ? low : high);
  }
  return static_cast<int32_t>(value);
}

}  // namespace mnemora
