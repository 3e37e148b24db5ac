// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/problems.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "gedcom/gedcom_dates.hpp"
#include "text/text.hpp"

namespace quenby {
namespace {

// The youngest a parent or a partner in a marriage can be, the oldest a
// mother and a father can be at a birth, and how long after his death a
// father's child may still be born. Ages are differences of years.
constexpr int kYoungestParent = 12;
constexpr int kOldestMother = 55;
constexpr int kOldestFather = 80;
constexpr int kFathersGrace = 1;

// The one year a date names: an exact date, or one that is about,
// calculated or estimated. A range, a date before or after another, and a
// text the standard export does not read as a date give none.
std::optional<int> YearOf(std::string_view date) {
  if (date.empty()) {
    return std::nullopt;
  }
  // Either order of a numeric date names the same year.
  const auto standard = StandardDate(date, DateOrder::kDayFirst);
  if (!standard) {
    return std::nullopt;
  }
  // The year ends every date the reader gives: "12 MAR 1850", "ABT 1850",
  // "CAL 1850", "EST 1850"; it ends a range too, which names no one year.
  const std::string_view text = *standard;
  for (const std::string_view span : {"BET ", "BEF ", "AFT ", "FROM ", "TO "}) {
    if (StartsWith(text, span)) {
      return std::nullopt;
    }
  }
  const std::string_view year = text.substr(text.find_last_of(' ') + 1);
  int value = 0;
  std::from_chars(year.data(), year.data() + year.size(), value);
  return value;
}

enum class Sex { kUnknown, kMale, kFemale };

// The sex the line states: exactly "M" or "F" in its sex field. A sex that
// only a question would give is unknown here.
Sex StatedSex(const TestVariables& details) {
  if (details[kSex] == "M") {
    return Sex::kMale;
  }
  return details[kSex] == "F" ? Sex::kFemale : Sex::kUnknown;
}

Sex Opposite(Sex sex) {
  switch (sex) {
    case Sex::kMale:
      return Sex::kFemale;
    case Sex::kFemale:
      return Sex::kMale;
    case Sex::kUnknown:
      break;
  }
  return Sex::kUnknown;
}

std::string PeopleLine(std::size_t line) {
  return "people line " + std::to_string(line + 1);
}

std::string NameWithoutSlashes(const std::string& fullName) {
  return Trim(ReplaceAll(fullName, "/", ""));
}

// What the checks read of every line, read once.
struct Person {
  std::optional<int> born;
  std::optional<int> died;
  Sex sex = Sex::kUnknown;
};

class Checker {
 public:
  Checker(const PeopleList& people, const std::vector<TestVariables>& details) : people_(people), details_(details) {
    persons_.reserve(details.size());
    for (const auto& d : details) {
      persons_.push_back({YearOf(d[kBirthDate]), YearOf(d[kDeathDate]), StatedSex(d)});
    }
  }

  void CheckLines(const std::vector<Family>& families) {
    // The spouse lines that close a family, with the family they close.
    std::vector<const Family*> closedBy(people_.size(), nullptr);
    for (const auto& family : families) {
      closedBy[family.closingLine] = &family;
    }
    std::optional<std::size_t> above;  // the nearest line above that is no parent line
    for (std::size_t i = 0; i < people_.size(); ++i) {
      const std::string_view line = people_[i];
      if (NameWithoutSlashes(details_[i][kFullName]).empty()) {
        Add(i, "a person with no name");
      }
      CheckParentPair(i);
      if (IsSpouseLine(line)) {
        CheckPartner(i, closedBy[i]);
      }
      if (!IsParentLine(line)) {
        const std::size_t generation = GenerationOf(line);
        if (above && generation >= GenerationOf(people_[*above]) + 2) {
          Add(i, std::to_string(generation - GenerationOf(people_[*above])) + " \"+\" more than " + PeopleLine(*above) +
                     " above it: a jump of more than one generation");
        }
        above = i;
      }
      const Person& person = persons_[i];
      if (person.born && person.died && *person.died < *person.born) {
        Add(i, "died in " + std::to_string(*person.died) + ", before being born in " + std::to_string(*person.born));
      }
    }
  }

  void CheckFamily(const Family& family) {
    const std::array<std::optional<std::size_t>, 2> partners = {family.closingLine, family.partnerLine};
    const Sex closerStated = persons_[family.closingLine].sex;
    const Sex partnerStated = family.partnerLine ? persons_[*family.partnerLine].sex : Sex::kUnknown;
    std::array<Sex, 2> roles = {closerStated, partnerStated};
    if (closerStated != Sex::kUnknown && closerStated == partnerStated) {
      Add(family.closingLine, std::string("stated ") + (closerStated == Sex::kMale ? "male" : "female") +
                                  ", as is the partner on " + PeopleLine(*family.partnerLine));
    }
    // A partner whose sex the line does not state takes the role opposite the
    // other's, as the record of the family gives it.
    if (roles[0] == Sex::kUnknown) {
      roles[0] = Opposite(partnerStated);
    }
    if (roles[1] == Sex::kUnknown) {
      roles[1] = Opposite(closerStated);
    }
    if (const auto married = YearOf(details_[family.closingLine][kMarriageDate])) {
      for (const auto& partner : partners) {
        const auto born = partner ? persons_[*partner].born : std::nullopt;
        if (born && *married - *born < kYoungestParent) {
          Add(*partner, "married in " + std::to_string(*married) + " (" + PeopleLine(family.closingLine) +
                            "), before the age of 12 (born " + std::to_string(*born) + ")");
        }
      }
    }
    for (const std::size_t child : family.children) {
      if (!persons_[child].born) {
        continue;
      }
      for (std::size_t k = 0; k < partners.size(); ++k) {
        if (partners[k]) {
          CheckBirth(child, *partners[k], roles[k]);
        }
      }
    }
    CheckSiblingNames(family);
  }

