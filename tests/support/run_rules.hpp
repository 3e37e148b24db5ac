// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A run for the tests that look only at the people list: the run must have
// gone to its end.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "engine/engine.hpp"

namespace quenby {

inline LineList RunRules(std::string_view inputText, const std::vector<std::string>& ruleItems) {
  RunReport report;
  LineList people = RunRules(inputText, ruleItems, report);
  EXPECT_EQ(report.stopped, "");
  return people;
}

}  // namespace quenby
