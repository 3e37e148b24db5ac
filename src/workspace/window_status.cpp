// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/window_status.hpp"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>

namespace quenby {

namespace {

QLabel* AddPart(WindowStatus& bar, const char* name, int stretch) {
  auto* part = new QLabel(&bar);
  part->setObjectName(QLatin1String(name));
  bar.addWidget(part, stretch);
  return part;
}

}  // namespace

WindowStatus::WindowStatus(QWidget& window, const QListWidget& people) : QStatusBar(&window), window_(window) {
  setObjectName(QStringLiteral("statusBar"));
  setSizeGripEnabled(false);
  lblPersons = AddPart(*this, "lblPersons", 0);
  lblRecords = AddPart(*this, "lblRecords", 0);
  lblSaved = AddPart(*this, "lblSaved", 1);
  lblDebug = AddPart(*this, "lblDebug", 1);
  const auto showPersons = [this, &people] { lblPersons->setText(QStringLiteral("%L1 persons").arg(people.count())); };
  const QAbstractItemModel* model = people.model();
  connect(model, &QAbstractItemModel::rowsInserted, this, showPersons);
  connect(model, &QAbstractItemModel::rowsRemoved, this, showPersons);
  connect(model, &QAbstractItemModel::modelReset, this, showPersons);
  showPersons();
  ShowRecords();
  ShowTitle();
}

void WindowStatus::TextFile(const QString& path) {
  textFile_ = path;
  ShowTitle();
}

void WindowStatus::RulesFile(const QString& path) {
  rulesFile_ = path;
  ShowTitle();
}

void WindowStatus::RecordsCleared() {
  individuals_ = 0;
  families_ = 0;
  ShowRecords();
}

void WindowStatus::RecordsAdded(std::int64_t individuals, std::int64_t families) {
  individuals_ += individuals;
  families_ += families;
  ShowRecords();
}

void WindowStatus::Saved(const QString& path) {
  lblSaved->setText(QStringLiteral("Saved %1").arg(QDir::toNativeSeparators(path)));
}

void WindowStatus::DebugListing(const QString& path) {
  lblDebug->setText(QStringLiteral("People list written to %1").arg(QDir::toNativeSeparators(path)));
}

void WindowStatus::Unsaved(bool unsaved) {
  window_.setWindowModified(unsaved);
}

void WindowStatus::ShowRecords() {
  lblRecords->setText(QStringLiteral("%L1 individual and %L2 family records").arg(individuals_).arg(families_));
}

void WindowStatus::ShowTitle() {
  QStringList files;
  for (const QString& path : {textFile_, rulesFile_}) {
    if (!path.isEmpty()) {
      files << QFileInfo(path).fileName();
    }
  }
  // "[*]" is where the window shows "*" while work is unsaved.
  window_.setWindowTitle(files.isEmpty() ? QStringLiteral("Quenby[*]")
                                         : QStringLiteral("%1[*] - Quenby").arg(files.join(QStringLiteral(", "))));
}

}  // namespace quenby
