// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/focus_return.hpp"

namespace quenby {

FocusReturn::FocusReturn(QWidget& window) : control_(window.focusWidget()) {}

FocusReturn::~FocusReturn() {
  if (control_ && control_->isEnabled() && control_->isVisible()) {
    control_->setFocus(Qt::OtherFocusReason);
  }
}

void FocusReturningModal::Exec(QDialog& dialog) {
  const FocusReturn back(window_);
  modal_.Exec(dialog);
}

QString FocusReturningModal::OpenFileName(QWidget* parent, const FileDialogSettings& settings) {
  const FocusReturn back(window_);
  return modal_.OpenFileName(parent, settings);
}

QString FocusReturningModal::SaveFileName(QWidget* parent, const FileDialogSettings& settings, QString* chosenFilter) {
  const FocusReturn back(window_);
  return modal_.SaveFileName(parent, settings, chosenFilter);
}

void FocusReturningModal::Message(QWidget* parent, const QString& title, const QString& text) {
  const FocusReturn back(window_);
  modal_.Message(parent, title, text);
}

bool FocusReturningModal::Confirm(QWidget* parent, const QString& title, const QString& text) {
  const FocusReturn back(window_);
  return modal_.Confirm(parent, title, text);
}

SaveChoice FocusReturningModal::AskSave(QWidget* parent, const QString& title, const QString& text) {
  const FocusReturn back(window_);
  return modal_.AskSave(parent, title, text);
}

bool FocusReturningModal::OpenDocument(const QString& path) {
  return modal_.OpenDocument(path);
}

bool FocusReturningModal::StartProgram(const QString& path) {
  return modal_.StartProgram(path);
}

}  // namespace quenby
