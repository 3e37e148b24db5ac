#include "engine/engine.hpp"

#include <gtest/gtest.h>

#include <string>

namespace quenby {
namespace {

std::string Item(std::string_view code, std::string_view search = "") {
  return std::string(code) + "\t|\t" + std::string(search) + "\t|\t";
}

TEST(RecogniseChildren, MarksEveryLineAfterTheHeadingAndDropsTheHeading) {
  EXPECT_EQ(RunRules(" John \r\nChildren:\r\nAnn\r\n   \r\nChildren again\r\nTom", {Item("31", "Children")}),
            (LineList{"John", "+Ann", "+Tom"}));
  // Every line starts with an empty heading.
  EXPECT_EQ(RunRules("John\r\nAnn", {Item("31")}), LineList{});
}

TEST(ConvertGenerationNumber, NumbersBecomePlusRunsAndOtherLinesSpouses) {
  EXPECT_EQ(RunRules("1 John Smith\r\nMary Brown\r\n2 Ann Smith\r\nBob Jones\r\n- note\r\n3 Tom Jones", {Item("32")}),
            (LineList{"John Smith", "&Mary Brown", "+Ann Smith", "+&Bob Jones", "- note", "++Tom Jones"}));
}

struct GenerationCase {
  std::int64_t generationBefore;
  std::string line;
  std::string expected;
  std::int64_t generationAfter;
};

class ConvertGeneration : public testing::TestWithParam<GenerationCase> {};

TEST_P(ConvertGeneration, RewritesTheLineAndTheGeneration) {
  const auto& c = GetParam();
  RunState state{c.generationBefore, false};
  EXPECT_EQ(ApplyRule(Rule{"32", "", ""}, c.line, state), c.expected);
  EXPECT_EQ(state.generation, c.generationAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ConvertGeneration,
    testing::Values(GenerationCase{1, "3. Tom", "++. Tom", 3}, GenerationCase{1, " 007 Tom", "++++++00 Tom", 7},
                    GenerationCase{1, "5", "++++", 5}, GenerationCase{3, "   ", "++&", 3},
                    GenerationCase{2, "+Ann", "++Ann", 2}, GenerationCase{1, " Mary ", "&Mary", 1},
                    GenerationCase{2, "&Mary", "+&Mary", 2}, GenerationCase{4, "  - x ", "  - x ", 4},
                    // The characters next to "0" and "9" are not digits.
                    GenerationCase{2, "/5 Tom", "+&/5 Tom", 2}, GenerationCase{2, ":5", "+&:5", 2},
                    GenerationCase{1, "32767 X", std::string(32766, '+') + "X", 32767},
                    GenerationCase{1, "00032767 X", std::string(32766, '+') + "000 X", 32767},
                    // No generation 0 and none above the largest: line and generation stay.
                    GenerationCase{4, " 0 Tom", " 0 Tom", 4}, GenerationCase{4, "000 Tom", "000 Tom", 4},
                    GenerationCase{4, "32768 Tom", "32768 Tom", 4}, GenerationCase{4, "100000 Tom", "100000 Tom", 4},
                    GenerationCase{4, "99999999999999999999 Tom", "99999999999999999999 Tom", 4}));

struct LineCase {
  std::string line;
  std::string expected;
};

class MoveMarriageData : public testing::TestWithParam<LineCase> {};

TEST_P(MoveMarriageData, PutsTheNameBeforeTheMarriageField) {
  RunState state;
  EXPECT_EQ(ApplyRule(Rule{"41", "ignored", "ignored"}, GetParam().line, state), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, MoveMarriageData,
    testing::Values(
        LineCase{"+&|_M_(London) 12.3.1875 Mary Jones|_B_1850", "+&Mary Jones|_M_12/3/1875 (London)|_B_1850"},
        LineCase{"&|_M_12.3.1875 Mary Jones", "&Mary Jones|_M_12/3/1875"},
        LineCase{"&|_M_12.Mar.1875 Ann", "&Ann|_M_12/Mar/1875"}, LineCase{"&|_M_1875 Ann|_N_x", "&Ann|_M_1875|_N_x"},
        LineCase{"&|_M_abt 1875 Mary", "&abt 1875 Mary|_M_"}, LineCase{"&|_M_31.2.1875 Ann", "&31.2.1875 Ann|_M_"},
        LineCase{"&|_M_ 12.3.1875 Mary", "&12.3.1875 Mary|_M_"},
        LineCase{"&|_M_(London 1875 Mary", "&(London 1875 Mary|_M_ "}, LineCase{"&|_M_(York)", "&|_M_ (York)"},
        LineCase{"&|_M_1875", "&|_M_1875"}, LineCase{"x&|_M_(A)  Ann |_D_1", "x&Ann|_M_ (A)|_D_1"},
        LineCase{"John|_M_1875 Ann", "John|_M_1875 Ann"}, LineCase{"& |_M_1875", "& |_M_1875"}));

class AddFamilyName : public testing::TestWithParam<LineCase> {};

TEST_P(AddFamilyName, NamesOnlyTheMainLine) {
  RunState state;
  EXPECT_EQ(ApplyRule(Rule{"42", "ignored", "Smith"}, GetParam().line, state), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Lines, AddFamilyName,
                         testing::Values(LineCase{"John|_B_1850", "John Smith|_B_1850"}, LineCase{"John", "John Smith"},
                                         LineCase{"+Ann|_B_1", "+Ann Smith|_B_1"},
                                         LineCase{"|_B_1850", " Smith|_B_1850"}, LineCase{"+&Mary", "+&Mary"},
                                         LineCase{"- note", "- note"}, LineCase{"-&Ann", "-&Ann"},
                                         LineCase{"Jo&hn", "Jo&hn"}));

}  // namespace
}  // namespace quenby
