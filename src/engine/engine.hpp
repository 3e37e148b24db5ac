// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The rule engine: the input text becomes a line list, each rule rewrites
// every line before the next rule starts, and the non-empty lines that are
// left become the people list. A pure function of (input text, rule items).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/line_origins.hpp"
#include "engine/run_control.hpp"
#include "rules/rule_item.hpp"

namespace quenby {

using LineList = std::vector<std::string>;

// The state that rules 31 and 32 carry from line to line and from one pass to
// a later one within a run.
struct RunState {
  std::int64_t generation = 1;
  bool children = false;
};

// The digit test of rule 32: true exactly when lower < value < upper.
bool IsBetween(std::int64_t value, std::int64_t lower, std::int64_t upper);

// Re-splits a line list after a rule pass: entries with embedded CR LF pairs
// become several lines and empty entries disappear. Takes the list by value
// so that the lines a pass left whole are moved, not copied.
LineList SplitLines(LineList lines);

// The line list a run starts from: spaces trimmed at both ends of the whole
// text, cut at every CR LF, every empty line left out.
LineList InputLines(std::string_view inputText);

// One rule applied to one line; the result may be empty or hold CR LF pairs.
// A code that is not in the dispatch table leaves the line unchanged. A rule
// that works on the whole list works on a list of this one line.
std::string ApplyRule(const Rule& rule, std::string_view line, RunState& state);

// Why a rule would run as doing nothing (a pattern or a replacement that is
// not valid), or the empty text when it is sound. The rule editor asks before
// it accepts a rule; a run reports it once for each such rule.
std::string RuleProblem(const Rule& rule);

// What a run has to tell the user besides the people list.
struct RunReport {
  // One per rule that ran as doing nothing: an invalid pattern, a code that is
  // no rule code, an item that is no rule item.
  std::vector<std::string> warnings;
  std::string stopped;     // non-empty when the run stopped before its end: which rule, and why
  bool cancelled = false;  // the run's control stopped it (`stopped` says at which rule)
};
LineList RunRules(std::string_view inputText, const std::vector<std::string>& ruleItems, RunReport& report);

// A run that its control may stop and that tells it how far it is. A stopped
// run gives an empty list, never a part of one, and a report marked
// cancelled; a run that is not stopped gives what RunRules gives.
LineList RunRules(std::string_view inputText, const std::vector<std::string>& ruleItems, RunReport& report,
                  const RunControl& control);

// A whole run: the people list for `inputText` (CR LF line breaks) and the
// rule items in list order.
LineList RunRules(std::string_view inputText, const std::vector<std::string>& ruleItems);

// The most a run's line list may hold, in bytes, counting each line's own
// bookkeeping besides its text: 64 times the input plus 64 MB, at most 1 GiB.
// Far above what rules make of a real list, and low enough that rules which
// keep doubling a line stop with a message instead of filling the memory. A
// run that grows past it stops with an empty list and says so, naming the
// rule, in the report's `stopped`.
std::size_t GrowthLimit(std::size_t inputSize);

// RunRules with the limit given, for tests that reach it quickly.
LineList RunRulesWithin(std::string_view inputText, const std::vector<std::string>& ruleItems, RunReport& report,
                        std::size_t growthLimit, const RunControl& control = {});

// What one rule did, counted line by line. Each line after the rule goes on
// from one line before it or was made by it. A line before the rule goes on
// as at most one line: when its characters ended up in several lines (a cut,
// a new line put beside it), as the one holding its text as it was, else the
// one holding it trimmed, else the first of them.
//   changed  lines that go on from a line before the rule, with another text;
//   made     lines that go on from none: the further pieces of a cut line,
//            the new lines put before or after a line;
//   removed  lines before the rule that no line goes on from: emptied,
//            joined into another line, dropped;
//   moved    lines with their text as it was that the rule put in another
//            place (rules 34 to 36).
// So the lines after the rule are the lines before it, less `removed`, plus
// `made`.
struct RuleEffect {
  std::size_t changed = 0;
  std::size_t made = 0;
  std::size_t removed = 0;
  std::size_t moved = 0;

  bool DidNothing() const;
};

// How a line after a rule stands to the lines before it (see RuleEffect).
enum class LineMark { kKept, kChanged, kMade, kMoved };

// A run that follows its lines: what RunRules gives, the input lines each
// line came from, and what each rule did.
struct TracedRun {
  LineList lines;
  SourceTable sources;              // one entry per line
  std::vector<RuleEffect> effects;  // one per rule item, in list order
};

// RunRules, traced; a stopped run gives nothing, as RunRules does.
TracedRun RunRulesTraced(std::string_view inputText, const std::vector<std::string>& ruleItems, RunReport& report,
                         const RunControl& control = {});

// The lines as they stood after one rule, each marked by what the rule did
// to it, with its sources.
struct RuleStep {
  LineList lines;
  std::vector<LineMark> marks;
  SourceTable sources;
  RuleEffect effect;
};

// A traced run kept to show any of its steps. It holds a few checkpoints (the
// lines after every fifth of the rule list) and re-runs the rules from the
// last one before the step asked for, so no step costs more than a fifth of
// the run and no copy of the text is kept per rule.
class RuleSteps {
 public:
  RuleSteps(std::string inputText, std::vector<std::string> ruleItems, RunReport& report,
            const RunControl& control = {});

  // The whole run: empty when it stopped.
  const TracedRun& Run() const { return run_; }

  // The lines after rule `rule` (counted from 1; 0 gives the lines the run
  // starts from, all kept). Nothing for a rule past the list, after a run
  // that stopped, or when `control` stops the re-run.
  RuleStep After(std::size_t rule, const RunControl& control = {}) const;

 private:
  static constexpr std::size_t kCheckpoints = 4;
  // The lines packed into one text, so that a checkpoint costs a copy of
  // the text, not an allocation per line, and their sources.
  struct Checkpoint {
    std::size_t rulesDone = 0;
    RunState state;
    std::string text;
    std::vector<std::size_t> lineEnds;
    SourceTable sources;
  };

  static Checkpoint Pack(std::size_t rulesDone, const RunState& state, const LineList& lines,
                         const SourceTable& sources);
  static LineList Unpack(const Checkpoint& point);

  std::string input_;
  std::vector<std::string> items_;
  std::vector<Checkpoint> checkpoints_;
  TracedRun run_;
  bool stopped_ = false;
};

}  // namespace quenby
