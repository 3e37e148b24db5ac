// Each rule code on single lines: what a pass leaves of a line, and the
// generation, children and date decisions the rules make.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/date_test.hpp"
#include "engine/engine.hpp"

namespace quenby {
namespace {

struct LineCase {
  std::string code;
  std::string search;
  std::string replacement;
  std::string line;
  LineList lines;  // the lines the rule leaves once the pass is over
};

const LineCase kLineCases[] = {
    // 1: every occurrence, then trimmed. 2 to 5: the replacement before the
    // trimmed rest after the first or last occurrence, or after the trimmed
    // text before it.
    {"1", "b.", "B_", "John b. 1900 ", {"John B_ 1900"}},
    {"2", ", ", "R:", "Smith, John, farmer", {"R:John, farmer"}},
    {"4", ", ", "R:", "Smith, John, farmer", {"R:farmer"}},
    {"2", " x", " Y ", "a x  b  ", {" Y b"}},
    {"2", ", ", "R:", "  none  ", {"  none  "}},
    {"4", "", "R:", "abc ", {"R:"}},
    {"2", "", "R:", "", {}},
    {"3", ", ", "!", " Smith, John, farmer", {"Smith!"}},
    {"5", ", ", "!", "Smith, John, farmer", {"Smith, John!"}},
    {"3", "", "!", " abc", {"!"}},
    // 6 to 8: the whole line, tested trimmed for start and end.
    {"6", "1 ", "X", "  1 John", {"X"}},
    {"6", "", "X", "   ", {"X"}},
    {"7", ".", "X", "John Smith.  ", {"X"}},
    {"8", "xyz", "", "a xyz b", {}},
    {"8", "", "X", "", {}},
    // 11 and 13 trim only the outer ends: spaces next to the cut stay.
    {"11", " m. ", "M_", "John Smith m. Mary Jones", {"John Smith", "M_Mary Jones"}},
    {"11", "m.", "M_", "John Smith m. Mary Jones", {"John Smith ", "M_ Mary Jones"}},
    {"11", " m. ", "M_", "  Ann  ", {"Ann"}},
    {"11", "", "", " abc ", {" abc"}},
    {"13", ",", "|", "a,b,c", {"a,b", "|c"}},
    // 12 and 14 trim each part, and only the lines they cut.
    {"12", "m.", "M_", "John Smith m. Mary Jones", {"M_Mary Jones", "John Smith"}},
    {"12", "x", "R", "  Ann  ", {"  Ann  "}},
    {"12", "", "R", " abc ", {"Rabc"}},
    {"14", ",", "|", "a, b, c", {"|c", "a, b"}},
    {"14", "", "R", " abc ", {"R", "abc"}},
    // 21 to 28 add a line; the last occurrence of an empty search text is at
    // the end of the line.
    {"21", " b. ", "", " John Smith b. 1900 ", {"John Smith", "John Smith b. 1900"}},
    {"22", " b. ", "X", "John b. 1900", {"John b. 1900", "JohnX"}},
    {"23", " b. ", "B_", "John b. 1900", {"B_1900", "John b. 1900"}},
    {"24", "children:", "+", "John Smith children: Ann", {"John Smith children: Ann", "+Ann"}},
    {"25", ",", "", "a, b, c", {"a, b", "a, b, c"}},
    {"26", ",", "!", "a, b, c", {"a, b, c", "a, b!"}},
    {"27", ",", "+", "a, b, c", {"+c", "a, b, c"}},
    {"28", ",", "+", "a, b, c", {"a, b, c", "+c"}},
    {"27", "", "R", " abc", {"R", "abc"}},
    {"26", "", "!", "abc ", {"abc", "abc!"}},
    // 41 puts the name before the marriage field when the field's first word
    // is a date; 42 names only the main line.
    {"41", "", "", "+&|_M_(London) 12.3.1875 Mary Jones|_B_1850", {"+&Mary Jones|_M_12/3/1875 (London)|_B_1850"}},
    {"41", "", "", "&|_M_1875 Ann|_N_x", {"&Ann|_M_1875|_N_x"}},
    {"41", "", "", "&|_M_abt 1875 Mary", {"&abt 1875 Mary|_M_"}},
    {"41", "", "", "&|_M_31.2.1875 Ann", {"&31.2.1875 Ann|_M_"}},
    {"41", "", "", "&|_M_(London 1875 Mary", {"&(London 1875 Mary|_M_ "}},
    {"41", "", "", "&|_M_(York)", {"&|_M_ (York)"}},
    {"41", "", "", "x&|_M_(A)  Ann |_D_1", {"x&Ann|_M_ (A)|_D_1"}},
    {"41", "", "", "John|_M_1875 Ann", {"John|_M_1875 Ann"}},
    {"42", "ignored", "Smith", "John|_B_1850", {"John Smith|_B_1850"}},
    {"42", "", "Smith", "+Ann|_B_1", {"+Ann Smith|_B_1"}},
    {"42", "", "Smith", "|_B_1850", {" Smith|_B_1850"}},
    {"42", "", "Smith", "+&Mary", {"+&Mary"}},
    {"42", "", "Smith", "Jo&hn", {"Jo&hn"}}};

TEST(LineRules, LeaveTheseLinesOnceThePassIsOver) {
  for (const auto& c : kLineCases) {
    RunState state;
    EXPECT_EQ(SplitLines({ApplyRule(Rule{c.code, c.search, c.replacement}, c.line, state)}), c.lines)
        << c.code << " \"" << c.search << "\" on \"" << c.line << "\"";
  }
}

TEST(RecogniseChildren, MarksEveryLineAfterTheHeadingAndDropsTheHeading) {
  const std::string rule = "31\t|\tChildren\t|\t";
  EXPECT_EQ(RunRules(" John \r\nChildren:\r\nAnn\r\n   \r\nChildren again\r\nTom", {rule}),
            (LineList{"John", "+Ann", "+Tom"}));
  // Every line starts with an empty heading.
  EXPECT_EQ(RunRules("John\r\nAnn", {"31\t|\t\t|\t"}), LineList{});
}

TEST(ConvertGenerationNumber, NumbersBecomePlusRunsOtherLinesSpousesAndOnly1To32767AreGenerations) {
  struct Case {
    std::int64_t generationBefore;
    std::string line;
    std::string expected;
    std::int64_t generationAfter;
  };
  const std::vector<Case> cases = {{1, " 007 Tom", "++++++00 Tom", 7},
                                   {3, "   ", "++&", 3},
                                   {1, " Mary ", "&Mary", 1},
                                   {2, "&Mary", "+&Mary", 2},
                                   {4, "  - x ", "  - x ", 4},
                                   // The characters next to "0" and "9" are not digits.
                                   {2, "/5 Tom", "+&/5 Tom", 2},
                                   {2, ":5", "+&:5", 2},
                                   {1, "32767 X", std::string(32766, '+') + "X", 32767},
                                   // No generation 0 and none above the largest: line and generation stay.
                                   {4, " 0 Tom", " 0 Tom", 4},
                                   {4, "32768 Tom", "32768 Tom", 4},
                                   {4, "99999999999999999999 Tom", "99999999999999999999 Tom", 4}};
  for (const auto& c : cases) {
    RunState state{c.generationBefore, false};
    EXPECT_EQ(ApplyRule(Rule{"32", "", ""}, c.line, state), c.expected) << c.line;
    EXPECT_EQ(state.generation, c.generationAfter) << c.line;
  }
}

TEST(IsNumberOrDate, AcceptsNumbersAndRealDatesInTheDayMonthYearForms) {
  for (const std::string word : {"1875",        "0",           "12345678901234567890",
                                 "12/3/1875",   "3/12/1875",   "12/31/1875",
                                 "12/3/75",     "12/3/875",    "3/1875",
                                 "12/75",       "12/Mar/1875", "12/March/1875",
                                 "12/mAR/1875", "Mar/12/1875", "SEPT/1875",
                                 "29/2/1876",   "29/2/2000",   "29/2/00",
                                 "1875/3/12",   "1876/2/29"}) {
    EXPECT_TRUE(IsNumberOrDate(word)) << word;
  }
  for (const std::string word : {"",          "London",     "abt/1875",  "12/3",       "Marc/1875",   "Mar/Apr/1875",
                                 "31/2/1875", "13/13/1900", "29/2/1900", "29/2/75",    "0/3/1875",    "13/1875",
                                 "3/0000",    "12//1875",   "12/3/5",    "12/3/18755", "12/3/1875/1", "75/3/12",
                                 "1875/2/29", "123/3/1875", "1875a",     "-1875",      "12-3-1875"}) {
    EXPECT_FALSE(IsNumberOrDate(word)) << word;
  }
}

}  // namespace
}  // namespace quenby
