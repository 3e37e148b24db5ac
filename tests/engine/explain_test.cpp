// SPDX-License-Identifier: GPL-3.0-or-later
// What each rule did and where each line came from: the counts of a traced
// run, the sources of its lines, and the view of the lines after one rule.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "engine/engine.hpp"
#include "rules/rules_file.hpp"
#include "support/golden_table.hpp"
#include "text/file_io.hpp"
#include "text/text.hpp"

namespace quenby {
namespace {

std::string Item(std::string_view code, std::string_view search = "", std::string_view replacement = "") {
  return std::string(code) + "\t|\t" + std::string(search) + "\t|\t" + std::string(replacement);
}

// The sources of each line written as "1,2|3".
std::string SourcesText(const std::vector<SourceLines>& sources) {
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

class RuleFamilies : public testing::TestWithParam<GoldenRow> {};

// Each row: a name, the input, the rules, what the last rule did, and the
// sources of each line. The rows without rules count the input lines as the
// user sees the text: every CR LF, lone LF and lone CR ends one, and the
// empty lines the run drops count too. The rules are read as written, "\n" between them,
// so that a rule may hold a line feed ("\x0A").
TEST_P(RuleFamilies, CountWhatTheLastRuleDidAndKeepEachLinesSources) {
  const GoldenRow& c = GetParam();
  std::vector<std::string> rules;
  for (std::size_t at = 0; !c[2].empty() && at <= c[2].size();) {
    const std::size_t end = std::min(c[2].find("\\n", at), c[2].size());
    rules.push_back(DecodeGoldenField(c[2].substr(at, end - at)));
    at = end + 2;
  }
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

std::string ExampleFile(const std::string& name) {
  std::string error;
  const auto text = ReadTextFile(std::filesystem::path(QUENBY_SOURCE_DIR) / "examples" / name, 1 << 24, error);
  EXPECT_TRUE(text) << error;
  return text ? NormaliseLineBreaks(*text) : std::string();
}

std::vector<std::string> ExampleRules(const std::string& name) {
  auto loaded = LoadRulesFile((std::filesystem::path(QUENBY_SOURCE_DIR) / "examples" / name).string());
  EXPECT_EQ(loaded.status, LoadStatus::kLoaded);
  return loaded.items;
}

class Example : public testing::TestWithParam<const char*> {};

// Each step of an example shows what a plain run of the rules up to it gives,
// its marks agree with its counts, and the lines after it are those before,
// less the removed, plus the made.
TEST_P(Example, EveryStepIsAPlainRunOfTheRulesUpToIt) {
  const std::string input = ExampleFile(std::string(GetParam()) + ".txt");
  const std::vector<std::string> rules = ExampleRules(std::string(GetParam()) + ".rules");
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
  for (const SourceLines& sources : steps.Run().sources) {
    ASSERT_FALSE(sources.empty());
    EXPECT_TRUE(std::is_sorted(sources.begin(), sources.end()));
    EXPECT_EQ(std::adjacent_find(sources.begin(), sources.end()), sources.end());
  }
}

INSTANTIATE_TEST_SUITE_P(Explain, Example,
                         testing::Values("hartley", "chain", "breadth", "ascending", "continuation", "marriages",
                                         "register"));

TEST(RuleSteps, MarkWhatTheSelectedRuleDidToEachLine) {
  const std::vector<std::string> rules = {Item("11", " m. ", "&"), Item("8", "Index"), Item("1", "b.", "B_"),
                                          Item("34")};
  const std::string input = "John b. 1900 m. Mary\r\nIndex\r\nTom";
  RunReport report;
  const RuleSteps steps(input, rules, report);
  const RuleStep first = steps.After(1);
  EXPECT_EQ(first.lines, (LineList{"John b. 1900", "&Mary", "Index", "Tom"}));
  EXPECT_EQ(first.marks, (std::vector{LineMark::kChanged, LineMark::kMade, LineMark::kKept, LineMark::kKept}));
  const RuleStep third = steps.After(3);
  EXPECT_EQ(third.marks, (std::vector{LineMark::kChanged, LineMark::kKept, LineMark::kKept}));
  EXPECT_EQ(SourcesText(third.sources), "1|1|3");
  const RuleStep last = steps.After(4);
  EXPECT_EQ(last.marks, (std::vector{LineMark::kMoved, LineMark::kMoved, LineMark::kMoved}));
  EXPECT_EQ(EffectText(steps.After(2).effect), "0 changed, 0 made, 1 removed, 0 moved");
  EXPECT_TRUE(steps.After(5).lines.empty());
  EXPECT_EQ(steps.After(0).lines, RunRules(input, {}));
}

// A line a rule empties is removed, though the re-split keeps an empty line
// in its place until the next rule: the step leaves it out, as a run does,
// and the marks of the lines after it stay with their lines.
TEST(RuleSteps, AnEmptiedLineIsRemovedAndTheMarksAfterItStayWithTheirLines) {
  RunReport report;
  const RuleSteps steps("a\r\nQ\r\ncQ b", {Item("1", "Q", "\n\r"), Item("1", "b", "x")}, report);
  const RuleStep emptied = steps.After(1);
  EXPECT_EQ(emptied.lines, (LineList{"a", "c b"}));
  EXPECT_EQ(emptied.marks, (std::vector{LineMark::kKept, LineMark::kChanged}));
  EXPECT_EQ(EffectText(emptied.effect), "1 changed, 0 made, 1 removed, 0 moved");
  const RuleStep next = steps.After(2);
  EXPECT_EQ(next.marks, (std::vector{LineMark::kKept, LineMark::kChanged}));
  EXPECT_EQ(SourcesText(next.sources), "1|3");
}

// A line cut in two goes on as the piece holding its text as it was, here
// trimmed: the new line before it is the made one.
TEST(RuleSteps, ALineGoesOnAsThePieceHoldingItsTrimmedText) {
  RunReport report;
  const RuleSteps steps("Tom\r\n  John b. 1900 \r\nAnn", {Item("21", " b. ")}, report);
  const RuleStep step = steps.After(1);
  EXPECT_EQ(step.lines, (LineList{"Tom", "John", "John b. 1900", "Ann"}));
  EXPECT_EQ(step.marks, (std::vector{LineMark::kKept, LineMark::kMade, LineMark::kChanged, LineMark::kKept}));
}

TEST(RuleSteps, EveryStepOfALongRuleListComesFromTheNearestCheckpoint) {
  std::vector<std::string> rules;
  for (int i = 0; i < 23; ++i) {
    rules.push_back(i % 3 == 0 ? Item("11", ",", "") : Item("1", std::to_string(i % 10), "#"));
  }
  std::string input;
  for (int i = 0; i < 200; ++i) {
    input += "a" + std::to_string(i) + ",b" + std::to_string(i * 7) + ",c\r\n";
  }
  RunReport report;
  const RuleSteps steps(input, rules, report);
  for (std::size_t k = 0; k <= rules.size(); ++k) {
    const std::vector<std::string> prefix(rules.begin(), rules.begin() + static_cast<std::ptrdiff_t>(k));
    const RuleStep step = steps.After(k);
    ASSERT_EQ(step.lines, RunRules(input, prefix)) << "rule " << k;
    ASSERT_EQ(step.sources.size(), step.lines.size());
  }
}

// Whatever lone CR and LF the rules make, a traced run gives the lines a
// plain run gives, and every line knows at least one input line.
TEST(RunRulesTraced, GivesThePlainRunsLinesForAnyBreaksTheRulesMake) {
  std::mt19937 random(11);
  const std::vector<std::string> pieces = {"a", " ", "\r", "\n", "\r\n", "\n\r", "#", "x", "Children"};
  const auto text = [&](std::size_t count) {
    std::string made;
    for (std::size_t i = 0; i < count; ++i) {
      made += pieces[random() % pieces.size()];
    }
    return made;
  };
  const std::vector<std::string> rules = {Item("1", "#", "\n"),  Item("1", "x", "\r"), Item("8", "a a"),
                                          Item("54", "#|x", ""), Item("15", "a", ""),  Item("34"),
                                          Item("31", "Children")};
  for (int round = 0; round < 3000; ++round) {
    const std::string input = text(random() % 12);
    std::vector<std::string> chosen;
    for (auto count = random() % 4; count > 0; --count) {
      chosen.push_back(rules[random() % rules.size()]);
    }
    RunReport report;
    const TracedRun run = RunRulesTraced(input, chosen, report);
    ASSERT_EQ(run.lines, RunRules(input, chosen)) << round;
    ASSERT_EQ(run.sources.size(), run.lines.size()) << round;
    for (const SourceLines& sources : run.sources) {
      ASSERT_FALSE(sources.empty()) << round;
    }
  }
}

TEST(RunRulesTraced, AStoppedRunGivesNothing) {
  std::atomic<bool> stop{true};
  RunControl control;
  control.stop = &stop;
  RunReport report;
  const TracedRun run = RunRulesTraced("John\r\nAnn", {Item("1", "a", "b")}, report, control);
  EXPECT_TRUE(report.cancelled);
  EXPECT_TRUE(run.lines.empty());
  EXPECT_TRUE(run.effects.empty());
  RunReport stepsReport;
  const RuleSteps steps("John\r\nAnn", {Item("1", "a", "b")}, stepsReport, control);
  EXPECT_TRUE(steps.After(1).lines.empty());
}

}  // namespace
}  // namespace quenby
