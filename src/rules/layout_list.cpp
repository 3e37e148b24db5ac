// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/layout_list.hpp"

#include "text/text.hpp"

namespace quenby {

std::vector<LayoutEntry> ParseLayoutList(std::string_view text) {
  std::vector<LayoutEntry> layouts;
  for (std::string_view line : SplitOn(text, "\n")) {
    if (EndsWith(line, "\r")) {
      line.remove_suffix(1);
    }
    const std::string_view trimmed = TrimView(line);
    if (trimmed.empty() || StartsWith(trimmed, "#")) {
      continue;
    }
    const std::vector<std::string> fields = SplitOn(line, "\t");
    LayoutEntry layout{Trim(fields[0]), fields.size() > 1 ? Trim(fields[1]) : std::string(),
                       fields.size() > 2 ? Trim(fields[2]) : std::string()};
    if (layout.title.empty()) {
      layout.title = layout.stem;
    }
    layouts.push_back(std::move(layout));
  }
  return layouts;
}

std::string_view FirstLines(std::string_view crLfText, std::size_t count) {
  std::size_t end = 0;
  for (std::size_t line = 0; line < count; ++line) {
    const std::size_t lineBreak = crLfText.find(kCrLf, end);
    if (lineBreak == std::string_view::npos) {
      return crLfText;
    }
    if (line + 1 == count) {
      return crLfText.substr(0, lineBreak);
    }
    end = lineBreak + kCrLf.size();
  }
  return crLfText.substr(0, 0);
}

}  // namespace quenby
