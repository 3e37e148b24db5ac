// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/save_format.hpp"

#include <QSettings>
#include <QStringList>
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

// The first is the format of a user who never chose one.
constexpr std::array<Format, 3> kFormats = {{{"5.5.1", "GEDCOM 5.5.1 (*.ged)"},
                                             {"7.0", "GEDCOM 7.0 (*.ged)"},
                                             {"classic", "GEDCOM, classic Quenby dialect (*.ged)"}}};

QSettings Settings() {
  return QSettings(QStringLiteral("Quenby"), QStringLiteral("Quenby"));
}

const Format& RememberedFormat() {
  const QString setting = Settings().value(QStringLiteral("export/format")).toString();
  for (const Format& format : kFormats) {
    if (setting == QLatin1String(format.setting)) {
      return format;
    }
  }
  return kFormats[0];
}

const Format* FormatOfFilter(const QString& filter) {
  for (const Format& format : kFormats) {
    if (filter == QLatin1String(format.filter)) {
      return &format;
    }
  }
  return nullptr;
}

}  // namespace

QString SaveGeneratedFileFilter() {
  QStringList entries;
  for (const Format& format : kFormats) {
    entries << QLatin1String(format.filter) << QStringLiteral("*.ged");
  }
  entries << QStringLiteral("All Files (*.*)") << QStringLiteral("*.*");
  return entries.join(QLatin1Char('|'));
}

QString RememberedSaveFilter() {
  return QLatin1String(RememberedFormat().filter);
}

bool SaveGeneratedFile(const QString& fileName, const QString& chosenFilter, std::string_view indi,
                       std::string_view fam, const std::vector<std::string>& defaultSexIds, std::string& error) {
  QSettings settings = Settings();
  const Format* chosen = FormatOfFilter(chosenFilter);
  if (chosen != nullptr) {
    settings.setValue(QStringLiteral("export/format"), QLatin1String(chosen->setting));
  }
  const std::string_view format = (chosen != nullptr ? *chosen : RememberedFormat()).setting;
  if (format == "classic") {
    return WriteGedcomFile(ToUtf8(fileName), indi, fam, error);
  }
  StandardExportOptions options;
  options.version = format == "5.5.1" ? GedcomVersion::k551 : GedcomVersion::k70;
  const bool monthFirst = settings.value(QStringLiteral("export/dateOrder")).toString() == QLatin1String("mdy");
  options.dateOrder = monthFirst ? DateOrder::kMonthFirst : DateOrder::kDayFirst;
  options.date = GedcomDateToday();
  options.defaultSexIds = defaultSexIds;
  return WriteStandardGedcomFile(ToUtf8(fileName), indi, fam, options, error);
}

}  // namespace quenby
