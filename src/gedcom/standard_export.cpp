// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/standard_export.hpp"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <unordered_map>

#include "gedcom/gedcom_lines.hpp"
#include "gedcom/gedcom_names.hpp"
#include "quenby/version.hpp"
#include "text/calendar.hpp"
#include "text/encoding.hpp"
#include "text/file_io.hpp"
#include "text/large_pages.hpp"
#include "text/text.hpp"

namespace quenby {
namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);
// What a line's value points to, besides a record index. A line keeps it in
// 32 bits: a box of at most 4 GB has fewer lines, and so fewer records.
constexpr std::uint32_t kNoPointer = UINT32_MAX;         // the value is text
constexpr std::uint32_t kUndefined = UINT32_MAX - 1;     // a pointer to no record
constexpr std::uint32_t kSourceOfFile = UINT32_MAX - 2;  // @S1@, written by the export
constexpr std::size_t kLongestBox = UINT32_MAX;

// The tags the export treats in a way of their own, found once per line.
enum class Tag : std::uint8_t {
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
  // The events, which IsEvent finds by their place at the end.
  kBirt,
  kChr,
  kDeat,
  kBuri,
  kCrem,
  kBapm,
  kMarr,
  kDiv,
  kEnga,
};

// The characters of a tag in one number, letters in upper case. Clearing
// bit 5 makes a lower-case letter upper case; a tag's other characters
// (digits and "_") never become letters that way, so no other tag packs
// like a known one.
constexpr std::uint32_t PackedUpper(std::string_view tag) {
  std::uint32_t packed = 0;
  for (const char c : tag) {
    packed = packed << 8 | (static_cast<unsigned char>(c) & 0xDFU);
  }
  return packed;
}

Tag TagCode(std::string_view tag) {
  if (tag.size() < 3 || tag.size() > 4) {
    return Tag::kOther;
  }
  switch (PackedUpper(tag)) {
    case PackedUpper("HEAD"):
      return Tag::kHead;
    case PackedUpper("TRLR"):
      return Tag::kTrlr;
    case PackedUpper("INDI"):
      return Tag::kIndi;
    case PackedUpper("FAM"):
      return Tag::kFam;
    case PackedUpper("NOTE"):
      return Tag::kNote;
    case PackedUpper("SOUR"):
      return Tag::kSour;
    case PackedUpper("NAME"):
      return Tag::kName;
    case PackedUpper("SEX"):
      return Tag::kSex;
    case PackedUpper("FAMS"):
      return Tag::kFams;
    case PackedUpper("FAMC"):
      return Tag::kFamc;
    case PackedUpper("HUSB"):
      return Tag::kHusb;
    case PackedUpper("WIFE"):
      return Tag::kWife;
    case PackedUpper("CHIL"):
      return Tag::kChil;
    case PackedUpper("DATE"):
      return Tag::kDate;
    case PackedUpper("PAGE"):
      return Tag::kPage;
    case PackedUpper("CONC"):
      return Tag::kConc;
    case PackedUpper("CONT"):
      return Tag::kCont;
    case PackedUpper("BIRT"):
      return Tag::kBirt;
    case PackedUpper("CHR"):
      return Tag::kChr;
    case PackedUpper("DEAT"):
      return Tag::kDeat;
    case PackedUpper("BURI"):
      return Tag::kBuri;
    case PackedUpper("CREM"):
      return Tag::kCrem;
    case PackedUpper("BAPM"):
      return Tag::kBapm;
    case PackedUpper("MARR"):
      return Tag::kMarr;
    case PackedUpper("DIV"):
      return Tag::kDiv;
    case PackedUpper("ENGA"):
      return Tag::kEnga;
    default:
      return Tag::kOther;
  }
}

// Events that a record may state without a date or place; "Y" says that
// they happened.
bool IsEvent(Tag tag) {
  return tag >= Tag::kBirt;
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
  static constexpr std::string_view kPointerTags[] = {"ALIA", "ANCI", "ASSO", "CHIL",  "DESI", "FAMC", "FAMS", "HUSB",
                                                      "NOTE", "OBJE", "REPO", "SNOTE", "SOUR", "SUBM", "SUBN", "WIFE"};
  return std::any_of(std::begin(kPointerTags), std::end(kPointerTags),
                     [tag](std::string_view known) { return EqualsIgnoringAsciiCase(tag, known); });
}

// Calls `each` with every piece of a reference or note list, which the
// person line's parser writes as "{first}, {second}"; any other text is one
// piece as it stands.
template <typename Each>
void ForEachBracedPiece(std::string_view text, Each each) {
  if (!StartsWith(text, "{") || !EndsWith(text, "}") || text.size() < 2) {
    each(text);
    return;
  }
  text = text.substr(1, text.size() - 2);
  std::size_t at = 0;
  while (true) {
    const std::size_t next = text.find("}, {", at);
    each(text.substr(at, next == std::string_view::npos ? std::string_view::npos : next - at));
    if (next == std::string_view::npos) {
      return;
    }
    at = next + 4;
  }
}

enum class Sex : char { kMale = 'M', kFemale = 'F', kOther = 'X', kUnknown = 'U' };

Sex SexOf(std::string_view value) {
  if (value.size() == 1) {
    // The letter alone, as the records say it: told without a comparison.
    switch (value[0] | 0x20) {
      case 'm':
        return Sex::kMale;
      case 'f':
        return Sex::kFemale;
      case 'x':
        return Sex::kOther;
      default:
        return Sex::kUnknown;
    }
  }
  const auto trimmed = TrimView(value);
  if (EqualsIgnoringAsciiCase(trimmed, "M") || EqualsIgnoringAsciiCase(trimmed, "male")) {
    return Sex::kMale;
  }
  if (EqualsIgnoringAsciiCase(trimmed, "F") || EqualsIgnoringAsciiCase(trimmed, "female")) {
    return Sex::kFemale;
  }
  return EqualsIgnoringAsciiCase(trimmed, "X") ? Sex::kOther : Sex::kUnknown;
}

