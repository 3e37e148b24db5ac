// SPDX-License-Identifier: GPL-3.0-or-later
// Dates as people write them, and what the standard exports make of them.

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "gedcom/date_words.hpp"
#include "gedcom/gedcom_dates.hpp"
#include "text/text.hpp"

namespace quenby {

void PrintTo(const GedcomDate& date, std::ostream* out) {
  *out << "DATE \"" << date.value << "\" PHRASE \"" << date.phrase << "\"";
}

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

// A case of tests/data/dates/*.tsv: a date as a text gives it and what each
// standard file writes.
struct ExportCase {
  std::string file;
  std::string text;
  GedcomDate gedcom551;
  GedcomDate gedcom70;
};

void PrintTo(const ExportCase& c, std::ostream* out) {
  *out << c.file << ": " << c.text;
}

std::vector<ExportCase> ExportCases(const std::string& language) {
  const std::string file = language + ".tsv";
  std::ifstream in(std::string(QUENBY_TEST_DATA_DIR) + "/dates/" + file);
  std::vector<ExportCase> cases;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') {
      continue;
    }
    auto fields = SplitOn(line, "\t");
    fields.resize(4);
    const std::string& value70 = fields[2] == "=" ? fields[1] : fields[2];
    cases.push_back({file, fields[0], {fields[1], ""}, {value70, fields[3]}});
  }
  // A file that cannot be read, or is empty, fails here rather than passing
  // with no case.
  EXPECT_FALSE(cases.empty()) << file;
  return cases;
}

class ExportDateTable : public ::testing::TestWithParam<ExportCase> {};

// Words are no numbers: the date order changes nothing in these tables.
TEST_P(ExportDateTable, WritesEachStandardFile) {
  const ExportCase& c = GetParam();
  for (const DateOrder order : {DateOrder::kDayFirst, DateOrder::kMonthFirst}) {
    EXPECT_EQ(Gedcom551Date(c.text, order), c.gedcom551);
    EXPECT_EQ(Gedcom70Date(c.text, order), c.gedcom70);
  }
}

// Where both files write the same date, it is the date the two share.
TEST_P(ExportDateTable, SharedFormIsTheDateBothFilesWrite) {
  const ExportCase& c = GetParam();
  const auto shared = StandardDate(c.text, DateOrder::kDayFirst);
  if (c.gedcom551.value == c.gedcom70.value && c.gedcom70.phrase.empty()) {
    EXPECT_EQ(shared, c.gedcom551.value);
  } else {
    EXPECT_EQ(shared, std::nullopt);
  }
}

INSTANTIATE_TEST_SUITE_P(English, ExportDateTable, ::testing::ValuesIn(ExportCases("english")));
INSTANTIATE_TEST_SUITE_P(German, ExportDateTable, ::testing::ValuesIn(ExportCases("german")));
INSTANTIATE_TEST_SUITE_P(Dutch, ExportDateTable, ::testing::ValuesIn(ExportCases("dutch")));
INSTANTIATE_TEST_SUITE_P(French, ExportDateTable, ::testing::ValuesIn(ExportCases("french")));
INSTANTIATE_TEST_SUITE_P(Danish, ExportDateTable, ::testing::ValuesIn(ExportCases("danish")));
INSTANTIATE_TEST_SUITE_P(Norwegian, ExportDateTable, ::testing::ValuesIn(ExportCases("norwegian")));
INSTANTIATE_TEST_SUITE_P(Swedish, ExportDateTable, ::testing::ValuesIn(ExportCases("swedish")));
INSTANTIATE_TEST_SUITE_P(Latin, ExportDateTable, ::testing::ValuesIn(ExportCases("latin")));
INSTANTIATE_TEST_SUITE_P(DualYearsBeforeChristAndPhrases, ExportDateTable, ::testing::ValuesIn(ExportCases("forms")));

// The numeric dates of the other table, as each file writes them.
TEST(ExportDate, NumericDatesFollowTheOrder) {
  EXPECT_EQ(Gedcom551Date("3/5/1845", DateOrder::kMonthFirst), (GedcomDate{"5 MAR 1845", ""}));
  EXPECT_EQ(Gedcom70Date("3/5/1845", DateOrder::kDayFirst), (GedcomDate{"3 MAY 1845", ""}));
  EXPECT_EQ(Gedcom70Date("3/5/45", DateOrder::kDayFirst), (GedcomDate{"", "3/5/45"}));
}

// Letters are lowered byte by byte: a byte sequence at an edge of UTF-8 in a
// month name, or one cut short, is no month and is never read past.
TEST(ExportDate, EncodingEdgesInAWordAreNoMonth) {
  for (const std::string word : {"M\xC2\x80rz", "M\xE0\xA0\x80rz", "M\xF0\x90\x80\x80rz", "M\xC3", "M\xC3\x97rz",
                                 "Septembriiiiiiiiiiiiiiiiiiiiiiiiii"}) {
    EXPECT_EQ(StandardDate("3 " + word + " 1850", DateOrder::kDayFirst), std::nullopt) << word;
  }
  EXPECT_EQ(StandardDate("3 M\xC3\x84RZ 1850", DateOrder::kDayFirst), "3 MAR 1850");
  EXPECT_EQ(StandardDate("D\xC3\x89"
                         "C 1850",
                         DateOrder::kDayFirst),
            "DEC 1850");
}

// One table per language, one truth: a word listed in two languages (or
// twice) means the same in each, so no language's table hides another's.
TEST(DateWords, EveryWordMeansWhatEachTableListingItSays) {
  for (const DateLanguage& language : DateLanguages()) {
    for (const auto& [word, meaning] : WordsOf(language)) {
      EXPECT_EQ(DateWordOf(word), meaning) << language.name << " " << word;
    }
  }
}

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
