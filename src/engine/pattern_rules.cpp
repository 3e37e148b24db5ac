// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/pattern_rules.hpp"

#include <re2/re2.h>

#include <vector>

#include "text/text.hpp"

namespace quenby {
namespace {

enum class Replacement { kUsed, kUnused };

RE2::Options PatternOptions() {
  RE2::Options options;
  // A bad pattern is the user's to read in the rule editor or the run's
  // report, not a line on the program's standard error.
  options.set_log_errors(false);
  return options;
}

// Why the rule's pattern, or its replacement where the rule writes one,
// cannot be used; the empty text when both can.
std::string ProblemOf(const RE2& pattern, const Rule& rule, Replacement replacement) {
  if (!pattern.ok()) {
    return "the pattern is not valid: " + pattern.error();
  }
  std::string error;
  if (replacement == Replacement::kUsed && !pattern.CheckRewriteString(rule.replacement, &error)) {
    return "the replacement \"" + rule.replacement + "\" is not valid: " + error;
  }
  return {};
}

}  // namespace

std::string ReplaceEveryMatch(const Rule& rule, LineList& lines, LineBudget& budget) {
  const RE2 pattern(rule.search, PatternOptions());
  if (auto problem = ProblemOf(pattern, rule, Replacement::kUsed); !problem.empty()) {
    return problem;
  }
  for (auto& line : lines) {
    const std::size_t before = line.size();
    RE2::GlobalReplace(&line, pattern, rule.replacement);
    if (!budget.Resize(before, line.size())) {
      break;
    }
  }
  return {};
}

std::string ReplaceMatchingLines(const Rule& rule, LineList& lines, LineBudget& budget) {
  const RE2 pattern(rule.search, PatternOptions());
  if (auto problem = ProblemOf(pattern, rule, Replacement::kUsed); !problem.empty()) {
    return problem;
  }
  std::string replaced;
  for (auto& line : lines) {
    if (RE2::Extract(line, pattern, rule.replacement, &replaced)) {
      if (!budget.Resize(line.size(), replaced.size())) {
        break;
      }
      line.swap(replaced);
    }
  }
  return {};
}

std::string KeepMatchingLines(const Rule& rule, LineList& lines, LineBudget&) {
  const RE2 pattern(rule.search, PatternOptions());
  if (auto problem = ProblemOf(pattern, rule, Replacement::kUnused); !problem.empty()) {
    return problem;
  }
  for (auto& line : lines) {
    if (!RE2::PartialMatch(line, pattern)) {
      line.clear();
    }
  }
  return {};
}

std::string SplitAtEveryMatch(const Rule& rule, LineList& lines, LineBudget& budget) {
  const RE2 pattern(rule.search, PatternOptions());
  if (auto problem = ProblemOf(pattern, rule, Replacement::kUsed); !problem.empty()) {
    return problem;
  }
  std::vector<re2::StringPiece> groups(static_cast<std::size_t>(pattern.NumberOfCapturingGroups()) + 1);
  const int groupCount = static_cast<int>(groups.size());
  std::string split;
  for (auto& line : lines) {
    split.clear();
    std::size_t pieceStart = 0;
    std::size_t from = 0;
    // The pieces are joined by CR LF, so that the re-split after the pass
    // makes them separate lines.
    while (from <= line.size() && pattern.Match(line, from, line.size(), RE2::UNANCHORED, groups.data(), groupCount)) {
      const std::size_t matchStart = static_cast<std::size_t>(groups[0].data() - line.data());
      if (groups[0].empty()) {
        // An empty match cuts nothing: look again from the next character.
        if (matchStart == line.size()) {
          break;
        }
        from = matchStart + OffsetOfCharacter(std::string_view(line).substr(matchStart), 1);
        continue;
      }
      split.append(line, pieceStart, matchStart - pieceStart).append(kCrLf);
      pattern.Rewrite(&split, rule.replacement, groups.data(), groupCount);
      pieceStart = from = matchStart + groups[0].size();
    }
    if (pieceStart > 0) {
      split.append(line, pieceStart);
      if (!budget.Resize(line.size(), split.size())) {
        break;
      }
      line.swap(split);
    }
  }
  return {};
}

}  // namespace quenby