Sex Opposite(Sex sex) {
  return sex == Sex::kMale ? Sex::kFemale : Sex::kMale;
}

// Records by cross-reference. The record text names most of them by a
// prefix and a number (I12, F3, NI7), which index a vector; a hash table
// holds the others.
class XrefIndex {
 public:
  void Reserve(std::size_t records) { largest_ = 4 * records + 1024; }

  // Stores `record` under `xref`; the record stored before, or kNone.
  std::size_t Put(std::string_view xref, std::size_t record) {
    std::uint32_t prefix = 0;
    std::size_t number = 0;
    if (!Numbered(xref, prefix, number)) {
      return PutOther(xref, record);
    }
    auto it = std::find_if(numbered_.begin(), numbered_.end(), [prefix](const auto& p) { return p.first == prefix; });
    if (it == numbered_.end()) {
      // A few prefixes are searched in turn; more would make every look-up
      // slow, so the rest go to the hash table.
      if (numbered_.size() == kMostPrefixes) {
        return PutOther(xref, record);
      }
      it = numbered_.insert(numbered_.end(), {prefix, {}});
    }
    std::vector<std::uint32_t>& slots = it->second;
    if (number >= slots.size()) {
      slots.resize(std::max(number + 1, slots.size() * 2), kEmptySlot);
    }
    const std::uint32_t earlier = slots[number];
    slots[number] = static_cast<std::uint32_t>(record);
    return earlier == kEmptySlot ? kNone : earlier;
  }

  std::size_t Find(std::string_view xref) const {
    std::uint32_t prefix = 0;
    std::size_t number = 0;
    if (!Numbered(xref, prefix, number)) {
      const auto it = others_.find(xref);
      return it == others_.end() ? kNone : it->second;
    }
    const auto it =
        std::find_if(numbered_.begin(), numbered_.end(), [prefix](const auto& p) { return p.first == prefix; });
    if (it == numbered_.end()) {
      const auto other = others_.find(xref);
      return other == others_.end() ? kNone : other->second;
    }
    return number >= it->second.size() || it->second[number] == kEmptySlot ? kNone : it->second[number];
  }

 private:
  std::size_t PutOther(std::string_view xref, std::size_t record) {
    const auto [it, fresh] = others_.try_emplace(xref, record);
    const std::size_t earlier = fresh ? kNone : it->second;
    it->second = record;
    return earlier;
  }

  // Whether `xref` is one to three characters other than digits followed by
  // a number without leading zero that the vectors may hold. The prefix is
  // packed into one number, its characters and its length, to be compared
  // at once.
  bool Numbered(std::string_view xref, std::uint32_t& prefix, std::size_t& number) const {
    std::size_t digits = 0;
    while (digits < xref.size() && (xref[digits] < '0' || xref[digits] > '9')) {
      ++digits;
    }
    if (digits == 0 || digits == xref.size() || digits > 3 || xref.size() - digits > 7 || xref[digits] == '0') {
      return false;
    }
    number = 0;
    for (std::size_t i = digits; i < xref.size(); ++i) {
      if (xref[i] < '0' || xref[i] > '9') {
        return false;
      }
      number = number * 10 + static_cast<std::size_t>(xref[i] - '0');
    }
    prefix = static_cast<std::uint32_t>(digits);
    for (std::size_t i = 0; i < digits; ++i) {
      prefix = prefix << 8 | static_cast<unsigned char>(xref[i]);
    }
    return number <= largest_;
  }

  static constexpr std::size_t kMostPrefixes = 8;
  // Record numbers fit in 32 bits, as the lines of a box do.
  static constexpr std::uint32_t kEmptySlot = UINT32_MAX;

  std::size_t largest_ = 1024;
  std::vector<std::pair<std::uint32_t, std::vector<std::uint32_t>>> numbered_;
  std::unordered_map<std::string_view, std::size_t> others_;
};

// A line of the record text as the export keeps it: 16 bytes, so that the
// lines of a long list take little memory and are quick to go through. Its
// tag is found by its place in the text of its box and its value follows
// the tag and one blank; a record's cross-reference is kept with the record.
struct CompactLine {
  CompactLine(const GedcomLine& line, const char* box)
      : tagAt(static_cast<std::uint32_t>(line.tag.data() - box)),
        valueSize(static_cast<std::uint32_t>(line.value.size())),
        tagSize(static_cast<std::uint8_t>(line.tag.size())),
        level(static_cast<std::uint8_t>(line.level)),
        code(TagCode(line.tag)),
        pointer(TakesPointer(line.tag, line.level) && IsPointer(line.value)) {}

  bool IsTextContinuation() const { return code == Tag::kConc || code == Tag::kCont; }

  std::uint32_t tagAt;
  std::uint32_t valueSize;
  std::uint32_t target = kNoPointer;  // the record its pointer leads to, or kNoPointer, kUndefined, kSourceOfFile
  std::uint8_t tagSize;               // tags have at most 31 characters
  std::uint8_t level;                 // levels go up to 99
  Tag code;
  bool pointer : 1;            // whether the value is "@xref@" under a tag that takes a pointer
  bool continued : 1 = false;  // whether CONC or CONT lines below it go on with its value
  bool leftOut : 1 = false;    // a partner line that 5.5.1 cannot hold (one of two men or two women)
};
static_assert(sizeof(CompactLine) == 16);

