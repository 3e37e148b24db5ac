// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// "Run Rules" runs on a thread of its own, on copies of the input text and
// the rule items taken when it starts, so the window keeps repainting and
// answering while a long list or a costly pattern is worked through. The
// window's controls are blocked meanwhile. A run that takes more than a
// moment shows its progress; its Cancel button, Escape, or closing the
// window stops it at once, even inside one very long line. Only a run that
// ends hands over its people list. The run is traced and kept, so that the
// window can show what each rule did and the lines after any rule.

#include <QObject>
#include <QPointer>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/engine.hpp"
#include "gedcom/problems.hpp"

class QProgressDialog;
class QShortcut;
class QThread;
class QTimer;
class QWidget;

namespace quenby {

class OwnerBlock;

class RulesRun : public QObject {
  Q_OBJECT

 public:
  // A run that lasts longer than this shows its progress.
  static constexpr int kShownAfterMs = 300;

  // Told on the window's thread when a run has ended, cancelled or not. The
  // people list is `steps->Run().lines`, what RunRules gives; a stopped run
  // gives no lines. The steps are not changed after the run.
  // A finished run also hands over the problems of its people list, found
  // on the run's thread.
  using Ended = std::function<void(std::shared_ptr<const RuleSteps> steps, std::vector<Problem> problems,
                                   const RunReport& report)>;

  explicit RulesRun(QWidget& window);
  // A run still going is stopped and waited for.
  ~RulesRun() override;
  RulesRun(const RulesRun&) = delete;
  RulesRun& operator=(const RulesRun&) = delete;

  void Start(std::string inputText, std::vector<std::string> ruleItems, Ended ended);
  bool Running() const { return thread_ != nullptr; }
  // Stops the run at its next look at the flag; it then ends as cancelled.
  void Cancel();
  // Stops the run and waits for its thread; nothing is handed over.
  void StopAndWait();

 private:
  void ShowProgress();
  void UpdateProgress();
  void Finish();
  void Unblock();

  QWidget& window_;
  std::unique_ptr<QThread> thread_;
  std::atomic<bool> stop_ = false;
  // What the run last told, written on its thread and read by the timer.
  std::atomic<std::size_t> rule_ = 0;
  std::atomic<std::size_t> rules_ = 0;
  std::atomic<int> permille_ = 0;
  std::shared_ptr<const RuleSteps> steps_;
  std::vector<Problem> problems_;
  RunReport report_;
  Ended ended_;
  std::unique_ptr<OwnerBlock> block_;
  QPointer<QWidget> focus_;
  bool acceptedDrops_ = false;
  QTimer* showTimer_ = nullptr;
  QTimer* updateTimer_ = nullptr;
  QShortcut* escape_ = nullptr;
  std::unique_ptr<QProgressDialog> dialog_;
};

}  // namespace quenby
