// SPDX-License-Identifier: GPL-3.0-or-later
#include "people/person_line.hpp"

#include <vector>

#include "text/text.hpp"

namespace quenby {
namespace {

constexpr std::string_view kFieldSeparator = "|_";
constexpr std::size_t kCodeLength = 2;

// The name part in GEDCOM form. The generation marks ("+", wherever they
// stand), one parent mark "-" and one spouse mark "&" are not part of the
// name; the word after the last space is taken as the surname.
std::string GedcomName(std::string_view namePart) {
  std::string name = Trim(ReplaceAll(namePart, "+", ""));
  if (StartsWith(name, "-")) {
    name.erase(0, 1);
  }
  if (StartsWith(name, "&")) {
    name.erase(0, 1);
  }
  const auto lastSpace = FindLast(name, " ");
  if (lastSpace == kNoOccurrence) {
    return name;
  }
  return name.substr(0, lastSpace + 1) + "/" + name.substr(lastSpace + 1) + "/";
}

// Only a place written wholly in brackets loses them: "(Leeds)" gives
// "Leeds", "London (Kent)" stays as it is. A place that opens a bracket but
// does not close it at its end ("(London) Kent", "(Paris", a lone "(") loses
// only the opening bracket, so every character written after it is kept.
std::string PlaceFromPlacePart(std::string_view placePart) {
  if (!StartsWith(placePart, "(")) {
    return std::string(placePart);
  }
  placePart.remove_prefix(1);
  if (EndsWith(placePart, ")")) {
    placePart.remove_suffix(1);
  }
  return std::string(placePart);
}

// A birth, death or marriage value: the date stands before the first "," or
// "(", the place after it ("12 May 1900, London", "1950 (Paris)"). A value
// with neither is all date and leaves the place that an earlier field of the
// same code may have set.
void SplitDateAndPlace(std::string_view value, std::string& date, std::string& place) {
  const auto separator = value.find_first_of(",(");
  if (separator == std::string_view::npos) {
    date = std::string(value);
    return;
  }
  date = Trim(value.substr(0, separator));
  const auto placePart = value[separator] == ',' ? TrimView(value.substr(separator + 1)) : value.substr(separator);
  place = PlaceFromPlacePart(placePart);
}

// References and notes collect every value of their code in line order, each
// in braces: "{Book 1}, {Book 2}".
void AppendBraced(std::string& list, std::string_view value) {
  if (!list.empty()) {
    list += ", ";
  }
  list += '{';
  list += value;
  list += '}';
}

// Where the generation marks end: right after the last "+" of the line, 0
// when it has none. The marks lead the line and a "+" later in it is rare,
// so the line is searched forwards from one "+" to the next: after the
// leading marks the rest of the line is passed over by one library search
// instead of being walked back a character at a time.
std::size_t GenerationEnd(std::string_view line) {
  std::size_t end = 0;
  for (auto plus = line.find('+'); plus != std::string_view::npos; plus = line.find('+', plus + 1)) {
    end = plus + 1;
  }
  return end;
}

}  // namespace

TestVariables ParsePersonLine(std::string_view line) {
  TestVariables details;
  const std::vector<std::string> pieces = SplitOn(line, kFieldSeparator);
  details[kFullName] = GedcomName(pieces.front());
  for (std::size_t i = 1; i < pieces.size(); ++i) {
    const std::string_view field = pieces[i];
    if (field.size() < kCodeLength) {
      continue;
    }
    const auto code = field.substr(0, kCodeLength);
    const auto value = TrimView(field.substr(kCodeLength));
    if (code == "S_") {
      details[kSex] = std::string(value);
    } else if (code == "B_") {
      SplitDateAndPlace(value, details[kBirthDate], details[kBirthPlace]);
    } else if (code == "D_") {
      SplitDateAndPlace(value, details[kDeathDate], details[kDeathPlace]);
    } else if (code == "M_") {
      SplitDateAndPlace(value, details[kMarriageDate], details[kMarriagePlace]);
    } else if (code == "R_") {
      AppendBraced(details[kReferences], value);
    } else if (code == "N_") {
      AppendBraced(details[kNotes], value);
    }
  }
  return details;
}

std::size_t GenerationOf(std::string_view line) {
  return CharacterCount(line.substr(0, GenerationEnd(line)));
}

std::string_view AfterGeneration(std::string_view line) {
  return line.substr(GenerationEnd(line));
}

bool IsParentLine(std::string_view line) {
  return StartsWith(line, "-");
}

bool IsSpouseLine(std::string_view line) {
  return StartsWith(AfterGeneration(line), "&");
}

bool IsParentsPartnerLine(std::string_view line) {
  return StartsWith(AfterGeneration(line), "-&");
}

bool IsParentPair(std::string_view upper, std::string_view lower) {
  return IsParentLine(upper) && !IsParentsPartnerLine(upper) && IsParentsPartnerLine(lower);
}

}  // namespace quenby
