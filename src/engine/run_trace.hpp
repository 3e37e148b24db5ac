// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The bookkeeping of a traced run: the sources of every line, what each rule
// pass did to the lines (the counts of a RuleEffect), and the marks of the
// lines after one chosen rule. The run driver tells it when a pass starts,
// which lines a rule on single lines changed, and when the pass has ended,
// re-split.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/engine.hpp"
#include "engine/line_origins.hpp"
#include "engine/resplit.hpp"

namespace quenby {

// How a line after a pass stands to the line before the pass it goes on
// from, best first.
enum class Likeness : unsigned char { kSame, kTrimmed, kOther, kNone };

// What a traced run keeps besides its lines: their origins, and what each
// pass did.
struct Tracing {
  LineOrigins origins;
  PieceOwners owners;
  std::vector<RuleEffect> effects;
  // The position of the rule whose lines are marked, and their marks. A run
  // that marks a rule counts what that rule did and no other.
  std::optional<std::size_t> markedRule;
  std::vector<LineMark> marks;
  // The lines whose text before the pass is kept to compare with: every
  // line of a rule on the whole list, and each line that a rule on single
  // lines gave a new text when the old or the new one is not plain (a line
  // cut or joined by the re-split). Every other line stands to its text
  // before the pass as `known` says.
  std::vector<bool> touched;
  // How each line not in `touched` stands to its text before the pass:
  // kSame for a line the pass left alone, else as found when a rule gave a
  // plain line a plain new text, while both were at hand.
  std::vector<Likeness> known;

  // A pass of the rule at `position` starts on `lines`. A rule on the whole
  // list may change any line, so when its pass is counted the text of every
  // line is kept to compare with.
  void StartPass(std::size_t position, bool wholeList, const LineList& lines);

  // A rule on single lines is about to give line `line`, which holds `text`,
  // the text `changed`; `plain` tells whether `text` is plain and
  // `changedPlain` whether `changed` is. When the pass is counted, the two
  // are compared now if both are plain; otherwise the text before is kept
  // (moved out of `text`) to compare with after the re-split.
  void Touch(std::size_t line, std::string& text, const std::string& changed, bool plain, bool changedPlain);

  // The pass of the rule at `position` has ended with `lines`, re-split.
  // Each line before the pass goes on as at most one line after it: of the
  // lines that hold its characters, the one with its text as it was, else
  // the one with its text trimmed, else the first. Every other line after the
  // pass is made by it.
  void EndPass(std::size_t position, const LineList& lines);

 private:
  // The origins of the lines before the re-split carried to the lines after
  // it: a line holding characters of several entries has the sources of all.
  void FollowResplit();

  // The current pass is counted: its effect and, for the marked rule, marks.
  bool counting_ = false;
  // The text before the pass of each touched line, by its place before the
  // pass; a line not touched keeps its text, so its entry is not read.
  std::vector<std::string> before_;
  // The buffers of the lines after a re-split, kept from pass to pass.
  std::vector<std::uint32_t> from_;
  std::vector<bool> moved_;
  std::vector<bool> touched_;
  std::vector<Likeness> known_;
  std::vector<Likeness> likeness_;
  std::vector<std::uint32_t> goesOnAs_;
};

// The lines a traced run starts from, with their sources.
MarkedLines TracedInputLines(std::string_view inputText, Tracing& tracing);

// Leaves out the empty lines at the end of a run, as RunRules does, with
// their sources and marks.
void DropEmptyLines(LineList& lines, SourceTable& sources, std::vector<LineMark>* marks);

// The traced run of a run that ended with `lines`, its empty lines left out.
TracedRun FinishTracedRun(LineList lines, Tracing& tracing);

}  // namespace quenby
