// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The three files "Save generated file" writes from the same records:
// standard GEDCOM 5.5.1 (a new user's default), GEDCOM 7.0 and the classic
// file, chosen by the save dialog's filter; "All Files" only shows every
// file and writes the format the dialog opened with. The chosen format
// ("export/format": 5.5.1, 7.0 or classic) and the order of numeric dates
// ("export/dateOrder": dmy, the default, or mdy) are kept in the program's
// settings between runs.

#include <QString>
#include <string>
#include <string_view>
#include <vector>

namespace quenby {

// The save dialog's filter list: one entry per format, then "All Files".
QString SaveGeneratedFileFilter();

// The filter entry of the format saved last, for the dialog to open with.
QString RememberedSaveFilter();

// Writes the records in the format of `chosenFilter` and remembers that
// format; any other entry writes the remembered format. False with `error` set when the records are not GEDCOM (nothing
// is written) or the file cannot be written (an existing file is kept).
bool SaveGeneratedFile(const QString& fileName, const QString& chosenFilter, std::string_view indi,
                       std::string_view fam, const std::vector<std::string>& defaultSexIds, std::string& error);

}  // namespace quenby
