// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/run_control.hpp"

#include <gtest/gtest.h>
#include <re2/re2.h>

#include <atomic>
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

std::string Lines(std::string_view line, std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) {
    text.append(line).append(kCrLf);
  }
  return text;
}

// Rule 51 replaces one match at a time; every line must come out as the
// library's own global replacement gives it.
class ReplaceEveryMatch : public testing::TestWithParam<GoldenRow> {};

TEST_P(ReplaceEveryMatch, GivesWhatTheGlobalReplacementGives) {
  const GoldenRow& c = GetParam();
  std::string expected = c[2];
  RE2::GlobalReplace(&expected, RE2(c[0]), c[1]);
  RunState state;
  EXPECT_EQ(ApplyRule(Rule{"51", c[0], c[1]}, c[2], state), expected) << c.where;
}

INSTANTIATE_TEST_SUITE_P(PatternRules, ReplaceEveryMatch,
                         testing::ValuesIn(ReadGoldenTable("rule_codes/global_replace.tsv", 3, {0, 1})));

// A run's control, recording what the run told it; it sets the stop flag
// the first time the run is inside `stopInRule` past `stopAfter` of its pass.
struct Recorder {
  std::atomic<bool> stop = false;
  std::size_t stopInRule = 0;
  double stopAfter = 0.0;
  std::vector<RunProgress> told;
  std::size_t toldAfterStop = 0;

  RunControl Control() {
    return RunControl{&stop, [this](const RunProgress& progress) {
                        toldAfterStop += stop ? 1 : 0;
                        told.push_back(progress);
                        if (progress.rule == stopInRule && progress.passDone > stopAfter) {
                          stop = true;
                        }
                      }};
  }
};

// A run stopped in the middle of any family's pass gives no people and a
// report marked cancelled that names the rule, and tells nothing more after
// the stop: the flag is asked at the next line.
class StoppedRun : public testing::TestWithParam<GoldenRow> {};

TEST_P(StoppedRun, GivesNoPeopleAndSaysWhichRule) {
  const GoldenRow& c = GetParam();
  const std::vector<std::string> rules = {EncodeRuleItem(1, "x", "y"), EncodeRuleItem(std::stol(c[0]), c[1], c[2]),
                                          EncodeRuleItem(1, "y", "z")};
  Recorder recorder;
  recorder.stopInRule = 2;
  recorder.stopAfter = 0.3;
  RunReport report;
  EXPECT_EQ(RunRules(Lines("John b. 1850, Ann, Tom", 5000), rules, report, recorder.Control()), LineList{});
  EXPECT_TRUE(report.cancelled);
  EXPECT_EQ(report.stopped, "The run was cancelled in rule 2 of 3.");
  EXPECT_EQ(recorder.toldAfterStop, 0u);
  EXPECT_LT(recorder.told.back().passDone, 0.5);
}

INSTANTIATE_TEST_SUITE_P(RunControl, StoppedRun, testing::ValuesIn(ReadGoldenTable("rule_codes/stopped_rules.tsv", 3)));

// Inside one long line a pattern that must read to the line's end for each
// of its many matches is stopped between two matches, long before the end.
TEST(RunControl, StopsBetweenTheMatchesOfOneLongLine) {
  for (const long code : {51, 54}) {
    Recorder recorder;
    recorder.stopInRule = 1;
    recorder.stopAfter = 0.0;
    RunReport report;
    EXPECT_EQ(RunRules(std::string(200'000, 'a'), {EncodeRuleItem(code, "a.*b|a", "x")}, report, recorder.Control()),
              LineList{});
    EXPECT_TRUE(report.cancelled) << code;
    EXPECT_LT(recorder.told.back().passDone, 0.01) << code;
  }
}

// A pass that grows past the limit stops at the line that crosses it, not
// at the end of the pass: rule 56 adding 10,000 bytes to each of 20,000
// lines would hold 200 MB before the run could stop it.
TEST(RunControl, APassThatGrowsPastTheLimitStopsWhereItCrossesIt) {
  Recorder recorder;
  RunReport report;
  EXPECT_EQ(RunRules("H\r\n" + Lines("a", 20'000), {EncodeRuleItem(56, "^H$", std::string(10'000, 'y'))}, report,
                     recorder.Control()),
            LineList{});
  EXPECT_TRUE(report.stopped.starts_with("Rule 1 (code 56)")) << report.stopped;
  ASSERT_FALSE(recorder.told.empty());
  EXPECT_LT(recorder.told.back().passDone, 0.5);
}

// A run that is not stopped gives exactly the list of a plain run, and tells
// every rule in order, each pass forward only.
TEST(RunControl, ARunNotStoppedGivesThePlainRunsListAndItsProgress) {
  for (const std::string name : {"hartley", "chain", "breadth", "continuation", "marriages"}) {
    const std::string base = std::string(QUENBY_SOURCE_DIR) + "/examples/" + name;
    std::string error;
    const auto text = ReadTextFile(PathFromUtf8(base + ".txt"), 1 << 24, error);
    ASSERT_TRUE(text) << error;
    const std::string input = NormaliseLineBreaks(Lines(*text, 200));
    const std::vector<std::string> rules = LoadRulesFile(base + ".rules").items;
    Recorder recorder;
    RunReport report;
    EXPECT_EQ(RunRules(input, rules, report, recorder.Control()), RunRules(input, rules)) << name;
    EXPECT_FALSE(report.cancelled);
    EXPECT_EQ(report.stopped, "");
    ASSERT_FALSE(recorder.told.empty());
    EXPECT_EQ(recorder.told.front().rule, 1u);
    EXPECT_EQ(recorder.told.back().rule, rules.size());
    for (std::size_t i = 1; i < recorder.told.size(); ++i) {
      const RunProgress& before = recorder.told[i - 1];
      const RunProgress& now = recorder.told[i];
      EXPECT_EQ(now.rules, rules.size());
      // Each rule is told as it starts, then as its pass goes on.
      EXPECT_TRUE((now.rule == before.rule + 1 && now.passDone == 0.0) ||
                  (now.rule == before.rule && now.passDone > before.passDone))
          << name << " " << i;
      EXPECT_LE(now.passDone, 1.0);
    }
  }
}

}  // namespace
}  // namespace quenby
