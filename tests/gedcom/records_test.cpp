#include "gedcom/records.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "gedcom_test_support.hpp"
#include "text/text.hpp"

namespace quenby {
namespace {

TestVariables Person(std::string name, std::string sex) {
  TestVariables details;
  details[kFullName] = std::move(name);
  details[kSex] = std::move(sex);
  return details;
}

const SexQuestion kAnswerFemale = [](const std::string&) { return std::string("F"); };
const SexQuestion kAskNobody = [](const std::string& name) {
  ADD_FAILURE() << "asked for " << name;
  return std::string("M");
};

TEST(BuildIndiRecord, FullPersonWritesBirthSourceAndNote) {
  TestVariables details = Person("John /Smith/", "M");
  details[kBirthDate] = "1901";
  details[kReferences] = "{p. 12}";
  details[kNotes] = "{Farmer}";
  std::int64_t nextNote = 2;
  EXPECT_EQ(BuildIndiRecord(details, 2, nextNote),
            Lines({"0 @I3@ INDI", "1 NAME John /Smith/", "1 SEX M", "1 BIRT", "2 DATE 1901", "1 SOUR @S1@",
                   "2 PAGE {p. 12}", "1 NOTE @NI2@", "0 @NI2@ NOTE", "1 CONC {Farmer}", ""}));
  EXPECT_EQ(nextNote, 3);
}

TEST(BuildIndiRecord, EachOptionalPartIsWrittenOnlyWhenGivenAndEveryNoteGetsANewNumber) {
  TestVariables details = Person("A", "F");
  details[kBirthPlace] = "York";
  details[kDeathDate] = "1950";
  details[kReferences] = "{x}";
  std::int64_t nextNote = 1;
  EXPECT_EQ(BuildIndiRecord(details, 0, nextNote), Lines({"0 @I1@ INDI", "1 NAME A", "1 SEX F", "1 BIRT", "2 PLAC York",
                                                          "1 DEAT", "2 DATE 1950", "1 SOUR @S1@", "2 PAGE {x}", ""}));
  // Name and sex are written as they stand, even empty or blank.
  EXPECT_EQ(BuildIndiRecord(Person("", " "), 9, nextNote), Lines({"0 @I10@ INDI", "1 NAME ", "1 SEX  ", ""}));
  EXPECT_EQ(nextNote, 1);

  TestVariables withNote = Person("A", "F");
  withNote[kNotes] = std::string(600, 'n');
  EXPECT_EQ(BuildIndiRecord(withNote, 0, nextNote), Lines({"0 @I1@ INDI", "1 NAME A", "1 SEX F", "1 NOTE @NI1@",
                                                           "0 @NI1@ NOTE", "1 CONC " + std::string(600, 'n'), ""}));
  EXPECT_NE(BuildIndiRecord(withNote, 0, nextNote).find("1 NOTE @NI2@\r\n0 @NI2@ NOTE\r\n"), std::string::npos);
  EXPECT_EQ(nextNote, 3);
}

TEST(SettleSex, AsksOnlyForAnEmptySexWithTheNameWithoutSlashesAndOnlyMaleGivesM) {
  for (const auto& [answer, sex] :
       std::vector<std::pair<std::string, std::string>>{{"M", "M"}, {"F", "F"}, {"", "F"}, {"m", "F"}, {"Male", "F"}}) {
    TestVariables details = Person("John /van/ /Smith/", "");
    std::vector<std::string> asked;
    SettleSex(details, [&](const std::string& name) {
      asked.push_back(name);
      return answer;
    });
    EXPECT_EQ(asked, std::vector<std::string>{"John van Smith"});
    EXPECT_EQ(details[kSex], sex) << "answer " << answer;
  }
  TestVariables nobodyAsked = Person("A", "");
  SettleSex(nobodyAsked, SexQuestion{});
  EXPECT_EQ(nobodyAsked[kSex], "F");

  for (const std::string sex : {"M", "x", " ", "Female"}) {
    TestVariables details = Person("A", sex);
    SettleSex(details, kAskNobody);
    EXPECT_EQ(details[kSex], sex);
  }
}

TEST(BuildFamRecord, ParentsSpouseAndChildrenMakeThreeFamilies) {
  const PeopleList people = {
      "John Smith|_S_M",     "-Peter Jones|_S_M", "-&Ann Brown|_S_F", "&Mary Jones|_S_F|_M_1920 (Leeds)",
      "+William Smith|_S_M", "+&Jane Green|_S_F", "++Tom Smith|_S_M", "+Elizabeth Smith|_S_F"};
  const GeneratedRecords records = ProcessAll(people, kAnswerFemale);
  EXPECT_EQ(records.fam, Lines({"0 @F1@ FAM",  "1 WIFE @I3@", "1 HUSB @I2@",
                                "1 MARR",      "1 CHIL @I4@", "",
                                "0 @F2@ FAM",  "1 WIFE @I4@", "1 HUSB @I1@",
                                "1 MARR",      "2 DATE 1920", "2 PLAC Leeds",
                                "1 CHIL @I5@", "1 CHIL @I8@", "",  //
                                "0 @F3@ FAM",  "1 WIFE @I6@", "1 HUSB @I5@",
                                "1 MARR",      "1 CHIL @I7@", ""}));
  EXPECT_EQ(records.nextFamNumber, 4);
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

void PrintTo(const FamilyCase& familyCase, std::ostream* os) {
  *os << familyCase.description;
}

const FamilyCase kFamilyCases[] = {
    {"main line before its spouse", "John\n&Mary\n+Tom", 0, ""},
    {"main line with children but no partner", "John|_S_M\n+Tom\n+Ann", 0,
     "0 @F1@ FAM/1 HUSB @I1@/1 CHIL @I2@/1 CHIL @I3@//"},
    {"marriage date without partner is kept under MARR", "John|_S_M|_M_1920\n+Tom", 0,
     "0 @F1@ FAM/1 HUSB @I1@/1 MARR/2 DATE 1920/1 CHIL @I2@//"},
    {"main line before a sibling", "+John\n+Ann", 0, ""},
    {"main line before a parent line", "John\n-Peter\n+Tom", 0, ""},
    {"main line as the last line", "Ann\nJohn", 1, ""},
    {"position outside the list", "John\n+Tom", 5, ""},
    {"spouse on the first line has no partner", "&Mary\n+Tom", 0, "0 @F1@ FAM/1 WIFE @I1@/1 CHIL @I2@//"},
    {"spouse on the second line below a parent line", "-Peter\n&Mary\n+Tom", 1, ""},
    {"spouse on the third line below a parent line has no partner", "John\n-Peter\n&Mary\n+Tom", 2,
     "0 @F1@ FAM/1 WIFE @I3@/1 CHIL @I4@//"},
    {"below a single parent line the partner is the line above the person", "Tom\nJohn\n-Peter\n&Mary", 3,
     "0 @F1@ FAM/1 WIFE @I4@/1 HUSB @I1@/1 MARR//"},
    {"lower-case m makes the person the wife", "John\n&Mary|_S_m", 1, "0 @F1@ FAM/1 WIFE @I2@/1 HUSB @I1@/1 MARR//"},
    {"Male makes the person the wife", "Mary\n&John|_S_Male", 1, "0 @F1@ FAM/1 WIFE @I2@/1 HUSB @I1@/1 MARR//"},
    {"exactly M makes the person the husband", "Mary\n&John|_S_M|_M_1920", 1,
     "0 @F1@ FAM/1 HUSB @I2@/1 WIFE @I1@/1 MARR/2 DATE 1920//"},
    {"a plus inside the name moves the generation marks", "John\nA+&Ann\n+++Kid\n+Other", 1,
     "0 @F1@ FAM/1 WIFE @I2@/1 HUSB @I1@/1 MARR/1 CHIL @I3@//"},
    {"the scan skips parent lines and passes over spouses and grandchildren", "A\n&B\n+C\n+&D\n++E\n-F\n-&G\n+H\n+\n+&",
     1, "0 @F1@ FAM/1 WIFE @I2@/1 HUSB @I1@/1 MARR/1 CHIL @I3@/1 CHIL @I8@/1 CHIL @I9@//"},
    {"a child after a line of another family is not found", "A\n&B\n+C\nD\n+E", 1,
     "0 @F1@ FAM/1 WIFE @I2@/1 HUSB @I1@/1 MARR/1 CHIL @I3@//"},
    {"a family without children still ends with an empty line", "A\n&B\nC", 1,
     "0 @F1@ FAM/1 WIFE @I2@/1 HUSB @I1@/1 MARR//"},
    {"partner of a parent: its child is the next line that is no parent line", "-Peter\n-&Ann\n-X\nMary\nOther", 1,
     "0 @F1@ FAM/1 WIFE @I2@/1 HUSB @I1@/1 MARR/1 CHIL @I4@//"},
    {"partner of a parent on the first line has no partner", "-&Ann\nMary", 0, "0 @F1@ FAM/1 WIFE @I1@/1 CHIL @I2@//"},
    {"partner of a parent on the last line has no child", "-Peter\n-&Ann", 1,
     "0 @F1@ FAM/1 WIFE @I2@/1 HUSB @I1@/1 MARR//"},
};

class FamilyOfLine : public ::testing::TestWithParam<FamilyCase> {};

TEST_P(FamilyOfLine, IsBuiltFromTheMarksOfTheLineAndItsNeighbours) {
  const auto& param = GetParam();
  const PeopleList people = SplitOn(param.people, "\n");
  const TestVariables details = ParsePersonLine(param.personIndex < people.size() ? people[param.personIndex] : "");
  std::int64_t nextFam = 1;
  EXPECT_EQ(BuildFamRecord(people, param.personIndex, details, nextFam), ReplaceAll(param.record, "/", kCrLf));
  EXPECT_EQ(nextFam, param.record.empty() ? 1 : 2);
}

INSTANTIATE_TEST_SUITE_P(BuildFamRecord, FamilyOfLine, ::testing::ValuesIn(kFamilyCases));

TEST(BuildFamRecord, FamilyNumbersNeverWrap) {
  std::int64_t nextFam = 40000;
  EXPECT_TRUE(BuildFamRecord({"John", "&Mary"}, 1, Person("M", "F"), nextFam).starts_with("0 @F40000@ FAM\r\n"));
  EXPECT_EQ(nextFam, 40001);
}

TEST(ProcessAll, EmptyListGivesNothingAndAsksNothing) {
  const GeneratedRecords records = ProcessAll({}, kAskNobody);
  EXPECT_EQ(records.indi, "");
  EXPECT_EQ(records.fam, "");
  EXPECT_EQ(records.nextFamNumber, 1);
  EXPECT_EQ(records.nextNoteNumber, 1);
}

TEST(ProcessAll, AsksOncePerPersonWithoutSexInListOrder) {
  const PeopleList people = {"John /Smith/ Jr", "Ann Lee|_S_F|_N_x", "&Bo Ek|_S_", "+Kid|_N_y"};
  std::vector<std::string> asked;
  const GeneratedRecords records = ProcessAll(people, [&](const std::string& name) {
    asked.push_back(name);
    return std::string(asked.size() == 1 ? "M" : "F");
  });
  EXPECT_EQ(asked, (std::vector<std::string>{"John Smith Jr", "Bo Ek", "Kid"}));
  EXPECT_NE(records.indi.find(Lines({"0 @I1@ INDI", "1 NAME John /Smith/ /Jr/", "1 SEX M"})), std::string::npos);
  EXPECT_NE(records.fam.find("1 WIFE @I3@\r\n1 HUSB @I2@"), std::string::npos);
  EXPECT_EQ(records.nextNoteNumber, 3);
  EXPECT_EQ(records.nextFamNumber, 2);
}

// "Process all" finds children through an index of the whole list; on any
// list it must write what processing each person in turn writes.
TEST(ProcessAll, WritesWhatProcessingEachPersonInTurnWrites) {
  const std::vector<std::string> shapes = {"A",    "+A",  "++A", "+++A", "&A", "+&A", "++&A", "-A", "-&A",
                                           "-+&A", "+-A", "A+",  "A+&",  "+",  "++",  "&",    "-",  "|_S_M"};
  std::mt19937 random(20240611);
  for (int round = 0; round < 3000; ++round) {
    PeopleList people(std::uniform_int_distribution<std::size_t>(0, 12)(random));
    for (auto& line : people) {
      line = shapes[std::uniform_int_distribution<std::size_t>(0, shapes.size() - 1)(random)];
    }
    GeneratedRecords inTurn;
    for (std::size_t i = 0; i < people.size(); ++i) {
      TestVariables details = ParsePersonLine(people[i]);
      SettleSex(details, kAnswerFemale);
      inTurn.indi += BuildIndiRecord(details, i, inTurn.nextNoteNumber);
      inTurn.fam += BuildFamRecord(people, i, details, inTurn.nextFamNumber);
    }
    const auto all = ProcessAll(people, kAnswerFemale);
    ASSERT_EQ(all.fam, inTurn.fam) << ::testing::PrintToString(people);
    ASSERT_EQ(all.indi, inTurn.indi);
    ASSERT_EQ(all.nextFamNumber, inTurn.nextFamNumber);
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

  const auto start = std::chrono::steady_clock::now();
  const auto records = ProcessAll(descendants, kAnswerFemale);
  const auto parents = ProcessAll(parentRuns, kAnswerFemale);
  const auto deep = ProcessAll(passedOver, kAnswerFemale);
  const auto elapsed = std::chrono::steady_clock::now() - start;

  EXPECT_EQ(records.nextFamNumber, 50001);
  EXPECT_NE(parents.fam.find("0 @F50000@ FAM\r\n1 WIFE @I50000@\r\n1 HUSB @I49999@\r\n1 MARR\r\n1 CHIL @I50001@"),
            std::string::npos);
  EXPECT_EQ(deep.nextFamNumber, 50000);
  // Far more than a linear run needs even in a sanitizer build; rescanning
  // the lines below every family takes close to a minute here.
  EXPECT_LT(elapsed, std::chrono::seconds(20));
}

}  // namespace
}  // namespace quenby
