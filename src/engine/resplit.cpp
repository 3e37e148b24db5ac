// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/resplit.hpp"

#include <algorithm>
#include <string_view>
#include <utility>

#include "text/text.hpp"

namespace quenby {

namespace {

constexpr std::string_view kLfCr = "\n\r";

// Cuts a text at every CR LF. An empty text holds no line at all, so a list
// with nothing left in it stays empty instead of gaining one empty line.
LineList CutIntoLines(std::string_view text) {
  if (text.empty()) {
    return {};
  }
  return SplitOn(text, kCrLf);
}

// The entries [begin, end) joined by CR LF, with every LF CR pair deleted
// from left to right; with `addEnds`, between an added LF and an added CR.
std::string JoinWithoutLfCr(const LineList& lines, std::size_t begin, std::size_t end, bool addEnds) {
  std::size_t size = 2;
  for (std::size_t i = begin; i < end; ++i) {
    size += lines[i].size() + kCrLf.size();
  }
  std::string joined;
  joined.reserve(size);
  if (addEnds) {
    joined.push_back('\n');
  }
  for (std::size_t i = begin; i < end; ++i) {
    if (i > begin) {
      joined.append(kCrLf);
    }
    joined.append(lines[i]);
  }
  if (addEnds) {
    joined.push_back('\r');
  }
  return ReplaceAll(joined, kLfCr, "");
}

void AppendPieces(std::string_view text, MarkedLines& result) {
  for (auto& line : SplitOn(text, kCrLf)) {
    result.Append(std::move(line));
  }
}

// An LF CR pair can reach across the CR LF between two entries only when the
// first is empty or ends with LF, or the second is empty or starts with CR.
bool IsCleanBoundary(const MarkedLines& list, std::size_t first) {
  const std::string& before = list.lines[first];
  const std::string& after = list.lines[first + 1];
  return (list.plain[first] || (!before.empty() && before.back() != '\n')) &&
         (list.plain[first + 1] || (!after.empty() && after.front() != '\r'));
}

// Whether every entry of [begin, end) is plain or empty.
bool IsPlainOrEmpty(const MarkedLines& list, std::size_t begin, std::size_t end) {
  for (std::size_t i = begin; i < end; ++i) {
    if (!list.plain[i] && !list.lines[i].empty()) {
      return false;
    }
  }
  return true;
}

// The entries [begin, end) joined as JoinWithoutLfCr joins them, each
// character knowing its entry.
OwnedText JoinOwned(const LineList& lines, std::size_t begin, std::size_t end, bool addEnds) {
  std::size_t size = 2;
  for (std::size_t i = begin; i < end; ++i) {
    size += lines[i].size() + kCrLf.size();
  }
  OwnedText joined;
  // Each entry and each break between two entries is a stretch of its own.
  joined.Reserve(size, 2 * (end - begin) + 2);
  if (addEnds) {
    joined.Append("\n", OwnedText::kNoOwner);
  }
  for (std::size_t i = begin; i < end; ++i) {
    if (i > begin) {
      joined.Append(kCrLf, OwnedText::kNoOwner);
    }
    joined.Append(lines[i], static_cast<std::uint32_t>(i));
  }
  if (addEnds) {
    joined.Append("\r", OwnedText::kNoOwner);
  }
  return joined.WithoutLfCr();
}

// AppendPieces for text[begin, end) of an owned text, each piece with its
// entries.
void AppendOwnedPieces(const OwnedText& owned, std::size_t begin, std::size_t end, std::size_t fallback,
                       MarkedLines& result, PieceOwners& owners) {
  const std::string& text = owned.Text();
  for (std::size_t from = begin;;) {
    const std::size_t at = text.find(kCrLf, from);
    const bool cut = at != std::string::npos && at + kCrLf.size() <= end;
    const std::size_t pieceEnd = cut ? at : end;
    result.Append(text.substr(from, pieceEnd - from));
    owners.AddOwned(owned, from, pieceEnd, fallback);
    if (!cut) {
      return;
    }
    from = at + kCrLf.size();
  }
}

}  // namespace

// A line that re-splitting leaves exactly as it is: not empty, and without
// CR or LF.
bool IsPlainLine(const std::string& line) {
  return !line.empty() && line.find('\r') == std::string::npos && line.find('\n') == std::string::npos;
}

MarkedLines Mark(LineList lines) {
  MarkedLines marked;
  marked.plain.reserve(lines.size());
  for (const auto& line : lines) {
    marked.plain.push_back(IsPlainLine(line));
  }
  marked.lines = std::move(lines);
  return marked;
}

// Re-splitting is defined on the whole list in five steps: join the entries
// with CR LF; put an LF in front and a CR at the end; delete every LF CR pair,
// left to right; cut off the first and last character; cut at every CR LF
// (a text left empty gives no line at all). Empty entries vanish with their
// line breaks, and a lone LF ending one entry and a lone CR starting the next
// vanish too, joining the two entries.
//
// The same result is reached without copying the lines that stay as they
// are. A CR LF at the start or the end of the joined text goes with the added
// LF or CR exactly as if it were not there, so it is dropped first. When the
// text then neither starts with CR nor ends with LF, the added LF and CR are
// what the cut removes, and no LF CR pair reaches across a clean boundary:
// the runs of entries between clean boundaries are re-split one by one, and
// the plain entries of a run that holds no other than empty ones are moved
// as they are. Otherwise a lone CR or
// LF at an end takes the added character with it, and the whole list goes
// through the five steps, keeping every character of the lines.
//
// The new list is built in `spare` and the two are swapped, so a run of the
// rules reuses the same two buffers for every pass. With `owners`, a traced
// run learns the entries each new line holds characters of; a run of several
// entries is then joined keeping the owner of every character.
void Resplit(MarkedLines& list, MarkedLines& spare, PieceOwners* owners) {
  if (owners != nullptr) {
    owners->Clear();
  }
  // Most passes leave every line plain, and then there is nothing to do.
  if (std::find(list.plain.begin(), list.plain.end(), false) == list.plain.end()) {
    if (owners != nullptr) {
      owners->unchanged = true;
    }
    return;
  }
  spare.lines.clear();
  spare.plain.clear();
  std::size_t begin = 0;
  std::size_t end = list.lines.size();
  while (begin < end && (list.lines[begin].empty() || StartsWith(list.lines[begin], kCrLf))) {
    if (list.lines[begin].empty()) {
      ++begin;
    } else {
      list.lines[begin].erase(0, kCrLf.size());
    }
  }
  while (begin < end && (list.lines[end - 1].empty() || EndsWith(list.lines[end - 1], kCrLf))) {
    if (list.lines[end - 1].empty()) {
      --end;
    } else {
      list.lines[end - 1].resize(list.lines[end - 1].size() - kCrLf.size());
    }
  }
  if (begin == end) {
    std::swap(list, spare);
    return;
  }
  const bool frontTaken = list.lines[begin].front() == '\r';
  const bool backTaken = list.lines[end - 1].back() == '\n';
  if ((frontTaken || backTaken) && owners != nullptr) {
    const OwnedText kept = JoinOwned(list.lines, begin, end, true);
    const std::size_t first = frontTaken ? 0 : 1;
    const std::size_t last = kept.Text().size() - (backTaken ? 0 : 1);
    if (first < last) {
      AppendOwnedPieces(kept, first, last, begin, spare, *owners);
    }
    std::swap(list, spare);
    return;
  }
  if (frontTaken || backTaken) {
    const std::string kept = JoinWithoutLfCr(list.lines, begin, end, true);
    // Only an added LF or CR that is still there is cut off: cutting the
    // first and last character regardless would lose a character of the
    // lines next to a lone CR or LF that went with the added one.
    std::string_view text = kept;
    if (!frontTaken) {
      text.remove_prefix(1);
    }
    if (!backTaken) {
      text.remove_suffix(1);
    }
    if (!text.empty()) {
      AppendPieces(text, spare);
    }
    std::swap(list, spare);
    return;
  }
  std::size_t runBegin = begin;
  for (std::size_t i = begin; i < end; ++i) {
    if (i + 1 < end && !IsCleanBoundary(list, i)) {
      continue;
    }
    if (IsPlainOrEmpty(list, runBegin, i + 1)) {
      // Joined, the empty entries leave an LF CR pair between two CR LF,
      // which takes one of them away: the pieces are the plain entries.
      for (std::size_t entry = runBegin; entry <= i; ++entry) {
        if (list.plain[entry]) {
          spare.lines.push_back(std::move(list.lines[entry]));
          spare.plain.push_back(true);
          if (owners != nullptr) {
            owners->Add(entry);
          }
        }
      }
    } else if (owners != nullptr && i > runBegin) {
      const OwnedText kept = JoinOwned(list.lines, runBegin, i + 1, false);
      if (!kept.Text().empty() || runBegin != begin || i + 1 != end) {
        AppendOwnedPieces(kept, 0, kept.Text().size(), runBegin, spare, *owners);
      }
    } else {
      const std::size_t made = spare.lines.size();
      // An entry alone in its run without an LF CR pair is cut as it stands,
      // which is what the join would give, without two copies of it.
      const bool cutAsItStands = i == runBegin && list.lines[i].find(kLfCr) == std::string::npos;
      const std::string joined = cutAsItStands ? std::string() : JoinWithoutLfCr(list.lines, runBegin, i + 1, false);
      const std::string_view kept = cutAsItStands ? std::string_view(list.lines[i]) : std::string_view(joined);
      // Only a list that is one run and leaves no text gives no line at all;
      // an empty run between others stands for one empty line.
      if (!kept.empty() || runBegin != begin || i + 1 != end) {
        AppendPieces(kept, spare);
      }
      for (std::size_t piece = made; owners != nullptr && piece < spare.lines.size(); ++piece) {
        owners->Add(runBegin);
      }
    }
    runBegin = i + 1;
  }
  std::swap(list, spare);
}

LineList SplitLines(LineList lines) {
  MarkedLines list = Mark(std::move(lines));
  MarkedLines spare;
  Resplit(list, spare, nullptr);
  return std::move(list.lines);
}

LineList InputLines(std::string_view inputText) {
  // In CR LF text every LF CR pair is an empty line between two breaks. What
  // is left of a break at the start or the end of the text is dropped too, as
  // after every rule: no rule ever meets an empty line, so none can make a
  // nameless person of one.
  const std::string withoutEmptyLines = ReplaceAll(inputText, kLfCr, "");
  LineList lines = CutIntoLines(TrimView(withoutEmptyLines));
  std::erase_if(lines, [](const std::string& line) { return line.empty(); });
  return lines;
}

}  // namespace quenby
