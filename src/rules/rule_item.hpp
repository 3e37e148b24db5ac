// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A rule (code, search text, replacement text) held as the text of one rule
// list item: the three fields joined by TAB "|" TAB. Rules files store items
// unchanged.

#include <string>
#include <string_view>

namespace quenby {

inline constexpr std::string_view kRuleSeparator = "\t|\t";

struct Rule {
  std::string code;  // compared as text by the engine: "1", "11", "42"
  std::string search;
  std::string replacement;
};

// code as a plain decimal number, separator, search, separator, replacement.
std::string EncodeRuleItem(long code, std::string_view search, std::string_view replacement);

// Cuts the item at every separator: piece 0 is the code, 1 the search text,
// 2 the replacement text; further pieces are ignored. An item with fewer than
// three pieces (only a hand-edited rules file brings one) reads its missing
// fields as empty texts.
Rule DecodeRuleItem(std::string_view item);

// Why an item read from a rules file would do nothing when the rules run: it
// has no separator at all, so it is no rule item, or its code is no rule
// code. The empty text for an item that runs.
std::string RuleItemProblem(std::string_view item);

// The numeric value of the digits at the start of `text` (0 when it has
// none), as the rule editor reads the number of a catalogue entry or of an
// item's code. Values too large to hold saturate instead of wrapping.
long NumberOfText(std::string_view text);

}  // namespace quenby
