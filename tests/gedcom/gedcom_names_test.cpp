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

class SplitNameTable : public ::testing::TestWithParam<NameCase> {};

TEST_P(SplitNameTable, GivesThePiecesAndTheNameValue) {
  const NameCase& c = GetParam();
  const NameParts parts = SplitName(c.name);
  EXPECT_EQ(parts.prefix + "|" + parts.given + "|" + parts.surnamePrefix + "|" + parts.surname + "|" + parts.suffix,
            c.pieces)
      << c.name;
  EXPECT_EQ(NameValue(parts), c.value) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Golden, SplitNameTable,
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

// Names are read eight characters at a time: blanks and "/" on either side
// of each eighth character, runs of blanks, a third "/" (part of a word),
// and bytes that differ from a blank or "/" only in their high bit (U+00A0
// and U+00AF end in the bytes A0 and AF) must split as anywhere else.
INSTANTIATE_TEST_SUITE_P(
    EightCharacterBlocks, SplitNameTable,
    ::testing::Values(NameCase{"Abcdefg /Hijklmn/", "Abcdefg /Hijklmn/", "|Abcdefg||Hijklmn|"},
                      NameCase{"Abcdefgh /Ijklmno/", "Abcdefgh /Ijklmno/", "|Abcdefgh||Ijklmno|"},
                      NameCase{"Abcdefg/Hijklmno/ Jr", "Abcdefg /Hijklmno/ Jr", "|Abcdefg||Hijklmno|Jr"},
                      NameCase{"  Anne   Marie  /Ab/ /Cd/ e/f", "Anne Marie /Ab/ /Cd/ e/f", "|Anne Marie||Ab|/Cd/ e/f"},
                      NameCase{"Alexandra Josephine /Wilkinson-Smythe/", "Alexandra Josephine /Wilkinson-Smythe/",
                               "|Alexandra Josephine||Wilkinson-Smythe|"},
                      NameCase{"Z\xC2\xA0Zo\xC3\xAF /Fl\xC2\xAFr/", "Z\xC2\xA0Zo\xC3\xAF /Fl\xC2\xAFr/",
                               "|Z\xC2\xA0Zo\xC3\xAF||Fl\xC2\xAFr|"},
                      NameCase{"Mary Ann Catherine Smith", "Mary Ann Catherine /Smith/",
                               "|Mary Ann Catherine||Smith|"}));

TEST(NameSplitter, GivesEachNameWhatSplitNameGives) {
  // The splitter keeps its buffers from a long name to a short one.
  NameSplitter splitter;
  std::string value;
  for (const char* name : {"Sir Jan Pieter Hendrik Maria van der /Berg/ Jr.", "Ann", "Dr. John /Smith/", "",
                           "Henry /VIII/", "a b c d e f g h i j k l m n o p /q/"}) {
    const NameParts& parts = splitter.Split(name);
    const NameParts alone = SplitName(name);
    EXPECT_EQ(parts.prefix + "|" + parts.given + "|" + parts.surnamePrefix + "|" + parts.surname + "|" + parts.suffix,
              alone.prefix + "|" + alone.given + "|" + alone.surnamePrefix + "|" + alone.surname + "|" + alone.suffix)
        << name;
    WriteNameValue(parts, value);
    EXPECT_EQ(value, NameValue(alone)) << name;
  }
}

}  // namespace
}  // namespace quenby
