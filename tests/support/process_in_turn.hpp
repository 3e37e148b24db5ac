// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// "Process all" done the plain way: parse, settle the sex, then the INDI and
// FAM records of each person in list order, each family's children found by
// scanning the lines below it. ProcessAll must write exactly the same.

#include "gedcom/records.hpp"

namespace quenby {

inline GeneratedRecords ProcessInTurn(const PeopleList& people, const SexQuestion& ask) {
  GeneratedRecords records;
  for (std::size_t i = 0; i < people.size(); ++i) {
    TestVariables details = ParsePersonLine(people[i]);
    if (!SettleSex(details, ask)) {
      records.defaultSexIds.push_back("I" + std::to_string(i + 1));
    }
    records.indi += BuildIndiRecord(details, i, records.nextNoteNumber);
    records.fam += BuildFamRecord(people, i, details, records.nextFamNumber);
  }
  return records;
}

}  // namespace quenby
