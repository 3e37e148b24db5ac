// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds the pattern rules random patterns, replacements and texts, followed
// by one of the whole-list rules, and the replacement to the case
// conversions. The input is one byte choosing the pattern
// rule, one byte choosing the rule after it, then the pattern, a NUL byte,
// the replacement, a NUL byte, and the text to convert.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/engine.hpp"
#include "rules/rule_item.hpp"
#include "text/letter_case.hpp"

namespace {

std::string_view TakeUpToNul(std::string_view& bytes) {
  const auto nul = bytes.find('\0');
  const std::string_view piece = bytes.substr(0, nul);
  bytes.remove_prefix(nul == std::string_view::npos ? bytes.size() : nul + 1);
  return piece;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  constexpr std::array<long, 6> kPatternCodes = {51, 52, 53, 54, 55, 56};
  constexpr std::array<long, 7> kListCodes = {15, 33, 34, 35, 32, 36, 37};
  if (size < 2) {
    return 0;
  }
  const long patternCode = kPatternCodes[data[0] % kPatternCodes.size()];
  const long listCode = kListCodes[data[1] % kListCodes.size()];
  std::string_view bytes(reinterpret_cast<const char*>(data) + 2, size - 2);
  const std::string_view pattern = TakeUpToNul(bytes);
  const std::string_view replacement = TakeUpToNul(bytes);
  const std::vector<std::string> items = {quenby::EncodeRuleItem(patternCode, pattern, replacement),
                                          quenby::EncodeRuleItem(listCode, replacement, pattern)};
  quenby::RunReport report;
  const auto people = quenby::RunRules(bytes, items, report);
  for (const auto& line : people) {
    if (line.empty()) {
      __builtin_trap();
    }
  }
  // A rule is reported exactly when the rule editor would refuse it.
  const bool refused = !quenby::RuleProblem(quenby::DecodeRuleItem(items.front())).empty();
  const bool reported = !report.warnings.empty() && report.warnings.front().starts_with("Rule 1 ");
  if (refused != reported) {
    __builtin_trap();
  }
  // Capitals, small letters and title case differ from the text only in
  // case.
  const std::string folded = quenby::FoldCase(replacement);
  if (quenby::FoldCase(quenby::ToUpperCase(replacement)) != folded ||
      quenby::FoldCase(quenby::ToLowerCase(replacement)) != folded ||
      quenby::FoldCase(quenby::ToTitleCase(replacement)) != folded) {
    __builtin_trap();
  }
  return 0;
}
