// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Every modal interaction of the windows goes through this interface, so a
// test answers it without a blocking dialog: showing a dialog until it is
// hidden, the file dialogs, message boxes, opening a file with the desktop and
// starting a program. DesktopModal is the real one.

#include <QString>
#include <memory>

class QDialog;
class QWidget;

namespace quenby {

// A file dialog's settings, kept by the window between uses.
struct FileDialogSettings {
  QString title;
  QString filter;     // "Description (*.ext)|*.ext|All Files (*.*)|*.*"
  QString directory;  // where the dialog starts while no file was chosen
  QString lastFile;   // the file chosen last, proposed at the next use
  // The entry selected when the dialog opens ("GEDCOM 7.0 (*.ged)"); the first when empty.
  QString selectedFilter;
  // A save dialog's own extension (".ged"), given to a name typed without one.
  QString extension;
};

// The answers to a question about work that would be lost.
enum class SaveChoice { kSave, kDiscard, kCancel };

class Modal {
 public:
  virtual ~Modal() = default;

  // Shows `dialog` and returns when it is hidden. Meanwhile its owner window
  // takes no input, but may still be asked to close.
  virtual void Exec(QDialog& dialog) = 0;

  // The chosen file's full name, or the empty string when cancelled.
  virtual QString OpenFileName(QWidget* parent, const FileDialogSettings& settings) = 0;
  // `chosenFilter`, when given, receives the filter entry selected at the end.
  virtual QString SaveFileName(QWidget* parent, const FileDialogSettings& settings,
                               QString* chosenFilter = nullptr) = 0;

  // A message box with only an OK button.
  virtual void Message(QWidget* parent, const QString& title, const QString& text) = 0;

  // A question with the buttons Yes and No; true for Yes.
  virtual bool Confirm(QWidget* parent, const QString& title, const QString& text) = 0;

  // A question with the buttons Save, Discard and Cancel; closing it cancels.
  virtual SaveChoice AskSave(QWidget* parent, const QString& title, const QString& text) = 0;

  // Opens a file with the desktop's default program; false when that failed.
  virtual bool OpenDocument(const QString& path) = 0;

  // Starts a program as a new process without waiting; false when it failed.
  virtual bool StartProgram(const QString& path) = 0;
};

// Asks for the name of a file to save through `modal`. A name without an
// extension gets `settings.extension`, unless a file of exactly that name
// exists: the user then chose it. The dialog asked about replacing the name
// as it came back, so replacing a file under the longer name is asked here;
// No saves nothing. The empty string when nothing is to be saved.
QString AskSaveFileName(Modal& modal, QWidget* parent, const FileDialogSettings& settings,
                        QString* chosenFilter = nullptr);

std::unique_ptr<Modal> MakeDesktopModal();

}  // namespace quenby
