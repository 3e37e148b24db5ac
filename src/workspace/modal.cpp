#include "workspace/modal.hpp"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

#include "workspace/name_filters.hpp"

namespace quenby {

namespace {

class DesktopModal final : public Modal {
 public:
  void Exec(QDialog& dialog) override { dialog.exec(); }

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

std::unique_ptr<Modal> MakeDesktopModal() {
  return std::make_unique<DesktopModal>();
}

}  // namespace quenby
