// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The room a run's line list has left while a rule rewrites the whole list at
// once. Such a rule reports every line it makes longer and stops as soon as
// the list passes the most a run may hold, so a rule that makes the text
// explode (a chain of ever deeper generations, a pattern that matches
// everywhere) is stopped before the memory is gone, not after its pass. It
// also asks, at every line and between the matches within a line, whether
// the run may go on, so a run stopped by its control ends within the pass.

#include <cstddef>
#include <limits>

#include "engine/run_control.hpp"

namespace quenby {

class LineBudget {
 public:
  explicit LineBudget(std::size_t size = 0, std::size_t limit = std::numeric_limits<std::size_t>::max(),
                      RunWatch* watch = nullptr)
      : size_(size), limit_(limit), watch_(watch) {}

  // A line of `before` bytes becomes one of `after` bytes (a new line has
  // `before` 0). False once the list is past its limit: the rule then stops.
  bool Resize(std::size_t before, std::size_t after) {
    size_ -= before < size_ ? before : size_;
    exceeded_ = exceeded_ || after > limit_ - size_;
    size_ += exceeded_ ? 0 : after;
    return !exceeded_;
  }

  // The rule is at line `line` of `lines`, `withinLine` (0 to 1) through it.
  // False once the run is to stop or the list is past its limit.
  bool GoOn(std::size_t line, std::size_t lines, double withinLine = 0.0) {
    return !exceeded_ && (watch_ == nullptr || watch_->GoOn(line, lines, withinLine));
  }

  bool Exceeded() const { return exceeded_; }

 private:
  std::size_t size_;
  std::size_t limit_;
  RunWatch* watch_;
  bool exceeded_ = false;
};

}  // namespace quenby
