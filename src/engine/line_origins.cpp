// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/line_origins.hpp"

#include <algorithm>
#include <iterator>
#include <numeric>

#include "text/text.hpp"

namespace quenby {

namespace {

constexpr std::string_view kLfCr = "\n\r";

// `into` gains the numbers of `more` it lacks and stays ascending.
void AddSources(std::vector<std::uint32_t>& into, SourceLines more) {
  if (more.empty() || (!into.empty() && into.back() < more.front())) {
    into.insert(into.end(), more.begin(), more.end());
    return;
  }
  std::vector<std::uint32_t> merged;
  merged.reserve(into.size() + more.size());
  std::set_union(into.begin(), into.end(), more.begin(), more.end(), std::back_inserter(merged));
  into = std::move(merged);
}

}  // namespace

SourceLines SourceTable::operator[](std::size_t line) const {
  const Entry& entry = lines_[line];
  if (entry.list == kSingle) {
    return {&entry.number, 1};
  }
  return lists_[entry.list];
}

void SourceTable::Append(SourceLines sources) {
  lines_.push_back(Store(sources));
}

void SourceTable::Join(std::size_t line, std::size_t other) {
  const SourceLines more = (*this)[other];
  if (line == other || (lines_[line].list == kSingle && more.size() == 1 && more[0] == lines_[line].number)) {
    return;
  }
  if (lines_[line].list == kSingle) {
    // A new list moves the others, not the numbers they hold: `more` stays
    // where it is.
    const std::uint32_t list = NewList();
    lists_[list].push_back(lines_[line].number);
    lines_[line].list = list;
  }
  AddSources(lists_[lines_[line].list], more);
}

void SourceTable::Regroup(const std::vector<std::uint32_t>& start, const std::vector<std::uint32_t>& entries) {
  Rebuild(start.size(), entries, [&](std::size_t j) {
    return std::pair<std::size_t, std::size_t>(start[j], j + 1 < start.size() ? start[j + 1] : entries.size());
  });
}

void SourceTable::Select(const std::vector<std::uint32_t>& lines) {
  Rebuild(lines.size(), lines, [](std::size_t j) { return std::pair<std::size_t, std::size_t>(j, j + 1); });
}

SourceTable::Entry SourceTable::Store(SourceLines sources) {
  if (sources.size() == 1) {
    return {sources[0], kSingle};
  }
  const std::uint32_t list = NewList();
  lists_[list].assign(sources.begin(), sources.end());
  return {0, list};
}

std::uint32_t SourceTable::NewList() {
  if (free_.empty()) {
    lists_.emplace_back();
    return static_cast<std::uint32_t>(lists_.size() - 1);
  }
  const std::uint32_t list = free_.back();
  free_.pop_back();
  return list;
}

void SourceTable::Free(std::uint32_t list) {
  lists_[list].clear();
  free_.push_back(list);
}

template <typename Group>
void SourceTable::Rebuild(std::size_t count, const std::vector<std::uint32_t>& entries, Group group) {
  // How many new lines hold each list. The list of an old line no new line
  // names is free at once; the last new line to hold a list takes it, the
  // others get copies.
  std::vector<std::uint32_t> uses(lists_.size());
  if (lists_.size() > free_.size()) {
    for (const std::uint32_t entry : entries) {
      if (lines_[entry].list != kSingle) {
        ++uses[lines_[entry].list];
      }
    }
    for (const Entry& entry : lines_) {
      if (entry.list != kSingle && uses[entry.list] == 0) {
        Free(entry.list);
      }
    }
  }
  std::vector<Entry> next;
  next.reserve(count);
  std::vector<std::uint32_t> merged;
  for (std::size_t j = 0; j < count; ++j) {
    const auto [begin, end] = group(j);
    if (end - begin == 1) {
      const Entry entry = lines_[entries[begin]];
      next.push_back(entry.list != kSingle && --uses[entry.list] > 0 ? Store(lists_[entry.list]) : entry);
      continue;
    }
    merged.clear();
    for (std::size_t k = begin; k < end; ++k) {
      AddSources(merged, (*this)[entries[k]]);
    }
    for (std::size_t k = begin; k < end; ++k) {
      const std::uint32_t list = lines_[entries[k]].list;
      if (list != kSingle && --uses[list] == 0) {
        Free(list);
      }
    }
    next.push_back(Store(merged));
  }
  lines_ = std::move(next);
}

void LineOrigins::StartPass() {
  from.resize(sources.size());
  std::iota(from.begin(), from.end(), std::uint32_t{0});
  moved.assign(sources.size(), false);
  reordered = false;
}

void LineOrigins::TakeSources(std::size_t line, std::size_t other) {
  sources.Join(line, other);
}

void LineOrigins::Reorder(const std::vector<std::size_t>& order, const std::vector<bool>& movedOnPurpose) {
  std::vector<std::uint32_t> lines(order.size());
  std::vector<std::uint32_t> newFrom(order.size());
  std::vector<bool> newMoved(order.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    lines[i] = static_cast<std::uint32_t>(order[i]);
    newFrom[i] = from[order[i]];
    newMoved[i] = moved[order[i]] || movedOnPurpose[i];
  }
  sources.Select(lines);
  from = std::move(newFrom);
  moved = std::move(newMoved);
  reordered = true;
}

void OwnedText::Append(std::string_view part, std::uint32_t owner) {
  if (part.empty()) {
    return;
  }
  if (runs_.empty() || runs_.back().second != owner) {
    runs_.emplace_back(text_.size(), owner);
  }
  text_.append(part);
}

void OwnedText::Reserve(std::size_t textSize, std::size_t stretches) {
  text_.reserve(textSize);
  runs_.reserve(stretches);
}

OwnedText OwnedText::WithoutLfCr() const {
  OwnedText kept;
  kept.text_.reserve(text_.size());
  std::size_t run = 0;
  // Copies text_[begin, end) stretch by stretch, each with its owner.
  const auto copy = [&](std::size_t begin, std::size_t end) {
    while (begin < end) {
      while (run + 1 < runs_.size() && runs_[run + 1].first <= begin) {
        ++run;
      }
      const std::size_t runEnd = run + 1 < runs_.size() ? runs_[run + 1].first : text_.size();
      const std::size_t stop = std::min(end, runEnd);
      kept.Append(std::string_view(text_).substr(begin, stop - begin), runs_[run].second);
      begin = stop;
    }
  };
  std::size_t from = 0;
  for (std::size_t at = text_.find(kLfCr); at != std::string::npos; at = text_.find(kLfCr, from)) {
    copy(from, at);
    from = at + kLfCr.size();
  }
  copy(from, text_.size());
  return kept;
}

void OwnedText::AppendOwnersOf(std::size_t begin, std::size_t end, std::vector<std::uint32_t>& owners) const {
  if (begin >= end) {
    return;
  }
  auto run = std::upper_bound(runs_.begin(), runs_.end(), begin,
                              [](std::size_t offset, const auto& stretch) { return offset < stretch.first; });
  // The stretch that holds `begin` is the last one starting at or before it.
  --run;
  const std::size_t first = owners.size();
  for (; run != runs_.end() && run->first < end; ++run) {
    if (run->second != kNoOwner && (owners.size() == first || owners.back() != run->second)) {
      owners.push_back(run->second);
    }
  }
}

void CutInputLines(std::string_view inputText, std::vector<std::string>& lines, SourceTable& sources) {
  // The steps of InputLines: LF CR pairs deleted, spaces trimmed at both
  // ends of the whole text, cut at every CR LF, empty lines left out.
  const std::string text = ReplaceAll(inputText, kLfCr, "");
  // Where each input line starts in that text (starts[k] for line k + 1),
  // and where the text ends. A line whose every character went with an LF
  // CR pair starts where the next one does.
  std::vector<std::size_t> starts{0};
  std::size_t pair = inputText.find(kLfCr);
  std::size_t deleted = 0;
  for (std::size_t at = 0; at < inputText.size(); ++at) {
    if (inputText[at] != '\r' && inputText[at] != '\n') {
      continue;
    }
    if (inputText[at] == '\r' && at + 1 < inputText.size() && inputText[at + 1] == '\n') {
      ++at;
    }
    const std::size_t next = at + 1;
    while (pair != std::string_view::npos && pair + kLfCr.size() <= next) {
      deleted += kLfCr.size();
      pair = inputText.find(kLfCr, pair + kLfCr.size());
    }
    // A line that starts between the LF and the CR of a pair starts where
    // the pair was.
    starts.push_back(next - deleted - (pair != std::string_view::npos && pair + 1 == next ? 1 : 0));
  }
  starts.push_back(text.size());

  const std::string_view trimmed = TrimView(text);
  if (trimmed.empty()) {
    return;
  }
  const std::size_t end = static_cast<std::size_t>(trimmed.data() - text.data()) + trimmed.size();
  std::size_t begin = static_cast<std::size_t>(trimmed.data() - text.data());
  std::size_t line = 0;
  std::vector<std::uint32_t> numbers;
  while (begin <= end) {
    std::size_t cut = text.find(kCrLf, begin);
    if (cut == std::string::npos || cut + kCrLf.size() > end) {
      cut = end;
    }
    if (cut > begin) {
      lines.emplace_back(text, begin, cut - begin);
      // The input lines holding a character of text[begin, cut).
      while (starts[line + 1] <= begin) {
        ++line;
      }
      numbers.clear();
      for (std::size_t holder = line; starts[holder] < cut; ++holder) {
        if (starts[holder] < starts[holder + 1]) {
          numbers.push_back(static_cast<std::uint32_t>(holder + 1));
        }
      }
      sources.Append(numbers);
    }
    begin = cut + kCrLf.size();
  }
}

}  // namespace quenby
