// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/line_origins.hpp"

#include <algorithm>
#include <iterator>
#include <numeric>

#include "text/text.hpp"

namespace quenby {

namespace {

constexpr std::string_view kLfCr = "\n\r";

}  // namespace

void AddSources(SourceLines& into, const SourceLines& more) {
  if (more.empty() || (!into.empty() && into.back() < more.front())) {
    into.insert(into.end(), more.begin(), more.end());
    return;
  }
  SourceLines merged;
  merged.reserve(into.size() + more.size());
  std::set_union(into.begin(), into.end(), more.begin(), more.end(), std::back_inserter(merged));
  into = std::move(merged);
}

void LineOrigins::StartPass() {
  from.resize(sources.size());
  std::iota(from.begin(), from.end(), std::uint32_t{0});
  moved.assign(sources.size(), false);
  reordered = false;
}

void LineOrigins::TakeSources(std::size_t line, std::size_t other) {
  AddSources(sources[line], sources[other]);
}

void LineOrigins::Reorder(const std::vector<std::size_t>& order, const std::vector<bool>& movedOnPurpose) {
  std::vector<SourceLines> newSources(order.size());
  std::vector<std::uint32_t> newFrom(order.size());
  std::vector<bool> newMoved(order.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    newSources[i] = std::move(sources[order[i]]);
    newFrom[i] = from[order[i]];
    newMoved[i] = moved[order[i]] || movedOnPurpose[i];
  }
  sources = std::move(newSources);
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

void CutInputLines(std::string_view inputText, std::vector<std::string>& lines, std::vector<SourceLines>& sources) {
  // Each input line owns its text and the line break that ends it.
  OwnedText owned;
  std::uint32_t number = 1;
  std::size_t lineStart = 0;
  for (std::size_t at = inputText.find_first_of("\r\n"); at != std::string_view::npos;
       at = inputText.find_first_of("\r\n", lineStart)) {
    const bool crLf = inputText[at] == '\r' && at + 1 < inputText.size() && inputText[at + 1] == '\n';
    const std::size_t next = at + (crLf ? 2 : 1);
    owned.Append(inputText.substr(lineStart, next - lineStart), number++);
    lineStart = next;
  }
  owned.Append(inputText.substr(lineStart), number);

  // The steps of InputLines: LF CR pairs deleted, spaces trimmed at both
  // ends of the whole text, cut at every CR LF, empty lines left out.
  const OwnedText kept = owned.WithoutLfCr();
  const std::string& text = kept.Text();
  const std::string_view trimmed = TrimView(text);
  if (trimmed.empty()) {
    return;
  }
  const std::size_t end = static_cast<std::size_t>(trimmed.data() - text.data()) + trimmed.size();
  std::size_t begin = static_cast<std::size_t>(trimmed.data() - text.data());
  while (begin <= end) {
    std::size_t cut = text.find(kCrLf, begin);
    if (cut == std::string::npos || cut + kCrLf.size() > end) {
      cut = end;
    }
    if (cut > begin) {
      lines.emplace_back(text, begin, cut - begin);
      sources.emplace_back();
      kept.AppendOwnersOf(begin, cut, sources.back());
    }
    begin = cut + kCrLf.size();
  }
}

}  // namespace quenby
