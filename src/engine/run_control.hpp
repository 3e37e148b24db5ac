// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the one who starts a run may give it: a flag that stops the run when
// set, from any thread, and a callback told how far the run is. A run asks
// both between the lines of every rule and between the matches within one
// line of a pattern rule, so a stop takes effect soon even while a single
// very long line is rewritten.

#include <atomic>
#include <cstddef>
#include <functional>

namespace quenby {

// How far a run is: rule `rule` (counted from 1) of `rules`, and the part of
// that rule's pass done, from 0 to 1.
struct RunProgress {
  std::size_t rule = 0;
  std::size_t rules = 0;
  double passDone = 0.0;
};

struct RunControl {
  // The run stops at its next look once this is true.
  const std::atomic<bool>* stop = nullptr;
  // Called on the run's own thread at the start of every rule and whenever
  // its pass has gone on by a step worth showing (at most about a thousand
  // times a rule), never once per line or per character.
  std::function<void(const RunProgress&)> progress;
};

// The looks a run takes at its control, one rule pass after another. A watch
// made without a control never stops and tells nothing.
class RunWatch {
 public:
  RunWatch() = default;
  explicit RunWatch(const RunControl& control) : control_(&control) {}

  // Rule `rule` (from 1) of `rules` starts its pass. False when the run is to
  // stop.
  bool StartRule(std::size_t rule, std::size_t rules);

  // The pass is at line `line` of `lines`, and `withinLine` (0 to 1) through
  // that line. False when the run is to stop.
  bool GoOn(std::size_t line, std::size_t lines, double withinLine = 0.0);

  bool Stopped() const { return stopped_; }

 private:
  const RunControl* control_ = nullptr;
  RunProgress progress_;
  bool stopped_ = false;
};

}  // namespace quenby
