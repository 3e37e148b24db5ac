// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/rule_item.hpp"

#include <algorithm>
#include <limits>
#include <string>

#include "rules/catalogue.hpp"
#include "text/text.hpp"

namespace quenby {

std::string EncodeRuleItem(long code, std::string_view search, std::string_view replacement) {
  std::string item = std::to_string(code);
  item.reserve(item.size() + 2 * kRuleSeparator.size() + search.size() + replacement.size());
  item.append(kRuleSeparator);
  item.append(search);
  item.append(kRuleSeparator);
  item.append(replacement);
  return item;
}

Rule DecodeRuleItem(std::string_view item) {
  auto pieces = SplitOn(item, kRuleSeparator);
  pieces.resize(std::max<std::size_t>(pieces.size(), 3));
  return Rule{std::move(pieces[0]), std::move(pieces[1]), std::move(pieces[2])};
}

std::string RuleItemProblem(std::string_view item) {
  if (item.find(kRuleSeparator) == std::string_view::npos) {
    return "it is no rule item (a code, the search text and the replacement text, each two separated by TAB \"|\" "
           "TAB)";
  }
  const std::string code = DecodeRuleItem(item).code;
  if (CatalogueEntryOf(code) == nullptr) {
    return "its code \"" + code + "\" is no rule code";
  }
  return {};
}

long NumberOfText(std::string_view text) {
  constexpr long kLargest = std::numeric_limits<long>::max();
  long value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') {
      break;
    }
    const long digit = c - '0';
    // A hand-edited code of many digits must not wrap to a small or negative
    // number that happens to match a catalogue entry.
    value = value > (kLargest - digit) / 10 ? kLargest : value * 10 + digit;
  }
  return value;
}

}  // namespace quenby
