// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The keyboard focus goes back to the control that had it once a question,
// a dialog or a long run is over. While a dialog asks, the window's controls
// are disabled and the focus leaves them; without this it would come back to
// the first control, the input text, where the next key meant for a button
// (Space) would edit the text.

#include <QPointer>
#include <QWidget>

#include "ui/modal.hpp"

namespace quenby {

// Remembers the control of `window` that has the focus and gives it back
// when destroyed, if that control is still there and can take it.
class FocusReturn {
 public:
  explicit FocusReturn(QWidget& window);
  ~FocusReturn();
  FocusReturn(const FocusReturn&) = delete;
  FocusReturn& operator=(const FocusReturn&) = delete;

 private:
  QPointer<QWidget> control_;
};

// Every question of `modal`, asked on behalf of `window`, with the focus
// given back afterwards.
class FocusReturningModal final : public Modal {
 public:
  FocusReturningModal(Modal& modal, QWidget& window) : modal_(modal), window_(window) {}

  void Exec(QDialog& dialog) override;
  QString OpenFileName(QWidget* parent, const FileDialogSettings& settings) override;
  QString SaveFileName(QWidget* parent, const FileDialogSettings& settings, QString* chosenFilter = nullptr) override;
  void Message(QWidget* parent, const QString& title, const QString& text) override;
  bool Confirm(QWidget* parent, const QString& title, const QString& text) override;
  SaveChoice AskSave(QWidget* parent, const QString& title, const QString& text) override;
  bool OpenDocument(const QString& path) override;
  bool StartProgram(const QString& path) override;

 private:
  Modal& modal_;
  QWidget& window_;
};

}  // namespace quenby
