// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The example layouts built into the program as resources: the list
// examples/layouts.tsv and each listed layout's rules file and example text,
// as they are in the examples folder.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rules/layout_list.hpp"
#include "rules/rules_file.hpp"

namespace quenby {

// The built-in layouts in the order of their list.
std::vector<LayoutEntry> BundledLayouts();

// A layout's rules, read from its built-in rules file by the code that reads
// a rules file from disk, so they load to the same items and notes.
LoadedRules BundledRules(std::string_view stem);

// A layout's example text as the input box takes it (UTF-8, CR LF line
// breaks), read as a text file is opened; nothing, with `error` set, when the
// layout has no readable text.
std::optional<std::string> BundledExampleText(std::string_view stem, std::string& error);

}  // namespace quenby