  std::vector<Problem> Problems() {
    std::stable_sort(problems_.begin(), problems_.end(),
                     [](const Problem& a, const Problem& b) { return a.line < b.line; });
    return std::move(problems_);
  }

 private:
  void Add(std::size_t line, std::string message) { problems_.push_back({line + 1, std::move(message)}); }

  // A "-" line and the "-&" line right below it are the two parents of the
  // spouse who follows; either one alone pairs the wrong persons.
  void CheckParentPair(std::size_t i) {
    const std::string_view line = people_[i];
    if (IsParentsPartnerLine(line)) {
      if (i == 0 || !IsParentPair(people_[i - 1], line)) {
        Add(i, "a \"-&\" line without its \"-\" line above it");
      }
    } else if (IsParentLine(line) && (i + 1 >= people_.size() || !IsParentPair(line, people_[i + 1]))) {
      Add(i, "a \"-\" line without its \"-&\" line below it");
    }
  }

  void CheckPartner(std::size_t i, const Family* family) {
    if (family == nullptr || !family->partnerLine) {
      Add(i, "a spouse line with no partner");
      return;
    }
    const std::size_t partner = *family->partnerLine;
    const std::size_t own = GenerationOf(people_[i]);
    const std::size_t theirs = GenerationOf(people_[partner]);
    if (own != theirs) {
      Add(i, "a spouse line with " + std::to_string(own) + " \"+\" whose partner on " + PeopleLine(partner) + " has " +
                 std::to_string(theirs));
    }
  }

  void CheckBirth(std::size_t child, std::size_t parent, Sex role) {
    const int born = *persons_[child].born;
    const Person& p = persons_[parent];
    const std::string who = role == Sex::kFemale ? "the mother" : role == Sex::kMale ? "the father" : "the parent";
    const std::string onLine = " on " + PeopleLine(parent);
    const std::string bornIn = "born in " + std::to_string(born);
    if (p.born) {
      const int age = born - *p.born;
      if (age < kYoungestParent) {
        Add(child, bornIn + ", before " + who + onLine + " was 12 (born " + std::to_string(*p.born) + ")");
      } else if (role == Sex::kFemale && age > kOldestMother) {
        Add(child, bornIn + ", when " + who + onLine + " was past 55 (born " + std::to_string(*p.born) + ")");
      } else if (role != Sex::kFemale && age > kOldestFather) {
        Add(child, bornIn + ", when " + who + onLine + " was past 80 (born " + std::to_string(*p.born) + ")");
      }
    }
    // A father's child may be born up to a year after his death; whose role
    // is unknown is given the same grace.
    const int grace = role == Sex::kFemale ? 0 : kFathersGrace;
    if (p.died && born > *p.died + grace) {
      Add(child, bornIn + ", after the death of " + who + onLine + " in " + std::to_string(*p.died));
    }
  }

  // Two children of one family with the same name are one person written
  // twice, or a mark that took a child of another family; a child named after
  // a sibling who died before it was born is neither.
  void CheckSiblingNames(const Family& family) {
    std::unordered_map<std::string_view, std::size_t> seen;
    for (const std::size_t child : family.children) {
      if (NameWithoutSlashes(details_[child][kFullName]).empty()) {
        continue;
      }
      const auto [earlier, isNew] = seen.emplace(details_[child][kFullName], child);
      if (isNew) {
        continue;
      }
      const Person& first = persons_[earlier->second];
      const Person& second = persons_[child];
      const bool diedBefore = (first.died && second.born && *first.died <= *second.born) ||
                              (second.died && first.born && *second.died <= *first.born);
      if (!diedBefore) {
        Add(child, "the same name, " + NameWithoutSlashes(details_[child][kFullName]) + ", as the sibling on " +
                       PeopleLine(earlier->second));
      }
      earlier->second = child;
    }
  }

  const PeopleList& people_;
  const std::vector<TestVariables>& details_;
  std::vector<Person> persons_;
  std::vector<Problem> problems_;
};

}  // namespace

std::vector<Problem> ProblemsOf(const PeopleList& people, const std::vector<TestVariables>& details,
                                const std::vector<Family>& families) {
  Checker checker(people, details);
  checker.CheckLines(families);
  for (const auto& family : families) {
    checker.CheckFamily(family);
  }
  return checker.Problems();
}

std::vector<Problem> ProblemsOf(const PeopleList& people) {
  std::vector<TestVariables> details;
  details.reserve(people.size());
  for (const auto& line : people) {
    details.push_back(ParsePersonLine(line));
  }
  return ProblemsOf(people, details, FamiliesOf(people));
}

std::string ProblemText(const Problem& problem) {
  return "people line " + std::to_string(problem.line) + ": " + problem.message;
}

}  // namespace quenby
