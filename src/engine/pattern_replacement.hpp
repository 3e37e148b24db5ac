// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The replacement of a pattern rule, read once per run: plain text, the
// pattern's groups (\1 to \9, \0 the whole match), "\\" for one backslash,
// and case conversion of what stands between a switch and "\E" (or the end
// of the replacement): "\U" capitals, "\L" small letters, "\T" the first
// letter of each word a capital and the others small. A switch ends the one
// before it. Any other character after a "\" makes the replacement invalid,
// as it always did, so no replacement that ran before changes its meaning.

#include <re2/re2.h>

#include <string>
#include <string_view>
#include <vector>

namespace quenby {

class PatternReplacement {
 public:
  // Reads `text` for a pattern with `groupCount` capturing groups.
  PatternReplacement(std::string_view text, int groupCount);

  // Why the replacement cannot be used, or the empty text.
  const std::string& Problem() const { return problem_; }

  // How many groups (the whole match counted as group 0) a match must give.
  int GroupsNeeded() const { return highestGroup_ + 1; }

  // Appends the replacement for a match with these groups, of which there
  // are GroupsNeeded(); a group that took no part in the match is empty.
  void AppendTo(std::string& out, const re2::StringPiece* groups) const;

  // False when the replacement names groups (\1 to \9) and none of them
  // holds text in this match; true otherwise.
  bool NamesTextIn(const re2::StringPiece* groups) const;

 private:
  enum class Case { kAsWritten, kCapitals, kSmall, kTitle };
  struct Piece {
    std::string text;  // written as it stands, unless a group is named
    int group = -1;    // the group written, or -1
    Case switchTo = Case::kAsWritten;
    bool isSwitch = false;
  };
  std::vector<Piece> pieces_;
  std::string problem_;
  int highestGroup_ = 0;
  bool namesGroups_ = false;
};

// A replacement "start\Aadded" cut at its first "\A": the text that starts
// each piece and the text added to each piece of a split. Without "\A" the
// whole replacement starts each piece and nothing is added.
struct SplitReplacement {
  std::string start;
  std::string added;
};
SplitReplacement CutAtAddedText(std::string_view replacement);

}  // namespace quenby
