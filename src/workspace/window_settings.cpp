// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/window_settings.hpp"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QWidget>
#include <algorithm>

namespace quenby {

namespace {

constexpr qsizetype kRecentFiles = 6;

// Room for a title bar and borders while the window manager has not yet
// framed the window.
const QSize kFrameAllowance(16, 40);

const QString kPositionKey = QStringLiteral("window/position");
const QString kSizeKey = QStringLiteral("window/size");
const QString kMaximizedKey = QStringLiteral("window/maximized");

QSettings Settings() {
  return QSettings(QStringLiteral("Quenby"), QStringLiteral("Quenby"));
}

struct Span {
  qint64 start;
  qint64 length;
};

// One direction of FitToScreen. The sums are taken in 64 bits, where no
// remembered value, however absurd, overflows.
Span FitSpan(Span window, qint64 frame, Span available, qint64 minimum) {
  const qint64 length = std::max(std::min(window.length, available.length - frame), std::max<qint64>(minimum, 1));
  const qint64 lastStart = available.start + available.length - frame - length;
  return {std::max(std::min(window.start, lastStart), available.start), length};
}

}  // namespace

QSize FrameAllowance(const QWidget& window) {
  return (window.frameGeometry().size() - window.geometry().size()).expandedTo(kFrameAllowance);
}

WindowPlace FitToScreen(WindowPlace place, QSize frame, QRect available, QSize minimum) {
  const Span across = FitSpan({place.position.x(), place.size.width()}, frame.width(),
                              {available.x(), available.width()}, minimum.width());
  const Span down = FitSpan({place.position.y(), place.size.height()}, frame.height(),
                            {available.y(), available.height()}, minimum.height());
  return {QPoint(static_cast<int>(across.start), static_cast<int>(down.start)),
          QSize(static_cast<int>(across.length), static_cast<int>(down.length))};
}

void RestoreWindowGeometry(QWidget& window, QSize defaultSize) {
  const QSettings settings = Settings();
  const QVariant position = settings.value(kPositionKey);
  WindowPlace place{position.isValid() ? position.toPoint() : window.pos(),
                    settings.value(kSizeKey, defaultSize).toSize()};
  // The window opens on the screen where it was closed, or on its own
  // screen when that place is on no screen now.
  const QScreen* screen = position.isValid() ? QGuiApplication::screenAt(place.position) : nullptr;
  if (screen == nullptr) {
    screen = window.screen();
  }
  if (screen != nullptr) {
    place = FitToScreen(place, FrameAllowance(window), screen->availableGeometry(), window.minimumSizeHint());
  }
  window.resize(place.size);
  // Without a remembered place the window manager places the window.
  if (position.isValid()) {
    window.move(place.position);
  }
  if (settings.value(kMaximizedKey).toBool()) {
    window.setWindowState(window.windowState() | Qt::WindowMaximized);
  }
}

void SaveWindowGeometry(const QWidget& window) {
  QSettings settings = Settings();
  settings.setValue(kMaximizedKey, window.isMaximized());
  // A maximised window keeps the place and size it is restored to.
  if (!window.isMaximized() && !window.isMinimized()) {
    settings.setValue(kPositionKey, window.pos());
    settings.setValue(kSizeKey, window.size());
  }
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

WorkbenchSettings RememberedWorkbench() {
  const QSettings settings = Settings();
  return {settings.value(QStringLiteral("workbench/shown"), false).toBool(),
          settings.value(QStringLiteral("workbench/width"), 0).toInt(),
          settings.value(QStringLiteral("workbench/tab"), 0).toInt()};
}

void RememberWorkbench(const WorkbenchSettings& workbench) {
  QSettings settings = Settings();
  settings.setValue(QStringLiteral("workbench/shown"), workbench.shown);
  settings.setValue(QStringLiteral("workbench/width"), workbench.width);
  settings.setValue(QStringLiteral("workbench/tab"), workbench.tab);
}

bool RunAfterEachChange() {
  return Settings().value(QStringLiteral("workbench/runAfterEachChange"), false).toBool();
}

void SetRunAfterEachChange(bool on) {
  Settings().setValue(QStringLiteral("workbench/runAfterEachChange"), on);
}

}  // namespace quenby
