// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The GEDCOM file: a fixed header, the individual records, the family
// records, the one source record and the trailer, every line ended by CR LF.

#include <string>
#include <string_view>

namespace quenby {

// The file as text, with the header line "1 Char ANSI".
std::string GedcomFileText(std::string_view indi, std::string_view fam);

// The bytes of the file: Windows-1252 under "1 Char ANSI" when every
// character fits, otherwise UTF-8 under "1 CHAR UTF-8".
std::string GedcomFileBytes(std::string_view indi, std::string_view fam);

// Writes the file (temporary file, then rename). False with `error` set when
// it cannot be written; an existing file is then left as it was.
bool WriteGedcomFile(std::string_view utf8FileName, std::string_view indi, std::string_view fam, std::string& error);

}  // namespace quenby
