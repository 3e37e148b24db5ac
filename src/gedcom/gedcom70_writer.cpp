// SPDX-License-Identifier: GPL-3.0-or-later
// GEDCOM 7.0: the version first in the header, the sexes M, F, X and U,
// name types in capitals, shared notes as SNOTE, a date phrase as PHRASE
// under its year (or under an empty DATE), a source given as text as a
// citation of @VOID@ with that text as its page, and both partners of any
// couple in the family.

#include "gedcom/gedcom_dialect.hpp"

namespace quenby {
namespace {

class Gedcom70Dialect : public GedcomDialect {
 public:
  GedcomVersion Version() const override { return GedcomVersion::k70; }

  void Header(GedcomLines& out, const HeaderFields& fields) const override {
    out.Append("0 HEAD\r\n1 GEDC\r\n2 VERS 7.0\r\n");
    AppendHeaderSource(out, fields);
  }

  char SexLetter(Sex sex) const override { return static_cast<char>(sex); }

  std::string_view SharedNoteTag() const override { return "SNOTE"; }

  GedcomDate DateOf(std::string_view text, DateOrder order) const override { return Gedcom70Date(text, order); }

  std::string_view NameTypeWord(NameType type) const override {
    return type == NameType::kBirth ? "BIRTH" : type == NameType::kMarried ? "MARRIED" : "AKA";
  }

  // 7.0 has only citations of a record.
  void TextSource(GedcomLines& out, int level, std::string_view text) const override {
    out.Pointer(level, "SOUR", "VOID");
    out.Line(level + 1, "PAGE", text);
  }

  bool KeepsSameSexCouples() const override { return true; }
};

}  // namespace

std::unique_ptr<GedcomDialect> MakeGedcom70Dialect() {
  return std::make_unique<Gedcom70Dialect>();
}

}  // namespace quenby