// Records and lines are counted in 32 bits, as the lines of a box are.
struct Record {
  std::uint32_t begin = 0;  // its level-0 line
  std::uint32_t end = 0;
  std::uint32_t sexLine = 0;  // its first SEX line, 0 when it has none
  std::uint32_t xrefAt = 0;   // where its cross-reference starts in the text of its box
  std::uint8_t xrefSize = 0;  // cross-references have at most 20 characters
  Tag kind = Tag::kOther;     // the code of its tag
  bool written = true;        // false for a record replaced by a later one, HEAD and TRLR
};
static_assert(sizeof(Record) == 20);

// A partner or child line of a family, and the person it points to.
struct Member {
  std::uint32_t family = 0;  // record index
  std::uint32_t line = 0;
  std::uint32_t person = 0;  // record index
};

// A back-link of a person to a family (FAMS, FAMC) or a partner (ASSO).
struct Link {
  enum class Kind : std::uint8_t { kFams, kFamc, kAsso };
  std::uint32_t record = 0;
  Kind kind = Kind::kFams;
};

class Exporter {
 public:
  // `fileName` is the name the header gives the file.
  Exporter(const StandardExportOptions& options, std::string_view fileName, std::size_t lineBound)
      : options_(options), fileName_(fileName) {
    lines_.reserve(lineBound);
    AdviseLargePages(lines_.data(), lineBound * sizeof(CompactLine));
    // Room for as many records, pointers and family members as a list of
    // this size usually has, about one of each for every 64 bytes of text,
    // so that a long list is not copied as they grow; a list with more
    // makes more room as it goes.
    records_.reserve(lineBound / 16);
    pointerLines_.reserve(lineBound / 16);
    members_.reserve(lineBound / 16);
    byXref_.Reserve(lineBound);
  }

  // Reads the lines of one box and indexes the records they make, each
  // while its text is fresh in the cache; the first line that is not
  // GEDCOM, or nothing.
  std::optional<RecordTextError> Read(std::string_view text) {
    if (text.size() > kLongestBox) {
      return RecordTextError{0, "it holds more than 4 GB of text, more than can be exported"};
    }
    if (!boxes_.empty()) {
      famFrom_ = lines_.size();
    }
    boxes_.push_back(text.data());
    RecordLineReader reader(text);
    GedcomLine line;
    std::array<std::size_t, 100> lastAtLevel{};  // the last line of each level
    while (reader.Next(line)) {
      const std::size_t at = lines_.size();
      const CompactLine& added = lines_.emplace_back(line, text.data());
      lastAtLevel[added.level] = at;
      if (added.level > 0 && added.IsTextContinuation()) {
        lines_[lastAtLevel[added.level - 1]].continued = true;
      }
      if (added.pointer) {
        pointerLines_.push_back(static_cast<std::uint32_t>(at));
      }
      if (line.level == 0) {
        if (!records_.empty() && records_.back().end == 0) {
          EndRecord(at);
        }
        records_.push_back({static_cast<std::uint32_t>(at), 0, 0,
                            static_cast<std::uint32_t>(line.xref.data() - text.data()),
                            static_cast<std::uint8_t>(line.xref.size()), added.code});
      } else if (line.level == 1) {
        Record& record = records_.back();
        if (record.kind == Tag::kIndi && Is(added, Tag::kSex) && record.sexLine == 0) {
          record.sexLine = static_cast<std::uint32_t>(at);
        } else if (record.kind == Tag::kFam && added.pointer &&
                   (Is(added, Tag::kHusb) || Is(added, Tag::kWife) || Is(added, Tag::kChil))) {
          members_.push_back({static_cast<std::uint32_t>(records_.size() - 1), static_cast<std::uint32_t>(at), 0});
        }
      }
    }
    if (!records_.empty() && records_.back().end == 0) {
      EndRecord(lines_.size());
    }
    return reader.error();
  }

  // Writes the file through `write`, a piece of some kilobytes at a time,
  // so that a long file is never held whole; false when a piece could not
  // be written.
  bool Run(const PieceWriter& write) {
    Index();
    Families();
    Sexes();
    SameSexCouples();
    Links();
    Header();
    for (std::size_t r = 0; r < records_.size(); ++r) {
      if (records_[r].written && !IsInlinedNote(r)) {
        WriteRecord(r);
        if (out_.size() >= kPiece && !Flush(write)) {
          return false;
        }
      }
    }
    if (sourceUsed_ && RecordOf("S1") == kNone) {
      out_.Append("0 @S1@ SOUR\r\n1 TITL Quenby\r\n");
    }
    out_.Append("0 @");
    out_.Append(submitter_);
    out_.Append("@ SUBM\r\n1 NAME Unknown\r\n0 TRLR\r\n");
    return Flush(write);
  }

 private:
  // Small enough to stay in the processor's cache between being made and
  // being written.
  static constexpr std::size_t kPiece = 64 * 1024;

  bool Flush(const PieceWriter& write) {
    const bool written = write(out_.View());
    out_.Clear();
    return written;
  }

  bool Is70() const { return options_.version == GedcomVersion::k70; }

  const char* TagStart(std::size_t line) const { return boxes_[line < famFrom_ ? 0 : 1] + lines_[line].tagAt; }

  // A record's cross-reference, without its "@"; empty when it has none.
  std::string_view Xref(std::size_t record) const {
    const Record& r = records_[record];
    return {boxes_[r.begin < famFrom_ ? 0 : 1] + r.xrefAt, r.xrefSize};
  }

  std::string_view TagText(std::size_t line) const { return {TagStart(line), lines_[line].tagSize}; }

