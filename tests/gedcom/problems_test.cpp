// SPDX-License-Identifier: GPL-3.0-or-later
// The problems of a people list: one small list per kind, the edges of every
// age and year, and lists that are sound and must give none at all.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/engine.hpp"
#include "gedcom/problems.hpp"
#include "rules/rules_file.hpp"
#include "support/file_test.hpp"
#include "text/encoding.hpp"
#include "text/text.hpp"

namespace quenby {
namespace {

// Each problem as "line: message".
std::vector<std::string> Listed(const PeopleList& people) {
  std::vector<std::string> listed;
  for (const auto& problem : ProblemsOf(people)) {
    listed.push_back(std::to_string(problem.line) + ": " + problem.message);
  }
  return listed;
}

struct ProblemCase {
  std::string description;
  PeopleList people;
  std::vector<std::string> problems;
};

std::ostream& operator<<(std::ostream& out, const ProblemCase& c) {
  return out << c.description;
}

class Problems : public ::testing::TestWithParam<ProblemCase> {};

TEST_P(Problems, AreListedWithTheirPeopleLine) {
  EXPECT_EQ(Listed(GetParam().people), GetParam().problems);
}

const ProblemCase kProblemCases[] = {
    {"no name", {"John", "+|_B_1900", "+&  |_S_F"}, {"2: a person with no name", "3: a person with no name"}},
    {"spouse with fewer \"+\" than its person", {"+John|_S_M", "&Mary"}, {"2: a spouse line with no partner"}},
    {"spouse of another generation",
     {"John", "+&Mary"},
     {"2: a spouse line with 1 \"+\" whose partner on people line 1 has 0"}},
    {"spouse shallower than its partner after a lone \"-\"",
     {"+A", "++B", "++C", "-P", "+&D"},
     {"4: a \"-\" line without its \"-&\" line below it",
      "5: a spouse line with 1 \"+\" whose partner on people line 2 has 2"}},
    {"a second wife after a lone \"-\" below the children of the first",
     {"H|_S_M", "&W1|_S_F", "+K1", "-F", "&W2|_S_F", "+K2"},
     {"4: a \"-\" line without its \"-&\" line below it", "5: stated female, as is the partner on people line 2"}},
    {"lone \"-\" before a spouse",
     {"John", "-Peter", "&Mary", "+Tom"},
     {"2: a \"-\" line without its \"-&\" line below it", "3: a spouse line with no partner"}},
    {"lone \"-\" taking the children below it",
     {"-Xa", "+Ann", "+Tom"},
     {"1: a \"-\" line without its \"-&\" line below it"}},
    {"lone \"-\" on the last line", {"John", "-Peter"}, {"2: a \"-\" line without its \"-&\" line below it"}},
    {"\"-&\" without its \"-\"",
     {"John", "-&Ann", "&Mary"},
     {"2: a \"-&\" line without its \"-\" line above it", "3: a spouse line with no partner"}},
    {"two \"-&\" lines", {"-P", "-&Q", "-&R"}, {"3: a \"-&\" line without its \"-\" line above it"}},
    {"jump of two generations",
     {"John", "++Tom"},
     {"2: 2 \"+\" more than people line 1 above it: a jump of more than one generation"}},
    {"jump measured past the parent lines",
     {"John", "-P", "-&Q", "+&Ann", "+++Tom"},
     {"4: a spouse line with 1 \"+\" whose partner on people line 1 has 0",
      "5: 2 \"+\" more than people line 4 above it: a jump of more than one generation"}},
    {"death before birth", {"John|_B_1900|_D_1899"}, {"1: died in 1899, before being born in 1900"}},
    {"about dates compare", {"John|_B_abt 1900|_D_c. 1899"}, {"1: died in 1899, before being born in 1900"}},
    {"a full date gives its year", {"John|_B_3/5/1900|_D_12 Mar 1899"}, {"1: died in 1899, before being born in 1900"}},
    {"child before the father was 12",
     {"John|_S_M|_B_1900", "&Mary|_S_F|_B_1890", "+Tom|_B_1911"},
     {"3: born in 1911, before the father on people line 1 was 12 (born 1900)"}},
    {"child after the mother's death",
     {"John|_S_M", "&Mary|_S_F|_D_1900", "+Tom|_B_1901"},
     {"3: born in 1901, after the death of the mother on people line 2 in 1900"}},
    {"child past the father's year of grace",
     {"John|_S_M|_D_1900", "&Mary|_S_F", "+Tom|_B_1902"},
     {"3: born in 1902, after the death of the father on people line 1 in 1900"}},
    {"mother past 55",
     {"John|_S_M", "&Mary|_S_F|_B_1800", "+Tom|_B_1856"},
     {"3: born in 1856, when the mother on people line 2 was past 55 (born 1800)"}},
    {"father past 80",
     {"John|_S_M|_B_1800", "&Mary|_S_F", "+Tom|_B_1881"},
     {"3: born in 1881, when the father on people line 1 was past 80 (born 1800)"}},
    {"an unstated sex takes the role opposite the partner's",
     {"John", "&Mary|_S_M|_B_1850", "+Tom|_B_1860"},
     {"3: born in 1860, before the father on people line 2 was 12 (born 1850)"}},
    {"a partner of no stated sex is the mother of a man's child",
     {"John|_S_M", "&Mary|_B_1800", "+Tom|_B_1856"},
     {"3: born in 1856, when the mother on people line 2 was past 55 (born 1800)"}},
    {"no stated sex at all: a parent past 80",
     {"Pat|_B_1800", "&Sam", "+Tom|_B_1881"},
     {"3: born in 1881, when the parent on people line 1 was past 80 (born 1800)"}},
    {"a person alone with children",
     {"Ann|_S_F|_D_1850", "+Tom|_B_1851"},
     {"2: born in 1851, after the death of the mother on people line 1 in 1850"}},
    {"marriage before 12",
     {"John|_S_M|_B_1900", "&Mary|_S_F|_B_1901|_M_1911 (Leeds)"},
     {"1: married in 1911 (people line 2), before the age of 12 (born 1900)",
      "2: married in 1911 (people line 2), before the age of 12 (born 1901)"}},
    {"two stated men", {"John|_S_M", "&Jim|_S_M"}, {"2: stated male, as is the partner on people line 1"}},
    {"two stated women", {"Ann|_S_F", "&Eve|_S_F"}, {"2: stated female, as is the partner on people line 1"}},
    {"the same name twice among the children",
     {"John Smith|_S_M", "&Mary|_S_F", "+Tom Smith", "++Kid", "+Ann Smith", "+Tom Smith"},
     {"6: the same name, Tom Smith, as the sibling on people line 3"}},
    {"a third of one name is compared with the second",
     {"John|_S_M", "&Mary|_S_F", "+Tom|_B_1850|_D_1851", "+Tom|_B_1852", "+Tom|_B_1853"},
     {"5: the same name, Tom, as the sibling on people line 4"}},
    {"a pointer-like name",
     {"@I1@", "&@I1@", "+@F1@", "+@F1@"},
     {"4: the same name, @F1@, as the sibling on people line 3"}},
};

INSTANTIATE_TEST_SUITE_P(EachKind, Problems, ::testing::ValuesIn(kProblemCases));

// Just inside every threshold: a year later or earlier makes each a problem
// (the cases above).
const ProblemCase kSoundCases[] = {
    {"death in the year of birth", {"John|_B_1900|_D_1900"}, {}},
    {"a limit on either side is not compared",
     {"John|_B_1900|_D_bef 1899", "Ann|_B_aft 1900|_D_1899", "Bo|_B_1900|_D_to 1899", "Cy|_B_from 1900|_D_1899"},
     {}},
    {"a range or a limit is not compared",
     {"John|_B_1900-1910|_D_bef 1899", "Ann|_B_aft 1900|_D_between 1850 and 1860"},
     {}},
    {"a date the export does not read is not compared", {"John|_B_Easter 1900|_D_1899"}, {}},
    {"the father's 12th year", {"John|_S_M|_B_1900", "&Mary|_S_F|_B_1890", "+Tom|_B_1912"}, {}},
    {"in the year of the mother's death", {"John|_S_M", "&Mary|_S_F|_D_1900", "+Tom|_B_1900"}, {}},
    {"no stated sex: the father's year of grace", {"Pat|_D_1900", "&Sam", "+Tom|_B_1901"}, {}},
    {"a deep spouse below its parents is one generation below its grandparent",
     {"A", "+B", "++C", "-P", "-&Q", "++&D"},
     {}},
    {"within the father's year of grace", {"John|_S_M|_D_1900", "&Mary|_S_F", "+Tom|_B_1901"}, {}},
    {"mother at 55", {"John|_S_M", "&Mary|_S_F|_B_1800", "+Tom|_B_1855"}, {}},
    {"father at 80", {"John|_S_M|_B_1800", "&Mary|_S_F", "+Tom|_B_1880"}, {}},
    {"no stated sex: past 55 is not a mother's age", {"Pat|_B_1800", "&Sam", "+Tom|_B_1870"}, {}},
    {"marriage at 12", {"John|_S_M|_B_1900", "&Mary|_S_F|_B_1900|_M_1912"}, {}},
    {"a default sex is no stated one", {"John|_S_M", "&Pat", "Ann|_S_m", "&Eve|_S_M"}, {}},
    {"a child named after a sibling who died before its birth",
     {"John|_S_M", "&Mary|_S_F", "+Tom|_B_1850|_D_1851", "+Tom|_B_1852", "+Ann|_B_1853|_D_1860",
      "+Ann|_B_1850|_D_1851"},
     {}},
    {"the same name in two families", {"John|_S_M", "&Mary|_S_F", "+Tom", "Jim|_S_M", "&Eve|_S_F", "+Tom"}, {}},
    {"a \"-\"/\"-&\" pair, a spouse after it, and several marriages",
     {"John|_S_M|_B_1890", "-Peter|_S_M", "-&Ann|_S_F", "&Mary|_S_F|_B_1892|_M_1915", "+Tom|_B_1916", "&Jane|_S_F",
      "+Kit|_B_1930"},
     {}},
    {"a spouse after her parents below a deeper line is its generation's", {"+A", "++B", "-P", "-&Q", "+&C"}, {}},
    {"wives in a row, the later ones after their parents and the children of the earlier",
     {"John|_S_M|_B_1770", "&Sarah|_S_F|_B_1775|_M_1795", "&Prue|_S_F|_B_1780|_M_1800", "+Eli|_B_1801", "-Amos|_S_M",
      "-&Ruth|_S_F", "&Lydia|_S_F|_B_1785|_M_1810", "+Asa|_B_1811"},
     {}},
    {"an empty list", {}, {}},
};

INSTANTIATE_TEST_SUITE_P(Sound, Problems, ::testing::ValuesIn(kSoundCases));

TEST(ProblemsOf, ASoundFamilyOfThreeGenerationsWithDatesGivesNone) {
  const PeopleList people = {
      "William Hartley|_S_M|_B_12 Mar 1820, Leeds|_D_4 Jan 1890, Bradford",
      "-Thomas Ellis|_S_M|_B_1795|_D_1860",
      "-&Mary Booth|_S_F|_B_1798|_D_1870",
      "&Sarah Ellis|_S_F|_B_1823, Otley|_D_1881|_M_3/5/1845 (Leeds)",
      "+John Hartley|_S_M|_B_1846|_D_1911",
      "+&Ann Whiteley|_S_F|_B_abt 1848|_M_14/6/1870",
      "++Emma Hartley|_S_F|_B_1871",
      "++George Hartley|_S_M|_B_1873|_D_1874",
      "++George Hartley|_S_M|_B_1875",
      "+Martha Hartley|_S_F|_B_1849|_D_1930",
      "+&Joseph Crowther|_S_M|_B_1845|_M_1872",
      "++Ellen Crowther|_S_F|_B_cal 1890",
      "+Samuel Hartley|_S_M|_B_1852|_D_1853",
  };
  EXPECT_EQ(Listed(people), std::vector<std::string>{});
}

class ExampleProblems : public FileTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(ExampleProblems, GiveNone) {
  const std::string base = std::string(QUENBY_SOURCE_DIR) + "/examples/" + GetParam();
  const auto rules = LoadRulesFile(base + ".rules");
  ASSERT_EQ(rules.status, LoadStatus::kLoaded);
  const auto input = NormaliseLineBreaks(DecodeTextFile(ReadBytes(base + ".txt")).value());
  const PeopleList people = RunRules(input, rules.items);
  ASSERT_FALSE(people.empty());
  EXPECT_EQ(Listed(people), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleProblems,
                         ::testing::Values("hartley", "chain", "breadth", "ascending", "continuation", "marriages"));

// The families checked are the ones given, as "Process all" writes them.
TEST(ProblemsOf, ReadsTheFamiliesItIsGiven) {
  const PeopleList people = {"John|_S_M|_B_1900", "&Mary|_S_F", "+Tom|_B_1905"};
  std::vector<TestVariables> details;
  for (const auto& line : people) {
    details.push_back(ParsePersonLine(line));
  }
  EXPECT_EQ(ProblemsOf(people, details, {}), (std::vector<Problem>{{2, "a spouse line with no partner"}}));
  EXPECT_EQ(ProblemsOf(people, details, FamiliesOf(people)),
            (std::vector<Problem>{{3, "born in 1905, before the father on people line 1 was 12 (born 1900)"}}));
}

}  // namespace
}  // namespace quenby
