// SPDX-License-Identifier: GPL-3.0-or-later
#include "people/person_line.hpp"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

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

TEST(ParsePersonLine, TheNameLosesOneOfEachMarkAndItsLastWordBecomesTheSurname) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"&Mary", "Mary"},                     // no space: no surname slashes
      {"+-&Ann Lee", "Ann /Lee/"},           // every mark of the prefix goes
      {"Jo+hn Smith", "John /Smith/"},       // a "+" anywhere in the name goes
      {"--Ann Lee", "-Ann /Lee/"},           // only one parent mark is dropped
      {"- John", " /John/"},                 // no trimming after the marks
      {"  John  Smith  ", "John  /Smith/"},  // inner spaces stay
      {"Anne\tSmith", "Anne\tSmith"}};       // a tab is not a space
  for (const auto& [line, name] : cases) {
    EXPECT_EQ(ParsePersonLine(line)[kFullName], name) << line;
  }
}

TEST(ParsePersonLine, DateAndPlaceSplitAtTheFirstCommaOrBracket) {
  // An opening bracket that is not closed at the end of the place is dropped
  // alone; nothing after it is cut.
  const std::vector<std::array<std::string, 3>> cases = {{"(London)", "", "London"},
                                                         {"3 June 1920 (Leeds)", "3 June 1920", "Leeds"},
                                                         {"1900 (Kent), London", "1900", "Kent), London"},
                                                         {"  1 May 1950 ,  York  ", "1 May 1950", "York"},
                                                         {"1900, (London) Kent", "1900", "London) Kent"},
                                                         {"1950 (Paris", "1950", "Paris"}};
  for (const auto& [value, date, place] : cases) {
    const TestVariables details = ParsePersonLine("A|_B_" + value);
    EXPECT_EQ(details[kBirthDate], date) << value;
    EXPECT_EQ(details[kBirthPlace], place) << value;
  }
}

TEST(ParsePersonLine, UnknownFieldsAreIgnoredAndALaterDateOrSexOverwritesButKeepsAnEarlierPlace) {
  for (const std::string field : {"|_b_1900", "|_X_abc", "|_B", "|_|_", "|_ S_M"}) {
    EXPECT_EQ(ParsePersonLine("Ann Lee" + field), ParsePersonLine("Ann Lee")) << field;
  }
  const TestVariables details = ParsePersonLine("Tom|_B_1900, (York|_S_M|_B_1901|_S_F");
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

struct MarksCase {
  std::string line;
  std::size_t generation;
  std::string afterGeneration;
  bool spouse;
  bool parentsPartner;
};

TEST(PersonLineMarks, TheGenerationEndsAtTheLastPlusAnywhereInTheLineCountedInCharacters) {
  const std::vector<MarksCase> cases = {
      {"", 0, "", false, false},
      {"Ann Lee|_B_1900", 0, "Ann Lee|_B_1900", false, false},
      {"+", 1, "", false, false},
      {"++&Ann", 2, "&Ann", true, false},
      {"+-&Ann", 1, "-&Ann", false, true},
      {"-&Ann", 0, "-&Ann", false, true},
      {"&Ann", 0, "&Ann", true, false},
      {"+Jo+hn", 4, "hn", false, false},                  // a "+" in the name moves the position
      {"+Ann|_N_a+&b", 10, "&b", true, false},            // so does one in a field, far from the marks
      {"+Ann+", 5, "", false, false},                     // the last character
      {"+Ann ++ Lee", 7, " Lee", false, false},           // a later run of marks
      {"\xC3\xA9+&Ann", 2, "&Ann", true, false},          // "é" counts once
      {"+\xF0\x9F\x98\x80+Ann", 3, "Ann", false, false},  // so does a four-byte character
      {"+\xC2\x80\xC2\x9F+Ann", 4, "Ann", false, false},  // and U+0080, U+009F
      {"+Ann\r\n+&Bob", 7, "&Bob", true, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GenerationOf(c.line), c.generation) << c.line;
    EXPECT_EQ(AfterGeneration(c.line), c.afterGeneration) << c.line;
    EXPECT_EQ(IsSpouseLine(c.line), c.spouse) << c.line;
    EXPECT_EQ(IsParentsPartnerLine(c.line), c.parentsPartner) << c.line;
  }
}

}  // namespace
}  // namespace quenby
