// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "gedcom/gedcom_file.hpp"
#include "gedcom/records.hpp"
#include "support/process_in_turn.hpp"
#include "support/record_lines.hpp"
#include "text/text.hpp"

namespace quenby {
namespace {

TestVariables Person(std::string name, std::string sex) {
  TestVariables details;
  details[kFullName] = std::move(name);
  details[kSex] = std::move(sex);
  return details;
}

const SexQuestion kAnswerFemale = [](const std::string&) { return SexAnswer{"F"}; };
const SexQuestion kAskNobody = [](const std::string& name) {
  ADD_FAILURE() << "asked for " << name;
  return SexAnswer{"M"};
};

TEST(BuildIndiRecord, NameAndSexAreWrittenAsTheyStandAndALongNoteWhole) {
  std::int64_t nextNote = 1;
  EXPECT_EQ(BuildIndiRecord(Person("", " "), 9, nextNote), Lines({"0 @I10@ INDI", "1 NAME ", "1 SEX  ", ""}));
  TestVariables details = Person("A", "F");
  details[kNotes] = std::string(600, 'n');
  EXPECT_NE(
      BuildIndiRecord(details, 0, nextNote).find(Lines({"1 NOTE @NI1@", "0 @NI1@ NOTE", "1 CONC " + details[kNotes]})),
      std::string::npos);
  EXPECT_EQ(nextNote, 2);
}

TEST(SettleSex, OnlyExactlyMGivesMAndOnlyAStatedAnswerIsStated) {
  for (const std::string answer : {"M", "m", "Male", ""}) {
    for (const bool stated : {true, false}) {
      TestVariables details = Person("A", "");
      EXPECT_EQ(SettleSex(details, [&](const std::string&) { return SexAnswer{answer, stated}; }), stated);
      EXPECT_EQ(details[kSex], answer == "M" ? "M" : "F") << answer;
    }
  }
  TestVariables details = Person("A", "");
  EXPECT_FALSE(SettleSex(details, SexQuestion{}));
  EXPECT_EQ(details[kSex], "F");
  details[kSex] = "x";
  EXPECT_TRUE(SettleSex(details, kAskNobody));
}

// One case: the people list with its lines joined by "\n", the position of
// the line processed (its own fields give the sex and marriage date), and the
// record with "/" for each CR LF.
struct FamilyCase {
  std::string description;
  std::string people;
  std::size_t personIndex;
  std::string record;
};

const FamilyCase kFamilyCases[] = {
    {"main line before its spouse", "John\n&Mary\n+Tom", 0, ""},
    {"main line with children but no partner", "John|_S_M\n+Tom\n+Ann", 0,
     "0 @F1@ FAM/1 HUSB @I1@/1 CHIL @I2@/1 CHIL @I3@//"},
    {"marriage date without partner is kept under MARR", "John|_S_M|_M_1920\n+Tom", 0,
     "0 @F1@ FAM/1 HUSB @I1@/1 MARR/2 DATE 1920/1 CHIL @I2@//"},
    {"position outside the list", "John\n+Tom", 5, ""},
    {"spouse on the first line has no partner", "&Mary\n+Tom", 0, "0 @F1@ FAM/1 WIFE @I1@/1 CHIL @I2@//"},
    {"spouse on the third line below a parent line has no partner", "John\n-Peter\n&Mary\n+Tom", 2,
     "0 @F1@ FAM/1 WIFE @I3@/1 CHIL @I4@//"},
    {"below a single parent line the partner is the line above the person", "Tom\nJohn\n-Peter\n&Mary", 3,
     "0 @F1@ FAM/1 WIFE @I4@/1 HUSB @I1@/1 MARR//"},
    {"lower-case m makes the person the wife", "John\n&Mary|_S_m", 1, "0 @F1@ FAM/1 WIFE @I2@/1 HUSB @I1@/1 MARR//"},
    {"exactly M makes the person the husband", "Mary\n&John|_S_M|_M_1920", 1,
     "0 @F1@ FAM/1 HUSB @I2@/1 WIFE @I1@/1 MARR/2 DATE 1920//"},
    {"a plus inside the name moves the generation marks", "John\nA+&Ann\n+++Kid\n+Other", 1,
     "0 @F1@ FAM/1 WIFE @I2@/1 HUSB @I1@/1 MARR/1 CHIL @I3@//"},
    {"the scan skips parent lines and passes over spouses and grandchildren", "A\n&B\n+C\n+&D\n++E\n-F\n-&G\n+H\n+\n+&",
     1, "0 @F1@ FAM/1 WIFE @I2@/1 HUSB @I1@/1 MARR/1 CHIL @I3@/1 CHIL @I8@/1 CHIL @I9@//"},
    {"a child after a line of another family is not found", "A\n&B\n+C\nD\n+E", 1,
     "0 @F1@ FAM/1 WIFE @I2@/1 HUSB @I1@/1 MARR/1 CHIL @I3@//"},
    {"partner of a parent: its child is the next line that is no parent line", "-Peter\n-&Ann\n-X\nMary\nOther", 1,
     "0 @F1@ FAM/1 WIFE @I2@/1 HUSB @I1@/1 MARR/1 CHIL @I4@//"},
    {"a second spouse below a child of the first marriage is the person's", "John|_S_M\n&Mary\n+Tom\n+&Eve\n&Ann\n+Kit",
     4, "0 @F1@ FAM/1 WIFE @I5@/1 HUSB @I1@/1 MARR/1 CHIL @I6@//"},
    {"a shallower main line above leaves such a spouse without partner", "A\n++C\n+&E\n++F", 2,
     "0 @F1@ FAM/1 WIFE @I3@/1 CHIL @I4@//"},
    {"generation positions count characters, not bytes", "Zo\xC3\xAB+|_S_M\n+++++X", 0,
     "0 @F1@ FAM/1 HUSB @I1@/1 CHIL @I2@//"},
};

TEST(BuildFamRecord, IsBuiltFromTheMarksOfTheLineAndItsNeighbours) {
  for (const auto& c : kFamilyCases) {
    const PeopleList people = SplitOn(c.people, "\n");
    const TestVariables details = ParsePersonLine(c.personIndex < people.size() ? people[c.personIndex] : "");
    std::int64_t nextFam = 1;
    EXPECT_EQ(BuildFamRecord(people, c.personIndex, details, nextFam), ReplaceAll(c.record, "/", kCrLf))
        << c.description;
    EXPECT_EQ(nextFam, c.record.empty() ? 1 : 2) << c.description;
  }
}

// A family as "closing + partner: children", in person numbers.
std::string Describe(const Family& family) {
  std::string text = std::to_string(family.closingLine + 1);
  if (family.partnerLine) {
    text += "+" + std::to_string(*family.partnerLine + 1);
  }
  text += ":";
  for (const std::size_t child : family.children) {
    text += " " + std::to_string(child + 1);
  }
  return text;
}

struct FamiliesCase {
  std::string description;
  PeopleList people;
  std::vector<std::string> families;
};

const FamiliesCase kFamiliesCases[] = {
    {"parents of a spouse, and two marriages of one person",
     {"John|_S_M", "-Peter|_S_M", "-&Ann|_S_F", "&Mary|_S_F|_M_1920 (Leeds)", "+William|_S_M", "+&Jane", "++Tom",
      "+Elizabeth", "&Kate|_M_1930", "+Kit"},
     {"3+2: 4", "4+1: 5 8", "6+5: 7", "9+1: 10"}},
    {"a lone parent line takes the children below it",
     {"-Xa|_S_F", "+Ann", "+Tom", "John", "&Mary", "+Kid"},
     {"1: 2 3", "5+4: 6"}},
    {"a lone parent line before a spouse leaves the spouse alone", {"John", "-Peter", "&Mary", "+Tom"}, {"3: 4"}},
    {"a spouse with fewer \"+\" than its person has no partner", {"+John", "&Mary", "+Tom"}, {"2: 3"}},
    {"spouses in a row are marriages of the person above them, each with its own children",
     {"John", "&Sarah", "&Prue", "+Pat", "+&Kate", "++Kit", "&Ruth", "&Sue", "+Sol"},
     {"2+1:", "3+1: 4", "5+4: 6", "7+1:", "8+1: 9"}},
    {"three marriages in a row", {"A", "&B", "&C", "&D", "+d"}, {"2+1:", "3+1:", "4+1: 5"}},
    {"a spouse after her parents below children of the first marriage",
     {"H", "&W1", "+K1", "-F", "-&M", "&W2", "+K2"},
     {"2+1: 3", "5+4: 6", "6+1: 7"}},
    {"a lone parent line instead leaves the spouse to the line three up",
     {"H", "&W1", "+K1", "-F", "&W2", "+K2"},
     {"2+1: 3", "5+2: 6"}},
    {"each wife with her parents, one after the other",
     {"H", "-F1", "-&M1", "&W1", "+K1", "-F2", "-&M2", "&W2", "-F3", "-&M3", "&W3", "+K3"},
     {"3+2: 4", "4+1: 5", "7+6: 8", "8+1:", "10+9: 11", "11+1: 12"}},
    {"marriages in a row at a deeper generation",
     {"Root", "+A", "+&B", "++b", "+&C", "-F", "-&M", "+&D", "++d", "+Sib", "+&E"},
     {"1: 2 10", "3+2: 4", "5+2:", "7+6: 8", "8+2: 9", "11+10:"}},
    {"a spouse of another generation is no earlier marriage", {"A", "&B", "+&C", "++c"}, {"2+1:", "3+2: 4"}},
    {"spouses in a row from the first line have no partner", {"&W1", "&W2", "+K"}, {"1:", "2: 3"}},
    {"an earlier spouse that closes no family leaves the next without partner", {"-P", "&W1", "&W2", "+K"}, {"3: 4"}},
    {"a spouse after a spouse below a lone parent line takes that spouse's partner",
     {"A", "B", "-X", "&W1", "&W2"},
     {"4+1:", "5+1:"}},
    {"an empty list", {}, {}},
};

// The families are the ones "Process all" writes, in its order.
TEST(FamiliesOf, AreTheFamiliesProcessAllWrites) {
  for (const auto& c : kFamiliesCases) {
    std::vector<std::string> described;
    std::string written;
    std::int64_t nextFam = 1;
    for (const auto& family : FamiliesOf(c.people)) {
      described.push_back(Describe(family));
      written += FamRecord(family, ParsePersonLine(c.people[family.closingLine]), nextFam);
    }
    EXPECT_EQ(described, c.families) << c.description;
    EXPECT_EQ(written, ProcessAll(c.people, kAnswerFemale).fam) << c.description;
    EXPECT_EQ(written, ProcessInTurn(c.people, kAnswerFemale).fam) << c.description;
  }
}

// The FAM records "Process all" writes for the shapes of several marriages,
// with "/" for each CR LF.
struct MarriagesCase {
  std::string description;
  PeopleList people;
  std::string fam;
};

std::ostream& operator<<(std::ostream& out, const MarriagesCase& c) {
  return out << c.description;
}

class SeveralMarriages : public ::testing::TestWithParam<MarriagesCase> {};

TEST_P(SeveralMarriages, ProcessAllWritesOneFamilyPerMarriage) {
  EXPECT_EQ(ProcessAll(GetParam().people, kAskNobody).fam, ReplaceAll(GetParam().fam, "/", kCrLf));
}

const MarriagesCase kMarriagesCases[] = {
    {"married first Sarah, second Prudence",
     {"John|_S_M", "&Sarah|_S_F|_M_1801", "&Prue|_S_F|_M_1810 (Hadley)", "+Ezra|_S_M", "+Eli|_S_M"},
     "0 @F1@ FAM/1 WIFE @I2@/1 HUSB @I1@/1 MARR/2 DATE 1801//"
     "0 @F2@ FAM/1 WIFE @I3@/1 HUSB @I1@/1 MARR/2 DATE 1810/2 PLAC Hadley/1 CHIL @I4@/1 CHIL @I5@//"},
    {"three husbands in a row, the first without children",
     {"Ann|_S_F", "&Bo|_S_M|_M_1840", "&Cy|_S_M", "+C1|_S_M", "&Di|_S_M", "+D1|_S_F"},
     "0 @F1@ FAM/1 HUSB @I2@/1 WIFE @I1@/1 MARR/2 DATE 1840//"
     "0 @F2@ FAM/1 HUSB @I3@/1 WIFE @I1@/1 MARR/1 CHIL @I4@//"
     "0 @F3@ FAM/1 HUSB @I5@/1 WIFE @I1@/1 MARR/1 CHIL @I6@//"},
    {"a second wife after her parents, below a child of the first marriage",
     {"H|_S_M", "&W1|_S_F", "+K1|_S_M", "-F|_S_M", "-&M|_S_F", "&W2|_S_F|_M_1850", "+K2|_S_F"},
     "0 @F1@ FAM/1 WIFE @I2@/1 HUSB @I1@/1 MARR/1 CHIL @I3@//"
     "0 @F2@ FAM/1 WIFE @I5@/1 HUSB @I4@/1 MARR/1 CHIL @I6@//"
     "0 @F3@ FAM/1 WIFE @I6@/1 HUSB @I1@/1 MARR/2 DATE 1850/1 CHIL @I7@//"},
    {"the same after a lone parent line: the second wife marries the first",
     {"H|_S_M", "&W1|_S_F", "+K1|_S_M", "-F|_S_M", "&W2|_S_F", "+K2|_S_F"},
     "0 @F1@ FAM/1 WIFE @I2@/1 HUSB @I1@/1 MARR/1 CHIL @I3@//"
     "0 @F2@ FAM/1 WIFE @I5@/1 HUSB @I2@/1 MARR/1 CHIL @I6@//"},
};

INSTANTIATE_TEST_SUITE_P(Shapes, SeveralMarriages, ::testing::ValuesIn(kMarriagesCases));

TEST(ProcessAll, AsksOncePerPersonWithoutSexInListOrderAndNothingForAnEmptyList) {
  const PeopleList people = {"John /Smith/ Jr", "Ann Lee|_S_F|_N_x", "&Bo Ek|_S_", "+Kid|_N_y"};
  std::vector<std::string> asked;
  const GeneratedRecords records = ProcessAll(people, [&](const std::string& name) {
    asked.push_back(name);
    return SexAnswer{asked.size() == 1 ? "M" : "F", asked.size() != 2};
  });
  EXPECT_EQ(asked, (std::vector<std::string>{"John Smith Jr", "Bo Ek", "Kid"}));
  EXPECT_NE(records.indi.find(Lines({"0 @I1@ INDI", "1 NAME John /Smith/ /Jr/", "1 SEX M"})), std::string::npos);
  EXPECT_NE(records.fam.find("1 WIFE @I3@\r\n1 HUSB @I2@"), std::string::npos);
  EXPECT_EQ(records.nextNoteNumber, 3);
  EXPECT_EQ(records.nextFamNumber, 2);
  EXPECT_EQ(records.defaultSexIds, std::vector<std::string>{"I3"});
  const GeneratedRecords none = ProcessAll({}, kAskNobody);
  EXPECT_EQ(none.indi + none.fam, "");
  EXPECT_EQ(none.nextFamNumber + none.nextNoteNumber, 2);
}

// An answer for everyone else is the asked person's own answer and a
// default for everyone after: the standard exports infer those.
TEST(ProcessAll, AnAnswerForEveryoneElseIsADefaultForTheOthers) {
  int asked = 0;
  const GeneratedRecords records = ProcessAll({"Ann", "&Bob", "Cy|_S_M", "Dee"}, [&](const std::string&) {
    ++asked;
    return SexAnswer{"M", true, true};
  });
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(records.defaultSexIds, (std::vector<std::string>{"I2", "I4"}));
  EXPECT_EQ(records.indi.find("1 SEX F"), std::string::npos);
}

// A stopped run keeps exactly what processing the persons before the stop
// writes, with its counters.
TEST(ProcessAll, AStoppedRunKeepsTheRecordsOfThePersonsDoneSoFar) {
  const PeopleList people = {"John|_S_M", "&Mary|_S_F|_N_n", "+Ann|_S_F", "+Tom|_S_M"};
  for (std::size_t stop = 0; stop <= people.size(); ++stop) {
    std::vector<std::size_t> told;
    const GeneratedRecords records = ProcessAll(people, kAskNobody, [&](std::size_t processed, std::size_t total) {
      EXPECT_EQ(total, people.size());
      told.push_back(processed);
      return processed < stop;
    });
    const GeneratedRecords before = ProcessAll(PeopleList(people.begin(), people.begin() + stop), kAskNobody);
    EXPECT_EQ(records.processed, stop);
    EXPECT_EQ(told.size(), std::min(stop + 1, people.size()));
    EXPECT_EQ(records.indi, before.indi) << stop;
    EXPECT_EQ(records.nextNoteNumber, before.nextNoteNumber);
  }
}

// "Process all" finds children through an index of the whole list; on any
// list its families and what it writes must be what processing each person
// in turn finds and writes. Every
// character counts as one wherever a position is read: a list written with
// letters outside ASCII around the "+" marks gives the same families as the
// list with each such letter written as "x".
TEST(ProcessAll, WritesWhatProcessingEachPersonInTurnWritesCountingCharactersNotBytes) {
  const std::vector<std::string> pieces = {
      "+", "++", "&", "-", "a", "\xC2\x80", "\xE0\xA0\x80", "\xF0\x90\x80\x80", "\xC3\xA9", " ", "|_S_M"};
  std::mt19937 random(1215);
  for (int round = 0; round < 3000; ++round) {
    PeopleList people(std::uniform_int_distribution<std::size_t>(0, 10)(random));
    PeopleList inAscii;
    for (auto& line : people) {
      for (auto count = std::uniform_int_distribution<int>(1, 5)(random); count > 0; --count) {
        line += pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
      }
      std::string ascii;
      for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
          ascii += c;
        } else if (byte >= 0xC0) {
          ascii += 'x';
        }
      }
      inAscii.push_back(ascii);
    }
    const auto all = ProcessAll(people, kAnswerFemale);
    const GeneratedRecords inTurn = ProcessInTurn(people, kAnswerFemale);
    ASSERT_EQ(all.fam, ProcessAll(inAscii, kAnswerFemale).fam) << ::testing::PrintToString(people);
    ASSERT_EQ(all.fam, inTurn.fam) << ::testing::PrintToString(people);
    ASSERT_EQ(all.indi, inTurn.indi);
    ASSERT_EQ(all.nextFamNumber, inTurn.nextFamNumber);
    ASSERT_EQ(all.defaultSexIds, inTurn.defaultSexIds);
    std::vector<Family> closedInTurn;
    for (std::size_t i = 0; i < people.size(); ++i) {
      if (auto family = FamilyClosedBy(people, i)) {
        closedInTurn.push_back(std::move(*family));
      }
    }
    ASSERT_EQ(FamiliesOf(people), closedInTurn) << ::testing::PrintToString(people);
  }
}

