// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The loop of a run over a stretch of the rule list, which RunRules, the
// traced run and its rule steps share.

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "engine/engine.hpp"
#include "engine/resplit.hpp"
#include "engine/run_control.hpp"
#include "engine/run_trace.hpp"

namespace quenby {

// The bytes a line list holds: the text of its lines and each line's own
// bookkeeping, which is what a list of many short lines costs.
std::size_t SizeOf(const LineList& lines);

// Runs the rules at positions [rules.first, rules.second) of `ruleItems` over
// `list`, the run state carried on from rule to rule. False when the run
// stopped; the report says why. With `tracing`, every pass is followed line
// by line.
bool RunPasses(MarkedLines& list, RunState& state, Tracing* tracing, const std::vector<std::string>& ruleItems,
               std::pair<std::size_t, std::size_t> rules, std::size_t growthLimit, RunWatch& watch, RunReport& report);

}  // namespace quenby
