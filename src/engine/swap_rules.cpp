// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/swap_rules.hpp"

#include "text/text.hpp"

namespace quenby {

LineChange SwapEveryOccurrence(std::string_view line, std::string_view search, std::string_view replacement) {
  // With nothing to replace only the trimming is left.
  if (search.empty() || FindFirst(line, search) == kNoOccurrence) {
    return TrimmedLine(line);
  }
  return Trim(ReplaceAll(line, search, replacement));
}

LineChange SwapUpToOccurrence(Occurrence occurrence, std::string_view line, std::string_view search,
                              std::string_view replacement) {
  const auto cut = CutAt(occurrence, line, search);
  if (!cut) {
    return std::nullopt;
  }
  std::string result(replacement);
  result.append(TrimView(cut->after));
  return result;
}

LineChange SwapFromOccurrence(Occurrence occurrence, std::string_view line, std::string_view search,
                              std::string_view replacement) {
  const auto cut = CutAt(occurrence, line, search);
  if (!cut) {
    return std::nullopt;
  }
  std::string result(TrimView(cut->before));
  result.append(replacement);
  return result;
}

LineChange ReplaceWholeLine(LineTest test, std::string_view line, std::string_view search,
                            std::string_view replacement) {
  bool applies = false;
  switch (test) {
    // Every line, even an empty one, starts and ends with the empty search
    // text; only containment needs an occurrence, which an empty line lacks.
    case LineTest::kStartsWith:
      applies = StartsWith(TrimView(line), search);
      break;
    case LineTest::kEndsWith:
      applies = EndsWith(TrimView(line), search);
      break;
    case LineTest::kContains:
      applies = FindFirst(line, search) != kNoOccurrence;
      break;
  }
  if (!applies) {
    return std::nullopt;
  }
  return std::string(replacement);
}

}  // namespace quenby