TEST(ProcessAll, LongListsTakeTimeInProportionToTheirLength) {
  // A descendant list of 100,000 people ten generations deep, then lists
  // whose families each pass over long runs of lines: parent lines, and
  // deeper lines below a run of spouse lines that start with "-".
  PeopleList descendants;
  for (std::size_t i = 0; descendants.size() < 100000; ++i) {
    const std::string marks(i % 10, '+');
    descendants.push_back(marks + "Person " + std::to_string(i) + "|_S_M|_B_1900, York|_N_note");
    descendants.push_back(marks + "&Spouse " + std::to_string(i) + "|_S_F|_M_1920 (Leeds)");
  }
  PeopleList parentRuns(50000, "-&Ann|_S_F");
  parentRuns.push_back("Mary");
  PeopleList passedOver(50000, "-+&A|_S_F");
  passedOver.insert(passedOver.end(), 50000, "++++B|_S_M");
  // Second spouses below deep lines, each found above a long run.
  PeopleList marriages(1, "A");
  for (std::size_t i = 0; i < 50000; ++i) {
    marriages.push_back(i % 2 ? "&S" : "+++D");
  }
  // Wives in a row, each after her parents: every one is a wife of the first line.
  PeopleList wives(1, "A");
  for (std::size_t i = 0; i < 20000; ++i) {
    wives.insert(wives.end(), {"-F", "-&M", "&S"});
  }

  const auto records = ProcessAll(descendants, kAnswerFemale);
  const auto parents = ProcessAll(parentRuns, kAnswerFemale);
  const auto deep = ProcessAll(passedOver, kAnswerFemale);
  const auto spouses = ProcessAll(marriages, kAnswerFemale);
  const auto inARow = ProcessAll(wives, kAnswerFemale);

  EXPECT_EQ(records.nextFamNumber, 50001);  // no 16-bit wrap
  EXPECT_NE(parents.fam.find("0 @F50000@ FAM\r\n1 WIFE @I50000@\r\n1 HUSB @I49999@\r\n1 MARR\r\n1 CHIL @I50001@"),
            std::string::npos);
  EXPECT_EQ(deep.nextFamNumber, 50000);
  EXPECT_NE(spouses.fam.find("0 @F25001@ FAM\r\n1 WIFE @I50001@\r\n1 HUSB @I1@\r\n"), std::string::npos);
  EXPECT_NE(inARow.fam.find("0 @F40000@ FAM\r\n1 WIFE @I60001@\r\n1 HUSB @I1@\r\n"), std::string::npos);
}

