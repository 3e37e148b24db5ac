// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The example layouts built into the program, each a rules file and the text
// it converts, listed in examples/layouts.tsv: one line per layout with its
// file stem, its title and a one-line description, separated by tabs. Empty
// lines and lines whose first character other than a space is "#" are
// comments.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quenby {

struct LayoutEntry {
  std::string stem;  // the examples' file name without ".rules" or ".txt"
  std::string title;
  std::string description;

  bool operator==(const LayoutEntry&) const = default;
};

// The layouts of the list's text in its order. A line without a title takes
// its stem as title; a missing description is empty. Spaces around a field
// and a CR before the line's end are not part of it.
std::vector<LayoutEntry> ParseLayoutList(std::string_view text);

// The first `count` lines of text whose line breaks are CR LF, without the
// break after the last of them: what a preview of a long text shows.
std::string_view FirstLines(std::string_view crLfText, std::size_t count);

}  // namespace quenby
