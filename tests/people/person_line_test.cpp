#include "people/person_line.hpp"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace quenby {
namespace {

TEST(ParsePersonLine, FullLineFillsEveryTestVariable) {
  const TestVariables details =
      ParsePersonLine("++John William Smith|_S_M|_B_12 May 1900, London|_D_1950 (Paris)|_R_Book 1|_R_Book 2|_N_Farmer");
  const TestVariables expected = {"John William /Smith/", "M",       "12 May 1900", "London", "1950", "Paris", "", "",
                                  "{Book 1}, {Book 2}",   "{Farmer}"};
  EXPECT_EQ(details, expected);
}

TEST(ParsePersonLine, EmptyLineGivesTenEmptyVariables) {
  EXPECT_EQ(ParsePersonLine(""), TestVariables{});
}

struct NameCase {
  std::string line;
  std::string name;
};

void PrintTo(const NameCase& nameCase, std::ostream* os) {
  *os << nameCase.line;
}

class NamePart : public ::testing::TestWithParam<NameCase> {};

TEST_P(NamePart, BecomesTheGedcomName) {
  EXPECT_EQ(ParsePersonLine(GetParam().line)[kFullName], GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(ParsePersonLine, NamePart,
                         ::testing::Values(NameCase{"&Mary", "Mary"},                // no space: no surname slashes
                                           NameCase{"+-&Ann Lee", "Ann /Lee/"},      // every mark of the prefix goes
                                           NameCase{"Jo+hn Smith", "John /Smith/"},  // a "+" anywhere in the name goes
                                           NameCase{"|_S_M", ""},                    // a line that starts with a field
                                           NameCase{"  John  Smith  ", "John  /Smith/"},  // inner spaces stay
                                           NameCase{"--Ann Lee", "-Ann /Lee/"},     // only one parent mark is dropped
                                           NameCase{"&&Bo", "&Bo"},                 // only one spouse mark is dropped
                                           NameCase{"&-Bo", "-Bo"},                 // "-" is looked for before "&"
                                           NameCase{"- John", " /John/"},           // no trimming after the marks
                                           NameCase{"Anne\tSmith", "Anne\tSmith"},  // a tab is not a space
                                           NameCase{"Łucja Nowak", "Łucja /Nowak/"}));

struct DatePlaceCase {
  std::string line;
  Detail dateIndex;
  std::string date;
  std::string place;
};

void PrintTo(const DatePlaceCase& datePlaceCase, std::ostream* os) {
  *os << datePlaceCase.line;
}

class DateAndPlace : public ::testing::TestWithParam<DatePlaceCase> {};

TEST_P(DateAndPlace, SplitAtTheFirstCommaOrBracket) {
  const auto& param = GetParam();
  const TestVariables details = ParsePersonLine(param.line);
  EXPECT_EQ(details[param.dateIndex], param.date);
  EXPECT_EQ(details[param.dateIndex + 1], param.place);
}

INSTANTIATE_TEST_SUITE_P(
    ParsePersonLine, DateAndPlace,
    ::testing::Values(DatePlaceCase{"A|_B_1900", kBirthDate, "1900", ""},
                      DatePlaceCase{"A|_B_(London)", kBirthDate, "", "London"},
                      DatePlaceCase{"A|_M_3 June 1920 (Leeds)", kMarriageDate, "3 June 1920", "Leeds"},
                      DatePlaceCase{"A|_M_1920, (Leeds)", kMarriageDate, "1920", "Leeds"},
                      DatePlaceCase{"A|_B_London, England", kBirthDate, "London", "England"},
                      DatePlaceCase{"A|_B_1900, London (Kent)", kBirthDate, "1900", "London (Kent)"},
                      DatePlaceCase{"A|_D_1900 (Kent), London", kDeathDate, "1900", "Kent), London"},
                      DatePlaceCase{"A|_B_1900, ()", kBirthDate, "1900", ""},
                      DatePlaceCase{"A|_B_1900,", kBirthDate, "1900", ""},
                      DatePlaceCase{"A|_D_  1 May 1950 ,  York  ", kDeathDate, "1 May 1950", "York"},
                      DatePlaceCase{"A|_B_1900 ( York )", kBirthDate, "1900", " York "},
                      // An opening bracket that is not closed at the end of the
                      // place is dropped alone; nothing after it is cut.
                      DatePlaceCase{"A|_B_1900, (London) Kent", kBirthDate, "1900", "London) Kent"},
                      DatePlaceCase{"A|_D_1950 (Paris", kDeathDate, "1950", "Paris"},
                      DatePlaceCase{"A|_D_1950 (", kDeathDate, "1950", ""}));

TEST(ParsePersonLine, UnclosedBracketLeavesTheOtherFieldsFilled) {
  const TestVariables details = ParsePersonLine("Ann Lee|_B_1900, (London|_S_F|_N_x");
  EXPECT_EQ(details[kBirthPlace], "London");
  EXPECT_EQ(details[kSex], "F");
  EXPECT_EQ(details[kNotes], "{x}");
}

class IgnoredField : public ::testing::TestWithParam<std::string> {};

TEST_P(IgnoredField, LeavesEveryFactEmpty) {
  TestVariables expected;
  expected[kFullName] = "Ann /Lee/";
  EXPECT_EQ(ParsePersonLine("Ann Lee" + GetParam()), expected);
}

INSTANTIATE_TEST_SUITE_P(ParsePersonLine, IgnoredField,
                         ::testing::Values("|_b_1900", "|_X_abc", "|_B", "|_", "|_|_", "|_ S_M", "|_s_M"));

TEST(ParsePersonLine, LaterDateOrSexOverwritesButKeepsAnEarlierPlace) {
  const TestVariables details = ParsePersonLine("Tom|_B_1900, York|_S_M|_B_1901|_S_F");
  EXPECT_EQ(details[kBirthDate], "1901");
  EXPECT_EQ(details[kBirthPlace], "York");
  EXPECT_EQ(details[kSex], "F");
}

TEST(ParsePersonLine, ReferencesAndNotesCollectEveryValueInBraces) {
  EXPECT_EQ(ParsePersonLine("|_R_")[kReferences], "{}");
  EXPECT_EQ(ParsePersonLine("|_R_|_R_x")[kReferences], "{}, {x}");
  const TestVariables details = ParsePersonLine("A|_N_ one  |_R_p. 1|_N_two, (three)");
  EXPECT_EQ(details[kNotes], "{one}, {two, (three)}");
  EXPECT_EQ(details[kReferences], "{p. 1}");
}

TEST(ParsePersonLine, FieldValuesKeepEverythingButOuterSpaces) {
  const TestVariables details = ParsePersonLine("A|_S_M|_N_a|b_c ");
  EXPECT_EQ(details[kSex], "M");
  EXPECT_EQ(details[kNotes], "{a|b_c}");
  EXPECT_EQ(ParsePersonLine("A|_S_\tM ")[kSex], "\tM");
}

}  // namespace
}  // namespace quenby
