// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Dates of the record text in the GEDCOM date grammar, as the standard
// exports write them: "12 Mar 1820" is "12 MAR 1820", "abt 1850" is
// "ABT 1850", "1850-1860" is "BET 1850 AND 1860".

#include <optional>
#include <string>
#include <string_view>

namespace quenby {

// How numeric dates such as "3/5/1845" are read: day first (3 May) or month
// first (5 March).
enum class DateOrder { kDayFirst, kMonthFirst };

// The date in the GEDCOM date grammar, or nothing when `text` is not a date
// this reads. Read, in any case and with "/", "." or "-" between numbers:
//   a year (three or four digits), month and year, day month year, month day
//   year ("March 12, 1820"), day/month/year in `order` (the other order when
//   only that one is a real date), year/month/day, month/year;
//   "abt", "about", "c.", "ca", "circa" (ABT), "bef", "before" (BEF), "aft",
//   "after" (AFT), "est" (EST), "cal" (CAL) before a date;
//   "bet X and Y", "between X and Y", "X-Y" (BET X AND Y), "from X to Y",
//   "from X", "to X".
std::optional<std::string> StandardDate(std::string_view text, DateOrder order);

// The year of a text that is no date this reads but names exactly one year
// ("Easter 1850" gives "1850"), for a date phrase to be found by its year.
std::optional<std::string> YearOfPhrase(std::string_view text);

// A calendar date in GEDCOM form: "6 DEC 2026".
std::string GedcomDateOf(int day, int month, int year);

}  // namespace quenby
