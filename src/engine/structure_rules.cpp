// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/structure_rules.hpp"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "text/letter_case.hpp"
#include "text/text.hpp"

namespace quenby {
namespace {

constexpr std::string_view kFieldStart = "|_";

std::size_t PlusRun(std::string_view line) {
  return std::min(line.find_first_not_of('+'), line.size());
}

bool IsParentLine(std::string_view line) {
  return StartsWith(line, "-");
}

bool IsSpouseLine(std::string_view line) {
  return StartsWith(line.substr(PlusRun(line)), "&");
}

bool IsMainLine(std::string_view line) {
  return !IsParentLine(line) && !IsSpouseLine(line);
}

std::string WithPluses(std::size_t count, std::string_view text) {
  std::string result(count, '+');
  result.append(text);
  return result;
}

// The name a heading of rule 35 is compared with: the text before the first
// field, without the generation, parent and spouse marks, trimmed.
std::string_view NameOf(std::string_view line) {
  std::string_view name = line.substr(0, std::min(line.find(kFieldStart), line.size()));
  name.remove_prefix(PlusRun(name));
  if (StartsWith(name, "-")) {
    name.remove_prefix(1);
  }
  if (StartsWith(name, "&")) {
    name.remove_prefix(1);
  }
  return TrimView(name);
}

// A run of lines that stays together when rule 35 moves it: the lines before
// the first heading, or the lines after one heading.
struct Block {
  LineList lines;
  // For each line, its place in the list before the rule.
  std::vector<std::size_t> places;
  // For each line, the blocks moved to just below it, in list order.
  std::vector<std::vector<std::size_t>> movedBelow;
  // The "+" characters its lines gain: one more than the parent's run.
  std::size_t deeper = 0;

  void Append(std::string line, std::size_t place) {
    lines.push_back(std::move(line));
    places.push_back(place);
    movedBelow.emplace_back();
  }
};

// Where a block of children goes below `parent`: after the spouse and parent
// lines that directly follow the parent, so that the children follow the
// spouse line that closes the family.
std::size_t PlaceBelow(const Block& block, std::size_t parent) {
  const std::size_t run = PlusRun(block.lines[parent]);
  std::size_t place = parent;
  while (place + 1 < block.lines.size()) {
    const std::string_view next = block.lines[place + 1];
    if (!IsParentLine(next) && !(IsSpouseLine(next) && PlusRun(next) == run)) {
      break;
    }
    ++place;
  }
  return place;
}

// The blocks written out depth first, each line after the blocks moved below
// the line before it. The walk keeps its own stack: a list may nest its blocks
// as deep as it has headings. With `origins`, it tells them where each line
// went; the lines of a block moved below its parent are the moved ones.
LineList WriteDepthFirst(std::vector<Block>& blocks, const std::vector<std::size_t>& inPlace, LineBudget& budget,
                         LineOrigins* origins) {
  struct Step {
    std::size_t block;
    std::size_t line;
    std::size_t moved;  // how many of the blocks below the line are written
    std::size_t pluses;
  };
  LineList result;
  std::vector<std::size_t> order;
  std::vector<bool> moved;
  const auto written = [&] {
    if (origins != nullptr) {
      origins->Reorder(order, moved);
    }
    return result;
  };
  std::vector<Step> stack;
  for (const std::size_t top : inPlace) {
    stack.push_back({top, 0, 0, 0});
    while (!stack.empty()) {
      Step& step = stack.back();
      Block& block = blocks[step.block];
      if (step.line == block.lines.size()) {
        stack.pop_back();
        continue;
      }
      if (step.moved == 0) {
        const std::string& line = block.lines[step.line];
        if (!budget.Resize(line.size(), step.pluses + line.size())) {
          return written();
        }
        result.push_back(WithPluses(step.pluses, line));
        if (origins != nullptr) {
          order.push_back(block.places[step.line]);
          moved.push_back(block.deeper > 0);
        }
      }
      if (step.moved < block.movedBelow[step.line].size()) {
        const std::size_t child = block.movedBelow[step.line][step.moved++];
        const std::size_t pluses = step.pluses + blocks[child].deeper;
        stack.push_back({child, 0, 0, pluses});
        continue;
      }
      ++step.line;
      step.moved = 0;
    }
  }
  return written();
}

}  // namespace

std::string MakeChildOfLineAbove(const Rule& rule, LineList& lines, LineBudget& budget) {
  std::optional<std::size_t> mainRun;
  for (std::size_t i = 0; i < lines.size() && budget.GoOn(i, lines.size()); ++i) {
    std::string& line = lines[i];
    const std::string_view text = TrimView(line);
    if (StartsWith(text, rule.search)) {
      const std::size_t pluses = mainRun ? *mainRun + 1 : 0;
      const std::string_view rest = TrimView(text.substr(rule.search.size()));
      if (!budget.Resize(line.size(), pluses + rest.size())) {
        break;
      }
      line = WithPluses(pluses, rest);
    } else if (mainRun && StartsWith(line, "&")) {
      if (!budget.Resize(line.size(), *mainRun + line.size())) {
        break;
      }
      line = WithPluses(*mainRun, line);
    }
    if (IsMainLine(line)) {
      mainRun = PlusRun(line);
    }
  }
  return {};
}

std::string ReverseLines(const Rule&, LineList& lines, LineBudget&, LineOrigins* origins) {
  std::reverse(lines.begin(), lines.end());
  if (origins != nullptr) {
    std::vector<std::size_t> order(lines.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
      order[i] = order.size() - 1 - i;
    }
    // Every line of a list of two or more stands among other lines now.
    origins->Reorder(order, std::vector<bool>(order.size(), order.size() > 1));
  }
  return {};
}

namespace {

// How rules 35 and 36 compare a heading's name with the names of the lines.
enum class NameCase { kExact, kAny };

std::string NameKey(std::string_view name, NameCase nameCase) {
  return nameCase == NameCase::kExact ? std::string(name) : FoldCase(name);
}

std::string MoveChildrenLists(const Rule& rule, LineList& lines, LineBudget& budget, NameCase nameCase,
                              LineOrigins* origins) {
  std::vector<Block> blocks(1);
  std::vector<std::size_t> inPlace = {0};
  // The last line so far with each name: (block, line).
  std::unordered_map<std::string, std::pair<std::size_t, std::size_t>> named;
  std::size_t current = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!budget.GoOn(i, lines.size())) {
      return {};
    }
    std::string& line = lines[i];
    const std::string_view text = TrimView(line);
    if (StartsWith(text, rule.search)) {
      const auto parent = named.find(NameKey(TrimView(text.substr(rule.search.size())), nameCase));
      current = blocks.size();
      blocks.emplace_back();
      if (parent == named.end()) {
        // Nobody above carries the name: the heading and its lines stay.
        inPlace.push_back(current);
        blocks[current].Append(std::move(line), i);
        continue;
      }
      const auto [parentBlock, parentLine] = parent->second;
      Block& above = blocks[parentBlock];
      blocks[current].deeper = PlusRun(above.lines[parentLine]) + 1;
      above.movedBelow[PlaceBelow(above, parentLine)].push_back(current);
      continue;
    }
    named.insert_or_assign(NameKey(NameOf(line), nameCase), std::pair{current, blocks[current].lines.size()});
    blocks[current].Append(std::move(line), i);
  }
  lines = WriteDepthFirst(blocks, inPlace, budget, origins);
  return {};
}

