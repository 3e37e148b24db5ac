// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// GEDCOM records built from one person's test variables and the people list:
// INDI with its NOTE, and FAM with its CHIL lines. Every line ends with CR LF.
// The counters are the numbers of the next note and the next family; a
// builder that writes one advances it.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "people/person_line.hpp"

namespace quenby {

using PeopleList = std::vector<std::string>;

// The answer to the sex question for one person.
struct SexAnswer {
  std::string sex;               // "M" or "F": what the test variables and the classic record get
  bool stated = true;            // false when nobody chose: the question was closed without a choice,
                                 // or there was no one to ask
  bool forEveryoneElse = false;  // the same answer for every later person without a sex in this run
};
using SexQuestion = std::function<SexAnswer(const std::string& nameWithoutSlashes)>;

// The name the sex question shows: the full name with every "/" removed.
std::string SexQuestionCaption(std::string_view fullName);

// When the sex is exactly empty, asks and stores "M" (the answer "M") or "F"
// (any other answer). False when the stored sex was taken by default: nobody
// chose it, or there was no one to ask.
bool SettleSex(TestVariables& details, const SexQuestion& ask);

// The identifier of the person at `personIndex` without its "@" marks ("I3"),
// as the list of default sexes names persons.
std::string PersonIdentifier(std::size_t personIndex);

// The INDI record (and NOTE record) of the person at `personIndex`;
// `details[kSex]` is written as it stands.
std::string BuildIndiRecord(const TestVariables& details, std::size_t personIndex, std::int64_t& nextNoteNumber);

// One family as the family builder decides it from the marks of the people
// list. Its record names the closing line's person first, as HUSB when that
// person's sex is exactly "M" and as WIFE otherwise, and the partner second.
struct Family {
  std::size_t closingLine = 0;             // the line that closes it, 0-based
  std::optional<std::size_t> partnerLine;  // none for a person alone with children
  std::vector<std::size_t> children;       // the child lines, in list order

  bool operator==(const Family&) const = default;
};

// The family the line at `personIndex` closes, or nothing.
std::optional<Family> FamilyClosedBy(const PeopleList& people, std::size_t personIndex);

// Every family of the list, in the order of the lines that close them: the
// families "Process all" writes. Time in proportion to the list's length.
std::vector<Family> FamiliesOf(const PeopleList& people);

// The FAM record of `family`; `details` are its closing line's test
// variables, which give the sex and the marriage.
std::string FamRecord(const Family& family, const TestVariables& details, std::int64_t& nextFamNumber);

// The FAM record closed by the line at `personIndex`, or the empty text when
// that line closes no family.
std::string BuildFamRecord(const PeopleList& people, std::size_t personIndex, const TestVariables& details,
                           std::int64_t& nextFamNumber);

// Appends the CHIL lines of the family and the empty line that ends it.
void AddChildLines(const std::vector<std::size_t>& children, std::string& out);

struct GeneratedRecords {
  std::string indi;
  std::string fam;
  std::int64_t nextFamNumber = 1;
  std::int64_t nextNoteNumber = 1;
  std::size_t processed = 0;  // the persons whose records these are
  // The persons ("I3") whose sex was taken by default; the standard exports
  // infer it from a partner or write it as unknown.
  std::vector<std::string> defaultSexIds;
};

// Told how many persons of how many are done; false stops the run there.
using ProcessProgress = std::function<bool(std::size_t processed, std::size_t total)>;

// "Process all": parse, INDI and FAM for every line in list order, counters
// from 1, asking `ask` for every person without a sex until an answer is
// given for everyone else. A run that `progress` stops keeps the records of
// the persons done so far.
GeneratedRecords ProcessAll(const PeopleList& people, const SexQuestion& ask, const ProcessProgress& progress = {});

}  // namespace quenby
