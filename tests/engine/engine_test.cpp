// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/engine.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "rules/catalogue.hpp"
#include "support/golden_table.hpp"
#include "text/text.hpp"

namespace quenby {
namespace {

std::string Item(std::string_view code, std::string_view search = "", std::string_view replacement = "") {
  return std::string(code) + "\t|\t" + std::string(search) + "\t|\t" + std::string(replacement);
}

std::string Repeated(std::string_view piece, std::size_t times) {
  std::string text;
  for (std::size_t i = 0; i < times; ++i) {
    text += piece;
  }
  return text;
}

// The five steps applied to the whole list at once: the reference that the
// run-by-run re-split must match. Embedded breaks separate lines, empty
// entries go, and an LF ending one entry goes with a CR starting the next;
// any other lone CR or LF stays. The added LF and CR are cut off only while
// they are still there: when a lone CR or LF at an end went with one of them,
// no character of the lines is cut off instead.
LineList SplitAllAtOnce(const LineList& lines) {
  std::string joined = "\n";
  for (std::size_t i = 0; i < lines.size(); ++i) {
    joined += (i > 0 ? "\r\n" : "") + lines[i];
  }
  std::string text = ReplaceAll(joined + "\r", "\n\r", "");
  if (text.starts_with('\n')) {
    text.erase(0, 1);
  }
  if (text.ends_with('\r')) {
    text.pop_back();
  }
  return text.empty() ? LineList{} : SplitOn(text, "\r\n");
}

std::string RandomText(std::mt19937& random) {
  static const std::vector<std::string> kPieces = {"a", " ", "\r", "\n", "\r\n", "\n\r", "bc"};
  std::string text;
  for (auto count = random() % 4; count > 0; --count) {
    text += kPieces[random() % kPieces.size()];
  }
  return text;
}

TEST(SplitLines, MatchesTheFiveStepsOnTheWholeList) {
  std::mt19937 random(7);
  for (int round = 0; round < 20000; ++round) {
    LineList lines(random() % 9);
    for (auto& line : lines) {
      line = RandomText(random);
    }
    ASSERT_EQ(SplitLines(lines), SplitAllAtOnce(lines)) << testing::PrintToString(lines);
  }
}

TEST(RunRules, PlainAndTracedMatchPassByPassSplittingWhenRulesWriteLoneBreaks) {
  std::mt19937 random(11);
  for (int round = 0; round < 3000; ++round) {
    std::string input;
    for (auto count = random() % 6; count > 0; --count) {
      input += RandomText(random) + "x";
    }
    std::vector<std::string> items;
    for (auto count = 1 + random() % 3; count > 0; --count) {
      static const std::vector<std::string> kCodes = {"1", "8", "11", "12", "22", "27"};
      items.push_back(Item(kCodes[random() % kCodes.size()], random() % 2 ? "x" : "a", RandomText(random)));
    }
    LineList expected = InputLines(input);
    RunState state;
    for (const auto& item : items) {
      for (auto& line : expected) {
        line = ApplyRule(DecodeRuleItem(item), line, state);
      }
      expected = SplitAllAtOnce(expected);
    }
    std::erase_if(expected, [](const std::string& line) { return line.empty(); });
    ASSERT_EQ(RunRules(input, items), expected) << testing::PrintToString(input);
    // A traced run gives the same lines, and sources for each: ascending,
    // each once.
    RunReport report;
    const TracedRun traced = RunRulesTraced(input, items, report);
    ASSERT_EQ(traced.lines, expected) << testing::PrintToString(input);
    ASSERT_EQ(traced.sources.size(), expected.size());
    for (std::size_t line = 0; line < expected.size(); ++line) {
      const SourceLines sources = traced.sources[line];
      ASSERT_FALSE(sources.empty()) << testing::PrintToString(input) << testing::PrintToString(items);
      ASSERT_EQ(std::adjacent_find(sources.begin(), sources.end(), std::greater_equal<>()), sources.end());
    }
  }
}

// The rule editor offers the catalogue; the engine must run every code in it.
TEST(RunRules, EveryCodeOfTheCatalogueRunsWithoutAWarning) {
  for (const auto& entry : RuleCatalogue()) {
    RunReport report;
    RunRules("a x b", {EncodeRuleItem(entry.code, "x", "y")}, report);
    EXPECT_EQ(report.warnings, std::vector<std::string>{}) << entry.code;
  }
}

class RunTable : public testing::TestWithParam<GoldenRow> {};

TEST_P(RunTable, GivesThesePeople) {
  const GoldenRow& c = GetParam();
  RunReport report;
  EXPECT_EQ(RunRules(c[1], GoldenLines(c[2]), report), GoldenLines(c[3])) << c.where << ": " << c[0];
  EXPECT_EQ(report.warnings, GoldenLines(c[4])) << c.where << ": " << c[0];
}

INSTANTIATE_TEST_SUITE_P(Runs, RunTable, testing::ValuesIn(ReadGoldenTable("rule_codes/runs.tsv", 5)));

// Rules that make a text explode stop the run with an empty list and a
// message naming the rule's position and code: doubling a line pass after
// pass, new lines copied again and again, and rule 32 turning a short line
// into tens of thousands of generation marks. (One rule 1 multiplying a long
// line in a single pass is run through both programs.)
TEST(RunRules, GrowthPastTheLimitStopsTheRunAndNamesTheRule) {
  struct Case {
    std::string input;
    std::vector<std::string> rules;
    std::size_t limit;
    std::string rule;
  };
  const std::vector<Case> cases = {
      {"a", std::vector<std::string>(30, Item("1", "a", "aa")), 1 << 16, "Rule 16 (code 1)"},
      {"a b", std::vector<std::string>(30, Item("24", " ", "x ")), 1 << 16, "Rule 11 (code 24)"},
      {"1 John\r\n32767 x", {Item("1"), Item("32")}, 1 << 15, "Rule 2 (code 32)"},
      // Rules on the whole list stop within their pass: a chain of 20,000
      // ever deeper generations would hold 200 MB, a pattern that matches
      // between every two letters 10 MB per line.
      {Repeated("x\r\n", 20'000), {Item("33", "x", "")}, 1 << 20, "Rule 1 (code 33)"},
      {Repeated("abcdefghij", 1'000), {Item("51", "", std::string(1000, 'y'))}, 1 << 20, "Rule 1 (code 51)"}};
  for (const auto& [input, rules, limit, rule] : cases) {
    RunReport report;
    EXPECT_EQ(RunRulesWithin(input, rules, report, limit), LineList{}) << rule;
    EXPECT_TRUE(report.stopped.starts_with(rule)) << report.stopped;
  }
  RunReport report;
  EXPECT_EQ(RunRulesWithin("1 John\r\n32767 x", {Item("32")}, report, 1 << 16).size(), 2u);
  EXPECT_EQ(report.stopped, "");
}

}  // namespace
}  // namespace quenby
