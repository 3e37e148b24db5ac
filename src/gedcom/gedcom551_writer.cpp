// SPDX-License-Identifier: GPL-3.0-or-later
// GEDCOM 5.5.1: a header with the file's name and character set, the sexes
// M, F and U, name types in lower case, a date phrase in parentheses (INT
// with its year), a source given as text kept as text, and couples only as
// husband and wife.

#include <string>

#include "gedcom/gedcom_dialect.hpp"
#include "quenby/version.hpp"

namespace quenby {
namespace {

class Gedcom551Dialect : public GedcomDialect {
 public:
  GedcomVersion Version() const override { return GedcomVersion::k551; }

  void Header(GedcomLines& out, const HeaderFields& fields) const override {
    out.Append("0 HEAD\r\n");
    AppendHeaderSource(out, fields);
    if (!fields.fileName.empty()) {
      out.Line(1, "FILE", fields.fileName);
    }
    out.Append("1 GEDC\r\n2 VERS 5.5.1\r\n2 FORM LINEAGE-LINKED\r\n1 CHAR UTF-8\r\n");
  }

  // 5.5.1 has no X.
  char SexLetter(Sex sex) const override { return static_cast<char>(sex == Sex::kOther ? Sex::kUnknown : sex); }

  std::string_view SharedNoteTag() const override { return "NOTE"; }

  GedcomDate DateOf(std::string_view text, DateOrder order) const override { return Gedcom551Date(text, order); }

  std::string_view NameTypeWord(NameType type) const override {
    return type == NameType::kBirth ? "birth" : type == NameType::kMarried ? "married" : "aka";
  }

  void TextSource(GedcomLines& out, int level, std::string_view text) const override { out.Line(level, "SOUR", text); }

  bool KeepsSameSexCouples() const override { return false; }
};

}  // namespace

std::unique_ptr<GedcomDialect> MakeGedcom551Dialect() {
  return std::make_unique<Gedcom551Dialect>();
}

void AppendHeaderSource(GedcomLines& out, const HeaderFields& fields) {
  out.Append("1 SOUR QUENBY\r\n2 VERS ");
  out.Append(kVersionText);
  out.Append("\r\n2 NAME Quenby\r\n1 DEST ANY\r\n1 DATE ");
  out.Append(fields.date);
  out.Append("\r\n");
  out.Pointer(1, "SUBM", fields.submitter);
}

}  // namespace quenby