  // Whether `raw` (from RawValue) is the line's value as it stands: the
  // same text, which it mostly is without being copied.
  bool IsOwnValue(std::string_view raw, std::size_t line) const {
    const std::string_view own = Value(line);
    return (raw.data() == own.data() && raw.size() == own.size()) || raw == own;
  }

  std::string_view Value(std::size_t line) const {
    const CompactLine& compact = lines_[line];
    return compact.valueSize == 0 ? std::string_view()
                                  : std::string_view(TagStart(line) + compact.tagSize + 1, compact.valueSize);
  }

  // Ends the last record at line `end`: whether it is written, and under
  // which cross-reference.
  void EndRecord(std::size_t end) {
    const std::size_t r = records_.size() - 1;
    records_[r].end = static_cast<std::uint32_t>(end);
    const CompactLine& head = lines_[records_[r].begin];
    std::string buffer;
    const bool emptyNote = Is(head, Tag::kNote) && RawValue(records_[r].begin, buffer).empty() &&
                           std::all_of(lines_.begin() + static_cast<std::ptrdiff_t>(records_[r].begin) + 1,
                                       lines_.begin() + static_cast<std::ptrdiff_t>(records_[r].end),
                                       [](const CompactLine& line) { return line.IsTextContinuation(); });
    // The export writes its own header and trailer; a note without text
    // says nothing and a reader refuses it.
    // 7.0 keeps @VOID@ for a pointer to nothing.
    const std::string_view xref = Xref(r);
    const bool reserved = Is70() && xref == "VOID";
    if (Is(head, Tag::kHead) || Is(head, Tag::kTrlr) || emptyNote || reserved) {
      records_[r].written = false;
      return;
    }
    if (xref.empty()) {
      return;
    }
    // A record given again ("Process the test" twice) replaces the earlier.
    const std::size_t earlier = byXref_.Put(xref, r);
    if (earlier != kNone) {
      records_[earlier].written = false;
    }
  }

  void Index() {
    // Every pointer is looked up once.
    notePointers_.assign(records_.size(), 0);
    for (const std::size_t i : pointerLines_) {
      const std::string_view xref = PointerTarget(Value(i));
      const std::size_t record = RecordOf(xref);
      lines_[i].target = record != kNone ? static_cast<std::uint32_t>(record)
                         : xref == "S1"  ? kSourceOfFile
                                         : kUndefined;
      if (record != kNone && lines_[i].level > 0 && Is(lines_[i], Tag::kNote)) {
        notePointers_[record] = std::min(notePointers_[record] + 1, 2);
      }
    }
    std::size_t number = 1;
    while (RecordOf(submitter_ = "U" + std::to_string(number)) != kNone) {
      ++number;
    }
  }

  std::size_t RecordOf(std::string_view xref) const { return byXref_.Find(xref); }

  bool IsKind(std::size_t record, Tag tag) const { return record < records_.size() && records_[record].kind == tag; }

  static bool Is(const CompactLine& line, Tag tag) { return line.code == tag; }

  // A note record that one NOTE line points to is written there, as the
  // person's own note; one that several point to stays a shared note, so
  // that its text is written once.
  bool IsInlinedNote(std::size_t record) const { return notePointers_[record] == 1 && IsKind(record, Tag::kNote); }

  // Whether the pointer of a line leads to a record of the file.
  // A note record that NOTE lines bring in is not written, so other lines
  // cannot point to it.
  bool Defined(std::size_t line) const {
    const std::size_t target = lines_[line].target;
    if (target == kSourceOfFile) {
      return true;
    }
    return target < records_.size() && records_[target].written && !IsInlinedNote(target);
  }

  // The partner and child lines of the families, in the order of the lines:
  // the partners of one family stand together.
  void Families() {
    partners_.reserve(members_.size());
    children_.reserve(members_.size());
    for (Member member : members_) {
      const CompactLine& line = lines_[member.line];
      member.person = line.target;
      if (!records_[member.family].written || member.person >= records_.size() || !IsKind(member.person, Tag::kIndi)) {
        continue;
      }
      (Is(line, Tag::kChil) ? children_ : partners_).push_back(member);
    }
  }

  void Sexes() {
    sex_.assign(records_.size(), Sex::kUnknown);
    std::vector<bool> defaulted(records_.size(), false);
    for (const auto& id : options_.defaultSexIds) {
      const std::size_t r = RecordOf(id);
      if (r != kNone) {
        defaulted[r] = true;
      }
    }
    for (std::size_t r = 0; r < records_.size(); ++r) {
      if (records_[r].sexLine != 0) {
        sex_[r] = defaulted[r] ? Sex::kUnknown : SexOf(Value(records_[r].sexLine));
      }
    }
    // A sex nobody chose is the opposite of a partner's chosen one; partners
    // that disagree leave it unknown.
    std::vector<Sex> inferred(records_.size(), Sex::kUnknown);
    std::vector<bool> conflict(records_.size(), false);
    for (std::size_t first = 0; first < partners_.size(); first = FamilyEnd(first)) {
      if (FamilyEnd(first) != first + 2) {
        continue;
      }
      for (std::size_t k = 0; k < 2; ++k) {
        const std::size_t self = partners_[first + k].person;
        const std::size_t other = partners_[first + 1 - k].person;
        const Sex known = sex_[other];
        if (!defaulted[self] || defaulted[other] || (known != Sex::kMale && known != Sex::kFemale)) {
          continue;
        }
        if (inferred[self] != Sex::kUnknown && inferred[self] != Opposite(known)) {
          conflict[self] = true;
        }
        inferred[self] = Opposite(known);
      }
    }
    for (std::size_t r = 0; r < records_.size(); ++r) {
      if (defaulted[r] && !conflict[r]) {
        sex_[r] = inferred[r];
      }
    }
  }

