// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The rule codes a user can choose, each with the exact text of its entry in
// the rule editor's code list.

#include <array>
#include <string_view>

namespace quenby {

struct CatalogueEntry {
  int code;
  std::string_view text;
};

inline constexpr std::size_t kCatalogueSize = 32;
const std::array<CatalogueEntry, kCatalogueSize>& RuleCatalogue();

// True when `code` is the code of a catalogue entry written as the rule
// engine reads it: a plain decimal number ("11", never "011" or " 11").
bool IsRuleCode(std::string_view code);

// The extra entry the editor shows, at position 0, only while editing a rule.
inline constexpr std::string_view kDeleteEntryText = "0: Delete this rule";

}  // namespace quenby
