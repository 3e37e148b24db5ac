// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Record texts written the way they read: one string per line, each given
// its CR LF, so an empty string stands for an empty line.

#include <initializer_list>
#include <string>
#include <string_view>

#include "text/text.hpp"

namespace quenby {

inline std::string Lines(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (const auto line : lines) {
    text.append(line).append(kCrLf);
  }
  return text;
}

}  // namespace quenby