  // GEDCOM 5.5.1 knows a couple only as husband and wife, and a reader
  // refuses a whole file with a woman as HUSB or a man as WIFE. The second
  // partner of two men or two women leaves the family there and is linked
  // to the first as an associate with the relation "Partner"; 7.0 keeps
  // both partners in the family.
  void SameSexCouples() {
    if (Is70()) {
      return;
    }
    std::size_t kept = 0;
    for (std::size_t first = 0; first < partners_.size();) {
      const std::size_t end = FamilyEnd(first);
      const Sex sex = sex_[partners_[first].person];
      if (end == first + 2 && (sex == Sex::kMale || sex == Sex::kFemale) && sex_[partners_[first + 1].person] == sex) {
        const Member& second = partners_[first + 1];
        lines_[second.line].leftOut = true;
        associates_.push_back({partners_[first].person, second.person});
        associates_.push_back({second.person, partners_[first].person});
        partners_[kept++] = partners_[first];
      } else {
        for (std::size_t k = first; k < end; ++k) {
          partners_[kept++] = partners_[k];
        }
      }
      first = end;
    }
    partners_.resize(kept);
  }

  // The partners of family `record`, which is written after the families
  // before it.
  void FindPartners(std::size_t record) {
    while (nextPartner_ < partners_.size() && partners_[nextPartner_].family < record) {
      ++nextPartner_;
    }
    const bool found = nextPartner_ < partners_.size() && partners_[nextPartner_].family == record;
    familyPartners_ = {partners_.data() + nextPartner_, found ? FamilyEnd(nextPartner_) - nextPartner_ : 0};
  }

  // Where the partners of the family of partners_[first] end.
  std::size_t FamilyEnd(std::size_t first) const {
    std::size_t end = first + 1;
    while (end < partners_.size() && partners_[end].family == partners_[first].family) {
      ++end;
    }
    return end;
  }

  // The HUSB or WIFE tag of a partner: the man is HUSB and the woman WIFE
  // whenever the sexes tell them apart; otherwise the record's own tag.
  std::string_view PartnerTag(std::size_t line) const {
    const std::span<const Member> partners = familyPartners_;
    const std::string_view own = Is(lines_[line], Tag::kHusb) ? "HUSB" : "WIFE";
    if (partners.size() > 2) {
      return own;
    }
    std::size_t self = 0;
    while (self < partners.size() && partners[self].line != line) {
      ++self;
    }
    if (self == partners.size()) {
      return own;
    }
    const Sex mine = sex_[partners[self].person];
    if (partners.size() == 1) {
      return mine == Sex::kMale ? "HUSB" : mine == Sex::kFemale ? "WIFE" : own;
    }
    const Sex theirs = sex_[partners[1 - self].person];
    if (mine == theirs) {
      return own;
    }
    if (mine == Sex::kMale || theirs == Sex::kFemale) {
      return "HUSB";
    }
    if (mine == Sex::kFemale || theirs == Sex::kMale) {
      return "WIFE";
    }
    return own;
  }

  void Header() {
    out_.Append("0 HEAD\r\n");
    if (Is70()) {
      out_.Append("1 GEDC\r\n2 VERS 7.0\r\n");
    }
    out_.Append("1 SOUR QUENBY\r\n2 VERS ");
    out_.Append(kVersionText);
    out_.Append("\r\n2 NAME Quenby\r\n1 DEST ANY\r\n1 DATE ");
    out_.Append(options_.date);
    out_.Append("\r\n1 SUBM @");
    out_.Append(submitter_);
    out_.Append("@\r\n");
    if (!Is70()) {
      if (!fileName_.empty()) {
        out_.AppendValueLines(1, {}, "FILE", Text(fileName_), options_.version);
      }
      out_.Append("1 GEDC\r\n2 VERS 5.5.1\r\n2 FORM LINEAGE-LINKED\r\n1 CHAR UTF-8\r\n");
    }
  }

  // The value of a line with the CONC and CONT lines below it joined in
  // (LF for CONT).
  std::string_view RawValue(std::size_t line, std::string& buffer) const {
    return lines_[line].continued ? JoinedValue(line, buffer) : Value(line);
  }

  std::string_view JoinedValue(std::size_t line, std::string& buffer) const {
    const int level = lines_[line].level;
    std::size_t i = line + 1;
    bool joined = false;
    for (; i < lines_.size() && lines_[i].level > level; ++i) {
      if (lines_[i].level == level + 1 && lines_[i].IsTextContinuation()) {
        if (!joined) {
          buffer.assign(Value(line));
          joined = true;
        }
        if (Is(lines_[i], Tag::kCont)) {
          buffer.push_back('\n');
        }
        buffer.append(Value(i));
      }
    }
    return joined ? std::string_view(buffer) : Value(line);
  }

  // Text as a GEDCOM value: printable UTF-8, "@" doubled where the version
  // asks for it. Line breaks stay.
  std::string_view Text(std::string_view raw) {
    if (IsPlain(raw)) {
      return raw;
    }
    text_.clear();
    std::size_t at = 0;
    while (true) {
      const std::size_t lineBreak = raw.find('\n', at);
      const std::size_t start = text_.size();
      AppendPrintable(text_, raw.substr(at, lineBreak == std::string_view::npos ? lineBreak : lineBreak - at));
      EscapeAt(start);
      if (lineBreak == std::string_view::npos) {
        return text_;
      }
      text_.push_back('\n');
      at = lineBreak + 1;
    }
  }

