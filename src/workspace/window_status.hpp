// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window's status bar and title. The bar tells how many persons the
// people list holds, how many records were generated, the GEDCOM file saved
// last and where the people list was written for debugging; the title names
// the text and rules files and is marked "*" while rules or records are
// unsaved.

#include <QStatusBar>
#include <QString>
#include <cstdint>

class QLabel;
class QListWidget;

namespace quenby {

class WindowStatus : public QStatusBar {
  Q_OBJECT

 public:
  WindowStatus(QWidget& window, const QListWidget& people);

  void TextFile(const QString& path);
  void RulesFile(const QString& path);
  void RecordsCleared();
  void RecordsAdded(std::int64_t individuals, std::int64_t families);
  void Saved(const QString& path);
  void DebugListing(const QString& path);
  void Unsaved(bool unsaved);

  QLabel* lblPersons = nullptr;
  QLabel* lblRecords = nullptr;
  QLabel* lblSaved = nullptr;
  QLabel* lblDebug = nullptr;

 private:
  void ShowRecords();
  void ShowTitle();

  QWidget& window_;
  QString textFile_;
  QString rulesFile_;
  std::int64_t individuals_ = 0;
  std::int64_t families_ = 0;
};

}  // namespace quenby
