// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/modal.hpp"

#include <QDesktopServices>
#include <QDialog>
#include <QEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

#include "ui/name_filters.hpp"
#include "ui/owner_block.hpp"

namespace quenby {

namespace {

// Ends an event loop when the watched dialog is hidden.
class HideWatcher final : public QObject {
 public:
  explicit HideWatcher(QEventLoop& loop) : loop_(loop) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    // A window manager's minimise hides the dialog spontaneously: no answer.
    if (event->type() == QEvent::Hide && !event->spontaneous()) {
      loop_.quit();
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QEventLoop& loop_;
};

class DesktopModal final : public Modal {
 public:
  void Exec(QDialog& dialog) override {
    QWidget* owner = dialog.parentWidget();
    if (owner == nullptr) {
      dialog.exec();
      return;
    }
    // The owner is blocked by hand rather than by a modal dialog, so that
    // its close button still reaches it.
    const OwnerBlock block(*owner->window());
    QEventLoop loop;
    HideWatcher watcher(loop);
    dialog.installEventFilter(&watcher);
    dialog.setWindowModality(Qt::NonModal);
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
    if (dialog.isVisible()) {
      loop.exec(QEventLoop::DialogExec);
    }
    dialog.removeEventFilter(&watcher);
  }

  QString OpenFileName(QWidget* parent, const FileDialogSettings& settings) override {
    // Only an existing file can be loaded: a mistyped name would otherwise
    // replace the rule list by an empty one.
    return AskFileName(parent, settings, QFileDialog::AcceptOpen, QFileDialog::ExistingFile);
  }

  QString SaveFileName(QWidget* parent, const FileDialogSettings& settings, QString* chosenFilter) override {
    return AskFileName(parent, settings, QFileDialog::AcceptSave, QFileDialog::AnyFile, chosenFilter);
  }

  void Message(QWidget* parent, const QString& title, const QString& text) override {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.exec();
  }

  SaveChoice AskSave(QWidget* parent, const QString& title, const QString& text) override {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                    parent);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
      case QMessageBox::Save:
        return SaveChoice::kSave;
      case QMessageBox::Discard:
        return SaveChoice::kDiscard;
      default:
        return SaveChoice::kCancel;
    }
  }

  bool Confirm(QWidget* parent, const QString& title, const QString& text) override {
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
  }

  bool OpenDocument(const QString& path) override {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
  }

  bool StartProgram(const QString& path) override { return QProcess::startDetached(path, {}); }

 private:
  static QString AskFileName(QWidget* parent, const FileDialogSettings& settings, QFileDialog::AcceptMode mode,
                             QFileDialog::FileMode fileMode, QString* chosenFilter = nullptr) {
    QFileDialog dialog(parent, settings.title, settings.directory);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(fileMode);
    const QStringList filters = QtNameFilters(settings.filter);
    dialog.setNameFilters(filters);
    if (!filters.isEmpty()) {
      dialog.selectNameFilter(filters.contains(settings.selectedFilter) ? settings.selectedFilter : filters.first());
    }
    if (!settings.lastFile.isEmpty()) {
      dialog.selectFile(settings.lastFile);
    }
    if (dialog.exec() != QDialog::Accepted) {
      return {};
    }
    if (chosenFilter != nullptr) {
      *chosenFilter = dialog.selectedNameFilter();
    }
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.first();
  }
};

}  // namespace

QString AskSaveFileName(Modal& modal, QWidget* parent, const FileDialogSettings& settings, QString* chosenFilter) {
  const QString chosen = modal.SaveFileName(parent, settings, chosenFilter);
  if (chosen.isEmpty() || QFileInfo::exists(chosen)) {
    return chosen;
  }
  const QString named = WithExtension(chosen, settings.extension);
  if (named != chosen && QFileInfo::exists(named) &&
      !modal.Confirm(
          parent, settings.title,
          QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(QFileInfo(named).fileName()))) {
    return {};
  }
  return named;
}

std::unique_ptr<Modal> MakeDesktopModal() {
  return std::make_unique<DesktopModal>();
}

}  // namespace quenby
