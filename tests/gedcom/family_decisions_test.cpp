// SPDX-License-Identifier: GPL-3.0-or-later
// The family decisions of the standard exports read directly: which
// partners and children each family keeps, the links each person gets and
// in which order, and whose sex is a default.

#include "gedcom/family_decisions.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "gedcom/record_table.hpp"
#include "support/record_lines.hpp"

namespace quenby {
namespace {

struct Link {
  std::string xref;
  PersonLink::Kind kind;
  bool operator==(const Link&) const = default;
};

class FamilyDecisionsTest : public ::testing::Test {
 protected:
  FamilyDecisions Decide(std::string indi, std::string fam, std::vector<std::string> defaults = {},
                         bool keepSameSexCouples = false) {
    // The table points into the texts it reads.
    indi_ = std::move(indi);
    fam_ = std::move(fam);
    table_ = RecordTable();
    EXPECT_FALSE(table_.Read(indi_, fam_, GedcomVersion::k551).has_value());
    return DecideFamilies(table_, defaults, keepSameSexCouples);
  }

  std::size_t Record(std::string_view xref) const { return table_.Find(xref); }

  // A person's links by the cross-reference they lead to.
  std::vector<Link> LinksOf(const FamilyDecisions& decisions, std::string_view person) const {
    std::vector<Link> links;
    for (const PersonLink& link : decisions.links[Record(person)]) {
      const std::string xref = link.secondFamily ? decisions.secondFamily[link.record].xref
                                                 : std::string(table_.records()[link.record].xref);
      links.push_back({xref, link.kind});
    }
    return links;
  }

  std::vector<std::string> ChildrenOf(const FamilyDecisions& decisions, std::string_view family) const {
    std::vector<std::string> children;
    for (const std::size_t child : decisions.children[Record(family)]) {
      children.emplace_back(table_.records()[child].xref);
    }
    return children;
  }

  std::vector<std::string> PartnersOf(const FamilyDecisions& decisions, std::string_view family) const {
    std::vector<std::string> partners;
    for (const FamilyPartner& partner : decisions.partners[Record(family)]) {
      partners.emplace_back(table_.records()[partner.person].xref);
    }
    return partners;
  }

