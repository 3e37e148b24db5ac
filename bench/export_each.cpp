// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the GEDCOM files that fuzz-corpus inputs give, so that the exports
// of two builds can be compared byte for byte (bench/compare_exports.sh).
// Each input is read as its fuzz target reads it: "record_text" inputs are
// the individuals box, a NUL byte and the families box; "convert" inputs are
// two bytes giving the length of a rules part, the rules part and the text.
// For every input, the files of each format in both date orders go to
// OUT_DIR/NAME.FORMAT.ORDER (or .error with the reason).
//   Usage: export_each record_text|convert OUT_DIR FILE...

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "engine/engine.hpp"
#include "gedcom/gedcom_file.hpp"
#include "gedcom/records.hpp"
#include "gedcom/standard_export.hpp"
#include "text/encoding.hpp"
#include "text/text.hpp"

namespace {

using namespace quenby;

struct Boxes {
  std::string indi;
  std::string fam;
  std::vector<std::string> defaultSexIds;
  std::string stopped;  // why the rules stopped, when they did
};

Boxes FromRecordText(std::string_view bytes) {
  const auto split = bytes.find('\0');
  Boxes boxes;
  boxes.indi = std::string(split == std::string_view::npos ? bytes : bytes.substr(0, split));
  boxes.fam = split == std::string_view::npos ? std::string() : std::string(bytes.substr(split + 1));
  boxes.defaultSexIds = {"I1", "I2", "I3"};
  return boxes;
}

Boxes FromConvertInput(std::string_view bytes) {
  Boxes boxes;
  if (bytes.size() < 2) {
    boxes.stopped = "too short";
    return boxes;
  }
  const auto byte = [&bytes](std::size_t i) { return static_cast<std::size_t>(static_cast<unsigned char>(bytes[i])); };
  const std::size_t rulesSize = std::min(byte(0) | byte(1) << 8, bytes.size() - 2);
  bytes.remove_prefix(2);
  const auto rulesText = DecodeTextFile(bytes.substr(0, rulesSize));
  const auto decoded = DecodeTextFile(bytes.substr(rulesSize));
  if (!rulesText || !decoded) {
    boxes.stopped = "not text";
    return boxes;
  }
  std::vector<std::string> items;
  for (const auto& line : SplitOn(NormaliseLineBreaks(*rulesText), kCrLf)) {
    if (!line.empty()) {
      items.push_back(line);
    }
  }
  RunReport report;
  const auto people = RunRulesWithin(NormaliseLineBreaks(*decoded), items, report, 1 << 12);
  if (!report.stopped.empty()) {
    boxes.stopped = report.stopped;
    return boxes;
  }
  bool stated = false;
  const auto records = ProcessAll(people, [&stated](const std::string&) {
    stated = !stated;
    return SexAnswer{"F", stated};
  });
  return {records.indi, records.fam, records.defaultSexIds, {}};
}

void Write(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || (std::string_view(argv[1]) != "record_text" && std::string_view(argv[1]) != "convert")) {
    std::cerr << "usage: export_each record_text|convert OUT_DIR FILE...\n";
    return 2;
  }
  const bool recordText = std::string_view(argv[1]) == "record_text";
  const std::filesystem::path outDir = argv[2];
  for (int i = 3; i < argc; ++i) {
    std::ifstream in(argv[i], std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const Boxes boxes = recordText ? FromRecordText(bytes) : FromConvertInput(bytes);
    const std::string name = std::filesystem::path(argv[i]).filename().string();
    if (!boxes.stopped.empty()) {
      Write(outDir / (name + ".stopped"), boxes.stopped);
      continue;
    }
    Write(outDir / (name + ".classic"), GedcomFileBytes(boxes.indi, boxes.fam));
    for (const auto& [version, format] :
         {std::pair{GedcomVersion::k551, "5.5.1"}, std::pair{GedcomVersion::k70, "7.0"}}) {
      for (const auto& [order, dates] :
           {std::pair{DateOrder::kDayFirst, "dmy"}, std::pair{DateOrder::kMonthFirst, "mdy"}}) {
        const StandardExportOptions options{version, order, "6 DEC 2026", "fuzz.ged", boxes.defaultSexIds};
        const auto exported = ExportStandardGedcom(boxes.indi, boxes.fam, options);
        const std::string file = name + "." + format + "." + dates;
        if (exported.error.empty()) {
          Write(outDir / file, exported.bytes);
        } else {
          Write(outDir / (file + ".error"), exported.error);
        }
      }
    }
  }
  return 0;
}
