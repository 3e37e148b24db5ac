// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/split_rules.hpp"

#include "text/text.hpp"

namespace quenby {

LineChange SplitLine(Occurrence occurrence, FirstPart first, std::string_view line, std::string_view search,
                     std::string_view replacement) {
  const auto cut = CutAt(occurrence, line, search);
  if (first == FirstPart::kStart) {
    // Only the outer ends are trimmed: the spaces next to the cut stay with
    // the start part and the end part. A line without the search text is
    // trimmed all the same.
    if (!cut) {
      return TrimmedLine(line);
    }
    std::string joined;
    joined.reserve(line.size() + kCrLf.size() + replacement.size());
    joined.append(cut->before).append(kCrLf).append(replacement).append(cut->after);
    return Trim(joined);
  }
  if (!cut) {
    return std::nullopt;
  }
  std::string result(replacement);
  result.append(TrimView(cut->after)).append(kCrLf).append(TrimView(cut->before));
  return result;
}

LineChange MakeNewLine(Occurrence occurrence, CopiedPart part, Placement placement, std::string_view line,
                       std::string_view search, std::string_view replacement) {
  const auto cut = CutAt(occurrence, line, search);
  if (!cut) {
    return std::nullopt;
  }
  std::string newLine;
  if (part == CopiedPart::kBefore) {
    newLine.append(TrimView(cut->before)).append(replacement);
  } else {
    newLine.append(replacement).append(TrimView(cut->after));
  }
  // The source line stays whole, search text included.
  const std::string_view kept = TrimView(line);
  std::string result;
  result.reserve(newLine.size() + kCrLf.size() + kept.size());
  if (placement == Placement::kInsert) {
    result.append(newLine).append(kCrLf).append(kept);
  } else {
    result.append(kept).append(kCrLf).append(newLine);
  }
  return result;
}

std::string JoinToLineAbove(const Rule& rule, LineList& lines, LineBudget& budget, LineOrigins* origins) {
  std::size_t target = lines.size();
  for (std::size_t i = 0; i < lines.size() && budget.GoOn(i, lines.size()); ++i) {
    if (target == lines.size() || !StartsWith(lines[i], rule.search)) {
      target = i;
      continue;
    }
    const std::string_view rest = TrimView(std::string_view(lines[i]).substr(rule.search.size()));
    if (!budget.Resize(0, rule.replacement.size() + rest.size())) {
      break;
    }
    lines[target].append(rule.replacement).append(rest);
    if (origins != nullptr) {
      origins->TakeSources(target, i);
    }
    // An emptied line disappears when the list is re-split after the pass.
    lines[i].clear();
  }
  return {};
}

}  // namespace quenby
