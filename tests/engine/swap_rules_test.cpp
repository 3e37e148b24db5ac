#include "engine/engine.hpp"

#include <gtest/gtest.h>

#include <string>

namespace quenby {
namespace {

struct SwapCase {
  std::string code;
  std::string search;
  std::string replacement;
  std::string line;
  std::string expected;
};

class SwapRules : public testing::TestWithParam<SwapCase> {};

TEST_P(SwapRules, RewriteTheLine) {
  const auto& c = GetParam();
  RunState state;
  EXPECT_EQ(ApplyRule(Rule{c.code, c.search, c.replacement}, c.line, state), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SwapRules,
    testing::Values(
        // 1: every occurrence, left to right without overlap, then trimmed.
        SwapCase{"1", "b.", "B_", "John b. 1900 ", "John B_ 1900"},
        SwapCase{"1", "b.", "B_", "  Ann 1901  ", "Ann 1901"}, SwapCase{"1", "aa", "a", "aaaa", "aa"},
        SwapCase{"1", "", "X", " a ", "a"}, SwapCase{"1", "B.", "X", "b.", "b."},
        // 2 and 4: the replacement, then the trimmed rest after the first or last occurrence.
        SwapCase{"2", ", ", "R:", "Smith, John, farmer", "R:John, farmer"},
        SwapCase{"4", ", ", "R:", "Smith, John, farmer", "R:farmer"}, SwapCase{"2", " x", " Y ", "a x  b  ", " Y b"},
        SwapCase{"2", ", ", "R:", "  none  ", "  none  "}, SwapCase{"2", "", "R:", "abc", "R:abc"},
        SwapCase{"4", "", "R:", "abc ", "R:"}, SwapCase{"2", "", "R:", "", ""}, SwapCase{"4", "", "R:", "", ""},
        // 3 and 5: the trimmed text before the first or last occurrence, then the replacement.
        SwapCase{"3", ", ", "!", " Smith, John, farmer", "Smith!"},
        SwapCase{"5", ", ", "!", "Smith, John, farmer", "Smith, John!"}, SwapCase{"3", "", "!", " abc", "!"},
        SwapCase{"5", "", "!", " abc ", "abc!"}, SwapCase{"5", "x", "!", " abc ", " abc "},
        // 6 to 8: the whole line, tested trimmed for start and end.
        SwapCase{"6", "1 ", "X", "  1 John", "X"}, SwapCase{"6", "1 ", "X", "John 1 ", "John 1 "},
        SwapCase{"6", "", "X", "anything", "X"}, SwapCase{"6", "", "X", "   ", "X"},
        SwapCase{"6", "Note", "", "Note: x", ""}, SwapCase{"7", ".", "X", "John Smith.  ", "X"},
        SwapCase{"7", ".", "X", " John. Smith ", " John. Smith "}, SwapCase{"7", "", "X", "abc", "X"},
        SwapCase{"8", "xyz", "", "a xyz b", ""}, SwapCase{"8", "xyz", "", "a xy z", "a xy z"},
        SwapCase{"8", "", "X", "abc", "X"}, SwapCase{"8", "", "X", "", ""},
        SwapCase{"8", "Smith", "X", "SMITH", "SMITH"}));

}  // namespace
}  // namespace quenby
