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