  void EscapeAt(std::size_t start) {
    if (text_.find('@', start) == std::string::npos) {
      return;
    }
    if (Is70()) {
      if (text_.size() > start && text_[start] == '@') {
        text_.insert(start, 1, '@');
      }
      return;
    }
    std::string escaped = text_.substr(0, start);
    for (std::size_t i = start; i < text_.size(); ++i) {
      escaped.push_back(text_[i]);
      if (text_[i] == '@') {
        escaped.push_back('@');
      }
    }
    text_ = std::move(escaped);
  }

  // Whether a value goes out as it stands: printable ASCII without "@" and
  // without a line break, as most values are.
  static bool IsPlain(std::string_view raw) {
    // Eight characters at a time: the high bit of a byte is set in
    // `outside` when it is below 0x20 or from 0x7F on, and in `at` when it
    // is "@"; adding to the low seven bits of a byte never carries into
    // the next.
    constexpr std::uint64_t kEachByte = 0x0101010101010101;
    constexpr std::uint64_t kHighBits = 0x80 * kEachByte;
    constexpr std::uint64_t kLowBits = 0x7F * kEachByte;
    std::size_t i = 0;
    for (; i + sizeof(std::uint64_t) <= raw.size(); i += sizeof(std::uint64_t)) {
      std::uint64_t eight = 0;
      std::memcpy(&eight, raw.data() + i, sizeof eight);
      const std::uint64_t low = eight & kLowBits;
      const std::uint64_t fromDelete = (low + kEachByte) | eight;
      const std::uint64_t belowBlank = ~(low + 0x60 * kEachByte);
      const std::uint64_t notAt = eight ^ (0x40 * kEachByte);
      const std::uint64_t at = ~(((notAt & kLowBits) + kLowBits) | notAt);
      if (((fromDelete | belowBlank | at) & kHighBits) != 0) {
        return false;
      }
    }
    return std::all_of(raw.begin() + static_cast<std::ptrdiff_t>(i), raw.end(),
                       [](char c) { return c >= 0x20 && c < 0x7F && c != '@'; });
  }

  void Line(int level, std::string_view tag, std::string_view text) {
    if (IsPlain(text)) {
      out_.AppendSingleLine(level, {}, tag, text, options_.version);
    } else {
      out_.AppendValueLines(level, {}, tag, Text(text), options_.version);
    }
  }

  void Pointer(int level, std::string_view tag, std::string_view xref) {
    out_.AppendPointer(level, tag, xref);
    if (xref == "S1") {
      sourceUsed_ = true;
    }
  }

  // The tag in upper case; most are written so and are taken as they stand.
  std::string_view UpperTag(std::size_t line) {
    const std::string_view tag = TagText(line);
    if (std::none_of(tag.begin(), tag.end(), [](char c) { return c >= 'a' && c <= 'z'; })) {
      return tag;
    }
    upperTag_.assign(tag);
    for (char& c : upperTag_) {
      if (c >= 'a' && c <= 'z') {
        c = static_cast<char>(c - 'a' + 'A');
      }
    }
    return upperTag_;
  }

  std::size_t SubtreeEnd(std::size_t line, std::size_t end) const {
    std::size_t i = line + 1;
    while (i < end && lines_[i].level > lines_[line].level) {
      ++i;
    }
    return i;
  }

  void WriteRecord(std::size_t r) {
    const CompactLine& head = lines_[records_[r].begin];
    const bool isIndi = IsKind(r, Tag::kIndi);
    const std::string_view tag = Is70() && Is(head, Tag::kNote) ? "SNOTE" : UpperTag(records_[r].begin);
    std::string buffer;
    // A record's own value is text, as every value outside the tags that
    // take pointers.
    out_.AppendValueLines(0, Xref(r), tag, Text(RawValue(records_[r].begin, buffer)), options_.version);
    if (IsKind(r, Tag::kFam)) {
      FindPartners(r);
    }
    WriteLines(r, records_[r].begin + 1, records_[r].end);
    if (isIndi) {
      BackLinks(r);
    }
  }

  void BackLinks(std::size_t person) {
    for (std::size_t k = linkStart_[person]; k < linkStart_[person + 1]; ++k) {
      const Link link = links_[k];
      Pointer(1,
              link.kind == Link::Kind::kFams   ? "FAMS"
              : link.kind == Link::Kind::kFamc ? "FAMC"
                                               : "ASSO",
              Xref(link.record));
      if (link.kind == Link::Kind::kAsso) {
        out_.Append("2 RELA Partner\r\n");
      }
    }
  }

  // The lines below line `line` of a record, up to `end`; most lines have
  // none.
  void WriteBelow(std::size_t record, std::size_t line, std::size_t end) {
    if (line + 1 < end) {
      WriteLines(record, line + 1, end);
    }
  }

