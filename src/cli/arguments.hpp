// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The command line of quenby-convert: options, one input, and the usage
// text. Kept apart from the converter so that a fuzz target can drive it.

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "gedcom/gedcom_dates.hpp"
#include "gedcom/gedcom_line_split.hpp"

namespace quenby {

enum class Stage { kPeople, kDetails, kGed };

struct Options {
  std::string rulesFile;
  std::string input;
  std::string output;
  Stage stage = Stage::kGed;
  std::string sex;  // "M", "F" or empty (ask)
  // The standard GEDCOM file of --format; empty for the classic file.
  std::optional<GedcomVersion> standard;
  DateOrder dates = DateOrder::kDayFirst;
  bool check = false;    // the problems of the people list on standard error
  bool strict = false;   // and nothing written when there is one
  bool explain = false;  // what each rule did, on standard error
  bool trace = false;    // each people-list line led by its input line numbers
};

// Thrown for wrong usage; the message says what was wrong.
struct UsageError {
  std::string message;
};

// Parses the arguments; returns nothing after --help or --version, which
// are answered on `out`. Throws UsageError.
std::optional<Options> ParseArguments(const std::vector<std::string>& args, std::ostream& out);

}  // namespace quenby
