// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/pattern_rules.hpp"

#include <re2/re2.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "engine/pattern_replacement.hpp"
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
  if (replacement == Replacement::kUsed) {
    const PatternReplacement read(rule.replacement, pattern.NumberOfCapturingGroups());
    if (!read.Problem().empty()) {
      return "the replacement \"" + rule.replacement + "\" is not valid: " + read.Problem();
    }
  }
  return {};
}

// How far a search that goes on from byte `from` is through the line, 0 to 1.
double PartThrough(std::size_t from, const std::string& line) {
  return line.empty() ? 0.0 : static_cast<double>(from) / static_cast<double>(line.size());
}

// How many bytes the next search for a match skips after an empty match
// that follows the match before it: the UTF-8 character at `at`, or one
// byte where the bytes there are no character (a cut, overlong or too large
// sequence), exactly as RE2's own global replacement steps.
std::size_t StepPastEmptyMatch(std::string_view line, std::size_t at) {
  const auto byte = [line, at](std::size_t i) { return static_cast<unsigned char>(line[at + i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) {
    return 1;
  }
  const std::size_t length = lead < 0xC0 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF8 ? 4 : 0;
  if (length == 0 || length > line.size() - at) {
    return 1;
  }
  std::uint32_t value = lead & (0x7Fu >> length);
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) {
      return 1;
    }
    value = (value << 6) | (byte(i) & 0x3Fu);
  }
  constexpr std::array<std::uint32_t, 5> kLeast = {0, 0, 0x80, 0x800, 0x10000};
  return value < kLeast[length] || value > 0x10FFFF ? 1 : length;
}

// Every match in line `index` of `count` replaced, as RE2's global
// replacement does it, but one match at a time, so that the run is asked
// between two matches whether it may go on: a pattern that must read to the
// line's end to choose each of many matches costs the square of the line's
// length. False when the rule is to stop; the line is then left as it was.
bool ReplaceMatchesOf(const RE2& pattern, const PatternReplacement& rewrite, std::string& line, std::size_t index,
                      std::size_t count, LineBudget& budget) {
  std::array<re2::StringPiece, 10> groups;
  const int groupCount = rewrite.GroupsNeeded();
  std::string replaced;
  std::size_t from = 0;
  std::optional<std::size_t> lastEnd;
  std::size_t matches = 0;
  while (from <= line.size()) {
    if (!budget.GoOn(index, count, PartThrough(from, line))) {
      return false;
    }
    if (!pattern.Match(line, from, line.size(), RE2::UNANCHORED, groups.data(), groupCount)) {
      break;
    }
    const std::size_t matchStart = static_cast<std::size_t>(groups[0].data() - line.data());
    replaced.append(line, from, matchStart - from);
    if (groups[0].empty() && lastEnd == matchStart) {
      // An empty match right after the match before it replaces nothing.
      const std::size_t step = from < line.size() ? StepPastEmptyMatch(line, from) : 1;
      replaced.append(line, from, step);
      from += step;
      continue;
    }
    rewrite.AppendTo(replaced, groups.data());
    from = matchStart + groups[0].size();
    lastEnd = from;
    ++matches;
  }
  if (matches == 0) {
    return true;
  }
  if (from < line.size()) {
    replaced.append(line, from);
  }
  const std::size_t before = line.size();
  line.swap(replaced);
  return budget.Resize(before, line.size());
}

}  // namespace

std::string ReplaceEveryMatch(const Rule& rule, LineList& lines, LineBudget& budget) {
  const RE2 pattern(rule.search, PatternOptions());
  if (auto problem = ProblemOf(pattern, rule, Replacement::kUsed); !problem.empty()) {
    return problem;
  }
  const PatternReplacement rewrite(rule.replacement, pattern.NumberOfCapturingGroups());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!ReplaceMatchesOf(pattern, rewrite, lines[i], i, lines.size(), budget)) {
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
  const PatternReplacement rewrite(rule.replacement, pattern.NumberOfCapturingGroups());
  std::array<re2::StringPiece, 10> groups;
  std::string replaced;
  for (std::size_t i = 0; i < lines.size() && budget.GoOn(i, lines.size()); ++i) {
    std::string& line = lines[i];
    if (pattern.Match(line, 0, line.size(), RE2::UNANCHORED, groups.data(), rewrite.GroupsNeeded())) {
      replaced.clear();
      rewrite.AppendTo(replaced, groups.data());
      if (!budget.Resize(line.size(), replaced.size())) {
        break;
      }
      line.swap(replaced);
    }
  }
  return {};
}

std::string KeepMatchingLines(const Rule& rule, LineList& lines, LineBudget& budget) {
  const RE2 pattern(rule.search, PatternOptions());
  if (auto problem = ProblemOf(pattern, rule, Replacement::kUnused); !problem.empty()) {
    return problem;
  }
  for (std::size_t i = 0; i < lines.size() && budget.GoOn(i, lines.size()); ++i) {
    if (!RE2::PartialMatch(lines[i], pattern)) {
      lines[i].clear();
    }
  }
  return {};
}

