// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/process_progress.hpp"

#include <QCoreApplication>
#include <QProgressDialog>

namespace quenby {

namespace {

// The dialog is brought up to date, and the clicks on it are handled, about
// twenty times a second: often enough to move smoothly and take a click on
// Cancel at once, rarely enough to cost nothing. The clock is read every so
// many persons.
constexpr qint64 kUpdateMilliseconds = 50;
constexpr std::size_t kPersonsPerClockReading = 64;

}  // namespace

std::unique_ptr<QProgressDialog> MakeProgressDialog(QWidget* window, const QString& objectName, const QString& title,
                                                    const QString& label, int maximum) {
  auto dialog = std::make_unique<QProgressDialog>(label, QStringLiteral("Cancel"), 0, maximum, window);
  dialog->setObjectName(objectName);
  dialog->setWindowTitle(title);
  dialog->setWindowModality(Qt::NonModal);
  dialog->setMinimumDuration(0);
  dialog->setAutoClose(false);
  dialog->setAutoReset(false);
  return dialog;
}

ProcessAllProgress::ProcessAllProgress(QWidget* window, std::size_t total) : focus_(*window) {
  if (total < kShownFrom) {
    return;
  }
  block_ = std::make_unique<OwnerBlock>(*window);
  dialog_ = MakeProgressDialog(window, QStringLiteral("processAllProgress"), QStringLiteral("Process all"),
                               QStringLiteral("Processing all people..."), static_cast<int>(total));
  dialog_->setValue(0);
}

ProcessAllProgress::~ProcessAllProgress() = default;

bool ProcessAllProgress::Step(std::size_t processed, std::size_t total) {
  if (!dialog_) {
    return true;
  }
  if (processed % kPersonsPerClockReading == 0 && (!updated_.isValid() || updated_.hasExpired(kUpdateMilliseconds))) {
    dialog_->setLabelText(QStringLiteral("Processing person %L1 of %L2...").arg(processed + 1).arg(total));
    dialog_->setValue(static_cast<int>(processed));
    QCoreApplication::processEvents();
    updated_.start();
  }
  // A cancel pressed while a question was open counts at the next person.
  cancelled_ = cancelled_ || dialog_->wasCanceled();
  return !cancelled_;
}

void ProcessAllProgress::Finish() {
  if (!dialog_ || cancelled_) {
    return;
  }
  dialog_->setLabelText(QStringLiteral("Showing the records..."));
  dialog_->setValue(dialog_->maximum());
  QCoreApplication::processEvents();
}

}  // namespace quenby
