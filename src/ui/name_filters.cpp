// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/name_filters.hpp"

namespace quenby {

QStringList QtNameFilters(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString description = parts[i].trimmed();
    QStringList patternList;
    for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'))) {
      if (!pattern.trimmed().isEmpty()) {
        patternList << pattern.trimmed();
      }
    }
    const QString patterns = patternList.join(QLatin1Char(' '));
    if (patterns.isEmpty()) {
      continue;
    }
    const QString shown = QLatin1Char('(') + patterns + QLatin1Char(')');
    filters << (description.endsWith(shown) ? description : (description + QLatin1Char(' ') + shown).trimmed());
  }
  return filters;
}

QString WithExtension(const QString& fileName, const QString& extension) {
  // A leading "." makes a hidden file, not an extension.
  const QString name = fileName.mid(fileName.lastIndexOf(QLatin1Char('/')) + 1);
  if (extension.isEmpty() || name.isEmpty() || name.indexOf(QLatin1Char('.'), 1) >= 0) {
    return fileName;
  }
  return fileName + extension;
}

}  // namespace quenby
