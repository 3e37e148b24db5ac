#include "people/person_line.hpp"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

namespace quenby {
namespace {

TEST(ParsePersonLine, FullLineFillsEveryTestVariableAndAnEmptyLineNone) {
  const TestVariables details =
      ParsePersonLine("++John William Smith|_S_M|_B_12 May 1900, London|_D_1950 (Paris)|_R_Book 1|_R_Book 2|_N_Farmer");
  const TestVariables expected = {"John William /Smith/", "M",       "12 May 1900", "London", "1950", "Paris", "", "",
                                  "{Book 1}, {Book 2}",   "{Farmer}"};
  EXPECT_EQ(details, expected);
  EXPECT_EQ(ParsePersonLine(""), TestVariables{});
}

// (line, name)
class NamePart : public ::testing::TestWithParam<std::pair<std::string, std::string>> {};

TEST_P(NamePart, BecomesTheGedcomName) {
  EXPECT_EQ(ParsePersonLine(GetParam().first)[kFullName], GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(ParsePersonLine, NamePart,
                         ::testing::Values(std::pair{"&Mary", "Mary"},                // no space: no surname slashes
                                           std::pair{"+-&Ann Lee", "Ann /Lee/"},      // every mark of the prefix goes
                                           std::pair{"Jo+hn Smith", "John /Smith/"},  // a "+" anywhere in the name goes
                                           std::pair{"|_S_M", ""},                    // a line that starts with a field
                                           std::pair{"  John  Smith  ", "John  /Smith/"},  // inner spaces stay
                                           std::pair{"--Ann Lee", "-Ann /Lee/"},     // only one parent mark is dropped
                                           std::pair{"&&Bo", "&Bo"},                 // only one spouse mark is dropped
                                           std::pair{"&-Bo", "-Bo"},                 // "-" is looked for before "&"
                                           std::pair{"- John", " /John/"},           // no trimming after the marks
                                           std::pair{"Anne\tSmith", "Anne\tSmith"},  // a tab is not a space
                                           std::pair{"Łucja Nowak", "Łucja /Nowak/"}));

// (birth value, date, place); death and marriage values split the same way.
class DateAndPlace : public ::testing::TestWithParam<std::tuple<std::string, std::string, std::string>> {};

TEST_P(DateAndPlace, SplitAtTheFirstCommaOrBracket) {
  const auto& [value, date, place] = GetParam();
  const TestVariables details = ParsePersonLine("A|_B_" + value);
  EXPECT_EQ(details[kBirthDate], date);
  EXPECT_EQ(details[kBirthPlace], place);
}

INSTANTIATE_TEST_SUITE_P(ParsePersonLine, DateAndPlace,
                         ::testing::Values(std::tuple{"1900", "1900", ""}, std::tuple{"(London)", "", "London"},
                                           std::tuple{"3 June 1920 (Leeds)", "3 June 1920", "Leeds"},
                                           std::tuple{"1920, (Leeds)", "1920", "Leeds"},
                                           std::tuple{"1900, London (Kent)", "1900", "London (Kent)"},
                                           std::tuple{"1900 (Kent), London", "1900", "Kent), London"},
                                           std::tuple{"1900, ()", "1900", ""}, std::tuple{"1900,", "1900", ""},
                                           std::tuple{"  1 May 1950 ,  York  ", "1 May 1950", "York"},
                                           std::tuple{"1900 ( York )", "1900", " York "},
                                           // An opening bracket that is not closed at the end of the
                                           // place is dropped alone; nothing after it is cut.
                                           std::tuple{"1900, (London) Kent", "1900", "London) Kent"},
                                           std::tuple{"1950 (Paris", "1950", "Paris"},
                                           std::tuple{"1950 (", "1950", ""}));

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

TEST(ParsePersonLine, FieldValuesKeepEverythingButOuterSpacesAndListsCollectEachInBraces) {
  const TestVariables details = ParsePersonLine("A|_S_\tM |_N_ one  |_R_p. 1|_N_a|b_c, (three)|_R_");
  EXPECT_EQ(details[kSex], "\tM");
  EXPECT_EQ(details[kNotes], "{one}, {a|b_c, (three)}");
  EXPECT_EQ(details[kReferences], "{p. 1}, {}");
}

}  // namespace
}  // namespace quenby
