// SPDX-License-Identifier: GPL-3.0-or-later
// Rules 51 to 54: patterns over each line, groups in the replacement, the
// problems a bad pattern or replacement reports, and linear matching time.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "engine/engine.hpp"
#include "rules/rule_item.hpp"

namespace quenby {
namespace {

struct PatternCase {
  std::string code;
  std::string pattern;
  std::string replacement;
  std::string input;  // lines joined by CR LF
  LineList people;
};

const PatternCase kPatternCases[] = {
    // 51: every match, groups by number, nothing trimmed; ^ and $ are the
    // ends of each line.
    {"51",
     R"( (b\.|born|\*) )",
     "|_B_",
     "John b. 1850\r\nAnn born 1852\r\nTom * 1855",
     {"John|_B_1850", "Ann|_B_1852", "Tom|_B_1855"}},
    {"51", R"((\w+), (\w+))", R"(\2 \1)", "Smith, John \r\nx", {"John Smith ", "x"}},
    {"51", "^", "+", "a\r\nb", {"+a", "+b"}},
    {"51", "x*", "-", "ab", {"-a-b-"}},
    {"51", "é", "e", "Zoë Renée", {"Zoë Renee"}},
    {"51", "ë", "", "ë", {}},
    // 52: the whole line, groups from its first match; empty removes it.
    {"52", R"(^(\d+)\. (.*)$)", R"(\2 (\1))", "1. John\r\nno number", {"John (1)", "no number"}},
    {"52", "Index|Source", "", "Back to Index\r\nJohn\r\nSource: web", {"John"}},
    // 53: only the matching lines stay.
    {"53", R"(\d{4})", "ignored", "John 1850\r\nPage 3\r\nAnn 1852", {"John 1850", "Ann 1852"}},
    // A character is one code point, whatever its length in UTF-8.
    {"53",
     "^.$",
     "",
     "\xC2\x80\r\n\xE0\xA0\x80\r\n\xF0\x90\x80\x80\r\nab",
     {"\xC2\x80", "\xE0\xA0\x80", "\xF0\x90\x80\x80"}},
    // 54: a piece per match, each later piece started by the replacement
    // with the groups of the match before it; empty matches cut nothing.
    {"54", "(, | and )", "+", "Henry, James and Thomas", {"Henry", "+James", "+Thomas"}},
    {"54", "(son|daughter):", R"(\1 )", "a son:Tom daughter:Ann", {"a ", "son Tom ", "daughter Ann"}},
    {"54", ",", "", ",a,,b,", {"a", "b"}},
    {"54", "x*", "+", "abc", {"abc"}},
    {"54", "ü", "|", "aüb", {"a", "|b"}},
};

TEST(PatternRules, GiveThesePeopleLists) {
  for (const auto& c : kPatternCases) {
    RunReport report;
    EXPECT_EQ(RunRules(c.input, {EncodeRuleItem(std::stol(c.code), c.pattern, c.replacement)}, report), c.people)
        << c.code << " " << c.pattern << " on " << c.input;
    EXPECT_TRUE(report.warnings.empty());
  }
}

TEST(PatternRules, AnInvalidPatternOrReplacementRunsAsNothingAndIsReportedOncePerRule) {
  const std::vector<std::string> rules = {EncodeRuleItem(51, "(a", "x"), EncodeRuleItem(1, "b", "c"),
                                          EncodeRuleItem(54, "a", R"(\1)"), EncodeRuleItem(53, "(a", "")};
  RunReport report;
  EXPECT_EQ(RunRules("ab\r\nab\r\nb", rules, report), (LineList{"ac", "ac", "c"}));
  ASSERT_EQ(report.warnings.size(), 3u);
  EXPECT_EQ(report.warnings[0].rfind("Rule 1 (code 51, search text \"(a\") did nothing: the pattern is not valid: ", 0),
            0u)
      << report.warnings[0];
  EXPECT_NE(report.warnings[1].find("Rule 3 (code 54"), std::string::npos);
  EXPECT_NE(report.warnings[1].find("replacement"), std::string::npos);
  EXPECT_NE(report.warnings[2].find("Rule 4 (code 53"), std::string::npos);
  // What the rule editor asks before it accepts a rule; 53 has no replacement.
  EXPECT_NE(RuleProblem(Rule{"51", "[z-a]", ""}), "");
  EXPECT_NE(RuleProblem(Rule{"52", "\xC3", ""}), "");
  EXPECT_EQ(RuleProblem(Rule{"53", "a", R"(\9)"}), "");
  EXPECT_EQ(RuleProblem(Rule{"1", "(a", R"(\9)"}), "");
}

TEST(PatternRules, MatchInLinearTimeOnLongLinesAndLongLists) {
  const std::string longLine(100000, 'a');
  LineList many(100000, "John b. 1850 m. 1875 Mary");
  std::string manyText;
  for (const auto& line : many) {
    manyText.append(line).append("\r\n");
  }
  const auto start = std::chrono::steady_clock::now();
  for (const long code : {51, 52, 53, 54}) {
    EXPECT_EQ(RunRules(longLine, {EncodeRuleItem(code, "(a*)*b", "x")}), code == 53 ? LineList{} : LineList{longLine});
    EXPECT_EQ(RunRules(longLine + "b", {EncodeRuleItem(code, "(a*)*b", "x")}),
              code == 53 ? LineList{longLine + "b"} : LineList{"x"});
  }
  EXPECT_EQ(RunRules(manyText, {EncodeRuleItem(51, R"( (b|m)\. )", R"(|_\1_)")}).front(), "John|_b_1850|_m_1875 Mary");
  // Far more than linear matching needs even in a sanitizer build; a
  // backtracking matcher would not finish the first pattern at all.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

}  // namespace
}  // namespace quenby
