// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary record text to the record-text reader and both standard
// writers. The input is the text of the individuals box, a NUL byte, then
// that of the families box; its first byte also picks the date order. Every
// file written must be a sound standard file (standard_file_check.hpp).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "gedcom/gedcom_lines.hpp"
#include "gedcom/standard_export.hpp"
#include "standard_file_check.hpp"

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
      quenby::fuzz::CheckStandardFile(exported.bytes, version);
    }
  }
  return 0;
}
