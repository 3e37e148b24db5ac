// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The Gregorian calendar and English month names, as dates written in
// genealogical text use them: rule 41's date test and the standard GEDCOM
// dates read them the same way.

#include <cstddef>
#include <optional>
#include <string_view>

namespace quenby {

// Whether `text` is one or more ASCII digits.
bool IsDigits(std::string_view text);

// The value of `text` when it is `minDigits` to `maxDigits` ASCII digits (at
// most four, so the value always fits).
std::optional<int> DigitsValue(std::string_view text, std::size_t minDigits, std::size_t maxDigits);

// Compares ASCII letters without regard to case; other bytes exactly.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// 1 to 12 for an English month name or its three-letter abbreviation in any
// case ("March", "mar"), and "Sept"; nothing for anything else.
std::optional<int> MonthNamed(std::string_view name);

// The days of `month` (1 to 12) in `year`, leap years included.
int DaysInMonth(int month, int year);

// Whether the day exists in that month and year.
bool IsCalendarDate(int day, int month, int year);

}  // namespace quenby
