// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The occurrence of a rule's search text that a rule works at, and the two
// parts of the line on either side of it.

#include <cstddef>
#include <optional>
#include <string_view>

#include "text/text.hpp"

namespace quenby {

enum class Occurrence { kFirst, kLast };

struct Cut {
  std::string_view before;  // the text before the occurrence
  std::string_view after;   // the text after the search text
};

// The line cut around the named occurrence of `search`, or nothing when the
// line has none. The last occurrence of an empty search text is at the end of
// a non-empty line, so its `after` is empty.
inline std::optional<Cut> CutAt(Occurrence occurrence, std::string_view line, std::string_view search) {
  const std::size_t at = occurrence == Occurrence::kFirst ? FindFirst(line, search) : FindLast(line, search);
  if (at == kNoOccurrence) {
    return std::nullopt;
  }
  return Cut{line.substr(0, at), line.substr(at + search.size())};
}

}  // namespace quenby
