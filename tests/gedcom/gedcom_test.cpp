// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "gedcom/gedcom_file.hpp"
#include "gedcom/records.hpp"
#include "support/golden_table.hpp"
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

class BuildFamRecordTable : public ::testing::TestWithParam<GoldenRow> {};

TEST_P(BuildFamRecordTable, IsBuiltFromTheMarksOfTheLineAndItsNeighbours) {
  const GoldenRow& c = GetParam();
  const PeopleList people = GoldenLines(c[1]);
  const std::size_t index = std::stoul(c[2]);
  const TestVariables details = ParsePersonLine(index < people.size() ? people[index] : "");
  std::int64_t nextFam = 1;
  EXPECT_EQ(BuildFamRecord(people, index, details, nextFam), ReplaceAll(c[3], "/", kCrLf)) << c.where << ": " << c[0];
  EXPECT_EQ(nextFam, c[3].empty() ? 1 : 2) << c.where;
}

INSTANTIATE_TEST_SUITE_P(Golden, BuildFamRecordTable,
                         ::testing::ValuesIn(ReadGoldenTable("families/fam_record.tsv", 4)));

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

class FamiliesTable : public ::testing::TestWithParam<GoldenRow> {};

// The families are the ones "Process all" writes, in its order.
TEST_P(FamiliesTable, AreTheFamiliesProcessAllWrites) {
  const GoldenRow& c = GetParam();
  const PeopleList people = GoldenLines(c[1]);
  std::vector<std::string> described;
  std::string written;
  std::int64_t nextFam = 1;
  for (const auto& family : FamiliesOf(people)) {
    described.push_back(Describe(family));
    written += FamRecord(family, ParsePersonLine(people[family.closingLine]), nextFam);
  }
  EXPECT_EQ(described, GoldenLines(c[2])) << c.where << ": " << c[0];
  EXPECT_EQ(written, ProcessAll(people, kAnswerFemale).fam) << c.where;
  if (!c[3].empty()) {
    EXPECT_EQ(written, ReplaceAll(c[3], "/", kCrLf)) << c.where;
  }
}

INSTANTIATE_TEST_SUITE_P(Golden, FamiliesTable, ::testing::ValuesIn(ReadGoldenTable("families/families.tsv", 4)));

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