// The fields of a person line, each with its "|_": the texts after the name.
std::vector<std::string_view> FieldsOf(std::string_view line) {
  std::vector<std::string_view> fields;
  for (std::size_t at = line.find(kFieldStart); at != std::string_view::npos;) {
    const std::size_t next = line.find(kFieldStart, at + kFieldStart.size());
    fields.push_back(line.substr(at, next == std::string_view::npos ? std::string_view::npos : next - at));
    at = next;
  }
  return fields;
}

// A field's code: the two characters after its "|_" (fewer when it is short).
std::string_view CodeOf(std::string_view field) {
  return field.substr(kFieldStart.size(), 2);
}

// References and notes may be given any number of times; each other fact once.
bool IsRepeatable(std::string_view code) {
  return code == "R_" || code == "N_";
}

// A line kept by rule 37 and what it holds already: the codes of its facts
// and its repeatable fields whole, read when a later line first joins it.
struct KeptPerson {
  std::size_t line;
  bool read = false;
  std::unordered_set<std::string> codes;
  std::unordered_set<std::string> repeatable;
};

// The later line's fields that the kept line lacks, appended to it.
bool AddMissingFields(KeptPerson& kept, std::string& keptLine, std::string_view later, LineBudget& budget) {
  if (!kept.read) {
    for (const std::string_view field : FieldsOf(keptLine)) {
      kept.codes.emplace(CodeOf(field));
      if (IsRepeatable(CodeOf(field))) {
        kept.repeatable.emplace(field);
      }
    }
    kept.read = true;
  }
  std::string added;
  for (const std::string_view field : FieldsOf(later)) {
    const std::string_view code = CodeOf(field);
    if (IsRepeatable(code) ? kept.repeatable.emplace(field).second : kept.codes.emplace(code).second) {
      added.append(field);
    }
  }
  if (!budget.Resize(keptLine.size(), keptLine.size() + added.size())) {
    return false;
  }
  keptLine.append(added);
  return true;
}

}  // namespace

std::string KeepOneLinePerPerson(const Rule&, LineList& lines, LineBudget& budget, LineOrigins* origins) {
  // The persons of each open family, shallowest first: a line closes the
  // families of every deeper generation, since a deeper line after it
  // belongs to another parent.
  struct Generation {
    std::size_t run;
    std::unordered_map<std::string, KeptPerson> persons;
  };
  std::vector<Generation> open;
  for (std::size_t i = 0; i < lines.size() && budget.GoOn(i, lines.size()); ++i) {
    std::string& line = lines[i];
    const std::size_t run = PlusRun(line);
    while (!open.empty() && open.back().run > run) {
      open.pop_back();
    }
    const std::string_view name = NameOf(line);
    if (name.empty()) {
      continue;
    }
    if (open.empty() || open.back().run < run) {
      open.push_back({run, {}});
    }
    // The marks after the "+" run, then the name in any case.
    const std::string_view marks = std::string_view(line).substr(run, line.find_first_not_of("-&", run) - run);
    const auto [person, isNew] =
        open.back().persons.try_emplace(std::string(marks) + '|' + FoldCase(name), KeptPerson{i, false, {}, {}});
    if (!isNew) {
      if (!AddMissingFields(person->second, lines[person->second.line], line, budget)) {
        break;
      }
      if (origins != nullptr) {
        origins->TakeSources(person->second.line, i);
      }
      line.clear();
    }
  }
  return {};
}

std::string MoveChildrenListsToTheirParents(const Rule& rule, LineList& lines, LineBudget& budget,
                                            LineOrigins* origins) {
  return MoveChildrenLists(rule, lines, budget, NameCase::kExact, origins);
}

std::string MoveChildrenListsToTheirParentsAnyCase(const Rule& rule, LineList& lines, LineBudget& budget,
                                                   LineOrigins* origins) {
  return MoveChildrenLists(rule, lines, budget, NameCase::kAny, origins);
}

}  // namespace quenby
