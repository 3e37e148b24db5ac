// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/standard_writer.hpp"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "gedcom/gedcom_lines.hpp"
#include "text/text.hpp"

namespace quenby {
namespace {

// Small enough to stay in the processor's cache between being made and
// being written.
constexpr std::size_t kPiece = 64 * 1024;

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

bool IsExtension(std::string_view tag) {
  return StartsWith(tag, "_");
}

}  // namespace

StandardWriter::StandardWriter(const RecordTable& table, const FamilyDecisions& decisions, const GedcomDialect& dialect,
                               DateOrder dateOrder, const HeaderFields& header)
    : table_(table),
      decisions_(decisions),
      dialect_(dialect),
      dateOrder_(dateOrder),
      header_(header),
      out_(dialect.Version()) {}

bool StandardWriter::Write(const PieceWriter& write) {
  const auto flush = [this, &write] {
    const bool written = write(out_.text());
    out_.text().clear();
    return written;
  };
  dialect_.Header(out_, header_);
  for (std::size_t r = 0; r < table_.records().size(); ++r) {
    if (table_.records()[r].written && !table_.IsInlinedNote(r)) {
      Record(r);
      if (out_.text().size() >= kPiece && !flush()) {
        return false;
      }
    }
  }
  if (sourceUsed_ && table_.Find("S1") == kNoRecord) {
    out_.Append("0 @S1@ SOUR\r\n1 TITL Quenby\r\n");
  }
  out_.Append("0 @");
  out_.Append(table_.submitter());
  out_.Append("@ SUBM\r\n1 NAME Unknown\r\n0 TRLR\r\n");
  return flush();
}

void StandardWriter::Record(std::size_t record) {
  const TableRecord& head = table_.records()[record];
  const std::string_view tag = head.kind == Tag::kNote ? dialect_.SharedNoteTag() : UpperTag(head.begin);
  // A record's own value is text, as every value outside the tags that
  // take pointers.
  out_.Line(0, tag, table_.Text(head.begin), head.xref);
  Lines(record, head.begin + 1, head.end);
  if (head.kind == Tag::kIndi) {
    BackLinks(record);
  }
  if (const SecondFamily& second = decisions_.secondFamily[record]; !second.xref.empty()) {
    out_.Line(0, "FAM", {}, second.xref);
    Pointer(1, decisions_.sex[second.person] == Sex::kMale ? "HUSB" : "WIFE", table_.records()[second.person].xref);
    for (const std::size_t child : decisions_.children[record]) {
      Pointer(1, "CHIL", table_.records()[child].xref);
    }
  }
}

void StandardWriter::BackLinks(std::size_t person) {
  for (const PersonLink& link : decisions_.links[person]) {
    const std::string_view xref =
        link.secondFamily ? decisions_.secondFamily[link.record].xref : table_.records()[link.record].xref;
    switch (link.kind) {
      case PersonLink::Kind::kFams:
        Pointer(1, "FAMS", xref);
        break;
      case PersonLink::Kind::kFamc:
        Pointer(1, "FAMC", xref);
        break;
      case PersonLink::Kind::kAsso:
        Pointer(1, "ASSO", xref);
        out_.Append("2 RELA Partner\r\n");
        break;
    }
  }
}

void StandardWriter::Lines(std::size_t record, std::size_t from, std::size_t to) {
  const auto& lines = table_.lines();
  const Tag kind = table_.records()[record].kind;
  for (std::size_t i = from; i < to;) {
    const TableLine& line = lines[i];
    const std::size_t end = table_.SubtreeEnd(i, to);
    const std::string_view text = table_.Text(i);
    // A pointer continued on CONC or CONT lines is text.
    const bool pointer = line.pointer && text == line.value();
    const bool indiField = kind == Tag::kIndi && line.level == 1;
    const bool partner = kind == Tag::kFam && line.level == 1 && (line.code == Tag::kHusb || line.code == Tag::kWife);
    if (line.code == Tag::kConc || line.code == Tag::kCont || decisions_.leftOut[i] ||
        (indiField && (line.code == Tag::kFams || line.code == Tag::kFamc))) {
      // Continued values are joined, and the back-links are made from the
      // family records.
    } else if (indiField && line.code == Tag::kName) {
      Name(record, i, end);
    } else if (indiField && line.code == Tag::kSex) {
      const char letter = dialect_.SexLetter(decisions_.sex[record]);
      out_.Line(1, "SEX", std::string_view(&letter, 1));
    } else if (line.code == Tag::kNote && line.level > 0) {
      Notes(i);
    } else if (line.code == Tag::kSour && line.level > 0) {
      Citations(record, i, end);
    } else if (pointer && (table_.Defined(i) || !IsExtension(line.tag()))) {
      // A pointer to nothing is left out, except under an extension tag,
      // where it may as well be text and is kept as such. A partner or
      // child of a family is a person.
      const bool member =
          kind == Tag::kFam && (line.code == Tag::kHusb || line.code == Tag::kWife || line.code == Tag::kChil);
      if (table_.Defined(i) && (!member || table_.IsKind(line.target, Tag::kIndi))) {
        Pointer(line.level, partner ? PartnerTag(decisions_, record, i, line.code) : UpperTag(i),
                PointerTarget(line.value()));
        Lines(record, i + 1, end);
      }
    } else if (line.code == Tag::kDate && line.level > 1) {
      Date(line.level, text);
      Lines(record, i + 1, end);
    } else if (line.level == 1 && line.code == Tag::kEvent && text.empty() && end == i + 1) {
      // An event stated without a date or place: "Y" says it happened.
      out_.Line(1, UpperTag(i), "Y");
    } else {
      out_.Line(line.level, UpperTag(i), text);
      Lines(record, i + 1, end);
    }
    i = end;
  }
}

// An empty name says nothing and a reader refuses it: it is left out,
// unless lines below it need it ("//", no name known). The lines below stay
// with the first name; the names the text gives besides (born as, also
// known as) follow them.
void StandardWriter::Name(std::size_t record, std::size_t line, std::size_t end) {
  const std::vector<NameParts>& names = names_.Split(table_.Text(line));
  for (std::size_t k = 0; k < names.size(); ++k) {
    const NameParts& parts = names[k];
    const std::string value = NameValue(parts);
    if (!value.empty() || (k == 0 && end > line + 1)) {
      out_.Line(1, "NAME", value.empty() ? std::string_view("//") : std::string_view(value));
      if (parts.type != NameType::kNone) {
        out_.Line(2, "TYPE", dialect_.NameTypeWord(parts.type));
      }
      const std::array<std::pair<std::string_view, const std::string*>, 6> pieces = {{{"NPFX", &parts.prefix},
                                                                                      {"GIVN", &parts.given},
                                                                                      {"NICK", &parts.nickname},
                                                                                      {"SPFX", &parts.surnamePrefix},
                                                                                      {"SURN", &parts.surname},
                                                                                      {"NSFX", &parts.suffix}}};
      for (const auto& [tag, piece] : pieces) {
        if (!piece->empty()) {
          out_.Line(2, tag, *piece);
        }
      }
    }
    if (k == 0) {
      Lines(record, line + 1, end);
    }
  }
}

// A date the reader cannot take whole keeps its text as a phrase: in 5.5.1
// inside the DATE value, in 7.0 on a PHRASE line below it.
void StandardWriter::Date(int level, std::string_view text) {
  const GedcomDate date = dialect_.DateOf(text, dateOrder_);
  out_.Line(level, "DATE", date.value);
  if (!date.phrase.empty()) {
    out_.Line(level + 1, "PHRASE", date.phrase);
  }
}

// Each piece of a note list is a note of its own; a pointer to a note
// record that only this line points to brings that record's text here.
void StandardWriter::Notes(std::size_t line) {
  const TableLine& note = table_.lines()[line];
  std::string_view text = table_.Text(line);
  if (note.pointer && text == note.value()) {
    if (!table_.IsKind(note.target, Tag::kNote) || !table_.IsInlinedNote(note.target)) {
      // A shared note; a pointer to anything but a note is no note.
      if (table_.Defined(line) && table_.IsKind(note.target, Tag::kNote)) {
        Pointer(note.level, dialect_.SharedNoteTag(), PointerTarget(note.value()));
      }
      return;
    }
    text = table_.Text(table_.records()[note.target].begin);
  }
  ForEachBracedPiece(text, [&](std::string_view piece) {
    if (!piece.empty()) {
      out_.Line(note.level, "NOTE", piece);
    }
  });
}

// Each piece of a reference list is a citation of its own with its own
// page; the other lines below the citation stay with the first.
void StandardWriter::Citations(std::size_t record, std::size_t line, std::size_t end) {
  const TableLine& source = table_.lines()[line];
  const std::string_view text = table_.Text(line);
  const int level = source.level;
  if (!source.pointer || text != source.value()) {
    dialect_.TextSource(out_, level, text);
    Lines(record, line + 1, end);
    return;
  }
  if (!table_.Defined(line)) {
    return;
  }
  std::size_t page = end;
  for (std::size_t i = line + 1; i < end; ++i) {
    if (table_.lines()[i].level == level + 1 && table_.lines()[i].code == Tag::kPage) {
      page = i;
      break;
    }
  }
  // An empty page says nothing and a reader refuses it.
  std::vector<std::string_view> pages;
  if (page != end) {
    ForEachBracedPiece(table_.Text(page), [&pages](std::string_view piece) {
      if (!piece.empty()) {
        pages.push_back(piece);
      }
    });
  }
  const auto otherLines = [&] {
    if (page == end) {
      Lines(record, line + 1, end);
    } else {
      Lines(record, line + 1, page);
      Lines(record, table_.SubtreeEnd(page, end), end);
    }
  };
  const std::string_view target = PointerTarget(source.value());
  if (pages.empty()) {
    Pointer(level, "SOUR", target);
    otherLines();
  }
  for (std::size_t k = 0; k < pages.size(); ++k) {
    Pointer(level, "SOUR", target);
    out_.Line(level + 1, "PAGE", pages[k]);
    if (k == 0) {
      otherLines();
    }
  }
}

void StandardWriter::Pointer(int level, std::string_view tag, std::string_view xref) {
  out_.Pointer(level, tag, xref);
  sourceUsed_ = sourceUsed_ || xref == "S1";
}

// The tag in upper case.
std::string_view StandardWriter::UpperTag(std::size_t line) {
  const std::string_view tag = table_.lines()[line].tag();
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

}  // namespace quenby
