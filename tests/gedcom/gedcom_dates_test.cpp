// SPDX-License-Identifier: GPL-3.0-or-later
// Dates as people write them, and what the standard exports make of them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gedcom/date_words.hpp"
#include "gedcom/gedcom_dates.hpp"
#include "support/golden_table.hpp"
#include "text/text.hpp"

namespace quenby {

void PrintTo(const GedcomDate& date, std::ostream* out) {
  *out << "DATE \"" << date.value << "\" PHRASE \"" << date.phrase << "\"";
}

namespace {

class StandardDateTable : public ::testing::TestWithParam<GoldenRow> {};

TEST_P(StandardDateTable, ReadsTheTextInEitherOrder) {
  const GoldenRow& c = GetParam();
  const auto expect = [](const std::string& value) { return value.empty() ? std::nullopt : std::optional(value); };
  EXPECT_EQ(StandardDate(c[0], DateOrder::kDayFirst), expect(c[1])) << c.where;
  EXPECT_EQ(StandardDate(c[0], DateOrder::kMonthFirst), expect(c[2] == "=" ? c[1] : c[2])) << c.where;
}

INSTANTIATE_TEST_SUITE_P(Golden, StandardDateTable, ::testing::ValuesIn(ReadGoldenTable("dates/orders.tsv", 3)));

// The rows of every language's table, then dual years, years before Christ
// and phrases: a date as a text gives it and what each standard file writes.
std::vector<GoldenRow> ExportCases() {
  std::vector<GoldenRow> cases;
  for (const std::string table :
       {"english", "german", "dutch", "french", "danish", "norwegian", "swedish", "latin", "forms"}) {
    const auto rows = ReadGoldenTable("dates/" + table + ".tsv", 4);
    cases.insert(cases.end(), rows.begin(), rows.end());
  }
  return cases;
}

class ExportDateTable : public ::testing::TestWithParam<GoldenRow> {};

// Words are no numbers: the date order changes nothing in these tables.
// Where both files write the same date, it is the date the two share.
TEST_P(ExportDateTable, WritesEachStandardFile) {
  const GoldenRow& c = GetParam();
  const GedcomDate gedcom551{c[1], ""};
  const GedcomDate gedcom70{c[2] == "=" ? c[1] : c[2], c[3]};
  for (const DateOrder order : {DateOrder::kDayFirst, DateOrder::kMonthFirst}) {
    EXPECT_EQ(Gedcom551Date(c[0], order), gedcom551);
    EXPECT_EQ(Gedcom70Date(c[0], order), gedcom70);
  }
  const bool shared = c[1] == gedcom70.value && c[3].empty();
  EXPECT_EQ(StandardDate(c[0], DateOrder::kDayFirst), shared ? std::optional(c[1]) : std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Golden, ExportDateTable, ::testing::ValuesIn(ExportCases()));

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

}  // namespace
}  // namespace quenby
