// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/calendar.hpp"

#include <algorithm>
#include <array>
#include <cstddef>

namespace quenby {
namespace {

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

}  // namespace

bool IsDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<int> DigitsValue(std::string_view text, std::size_t minDigits, std::size_t maxDigits) {
  if (text.size() < minDigits || text.size() > maxDigits || !IsDigits(text)) {
    return std::nullopt;
  }
  int value = 0;
  for (const char c : text) {
    value = value * 10 + (c - '0');
  }
  return value;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

std::optional<int> MonthNamed(std::string_view name) {
  static constexpr std::array<std::string_view, 12> kNames = {"january",   "february", "march",    "april",
                                                              "may",       "june",     "july",     "august",
                                                              "september", "october",  "november", "december"};
  constexpr std::size_t kAbbreviation = 3;
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    if (EqualsIgnoringAsciiCase(name, kNames[i]) || EqualsIgnoringAsciiCase(name, kNames[i].substr(0, kAbbreviation))) {
      return static_cast<int>(i + 1);
    }
  }
  constexpr int kSeptember = 9;
  if (EqualsIgnoringAsciiCase(name, "sept")) {
    return kSeptember;
  }
  return std::nullopt;
}

int DaysInMonth(int month, int year) {
  static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  constexpr int kFebruary = 2;
  return month == kFebruary && IsLeapYear(year) ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

bool IsCalendarDate(int day, int month, int year) {
  return month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(month, year);
}

}  // namespace quenby
