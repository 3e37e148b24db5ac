// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/engine.hpp"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <utility>

#include "engine/family_rules.hpp"
#include "engine/line_budget.hpp"
#include "engine/line_origins.hpp"
#include "engine/pattern_rules.hpp"
#include "engine/resplit.hpp"
#include "engine/run_passes.hpp"
#include "engine/run_trace.hpp"
#include "engine/split_rules.hpp"
#include "engine/structure_rules.hpp"
#include "engine/swap_rules.hpp"
#include "rules/catalogue.hpp"
#include "text/text.hpp"

namespace quenby {

namespace {

constexpr std::size_t kMebibyte = std::size_t{1} << 20;

using Operation = LineChange (*)(const Rule& rule, std::string_view line, RunState& state);

// A rule that works on the whole line list at once: it needs to see other
// lines than the one it changes, or to prepare something once per run (a
// compiled pattern). Returns why it did nothing, or the empty text.
// A traced run passes `origins` to hear of the lines the rule joins, lends
// text to or moves.
using ListOperation = std::string (*)(const Rule& rule, LineList& lines, LineBudget& budget, LineOrigins* origins);

// Each code has either an operation on one line or one on the whole list.
struct Dispatch {
  Operation operation = nullptr;
  ListOperation listOperation = nullptr;
};

// The function of each operation of the rule table. The switch names every
// operation and has no default, so an operation added to the table without a
// function here does not compile.
constexpr Dispatch DispatchOf(RuleOperation operation) {
  Dispatch dispatch;
  switch (operation) {
    case RuleOperation::kSwapEveryOccurrence:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return SwapEveryOccurrence(line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kSwapUpToFirst:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return SwapUpToOccurrence(Occurrence::kFirst, line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kSwapFromFirst:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return SwapFromOccurrence(Occurrence::kFirst, line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kSwapUpToLast:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return SwapUpToOccurrence(Occurrence::kLast, line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kSwapFromLast:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return SwapFromOccurrence(Occurrence::kLast, line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kReplaceLineStartingWith:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return ReplaceWholeLine(LineTest::kStartsWith, line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kReplaceLineEndingWith:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return ReplaceWholeLine(LineTest::kEndsWith, line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kReplaceLineContaining:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return ReplaceWholeLine(LineTest::kContains, line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kSplitAtFirstStartFirst:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return SplitLine(Occurrence::kFirst, FirstPart::kStart, line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kSplitAtFirstEndFirst:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return SplitLine(Occurrence::kFirst, FirstPart::kEnd, line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kSplitAtLastStartFirst:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return SplitLine(Occurrence::kLast, FirstPart::kStart, line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kSplitAtLastEndFirst:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return SplitLine(Occurrence::kLast, FirstPart::kEnd, line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kInsertBeforeFirst:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return MakeNewLine(Occurrence::kFirst, CopiedPart::kBefore, Placement::kInsert, line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kAddBeforeFirst:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return MakeNewLine(Occurrence::kFirst, CopiedPart::kBefore, Placement::kAdd, line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kInsertAfterFirst:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return MakeNewLine(Occurrence::kFirst, CopiedPart::kAfter, Placement::kInsert, line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kAddAfterFirst:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return MakeNewLine(Occurrence::kFirst, CopiedPart::kAfter, Placement::kAdd, line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kInsertBeforeLast:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return MakeNewLine(Occurrence::kLast, CopiedPart::kBefore, Placement::kInsert, line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kAddBeforeLast:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return MakeNewLine(Occurrence::kLast, CopiedPart::kBefore, Placement::kAdd, line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kInsertAfterLast:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return MakeNewLine(Occurrence::kLast, CopiedPart::kAfter, Placement::kInsert, line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kAddAfterLast:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return MakeNewLine(Occurrence::kLast, CopiedPart::kAfter, Placement::kAdd, line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kRecogniseChildren:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState& state) {
        return RecogniseChildren(line, r.search, state);
      };
      break;
    case RuleOperation::kConvertGenerationNumbers:
      dispatch.operation = [](const Rule&, std::string_view line, RunState& state) {
        return ConvertGenerationNumber(line, state);
      };
      break;
    case RuleOperation::kMoveMarriageData:
      dispatch.operation = [](const Rule&, std::string_view line, RunState&) { return MoveMarriageData(line); };
      break;
    case RuleOperation::kAddFamilyName:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return AddFamilyName(line, r.replacement);
      };
      break;
    case RuleOperation::kJoinToLineAbove:
      dispatch.listOperation = JoinToLineAbove;
      break;
    case RuleOperation::kMakeChildOfLineAbove:
      dispatch.listOperation = [](const Rule& r, LineList& lines, LineBudget& budget, LineOrigins*) {
        return MakeChildOfLineAbove(r, lines, budget);
      };
      break;
    case RuleOperation::kReverseLines:
      dispatch.listOperation = ReverseLines;
      break;
    case RuleOperation::kMoveChildrenLists:
      dispatch.listOperation = MoveChildrenListsToTheirParents;
      break;
    case RuleOperation::kReplaceEveryMatch:
      dispatch.listOperation = [](const Rule& r, LineList& lines, LineBudget& budget, LineOrigins*) {
        return ReplaceEveryMatch(r, lines, budget);
      };
      break;
    case RuleOperation::kReplaceMatchingLines:
      dispatch.listOperation = [](const Rule& r, LineList& lines, LineBudget& budget, LineOrigins*) {
        return ReplaceMatchingLines(r, lines, budget);
      };
      break;
    case RuleOperation::kKeepMatchingLines:
      dispatch.listOperation = [](const Rule& r, LineList& lines, LineBudget& budget, LineOrigins*) {
        return KeepMatchingLines(r, lines, budget);
      };
      break;
    case RuleOperation::kSplitAtEveryMatch:
      dispatch.listOperation = [](const Rule& r, LineList& lines, LineBudget& budget, LineOrigins*) {
        return SplitAtEveryMatch(r, lines, budget);
      };
      break;
    case RuleOperation::kMoveChildrenListsAnyCase:
      dispatch.listOperation = MoveChildrenListsToTheirParentsAnyCase;
      break;
    case RuleOperation::kSplitListAddingText:
      dispatch.listOperation = [](const Rule& r, LineList& lines, LineBudget& budget, LineOrigins*) {
        return SplitListAddingText(r, lines, budget);
      };
      break;
    case RuleOperation::kAddHeadingTextToLinesBelow:
      dispatch.listOperation = AddHeadingTextToLinesBelow;
      break;
    case RuleOperation::kKeepOneLinePerPerson:
      dispatch.listOperation = KeepOneLinePerPerson;
      break;
  }
  return dispatch;
}

// The dispatch of each entry of the rule table, at the entry's position.
const std::array<Dispatch, kCatalogueSize>& DispatchTable() {
  static const std::array<Dispatch, kCatalogueSize> kTable = [] {
    std::array<Dispatch, kCatalogueSize> table;
    for (std::size_t i = 0; i < kCatalogueSize; ++i) {
      table[i] = DispatchOf(RuleCatalogue()[i].operation);
    }
    return table;
  }();
  return kTable;
}

constexpr std::string_view kReplaceEveryCode = "1";

// Ends a run that grew past its limit: the report names the rule, and the
// false answer makes the run drop the lines made so far at once.
bool Stopped(std::size_t position, const Rule& rule, std::size_t growthLimit, RunReport& report) {
  const std::string most = growthLimit < kMebibyte ? std::to_string(growthLimit) + " bytes"
                                                   : std::to_string(growthLimit / kMebibyte) + " MB";
  report.stopped = "Rule " + std::to_string(position + 1) + " (code " + rule.code + ") made the lines grow past " +
                   most + ", the most a run may hold for this text; the run stopped there.";
  return false;
}

// Ends a run that its control stopped, naming the rule it was in; false.
bool Cancelled(std::size_t position, std::size_t rules, RunReport& report) {
  report.cancelled = true;
  report.stopped =
      "The run was cancelled in rule " + std::to_string(position + 1) + " of " + std::to_string(rules) + ".";
  return false;
}

// The codes are compared as text, exactly: only the plain decimal form that
// the rule editor writes selects an operation, so "01", " 1" and "0" select
// none.
const Dispatch* EntryOf(std::string_view code) {
  const CatalogueEntry* entry = CatalogueEntryOf(code);
  return entry ? &DispatchTable()[static_cast<std::size_t>(entry - RuleCatalogue().data())] : nullptr;
}

// The warning for a rule that ran as doing nothing, naming it by its place in
// the rule list (counted from 1), its code and its search text.
std::string RuleWarning(std::size_t position, const Rule& rule, std::string_view problem) {
  return "Rule " + std::to_string(position + 1) + " (code " + rule.code + ", search text \"" + rule.search +
         "\") did nothing: " + std::string(problem);
}

}  // namespace

// The bytes a line list holds: the text of its lines and each line's own
// bookkeeping, which is what a list of many short lines costs.
std::size_t SizeOf(const LineList& lines) {
  std::size_t size = 0;
  for (const auto& line : lines) {
    size += line.size() + sizeof(std::string);
  }
  return size;
}

// Runs the rules at positions [rules.first, rules.second) of `ruleItems` over
// `list`, the run state carried on from rule to rule. False when the run
// stopped; the report says why. With `tracing`, every pass is followed line
// by line.
bool RunPasses(MarkedLines& list, RunState& state, Tracing* tracing, const std::vector<std::string>& ruleItems,
               std::pair<std::size_t, std::size_t> rules, std::size_t growthLimit, RunWatch& watch, RunReport& report) {
  MarkedLines spare;
  std::size_t size = SizeOf(list.lines);
  for (std::size_t position = rules.first; position < rules.second; ++position) {
    if (!watch.StartRule(position + 1, ruleItems.size())) {
      return Cancelled(position, ruleItems.size(), report);
    }
    const Rule rule = DecodeRuleItem(ruleItems[position]);
    const Dispatch* entry = EntryOf(rule.code);
    if (tracing != nullptr) {
      tracing->StartPass(position, entry != nullptr && entry->listOperation != nullptr, list.lines);
    }
    if (entry && entry->operation) {
      const bool multiplies = rule.code == kReplaceEveryCode && rule.replacement.size() > rule.search.size();
      for (std::size_t i = 0; i < list.lines.size(); ++i) {
        if (!watch.GoOn(i, list.lines.size())) {
          return Cancelled(position, ruleItems.size(), report);
        }
        // Replacing every occurrence by a longer text is the one operation
        // that multiplies a line, so its size is counted before the new line
        // is made: a single pass over one line must not fill the memory.
        if (multiplies &&
            size - list.lines[i].size() + ReplaceAllSize(list.lines[i], rule.search, rule.replacement) > growthLimit) {
          return Stopped(position, rule, growthLimit, report);
        }
        if (LineChange changed = entry->operation(rule, list.lines[i], state)) {
          size = size - list.lines[i].size() + changed->size();
          const bool plain = IsPlainLine(*changed);
          if (tracing != nullptr) {
            tracing->Touch(i, list.lines[i], *changed, list.plain[i], plain);
          }
          list.plain[i] = plain;
          list.lines[i] = std::move(*changed);
          if (size > growthLimit) {
            return Stopped(position, rule, growthLimit, report);
          }
        }
      }
    } else if (entry) {
      LineBudget budget(size, growthLimit, &watch);
      const std::string problem =
          entry->listOperation(rule, list.lines, budget, tracing != nullptr ? &tracing->origins : nullptr);
      if (watch.Stopped()) {
        return Cancelled(position, ruleItems.size(), report);
      }
      if (budget.Exceeded()) {
        return Stopped(position, rule, growthLimit, report);
      }
      if (!problem.empty()) {
        report.warnings.push_back(RuleWarning(position, rule, problem));
      }
      list = Mark(std::move(list.lines));
    } else {
      // Only a hand-edited rules file brings an item the engine cannot run;
      // it stays in the list as read, so the run says it was left out.
      report.warnings.push_back(RuleWarning(position, rule, RuleItemProblem(ruleItems[position])));
    }
    // A run re-splits after every rule, so a line made by a rule is first
    // seen by the next rule.
    Resplit(list, spare, tracing != nullptr ? &tracing->owners : nullptr);
    if (tracing != nullptr) {
      tracing->EndPass(position, list.lines);
    }
    size = SizeOf(list.lines);
    if (size > growthLimit) {
      return Stopped(position, rule, growthLimit, report);
    }
  }
  return true;
}

bool IsBetween(std::int64_t value, std::int64_t lower, std::int64_t upper) {
  return lower < value && value < upper;
}

std::string ApplyRule(const Rule& rule, std::string_view line, RunState& state) {
  const Dispatch* entry = EntryOf(rule.code);
  if (entry && entry->listOperation) {
    LineList lines = {std::string(line)};
    LineBudget unlimited;
    entry->listOperation(rule, lines, unlimited, nullptr);
    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      joined.append(i == 0 ? std::string_view() : kCrLf).append(lines[i]);
    }
    return joined;
  }
  LineChange changed = entry ? entry->operation(rule, line, state) : std::nullopt;
  return changed ? std::move(*changed) : std::string(line);
}

std::string RuleProblem(const Rule& rule) {
  const Dispatch* entry = EntryOf(rule.code);
  if (!entry || !entry->listOperation) {
    return {};
  }
  // On an empty list a rule only prepares itself, which is where it finds
  // what keeps it from running.
  LineList none;
  LineBudget unlimited;
  return entry->listOperation(rule, none, unlimited, nullptr);
}

std::size_t GrowthLimit(std::size_t inputSize) {
  constexpr std::size_t kMost = 1024 * kMebibyte;
  constexpr std::size_t kFactor = 64;
  if (inputSize >= kMost / kFactor) {
    return kMost;
  }
  return std::min(kMost, kFactor * inputSize + 64 * kMebibyte);
}

LineList RunRules(std::string_view inputText, const std::vector<std::string>& ruleItems) {
  RunReport report;
  return RunRules(inputText, ruleItems, report);
}

LineList RunRules(std::string_view inputText, const std::vector<std::string>& ruleItems, RunReport& report) {
  return RunRulesWithin(inputText, ruleItems, report, GrowthLimit(inputText.size()));
}

LineList RunRules(std::string_view inputText, const std::vector<std::string>& ruleItems, RunReport& report,
                  const RunControl& control) {
  return RunRulesWithin(inputText, ruleItems, report, GrowthLimit(inputText.size()), control);
}

LineList RunRulesWithin(std::string_view inputText, const std::vector<std::string>& ruleItems, RunReport& report,
                        std::size_t growthLimit, const RunControl& control) {
  RunWatch watch(control);
  MarkedLines list = Mark(InputLines(inputText));
  // One run state for the whole run: a later rule 31 or 32 continues where
  // an earlier one left off.
  RunState state;
  if (!RunPasses(list, state, nullptr, ruleItems, {0, ruleItems.size()}, growthLimit, watch, report)) {
    return {};
  }
  std::erase_if(list.lines, [](const std::string& line) { return line.empty(); });
  return std::move(list.lines);
}

TracedRun RunRulesTraced(std::string_view inputText, const std::vector<std::string>& ruleItems, RunReport& report,
                         const RunControl& control) {
  RunWatch watch(control);
  Tracing tracing;
  MarkedLines list = TracedInputLines(inputText, tracing);
  RunState state;
  if (!RunPasses(list, state, &tracing, ruleItems, {0, ruleItems.size()}, GrowthLimit(inputText.size()), watch,
                 report)) {
    return {};
  }
  return FinishTracedRun(std::move(list.lines), tracing);
}

}  // namespace quenby