  void WriteLines(std::size_t record, std::size_t from, std::size_t to) {
    const bool isIndi = IsKind(record, Tag::kIndi);
    const bool isFam = IsKind(record, Tag::kFam);
    std::string buffer;
    for (std::size_t i = from; i < to;) {
      const CompactLine& line = lines_[i];
      const std::size_t end = SubtreeEnd(i, to);
      if (line.IsTextContinuation()) {
        i = end;
        continue;
      }
      const std::string_view raw = RawValue(i, buffer);
      if ((isIndi && line.level == 1 && (Is(line, Tag::kFams) || Is(line, Tag::kFamc))) || line.leftOut) {
        // The back-links are made from the family records.
      } else if (isIndi && line.level == 1 && Is(line, Tag::kName)) {
        Name(raw, end > i + 1);
        WriteBelow(record, i, end);
      } else if (isIndi && line.level == 1 && Is(line, Tag::kSex)) {
        const Sex sex = sex_[record];
        const char written = static_cast<char>(sex == Sex::kOther && !Is70() ? Sex::kUnknown : sex);
        Line(1, "SEX", std::string_view(&written, 1));
      } else if (Is(line, Tag::kNote) && line.level > 0) {
        Notes(i, raw);
      } else if (Is(line, Tag::kSour) && line.level > 0) {
        Citations(i, end, raw);
      } else if (line.target != kNoPointer && IsOwnValue(raw, i) && (Defined(i) || !IsExtension(TagText(i)))) {
        // A pointer to nothing is left out, except under an extension tag,
        // where it may as well be text and is kept as such.
        const bool toPerson = line.target < records_.size() && IsKind(line.target, Tag::kIndi);
        if (Defined(i) &&
            !(isFam && !toPerson && (Is(line, Tag::kHusb) || Is(line, Tag::kWife) || Is(line, Tag::kChil)))) {
          const bool partner = isFam && line.level == 1 && (Is(line, Tag::kHusb) || Is(line, Tag::kWife));
          Pointer(line.level, partner ? PartnerTag(i) : UpperTag(i), PointerTarget(raw));
          WriteBelow(record, i, end);
        }
      } else if (Is(line, Tag::kDate) && line.level > 1) {
        Date(line.level, raw);
        WriteBelow(record, i, end);
      } else if (line.level == 1 && IsEvent(line.code) && raw.empty() && end == i + 1) {
        Line(1, UpperTag(i), "Y");
      } else {
        Line(line.level, UpperTag(i), raw);
        WriteBelow(record, i, end);
      }
      i = end;
    }
  }

  // An empty name says nothing and a reader refuses it: it is left out,
  // unless lines below it need it ("//", no name known).
  void Name(std::string_view raw, bool hasLinesBelow) {
    const NameParts& parts = names_.Split(raw);
    WriteNameValue(parts, nameValue_);
    const std::string& value = nameValue_;
    if (value.empty() && !hasLinesBelow) {
      return;
    }
    Line(1, "NAME", value.empty() ? std::string_view("//") : std::string_view(value));
    const std::pair<std::string_view, const std::string*> pieces[] = {{"NPFX", &parts.prefix},
                                                                      {"GIVN", &parts.given},
                                                                      {"SPFX", &parts.surnamePrefix},
                                                                      {"SURN", &parts.surname},
                                                                      {"NSFX", &parts.suffix}};
    for (const auto& [tag, value] : pieces) {
      if (!value->empty()) {
        Line(2, tag, *value);
      }
    }
  }

  void Date(int level, std::string_view raw) {
    const auto date = StandardDate(raw, options_.dateOrder);
    if (date) {
      Line(level, "DATE", *date);
      return;
    }
    // A date this cannot read is kept whole as a date phrase, found by its
    // year when it names one.
    const auto year = YearOfPhrase(raw);
    if (Is70()) {
      Line(level, "DATE", year.value_or(""));
      Line(level + 1, "PHRASE", raw);
    } else {
      Line(level, "DATE", (year ? "INT " + *year + " (" : "(") + std::string(raw) + ")");
    }
  }

  // Each piece of a note list is a note of its own; a pointer to a note
  // record brings that record's text here.
  void Notes(std::size_t line, std::string_view raw) {
    const int level = lines_[line].level;
    std::string buffer;
    if (lines_[line].target != kNoPointer && IsOwnValue(raw, line)) {
      const std::size_t note = lines_[line].target;
      if (note >= records_.size() || !IsInlinedNote(note)) {
        // A shared note (7.0 names the pointer SNOTE); a pointer to anything
        // but a note is no note.
        if (Defined(line) && IsKind(note, Tag::kNote)) {
          Pointer(level, Is70() ? "SNOTE" : "NOTE", PointerTarget(raw));
        }
        return;
      }
      raw = RawValue(records_[note].begin, buffer);
    }
    ForEachBracedPiece(raw, [&](std::string_view piece) {
      if (!piece.empty()) {
        Line(level, "NOTE", piece);
      }
    });
  }

  // Each piece of a reference list is a citation of its own with its own
  // page; the other lines below the citation stay with the first.
  void Citations(std::size_t line, std::size_t end, std::string_view raw) {
    const int level = lines_[line].level;
    const bool pointer = lines_[line].target != kNoPointer && IsOwnValue(raw, line);
    if (pointer && !Defined(line)) {
      return;
    }
    if (!pointer) {
      // A source written as text: 7.0 has only citations of a record.
      if (Is70()) {
        Pointer(level, "SOUR", "VOID");
        Line(level + 1, "PAGE", raw);
      } else {
        Line(level, "SOUR", raw);
      }
      WriteLines(RecordIndexOf(line), line + 1, end);
      return;
    }
    std::size_t page = kNone;
    for (std::size_t i = line + 1; i < end; ++i) {
      if (lines_[i].level == level + 1 && Is(lines_[i], Tag::kPage)) {
        page = i;
        break;
      }
    }
    std::string buffer;
    std::vector<std::string_view> pieces;
    if (page != kNone) {
      // An empty page says nothing and a reader refuses it.
      ForEachBracedPiece(RawValue(page, buffer), [&pieces](std::string_view piece) {
        if (!piece.empty()) {
          pieces.push_back(piece);
        }
      });
    }
    const std::string target(PointerTarget(raw));
    const std::size_t record = RecordIndexOf(line);
    // The lines below the citation other than its page go with the first.
    const auto otherLines = [&] {
      if (page == kNone) {
        WriteLines(record, line + 1, end);
      } else {
        WriteLines(record, line + 1, page);
        WriteLines(record, SubtreeEnd(page, end), end);
      }
    };
    if (pieces.empty()) {
      Pointer(level, "SOUR", target);
      otherLines();
    }
    for (std::size_t k = 0; k < pieces.size(); ++k) {
      Pointer(level, "SOUR", target);
      Line(level + 1, "PAGE", pieces[k]);
      if (k == 0) {
        otherLines();
      }
    }
  }

