// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/date_test.hpp"

#include <algorithm>
#include <cstddef>
#include <optional>

#include "text/calendar.hpp"
#include "text/text.hpp"

namespace quenby {

namespace {

std::optional<int> MonthOf(std::string_view part) {
  if (const auto number = DigitsValue(part, 1, 2)) {
    return number;
  }
  return MonthNamed(part);
}

std::optional<int> DayOf(std::string_view part) {
  return DigitsValue(part, 1, 2);
}

std::optional<int> YearOf(std::string_view part, std::size_t minDigits) {
  const auto year = DigitsValue(part, minDigits, 4);
  if (!year) {
    return std::nullopt;
  }
  // Two-digit years follow the usual desktop window: 30 to 99 are 1930 to
  // 1999, 00 to 29 are 2000 to 2029. Only leap years depend on it.
  if (part.size() == 2) {
    return *year < 30 ? 2000 + *year : 1900 + *year;
  }
  // The calendar has no year 0.
  if (*year == 0) {
    return std::nullopt;
  }
  return year;
}

bool IsRealDate(std::optional<int> day, std::optional<int> month, std::optional<int> year) {
  return day && month && year && IsCalendarDate(*day, *month, *year);
}

bool IsMonthYear(std::optional<int> month, std::optional<int> year) {
  return month && year && *month >= 1 && *month <= 12;
}

}  // namespace

bool IsNumberOrDate(std::string_view word) {
  if (IsDigits(word)) {
    return true;
  }
  const auto parts = SplitOn(word, "/");
  // A year at the end has two to four digits; a year in front has four, so
  // that "75/3/12" is not read as the twelfth of March 1975.
  constexpr std::size_t kFewestEndYearDigits = 2;
  constexpr std::size_t kFrontYearDigits = 4;
  if (parts.size() == 2) {
    return IsMonthYear(MonthOf(parts[0]), YearOf(parts[1], kFewestEndYearDigits));
  }
  if (parts.size() == 3) {
    const auto year = YearOf(parts[2], kFewestEndYearDigits);
    return IsRealDate(DayOf(parts[0]), MonthOf(parts[1]), year) ||
           IsRealDate(DayOf(parts[1]), MonthOf(parts[0]), year) ||
           IsRealDate(DayOf(parts[2]), MonthOf(parts[1]), YearOf(parts[0], kFrontYearDigits));
  }
  return false;
}

}  // namespace quenby
