#include "engine/engine.hpp"

#include <gtest/gtest.h>

#include <string>

namespace quenby {
namespace {

struct SplitCase {
  std::string code;
  std::string search;
  std::string replacement;
  std::string line;
  LineList lines;  // the lines the rule leaves once the pass is over
};

class SplitAndNewLineRules : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitAndNewLineRules, LeaveTheseLinesAfterThePass) {
  const auto& c = GetParam();
  RunState state;
  EXPECT_EQ(SplitLines({ApplyRule(Rule{c.code, c.search, c.replacement}, c.line, state)}), c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Split, SplitAndNewLineRules,
    testing::Values(
        // 11 and 13 trim only the outer ends: spaces next to the cut stay.
        SplitCase{"11", " m. ", "M_", "John Smith m. Mary Jones", {"John Smith", "M_Mary Jones"}},
        SplitCase{"11", "m.", "M_", "John Smith m. Mary Jones", {"John Smith ", "M_ Mary Jones"}},
        SplitCase{"11", " m. ", "M_", " m. Mary", {"M_Mary"}}, SplitCase{"11", "x", "", "John x  ", {"John "}},
        SplitCase{"11", " m. ", "M_", "  Ann  ", {"Ann"}}, SplitCase{"11", "", "", " abc ", {" abc"}},
        SplitCase{"11", ",", "|", "a,b,c", {"a", "|b,c"}}, SplitCase{"13", ",", "|", "a,b,c", {"a,b", "|c"}},
        SplitCase{"13", "x", "R", "  Ann  ", {"Ann"}}, SplitCase{"13", "", "R", "  abc ", {"abc ", "R"}},
        // 12 and 14 trim each part, and only the lines they cut.
        SplitCase{"12", " m. ", "M_", "John Smith m. Mary Jones", {"M_Mary Jones", "John Smith"}},
        SplitCase{"12", "m.", "M_", "John Smith m. Mary Jones", {"M_Mary Jones", "John Smith"}},
        SplitCase{"12", " m. ", "M_", " m.  Mary ", {"M_Mary"}}, SplitCase{"12", "x", "R", "  Ann  ", {"  Ann  "}},
        SplitCase{"12", "", "R", " abc ", {"Rabc"}}, SplitCase{"14", ",", "|", "a, b, c", {"|c", "a, b"}},
        SplitCase{"14", "x", "R", "  Ann  ", {"  Ann  "}}, SplitCase{"14", "", "R", " abc ", {"R", "abc"}}));

INSTANTIATE_TEST_SUITE_P(
    NewLine, SplitAndNewLineRules,
    testing::Values(
        SplitCase{"21", " b. ", "", " John Smith b. 1900 ", {"John Smith", "John Smith b. 1900"}},
        SplitCase{"21", " b. ", "", " b. 1900 ", {"b. 1900"}}, SplitCase{"21", " b. ", "+", "  Ann  ", {"  Ann  "}},
        SplitCase{"22", " b. ", "X", "John b. 1900", {"John b. 1900", "JohnX"}},
        SplitCase{"23", " b. ", "B_", "John b. 1900", {"B_1900", "John b. 1900"}},
        SplitCase{"23", " b. ", "", "John b.    ", {"John b."}},
        SplitCase{"24", "children:", "+", "John Smith children: Ann", {"John Smith children: Ann", "+Ann"}},
        SplitCase{"24", "", "+", "abc", {"abc", "+abc"}}, SplitCase{"25", ",", "", "a, b, c", {"a, b", "a, b, c"}},
        SplitCase{"26", ",", "!", "a, b, c", {"a, b, c", "a, b!"}},
        SplitCase{"27", ",", "+", "a, b, c", {"+c", "a, b, c"}},
        SplitCase{"28", ",", "+", "a, b, c", {"a, b, c", "+c"}}, SplitCase{"28", "x", "+", " a, b ", {" a, b "}},
        // The last occurrence of an empty search text is at the end of the line.
        SplitCase{"27", "", "R", " abc", {"R", "abc"}}, SplitCase{"26", "", "!", "abc ", {"abc", "abc!"}}));

}  // namespace
}  // namespace quenby
