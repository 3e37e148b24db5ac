// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The second step of the standard exports: what the family records say
// about the persons. Each person gets back-links to the families they are
// a partner (FAMS) or a child (FAMC) of; a sex nobody chose is taken from a
// partner's chosen one; and a couple 5.5.1 cannot hold as husband and wife
// (two men or two women) is kept as partners linked to each other (ASSO),
// the second partner in a family of its own with the same children, so that
// no child loses a parent. Partner and child lines that point to no person
// are left out.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "gedcom/record_table.hpp"

namespace quenby {

enum class Sex : char { kMale = 'M', kFemale = 'F', kOther = 'X', kUnknown = 'U' };

// The sex a SEX value states: M, F or X in either case, "male" or "female";
// anything else is unknown.
Sex SexOf(std::string_view value);

// A partner line of a family and the person it points to.
struct FamilyPartner {
  std::size_t line = 0;
  std::size_t person = 0;
};

// A link of a person to a family (FAMS, FAMC) or to a partner (ASSO).
struct PersonLink {
  enum class Kind { kFams, kFamc, kAsso };
  std::size_t record = 0;
  Kind kind = Kind::kFams;
  bool secondFamily = false;  // to the second family made for `record`, not to `record` itself
};

// The family made for the second partner of a couple 5.5.1 cannot hold:
// that partner and the children of the family it was made for.
struct SecondFamily {
  std::string xref;  // empty when the family needs none
  std::size_t person = 0;
};

// A list for each record, all kept in one vector: a long file makes no
// vector for every person and family. The list of record r is items[first[r]]
// up to items[end[r]].
template <typename T>
struct RecordLists {
  std::vector<T> items;
  std::vector<std::size_t> first;
  std::vector<std::size_t> end;

  std::span<const T> operator[](std::size_t record) const {
    return std::span<const T>(items).subspan(first[record], end[record] - first[record]);
  }
};

struct FamilyDecisions {
  std::vector<Sex> sex;                    // by record: the sex written
  RecordLists<FamilyPartner> partners;     // a family's partners, in the order of its lines
  RecordLists<PersonLink> links;           // a person's FAMS, then FAMC, then ASSO links
  std::vector<bool> leftOut;               // by line: a partner line the family does not keep
  std::vector<SecondFamily> secondFamily;  // by record: a family's second family
  RecordLists<std::size_t> children;       // a family's children, in the order of its lines
};

// `defaultSexIds` are the persons ("I3") whose sex nobody chose.
// `keepSameSexCouples` is false for 5.5.1, which knows a couple only as
// husband and wife.
FamilyDecisions DecideFamilies(const RecordTable& table, const std::vector<std::string>& defaultSexIds,
                               bool keepSameSexCouples);

// The HUSB or WIFE tag of partner line `line` of a family: the man is HUSB
// and the woman WIFE whenever the sexes tell them apart; otherwise the
// partner whose person line comes first is HUSB, so that a default answer
// given for everyone decides nothing.
std::string_view PartnerTag(const FamilyDecisions& decisions, std::size_t family, std::size_t line, Tag own);

}  // namespace quenby
