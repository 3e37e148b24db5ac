// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The last step of the standard exports: the records of the table written
// in one version's form (gedcom_dialect), with the family decisions made
// before. Names are split into their pieces, dates written in the GEDCOM
// date grammar, each reference is a citation of its own with its own page,
// each note a NOTE of its own, persons get their FAMS, FAMC and ASSO links,
// and the export's own header, source and submitter records and trailer
// are added.

#include <string>
#include <string_view>

#include "gedcom/family_decisions.hpp"
#include "gedcom/gedcom_dates.hpp"
#include "gedcom/gedcom_dialect.hpp"
#include "gedcom/gedcom_names.hpp"
#include "gedcom/record_table.hpp"
#include "text/file_io.hpp"

namespace quenby {

class StandardWriter {
 public:
  StandardWriter(const RecordTable& table, const FamilyDecisions& decisions, const GedcomDialect& dialect,
                 DateOrder dateOrder, const HeaderFields& header);

  // Writes the file through `write`, a piece of some kilobytes at a time,
  // so that a long file is never held whole; false when a piece could not
  // be written.
  bool Write(const PieceWriter& write);

 private:
  void Record(std::size_t record);
  void Lines(std::size_t record, std::size_t from, std::size_t to);
  void Name(std::size_t record, std::size_t line, std::size_t end);
  void Date(int level, std::string_view text);
  void Notes(std::size_t line);
  void Citations(std::size_t record, std::size_t line, std::size_t end);
  void BackLinks(std::size_t person);
  void Pointer(int level, std::string_view tag, std::string_view xref);
  std::string_view UpperTag(std::size_t line);

  const RecordTable& table_;
  const FamilyDecisions& decisions_;
  const GedcomDialect& dialect_;
  DateOrder dateOrder_;
  HeaderFields header_;
  GedcomLines out_;
  NameSplitter names_;
  std::string upperTag_;
  bool sourceUsed_ = false;  // whether a pointer to @S1@ was written
};

}  // namespace quenby
