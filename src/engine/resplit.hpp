// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The re-split of the line list after every rule pass: entries that a pass
// left holding CR LF pairs become several lines, and empty entries disappear.
// A run keeps a mark per line telling whether the line is plain, so only the
// lines a rule changed are looked at again; a traced run also learns which
// entries before the re-split each line after it holds characters of.

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/engine.hpp"
#include "engine/line_origins.hpp"

namespace quenby {

// A line that re-splitting leaves exactly as it is: not empty, and without
// CR or LF.
bool IsPlainLine(const std::string& line);

// A line list with a mark per line telling whether the line is plain. A run
// keeps the marks from pass to pass, so that only the lines a rule changed
// are looked at again.
struct MarkedLines {
  LineList lines;
  std::vector<bool> plain;

  void Append(std::string line) {
    plain.push_back(IsPlainLine(line));
    lines.push_back(std::move(line));
  }
};

// The lines, each marked plain or not.
MarkedLines Mark(LineList lines);

// Which entries of the list before a re-split each line after it holds
// characters of: line j's entries are entries[start[j]] up to the next
// line's start. A traced run follows its lines through the re-split by it.
struct PieceOwners {
  bool unchanged = false;  // the re-split left the list as it was
  std::vector<std::uint32_t> start;
  std::vector<std::uint32_t> entries;

  void Clear() {
    unchanged = false;
    start.clear();
    entries.clear();
  }

  void Add(std::size_t entry) {
    start.push_back(static_cast<std::uint32_t>(entries.size()));
    entries.push_back(static_cast<std::uint32_t>(entry));
  }

  // A line cut from text[begin, end) of `text`. A line that holds no
  // character of any entry (an empty line left between others) counts as
  // coming from `fallback`, the first entry of its run.
  void AddOwned(const OwnedText& text, std::size_t begin, std::size_t end, std::size_t fallback) {
    start.push_back(static_cast<std::uint32_t>(entries.size()));
    text.AppendOwnersOf(begin, end, entries);
    if (entries.size() == start.back()) {
      entries.push_back(static_cast<std::uint32_t>(fallback));
    }
  }
};

// Re-splits `list` in place, building the new list in `spare` (the two are
// swapped, so a run reuses the same two buffers for every pass). With
// `owners`, a traced run learns the entries each new line holds characters
// of.
void Resplit(MarkedLines& list, MarkedLines& spare, PieceOwners* owners);

}  // namespace quenby