std::string SplitAtEveryMatch(const Rule& rule, LineList& lines, LineBudget& budget) {
  const RE2 pattern(rule.search, PatternOptions());
  if (auto problem = ProblemOf(pattern, rule, Replacement::kUsed); !problem.empty()) {
    return problem;
  }
  const PatternReplacement rewrite(rule.replacement, pattern.NumberOfCapturingGroups());
  std::vector<re2::StringPiece> groups(static_cast<std::size_t>(pattern.NumberOfCapturingGroups()) + 1);
  const int groupCount = static_cast<int>(groups.size());
  std::string split;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string& line = lines[i];
    split.clear();
    std::size_t pieceStart = 0;
    std::size_t from = 0;
    // The pieces are joined by CR LF, so that the re-split after the pass
    // makes them separate lines.
    while (from <= line.size()) {
      if (!budget.GoOn(i, lines.size(), PartThrough(from, line))) {
        return {};
      }
      if (!pattern.Match(line, from, line.size(), RE2::UNANCHORED, groups.data(), groupCount)) {
        break;
      }
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
      rewrite.AppendTo(split, groups.data());
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

std::string SplitListAddingText(const Rule& rule, LineList& lines, LineBudget& budget) {
  const RE2 pattern(rule.search, PatternOptions());
  if (!pattern.ok()) {
    return "the pattern is not valid: " + pattern.error();
  }
  const SplitReplacement texts = CutAtAddedText(rule.replacement);
  const PatternReplacement start(texts.start, pattern.NumberOfCapturingGroups());
  const PatternReplacement added(texts.added, pattern.NumberOfCapturingGroups());
  for (const std::string& problem : {start.Problem(), added.Problem()}) {
    if (!problem.empty()) {
      return "the replacement \"" + rule.replacement + "\" is not valid: " + problem;
    }
  }
  const auto groupCount = static_cast<std::size_t>(pattern.NumberOfCapturingGroups()) + 1;
  std::vector<re2::StringPiece> groups(groupCount);
  std::vector<re2::StringPiece> before(groupCount);
  std::string addedText;
  std::string split;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string& line = lines[i];
    if (!budget.GoOn(i, lines.size())) {
      break;
    }
    // A line without a lead-in holds no list.
    if (!pattern.Match(line, 0, line.size(), RE2::ANCHOR_START, groups.data(), static_cast<int>(groupCount))) {
      continue;
    }
    addedText.clear();
    added.AppendTo(addedText, groups.data());
    split.clear();
    std::size_t from = groups[0].size();
    std::size_t pieceStart = from;
    before = groups;
    // Each piece ends at the next non-empty match or at the end of the line.
    while (true) {
      if (!budget.GoOn(i, lines.size(), PartThrough(from, line))) {
        return {};
      }
      bool cut = pattern.Match(line, from, line.size(), RE2::UNANCHORED, groups.data(), static_cast<int>(groupCount));
      const std::size_t matchStart = cut ? static_cast<std::size_t>(groups[0].data() - line.data()) : line.size();
      if (cut && groups[0].empty()) {
        // An empty match cuts nothing: look again from the next character.
        if (matchStart < line.size()) {
          from = matchStart + OffsetOfCharacter(std::string_view(line).substr(matchStart), 1);
          continue;
        }
        cut = false;
      }
      const std::string_view piece = std::string_view(line).substr(pieceStart, matchStart - pieceStart);
      if (!TrimView(piece).empty()) {
        if (!split.empty()) {
          split.append(kCrLf);
        }
        start.AppendTo(split, before.data());
        split.append(piece).append(addedText);
      }
      if (!cut) {
        break;
      }
      before = groups;
      pieceStart = from = matchStart + groups[0].size();
    }
    if (!budget.Resize(line.size(), split.size())) {
      break;
    }
    line.swap(split);
  }
  return {};
}

std::string AddHeadingTextToLinesBelow(const Rule& rule, LineList& lines, LineBudget& budget, LineOrigins* origins) {
  const RE2 pattern(rule.search, PatternOptions());
  if (auto problem = ProblemOf(pattern, rule, Replacement::kUsed); !problem.empty()) {
    return problem;
  }
  const PatternReplacement rewrite(rule.replacement, pattern.NumberOfCapturingGroups());
  std::array<re2::StringPiece, 10> groups;
  std::string added;
  std::size_t heading = 0;
  for (std::size_t i = 0; i < lines.size() && budget.GoOn(i, lines.size()); ++i) {
    std::string& line = lines[i];
    if (pattern.Match(line, 0, line.size(), RE2::UNANCHORED, groups.data(), rewrite.GroupsNeeded())) {
      heading = i;
      added.clear();
      if (rewrite.NamesTextIn(groups.data())) {
        rewrite.AppendTo(added, groups.data());
      }
    } else if (!added.empty()) {
      if (!budget.Resize(line.size(), line.size() + added.size())) {
        break;
      }
      line.append(added);
      if (origins != nullptr) {
        origins->TakeSources(i, heading);
      }
    }
  }
  return {};
}

}  // namespace quenby
