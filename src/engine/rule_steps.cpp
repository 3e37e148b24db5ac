// SPDX-License-Identifier: GPL-3.0-or-later
// RuleSteps: a traced run kept with a few checkpoints, re-run from the last
// one before the step asked for.
#include <algorithm>
#include <cstddef>
#include <utility>

#include "engine/engine.hpp"
#include "engine/resplit.hpp"
#include "engine/run_passes.hpp"
#include "engine/run_trace.hpp"

namespace quenby {

RuleSteps::RuleSteps(std::string inputText, std::vector<std::string> ruleItems, RunReport& report,
                     const RunControl& control)
    : input_(std::move(inputText)), items_(std::move(ruleItems)) {
  RunWatch watch(control);
  Tracing tracing;
  MarkedLines list = TracedInputLines(input_, tracing);
  RunState state;
  // The checkpoints cut the rule list into equal stretches, so that showing
  // a step re-runs at most one stretch.
  const std::size_t stretch = std::max<std::size_t>(1, (items_.size() + kCheckpoints) / (kCheckpoints + 1));
  for (std::size_t first = 0; first < items_.size(); first += stretch) {
    if (first > 0) {
      checkpoints_.push_back(Pack(first, state, list.lines, tracing.origins.sources));
    }
    const std::size_t last = std::min(items_.size(), first + stretch);
    if (!RunPasses(list, state, &tracing, items_, {first, last}, GrowthLimit(input_.size()), watch, report)) {
      checkpoints_.clear();
      stopped_ = true;
      return;
    }
  }
  run_ = FinishTracedRun(std::move(list.lines), tracing);
}

RuleSteps::Checkpoint RuleSteps::Pack(std::size_t rulesDone, const RunState& state, const LineList& lines,
                                      const SourceTable& sources) {
  Checkpoint point{rulesDone, state, {}, {}, sources};
  std::size_t textSize = 0;
  for (const std::string& line : lines) {
    textSize += line.size();
  }
  point.text.reserve(textSize);
  point.lineEnds.reserve(lines.size());
  for (const std::string& line : lines) {
    point.text.append(line);
    point.lineEnds.push_back(point.text.size());
  }
  return point;
}

LineList RuleSteps::Unpack(const Checkpoint& point) {
  LineList lines;
  lines.reserve(point.lineEnds.size());
  std::size_t lineStart = 0;
  for (const std::size_t lineEnd : point.lineEnds) {
    lines.emplace_back(point.text, lineStart, lineEnd - lineStart);
    lineStart = lineEnd;
  }
  return lines;
}

RuleStep RuleSteps::After(std::size_t rule, const RunControl& control) const {
  if (stopped_ || rule > items_.size()) {
    return {};
  }
  Tracing tracing;
  MarkedLines list;
  RunState state;
  std::size_t first = 0;
  // The last checkpoint before the rule, or else the input text.
  const auto checkpoint = std::find_if(checkpoints_.rbegin(), checkpoints_.rend(),
                                       [rule](const Checkpoint& point) { return point.rulesDone < rule; });
  if (checkpoint == checkpoints_.rend()) {
    list = TracedInputLines(input_, tracing);
  } else {
    first = checkpoint->rulesDone;
    state = checkpoint->state;
    tracing.origins.sources = checkpoint->sources;
    list = Mark(Unpack(*checkpoint));
  }
  RuleStep step;
  if (rule > 0) {
    tracing.markedRule = rule - 1;
    RunWatch watch(control);
    RunReport report;
    if (!RunPasses(list, state, &tracing, items_, {first, rule}, GrowthLimit(input_.size()), watch, report)) {
      return {};
    }
    step.effect = tracing.effects.back();
    step.marks = std::move(tracing.marks);
  } else {
    step.marks.assign(list.lines.size(), LineMark::kKept);
  }
  step.lines = std::move(list.lines);
  step.sources = std::move(tracing.origins.sources);
  DropEmptyLines(step.lines, step.sources, &step.marks);
  return step;
}

}  // namespace quenby
