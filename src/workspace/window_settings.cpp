// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/window_settings.hpp"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QWidget>

namespace quenby {

namespace {

constexpr qsizetype kRecentFiles = 6;

QSettings Settings() {
  return QSettings(QStringLiteral("Quenby"), QStringLiteral("Quenby"));
}

}  // namespace

void RestoreWindowGeometry(QWidget& window, QSize defaultSize) {
  window.resize(defaultSize);
  window.restoreGeometry(Settings().value(QStringLiteral("window/geometry")).toByteArray());
}

void SaveWindowGeometry(const QWidget& window) {
  Settings().setValue(QStringLiteral("window/geometry"), window.saveGeometry());
}

QString StartFolder() {
  const QString last = Settings().value(QStringLiteral("files/lastFolder")).toString();
  if (!last.isEmpty() && QFileInfo(last).isDir()) {
    return last;
  }
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void RememberFolderOf(const QString& fileName) {
  Settings().setValue(QStringLiteral("files/lastFolder"), QFileInfo(fileName).absolutePath());
}

QStringList RecentRulesFiles() {
  return Settings().value(QStringLiteral("files/recentRules")).toStringList();
}

void AddRecentRulesFile(const QString& fileName) {
  QStringList recent = RecentRulesFiles();
  const QString path = QFileInfo(fileName).absoluteFilePath();
  recent.removeAll(path);
  recent.prepend(path);
  Settings().setValue(QStringLiteral("files/recentRules"), recent.mid(0, kRecentFiles));
}

}  // namespace quenby
