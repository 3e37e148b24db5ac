// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What sets GEDCOM 5.5.1 and GEDCOM 7.0 apart where the standard exports
// write them: the header, the sexes each knows, how a shared note and a
// date phrase are written, a source given as text, and couples of two men
// or two women. The records are walked alike (standard_writer); each
// version answers these questions in a file of its own.

#include <memory>
#include <string_view>

#include "gedcom/family_decisions.hpp"
#include "gedcom/gedcom_dates.hpp"
#include "gedcom/gedcom_line_split.hpp"
#include "gedcom/gedcom_names.hpp"

namespace quenby {

struct HeaderFields {
  std::string_view date;       // the day of the export, "6 DEC 2026"
  std::string_view fileName;   // may be empty
  std::string_view submitter;  // the submitter record's cross-reference
};

class GedcomDialect {
 public:
  virtual ~GedcomDialect() = default;

  virtual GedcomVersion Version() const = 0;

  // The header record.
  virtual void Header(GedcomLines& out, const HeaderFields& fields) const = 0;

  // The letter of a SEX line.
  virtual char SexLetter(Sex sex) const = 0;

  // The tag of a note record and of a pointer to one.
  virtual std::string_view SharedNoteTag() const = 0;

  // The DATE value of a date as written, and the phrase that keeps its
  // text where the value cannot say all of it.
  virtual GedcomDate DateOf(std::string_view text, DateOrder order) const = 0;

  // The TYPE value of a name of `type` (never kNone).
  virtual std::string_view NameTypeWord(NameType type) const = 0;

  // A source citation written as text rather than as a pointer.
  virtual void TextSource(GedcomLines& out, int level, std::string_view text) const = 0;

  // Whether a family keeps two partners of the same sex.
  virtual bool KeepsSameSexCouples() const = 0;
};

std::unique_ptr<GedcomDialect> MakeGedcom551Dialect();
std::unique_ptr<GedcomDialect> MakeGedcom70Dialect();

// The header lines both versions share, from "1 SOUR QUENBY" to the
// submitter pointer.
void AppendHeaderSource(GedcomLines& out, const HeaderFields& fields);

}  // namespace quenby
