// SPDX-License-Identifier: GPL-3.0-or-later
// Dates as people write them, and what the standard exports make of them.

#include <gtest/gtest.h>

#include <string>

#include "gedcom/gedcom_dates.hpp"

namespace quenby {
namespace {

struct DateCase {
  std::string text;
  std::string dayFirst;    // "" when the text is no date this reads
  std::string monthFirst;  // "=" when the same as dayFirst
};

void PrintTo(const DateCase& c, std::ostream* out) {
  *out << c.text;
}

class StandardDateTable : public ::testing::TestWithParam<DateCase> {};

TEST_P(StandardDateTable, ReadsTheTextInEitherOrder) {
  const DateCase& c = GetParam();
  const auto expect = [](const std::string& value) { return value.empty() ? std::nullopt : std::optional(value); };
  EXPECT_EQ(StandardDate(c.text, DateOrder::kDayFirst), expect(c.dayFirst)) << c.text;
  EXPECT_EQ(StandardDate(c.text, DateOrder::kMonthFirst), expect(c.monthFirst == "=" ? c.dayFirst : c.monthFirst))
      << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Golden, StandardDateTable,
    ::testing::Values(
        DateCase{"12 Mar 1820", "12 MAR 1820", "="}, DateCase{"12 march 1820", "12 MAR 1820", "="},
        DateCase{"3 Sept 1901", "3 SEP 1901", "="}, DateCase{"3 Sept. 1901", "3 SEP 1901", "="},
        DateCase{"March 12, 1820", "12 MAR 1820", "="}, DateCase{"Mar 1820", "MAR 1820", "="},
        DateCase{"1820", "1820", "="}, DateCase{"845", "845", "="},
        // Numbers: the chosen order, the other one when only it is a date.
        DateCase{"3/5/1845", "3 MAY 1845", "5 MAR 1845"}, DateCase{"3.5.1845", "3 MAY 1845", "5 MAR 1845"},
        DateCase{"3-5-1845", "3 MAY 1845", "5 MAR 1845"}, DateCase{"14/6/1870", "14 JUN 1870", "="},
        DateCase{"6/14/1870", "14 JUN 1870", "="}, DateCase{"1845/5/3", "3 MAY 1845", "="},
        DateCase{"12/Mar/1875", "12 MAR 1875", "="}, DateCase{"5/1845", "MAY 1845", "="}, DateCase{"29/2/1900", "", ""},
        DateCase{"29/2/1904", "29 FEB 1904", "="},
        // Qualifiers and ranges.
        DateCase{"abt 1850", "ABT 1850", "="}, DateCase{"About 1850", "ABT 1850", "="},
        DateCase{"c. 1850", "ABT 1850", "="}, DateCase{"circa Mar 1850", "ABT MAR 1850", "="},
        DateCase{"ca 1850", "ABT 1850", "="}, DateCase{"bef 1900", "BEF 1900", "="},
        DateCase{"before 3/5/1845", "BEF 3 MAY 1845", "BEF 5 MAR 1845"}, DateCase{"aft 1900", "AFT 1900", "="},
        DateCase{"After 1900", "AFT 1900", "="}, DateCase{"est 1800", "EST 1800", "="},
        DateCase{"1850-1860", "BET 1850 AND 1860", "="}, DateCase{"1850 - 1860", "BET 1850 AND 1860", "="},
        DateCase{"between 1850 and 1860", "BET 1850 AND 1860", "="},
        DateCase{"from 1850 to 1860", "FROM 1850 TO 1860", "="}, DateCase{"from 1850", "FROM 1850", "="},
        DateCase{"to 1860", "TO 1860", "="},
        // A range is read only when it does not end before it starts.
        DateCase{"1850-1850", "BET 1850 AND 1850", "="}, DateCase{"Mar 1850-1850", "BET MAR 1850 AND 1850", "="},
        DateCase{"12 Mar 1850-Mar 1850", "BET 12 MAR 1850 AND MAR 1850", "="},
        DateCase{"from 3 May 1850 to 4 May 1850", "FROM 3 MAY 1850 TO 4 MAY 1850", "="},
        DateCase{"3 May 1850 - 3 May 1850", "BET 3 MAY 1850 AND 3 MAY 1850", "="}, DateCase{"1850-1840", "", ""},
        DateCase{"between 1860 and 1850", "", ""}, DateCase{"from 1860 to 1850", "", ""},
        DateCase{"from 1860 - 1850", "", ""}, DateCase{"Jun 1850-Mar 1850", "", ""},
        DateCase{"4 May 1850 - 3 May 1850", "", ""},
        // The order of numeric dates decides which way a range runs.
        DateCase{"bet 3/5/1850 and 4/4/1850", "", "BET 5 MAR 1850 AND 4 APR 1850"},
        DateCase{"3/4/1850-4/3/1850", "", "BET 4 MAR 1850 AND 3 APR 1850"},
        // Kept whole as phrases by the writers.
        DateCase{"", "", ""}, DateCase{"45", "", ""}, DateCase{"3/5/45", "", ""}, DateCase{"Easter 1850", "", ""},
        DateCase{"abt", "", ""}, DateCase{"31/2/1875", "", ""}, DateCase{"1850-1860-1870", "", ""},
        DateCase{"0", "", ""}, DateCase{"12 Foo 1820", "", ""}));

// A text of numbers is read whole first: blanks, commas, zeros and a range
// of its own must still read as its words would.
INSTANTIATE_TEST_SUITE_P(NumbersReadWhole, StandardDateTable,
                         ::testing::Values(DateCase{" 3/5/1845 ", "3 MAY 1845", "5 MAR 1845"},
                                           DateCase{"3/5/1845,", "3 MAY 1845", "5 MAR 1845"},
                                           DateCase{"12/1850-1860", "BET DEC 1850 AND 1860", "="},
                                           DateCase{"0/5/1845", "", ""}, DateCase{"3/0/1845", "", ""},
                                           DateCase{"3/5/0000", "", ""}, DateCase{"12-1850", "DEC 1850", "="},
                                           DateCase{"1845.05.03", "3 MAY 1845", "="},
                                           DateCase{"03.05.0845", "3 MAY 845", "5 MAR 845"},
                                           DateCase{"3/5/18450", "", ""}, DateCase{"3/5/1845/1", "", ""},
                                           DateCase{"99999999999/5/1845", "", ""}));

TEST(YearOfPhrase, FindsTheOneYearOfAPhrase) {
  EXPECT_EQ(YearOfPhrase("Easter 1850"), "1850");
  EXPECT_EQ(YearOfPhrase("winter, 1850/51"), std::nullopt);
  EXPECT_EQ(YearOfPhrase("1850 or 1851"), std::nullopt);
  EXPECT_EQ(YearOfPhrase("unknown"), std::nullopt);
}

TEST(GedcomDateOf, WritesTheDayWithoutLeadingZeroAndTheMonthInCapitals) {
  EXPECT_EQ(GedcomDateOf(6, 12, 2026), "6 DEC 2026");
  EXPECT_EQ(GedcomDateOf(31, 1, 1999), "31 JAN 1999");
}

}  // namespace
}  // namespace quenby
