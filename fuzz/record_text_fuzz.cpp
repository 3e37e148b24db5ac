// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary record text to the record-text reader and both standard
// writers. The input is the text of the individuals box, a NUL byte, then
// that of the families box; its first byte also picks the date order. Every
// file written must hold only valid UTF-8 lines, each ended by CR LF, none
// empty, none over 255 bytes in 5.5.1, levels rising by at most one, from
// HEAD to TRLR, with every pointer leading to a record of the file.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>

#include "gedcom/gedcom_lines.hpp"
#include "gedcom/standard_export.hpp"
#include "text/encoding.hpp"

namespace {

void Check(bool condition) {
  if (!condition) {
    __builtin_trap();
  }
}

void CheckFile(const std::string& file, quenby::GedcomVersion version) {
  Check(quenby::IsValidUtf8(file));
  std::size_t lineCount = 0;
  for (std::size_t start = 0; start < file.size(); ++lineCount) {
    const std::size_t end = file.find("\r\n", start);
    Check(end != std::string::npos);
    const std::string_view line(file.data() + start, end - start);
    Check(!line.empty() && line.find_first_of("\r\n") == std::string_view::npos);
    Check(version == quenby::GedcomVersion::k70 || line.size() <= quenby::kLongestGedcomLine);
    start = end + 2;
  }
  // Read back, the file is GEDCOM lines whose levels rise by at most one.
  const auto read = quenby::ParseRecordText(file);
  Check(!read.error && read.lines.size() == lineCount);
  Check(read.lines.front().tag == "HEAD" && read.lines.back().tag == "TRLR");
  // 7.0 points to @VOID@ for nothing; no record may take that name there.
  std::unordered_set<std::string_view> defined;
  if (version == quenby::GedcomVersion::k70) {
    defined.insert("VOID");
  }
  for (const auto& line : read.lines) {
    Check(line.xref.empty() || defined.insert(line.xref).second);
  }
  for (const auto& line : read.lines) {
    Check(!quenby::IsPointer(line.value) || defined.count(quenby::PointerTarget(line.value)) != 0);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto split = bytes.find('\0');
  const auto indi = split == std::string_view::npos ? bytes : bytes.substr(0, split);
  const auto fam = split == std::string_view::npos ? std::string_view() : bytes.substr(split + 1);
  quenby::ParseRecordText(bytes);
  for (const auto version : {quenby::GedcomVersion::k551, quenby::GedcomVersion::k70}) {
    quenby::StandardExportOptions options;
    options.version = version;
    options.dateOrder = size > 0 && (data[0] & 1) != 0 ? quenby::DateOrder::kMonthFirst : quenby::DateOrder::kDayFirst;
    options.date = "6 DEC 2026";
    options.fileName = "fuzz.ged";
    options.defaultSexIds = {"I1", "I2", "I3"};
    const auto exported = quenby::ExportStandardGedcom(indi, fam, options);
    if (exported.error.empty()) {
      CheckFile(exported.bytes, version);
    }
  }
  return 0;
}
