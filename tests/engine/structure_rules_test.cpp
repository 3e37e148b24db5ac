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

}  // namespace
}  // namespace quenby
