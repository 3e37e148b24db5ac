// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Writing one GEDCOM value over as many lines as it needs: a line break in
// the value starts a CONT line, and in GEDCOM 5.5.1 a piece too long for a
// line of 255 bytes goes on in CONC lines. GEDCOM 7.0 has no CONC and no
// line limit.

#include <cstddef>
#include <string>
#include <string_view>

namespace quenby {

enum class GedcomVersion { k551, k70 };

inline constexpr std::size_t kLongestGedcomLine = 255;

// Appends "level [@xref@ ]TAG[ value]" and its CONT and CONC lines, each
// ended by CR LF. `value` is the final text (LF for a line break). A CONC
// cut never falls inside a UTF-8 sequence, next to a blank or between "@@";
// only a value without any such place (a long run of blanks) is cut at the
// last character that fits.
void AppendValueLines(std::string& out, int level, std::string_view xref, std::string_view tag, std::string_view value,
                      GedcomVersion version);

}  // namespace quenby