// The whole file's form is proved by the example files, byte for byte.
TEST(GedcomFileText, TypedRecordsGoInUnchanged) {
  EXPECT_EQ(GedcomFileText("I\r\n", "F\r\n"), GedcomFileText("I\r\nF\r\n", ""));
  // Typed text without a final line break runs on into the source record.
  EXPECT_NE(GedcomFileText("typed", "").find("\r\n\r\ntyped0 @S1@ SOUR\r\n"), std::string::npos);
}

TEST(GedcomFileBytes, FileIsAnsiUnlessACharacterIsOutsideWindows1252) {
  EXPECT_NE(GedcomFileBytes(Lines({"1 NAME Ren\xC3\xA9 \xE2\x82\xAC"}), "").find("1 NAME Ren\xE9 \x80\r\n"),
            std::string::npos);

  // A character outside it makes the whole file UTF-8; only the header line changes.
  const std::string indi = Lines({"1 NAME \xC5\x81ucja /Ren\xC3\xA9/"});
  const std::string fam = Lines({"1 NOTE 1 Char ANSI"});
  std::string expected = GedcomFileText(indi, fam);
  expected.replace(expected.find("1 Char ANSI"), 11, "1 CHAR UTF-8");
  EXPECT_EQ(GedcomFileBytes(indi, fam), expected);
}

}  // namespace
}  // namespace quenby
