// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Writing one GEDCOM value over as many lines as it needs: a line break in
// the value starts a CONT line, and in GEDCOM 5.5.1 a piece too long for a
// line of 255 bytes (its CR LF counted) goes on in CONC lines. GEDCOM 7.0 has no CONC and no
// line limit.

#include <cstddef>
#include <string>
#include <string_view>

namespace quenby {

enum class GedcomVersion { k551, k70 };

// The longest 5.5.1 line, its CR LF included.
inline constexpr std::size_t kLongestGedcomLine = 255;

// Appends "level [@xref@ ]TAG[ value]" and its CONT and CONC lines to `out`,
// each ended by CR LF. `value` is the final text (LF for a line break). A
// CONC cut never falls inside a UTF-8 sequence, next to a blank or between
// "@@"; only a value without any such place (a long run of blanks) is cut at
// the last character that fits.
void AppendValueLines(std::string& out, int level, std::string_view xref, std::string_view tag, std::string_view value,
                      GedcomVersion version);

// Appends "level TAG @xref@", a pointer, which always fits on its line.
void AppendPointerLine(std::string& out, int level, std::string_view tag, std::string_view xref);

// Appends `raw` to `out` as the text of a GEDCOM value: printable UTF-8
// (a character U+0080 to U+009F becomes its Windows-1252 character, other
// control characters but tab U+FFFD), "@" escaped as the version asks: every
// one doubled in 5.5.1, one at the start of a line doubled in 7.0. Line
// breaks (LF) stay.
void AppendGedcomText(std::string& out, std::string_view raw, GedcomVersion version);

// The lines of a file in one version's form, as they are made.
class GedcomLines {
 public:
  explicit GedcomLines(GedcomVersion version) : version_(version) {}

  GedcomVersion version() const { return version_; }

  // A line whose value is the text `raw`, escaped and continued as the
  // version asks; a record's first line when `xref` is not empty.
  void Line(int level, std::string_view tag, std::string_view raw, std::string_view xref = {});

  // A line whose value is a pointer to `xref`.
  void Pointer(int level, std::string_view tag, std::string_view xref) { AppendPointerLine(text_, level, tag, xref); }

  // Lines already in their final form, each ended by CR LF.
  void Append(std::string_view lines) { text_ += lines; }

  std::string& text() { return text_; }

 private:
  GedcomVersion version_;
  std::string text_;
  std::string value_;  // the value being written, kept for its room
};

}  // namespace quenby
