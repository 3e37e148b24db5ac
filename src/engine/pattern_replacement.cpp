// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/pattern_replacement.hpp"

#include <algorithm>

#include "text/letter_case.hpp"

namespace quenby {

PatternReplacement::PatternReplacement(std::string_view text, int groupCount) {
  pieces_.emplace_back();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      pieces_.back().text.push_back(text[i]);
      continue;
    }
    if (++i == text.size()) {
      problem_ = "a \\ at the end stands for nothing; write \\\\ for a backslash";
      return;
    }
    const char next = text[i];
    if (next == '\\') {
      pieces_.back().text.push_back('\\');
    } else if (next >= '0' && next <= '9') {
      const int group = next - '0';
      if (group > groupCount) {
        problem_ = "it names group \\" + std::string(1, next) + ", but the pattern has " + std::to_string(groupCount) +
                   (groupCount == 1 ? " group" : " groups");
        return;
      }
      highestGroup_ = std::max(highestGroup_, group);
      namesGroups_ = namesGroups_ || group > 0;
      pieces_.push_back(Piece{{}, group, Case::kAsWritten, false});
      pieces_.emplace_back();
    } else if (next == 'U' || next == 'L' || next == 'T' || next == 'E') {
      const Case to = next == 'U'   ? Case::kCapitals
                      : next == 'L' ? Case::kSmall
                      : next == 'T' ? Case::kTitle
                                    : Case::kAsWritten;
      pieces_.push_back(Piece{{}, -1, to, true});
      pieces_.emplace_back();
    } else {
      problem_ = "a \\ must be followed by a digit (a group), \\, U, L, T or E";
      return;
    }
  }
}

void PatternReplacement::AppendTo(std::string& out, const re2::StringPiece* groups) const {
  // The text under a case switch is gathered whole and converted when the
  // switch ends, so that a word made of several pieces is one word.
  Case current = Case::kAsWritten;
  std::string converted;
  const auto flush = [&] {
    switch (current) {
      case Case::kAsWritten:
        break;
      case Case::kCapitals:
        out.append(ToUpperCase(converted));
        break;
      case Case::kSmall:
        out.append(ToLowerCase(converted));
        break;
      case Case::kTitle:
        out.append(ToTitleCase(converted));
        break;
    }
    converted.clear();
  };
  for (const Piece& piece : pieces_) {
    if (piece.isSwitch) {
      flush();
      current = piece.switchTo;
      continue;
    }
    std::string& target = current == Case::kAsWritten ? out : converted;
    if (piece.group >= 0) {
      const re2::StringPiece& group = groups[piece.group];
      target.append(group.data() == nullptr ? std::string_view() : std::string_view(group.data(), group.size()));
    } else {
      target.append(piece.text);
    }
  }
  flush();
}

bool PatternReplacement::NamesTextIn(const re2::StringPiece* groups) const {
  for (const Piece& piece : pieces_) {
    if (piece.group > 0 && !groups[piece.group].empty()) {
      return true;
    }
  }
  return !namesGroups_;
}

SplitReplacement CutAtAddedText(std::string_view replacement) {
  for (std::size_t i = 0; i + 1 < replacement.size(); ++i) {
    if (replacement[i] != '\\') {
      continue;
    }
    if (replacement[i + 1] == 'A') {
      return {std::string(replacement.substr(0, i)), std::string(replacement.substr(i + 2))};
    }
    ++i;  // the escaped character is no "\" of its own
  }
  return {std::string(replacement), {}};
}

}  // namespace quenby
