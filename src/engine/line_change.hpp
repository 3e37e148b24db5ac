// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a rule does to one line: the line's new text, or nothing when the line
// stays as it is. Most lines of a long list do not hold a rule's search
// text, and copying each of them on every pass would cost a run more than
// the rules themselves.

#include <optional>
#include <string>
#include <string_view>

#include "text/text.hpp"

namespace quenby {

using LineChange = std::optional<std::string>;

// The line trimmed, or nothing when it has no spaces at its ends.
inline LineChange TrimmedLine(std::string_view line) {
  const std::string_view trimmed = TrimView(line);
  if (trimmed.size() == line.size()) {
    return std::nullopt;
  }
  return std::string(trimmed);
}

}  // namespace quenby
