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

// The date in the GEDCOM date grammar that 5.5.1 and 7.0 share, or nothing
// when `text` is not a date this reads or only one of them can write it (a
// dual year, a year before Christ: see Gedcom551Date). Read, in any case and
// with "/", "." or "-" between numbers:
//   a year (three or four digits), month and year, day month year, month day
//   year ("March 12, 1820"), day/month/year in `order` (the other order when
//   only that one is a real date), year/month/day, month/year;
//   month names and the words below in English, German, Dutch, French,
//   Danish, Norwegian, Swedish and the Latin of parish registers ("12 mei
//   1850", "3. März 1850", "7bris"), a day with an ordinal ending ("11th",
//   "3.", "1er"), articles left out ("den 3. marts 1850");
//   "abt", "about", "c.", "ca", "circa", "near", "um", "omkring", ... (ABT),
//   "bef", "before", "vor", ... (BEF), "aft", "after", "nach", ... (AFT),
//   "est" (EST), "cal", "calc" (CAL) before a date;
//   "bet X and Y", "between X and Y", "zwischen X und Y", ..., "X-Y"
//   (BET X AND Y), "from X to Y", "von X bis Y", ..., "from X", "to X".
// date_words.cpp lists every word.
std::optional<std::string> StandardDate(std::string_view text, DateOrder order);

// A date of the record text as one standard file writes it: the value of its
// DATE line and, in 7.0, the PHRASE line below it (empty for none).
struct GedcomDate {
  std::string value;
  std::string phrase;

  bool operator==(const GedcomDate&) const = default;
};

// GEDCOM 5.5.1: the date as StandardDate reads it, with also a dual year
// "12 Mar 1820/21", "7 Mar. 1697-98" ("7 MAR 1697/98") and a year before
// Christ "45 BC", "45 v. Chr." ("45 B.C."). A text it cannot read is kept
// whole as a date phrase: "(Easter)", or "INT 1850 (Easter 1850)" when it
// names one year.
GedcomDate Gedcom551Date(std::string_view text, DateOrder order);

// GEDCOM 7.0, which has no dual year: a dual year is its later year, the
// year that began in January, with the text as phrase ("7 MAR 1698", PHRASE
// "7 Mar. 1697-98"); "45 BCE". A text it cannot read is the phrase, under
// the one year it names or an empty date.
GedcomDate Gedcom70Date(std::string_view text, DateOrder order);

// The year of a text that is no date this reads but names exactly one year
// ("Easter 1850" gives "1850"), for a date phrase to be found by its year.
std::optional<std::string> YearOfPhrase(std::string_view text);

// A calendar date in GEDCOM form: "6 DEC 2026".
std::string GedcomDateOf(int day, int month, int year);

}  // namespace quenby
