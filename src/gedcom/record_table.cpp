// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/record_table.hpp"

#include <algorithm>
#include <array>
#include <iterator>

#include "gedcom/gedcom_lines.hpp"
#include "text/calendar.hpp"
#include "text/text.hpp"

namespace quenby {
namespace {

Tag TagCode(std::string_view tag) {
  static const std::unordered_map<std::string_view, Tag> kCodes = {
      {"HEAD", Tag::kHead},  {"TRLR", Tag::kTrlr},  {"INDI", Tag::kIndi},  {"FAM", Tag::kFam},    {"NOTE", Tag::kNote},
      {"SOUR", Tag::kSour},  {"NAME", Tag::kName},  {"SEX", Tag::kSex},    {"FAMS", Tag::kFams},  {"FAMC", Tag::kFamc},
      {"HUSB", Tag::kHusb},  {"WIFE", Tag::kWife},  {"CHIL", Tag::kChil},  {"DATE", Tag::kDate},  {"PAGE", Tag::kPage},
      {"CONC", Tag::kConc},  {"CONT", Tag::kCont},  {"BIRT", Tag::kEvent}, {"CHR", Tag::kEvent},  {"DEAT", Tag::kEvent},
      {"BURI", Tag::kEvent}, {"CREM", Tag::kEvent}, {"BAPM", Tag::kEvent}, {"MARR", Tag::kEvent}, {"DIV", Tag::kEvent},
      {"ENGA", Tag::kEvent}};
  // The program writes its tags in capitals; others are looked up so.
  if (std::none_of(tag.begin(), tag.end(), [](char c) { return c >= 'a' && c <= 'z'; })) {
    const auto found = kCodes.find(tag);
    return found == kCodes.end() ? Tag::kOther : found->second;
  }
  std::string upper(tag);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
    }
  }
  const auto found = kCodes.find(upper);
  return found == kCodes.end() ? Tag::kOther : found->second;
}

bool IsExtension(std::string_view tag) {
  return StartsWith(tag, "_");
}

// Whether a line's value may be a pointer: under the tags whose value the
// GEDCOM grammar makes a pointer, and under an extension tag ("_SEE"),
// whose meaning its maker chose. Every other value is text, however much it
// looks like "@I1@", and is escaped so that no reader takes it for a link.
bool TakesPointer(std::string_view tag, int level) {
  if (level == 0) {
    return false;
  }
  if (IsExtension(tag)) {
    return true;
  }
  static constexpr std::array<std::string_view, 16> kPointerTags = {"ALIA", "ANCI", "ASSO", "CHIL", "DESI", "FAMC",
                                                                    "FAMS", "HUSB", "NOTE", "OBJE", "REPO", "SNOTE",
                                                                    "SOUR", "SUBM", "SUBN", "WIFE"};
  return std::any_of(kPointerTags.begin(), kPointerTags.end(),
                     [tag](std::string_view known) { return EqualsIgnoringAsciiCase(tag, known); });
}

bool IsTextContinuation(const TableLine& line) {
  return line.code == Tag::kConc || line.code == Tag::kCont;
}

}  // namespace

std::optional<std::string> RecordTable::Read(std::string_view indi, std::string_view fam, GedcomVersion version) {
  // Room for every line of both boxes at once: a long list is not copied as
  // the table grows. A record takes at least two lines.
  const auto lineCount =
      static_cast<std::size_t>(std::count(indi.begin(), indi.end(), '\n') + std::count(fam.begin(), fam.end(), '\n')) +
      2;
  lines_.reserve(lines_.size() + lineCount);
  byXref_.reserve(lineCount / 2);
  if (auto error = ReadBox(indi, version)) {
    return "Individuals [GED], " + *error;
  }
  if (auto error = ReadBox(fam, version)) {
    return "Families [GED], " + *error;
  }
  FindTargets();
  return std::nullopt;
}

