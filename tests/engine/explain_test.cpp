// SPDX-License-Identifier: GPL-3.0-or-later
// What each rule did and where each line came from: the counts of a traced
// run, the sources of its lines, and the view of the lines after one rule.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/engine.hpp"
#include "rules/rule_item.hpp"
#include "rules/rules_file.hpp"
#include "support/golden_table.hpp"
#include "text/file_io.hpp"
#include "text/text.hpp"

namespace quenby {
namespace {

// The sources of each line written as "1,2|3".
std::string SourcesText(const SourceTable& sources) {
  std::string text;
  for (std::size_t i = 0; i < sources.size(); ++i) {
    text += i > 0 ? "|" : "";
    for (std::size_t k = 0; k < sources[i].size(); ++k) {
      text += (k > 0 ? "," : "") + std::to_string(sources[i][k]);
    }
  }
  return text;
}

std::string EffectText(const RuleEffect& effect) {
  return std::to_string(effect.changed) + " changed, " + std::to_string(effect.made) + " made, " +
         std::to_string(effect.removed) + " removed, " + std::to_string(effect.moved) + " moved";
}

// Rules written as read, "\n" between them, so that a rule may hold a line
// feed ("\x0A").
std::vector<std::string> RulesOf(const std::string& field) {
  std::vector<std::string> rules;
  for (std::size_t at = 0; !field.empty() && at <= field.size();) {
    const std::size_t end = std::min(field.find("\\n", at), field.size());
    rules.push_back(DecodeGoldenField(field.substr(at, end - at)));
    at = end + 2;
  }
  return rules;
}

class RuleFamilies : public testing::TestWithParam<GoldenRow> {};

// Each row: a name, the input, the rules, what the last rule did, and the
// sources of each line. The rows without rules count the input lines as the
// user sees the text: every CR LF, lone LF and lone CR ends one, and the
// empty lines the run drops count too.
TEST_P(RuleFamilies, CountWhatTheLastRuleDidAndKeepEachLinesSources) {
  const GoldenRow& c = GetParam();
  const std::vector<std::string> rules = RulesOf(c[2]);
  RunReport report;
  const TracedRun run = RunRulesTraced(c[1], rules, report);
  ASSERT_TRUE(report.warnings.empty()) << report.warnings.front();
  ASSERT_EQ(run.effects.size(), rules.size());
  EXPECT_EQ(run.effects.empty() ? "" : EffectText(run.effects.back()), c[3]);
  EXPECT_EQ(SourcesText(run.sources), c[4]);
  EXPECT_EQ(run.lines, RunRules(c[1], rules));
}

INSTANTIATE_TEST_SUITE_P(Explain, RuleFamilies, testing::ValuesIn(ReadGoldenTable("explain/families.tsv", 5, {2})),
                         [](const auto& info) { return info.param[0]; });

// Each line of a table has sources of its own: a line given a copy of
// another's list, or a list freed and reused, keeps its numbers when the
// other changes or goes.
TEST(SourceTable, LinesKeepTheirOwnSourcesThroughRegroupsJoinsAndReuse) {
  SourceTable table;
  table.Append(std::vector<std::uint32_t>{1});
  table.Append(std::vector<std::uint32_t>{2, 3});
  table.Append(std::vector<std::uint32_t>{4, 5});
  // Old line 1 goes on as two lines; old lines 2 and 0 become one.
  table.Regroup({0, 1, 2}, {1, 1, 2, 0});
  table.Join(0, 2);
  EXPECT_EQ(SourcesText(table), "1,2,3,4,5|2,3|1,4,5");
  table.Select({2, 1});
  table.Append(std::vector<std::uint32_t>{7, 8});
  table.Append(std::vector<std::uint32_t>{9});
  table.Join(3, 2);
  table.Join(1, 0);
  EXPECT_EQ(SourcesText(table), "1,4,5|1,2,3,4,5|7,8|7,8,9");
}

class Example : public testing::TestWithParam<const char*> {};

// Each step of an example shows what a plain run of the rules up to it gives,
// its marks agree with its counts, and the lines after it are those before,
// less the removed, plus the made.
TEST_P(Example, EveryStepIsAPlainRunOfTheRulesUpToIt) {
  const std::filesystem::path base = std::filesystem::path(QUENBY_SOURCE_DIR) / "examples" / GetParam();
  std::string error;
  const auto text = ReadTextFile(base.string() + ".txt", 1 << 24, error);
  ASSERT_TRUE(text) << error;
  const std::string input = NormaliseLineBreaks(*text);
  const std::vector<std::string> rules = LoadRulesFile(base.string() + ".rules").items;
  ASSERT_FALSE(rules.empty());
  RunReport report;
  const RuleSteps steps(input, rules, report);
  ASSERT_EQ(steps.Run().lines, RunRules(input, rules));
  ASSERT_EQ(steps.Run().effects.size(), rules.size());
  std::size_t before = steps.After(0).lines.size();
  for (std::size_t k = 1; k <= rules.size(); ++k) {
    const RuleStep step = steps.After(k);
    const std::vector<std::string> prefix(rules.begin(), rules.begin() + static_cast<std::ptrdiff_t>(k));
    ASSERT_EQ(step.lines, RunRules(input, prefix)) << "rule " << k;
    const RuleEffect& effect = steps.Run().effects[k - 1];
    EXPECT_EQ(EffectText(step.effect), EffectText(effect)) << "rule " << k;
    const auto marked = [&](LineMark mark) {
      return static_cast<std::size_t>(std::count(step.marks.begin(), step.marks.end(), mark));
    };
    EXPECT_EQ(marked(LineMark::kChanged), effect.changed) << "rule " << k;
    EXPECT_EQ(marked(LineMark::kMade), effect.made) << "rule " << k;
    EXPECT_EQ(marked(LineMark::kMoved), effect.moved) << "rule " << k;
    EXPECT_EQ(step.lines.size(), before - effect.removed + effect.made) << "rule " << k;
    before = step.lines.size();
  }
  EXPECT_EQ(SourcesText(steps.After(rules.size()).sources), SourcesText(steps.Run().sources));
  for (std::size_t line = 0; line < steps.Run().sources.size(); ++line) {
    const SourceLines sources = steps.Run().sources[line];
    ASSERT_FALSE(sources.empty());
    EXPECT_TRUE(std::is_sorted(sources.begin(), sources.end()));
    EXPECT_EQ(std::adjacent_find(sources.begin(), sources.end()), sources.end());
  }
}

INSTANTIATE_TEST_SUITE_P(Explain, Example,
                         testing::Values("hartley", "chain", "breadth", "ascending", "continuation", "marriages",
                                         "register"));

std::string MarksText(const std::vector<LineMark>& marks) {
  std::string text;
  for (const LineMark mark : marks) {
    text += "KCMV"[static_cast<int>(mark)];
  }
  return text;
}

class Explain : public testing::TestWithParam<GoldenRow> {};

// A line a rule empties is removed, though the re-split keeps an empty line
// in its place until the next rule; a line cut in two goes on as the piece
// holding its text as it was.
TEST_P(Explain, MarkWhatTheSelectedRuleDidToEachLine) {
  const GoldenRow& c = GetParam();
  RunReport report;
  const RuleStep step = RuleSteps(c[1], RulesOf(c[2]), report).After(std::stoul(c[3]));
  EXPECT_EQ(step.lines, GoldenLines(c[4])) << c.where;
  EXPECT_EQ(MarksText(step.marks), c[5]) << c.where;
  EXPECT_EQ(SourcesText(step.sources), c[6]) << c.where;
  EXPECT_EQ(EffectText(step.effect), c[7]) << c.where;
}

INSTANTIATE_TEST_SUITE_P(RuleSteps, Explain, testing::ValuesIn(ReadGoldenTable("explain/steps.tsv", 8, {2})),
                         [](const auto& info) { return info.param[0]; });

TEST(RunRulesTraced, AStoppedRunGivesNothing) {
  std::atomic<bool> stop{true};
  RunControl control;
  control.stop = &stop;
  RunReport report;
  const TracedRun run = RunRulesTraced("John\r\nAnn", {EncodeRuleItem(1, "a", "b")}, report, control);
  EXPECT_TRUE(report.cancelled);
  EXPECT_TRUE(run.lines.empty());
  EXPECT_TRUE(run.effects.empty());
  RunReport stepsReport;
  const RuleSteps steps("John\r\nAnn", {EncodeRuleItem(1, "a", "b")}, stepsReport, control);
  EXPECT_TRUE(steps.After(1).lines.empty());
}

}  // namespace
}  // namespace quenby
