// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/save_format.hpp"

#include <QSettings>
#include <array>

#include "gedcom/gedcom_file.hpp"
#include "gedcom/standard_export.hpp"
#include "ui/qt_support.hpp"

namespace quenby {
namespace {

struct Format {
  const char* setting;  // the value of "export/format"
  const char* filter;   // its entry in the save dialog
};

// "All Files" writes the classic file, as it always did.
constexpr std::array<Format, 3> kFormats = {
    {{"classic", "Gedcom (*.ged)"}, {"5.5.1", "GEDCOM 5.5.1 standard (*.ged)"}, {"7.0", "GEDCOM 7.0 (*.ged)"}}};

QSettings Settings() {
  return QSettings(QStringLiteral("Quenby"), QStringLiteral("Quenby"));
}

const Format& FormatOfFilter(const QString& filter) {
  for (const Format& format : kFormats) {
    if (filter == QLatin1String(format.filter)) {
      return format;
    }
  }
  return kFormats[0];
}

}  // namespace

QString SaveGeneratedFileFilter() {
  return QStringLiteral(
      "Gedcom (*.ged)|*.ged|All Files (*.*)|*.*|GEDCOM 5.5.1 standard (*.ged)|*.ged|GEDCOM 7.0 (*.ged)|*.ged");
}

QString RememberedSaveFilter() {
  const QString setting = Settings().value(QStringLiteral("export/format")).toString();
  for (const Format& format : kFormats) {
    if (setting == QLatin1String(format.setting)) {
      return QLatin1String(format.filter);
    }
  }
  return QLatin1String(kFormats[0].filter);
}

bool SaveGeneratedFile(const QString& fileName, const QString& chosenFilter, std::string_view indi,
                       std::string_view fam, const std::vector<std::string>& defaultSexIds, std::string& error) {
  QSettings settings = Settings();
  const Format& format = FormatOfFilter(chosenFilter);
  settings.setValue(QStringLiteral("export/format"), QLatin1String(format.setting));
  if (&format == &kFormats[0]) {
    return WriteGedcomFile(ToUtf8(fileName), indi, fam, error);
  }
  StandardExportOptions options;
  options.version = &format == &kFormats[1] ? GedcomVersion::k551 : GedcomVersion::k70;
  const bool monthFirst = settings.value(QStringLiteral("export/dateOrder")).toString() == QLatin1String("mdy");
  options.dateOrder = monthFirst ? DateOrder::kMonthFirst : DateOrder::kDayFirst;
  options.date = GedcomDateToday();
  options.defaultSexIds = defaultSexIds;
  return WriteStandardGedcomFile(ToUtf8(fileName), indi, fam, options, error);
}

}  // namespace quenby
