#include "commands/value_text.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>

namespace mnemora {
namespace {

constexpr double kFirstDay = -657434.0;  // 1 January 100
constexpr double kLastDay = 2958465.0;   // 31 December 9999
constexpr int64_t kDaysFrom1899To1970 = 25569;
constexpr int64_t kSecondsPerDay = 86400;

struct CivilDate {
  int64_t year;
  int64_t month;
  int64_t day;
};

// Days since 1 January 1970 to a proleptic Gregorian date, counting in
// 400-year eras so that negative day numbers need no special case.
CivilDate CivilFromDays(int64_t days) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int64_t dayOfEra = days - era * 146097;
  const int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
  const int64_t day = dayOfYear - (153 * monthFromMarch + 2) / 5 + 1;
  const int64_t month = monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9;
  return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

template <typename... Values>
std::string Format(const char* format, Values... values) {
  char buffer[64];
  const int length = std::snprintf(buffer, sizeof buffer, format, values...);
  return length > 0 ? std::string(buffer, static_cast<size_t>(length)) : std::string();
}

}  // namespace

std::string DateTimeText(double days) {
  if (std::isnan(days)) {
    days = 0;
  }
  days = std::fmin(std::fmax(days, kFirstDay), kLastDay);
  // The whole part counts days and the fraction, whatever the sign, is the
  // time of day: -1.25 is 29 December 1899, 6 o'clock.
  const double whole = std::trunc(days);
  int64_t dayNumber = static_cast<int64_t>(whole);
  int64_t seconds = std::llround(std::fabs(days - whole) * kSecondsPerDay);
  if (seconds >= kSecondsPerDay) {
    seconds -= kSecondsPerDay;
    ++dayNumber;
  }
  const CivilDate date = CivilFromDays(dayNumber - kDaysFrom1899To1970);
  std::string text =
      Format("%" PRId64 "年%" PRId64 "月%" PRId64 "日", date.year, date.month, date.day);
  const int64_t hour = seconds / 3600;
  const int64_t minute = seconds / 60 % 60;
  const int64_t second = seconds % 60;
  if (second != 0) {
    text += Format("%" PRId64 "时%" PRId64 "分%" PRId64 "秒", hour, minute, second);
  } else if (minute != 0) {
    text += Format("%" PRId64 "时%" PRId64 "分", hour, minute);
  } else if (hour != 0) {
    text += Format("%" PRId64 "时", hour);
  }
  return text;
}

std::string ScalarValueText(const ArgValue& value) {
  namespace tc = type_code;
  switch (value.type) {
    case tc::kByte:
      return Format("%u", static_cast<unsigned>(value.low & 0xFFu));
    case tc::kShort:
      return Format("%d", static_cast<int>(static_cast<int16_t>(value.low & 0xFFFFu)));
    case tc::kInteger:
      return Format("%d", static_cast<int>(value.AsInt32()));
    case tc::kLong:
      return Format("%" PRId64, value.AsInt64());
    case tc::kFloat:
      return Format("%.6g", static_cast<double>(value.AsFloat()));
    case tc::kDouble:
      return Format("%.13g", value.AsDouble());
    case tc::kBoolean:
      return value.low != 0 ? "真" : "假";
    case tc::kDateTime:
      return DateTimeText(value.AsDouble());
    case tc::kText:
      return value.AsText() != nullptr ? value.AsText() : "";
    default:
      return std::string();
  }
}

}  // namespace mnemora
