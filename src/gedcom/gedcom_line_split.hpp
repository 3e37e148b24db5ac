// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Writing one GEDCOM value over as many lines as it needs: a line break in
// the value starts a CONT line, and in GEDCOM 5.5.1 a piece too long for a
// line of 255 bytes goes on in CONC lines. GEDCOM 7.0 has no CONC and no
// line limit.

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace quenby {

enum class GedcomVersion { k551, k70 };

inline constexpr std::size_t kLongestGedcomLine = 255;

// The text of a GEDCOM file as its lines are made: one buffer that grows as
// needed, written to without a check per character, and emptied by its
// maker each time a piece has been handed on.
class GedcomText {
 public:
  GedcomText() = default;
  GedcomText(const GedcomText&) = delete;
  GedcomText& operator=(const GedcomText&) = delete;

  // Appends "level [@xref@ ]TAG[ value]" and its CONT and CONC lines, each
  // ended by CR LF. `value` is the final text (LF for a line break). A CONC
  // cut never falls inside a UTF-8 sequence, next to a blank or between
  // "@@"; only a value without any such place (a long run of blanks) is cut
  // at the last character that fits.
  void AppendValueLines(int level, std::string_view xref, std::string_view tag, std::string_view value,
                        GedcomVersion version);

  // The same for a value known to hold no line break.
  void AppendSingleLine(int level, std::string_view xref, std::string_view tag, std::string_view value,
                        GedcomVersion version);

  // Appends "level TAG @xref@", a pointer, which always fits on its line;
  // `level` is 0 to 99, as that of every line read.
  void AppendPointer(int level, std::string_view tag, std::string_view xref);

  // Appends text that is already whole lines.
  void Append(std::string_view text) {
    if (!text.empty()) {
      std::memcpy(Room(text.size()), text.data(), text.size());
      size_ += text.size();
    }
  }

  std::string_view View() const { return {data_.get(), size_}; }
  std::size_t size() const { return size_; }
  void Clear() { size_ = 0; }

 private:
  // Where `more` bytes can be written at the end.
  char* Room(std::size_t more) {
    if (capacity_ - size_ < more) {
      Grow(more);
    }
    return data_.get() + size_;
  }
  void Grow(std::size_t more);
  void AppendSplit(int level, std::string_view xref, std::string_view tag, std::string_view value,
                   GedcomVersion version);
  void AppendLine(std::string_view head, std::string_view piece);
  void AppendPiece(std::string_view head, std::string_view piece, std::string_view concHead, GedcomVersion version);

  std::unique_ptr<char[]> data_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace quenby
