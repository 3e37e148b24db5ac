// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the lines of a run came from. A traced run gives every line the
// numbers of the input lines it holds text of (its sources), and, during one
// rule's pass, the line before the pass it goes on from. A rule that works on
// the whole list and joins, lends or reorders lines says so here; what a rule
// does inside a line, and the cutting of the lines at their line breaks after
// every pass, the run follows by itself.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quenby {

// Input line numbers, counted from 1 as the user sees the text: a CR LF, a
// lone LF and a lone CR each end a line, and the empty lines a run drops are
// counted too. Ascending, each number once.
using SourceLines = std::span<const std::uint32_t>;

// The sources of every line of a list, one entry per line. Nearly every line
// holds text of one input line, so its entry is that number itself; only a
// line with several sources has a list of them, kept aside and reused when
// the line goes. A traced run's bookkeeping is then a few flat arrays, not an
// allocation per line.
class SourceTable {
 public:
  std::size_t size() const { return lines_.size(); }
  bool empty() const { return lines_.empty(); }

  // The sources of `line`, valid until the table next changes.
  SourceLines operator[](std::size_t line) const;

  // A new last line with the sources `sources`.
  void Append(SourceLines sources);

  // Line `line` gains the sources of line `other` it lacks.
  void Join(std::size_t line, std::size_t other);

  // The lines become new ones: new line j holds the sources of the old lines
  // entries[start[j]] up to the next new line's start (or the end). An old
  // line no new line names goes.
  void Regroup(const std::vector<std::uint32_t>& start, const std::vector<std::uint32_t>& entries);

  // The lines become new ones, new line j holding the sources of old line
  // lines[j].
  void Select(const std::vector<std::uint32_t>& lines);

 private:
  static constexpr std::uint32_t kSingle = UINT32_MAX;
  // One line: `list` is kSingle and `number` its one source, or `list` is
  // the place of its sources in lists_.
  struct Entry {
    std::uint32_t number = 0;
    std::uint32_t list = kSingle;
  };

  // An entry holding `sources`, in a list of its own when there are several.
  Entry Store(SourceLines sources);
  // A list for a line, empty.
  std::uint32_t NewList();
  // The list of a line that went, to be reused.
  void Free(std::uint32_t list);
  // The new lines, line j holding the old lines named by entries[group(j)],
  // a pair of places in `entries`.
  template <typename Group>
  void Rebuild(std::size_t count, const std::vector<std::uint32_t>& entries, Group group);

  std::vector<Entry> lines_;
  // The sources of the lines with several, each list held by one line. The
  // lists of lines that went are in free_, to be reused.
  std::vector<std::vector<std::uint32_t>> lists_;
  std::vector<std::uint32_t> free_;
};

// The trace of the lines a run holds, one entry per line of the list.
struct LineOrigins {
  SourceTable sources;
  // The line before the current pass that each line goes on from.
  std::vector<std::uint32_t> from;
  // The lines the current pass put in another place (rule 34, 35, 36).
  std::vector<bool> moved;
  // The current pass put the lines in a new order.
  bool reordered = false;

  // A pass starts: every line goes on from itself and none has moved.
  void StartPass();

  // Line `line` now holds text of line `other`: a line joined to it (rules 15
  // and 37), or a heading's fact added to it (rule 56).
  void TakeSources(std::size_t line, std::size_t other);

  // The lines stand in a new order: line i comes from line order[i] before;
  // a line no entry names went. `movedOnPurpose[i]` is true for the lines the
  // rule moved, not for those that only shifted around them.
  void Reorder(const std::vector<std::size_t>& order, const std::vector<bool>& movedOnPurpose);
};

// A text joined from parts, knowing the part each stretch of it came from
// (an input line, a line of the list), so that the lines cut from it know
// theirs. Parts that belong to no one (the line breaks put between lines)
// have kNoOwner.
class OwnedText {
 public:
  static constexpr std::uint32_t kNoOwner = UINT32_MAX;

  void Append(std::string_view part, std::uint32_t owner);

  // Room for `textSize` characters in `stretches` stretches, so that a text
  // joined from many parts is not copied as it grows.
  void Reserve(std::size_t textSize, std::size_t stretches);

  // The text with every LF CR pair deleted from left to right, as the run
  // deletes them, each stretch keeping its owner.
  OwnedText WithoutLfCr() const;

  const std::string& Text() const { return text_; }

  // Appends the owners of text[begin, end) to `owners`, in text order, each
  // once, kNoOwner left out. Owners that grow along the text come out
  // ascending.
  void AppendOwnersOf(std::size_t begin, std::size_t end, std::vector<std::uint32_t>& owners) const;

 private:
  std::string text_;
  // Where each stretch starts and whose it is.
  std::vector<std::pair<std::size_t, std::uint32_t>> runs_;
};

// The lines a run starts from, as InputLines cuts them, and the sources of
// each.
void CutInputLines(std::string_view inputText, std::vector<std::string>& lines, SourceTable& sources);

}  // namespace quenby
