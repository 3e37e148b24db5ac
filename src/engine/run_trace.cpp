// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/run_trace.hpp"

#include <algorithm>
#include <string>
#include <utility>

#include "text/text.hpp"

namespace quenby {

namespace {

// How a line after a pass stands to the text of the line before it.
Likeness LikenessOf(std::string_view after, std::string_view before) {
  if (after == before) {
    return Likeness::kSame;
  }
  return after == TrimView(before) ? Likeness::kTrimmed : Likeness::kOther;
}

}  // namespace

bool RuleEffect::DidNothing() const {
  return changed == 0 && made == 0 && removed == 0 && moved == 0;
}

void Tracing::StartPass(std::size_t position, bool wholeList, const LineList& lines) {
  origins.StartPass();
  counting_ = !markedRule || *markedRule == position;
  if (!counting_) {
    return;
  }
  touched.assign(lines.size(), wholeList);
  known.assign(lines.size(), Likeness::kSame);
  if (wholeList) {
    before_ = lines;
  } else {
    before_.resize(lines.size());
  }
}

void Tracing::Touch(std::size_t line, std::string& text, const std::string& changed, bool plain, bool changedPlain) {
  if (!counting_) {
    return;
  }
  if (plain && changedPlain) {
    known[line] = LikenessOf(changed, text);
  } else {
    touched[line] = true;
    before_[line] = std::move(text);
  }
}

void Tracing::EndPass(std::size_t position, const LineList& lines) {
  if (!counting_) {
    FollowResplit();
    return;
  }
  const bool marking = markedRule == position;
  if (marking) {
    marks.assign(lines.size(), LineMark::kKept);
  }
  if (owners.unchanged && !origins.reordered) {
    // Every line stayed where it was, one line each: only a touched line
    // can have changed.
    RuleEffect effect;
    for (std::size_t j = 0; j < lines.size(); ++j) {
      if ((touched[j] ? LikenessOf(lines[j], before_[j]) : known[j]) != Likeness::kSame) {
        ++effect.changed;
        if (marking) {
          marks[j] = LineMark::kChanged;
        }
      }
    }
    effects.push_back(effect);
    return;
  }
  const std::size_t linesBefore = before_.size();
  FollowResplit();
  likeness_.assign(linesBefore, Likeness::kNone);
  goesOnAs_.resize(linesBefore);
  // An empty line that a re-split leaves between others is no line: every
  // view of the lines leaves it out, so the line it comes from is removed.
  for (std::size_t j = 0; j < lines.size(); ++j) {
    if (lines[j].empty()) {
      continue;
    }
    const std::uint32_t from = origins.from[j];
    const Likeness likeness = touched[j] ? LikenessOf(lines[j], before_[from]) : known[j];
    if (likeness < likeness_[from]) {
      likeness_[from] = likeness;
      goesOnAs_[from] = static_cast<std::uint32_t>(j);
    }
  }
  RuleEffect effect;
  for (std::size_t j = 0; j < lines.size(); ++j) {
    if (lines[j].empty()) {
      continue;
    }
    const std::uint32_t before = origins.from[j];
    LineMark mark = LineMark::kKept;
    if (goesOnAs_[before] != j) {
      mark = LineMark::kMade;
      ++effect.made;
    } else if (likeness_[before] != Likeness::kSame) {
      mark = LineMark::kChanged;
      ++effect.changed;
    } else if (origins.moved[j]) {
      mark = LineMark::kMoved;
      ++effect.moved;
    }
    if (marking) {
      marks[j] = mark;
    }
  }
  effect.removed = static_cast<std::size_t>(std::count(likeness_.begin(), likeness_.end(), Likeness::kNone));
  effects.push_back(effect);
}

void Tracing::FollowResplit() {
  if (owners.unchanged) {
    return;
  }
  const std::size_t count = owners.start.size();
  origins.sources.Regroup(owners.start, owners.entries);
  from_.resize(count);
  moved_.resize(count);
  if (counting_) {
    touched_.resize(count);
    known_.resize(count);
  }
  for (std::size_t j = 0; j < count; ++j) {
    const std::size_t begin = owners.start[j];
    const std::size_t end = j + 1 < count ? owners.start[j + 1] : owners.entries.size();
    const std::uint32_t first = owners.entries[begin];
    from_[j] = origins.from[first];
    moved_[j] = origins.moved[first];
    // A line whose text before was not kept is plain, so it is cut nowhere,
    // and a line holding it alone holds it as it is. A line holding it and
    // text of other lines has, right after its characters, the CR of the
    // break that joined them, which its plain text before the pass lacks.
    if (counting_) {
      touched_[j] = touched[first];
      known_[j] = touched[first] || end - begin == 1 ? known[first] : Likeness::kOther;
    }
  }
  origins.from.swap(from_);
  origins.moved.swap(moved_);
  if (counting_) {
    touched.swap(touched_);
    known.swap(known_);
  }
}

MarkedLines TracedInputLines(std::string_view inputText, Tracing& tracing) {
  LineList lines;
  CutInputLines(inputText, lines, tracing.origins.sources);
  return Mark(std::move(lines));
}

void DropEmptyLines(LineList& lines, SourceTable& sources, std::vector<LineMark>* marks) {
  if (std::none_of(lines.begin(), lines.end(), [](const std::string& line) { return line.empty(); })) {
    return;
  }
  std::vector<std::uint32_t> kept;
  kept.reserve(lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].empty()) {
      continue;
    }
    if (kept.size() != i) {
      lines[kept.size()] = std::move(lines[i]);
      if (marks != nullptr) {
        (*marks)[kept.size()] = (*marks)[i];
      }
    }
    kept.push_back(static_cast<std::uint32_t>(i));
  }
  lines.resize(kept.size());
  sources.Select(kept);
  if (marks != nullptr) {
    marks->resize(kept.size());
  }
}

TracedRun FinishTracedRun(LineList lines, Tracing& tracing) {
  TracedRun run{std::move(lines), std::move(tracing.origins.sources), std::move(tracing.effects)};
  DropEmptyLines(run.lines, run.sources, nullptr);
  return run;
}

}  // namespace quenby
