// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/family_decisions.hpp"

#include <unordered_set>

#include "text/calendar.hpp"
#include "text/text.hpp"

namespace quenby {
namespace {

Sex Opposite(Sex sex) {
  return sex == Sex::kMale ? Sex::kFemale : Sex::kMale;
}

bool IsMaleOrFemale(Sex sex) {
  return sex == Sex::kMale || sex == Sex::kFemale;
}

// The partner and child lines of the families that point to a person, each
// kind in the order of the lines.
void FindMembers(const RecordTable& table, FamilyDecisions& decisions) {
  const auto& lines = table.lines();
  const std::size_t count = table.records().size();
  RecordLists<FamilyPartner>& partners = decisions.partners;
  RecordLists<std::size_t>& children = decisions.children;
  partners.first.resize(count);
  partners.end.resize(count);
  children.first.resize(count);
  children.end.resize(count);
  for (std::size_t family = 0; family < count; ++family) {
    partners.first[family] = partners.items.size();
    children.first[family] = children.items.size();
    const TableRecord& record = table.records()[family];
    if (record.kind == Tag::kFam && record.written) {
      for (std::size_t i = record.begin + 1; i < record.end; ++i) {
        const TableLine& line = lines[i];
        const bool member = line.code == Tag::kHusb || line.code == Tag::kWife || line.code == Tag::kChil;
        if (line.level != 1 || !member || !line.pointer || !table.IsKind(line.target, Tag::kIndi)) {
          continue;
        }
        if (line.code == Tag::kChil) {
          children.items.push_back(line.target);
        } else {
          partners.items.push_back({i, line.target});
        }
      }
    }
    partners.end[family] = partners.items.size();
    children.end[family] = children.items.size();
  }
}

// The sexes the records state; a sex nobody chose is the opposite of a
// partner's chosen one, and partners that disagree leave it unknown.
void FindSexes(const RecordTable& table, const std::vector<std::string>& defaultSexIds, FamilyDecisions& decisions) {
  const std::size_t count = table.records().size();
  decisions.sex.assign(count, Sex::kUnknown);
  std::vector<bool> defaulted(count, false);
  // The persons come in the order of their records, so the record after
  // the one found last is tried before the table is searched. A written
  // record is the one its cross-reference finds.
  std::size_t next = 0;
  for (const auto& id : defaultSexIds) {
    const bool isNext = next < count && table.records()[next].written && table.records()[next].xref == id;
    if (const std::size_t r = isNext ? next : table.Find(id); r != kNoRecord) {
      defaulted[r] = true;
      next = r + 1;
    }
  }
  for (std::size_t r = 0; r < count; ++r) {
    const std::size_t sexLine = table.records()[r].sexLine;
    if (sexLine != kNoRecord && !defaulted[r]) {
      decisions.sex[r] = SexOf(table.lines()[sexLine].value());
    }
  }
  std::vector<Sex> inferred(count, Sex::kUnknown);
  std::vector<bool> conflict(count, false);
  for (std::size_t family = 0; family < count; ++family) {
    const std::span<const FamilyPartner> partners = decisions.partners[family];
    if (partners.size() != 2) {
      continue;
    }
    for (std::size_t k = 0; k < 2; ++k) {
      const std::size_t self = partners[k].person;
      const std::size_t other = partners[1 - k].person;
      // A partner whose sex nobody chose is unknown here.
      const Sex known = decisions.sex[other];
      if (!defaulted[self] || !IsMaleOrFemale(known)) {
        continue;
      }
      if (inferred[self] != Sex::kUnknown && inferred[self] != Opposite(known)) {
        conflict[self] = true;
      }
      inferred[self] = Opposite(known);
    }
  }
  for (std::size_t r = 0; r < count; ++r) {
    if (defaulted[r] && !conflict[r]) {
      decisions.sex[r] = inferred[r];
    }
  }
}

}  // namespace

Sex SexOf(std::string_view value) {
  const auto trimmed = TrimView(value);
  if (EqualsIgnoringAsciiCase(trimmed, "M") || EqualsIgnoringAsciiCase(trimmed, "male")) {
    return Sex::kMale;
  }
  if (EqualsIgnoringAsciiCase(trimmed, "F") || EqualsIgnoringAsciiCase(trimmed, "female")) {
    return Sex::kFemale;
  }
  return EqualsIgnoringAsciiCase(trimmed, "X") ? Sex::kOther : Sex::kUnknown;
}

FamilyDecisions DecideFamilies(const RecordTable& table, const std::vector<std::string>& defaultSexIds,
                               bool keepSameSexCouples) {
  const std::size_t count = table.records().size();
  FamilyDecisions decisions;
  decisions.leftOut.assign(table.lines().size(), false);
  decisions.secondFamily.resize(count);
  FindMembers(table, decisions);
  FindSexes(table, defaultSexIds, decisions);

  // GEDCOM 5.5.1 knows a couple only as husband and wife, and a reader
  // refuses a whole file with a woman as HUSB or a man as WIFE. The second
  // partner of two men or two women leaves the family there for a family
  // of its own with the same children, and the two are linked as
  // associates with the relation "Partner".
  std::vector<std::pair<std::size_t, std::size_t>> associates;  // (person, partner)
  std::unordered_set<std::string> madeXrefs;
  for (std::size_t family = 0; family < count; ++family) {
    const std::span<const FamilyPartner> partners = decisions.partners[family];
    if (keepSameSexCouples || partners.size() != 2) {
      continue;
    }
    const Sex first = decisions.sex[partners[0].person];
    if (IsMaleOrFemale(first) && decisions.sex[partners[1].person] == first) {
      decisions.leftOut[partners[1].line] = true;
      associates.emplace_back(partners[0].person, partners[1].person);
      associates.emplace_back(partners[1].person, partners[0].person);
      std::string xref = std::string(table.records()[family].xref) + "B";
      while (table.Find(xref) != kNoRecord || madeXrefs.count(xref) != 0) {
        xref += 'B';
      }
      madeXrefs.insert(xref);
      decisions.secondFamily[family] = {std::move(xref), partners[1].person};
      --decisions.partners.end[family];
    }
  }

  const auto eachLink = [&](const auto& add) {
    for (std::size_t family = 0; family < count; ++family) {
      for (const FamilyPartner& partner : decisions.partners[family]) {
        add(partner.person, PersonLink{family, PersonLink::Kind::kFams});
      }
      if (!decisions.secondFamily[family].xref.empty()) {
        add(decisions.secondFamily[family].person, PersonLink{family, PersonLink::Kind::kFams, true});
      }
    }
    for (std::size_t family = 0; family < count; ++family) {
      for (const std::size_t person : decisions.children[family]) {
        add(person, PersonLink{family, PersonLink::Kind::kFamc});
        if (!decisions.secondFamily[family].xref.empty()) {
          add(person, PersonLink{family, PersonLink::Kind::kFamc, true});
        }
      }
    }
    for (const auto& [person, partner] : associates) {
      add(person, PersonLink{partner, PersonLink::Kind::kAsso});
    }
  };
  // The links are counted first, so that each person's take their place
  // in the one vector in a second round.
  RecordLists<PersonLink>& links = decisions.links;
  links.end.assign(count, 0);
  eachLink([&links](std::size_t person, const PersonLink&) { ++links.end[person]; });
  links.first.resize(count);
  std::size_t total = 0;
  for (std::size_t person = 0; person < count; ++person) {
    links.first[person] = total;
    total += links.end[person];
    links.end[person] = links.first[person];
  }
  links.items.resize(total);
  eachLink([&links](std::size_t person, const PersonLink& link) { links.items[links.end[person]++] = link; });
  return decisions;
}

std::string_view PartnerTag(const FamilyDecisions& decisions, std::size_t family, std::size_t line, Tag own) {
  const std::string_view ownTag = own == Tag::kHusb ? "HUSB" : "WIFE";
  const std::span<const FamilyPartner> partners = decisions.partners[family];
  if (partners.size() > 2) {
    return ownTag;
  }
  std::size_t self = 0;
  while (self < partners.size() && partners[self].line != line) {
    ++self;
  }
  if (self == partners.size()) {
    return ownTag;
  }
  const Sex mine = decisions.sex[partners[self].person];
  if (partners.size() == 1) {
    return mine == Sex::kMale ? "HUSB" : mine == Sex::kFemale ? "WIFE" : ownTag;
  }
  const Sex theirs = decisions.sex[partners[1 - self].person];
  if (mine != theirs && (mine == Sex::kMale || theirs == Sex::kFemale)) {
    return "HUSB";
  }
  if (mine != theirs && (mine == Sex::kFemale || theirs == Sex::kMale)) {
    return "WIFE";
  }
  return partners[self].person < partners[1 - self].person ? "HUSB" : "WIFE";
}

}  // namespace quenby
