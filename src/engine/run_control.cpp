// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/run_control.hpp"

namespace quenby {

namespace {

// A pass tells its progress each time it has gone on by this part of the
// pass: smooth enough for a progress bar, cheap however many lines or
// matches there are.
constexpr double kProgressStep = 1.0 / 1000;

}  // namespace

bool RunWatch::StartRule(std::size_t rule, std::size_t rules) {
  progress_ = {rule, rules, 0.0};
  if (control_ != nullptr && control_->progress) {
    control_->progress(progress_);
  }
  return GoOn(0, 1);
}

bool RunWatch::GoOn(std::size_t line, std::size_t lines, double withinLine) {
  if (control_ == nullptr) {
    return true;
  }
  if (control_->stop != nullptr && control_->stop->load(std::memory_order_relaxed)) {
    stopped_ = true;
  }
  if (control_->progress && lines > 0) {
    const double done = (static_cast<double>(line) + withinLine) / static_cast<double>(lines);
    if (done >= progress_.passDone + kProgressStep) {
      progress_.passDone = done;
      control_->progress(progress_);
    }
  }
  return !stopped_;
}

}  // namespace quenby
