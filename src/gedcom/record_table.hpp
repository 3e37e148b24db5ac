// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The first step of the standard exports: the record text of both boxes
// read into a table of GEDCOM lines and the records they make, with every
// record found by its cross-reference and every pointer by the record it
// leads to. Which records are written is decided here too: the export
// writes its own header and trailer, a record given again ("Process the
// test" twice) replaces the earlier one, and a note without text says
// nothing.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "gedcom/gedcom_line_split.hpp"

namespace quenby {

// The tags the export treats in a way of their own.
enum class Tag : unsigned char {
  kOther,
  kHead,
  kTrlr,
  kIndi,
  kFam,
  kNote,
  kSour,
  kName,
  kSex,
  kFams,
  kFamc,
  kHusb,
  kWife,
  kChil,
  kDate,
  kPage,
  kConc,
  kCont,
  kEvent,  // BIRT, CHR, DEAT, BURI, CREM, BAPM, MARR, DIV, ENGA: may stand alone
};

inline constexpr std::size_t kNoRecord = static_cast<std::size_t>(-1);

struct TableLine {
  // The tag as written, a blank and the line's own value, without the CONC
  // and CONT lines below it.
  std::string_view text;
  // Where the pointer leads: a record, or kNoRecord (to nothing, or to
  // @S1@ when the boxes hold no such record, see `toSourceOfFile`).
  std::size_t target = kNoRecord;
  std::uint8_t tagSize = 0;
  std::uint8_t level = 0;
  Tag code = Tag::kOther;
  // Whether the value is "@xref@" under a tag that takes a pointer.
  bool pointer = false;
  bool toSourceOfFile = false;  // the pointer is @S1@, the source the export writes
  bool continued = false;       // CONC or CONT lines below it go on with its value

  std::string_view tag() const { return text.substr(0, tagSize); }
  std::string_view value() const { return text.substr(std::min<std::size_t>(tagSize + 1, text.size())); }
};

struct TableRecord {
  std::size_t begin = 0;  // its level-0 line
  std::size_t end = 0;    // after its last line
  std::string_view xref;  // without "@"; empty when it has none
  Tag kind = Tag::kOther;
  bool written = true;              // false for HEAD, TRLR, an empty note and a record given again later
  std::size_t sexLine = kNoRecord;  // an INDI record's first SEX line
};

class RecordTable {
 public:
  // Reads both boxes; why they cannot be exported (the box and its first
  // line that is not GEDCOM), or nothing. In 7.0, @VOID@ stands for a
  // pointer to nothing, so no record may take that name.
  std::optional<std::string> Read(std::string_view indi, std::string_view fam, GedcomVersion version);

  const std::vector<TableLine>& lines() const { return lines_; }
  const std::vector<TableRecord>& records() const { return records_; }

  // The record of `xref`, or kNoRecord.
  std::size_t Find(std::string_view xref) const;

  // The value of a line with the CONC and CONT lines below it joined in
  // (LF for CONT).
  std::string_view Text(std::size_t line) const;

  // Where the lines below `line` end, at `end` at the latest.
  std::size_t SubtreeEnd(std::size_t line, std::size_t end) const;

  // Whether the line's pointer leads to a record of the file: a written
  // record that is not brought into the one line pointing to it, or @S1@.
  bool Defined(std::size_t line) const;

  // A note record that one NOTE line points to is written there, as the
  // person's own note; one that several point to stays a shared note, so
  // that its text is written once.
  bool IsInlinedNote(std::size_t record) const;

  bool IsKind(std::size_t record, Tag kind) const { return record < records_.size() && records_[record].kind == kind; }

  // A cross-reference for the submitter that no record has (U1, U2, ...).
  const std::string& submitter() const { return submitter_; }

 private:
  std::optional<std::string> ReadBox(std::string_view text, GedcomVersion version);
  void EndRecord(std::size_t end, GedcomVersion version);
  void IndexXrefs();
  static std::uint32_t XrefHash(std::string_view xref);
  std::size_t SlotOf(std::string_view xref) const;
  void FindTargets();

  std::vector<TableLine> lines_;
  std::vector<TableRecord> records_;
  // The written records by cross-reference: a table of slots, a
  // cross-reference at its hash or the first free slot after it. Slots of
  // two 32-bit numbers keep the table small (2 MB for 100,000 people), so
  // that fewer of its reads miss the processor's cache.
  struct XrefSlot {
    static constexpr std::uint32_t kFree = static_cast<std::uint32_t>(-1);
    std::uint32_t record = kFree;
    std::uint32_t hash = 0;
  };
  std::vector<XrefSlot> byXref_;
  std::unordered_map<std::size_t, std::string> joined_;  // by line: values continued below it
  std::vector<int> notePointers_;                        // by record: the NOTE lines that point to it
  std::string submitter_;
};

}  // namespace quenby
