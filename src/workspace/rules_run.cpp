// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/rules_run.hpp"

#include <QApplication>
#include <QProgressDialog>
#include <QShortcut>
#include <QThread>
#include <QTimer>
#include <utility>

#include "ui/owner_block.hpp"
#include "workspace/process_progress.hpp"

namespace quenby {

namespace {

// The progress shown is brought up to date this often: the run itself only
// writes three numbers, whatever it costs the window to draw them.
constexpr int kUpdateEveryMs = 100;
constexpr int kPermille = 1000;

}  // namespace

RulesRun::RulesRun(QWidget& window) : QObject(&window), window_(window) {
  showTimer_ = new QTimer(this);
  showTimer_->setSingleShot(true);
  showTimer_->setInterval(kShownAfterMs);
  connect(showTimer_, &QTimer::timeout, this, &RulesRun::ShowProgress);
  updateTimer_ = new QTimer(this);
  updateTimer_->setInterval(kUpdateEveryMs);
  connect(updateTimer_, &QTimer::timeout, this, &RulesRun::UpdateProgress);
  // Escape stops the run before its progress shows, too.
  escape_ = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
  escape_->setEnabled(false);
  connect(escape_, &QShortcut::activated, this, &RulesRun::Cancel);
}

RulesRun::~RulesRun() {
  StopAndWait();
}

void RulesRun::Start(std::string inputText, std::vector<std::string> ruleItems, Ended ended) {
  stop_ = false;
  rule_ = 0;
  rules_ = ruleItems.size();
  permille_ = 0;
  ended_ = std::move(ended);
  focus_ = QApplication::focusWidget();
  block_ = std::make_unique<OwnerBlock>(window_);
  // A file dropped now would change the input or the rules under the run.
  acceptedDrops_ = window_.acceptDrops();
  window_.setAcceptDrops(false);
  escape_->setEnabled(true);
  thread_.reset(QThread::create([this, input = std::move(inputText), rules = std::move(ruleItems)]() mutable {
    const RunControl control{&stop_, [this](const RunProgress& progress) {
                               rule_ = progress.rule;
                               permille_ = static_cast<int>(progress.passDone * kPermille);
                             }};
    report_ = RunReport();
    steps_ = std::make_shared<const RuleSteps>(std::move(input), std::move(rules), report_, control);
    problems_.clear();
    if (!report_.cancelled && report_.stopped.empty()) {
      problems_ = ProblemsOf(steps_->Run().lines);
    }
  }));
  connect(thread_.get(), &QThread::finished, this, &RulesRun::Finish);
  thread_->start();
  showTimer_->start();
  updateTimer_->start();
}

void RulesRun::Cancel() {
  stop_ = true;
}

void RulesRun::StopAndWait() {
  if (!Running()) {
    return;
  }
  stop_ = true;
  thread_->wait();
  thread_.reset();
  ended_ = nullptr;
  steps_.reset();
  Unblock();
}

void RulesRun::ShowProgress() {
  dialog_ = MakeProgressDialog(&window_, QStringLiteral("runRulesProgress"), QStringLiteral("Run Rules"),
                               QStringLiteral("Running the rules..."), static_cast<int>(rules_) * kPermille);
  connect(dialog_.get(), &QProgressDialog::canceled, this, &RulesRun::Cancel);
  UpdateProgress();
  dialog_->show();
}

void RulesRun::UpdateProgress() {
  if (!dialog_ || rule_ == 0) {
    return;
  }
  dialog_->setLabelText(QStringLiteral("Running rule %L1 of %L2...").arg(rule_).arg(rules_));
  dialog_->setValue(static_cast<int>(rule_ - 1) * kPermille + permille_);
}

void RulesRun::Finish() {
  // A run already stopped and waited for (the window closing) hands over
  // nothing.
  if (!Running()) {
    return;
  }
  // Waiting for the thread that has ended makes what it wrote visible here.
  thread_->wait();
  thread_.reset();
  Unblock();
  Ended ended = std::exchange(ended_, nullptr);
  ended(std::exchange(steps_, nullptr), std::exchange(problems_, {}), report_);
}

void RulesRun::Unblock() {
  showTimer_->stop();
  updateTimer_->stop();
  escape_->setEnabled(false);
  dialog_.reset();
  block_.reset();
  window_.setAcceptDrops(acceptedDrops_);
  if (focus_) {
    focus_->setFocus();
  }
}

}  // namespace quenby
