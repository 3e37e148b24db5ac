// SPDX-License-Identifier: GPL-3.0-or-later
// Names as the record text holds them, split into their GEDCOM pieces.

#include <gtest/gtest.h>

#include <string>

#include "gedcom/gedcom_names.hpp"

namespace quenby {
namespace {

struct NameCase {
  std::string name;
  std::string value;   // the NAME value written
  std::string pieces;  // "NPFX|GIVN|SPFX|SURN|NSFX"
};

class NameSplitterTable : public ::testing::TestWithParam<NameCase> {};

TEST_P(NameSplitterTable, GivesThePiecesAndTheNameValue) {
  const NameCase& c = GetParam();
  NameSplitter splitter;
  const NameParts& parts = splitter.Split(c.name);
  EXPECT_EQ(parts.prefix + "|" + parts.given + "|" + parts.surnamePrefix + "|" + parts.surname + "|" + parts.suffix,
            c.pieces)
      << c.name;
  EXPECT_EQ(NameValue(parts), c.value) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Golden, NameSplitterTable,
    ::testing::Values(NameCase{"John William /Smith/", "John William /Smith/", "|John William||Smith|"},
                      NameCase{"William", "William", "|William|||"}, NameCase{"", "", "||||"},
                      NameCase{"Jan van der /Berg/", "Jan /van der Berg/", "|Jan|van der|Berg|"},
                      NameCase{"Jan /van der Berg/", "Jan /van der Berg/", "|Jan|van der|Berg|"},
                      NameCase{"Ludwig Van /Beethoven/", "Ludwig /Van Beethoven/", "|Ludwig|Van|Beethoven|"},
                      NameCase{"Marie de la /Tour/", "Marie /de la Tour/", "|Marie|de la|Tour|"},
                      NameCase{"Anne du /Pont/", "Anne /du Pont/", "|Anne|du|Pont|"},
                      NameCase{"Otto von /Bismarck/", "Otto /von Bismarck/", "|Otto|von|Bismarck|"},
                      NameCase{"John Smith /Jr./", "John /Smith/ Jr.", "|John||Smith|Jr."},
                      NameCase{"John /Smith/ Jr.", "John /Smith/ Jr.", "|John||Smith|Jr."},
                      NameCase{"John Smith /III/", "John /Smith/ III", "|John||Smith|III"},
                      NameCase{"Tom Jones Sr /II/", "Tom /Jones/ Sr II", "|Tom||Jones|Sr II"},
                      NameCase{"Henry /VIII/", "Henry VIII", "|Henry|||VIII"},
                      NameCase{"Dr. John /Smith/", "Dr. John /Smith/", "Dr.|John||Smith|"},
                      NameCase{"Rev Dr Paul /Ek/", "Rev Dr Paul /Ek/", "Rev Dr|Paul||Ek|"},
                      NameCase{"Sir Jan van /Dijk/ Jr", "Sir Jan /van Dijk/ Jr", "Sir|Jan|van|Dijk|Jr"},
                      NameCase{"Dr. /Smith/", "Dr. /Smith/", "Dr.|||Smith|"}, NameCase{"Sir", "Sir", "|Sir|||"},
                      NameCase{"Jan van der Berg", "Jan /van der Berg/", "|Jan|van der|Berg|"},
                      NameCase{"John V /Smith/", "John V /Smith/", "|John V||Smith|"},
                      NameCase{"Ren\xC3\xA9 d' /Arc/", "Ren\xC3\xA9 /d' Arc/", "|Ren\xC3\xA9|d'|Arc|"},
                      // A "/" never closed opens the surname; no word is lost.
                      NameCase{"Jo /Ann", "Jo /Ann/", "|Jo||Ann|"},
                      NameCase{"Jo /van der Berg Jr", "Jo /van der Berg/ Jr", "|Jo|van der|Berg|Jr"},
                      NameCase{"Jo Smith /", "Jo /Smith/", "|Jo||Smith|"}));

// Blanks, "/" and particles in the less common places.
INSTANTIATE_TEST_SUITE_P(
    OddShapes, NameSplitterTable,
    ::testing::Values(NameCase{"  Anne   Marie  /Ab/ /Cd/ e/f", "Anne Marie /Ab/ /Cd/ e/f", "|Anne Marie||Ab|/Cd/ e/f"},
                      NameCase{"Abcdefg/Hijklmno/ Jr", "Abcdefg /Hijklmno/ Jr", "|Abcdefg||Hijklmno|Jr"},
                      NameCase{"Z\xC2\xA0Zo\xC3\xAF /Fl\xC2\xAFr/", "Z\xC2\xA0Zo\xC3\xAF /Fl\xC2\xAFr/",
                               "|Z\xC2\xA0Zo\xC3\xAF||Fl\xC2\xAFr|"},
                      // A surname of particles only keeps its last word as the surname.
                      NameCase{"Jan /van der/", "Jan /van der/", "|Jan|van|der|"},
                      NameCase{"Jan van /de/", "Jan /van de/", "|Jan|van|de|"},
                      // Roman numerals are suffixes in capitals only.
                      NameCase{"John Smith iii", "John Smith /iii/", "|John Smith||iii|"},
                      NameCase{"John Smith /iii/", "John Smith /iii/", "|John Smith||iii|"},
                      NameCase{"John /Smith/ ii", "John /Smith/ ii", "|John||Smith|ii"},
                      NameCase{"John Smith Iv", "John Smith /Iv/", "|John Smith||Iv|"}));

TEST(NameSplitter, KeepsNothingOfTheNameBefore) {
  NameSplitter splitter;
  splitter.Split("Sir Jan Pieter Hendrik Maria van der /Berg/ Jr.");
  const NameParts& parts = splitter.Split("Ann");
  EXPECT_EQ(parts.prefix + "|" + parts.given + "|" + parts.surnamePrefix + "|" + parts.surname + "|" + parts.suffix,
            "|Ann|||");
}

}  // namespace
}  // namespace quenby
