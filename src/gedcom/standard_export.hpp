// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The standard GEDCOM 5.5.1 and GEDCOM 7.0 files, made from the same record
// text that the classic file holds: the text is read into GEDCOM lines, the
// family links are counted, and every record is written with its dates in
// the GEDCOM date grammar, its names split into their pieces, each reference
// its own source citation, each note its own NOTE, FAMS and FAMC back-links,
// and long values continued on CONC/CONT lines. UTF-8 without a byte order
// mark, CR LF after every line, no empty lines.

#include <string>
#include <string_view>
#include <vector>

#include "gedcom/gedcom_dates.hpp"
#include "gedcom/gedcom_line_split.hpp"

namespace quenby {

struct StandardExportOptions {
  GedcomVersion version = GedcomVersion::k551;
  DateOrder dateOrder = DateOrder::kDayFirst;
  std::string date;      // the day of the export in GEDCOM form, "6 DEC 2026"
  std::string fileName;  // the file's name without its folder (5.5.1 header); may be empty
  // Persons ("I3") whose sex nobody chose: the sex question was closed
  // without a choice or there was no one to ask.
  std::vector<std::string> defaultSexIds;
};

struct StandardExport {
  std::string bytes;  // the whole file
  std::string error;  // why no file can be made (a box holds a line that is not GEDCOM); empty when it can
};

StandardExport ExportStandardGedcom(std::string_view indi, std::string_view fam, const StandardExportOptions& options);

// Writes the file like WriteGedcomFile, a piece at a time as it is made; its
// header names it by the name in `utf8FileName`. False with `error` set when
// the record text cannot be read (nothing is written then) or the file
// cannot be written (an existing file is left as it was).
bool WriteStandardGedcomFile(std::string_view utf8FileName, std::string_view indi, std::string_view fam,
                             const StandardExportOptions& options, std::string& error);

// Today's date (UTC) in GEDCOM form; the day of SOURCE_DATE_EPOCH when that
// is set, so that builds and tests make the same file every day.
std::string GedcomDateToday();

}  // namespace quenby
