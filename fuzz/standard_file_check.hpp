// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What every standard GEDCOM file must be, whatever record text it was made
// from: valid UTF-8 lines, each ended by CR LF, none empty, none over 255
// bytes in 5.5.1, levels rising by at most one, from HEAD to TRLR, with every
// pointer leading to a record of the file. A broken rule stops the fuzzer.

#include <string>
#include <string_view>
#include <unordered_set>

#include "gedcom/gedcom_lines.hpp"
#include "gedcom/standard_export.hpp"
#include "text/encoding.hpp"

namespace quenby::fuzz {

inline void Check(bool condition) {
  if (!condition) {
    __builtin_trap();
  }
}

inline void CheckStandardFile(const std::string& file, GedcomVersion version) {
  Check(IsValidUtf8(file));
  std::size_t lineCount = 0;
  for (std::size_t start = 0; start < file.size(); ++lineCount) {
    const std::size_t end = file.find("\r\n", start);
    Check(end != std::string::npos);
    const std::string_view line(file.data() + start, end - start);
    Check(!line.empty() && line.find_first_of("\r\n") == std::string_view::npos);
    Check(version == GedcomVersion::k70 || line.size() <= kLongestGedcomLine);
    start = end + 2;
  }
  // Read back, the file is GEDCOM lines whose levels rise by at most one.
  const auto read = ParseRecordText(file);
  Check(!read.error && read.lines.size() == lineCount);
  Check(read.lines.front().tag == "HEAD" && read.lines.back().tag == "TRLR");
  // 7.0 points to @VOID@ for nothing; no record may take that name there.
  std::unordered_set<std::string_view> defined;
  if (version == GedcomVersion::k70) {
    defined.insert("VOID");
  }
  for (const auto& line : read.lines) {
    Check(line.xref.empty() || defined.insert(line.xref).second);
  }
  for (const auto& line : read.lines) {
    Check(!IsPointer(line.value) || defined.count(PointerTarget(line.value)) != 0);
  }
}

}  // namespace quenby::fuzz