  std::size_t RecordIndexOf(std::size_t line) const {
    std::size_t lo = 0;
    std::size_t hi = records_.size();
    while (hi - lo > 1) {
      const std::size_t mid = (lo + hi) / 2;
      (records_[mid].begin <= line ? lo : hi) = mid;
    }
    return lo;
  }

  // The FAMS, FAMC and ASSO links of each person, each kind in family
  // order. Kept as one list sorted by person with the start of each
  // person's part: no list per person.
  void Links() {
    linkStart_.assign(records_.size() + 1, 0);
    for (const auto& member : partners_) {
      ++linkStart_[member.person + 1];
    }
    for (const auto& member : children_) {
      ++linkStart_[member.person + 1];
    }
    for (const auto& [person, partner] : associates_) {
      ++linkStart_[person + 1];
    }
    for (std::size_t r = 0; r < records_.size(); ++r) {
      linkStart_[r + 1] += linkStart_[r];
    }
    links_.resize(linkStart_.back());
    std::vector<std::uint32_t> next(linkStart_.begin(), linkStart_.end() - 1);
    for (const auto& member : partners_) {
      links_[next[member.person]++] = {static_cast<std::uint32_t>(member.family), Link::Kind::kFams};
    }
    for (const auto& member : children_) {
      links_[next[member.person]++] = {static_cast<std::uint32_t>(member.family), Link::Kind::kFamc};
    }
    for (const auto& [person, partner] : associates_) {
      links_[next[person]++] = {static_cast<std::uint32_t>(partner), Link::Kind::kAsso};
    }
  }

  std::vector<CompactLine> lines_;
  const StandardExportOptions& options_;
  std::string_view fileName_;
  std::vector<Record> records_;
  XrefIndex byXref_;
  std::vector<const char*> boxes_;           // the text of each box read
  std::size_t famFrom_ = kNone;              // the first line of the second box
  std::vector<std::uint8_t> notePointers_;   // by record: how many NOTE lines point to it, counted up to 2
  std::vector<std::uint32_t> pointerLines_;  // the lines whose value is "@xref@"
  std::vector<Member> members_;              // the partner and child lines of the families, before they are checked
  std::vector<Member> partners_;
  std::vector<Member> children_;
  std::size_t nextPartner_ = 0;             // the first partner of a family not yet written
  std::span<const Member> familyPartners_;  // those of the family being written
  std::vector<Link> links_;                 // of every person in turn
  std::vector<std::uint32_t> linkStart_;    // by person: where its links start
  std::vector<Sex> sex_;
  std::vector<std::pair<std::size_t, std::size_t>> associates_;  // (person, partner) outside a 5.5.1 family
  std::string submitter_;
  GedcomText out_;
  std::string text_;
  std::string upperTag_;
  NameSplitter names_;
  std::string nameValue_;
  bool sourceUsed_ = false;
};

}  // namespace

namespace {

// Reads both boxes into `exporter`; why they cannot be exported (the box and
// the first line that is not GEDCOM), or nothing.
std::optional<std::string> ReadBoxes(Exporter& exporter, std::string_view indi, std::string_view fam) {
  if (const auto error = exporter.Read(indi)) {
    return "Individuals [GED], " + error->reason;
  }
  if (const auto error = exporter.Read(fam)) {
    return "Families [GED], " + error->reason;
  }
  return std::nullopt;
}

}  // namespace

StandardExport ExportStandardGedcom(std::string_view indi, std::string_view fam, const StandardExportOptions& options) {
  Exporter exporter(options, options.fileName, LineCountBound(indi) + LineCountBound(fam));
  if (auto error = ReadBoxes(exporter, indi, fam)) {
    return {{}, std::move(*error)};
  }
  StandardExport exported;
  exporter.Run([&exported](std::string_view piece) {
    exported.bytes.append(piece);
    return true;
  });
  return exported;
}

bool WriteStandardGedcomFile(std::string_view utf8FileName, std::string_view indi, std::string_view fam,
                             const StandardExportOptions& options, std::string& error) {
  const std::size_t folderEnd = utf8FileName.find_last_of("/\\");
  const std::string_view fileName = utf8FileName.substr(folderEnd == std::string_view::npos ? 0 : folderEnd + 1);
  Exporter exporter(options, fileName, LineCountBound(indi) + LineCountBound(fam));
  if (auto reason = ReadBoxes(exporter, indi, fam)) {
    error = std::move(*reason);
    return false;
  }
  return WriteFileAtomically(
      PathFromUtf8(utf8FileName), [&exporter](const PieceWriter& write) { return exporter.Run(write); }, error);
}

std::string GedcomDateToday() {
  auto now = std::chrono::system_clock::now();
  // SOURCE_DATE_EPOCH (seconds since 1970) fixes the day for reproducible files.
  if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH"); epoch != nullptr && *epoch != '\0') {
    char* end = nullptr;
    const long long seconds = std::strtoll(epoch, &end, 10);
    if (*end == '\0') {
      now = std::chrono::system_clock::time_point(std::chrono::seconds(seconds));
    }
  }
  const std::chrono::year_month_day today(std::chrono::floor<std::chrono::days>(now));
  return GedcomDateOf(static_cast<int>(static_cast<unsigned>(today.day())),
                      static_cast<int>(static_cast<unsigned>(today.month())), static_cast<int>(today.year()));
}

}  // namespace quenby
