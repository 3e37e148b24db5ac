// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window and the fake that answers its questions, made afresh for
// every test as on a first run (no remembered settings), and the check that
// every queued answer was asked for and nothing else.

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "fake_modal.hpp"
#include "workspace/frmQuenby.hpp"

inline const QString kClassicFilter = QStringLiteral("GEDCOM, classic Quenby dialect (*.ged)");

// `count` people lines, each with a sex, so that Process all asks nothing.
inline QStringList Persons(int count) {
  QStringList people;
  for (int i = 0; i < count; ++i) {
    people << QStringLiteral("Person %1|_S_M").arg(i);
  }
  return people;
}

class WindowFixture {
 protected:
  std::unique_ptr<FakeModal> modal_;
  NoRegistry registry_;
  std::unique_ptr<quenby::frmQuenby> window_;
  QTemporaryDir folder_;

  void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

  // A run of the rules goes on beside the window; it has ended when the
  // window gives its controls back. The wait only guards against a hang.
  void WaitForTheRun() { QTRY_VERIFY_WITH_TIMEOUT(window_->btnRunRules->isEnabled(), 300'000); }

  void RunTheRules() {
    Click(window_->btnRunRules);
    WaitForTheRun();
  }

  // The example descendant list and its rules, opened from their files.
  void LoadTheExample() {
    window_->OpenText(ExamplePath("hartley.txt"));
    window_->LoadRules(ExamplePath("hartley.rules"));
  }

  // The example, run into the people list.
  void RunTheExample() {
    LoadTheExample();
    RunTheRules();
  }

  // Process all on the example's people; Ann Whiteley, the one person
  // without a sex, is answered by `answerSex`.
  void ProcessTheExample(const std::function<void(QDialog&)>& answerSex) {
    modal_->dialogScripts.push_back(answerSex);
    Click(window_->btnDoAll);
  }

  // Selects the people line `row`, tests it and processes the test.
  void ProcessPerson(int row) {
    window_->lstPeople->setCurrentRow(row);
    Click(window_->btnTestOne);
    Click(window_->btnDoOne);
  }

  // Saves the generated records as `name` in the test's folder, the save
  // dialog ending on `filter` (on the one it opened with when empty), and
  // gives the file's bytes.
  QByteArray SaveRecords(const QString& name, const QString& filter = {}) {
    modal_->fileNames = {folder_.filePath(name)};
    if (!filter.isEmpty()) {
      modal_->chosenFilters = {filter};
    }
    Click(window_->btnWrite);
    return FileBytes(folder_.filePath(name));
  }

  // Does `act` in the test's folder, where "Debug People List" writes.
  void InTheTestFolder(const std::function<void()>& act) {
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder_.path());
    act();
    QDir::setCurrent(previous);
  }

  QAction* MenuAction(const QString& text) const {
    for (QAction* candidate : window_->findChildren<QAction*>()) {
      if (candidate->text() == text) {
        return candidate;
      }
    }
    qFatal("no menu entry %s", qPrintable(text));
  }

  void OpenWindow() {
    QSettings(QStringLiteral("Quenby"), QStringLiteral("Quenby")).clear();
    modal_ = std::make_unique<FakeModal>();
    window_ = std::make_unique<quenby::frmQuenby>(*modal_, registry_);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  }

  void DropWindow() {
    window_.reset();
    QCOMPARE(modal_->unexpectedQuestions, 0);
    QVERIFY(modal_->dialogScripts.empty() && modal_->fileNames.empty() && modal_->saveChoices.empty() &&
            modal_->confirmations.empty());
  }
};