std::optional<std::string> RecordTable::ReadBox(std::string_view text, GedcomVersion version) {
  RecordLineReader reader(text);
  GedcomLine line;
  std::array<std::size_t, 100> lastAtLevel{};  // the last line of each level
  while (reader.Next(line)) {
    const std::size_t at = lines_.size();
    TableLine& added = lines_.emplace_back();
    added.level = line.level;
    added.code = TagCode(line.tag);
    added.tag = line.tag;
    added.value = line.value;
    added.pointer = IsPointer(line.value) && TakesPointer(line.tag, line.level);
    lastAtLevel[static_cast<std::size_t>(line.level)] = at;
    if (line.level > 0 && IsTextContinuation(added)) {
      const std::size_t parent = lastAtLevel[static_cast<std::size_t>(line.level - 1)];
      TableLine& continued = lines_[parent];
      std::string& joined = joined_[parent];
      if (!continued.continued) {
        joined.assign(continued.value);
        continued.continued = true;
      }
      if (added.code == Tag::kCont) {
        joined.push_back('\n');
      }
      joined.append(line.value);
    }
    if (line.level == 0) {
      if (!records_.empty() && records_.back().end == 0) {
        EndRecord(at, version);
      }
      records_.push_back({at, 0, line.xref, added.code});
    } else if (line.level == 1 && records_.back().kind == Tag::kIndi && added.code == Tag::kSex &&
               records_.back().sexLine == kNoRecord) {
      records_.back().sexLine = at;
    }
  }
  if (!records_.empty() && records_.back().end == 0) {
    EndRecord(lines_.size(), version);
  }
  if (reader.error()) {
    return reader.error()->reason;
  }
  return std::nullopt;
}

// Ends the last record at line `end`: whether it is written, and under
// which cross-reference it is found.
void RecordTable::EndRecord(std::size_t end, GedcomVersion version) {
  TableRecord& record = records_.back();
  record.end = end;
  const auto first = lines_.begin() + static_cast<std::ptrdiff_t>(record.begin);
  const bool emptyNote = record.kind == Tag::kNote && Text(record.begin).empty() &&
                         std::all_of(first + 1, lines_.begin() + static_cast<std::ptrdiff_t>(end), IsTextContinuation);
  // The export writes its own header and trailer; a note without text says
  // nothing and a reader refuses it; 7.0 keeps @VOID@ for a pointer to
  // nothing.
  if (record.kind == Tag::kHead || record.kind == Tag::kTrlr || emptyNote ||
      (version == GedcomVersion::k70 && record.xref == "VOID")) {
    record.written = false;
    return;
  }
  if (record.xref.empty()) {
    return;
  }
  // A record given again ("Process the test" twice) replaces the earlier.
  const auto [it, fresh] = byXref_.try_emplace(record.xref, records_.size() - 1);
  if (!fresh) {
    records_[it->second].written = false;
    it->second = records_.size() - 1;
  }
}

void RecordTable::FindTargets() {
  notePointers_.assign(records_.size(), 0);
  for (TableLine& line : lines_) {
    if (!line.pointer) {
      continue;
    }
    const std::string_view xref = PointerTarget(line.value);
    line.target = Find(xref);
    line.toSourceOfFile = line.target == kNoRecord && xref == "S1";
    if (line.target != kNoRecord && line.code == Tag::kNote) {
      notePointers_[line.target] = std::min(notePointers_[line.target] + 1, 2);
    }
  }
  for (std::size_t number = 1;; ++number) {
    submitter_ = "U" + std::to_string(number);
    if (Find(submitter_) == kNoRecord) {
      return;
    }
  }
}

std::size_t RecordTable::Find(std::string_view xref) const {
  const auto found = byXref_.find(xref);
  return found == byXref_.end() ? kNoRecord : found->second;
}

std::string_view RecordTable::Text(std::size_t line) const {
  return lines_[line].continued ? std::string_view(joined_.at(line)) : lines_[line].value;
}

std::size_t RecordTable::SubtreeEnd(std::size_t line, std::size_t end) const {
  std::size_t i = line + 1;
  while (i < end && lines_[i].level > lines_[line].level) {
    ++i;
  }
  return i;
}

bool RecordTable::Defined(std::size_t line) const {
  const TableLine& pointer = lines_[line];
  if (pointer.toSourceOfFile) {
    return true;
  }
  return pointer.target != kNoRecord && records_[pointer.target].written && !IsInlinedNote(pointer.target);
}

bool RecordTable::IsInlinedNote(std::size_t record) const {
  return notePointers_[record] == 1 && IsKind(record, Tag::kNote);
}

}  // namespace quenby
