// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace quenby {

// Whether rule 41 takes the first word of a marriage field as its date.
// The word arrives with every "." already turned into "/". Accepted, with no
// regional settings involved:
//
//   digits                  a number, such as a year      1875
//   day/month/year          or month/day/year             12/3/1875  3/12/1875  12/Mar/1875
//   year/month/day          the year in four digits       1875/3/12
//   month/year                                            3/1875  Mar/1875
//
//   day    one or two digits
//   month  one or two digits, or an English month name or its three-letter
//          abbreviation, in any case ("March", "mar", "Sept" too); a month
//          name is never a day
//   year   two to four digits, not zero; a two-digit year is 1930 to 2029
//
// A form with a day is a date when the day exists in that month and year of
// the Gregorian calendar (leap years included); with two readings, one real
// date is enough. Anything else (an empty word, a name, a place, "abt", a
// part left empty by a doubled "/") is neither a number nor a date.
bool IsNumberOrDate(std::string_view word);

}  // namespace quenby
