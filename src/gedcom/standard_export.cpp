// SPDX-License-Identifier: GPL-3.0-or-later
// The standard export as a pipeline: the record text is read into a table
// of records (record_table), the family decisions are made from it
// (family_decisions), and the records are written in the chosen version's
// form (standard_writer with gedcom551_writer or gedcom70_writer).
#include "gedcom/standard_export.hpp"

#include <chrono>
#include <cstdlib>
#include <memory>

#include "gedcom/family_decisions.hpp"
#include "gedcom/gedcom_dialect.hpp"
#include "gedcom/record_table.hpp"
#include "gedcom/standard_writer.hpp"
#include "text/file_io.hpp"

namespace quenby {
namespace {

// Writes the file of the records read into `table` through `write`; false
// when a piece could not be written.
bool WriteTable(const RecordTable& table, const StandardExportOptions& options, std::string_view fileName,
                const PieceWriter& write) {
  const std::unique_ptr<GedcomDialect> dialect =
      options.version == GedcomVersion::k70 ? MakeGedcom70Dialect() : MakeGedcom551Dialect();
  const FamilyDecisions decisions = DecideFamilies(table, options.defaultSexIds, dialect->KeepsSameSexCouples());
  StandardWriter writer(table, decisions, *dialect, options.dateOrder, {options.date, fileName, table.submitter()});
  return writer.Write(write);
}

}  // namespace

StandardExport ExportStandardGedcom(std::string_view indi, std::string_view fam, const StandardExportOptions& options) {
  StandardExport exported;
  RecordTable table;
  if (auto error = table.Read(indi, fam, options.version)) {
    exported.error = std::move(*error);
    return exported;
  }
  // The file takes about half as much again as the record text.
  exported.bytes.reserve((indi.size() + fam.size()) * 3 / 2);
  WriteTable(table, options, options.fileName, [&exported](std::string_view piece) {
    exported.bytes.append(piece);
    return true;
  });
  return exported;
}

bool WriteStandardGedcomFile(std::string_view utf8FileName, std::string_view indi, std::string_view fam,
                             const StandardExportOptions& options, std::string& error) {
  const std::size_t folderEnd = utf8FileName.find_last_of("/\\");
  const std::string_view fileName = utf8FileName.substr(folderEnd == std::string_view::npos ? 0 : folderEnd + 1);
  // The record text is read before the file is touched, so that text that
  // cannot be exported leaves an existing file as it was.
  RecordTable table;
  if (auto reason = table.Read(indi, fam, options.version)) {
    error = std::move(*reason);
    return false;
  }
  return WriteFileAtomically(
      PathFromUtf8(utf8FileName), [&](const PieceWriter& write) { return WriteTable(table, options, fileName, write); },
      error);
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
