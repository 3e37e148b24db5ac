// SPDX-License-Identifier: GPL-3.0-or-later
// The converter's whole road for arbitrary bytes: decode the text, make its
// line breaks CR LF, run the rules, "Process all", and the bytes of the
// classic GEDCOM file and of both standard files. The input is two bytes giving the length of the rules part
// (little endian), the rules part (one rule item per line, as a rules file
// holds them, decoded as a rules file is), then the text's bytes.
//
// What every classic file must be, whatever the input:
// - every line ends with CR LF, and there is no other CR or LF;
// - under "1 Char ANSI" the bytes are Windows-1252 that reads back as the
//   file's text; under "1 CHAR UTF-8" they are valid UTF-8 and the same text;
// - every record identifier is defined once, and every pointer line (HUSB,
//   WIFE, CHIL, NOTE, SOUR) points to a defined record.
// The standard files must be made from those records without a complaint and
// be sound (standard_file_check.hpp).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "engine/engine.hpp"
#include "gedcom/gedcom_file.hpp"
#include "gedcom/records.hpp"
#include "gedcom/standard_export.hpp"
#include "standard_file_check.hpp"
#include "text/encoding.hpp"
#include "text/text.hpp"

namespace {

using namespace quenby;

// Rule items are decoded as a rules file is, and never hold a line break: a
// rules file has one line per rule, and any line break (CR LF, LF or a lone
// CR) ends a line.
std::vector<std::string> RuleItems(std::string_view text) {
  std::vector<std::string> items;
  for (const auto& line : SplitOn(NormaliseLineBreaks(text), kCrLf)) {
    if (!line.empty()) {
      items.push_back(line);
    }
  }
  return items;
}

void Require(bool condition) {
  if (!condition) {
    std::abort();
  }
}

void CheckLineBreaks(std::string_view bytes) {
  Require(bytes.ends_with(kCrLf));
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r') {
      Require(i + 1 < bytes.size() && bytes[i + 1] == '\n');
    } else if (bytes[i] == '\n') {
      Require(i > 0 && bytes[i - 1] == '\r');
    }
  }
}

void CheckEncoding(std::string_view bytes, std::string_view indi, std::string_view fam) {
  const std::string text = GedcomFileText(indi, fam);
  const std::string_view ansi = "1 Char ANSI\r\n";
  const std::string_view utf8 = "1 CHAR UTF-8\r\n";
  if (bytes.find(ansi) != std::string_view::npos && bytes.find(ansi) < bytes.find("\r\n\r\n")) {
    Require(Utf8FromWindows1252(bytes) == text);
  } else {
    Require(IsValidUtf8(bytes));
    std::string expected = text;
    expected.replace(expected.find(ansi), ansi.size(), utf8);
    Require(bytes == expected);
  }
}

void CheckReferences(std::string_view bytes) {
  std::set<std::string> defined;
  std::vector<std::string> pointers;
  for (const auto& line : SplitOn(bytes, kCrLf)) {
    if (line.starts_with("0 @")) {
      const auto end = line.find('@', 3);
      Require(end != std::string::npos);
      Require(defined.insert(line.substr(2, end - 1)).second);
      continue;
    }
    for (const std::string_view tag : {"1 HUSB ", "1 WIFE ", "1 CHIL ", "1 NOTE @", "1 SOUR "}) {
      if (line.starts_with(tag)) {
        const std::string_view value = std::string_view(line).substr(tag.ends_with('@') ? tag.size() - 1 : tag.size());
        Require(value.size() > 2 && value.front() == '@' && value.back() == '@');
        pointers.emplace_back(value);
      }
    }
  }
  for (const auto& pointer : pointers) {
    Require(defined.contains(pointer));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) {
    return 0;
  }
  const std::size_t rulesSize = std::min<std::size_t>(data[0] | (data[1] << 8), size - 2);
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 2, size - 2);
  const auto rulesText = DecodeTextFile(bytes.substr(0, rulesSize));
  const auto decoded = DecodeTextFile(bytes.substr(rulesSize));
  if (!rulesText || !decoded) {
    return 0;
  }
  const auto items = RuleItems(*rulesText);
  const std::string text = NormaliseLineBreaks(*decoded);
  RunReport report;
  // A low limit keeps every execution small; the limit's own arithmetic is
  // the same at any size.
  const auto people = RunRulesWithin(text, items, report, 1 << 12);
  if (!report.stopped.empty()) {
    Require(people.empty());
    return 0;
  }
  // Every other person's answer is a default, so the standard files infer
  // sexes from partners as well.
  bool stated = false;
  const auto records = ProcessAll(people, [&](const std::string&) {
    stated = !stated;
    return SexAnswer{"F", stated};
  });
  const std::string file = GedcomFileBytes(records.indi, records.fam);
  CheckLineBreaks(file);
  CheckEncoding(file, records.indi, records.fam);
  CheckReferences(file);
  // The same records as standard 5.5.1 and 7.0 files, which the record text
  // a run makes must always give.
  for (const auto version : {GedcomVersion::k551, GedcomVersion::k70}) {
    StandardExportOptions options;
    options.version = version;
    options.dateOrder = (data[0] & 1) != 0 ? DateOrder::kMonthFirst : DateOrder::kDayFirst;
    options.date = "6 DEC 2026";
    options.defaultSexIds = records.defaultSexIds;
    const auto exported = ExportStandardGedcom(records.indi, records.fam, options);
    Require(exported.error.empty());
    fuzz::CheckStandardFile(exported.bytes, version);
  }
  return 0;
}
