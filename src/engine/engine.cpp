// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/engine.hpp"

#include <algorithm>
#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <utility>

#include "engine/family_rules.hpp"
#include "engine/line_budget.hpp"
#include "engine/line_origins.hpp"
#include "engine/pattern_rules.hpp"
#include "engine/split_rules.hpp"
#include "engine/structure_rules.hpp"
#include "engine/swap_rules.hpp"
#include "rules/catalogue.hpp"
#include "text/text.hpp"

namespace quenby {

namespace {

constexpr std::string_view kLfCr = "\n\r";
constexpr std::size_t kMebibyte = std::size_t{1} << 20;

using Operation = LineChange (*)(const Rule& rule, std::string_view line, RunState& state);

// A rule that works on the whole line list at once: it needs to see other
// lines than the one it changes, or to prepare something once per run (a
// compiled pattern). Returns why it did nothing, or the empty text.
// A traced run passes `origins` to hear of the lines the rule joins, lends
// text to or moves.
using ListOperation = std::string (*)(const Rule& rule, LineList& lines, LineBudget& budget, LineOrigins* origins);

// Each code has either an operation on one line or one on the whole list.
struct Dispatch {
  Operation operation = nullptr;
  ListOperation listOperation = nullptr;
};

// The function of each operation of the rule table. The switch names every
// operation and has no default, so an operation added to the table without a
// function here does not compile.
constexpr Dispatch DispatchOf(RuleOperation operation) {
  Dispatch dispatch;
  switch (operation) {
    case RuleOperation::kSwapEveryOccurrence:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return SwapEveryOccurrence(line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kSwapUpToFirst:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return SwapUpToOccurrence(Occurrence::kFirst, line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kSwapFromFirst:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return SwapFromOccurrence(Occurrence::kFirst, line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kSwapUpToLast:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return SwapUpToOccurrence(Occurrence::kLast, line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kSwapFromLast:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return SwapFromOccurrence(Occurrence::kLast, line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kReplaceLineStartingWith:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return ReplaceWholeLine(LineTest::kStartsWith, line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kReplaceLineEndingWith:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return ReplaceWholeLine(LineTest::kEndsWith, line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kReplaceLineContaining:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return ReplaceWholeLine(LineTest::kContains, line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kSplitAtFirstStartFirst:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return SplitLine(Occurrence::kFirst, FirstPart::kStart, line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kSplitAtFirstEndFirst:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return SplitLine(Occurrence::kFirst, FirstPart::kEnd, line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kSplitAtLastStartFirst:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return SplitLine(Occurrence::kLast, FirstPart::kStart, line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kSplitAtLastEndFirst:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return SplitLine(Occurrence::kLast, FirstPart::kEnd, line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kInsertBeforeFirst:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return MakeNewLine(Occurrence::kFirst, CopiedPart::kBefore, Placement::kInsert, line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kAddBeforeFirst:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return MakeNewLine(Occurrence::kFirst, CopiedPart::kBefore, Placement::kAdd, line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kInsertAfterFirst:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return MakeNewLine(Occurrence::kFirst, CopiedPart::kAfter, Placement::kInsert, line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kAddAfterFirst:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return MakeNewLine(Occurrence::kFirst, CopiedPart::kAfter, Placement::kAdd, line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kInsertBeforeLast:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return MakeNewLine(Occurrence::kLast, CopiedPart::kBefore, Placement::kInsert, line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kAddBeforeLast:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return MakeNewLine(Occurrence::kLast, CopiedPart::kBefore, Placement::kAdd, line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kInsertAfterLast:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return MakeNewLine(Occurrence::kLast, CopiedPart::kAfter, Placement::kInsert, line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kAddAfterLast:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return MakeNewLine(Occurrence::kLast, CopiedPart::kAfter, Placement::kAdd, line, r.search, r.replacement);
      };
      break;
    case RuleOperation::kRecogniseChildren:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState& state) {
        return RecogniseChildren(line, r.search, state);
      };
      break;
    case RuleOperation::kConvertGenerationNumbers:
      dispatch.operation = [](const Rule&, std::string_view line, RunState& state) {
        return ConvertGenerationNumber(line, state);
      };
      break;
    case RuleOperation::kMoveMarriageData:
      dispatch.operation = [](const Rule&, std::string_view line, RunState&) { return MoveMarriageData(line); };
      break;
    case RuleOperation::kAddFamilyName:
      dispatch.operation = [](const Rule& r, std::string_view line, RunState&) {
        return AddFamilyName(line, r.replacement);
      };
      break;
    case RuleOperation::kJoinToLineAbove:
      dispatch.listOperation = JoinToLineAbove;
      break;
    case RuleOperation::kMakeChildOfLineAbove:
      dispatch.listOperation = [](const Rule& r, LineList& lines, LineBudget& budget, LineOrigins*) {
        return MakeChildOfLineAbove(r, lines, budget);
      };
      break;
    case RuleOperation::kReverseLines:
      dispatch.listOperation = ReverseLines;
      break;
    case RuleOperation::kMoveChildrenLists:
      dispatch.listOperation = MoveChildrenListsToTheirParents;
      break;
    case RuleOperation::kReplaceEveryMatch:
      dispatch.listOperation = [](const Rule& r, LineList& lines, LineBudget& budget, LineOrigins*) {
        return ReplaceEveryMatch(r, lines, budget);
      };
      break;
    case RuleOperation::kReplaceMatchingLines:
      dispatch.listOperation = [](const Rule& r, LineList& lines, LineBudget& budget, LineOrigins*) {
        return ReplaceMatchingLines(r, lines, budget);
      };
      break;
    case RuleOperation::kKeepMatchingLines:
      dispatch.listOperation = [](const Rule& r, LineList& lines, LineBudget& budget, LineOrigins*) {
        return KeepMatchingLines(r, lines, budget);
      };
      break;
    case RuleOperation::kSplitAtEveryMatch:
      dispatch.listOperation = [](const Rule& r, LineList& lines, LineBudget& budget, LineOrigins*) {
        return SplitAtEveryMatch(r, lines, budget);
      };
      break;
    case RuleOperation::kMoveChildrenListsAnyCase:
      dispatch.listOperation = MoveChildrenListsToTheirParentsAnyCase;
      break;
    case RuleOperation::kSplitListAddingText:
      dispatch.listOperation = [](const Rule& r, LineList& lines, LineBudget& budget, LineOrigins*) {
        return SplitListAddingText(r, lines, budget);
      };
      break;
    case RuleOperation::kAddHeadingTextToLinesBelow:
      dispatch.listOperation = AddHeadingTextToLinesBelow;
      break;
    case RuleOperation::kKeepOneLinePerPerson:
      dispatch.listOperation = KeepOneLinePerPerson;
      break;
  }
  return dispatch;
}

// The dispatch of each entry of the rule table, at the entry's position.
const std::array<Dispatch, kCatalogueSize>& DispatchTable() {
  static const std::array<Dispatch, kCatalogueSize> kTable = [] {
    std::array<Dispatch, kCatalogueSize> table;
    for (std::size_t i = 0; i < kCatalogueSize; ++i) {
      table[i] = DispatchOf(RuleCatalogue()[i].operation);
    }
    return table;
  }();
  return kTable;
}

constexpr std::string_view kReplaceEveryCode = "1";

// The bytes a line list holds: the text of its lines and each line's own
// bookkeeping, which is what a list of many short lines costs.
std::size_t SizeOf(const LineList& lines) {
  std::size_t size = 0;
  for (const auto& line : lines) {
    size += line.size() + sizeof(std::string);
  }
  return size;
}

// Ends a run that grew past its limit: the report names the rule, and the
// false answer makes the run drop the lines made so far at once.
bool Stopped(std::size_t position, const Rule& rule, std::size_t growthLimit, RunReport& report) {
  const std::string most = growthLimit < kMebibyte ? std::to_string(growthLimit) + " bytes"
                                                   : std::to_string(growthLimit / kMebibyte) + " MB";
  report.stopped = "Rule " + std::to_string(position + 1) + " (code " + rule.code + ") made the lines grow past " +
                   most + ", the most a run may hold for this text; the run stopped there.";
  return false;
}

// Ends a run that its control stopped, naming the rule it was in; false.
bool Cancelled(std::size_t position, std::size_t rules, RunReport& report) {
  report.cancelled = true;
  report.stopped =
      "The run was cancelled in rule " + std::to_string(position + 1) + " of " + std::to_string(rules) + ".";
  return false;
}

// The codes are compared as text, exactly: only the plain decimal form that
// the rule editor writes selects an operation, so "01", " 1" and "0" select
// none.
const Dispatch* EntryOf(std::string_view code) {
  const CatalogueEntry* entry = CatalogueEntryOf(code);
  return entry ? &DispatchTable()[static_cast<std::size_t>(entry - RuleCatalogue().data())] : nullptr;
}

// The warning for a rule that ran as doing nothing, naming it by its place in
// the rule list (counted from 1), its code and its search text.
std::string RuleWarning(std::size_t position, const Rule& rule, std::string_view problem) {
  return "Rule " + std::to_string(position + 1) + " (code " + rule.code + ", search text \"" + rule.search +
         "\") did nothing: " + std::string(problem);
}

// Cuts a text at every CR LF. An empty text holds no line at all, so a list
// with nothing left in it stays empty instead of gaining one empty line.
LineList CutIntoLines(std::string_view text) {
  if (text.empty()) {
    return {};
  }
  return SplitOn(text, kCrLf);
}

// A line that re-splitting leaves exactly as it is: not empty, and without
// CR or LF.
bool IsPlainLine(const std::string& line) {
  return !line.empty() && line.find('\r') == std::string::npos && line.find('\n') == std::string::npos;
}

// A line list with a mark per line telling whether the line is plain. A run
// keeps the marks from pass to pass, so that only the lines a rule changed
// are looked at again.
struct MarkedLines {
  LineList lines;
  std::vector<bool> plain;

  void Append(std::string line) {
    plain.push_back(IsPlainLine(line));
    lines.push_back(std::move(line));
  }
};

MarkedLines Mark(LineList lines) {
  MarkedLines marked;
  marked.plain.reserve(lines.size());
  for (const auto& line : lines) {
    marked.plain.push_back(IsPlainLine(line));
  }
  marked.lines = std::move(lines);
  return marked;
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

// Which entries of the list before a re-split each line after it holds
// characters of: line j's entries are entries[start[j]] up to the next
// line's start. A traced run follows its lines through the re-split by it.
struct PieceOwners {
  bool unchanged = false;  // the re-split left the list as it was
  std::vector<std::uint32_t> start;
  std::vector<std::uint32_t> entries;

  void Clear() {
    unchanged = false;
    start.clear();
    entries.clear();
  }

  void Add(std::size_t entry) {
    start.push_back(static_cast<std::uint32_t>(entries.size()));
    entries.push_back(static_cast<std::uint32_t>(entry));
  }

  // A line cut from text[begin, end) of `text`. A line that holds no
  // character of any entry (an empty line left between others) counts as
  // coming from `fallback`, the first entry of its run.
  void AddOwned(const OwnedText& text, std::size_t begin, std::size_t end, std::size_t fallback) {
    start.push_back(static_cast<std::uint32_t>(entries.size()));
    text.AppendOwnersOf(begin, end, entries);
    if (entries.size() == start.back()) {
      entries.push_back(static_cast<std::uint32_t>(fallback));
    }
  }
};

// The entries [begin, end) joined as JoinWithoutLfCr joins them, each
// character knowing its entry.
OwnedText JoinOwned(const LineList& lines, std::size_t begin, std::size_t end, bool addEnds) {
  OwnedText joined;
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
// a plain entry alone in its run is moved as it is. Otherwise a lone CR or
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
    if (i == runBegin && list.plain[i]) {
      spare.lines.push_back(std::move(list.lines[i]));
      spare.plain.push_back(true);
      if (owners != nullptr) {
        owners->Add(i);
      }
    } else if (owners != nullptr && i > runBegin) {
      const OwnedText kept = JoinOwned(list.lines, runBegin, i + 1, false);
      if (!kept.Text().empty() || runBegin != begin || i + 1 != end) {
        AppendOwnedPieces(kept, 0, kept.Text().size(), runBegin, spare, *owners);
      }
    } else {
      const std::size_t made = spare.lines.size();
      const std::string kept = JoinWithoutLfCr(list.lines, runBegin, i + 1, false);
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

// A line's text as a traced pass compares it: its size and hash, and the same
// of the line trimmed. Texts with equal keys are taken for equal: that two
// different texts share both a size and a 64-bit hash is too unlikely to
// count.
struct LineKey {
  std::size_t size = 0;
  std::size_t hash = 0;
  std::size_t trimmedSize = 0;
  std::size_t trimmedHash = 0;
};

LineKey KeyOf(std::string_view line) {
  const std::hash<std::string_view> hash;
  LineKey key{line.size(), hash(line), line.size(), 0};
  const std::string_view trimmed = TrimView(line);
  key.trimmedSize = trimmed.size();
  key.trimmedHash = trimmed.size() == line.size() ? key.hash : hash(trimmed);
  return key;
}

// How a line after a pass stands to the line before the pass it goes on
// from, best first.
enum class Likeness : unsigned char { kSame, kTrimmed, kOther, kNone };

// What a traced run keeps besides its lines: their origins, and what each
// pass did.
struct Tracing {
  LineOrigins origins;
  PieceOwners owners;
  std::vector<LineKey> keys;  // of each line before the current pass
  std::vector<RuleEffect> effects;
  // The position of the rule whose lines are marked, and their marks.
  std::optional<std::size_t> markedRule;
  std::vector<LineMark> marks;
  // The lines the pass may have changed: those a rule on single lines gave a
  // new text, or every line of a rule on the whole list. The others keep
  // their text and their key, and are not hashed again.
  std::vector<bool> touched;

  void StartPass(bool wholeList) {
    origins.StartPass();
    touched.assign(origins.sources.size(), wholeList);
  }

  void KeepKeysOf(const LineList& lines) {
    keys.resize(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
      keys[i] = KeyOf(lines[i]);
    }
  }

  // The pass of the rule at `position` has ended with `lines`, re-split.
  // Each line before the pass goes on as at most one line after it: of the
  // lines that hold its characters, the one with its text as it was, else
  // the one with its text trimmed, else the first. Every other line after the
  // pass is made by it.
  void EndPass(std::size_t position, const LineList& lines) {
    const bool marking = markedRule == position;
    if (marking) {
      marks.assign(lines.size(), LineMark::kKept);
    }
    if (owners.unchanged && !origins.reordered) {
      // Every line stayed where it was, one line each: only a touched line
      // can have changed.
      RuleEffect effect;
      for (std::size_t j = 0; j < lines.size(); ++j) {
        if (!touched[j]) {
          continue;
        }
        const LineKey key = KeyOf(lines[j]);
        if (key.size != keys[j].size || key.hash != keys[j].hash) {
          ++effect.changed;
          keys[j] = key;
          if (marking) {
            marks[j] = LineMark::kChanged;
          }
        }
      }
      effects.push_back(effect);
      return;
    }
    FollowResplit();
    after_.resize(lines.size());
    likeness_.assign(keys.size(), Likeness::kNone);
    goesOnAs_.resize(keys.size());
    for (std::size_t j = 0; j < lines.size(); ++j) {
      const LineKey& before = keys[origins.from[j]];
      after_[j] = touched[j] ? KeyOf(lines[j]) : before;
      const Likeness likeness = after_[j].size == before.size && after_[j].hash == before.hash ? Likeness::kSame
                                : after_[j].size == before.trimmedSize && after_[j].hash == before.trimmedHash
                                    ? Likeness::kTrimmed
                                    : Likeness::kOther;
      if (likeness < likeness_[origins.from[j]]) {
        likeness_[origins.from[j]] = likeness;
        goesOnAs_[origins.from[j]] = static_cast<std::uint32_t>(j);
      }
    }
    RuleEffect effect;
    for (std::size_t j = 0; j < lines.size(); ++j) {
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
    keys.swap(after_);
  }

 private:
  // The origins of the lines before the re-split carried to the lines after
  // it: a line holding characters of several entries has the sources of all.
  void FollowResplit() {
    if (owners.unchanged) {
      return;
    }
    const std::size_t count = owners.start.size();
    std::vector<SourceLines>& sources = sources_;
    std::vector<std::uint32_t>& from = from_;
    sources.resize(count);
    from.resize(count);
    std::vector<bool> moved(count);
    std::vector<bool> touched(count);
    for (std::size_t j = 0; j < count; ++j) {
      const std::size_t begin = owners.start[j];
      const std::size_t end = j + 1 < count ? owners.start[j + 1] : owners.entries.size();
      const std::uint32_t first = owners.entries[begin];
      // An entry's sources are moved to the last line that holds it alone.
      const bool lastUse = end - begin == 1 && (j + 1 == count || owners.entries[owners.start[j + 1]] != first);
      sources[j] = lastUse ? std::move(origins.sources[first]) : origins.sources[first];
      for (std::size_t k = begin + 1; k < end; ++k) {
        AddSources(sources[j], origins.sources[owners.entries[k]]);
      }
      from[j] = origins.from[first];
      moved[j] = origins.moved[first];
      // An untouched line is plain, so it is cut nowhere, and a line holding
      // it alone holds its text as it was.
      touched[j] = this->touched[first] || end - begin > 1;
    }
    origins.sources.swap(sources);
    origins.from.swap(from);
    origins.moved = std::move(moved);
    this->touched = std::move(touched);
  }

  // The buffers of the lines after a re-split, kept from pass to pass.
  std::vector<SourceLines> sources_;
  std::vector<std::uint32_t> from_;
  std::vector<LineKey> after_;
  std::vector<Likeness> likeness_;
  std::vector<std::uint32_t> goesOnAs_;
};

// The lines a traced run starts from, with their sources and keys.
MarkedLines TracedInputLines(std::string_view inputText, Tracing& tracing) {
  LineList lines;
  CutInputLines(inputText, lines, tracing.origins.sources);
  tracing.KeepKeysOf(lines);
  return Mark(std::move(lines));
}

// Leaves out the empty lines at the end of a run, as RunRules does, with
// their sources and marks.
void DropEmptyLines(LineList& lines, std::vector<SourceLines>& sources, std::vector<LineMark>* marks) {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].empty()) {
      continue;
    }
    if (kept != i) {
      lines[kept] = std::move(lines[i]);
      sources[kept] = std::move(sources[i]);
      if (marks != nullptr) {
        (*marks)[kept] = (*marks)[i];
      }
    }
    ++kept;
  }
  lines.resize(kept);
  sources.resize(kept);
  if (marks != nullptr) {
    marks->resize(kept);
  }
}

TracedRun Finish(LineList lines, Tracing& tracing) {
  TracedRun run{std::move(lines), std::move(tracing.origins.sources), std::move(tracing.effects)};
  DropEmptyLines(run.lines, run.sources, nullptr);
  return run;
}

// Runs the rules at positions [rules.first, rules.second) of `ruleItems` over
// `list`, the run state carried on from rule to rule. False when the run
// stopped; the report says why. With `tracing`, every pass is followed line
// by line.
bool RunPasses(MarkedLines& list, RunState& state, Tracing* tracing, const std::vector<std::string>& ruleItems,
               std::pair<std::size_t, std::size_t> rules, std::size_t growthLimit, RunWatch& watch, RunReport& report) {
  MarkedLines spare;
  std::size_t size = SizeOf(list.lines);
  for (std::size_t position = rules.first; position < rules.second; ++position) {
    if (!watch.StartRule(position + 1, ruleItems.size())) {
      return Cancelled(position, ruleItems.size(), report);
    }
    const Rule rule = DecodeRuleItem(ruleItems[position]);
    const Dispatch* entry = EntryOf(rule.code);
    if (tracing != nullptr) {
      tracing->StartPass(entry != nullptr && entry->listOperation != nullptr);
    }
    if (entry && entry->operation) {
      const bool multiplies = rule.code == kReplaceEveryCode && rule.replacement.size() > rule.search.size();
      for (std::size_t i = 0; i < list.lines.size(); ++i) {
        if (!watch.GoOn(i, list.lines.size())) {
          return Cancelled(position, ruleItems.size(), report);
        }
        // Replacing every occurrence by a longer text is the one operation
        // that multiplies a line, so its size is counted before the new line
        // is made: a single pass over one line must not fill the memory.
        if (multiplies &&
            size - list.lines[i].size() + ReplaceAllSize(list.lines[i], rule.search, rule.replacement) > growthLimit) {
          return Stopped(position, rule, growthLimit, report);
        }
        if (LineChange changed = entry->operation(rule, list.lines[i], state)) {
          if (tracing != nullptr) {
            tracing->touched[i] = true;
          }
          size = size - list.lines[i].size() + changed->size();
          list.plain[i] = IsPlainLine(*changed);
          list.lines[i] = std::move(*changed);
          if (size > growthLimit) {
            return Stopped(position, rule, growthLimit, report);
          }
        }
      }
    } else if (entry) {
      LineBudget budget(size, growthLimit, &watch);
      const std::string problem =
          entry->listOperation(rule, list.lines, budget, tracing != nullptr ? &tracing->origins : nullptr);
      if (watch.Stopped()) {
        return Cancelled(position, ruleItems.size(), report);
      }
      if (budget.Exceeded()) {
        return Stopped(position, rule, growthLimit, report);
      }
      if (!problem.empty()) {
        report.warnings.push_back(RuleWarning(position, rule, problem));
      }
      list = Mark(std::move(list.lines));
    } else {
      // Only a hand-edited rules file brings an item the engine cannot run;
      // it stays in the list as read, so the run says it was left out.
      report.warnings.push_back(RuleWarning(position, rule, RuleItemProblem(ruleItems[position])));
    }
    // A run re-splits after every rule, so a line made by a rule is first
    // seen by the next rule.
    Resplit(list, spare, tracing != nullptr ? &tracing->owners : nullptr);
    if (tracing != nullptr) {
      tracing->EndPass(position, list.lines);
    }
    size = SizeOf(list.lines);
    if (size > growthLimit) {
      return Stopped(position, rule, growthLimit, report);
    }
  }
  return true;
}

}  // namespace

bool IsBetween(std::int64_t value, std::int64_t lower, std::int64_t upper) {
  return lower < value && value < upper;
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

std::string ApplyRule(const Rule& rule, std::string_view line, RunState& state) {
  const Dispatch* entry = EntryOf(rule.code);
  if (entry && entry->listOperation) {
    LineList lines = {std::string(line)};
    LineBudget unlimited;
    entry->listOperation(rule, lines, unlimited, nullptr);
    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      joined.append(i == 0 ? std::string_view() : kCrLf).append(lines[i]);
    }
    return joined;
  }
  LineChange changed = entry ? entry->operation(rule, line, state) : std::nullopt;
  return changed ? std::move(*changed) : std::string(line);
}

std::string RuleProblem(const Rule& rule) {
  const Dispatch* entry = EntryOf(rule.code);
  if (!entry || !entry->listOperation) {
    return {};
  }
  // On an empty list a rule only prepares itself, which is where it finds
  // what keeps it from running.
  LineList none;
  LineBudget unlimited;
  return entry->listOperation(rule, none, unlimited, nullptr);
}

std::size_t GrowthLimit(std::size_t inputSize) {
  constexpr std::size_t kMost = 1024 * kMebibyte;
  constexpr std::size_t kFactor = 64;
  if (inputSize >= kMost / kFactor) {
    return kMost;
  }
  return std::min(kMost, kFactor * inputSize + 64 * kMebibyte);
}

LineList RunRules(std::string_view inputText, const std::vector<std::string>& ruleItems) {
  RunReport report;
  return RunRules(inputText, ruleItems, report);
}

LineList RunRules(std::string_view inputText, const std::vector<std::string>& ruleItems, RunReport& report) {
  return RunRulesWithin(inputText, ruleItems, report, GrowthLimit(inputText.size()));
}

LineList RunRules(std::string_view inputText, const std::vector<std::string>& ruleItems, RunReport& report,
                  const RunControl& control) {
  return RunRulesWithin(inputText, ruleItems, report, GrowthLimit(inputText.size()), control);
}

LineList RunRulesWithin(std::string_view inputText, const std::vector<std::string>& ruleItems, RunReport& report,
                        std::size_t growthLimit, const RunControl& control) {
  RunWatch watch(control);
  MarkedLines list = Mark(InputLines(inputText));
  // One run state for the whole run: a later rule 31 or 32 continues where
  // an earlier one left off.
  RunState state;
  if (!RunPasses(list, state, nullptr, ruleItems, {0, ruleItems.size()}, growthLimit, watch, report)) {
    return {};
  }
  std::erase_if(list.lines, [](const std::string& line) { return line.empty(); });
  return std::move(list.lines);
}

bool RuleEffect::DidNothing() const {
  return changed == 0 && made == 0 && removed == 0 && moved == 0;
}

TracedRun RunRulesTraced(std::string_view inputText, const std::vector<std::string>& ruleItems, RunReport& report,
                         const RunControl& control) {
  RunWatch watch(control);
  Tracing tracing;
  MarkedLines list = TracedInputLines(inputText, tracing);
  RunState state;
  if (!RunPasses(list, state, &tracing, ruleItems, {0, ruleItems.size()}, GrowthLimit(inputText.size()), watch,
                 report)) {
    return {};
  }
  return Finish(std::move(list.lines), tracing);
}

RuleSteps::RuleSteps(std::string inputText, std::vector<std::string> ruleItems, RunReport& report,
                     const RunControl& control)
    : input_(std::move(inputText)), items_(std::move(ruleItems)) {
  RunWatch watch(control);
  Tracing tracing;
  MarkedLines list = TracedInputLines(input_, tracing);
  RunState state;
  // The checkpoints cut the rule list into equal stretches, so that showing
  // a step re-runs at most one stretch.
  const std::size_t stretch = std::max<std::size_t>(1, (items_.size() + kCheckpoints) / (kCheckpoints + 1));
  for (std::size_t first = 0; first < items_.size(); first += stretch) {
    if (first > 0) {
      checkpoints_.push_back(Pack(first, state, list.lines, tracing.origins.sources));
    }
    const std::size_t last = std::min(items_.size(), first + stretch);
    if (!RunPasses(list, state, &tracing, items_, {first, last}, GrowthLimit(input_.size()), watch, report)) {
      checkpoints_.clear();
      stopped_ = true;
      return;
    }
  }
  run_ = Finish(std::move(list.lines), tracing);
}

RuleSteps::Checkpoint RuleSteps::Pack(std::size_t rulesDone, const RunState& state, const LineList& lines,
                                      const std::vector<SourceLines>& sources) {
  Checkpoint point{rulesDone, state, {}, {}, {}, {}};
  point.text.reserve(SizeOf(lines));
  point.lineEnds.reserve(lines.size());
  point.sourceEnds.reserve(lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    point.text.append(lines[i]);
    point.lineEnds.push_back(point.text.size());
    point.sourceNumbers.insert(point.sourceNumbers.end(), sources[i].begin(), sources[i].end());
    point.sourceEnds.push_back(point.sourceNumbers.size());
  }
  return point;
}

void RuleSteps::Unpack(const Checkpoint& point, LineList& lines, std::vector<SourceLines>& sources) {
  lines.reserve(point.lineEnds.size());
  sources.reserve(point.lineEnds.size());
  std::size_t lineStart = 0;
  std::size_t sourceStart = 0;
  for (std::size_t i = 0; i < point.lineEnds.size(); ++i) {
    lines.emplace_back(point.text, lineStart, point.lineEnds[i] - lineStart);
    sources.emplace_back(point.sourceNumbers.begin() + static_cast<std::ptrdiff_t>(sourceStart),
                         point.sourceNumbers.begin() + static_cast<std::ptrdiff_t>(point.sourceEnds[i]));
    lineStart = point.lineEnds[i];
    sourceStart = point.sourceEnds[i];
  }
}

RuleStep RuleSteps::After(std::size_t rule, const RunControl& control) const {
  if (stopped_ || rule > items_.size()) {
    return {};
  }
  Tracing tracing;
  MarkedLines list;
  RunState state;
  std::size_t first = 0;
  // The last checkpoint before the rule, or else the input text.
  const auto checkpoint = std::find_if(checkpoints_.rbegin(), checkpoints_.rend(),
                                       [rule](const Checkpoint& point) { return point.rulesDone < rule; });
  if (checkpoint == checkpoints_.rend()) {
    list = TracedInputLines(input_, tracing);
  } else {
    first = checkpoint->rulesDone;
    state = checkpoint->state;
    LineList lines;
    Unpack(*checkpoint, lines, tracing.origins.sources);
    tracing.KeepKeysOf(lines);
    list = Mark(std::move(lines));
  }
  RuleStep step;
  if (rule > 0) {
    tracing.markedRule = rule - 1;
    RunWatch watch(control);
    RunReport report;
    if (!RunPasses(list, state, &tracing, items_, {first, rule}, GrowthLimit(input_.size()), watch, report)) {
      return {};
    }
    step.effect = tracing.effects.back();
    step.marks = std::move(tracing.marks);
  } else {
    step.marks.assign(list.lines.size(), LineMark::kKept);
  }
  step.lines = std::move(list.lines);
  step.sources = std::move(tracing.origins.sources);
  DropEmptyLines(step.lines, step.sources, &step.marks);
  return step;
}

}  // namespace quenby
