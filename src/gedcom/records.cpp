// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/records.hpp"

#include <algorithm>
#include <iterator>
#include <limits>
#include <optional>
#include <utility>

#include "text/text.hpp"

namespace quenby {
namespace {

template <typename... Parts>
void AppendLine(std::string& out, const Parts&... parts) {
  (out.append(parts), ...);
  out.append(kCrLf);
}

// An event line followed by its date and place, each only when given.
void AppendEvent(std::string& out, std::string_view eventLine, const std::string& date, const std::string& place,
                 bool evenWithoutDateOrPlace) {
  if (!evenWithoutDateOrPlace && date.empty() && place.empty()) {
    return;
  }
  AppendLine(out, eventLine);
  if (!date.empty()) {
    AppendLine(out, "2 DATE ", date);
  }
  if (!place.empty()) {
    AppendLine(out, "2 PLAC ", place);
  }
}

// A position outside the list reads as an empty line.
std::string_view LineAt(const PeopleList& people, std::size_t index) {
  return index < people.size() ? std::string_view(people[index]) : std::string_view();
}

// What the marks of a line and its neighbours say about the family it closes.
struct FamilyShape {
  // The partner's person number; 0 for a family without a partner line, -1
  // when the line closes no family.
  std::int64_t partnerNumber = -1;
  // The text every child line starts with; empty for a partner of a parent,
  // whose one child is the next line that is not a parent line.
  std::string childPrefix;
};

// The nearest line above `personIndex` that is a person of the main line
// (neither a spouse nor a parent line) of generation `generation` or less, or
// nothing. Scans upwards; ProcessAll asks an index instead.
std::optional<std::size_t> ScanForMainLineAbove(const PeopleList& people, std::size_t personIndex,
                                                std::size_t generation) {
  for (std::size_t j = personIndex; j-- > 0;) {
    if (!IsParentLine(people[j]) && !IsSpouseLine(people[j]) && GenerationOf(people[j]) <= generation) {
      return j;
    }
  }
  return std::nullopt;
}

// The partner the marks around a spouse line give it, before another
// marriage is followed.
struct SpousePartner {
  // The partner's person number; 0 for none, -1 when the line closes no
  // family.
  std::int64_t number = 0;
  // The partner is itself a spouse line of the same generation: the spouse
  // is another wife or husband of that line's partner.
  bool isEarlierSpouse = false;
};

// The partner of the spouse line at `personIndex`, of generation
// `generation`: the line above it, or the line above its parents' "-" and
// "-&" lines when they stand above it. When that line is of a deeper
// generation (a child of an earlier marriage), the partner is the nearest
// main line above of the spouse's own generation, which
// `mainLineAbove(personIndex, generation)` finds as ScanForMainLineAbove
// does; a shallower one first means the spouse has no partner line. Parent
// lines that are no such pair (a lone "-") leave the partner three lines up,
// whatever that line is.
template <typename MainLineAbove>
SpousePartner PartnerByMarks(const PeopleList& people, std::size_t personIndex, std::size_t generation,
                             const MainLineAbove& mainLineAbove) {
  const auto index = static_cast<std::int64_t>(personIndex);
  const std::string_view above = personIndex == 0 ? std::string_view() : std::string_view(people[personIndex - 1]);
  std::int64_t partner = index;
  if (IsParentLine(above)) {
    if (personIndex < 2 || !IsParentPair(people[personIndex - 2], above)) {
      return {index - 2, false};
    }
    partner = index - 2;
  }
  if (partner < 1) {
    return {partner, false};
  }
  const std::string_view partnerLine = people[static_cast<std::size_t>(partner - 1)];
  const std::size_t partnerGeneration = GenerationOf(partnerLine);
  if (partnerGeneration > generation) {
    const std::optional<std::size_t> person = mainLineAbove(personIndex, generation);
    const bool found = person && GenerationOf(people[*person]) == generation;
    return {found ? static_cast<std::int64_t>(*person) + 1 : 0, false};
  }
  return {partner, partnerGeneration == generation && IsSpouseLine(partnerLine)};
}

// The partner of the spouse line at `personIndex`, following earlier spouse
// lines up to the person they all married. Each step goes up to the line
// above a spouse line or above its parents, and only the last one may scan
// further up, from there; so a question reads each line above a few times at
// most.
std::int64_t ScanForSpousePartner(const PeopleList& people, std::size_t personIndex, std::size_t generation) {
  const auto scan = [&](std::size_t index, std::size_t wanted) { return ScanForMainLineAbove(people, index, wanted); };
  SpousePartner partner = PartnerByMarks(people, personIndex, generation, scan);
  while (partner.isEarlierSpouse) {
    partner = PartnerByMarks(people, static_cast<std::size_t>(partner.number - 1), generation, scan);
    // An earlier spouse that closes no family of its own still leaves this
    // one a family, without a partner.
    partner.number = std::max<std::int64_t>(partner.number, 0);
  }
  return partner.number;
}

// `spousePartner(personIndex, generation)` finds what ScanForSpousePartner
// finds.
template <typename SpousePartnerOf>
FamilyShape ShapeOfFamily(const PeopleList& people, std::size_t personIndex, const SpousePartnerOf& spousePartner) {
  const std::string_view line = LineAt(people, personIndex);
  // The generation marks end at the last "+" of the line, wherever it stands.
  const std::size_t generation = GenerationOf(line);
  const auto index = static_cast<std::int64_t>(personIndex);
  if (IsParentsPartnerLine(line)) {
    // The partner of a parent: the other parent is the line directly above.
    return {index, ""};
  }
  std::string childPrefix(generation + 1, '+');
  if (IsSpouseLine(line)) {
    return {spousePartner(personIndex, generation), std::move(childPrefix)};
  }
  // A main line closes a family of its own only when a child follows it:
  // the character after its generation position in the next line is "+".
  const std::string_view below = LineAt(people, personIndex + 1);
  const std::size_t afterGeneration = OffsetOfCharacter(below, generation);
  const bool childFollows = afterGeneration < below.size() && below[afterGeneration] == '+';
  return {childFollows ? 0 : -1, std::move(childPrefix)};
}

// The family the line at `personIndex` closes, or nothing; `childrenOf(prefix)`
// finds the children whose lines start with the child prefix.
template <typename SpousePartnerOf, typename ChildrenOf>
std::optional<Family> FamilyOf(const PeopleList& people, std::size_t personIndex, const SpousePartnerOf& spousePartner,
                               const ChildrenOf& childrenOf) {
  const FamilyShape shape = ShapeOfFamily(people, personIndex, spousePartner);
  if (shape.partnerNumber < 0) {
    return std::nullopt;
  }
  Family family{personIndex, std::nullopt, childrenOf(shape.childPrefix)};
  if (shape.partnerNumber >= 1) {
    family.partnerLine = static_cast<std::size_t>(shape.partnerNumber - 1);
  }
  return family;
}

// The children of the line at `personIndex`, scanning the lines below it.
std::vector<std::size_t> ScanForChildren(const PeopleList& people, std::size_t personIndex,
                                         std::string_view childPrefix) {
  std::vector<std::size_t> children;
  for (std::size_t j = personIndex + 1; j < people.size(); ++j) {
    const std::string_view line = people[j];
    // Parent lines describe a spouse's parents and are never children.
    if (IsParentLine(line)) {
      continue;
    }
    if (childPrefix.empty()) {
      children.push_back(j);
      break;
    }
    if (!StartsWith(line, childPrefix)) {
      break;
    }
    // The prefix followed by "&" is a child's spouse, followed by "+" a
    // grandchild or deeper: both are passed over.
    const std::string_view rest = line.substr(childPrefix.size());
    if (!StartsWith(rest, "&") && !StartsWith(rest, "+")) {
      children.push_back(j);
    }
  }
  return children;
}

// The children of every family of a list, found without scanning the lines
// below each family again: a list with deep generations or long runs of "-"
// lines would otherwise cost time in proportion to its length for every
// family. Finds exactly the lines that ScanForChildren finds.
class ChildFinder {
 public:
  explicit ChildFinder(const PeopleList& people)
      : count_(people.size()), nextNotParent_(count_ + 1, count_), lastShallower_(count_, kNone) {
    for (std::size_t j = count_; j-- > 0;) {
      nextNotParent_[j] = StartsWith(people[j], "-") ? nextNotParent_[j + 1] : j;
    }
    // Lines other than parent lines whose "+" runs strictly grow from the
    // bottom of the stack up: the top is the nearest shallower line.
    std::vector<std::pair<std::size_t, std::size_t>> shallower;
    for (std::size_t j = 0; j < count_; ++j) {
      const std::string_view line = people[j];
      if (StartsWith(line, "-")) {
        continue;
      }
      const std::size_t run = std::min(line.find_first_not_of('+'), line.size());
      while (!shallower.empty() && shallower.back().first >= run) {
        shallower.pop_back();
      }
      lastShallower_[j] = shallower.empty() ? kNone : shallower.back().second;
      shallower.emplace_back(run, j);
      if (run >= 1 && (run == line.size() || line[run] != '&')) {
        candidates_.emplace_back(run, j);
      }
    }
    std::sort(candidates_.begin(), candidates_.end());
  }

