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

// A tag of up to four characters as one number, a byte a character, in
// capitals: what a switch can choose by.
constexpr std::uint32_t TagKey(std::string_view tag) {
  std::uint32_t key = 0;
  for (const char c : tag) {
    key = key << 8U | static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  }
  return key;
}

Tag TagCode(std::string_view tag) {
  if (tag.size() > 4) {
    return Tag::kOther;
  }
  // The program writes its tags in capitals; others are read so.
  switch (TagKey(tag)) {
    case TagKey("HEAD"):
      return Tag::kHead;
    case TagKey("TRLR"):
      return Tag::kTrlr;
    case TagKey("INDI"):
      return Tag::kIndi;
    case TagKey("FAM"):
      return Tag::kFam;
    case TagKey("NOTE"):
      return Tag::kNote;
    case TagKey("SOUR"):
      return Tag::kSour;
    case TagKey("NAME"):
      return Tag::kName;
    case TagKey("SEX"):
      return Tag::kSex;
    case TagKey("FAMS"):
      return Tag::kFams;
    case TagKey("FAMC"):
      return Tag::kFamc;
    case TagKey("HUSB"):
      return Tag::kHusb;
    case TagKey("WIFE"):
      return Tag::kWife;
    case TagKey("CHIL"):
      return Tag::kChil;
    case TagKey("DATE"):
      return Tag::kDate;
    case TagKey("PAGE"):
      return Tag::kPage;
    case TagKey("CONC"):
      return Tag::kConc;
    case TagKey("CONT"):
      return Tag::kCont;
    case TagKey("BIRT"):
    case TagKey("CHR"):
    case TagKey("DEAT"):
    case TagKey("BURI"):
    case TagKey("CREM"):
    case TagKey("BAPM"):
    case TagKey("MARR"):
    case TagKey("DIV"):
    case TagKey("ENGA"):
      return Tag::kEvent;
    default:
      return Tag::kOther;
  }
}

bool IsExtension(std::string_view tag) {
  return StartsWith(tag, "_");
}

// Whether a line's value may be a pointer: under the tags whose value the
// GEDCOM grammar makes a pointer, and under an extension tag ("_SEE"),
// whose meaning its maker chose. Every other value is text, however much it
// looks like "@I1@", and is escaped so that no reader takes it for a link.
bool TakesPointer(const TableLine& line) {
  if (line.level == 0) {
    return false;
  }
  switch (line.code) {
    case Tag::kFams:
    case Tag::kFamc:
    case Tag::kHusb:
    case Tag::kWife:
    case Tag::kChil:
    case Tag::kNote:
    case Tag::kSour:
      return true;
    default:
      break;
  }
  if (IsExtension(line.tag())) {
    return true;
  }
  static constexpr std::array<std::string_view, 9> kOtherPointerTags = {"ALIA", "ANCI",  "ASSO", "DESI", "OBJE",
                                                                        "REPO", "SNOTE", "SUBM", "SUBN"};
  return std::any_of(kOtherPointerTags.begin(), kOtherPointerTags.end(),
                     [&line](std::string_view known) { return EqualsIgnoringAsciiCase(line.tag(), known); });
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
  if (auto error = ReadBox(indi, version)) {
    return "Individuals [GED], " + *error;
  }
  if (auto error = ReadBox(fam, version)) {
    return "Families [GED], " + *error;
  }
  IndexXrefs();
  FindTargets();
  return std::nullopt;
}

std::optional<std::string> RecordTable::ReadBox(std::string_view text, GedcomVersion version) {
  RecordLineReader reader(text);
  GedcomLine line;
  std::array<std::size_t, 100> lastAtLevel{};  // the last line of each level
  std::size_t joinedLine = kNoRecord;
  std::string* joined = nullptr;
  while (reader.Next(line)) {
    const std::size_t at = lines_.size();
    TableLine& added = lines_.emplace_back();
    // The tag and the value are one stretch of the line, a blank apart.
    added.text =
        std::string_view(line.tag.data(), line.value.empty() ? line.tag.size()
                                                             : line.value.data() + line.value.size() - line.tag.data());
    added.tagSize = static_cast<std::uint8_t>(line.tag.size());
    added.level = static_cast<std::uint8_t>(line.level);
    added.code = TagCode(line.tag);
    added.pointer = IsPointer(line.value) && TakesPointer(added);
    lastAtLevel[static_cast<std::size_t>(line.level)] = at;
    if (line.level > 0 && IsTextContinuation(added)) {
      const std::size_t parent = lastAtLevel[static_cast<std::size_t>(line.level - 1)];
      TableLine& continued = lines_[parent];
      // The value being joined is found once for all its CONC and CONT lines.
      if (parent != joinedLine) {
        joinedLine = parent;
        joined = &joined_[parent];
      }
      if (!continued.continued) {
        joined->assign(continued.value());
        continued.continued = true;
      }
      if (added.code == Tag::kCont) {
        joined->push_back('\n');
      }
      joined->append(line.value);
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
  }
}

void RecordTable::IndexXrefs() {
  // At most two places in three taken, so that a search meets a free one soon.
  std::size_t size = 16;
  while (2 * size < 3 * records_.size()) {
    size *= 2;
  }
  byXref_.assign(size, XrefSlot{});
  for (std::size_t r = 0; r < records_.size(); ++r) {
    if (!records_[r].written || records_[r].xref.empty()) {
      continue;
    }
    XrefSlot& slot = byXref_[SlotOf(records_[r].xref)];
    // A record given again ("Process the test" twice) replaces the earlier.
    if (slot.record != XrefSlot::kFree) {
      records_[slot.record].written = false;
    }
    slot = {static_cast<std::uint32_t>(r), XrefHash(records_[r].xref)};
  }
}

std::uint32_t RecordTable::XrefHash(std::string_view xref) {
  return static_cast<std::uint32_t>(std::hash<std::string_view>{}(xref));
}

std::size_t RecordTable::SlotOf(std::string_view xref) const {
  const std::size_t mask = byXref_.size() - 1;
  const std::uint32_t hash = XrefHash(xref);
  std::size_t at = hash & mask;
  // The hashes are compared first: the record's own text is read only for
  // the one that is almost certainly it.
  for (;; at = (at + 1) & mask) {
    const XrefSlot& slot = byXref_[at];
    if (slot.record == XrefSlot::kFree || (slot.hash == hash && records_[slot.record].xref == xref)) {
      return at;
    }
  }
}

void RecordTable::FindTargets() {
  notePointers_.assign(records_.size(), 0);
  for (TableLine& line : lines_) {
    if (!line.pointer) {
      continue;
    }
    const std::string_view xref = PointerTarget(line.value());
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
  // A table whose text was not read, or could not be, finds nothing.
  if (byXref_.empty()) {
    return kNoRecord;
  }
  const std::uint32_t record = byXref_[SlotOf(xref)].record;
  return record == XrefSlot::kFree ? kNoRecord : record;
}

std::string_view RecordTable::Text(std::size_t line) const {
  return lines_[line].continued ? std::string_view(joined_.at(line)) : lines_[line].value();
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
