// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Answers the main window's modal questions from queues, without blocking: a
// dialog is shown (so its activation runs), a script plays the user's part,
// and the dialog is hidden again if the script left it open. A question with
// no queued answer counts as unexpected.

#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QGroupBox>
#include <QListWidget>
#include <QRadioButton>
#include <QtTest>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "ui/frmSexChoice.hpp"
#include "ui/modal.hpp"
#include "ui/registry.hpp"

class FakeModal final : public quenby::Modal {
 public:
  std::deque<std::function<void(QDialog&)>> dialogScripts;
  std::deque<QString> fileNames;  // an empty name is a cancelled dialog
  std::deque<quenby::SaveChoice> saveChoices;
  std::deque<bool> confirmations;
  // The filter entry a save dialog ends on; the one it opened with when none is queued.
  std::deque<QString> chosenFilters;

  std::vector<quenby::FileDialogSettings> fileQuestions;
  std::vector<QString> messages;   // "title: text"
  std::vector<QString> questions;  // the texts of Confirm and AskSave
  std::vector<QString> openedDocuments;
  std::vector<QString> startedPrograms;
  bool programsStart = true;  // a program without a path never starts
  bool documentsOpen = true;  // whether the desktop has a program for a file
  int unexpectedQuestions = 0;

  void Exec(QDialog& dialog) override {
    dialog.show();
    Next(dialogScripts, std::function<void(QDialog&)>([](QDialog&) {}))(dialog);
    dialog.hide();
  }
  QString OpenFileName(QWidget*, const quenby::FileDialogSettings& settings) override { return Answer(settings); }
  QString SaveFileName(QWidget*, const quenby::FileDialogSettings& settings, QString* chosenFilter) override {
    if (chosenFilter != nullptr) {
      *chosenFilter = settings.selectedFilter;
      if (!chosenFilters.empty()) {
        *chosenFilter = chosenFilters.front();
        chosenFilters.pop_front();
      }
    }
    return Answer(settings);
  }
  void Message(QWidget*, const QString& title, const QString& text) override {
    messages.push_back(title + ": " + text);
  }
  bool Confirm(QWidget*, const QString&, const QString& text) override {
    questions.push_back(text);
    return Next(confirmations, false);
  }
  quenby::SaveChoice AskSave(QWidget*, const QString&, const QString& text) override {
    questions.push_back(text);
    return Next(saveChoices, quenby::SaveChoice::kCancel);
  }
  bool OpenDocument(const QString& path) override {
    openedDocuments.push_back(path);
    return documentsOpen;
  }
  bool StartProgram(const QString& path) override {
    startedPrograms.push_back(path);
    return programsStart && !path.isEmpty();
  }

 private:
  QString Answer(const quenby::FileDialogSettings& settings) {
    fileQuestions.push_back(settings);
    return Next(fileNames, QString());
  }

  // The next queued answer; `unasked` counts as unexpected when none is queued.
  template <typename Answer>
  Answer Next(std::deque<Answer>& queue, Answer unasked) {
    if (queue.empty()) {
      ++unexpectedQuestions;
      return unasked;
    }
    Answer answer = std::move(queue.front());
    queue.pop_front();
    return answer;
  }
};

class NoRegistry final : public quenby::Registry {
 public:
  std::optional<quenby::RegistryValue> Query(const QString&, const QString&) const override { return std::nullopt; }
  bool FileExists(const QString&) const override { return false; }
};

inline QStringList Items(const QListWidget& list) {
  QStringList items;
  for (int i = 0; i < list.count(); ++i) {
    items << list.item(i)->text();
  }
  return items;
}

inline QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QString ExamplePath(const QString& name) {
  return QStringLiteral(QUENBY_SOURCE_DIR "/examples/") + name;
}

// A rule list item as the rule list shows it.
inline QString RuleItem(const QString& code, const QString& search = {}, const QString& replacement = {}) {
  return code + "\t|\t" + search + "\t|\t" + replacement;
}

// Clicks a sex option (0 unknown, 1 male, 2 female); a radio button takes
// clicks on its circle and caption only, not on the empty rest of its row.
inline void ChooseSex(quenby::frmSexChoice& question, std::size_t option) {
  QRadioButton* button = question.optSex[option];
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

// The user's answer to the sex question, noting whom it was asked for and
// ticking the box for everyone else when told to.
inline std::function<void(QDialog&)> AnswerSex(std::size_t option, QStringList& askedFor,
                                               bool forEveryoneElse = false) {
  return [=, &askedFor](QDialog& dialog) {
    auto& question = dynamic_cast<quenby::frmSexChoice&>(dialog);
    askedFor << question.fraFrame->title();
    QVERIFY(!question.chkEveryoneElse->isChecked());
    question.chkEveryoneElse->setChecked(forEveryoneElse);
    ChooseSex(question, option);
  };
}