  // What ScanForChildren(people, personIndex, childPrefix) finds for a
  // child prefix that is empty or a run of "+".
  std::vector<std::size_t> Children(std::size_t personIndex, std::size_t prefixLength) const {
    std::vector<std::size_t> children;
    const std::size_t first = nextNotParent_[std::min(personIndex + 1, count_)];
    if (prefixLength == 0) {
      if (first < count_) {
        children.push_back(first);
      }
    } else {
      // A child has exactly the prefix's "+" run; the scan ends at the first
      // line with a shorter run.
      auto it = std::lower_bound(candidates_.begin(), candidates_.end(), std::pair{prefixLength, first});
      for (; it != candidates_.end() && it->first == prefixLength; ++it) {
        const std::size_t shallower = lastShallower_[it->second];
        if (shallower != kNone && shallower >= first) {
          break;
        }
        children.push_back(it->second);
      }
    }
    return children;
  }

 private:
  static constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

  std::size_t count_;
  // For each position, the first line at or below it that is not a parent
  // line ("-"); the list's size when there is none.
  std::vector<std::size_t> nextNotParent_;
  // For each line other than a parent line, the nearest such line above it
  // with a shorter "+" run.
  std::vector<std::size_t> lastShallower_;
  // ("+" run length, position) of every line that is a child of a family
  // whose prefix is that run, sorted.
  std::vector<std::pair<std::size_t, std::size_t>> candidates_;
};

// Finds what ScanForMainLineAbove finds without scanning. It keeps the main
// lines above the line asked about as a stack whose generations grow from the
// bottom up: a nearer main line of the same or a lower generation hides every
// one it covers. ProcessAll asks about its lines in list order, so the stack
// is brought forward to each line once; a question is then a binary search.
class MainLineFinder {
 public:
  explicit MainLineFinder(const PeopleList& people) : people_(people) {}

