// SPDX-License-Identifier: GPL-3.0-or-later
// Names as the record text holds them, split into their GEDCOM pieces.

#include <gtest/gtest.h>

#include <string>

#include "gedcom/gedcom_names.hpp"

namespace quenby {
namespace {

struct NameCase {
  std::string name;
  std::string value;   // the NAME values written, " + " between them, each with its type: "Ann /Lee/ (birth)"
  std::string pieces;  // of the first name: "NPFX|GIVN|NICK|SPFX|SURN|NSFX"
};

std::string Pieces(const NameParts& parts) {
  return parts.prefix + "|" + parts.given + "|" + parts.nickname + "|" + parts.surnamePrefix + "|" + parts.surname +
         "|" + parts.suffix;
}

std::string Values(const std::vector<NameParts>& names) {
  std::string out;
  for (const NameParts& parts : names) {
    out += (out.empty() ? "" : " + ") + NameValue(parts);
    switch (parts.type) {
      case NameType::kNone:
        break;
      case NameType::kBirth:
        out += " (birth)";
        break;
      case NameType::kMarried:
        out += " (married)";
        break;
      case NameType::kAka:
        out += " (aka)";
        break;
    }
  }
  return out;
}

class NameSplitterTable : public ::testing::TestWithParam<NameCase> {};

TEST_P(NameSplitterTable, GivesThePiecesAndTheNameValues) {
  const NameCase& c = GetParam();
  NameSplitter splitter;
  const std::vector<NameParts>& names = splitter.Split(c.name);
  ASSERT_FALSE(names.empty());
  EXPECT_EQ(Pieces(names.front()), c.pieces) << c.name;
  EXPECT_EQ(Values(names), c.value) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Golden, NameSplitterTable,
    ::testing::Values(NameCase{"John William /Smith/", "John William /Smith/", "|John William|||Smith|"},
                      NameCase{"William", "William", "|William||||"}, NameCase{"", "", "|||||"},
                      NameCase{"Jan van der /Berg/", "Jan /van der Berg/", "|Jan||van der|Berg|"},
                      NameCase{"Jan /van der Berg/", "Jan /van der Berg/", "|Jan||van der|Berg|"},
                      NameCase{"Ludwig Van /Beethoven/", "Ludwig /Van Beethoven/", "|Ludwig||Van|Beethoven|"},
                      NameCase{"Marie de la /Tour/", "Marie /de la Tour/", "|Marie||de la|Tour|"},
                      NameCase{"Anne du /Pont/", "Anne /du Pont/", "|Anne||du|Pont|"},
                      NameCase{"Otto von /Bismarck/", "Otto /von Bismarck/", "|Otto||von|Bismarck|"},
                      NameCase{"John Smith /Jr./", "John /Smith/ Jr.", "|John|||Smith|Jr."},
                      NameCase{"John /Smith/ Jr.", "John /Smith/ Jr.", "|John|||Smith|Jr."},
                      NameCase{"John Smith /III/", "John /Smith/ III", "|John|||Smith|III"},
                      NameCase{"Tom Jones Sr /II/", "Tom /Jones/ Sr II", "|Tom|||Jones|Sr II"},
                      NameCase{"Henry /VIII/", "Henry VIII", "|Henry||||VIII"},
                      NameCase{"Dr. John /Smith/", "Dr. John /Smith/", "Dr.|John|||Smith|"},
                      NameCase{"Rev Dr Paul /Ek/", "Rev Dr Paul /Ek/", "Rev Dr|Paul|||Ek|"},
                      NameCase{"Sir Jan van /Dijk/ Jr", "Sir Jan /van Dijk/ Jr", "Sir|Jan||van|Dijk|Jr"},
                      NameCase{"Dr. /Smith/", "Dr. /Smith/", "Dr.||||Smith|"}, NameCase{"Sir", "Sir", "|Sir||||"},
                      NameCase{"Jan van der Berg", "Jan /van der Berg/", "|Jan||van der|Berg|"},
                      NameCase{"John V /Smith/", "John V /Smith/", "|John V|||Smith|"},
                      NameCase{"Ren\xC3\xA9 d' /Arc/", "Ren\xC3\xA9 /d' Arc/", "|Ren\xC3\xA9||d'|Arc|"},
                      // A "/" never closed opens the surname; no word is lost.
                      NameCase{"Jo /Ann", "Jo /Ann/", "|Jo|||Ann|"},
                      NameCase{"Jo /van der Berg Jr", "Jo /van der Berg/ Jr", "|Jo||van der|Berg|Jr"},
                      NameCase{"Jo Smith /", "Jo /Smith/", "|Jo|||Smith|"}));

// Blanks, "/" and particles in the less common places.
INSTANTIATE_TEST_SUITE_P(
    OddShapes, NameSplitterTable,
    ::testing::Values(NameCase{"  Anne   Marie  /Ab/ /Cd/ e/f", "Anne Marie /Ab/ Cd e + Anne Marie /Ab/ Cd f (aka)",
                               "|Anne Marie|||Ab|Cd e"},
                      NameCase{"Abcdefg/Hijklmno/ Jr", "Abcdefg /Hijklmno/ Jr", "|Abcdefg|||Hijklmno|Jr"},
                      NameCase{"Z\xC2\xA0Zo\xC3\xAF /Fl\xC2\xAFr/", "Z Zo\xC3\xAF /Fl\xC2\xAFr/",
                               "|Z Zo\xC3\xAF|||Fl\xC2\xAFr|"},
                      // A surname of particles only keeps its last word as the surname.
                      NameCase{"Jan /van der/", "Jan /van der/", "|Jan||van|der|"},
                      NameCase{"Jan van /de/", "Jan /van de/", "|Jan||van|de|"},
                      // Roman numerals are suffixes in capitals only.
                      NameCase{"John Smith iii", "John Smith /iii/", "|John Smith|||iii|"},
                      NameCase{"John Smith /iii/", "John Smith /iii/", "|John Smith|||iii|"},
                      NameCase{"John /Smith/ ii", "John /Smith/ ii", "|John|||Smith|ii"},
                      NameCase{"John Smith Iv", "John Smith /Iv/", "|John Smith|||Iv|"}));

// Blanks of every kind are one space; U+0085, an ellipsis in
// Windows-1252, and the lowest character of each UTF-8 length are letters.
INSTANTIATE_TEST_SUITE_P(Blanks, NameSplitterTable,
                         ::testing::Values(NameCase{"Ann\tMarie\t/Lee/", "Ann Marie /Lee/", "|Ann Marie|||Lee|"},
                                           NameCase{"Ann \t Marie\r\n/Lee/\t", "Ann Marie /Lee/", "|Ann Marie|||Lee|"},
                                           NameCase{"Ann\xE2\x80\x83Marie\xE2\x80\xAF/Lee/\xE3\x80\x80",
                                                    "Ann Marie /Lee/", "|Ann Marie|||Lee|"},
                                           NameCase{"A\xC2\x85"
                                                    "B /Lee/",
                                                    "A\xC2\x85"
                                                    "B /Lee/",
                                                    "|A\xC2\x85"
                                                    "B|||Lee|"},
                                           NameCase{"\xC2\x80 \xE0\xA0\x80 /\xF0\x90\x80\x80/",
                                                    "\xC2\x80 \xE0\xA0\x80 /\xF0\x90\x80\x80/",
                                                    "|\xC2\x80 \xE0\xA0\x80|||\xF0\x90\x80\x80|"}));

// Names as European texts write them.
INSTANTIATE_TEST_SUITE_P(
    European, NameSplitterTable,
    ::testing::Values(
        // No piece ends with a comma.
        NameCase{"Capt. John Smith, /Esq./", "Capt. John /Smith/ Esq.", "Capt.|John|||Smith|Esq."},
        NameCase{"Capt. John Smith, Esq.", "Capt. John /Smith/ Esq.", "Capt.|John|||Smith|Esq."},
        NameCase{"John /Smith,/ Jr.,", "John /Smith/ Jr.", "|John|||Smith|Jr."},
        // Nicknames in parentheses or quotes of any kind.
        NameCase{"Mary (Polly) /Smith/", "Mary /Smith/", "|Mary|Polly||Smith|"},
        NameCase{"Mary \"Polly\" /Smith/", "Mary /Smith/", "|Mary|Polly||Smith|"},
        NameCase{"Thomas (Big Tom) /Ek/", "Thomas /Ek/", "|Thomas|Big Tom||Ek|"},
        NameCase{"Marie \xE2\x80\x9EMia\xE2\x80\x9C /Berg/", "Marie /Berg/", "|Marie|Mia||Berg|"},
        NameCase{"Anna \xC2\xBB"
                 "Anni\xC2\xAB /Holm/",
                 "Anna /Holm/", "|Anna|Anni||Holm|"},
        NameCase{"Mary Smith /(Polly)/", "Mary /Smith/", "|Mary|Polly||Smith|"},
        NameCase{"Mary (Polly /Smith/", "Mary (Polly /Smith/", "|Mary (Polly|||Smith|"},
        // Birth surnames: the first name is the married one.
        NameCase{"Mary Smith n\xC3\xA9"
                 "e /Jones/",
                 "Mary /Smith/ (married) + Mary /Jones/ (birth)", "|Mary|||Smith|"},
        NameCase{"Mary /Smith/ nee Jones", "Mary /Smith/ (married) + Mary /Jones/ (birth)", "|Mary|||Smith|"},
        NameCase{"Anna Maria Schmidt geb. /M\xC3\xBCller/",
                 "Anna Maria /Schmidt/ (married) + Anna Maria /M\xC3\xBCller/ (birth)", "|Anna Maria|||Schmidt|"},
        NameCase{"Anna Schmidt Geborene /Meyer/", "Anna /Schmidt/ (married) + Anna /Meyer/ (birth)",
                 "|Anna|||Schmidt|"},
        NameCase{"Maria de Vries geb. van der /Berg/", "Maria /de Vries/ (married) + Maria /van der Berg/ (birth)",
                 "|Maria||de|Vries|"},
        NameCase{"Kari Olsen f. /Hansen/", "Kari /Olsen/ (married) + Kari /Hansen/ (birth)", "|Kari|||Olsen|"},
        NameCase{"Karin Berg f\xC3\xB6"
                 "dd /Larsdotter/",
                 "Karin /Berg/ (married) + Karin /Larsdotter/ (birth)", "|Karin|||Berg|"},
        NameCase{"Inge Holm f\xC3\xB8"
                 "dt /Jensen/",
                 "Inge /Holm/ (married) + Inge /Jensen/ (birth)", "|Inge|||Holm|"},
        NameCase{"Giulia Rossi nata /Bianchi/", "Giulia /Rossi/ (married) + Giulia /Bianchi/ (birth)",
                 "|Giulia|||Rossi|"},
        NameCase{"Mrs Ann (Nan) Lee born /Hart/", "Mrs Ann /Lee/ (married) + Mrs Ann /Hart/ (birth)",
                 "Mrs|Ann|Nan||Lee|"},
        NameCase{"Ann Lee (n\xC3\xA9"
                 "e Hart)",
                 "Ann /Lee/ (married) + Ann /Hart/ (birth)", "|Ann|||Lee|"},
        NameCase{"Anna n\xC3\xA9"
                 "e /Jones/",
                 "Anna /Jones/ (birth)", "|Anna|||Jones|"},
        // "F." is an initial, and a date after "geb." is no surname.
        NameCase{"John F. /Kennedy/", "John F. /Kennedy/", "|John F.|||Kennedy|"},
        NameCase{"Hans geb. /1850/", "Hans geb. /1850/", "|Hans geb.|||1850|"},
        NameCase{"n\xC3\xA9"
                 "e /Jones/",
                 "n\xC3\xA9"
                 "e /Jones/",
                 "|n\xC3\xA9"
                 "e|||Jones|"},
        // Another surname the person was known by.
        NameCase{"Hans Meyer genannt /Schulte/", "Hans /Meyer/ + Hans /Schulte/ (aka)", "|Hans|||Meyer|"},
        NameCase{"Jean Martin dit /Lafleur/", "Jean /Martin/ + Jean /Lafleur/ (aka)", "|Jean|||Martin|"},
        NameCase{"Hans Meyer (genannt Schulte)", "Hans /Meyer/ + Hans /Schulte/ (aka)", "|Hans|||Meyer|"},
        // A "/" inside a word is another spelling, never the surname.
        NameCase{"Mary/Maria /Smith/", "Mary /Smith/ + Maria /Smith/ (aka)", "|Mary|||Smith|"},
        NameCase{"Mary/Maria Smith", "Mary /Smith/ + Maria /Smith/ (aka)", "|Mary|||Smith|"},
        NameCase{"Jon /Smith/Smyth/", "Jon /Smith/ + Jon /Smyth/ (aka)", "|Jon|||Smith|"},
        NameCase{"Jo/ Ek", "Jo /Ek/", "|Jo|||Ek|"},
        // Patronymics are surnames.
        NameCase{"Anders Olsson", "Anders /Olsson/", "|Anders|||Olsson|"},
        NameCase{"Kari /Hansdatter/", "Kari /Hansdatter/", "|Kari|||Hansdatter|"},
        NameCase{"Gu\xC3\xB0r\xC3\xBAn J\xC3\xB3nsd\xC3\xB3ttir", "Gu\xC3\xB0r\xC3\xBAn /J\xC3\xB3nsd\xC3\xB3ttir/",
                 "|Gu\xC3\xB0r\xC3\xBAn|||J\xC3\xB3nsd\xC3\xB3ttir|"},
        NameCase{"Lars Pedersen Jr", "Lars /Pedersen/ Jr", "|Lars|||Pedersen|Jr"},
        // Particles of these languages.
        NameCase{"Jan van 't /Hof/", "Jan /van 't Hof/", "|Jan||van 't|Hof|"},
        NameCase{"Karl von und zu /Guttenberg/", "Karl /von und zu Guttenberg/", "|Karl||von und zu|Guttenberg|"},
        NameCase{"Pieter in 't /Veld/", "Pieter /in 't Veld/", "|Pieter||in 't|Veld|"},
        NameCase{"Jan op den /Kamp/", "Jan /op den Kamp/", "|Jan||op den|Kamp|"},
        NameCase{"Carl af /Klint/", "Carl /af Klint/", "|Carl||af|Klint|"},
        NameCase{"Ana de los /R\xC3\xADos/", "Ana /de los R\xC3\xADos/", "|Ana||de los|R\xC3\xADos|"},
        NameCase{"Hans auf der /Heide/", "Hans /auf der Heide/", "|Hans||auf der|Heide|"}));

TEST(NameSplitter, KeepsNothingOfTheNameBefore) {
  NameSplitter splitter;
  splitter.Split("Sir Jan Pieter Hendrik Maria van der /Berg/ Jr.");
  splitter.Split(
      "Mary (Polly) Smith n\xC3\xA9"
      "e Jones");
  const std::vector<NameParts>& names = splitter.Split("Ann");
  ASSERT_EQ(names.size(), 1U);
  EXPECT_EQ(Pieces(names.front()), "|Ann||||");
  EXPECT_EQ(names.front().type, NameType::kNone);
}

}  // namespace
}  // namespace quenby
