// SPDX-License-Identifier: GPL-3.0-or-later
// Rules 15 and 33 to 35: lines joined, generations from the order of the
// lines, and children lists moved below their parents.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "engine/engine.hpp"
#include "rules/rule_item.hpp"
#include "text/text.hpp"

namespace quenby {
namespace {

struct ListCase {
  std::string description;
  long code;
  std::string search;
  std::string replacement;
  std::string input;  // lines joined by "/"
  std::string people;
};

const ListCase kListCases[] = {
    {"continuation lines join the nearest line that is not joined itself", 15, "   ", " ",
     "John b. 1850/   m. 1872 Ann/    Notes: joiner/Tom", "John b. 1850 m. 1872 Ann Notes: joiner/Tom"},
    {"a first line has nothing to join to", 15, "m.", "|", "m. x/m. y/z", "m. x|y/z"},
    {"the search text is compared with the line as it stands", 15, "m.", "|", "a/ m. b", "a/ m. b"},
    {"a chain goes one generation deeper at every line", 33, "child:", "",
     "Robert/child: Henry/child:Edward/child: Ann", "Robert/+Henry/++Edward/+++Ann"},
    {"spouse and parent lines are passed over and a spouse takes its person's run", 33, "child:", "",
     "+Robert/&Mary/-Peter/child: Henry/&Jane/child: Ed/+Tom/child: Kit",
     "+Robert/+&Mary/-Peter/++Henry/++&Jane/+++Ed/+Tom/++Kit"},
    {"without a main line above the line is of the first generation", 33, "child:", "", "&Mary/child: Henry",
     "&Mary/Henry"},
    {"the lines in reverse order", 34, "", "", "John, son of/William, son of/Thomas",
     "Thomas/William, son of/John, son of"},
    {"a breadth-first list becomes depth first", 35, "Children of ", "",
     "Robert Cole|_S_M/&Ann/Children of Robert Cole/Henry Cole/James Cole/Children of Henry Cole/Edward Cole/"
     "Children of James Cole/Kit Cole",
     "Robert Cole|_S_M/&Ann/+Henry Cole/++Edward Cole/+James Cole/++Kit Cole"},
    {"the last earlier line with the name is the parent, deeper lines and spouses keep their marks", 35, "Sons of", "",
     "+Tom/Ann/+Tom/+&Eve/Sons of Tom/Bob/&Sue/+Al", "+Tom/Ann/+Tom/+&Eve/++Bob/++&Sue/+++Al"},
    {"a name nobody above carries leaves the heading and its lines in place", 35, "Sons of", "",
     "Tom/Sons of Nobody/Bob/Sons of Tom/Al", "Tom/+Al/Sons of Nobody/Bob"},
    {"a name is matched exactly, marks and fields aside", 35, "Sons of", "",
     "++-&Tom Lee |_B_1850/tom lee/Sons of  Tom Lee /Bob", "++-&Tom Lee |_B_1850/+++Bob/tom lee"},
};

TEST(ListRules, GiveThesePeopleLists) {
  for (const auto& c : kListCases) {
    const LineList people =
        RunRules(ReplaceAll(c.input, "/", kCrLf), {EncodeRuleItem(c.code, c.search, c.replacement)});
    EXPECT_EQ(people, SplitOn(c.people, "/")) << c.description;
  }
}

// A breadth-first list of 100,000 people, ten children to a parent, with a
// heading that names nobody after every parent's list; then lists nested as
// deep as they go, and 100,000 continuation lines and chain lines.
TEST(ListRules, TakeTimeInProportionToTheLengthOfTheList) {
  std::string breadthFirst = "P0";
  for (std::size_t parent = 0; 10 * parent + 10 < 100000; ++parent) {
    breadthFirst += "\r\nChildren of P" + std::to_string(parent);
    for (std::size_t child = 10 * parent + 1; child <= 10 * parent + 10; ++child) {
      breadthFirst += "\r\nP" + std::to_string(child);
    }
    breadthFirst += "\r\nChildren of nobody " + std::to_string(parent);
  }
  std::string nested = "Q0";
  for (std::size_t level = 1; level < 5000; ++level) {
    nested += "\r\nChildren of Q" + std::to_string(level - 1) + "\r\nQ" + std::to_string(level);
  }
  std::string continued = "John";
  std::string chain = "Robert";
  for (std::size_t i = 0; i < 100000; ++i) {
    continued += "\r\n   more";
    chain += i % 10 == 0 ? "\r\nRobert" : i % 2 ? "\r\nchild: x" : "\r\n&y";
  }

  const auto start = std::chrono::steady_clock::now();
  const LineList depthFirst = RunRules(breadthFirst, {EncodeRuleItem(35, "Children of ", "")});
  const LineList deep = RunRules(nested, {EncodeRuleItem(35, "Children of ", "")});
  const LineList joined = RunRules(continued, {EncodeRuleItem(15, "   ", " ")});
  const LineList generations = RunRules(chain, {EncodeRuleItem(33, "child:", "")});
  const auto elapsed = std::chrono::steady_clock::now() - start;

  ASSERT_GE(depthFirst.size(), 5u);
  EXPECT_EQ(LineList(depthFirst.begin(), depthFirst.begin() + 5),
            (LineList{"P0", "+P1", "++P11", "+++P111", "++++P1111"}));
  EXPECT_EQ(depthFirst.size(), 99991u + 9999u);  // the people and the headings that name nobody
  ASSERT_EQ(deep.size(), 5000u);
  EXPECT_EQ(deep.back(), std::string(4999, '+') + "Q4999");
  ASSERT_EQ(joined.size(), 1u);
  EXPECT_EQ(joined.front().size(), 4 + 100000 * 5u);
  EXPECT_EQ(generations.size(), 100001u);
  EXPECT_EQ(generations[11], "Robert");
  EXPECT_EQ(LineList(generations.begin() + 8, generations.begin() + 11), (LineList{"++++x", "++++&y", "+++++x"}));
  // Far more than a linear run needs even in a sanitizer build; looking for
  // each heading's parent by scanning the lines above takes minutes here.
  EXPECT_LT(elapsed, std::chrono::seconds(20));
}

}  // namespace
}  // namespace quenby