  // `personIndex` must not be less than in the question before.
  std::optional<std::size_t> Above(std::size_t personIndex, std::size_t generation) {
    for (; next_ < personIndex; ++next_) {
      const std::string_view line = people_[next_];
      if (IsParentLine(line) || IsSpouseLine(line)) {
        continue;
      }
      const std::size_t lineGeneration = GenerationOf(line);
      while (!stack_.empty() && stack_.back().first >= lineGeneration) {
        stack_.pop_back();
      }
      stack_.emplace_back(lineGeneration, next_);
    }
    const auto beyond = std::upper_bound(stack_.begin(), stack_.end(), generation,
                                         [](std::size_t wanted, const auto& entry) { return wanted < entry.first; });
    if (beyond == stack_.begin()) {
      return std::nullopt;
    }
    return std::prev(beyond)->second;
  }

 private:
  const PeopleList& people_;
  std::size_t next_ = 0;
  // (generation, position) of the main lines that no nearer one hides.
  std::vector<std::pair<std::size_t, std::size_t>> stack_;
};

}  // namespace

std::string SexQuestionCaption(std::string_view fullName) {
  return ReplaceAll(fullName, "/", "");
}

std::string PersonIdentifier(std::size_t personIndex) {
  return "I" + std::to_string(personIndex + 1);
}

bool SettleSex(TestVariables& details, const SexQuestion& ask) {
  if (!details[kSex].empty()) {
    return true;
  }
  // Without anyone to ask, the question counts as closed without "Male".
  const SexAnswer answer = ask ? ask(SexQuestionCaption(details[kFullName])) : SexAnswer{"F", false};
  details[kSex] = std::string(answer.sex == "M" ? "M" : "F");
  return answer.stated;
}

std::string BuildIndiRecord(const TestVariables& details, std::size_t personIndex, std::int64_t& nextNoteNumber) {
  std::string out;
  AppendLine(out, "0 @I", std::to_string(personIndex + 1), "@ INDI");
  AppendLine(out, "1 NAME ", details[kFullName]);
  AppendLine(out, "1 SEX ", details[kSex]);
  AppendEvent(out, "1 BIRT", details[kBirthDate], details[kBirthPlace], false);
  AppendEvent(out, "1 DEAT", details[kDeathDate], details[kDeathPlace], false);
  if (!details[kReferences].empty()) {
    AppendLine(out, "1 SOUR @S1@");
    AppendLine(out, "2 PAGE ", details[kReferences]);
  }
  if (!details[kNotes].empty()) {
    const auto note = std::to_string(nextNoteNumber);
    AppendLine(out, "1 NOTE @NI", note, "@");
    AppendLine(out, "0 @NI", note, "@ NOTE");
    AppendLine(out, "1 CONC ", details[kNotes]);
    ++nextNoteNumber;
  }
  AppendLine(out);
  return out;
}

std::optional<Family> FamilyClosedBy(const PeopleList& people, std::size_t personIndex) {
  return FamilyOf(
      people, personIndex,
      [&](std::size_t index, std::size_t generation) { return ScanForSpousePartner(people, index, generation); },
      [&](std::string_view childPrefix) { return ScanForChildren(people, personIndex, childPrefix); });
}

std::vector<Family> FamiliesOf(const PeopleList& people) {
  const ChildFinder children(people);
  MainLineFinder mainLines(people);
  // The partner of every spouse line so far: a later spouse line that
  // follows an earlier one takes its partner from here instead of walking
  // the run of spouse lines again.
  std::vector<std::int64_t> spousePartners(people.size(), 0);
  const auto spousePartner = [&](std::size_t index, std::size_t generation) {
    const SpousePartner partner = PartnerByMarks(people, index, generation, [&](std::size_t above, std::size_t wanted) {
      return mainLines.Above(above, wanted);
    });
    const auto earlier = static_cast<std::size_t>(partner.number - 1);
    return spousePartners[index] =
               partner.isEarlierSpouse ? std::max<std::int64_t>(spousePartners[earlier], 0) : partner.number;
  };
  std::vector<Family> families;
  for (std::size_t i = 0; i < people.size(); ++i) {
    auto family = FamilyOf(people, i, spousePartner,
                           [&](std::string_view childPrefix) { return children.Children(i, childPrefix.size()); });
    if (family) {
      families.push_back(std::move(*family));
    }
  }
  return families;
}

std::string FamRecord(const Family& family, const TestVariables& details, std::int64_t& nextFamNumber) {
  const bool isHusband = details[kSex] == "M";
  std::string out;
  AppendLine(out, "0 @F", std::to_string(nextFamNumber), "@ FAM");
  AppendLine(out, isHusband ? "1 HUSB @I" : "1 WIFE @I", std::to_string(family.closingLine + 1), "@");
  if (family.partnerLine) {
    AppendLine(out, isHusband ? "1 WIFE @I" : "1 HUSB @I", std::to_string(*family.partnerLine + 1), "@");
  }
  // A person without a partner line may still carry a marriage date or
  // place; it is written under its own event line rather than dropped.
  AppendEvent(out, "1 MARR", details[kMarriageDate], details[kMarriagePlace], family.partnerLine.has_value());
  AddChildLines(family.children, out);
  ++nextFamNumber;
  return out;
}

std::string BuildFamRecord(const PeopleList& people, std::size_t personIndex, const TestVariables& details,
                           std::int64_t& nextFamNumber) {
  const auto family = FamilyClosedBy(people, personIndex);
  return family ? FamRecord(*family, details, nextFamNumber) : std::string();
}

void AddChildLines(const std::vector<std::size_t>& children, std::string& out) {
  for (const std::size_t child : children) {
    AppendLine(out, "1 CHIL @I", std::to_string(child + 1), "@");
  }
  AppendLine(out);
}

GeneratedRecords ProcessAll(const PeopleList& people, const SexQuestion& ask, const ProcessProgress& progress) {
  GeneratedRecords records;
  std::size_t listSize = 0;
  for (const auto& line : people) {
    listSize += line.size();
  }
  // Every person gives at least its identifier, name, sex and empty line.
  records.indi.reserve(listSize + people.size() * 48);
  records.fam.reserve(people.size() * 16);
  const std::vector<Family> families = FamiliesOf(people);
  auto nextFamily = families.begin();
  // Once an answer is given for everyone else, nobody later is asked.
  std::optional<SexAnswer> everyoneElse;
  SexQuestion askUntilEveryoneElse;
  if (ask) {
    askUntilEveryoneElse = [&](const std::string& name) {
      if (everyoneElse) {
        return *everyoneElse;
      }
      SexAnswer answer = ask(name);
      if (answer.forEveryoneElse) {
        // Only the person asked was answered; everyone else gets a default.
        everyoneElse = SexAnswer{answer.sex, false, true};
      }
      return answer;
    };
  }
  for (std::size_t i = 0; i < people.size(); ++i) {
    if (progress && !progress(i, people.size())) {
      break;
    }
    TestVariables details = ParsePersonLine(people[i]);
    if (!SettleSex(details, askUntilEveryoneElse)) {
      records.defaultSexIds.push_back(PersonIdentifier(i));
    }
    records.indi += BuildIndiRecord(details, i, records.nextNoteNumber);
    // A line closes at most one family, and the families come in the order
    // of their closing lines.
    if (nextFamily != families.end() && nextFamily->closingLine == i) {
      records.fam += FamRecord(*nextFamily++, details, records.nextFamNumber);
    }
    records.processed = i + 1;
  }
  return records;
}

}  // namespace quenby
