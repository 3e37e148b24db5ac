// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// "Process all" over a long people list shows how far it is and offers
// Cancel, which stops the run after the person being processed. Short lists
// show nothing. The window takes no input meanwhile, but can be closed.

#include <QElapsedTimer>
#include <QString>
#include <cstddef>
#include <memory>

#include "ui/owner_block.hpp"
#include "workspace/focus_return.hpp"

class QProgressDialog;
class QWidget;

namespace quenby {

// The progress of a long job of the window: not modal (the window's own
// controls are blocked instead, so that it can still be closed), with a
// Cancel button, staying open at its end until its owner closes it.
std::unique_ptr<QProgressDialog> MakeProgressDialog(QWidget* window, const QString& objectName, const QString& title,
                                                    const QString& label, int maximum);

class ProcessAllProgress {
 public:
  // Lists of at least this many persons show their progress.
  static constexpr std::size_t kShownFrom = 2000;

  ProcessAllProgress(QWidget* window, std::size_t total);
  ~ProcessAllProgress();
  ProcessAllProgress(const ProcessAllProgress&) = delete;
  ProcessAllProgress& operator=(const ProcessAllProgress&) = delete;

  // Told after each person; false once the user cancelled.
  bool Step(std::size_t processed, std::size_t total);
  bool Cancelled() const { return cancelled_; }
  // Every person is done: the progress shows its end while the records are
  // put into the window.
  void Finish();

 private:
  // Given back after the block has enabled the window's controls again.
  FocusReturn focus_;
  std::unique_ptr<OwnerBlock> block_;
  std::unique_ptr<QProgressDialog> dialog_;
  QElapsedTimer updated_;
  bool cancelled_ = false;
};

}  // namespace quenby