  std::string indi_;
  std::string fam_;
  RecordTable table_;
};

using Kind = PersonLink::Kind;

// Two cross-references whose hashes agree in the 32 bits the record table
// keeps of them; among some ten thousands of names such a pair is certain.
std::pair<std::string, std::string> XrefsSharingAHash() {
  std::unordered_map<std::uint32_t, std::string> seen;
  for (std::size_t n = 1;; ++n) {
    std::string xref = "I" + std::to_string(n);
    const auto hash = static_cast<std::uint32_t>(std::hash<std::string_view>{}(xref));
    if (const auto [it, fresh] = seen.try_emplace(hash, xref); !fresh) {
      return {it->second, xref};
    }
  }
}

TEST_F(FamilyDecisionsTest, CrossReferencesSharingAHashLeadEachToItsOwnRecord) {
  const auto [first, second] = XrefsSharingAHash();
  const auto decisions =
      Decide(Lines({"0 @" + first + "@ INDI", "1 SEX M", "0 @" + second + "@ INDI", "1 SEX F", "0 @I0@ INDI"}),
             Lines({"0 @F1@ FAM", "1 HUSB @" + second + "@", "1 WIFE @" + first + "@", "1 CHIL @I0@"}));
  EXPECT_EQ(Record(first), 0U);
  EXPECT_EQ(Record(second), 1U);
  EXPECT_EQ(Record("I00"), kNoRecord);
  RecordTable unread;
  EXPECT_EQ(unread.Find(first), kNoRecord);
  const std::string notGedcom = Lines({"0 @I1@ INDI", "2 NAME deeper"});
  EXPECT_TRUE(unread.Read(notGedcom, "", GedcomVersion::k551).has_value());
  EXPECT_EQ(unread.Find("I1"), kNoRecord);
  EXPECT_EQ(PartnersOf(decisions, "F1"), (std::vector<std::string>{second, first}));
  EXPECT_EQ(decisions.sex[Record(second)], Sex::kFemale);
}

TEST_F(FamilyDecisionsTest, EachPersonGetsFamsThenFamcThenAssoLinksInTheOrderOfTheFamilies) {
  // I1 and I2 are two women: I2 moves to a family F1B of her own with F1's
  // children. I1 is also a child of F0 and a partner in F2.
  const auto decisions =
      Decide(Lines({"0 @I1@ INDI", "1 SEX F", "0 @I2@ INDI", "1 SEX F", "0 @I3@ INDI", "1 SEX M", "0 @I4@ INDI",
                    "0 @I5@ INDI", "1 SEX M", "0 @I6@ INDI", "1 SEX M"}),
             Lines({"0 @F0@ FAM", "1 HUSB @I6@", "1 CHIL @I1@", "0 @F1@ FAM", "1 WIFE @I1@", "1 WIFE @I2@",
                    "1 CHIL @I3@", "1 CHIL @I4@", "0 @F2@ FAM", "1 HUSB @I5@", "1 WIFE @I1@"}));
  EXPECT_EQ(LinksOf(decisions, "I1"),
            (std::vector<Link>{{"F1", Kind::kFams}, {"F2", Kind::kFams}, {"F0", Kind::kFamc}, {"I2", Kind::kAsso}}));
  EXPECT_EQ(LinksOf(decisions, "I2"), (std::vector<Link>{{"F1B", Kind::kFams}, {"I1", Kind::kAsso}}));
  EXPECT_EQ(LinksOf(decisions, "I3"), (std::vector<Link>{{"F1", Kind::kFamc}, {"F1B", Kind::kFamc}}));
  EXPECT_EQ(LinksOf(decisions, "I6"), (std::vector<Link>{{"F0", Kind::kFams}}));
  EXPECT_TRUE(LinksOf(decisions, "F1").empty());

  EXPECT_EQ(PartnersOf(decisions, "F1"), (std::vector<std::string>{"I1"}));
  EXPECT_EQ(ChildrenOf(decisions, "F1"), (std::vector<std::string>{"I3", "I4"}));
  EXPECT_EQ(PartnersOf(decisions, "F2"), (std::vector<std::string>{"I5", "I1"}));
  EXPECT_TRUE(ChildrenOf(decisions, "F2").empty());
  EXPECT_EQ(decisions.secondFamily[Record("F1")].xref, "F1B");
  EXPECT_TRUE(decisions.secondFamily[Record("F2")].xref.empty());
  EXPECT_TRUE(decisions.leftOut[table_.records()[Record("F1")].begin + 2]);

  // 7.0 keeps the couple as it stands.
  const auto kept = Decide(Lines({"0 @I1@ INDI", "1 SEX F", "0 @I2@ INDI", "1 SEX F"}),
                           Lines({"0 @F1@ FAM", "1 WIFE @I1@", "1 WIFE @I2@"}), {}, true);
  EXPECT_EQ(PartnersOf(kept, "F1"), (std::vector<std::string>{"I1", "I2"}));
  EXPECT_EQ(LinksOf(kept, "I2"), (std::vector<Link>{{"F1", Kind::kFams}}));
}

TEST_F(FamilyDecisionsTest, AFamilyGivenAgainKeepsOnlyTheMembersOfItsLastText) {
  const auto decisions =
      Decide(Lines({"0 @I1@ INDI", "0 @I2@ INDI", "0 @I3@ INDI"}),
             Lines({"0 @F1@ FAM", "1 HUSB @I1@", "1 CHIL @I2@", "0 @F1@ FAM", "1 HUSB @I1@", "1 CHIL @I3@"}));
  EXPECT_EQ(ChildrenOf(decisions, "F1"), (std::vector<std::string>{"I3"}));
  EXPECT_TRUE(decisions.children[0].empty());
  EXPECT_TRUE(LinksOf(decisions, "I2").empty());
  EXPECT_EQ(LinksOf(decisions, "I1"), (std::vector<Link>{{"F1", Kind::kFams}}));
}

TEST_F(FamilyDecisionsTest, ADefaultSexIsFoundForTheRecordItsCrossReferenceLeadsTo) {
  // I1 is given twice ("Process the test" twice); the default belongs to
  // the second, which takes the opposite of its partner's sex. One id
  // leads nowhere.
  const std::string indi = Lines({"0 @I1@ INDI", "1 SEX M", "0 @N1@ NOTE text", "0 @I2@ INDI", "1 SEX M", "0 @I1@ INDI",
                                  "1 SEX M", "0 @I3@ INDI", "1 SEX M", "0 @I4@ INDI", "1 SEX M"});
  const std::string fam =
      Lines({"0 @F1@ FAM", "1 HUSB @I2@", "1 WIFE @I1@", "0 @F2@ FAM", "1 HUSB @I3@", "1 WIFE @I4@"});
  const auto decisions = Decide(indi, fam, {"I9", "I1", "I4"});
  EXPECT_EQ(decisions.sex[Record("I1")], Sex::kFemale);
  EXPECT_EQ(decisions.sex[0], Sex::kMale);
  EXPECT_EQ(decisions.sex[Record("I4")], Sex::kFemale);
}

}  // namespace
}  // namespace quenby
