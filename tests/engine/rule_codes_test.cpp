// SPDX-License-Identifier: GPL-3.0-or-later
// Each rule code: what a pass leaves of a line; the generation, children and
// date decisions the rules make; rules 15 and 33 to 35 over whole lists; and
// rules 51 to 54, patterns over each line, with linear matching time.

#include <gtest/gtest.h>
#include <re2/re2.h>

#include <string>
#include <vector>

#include "engine/date_test.hpp"
#include "engine/engine.hpp"
#include "rules/rule_item.hpp"
#include "text/text.hpp"

namespace quenby {
namespace {

struct LineCase {
  std::string code;
  std::string search;
  std::string replacement;
  std::string line;
  LineList lines;  // the lines the rule leaves once the pass is over
};

const LineCase kLineCases[] = {
    // 1: every occurrence, then trimmed. 2 to 5: the replacement before the
    // trimmed rest after the first or last occurrence, or after the trimmed
    // text before it.
    {"1", "b.", "B_", "John b. 1900 ", {"John B_ 1900"}},
    {"2", ", ", "R:", "Smith, John, farmer", {"R:John, farmer"}},
    {"4", ", ", "R:", "Smith, John, farmer", {"R:farmer"}},
    {"2", " x", " Y ", "a x  b  ", {" Y b"}},
    {"2", ", ", "R:", "  none  ", {"  none  "}},
    {"3", ", ", "!", " Smith, John, farmer", {"Smith!"}},
    {"5", ", ", "!", "Smith, John, farmer", {"Smith, John!"}},
    // 6 to 8: the whole line, tested trimmed for start and end.
    {"6", "1 ", "X", "  1 John", {"X"}},
    {"6", "", "X", "   ", {"X"}},
    {"7", ".", "X", "John Smith.  ", {"X"}},
    {"8", "xyz", "", "a xyz b", {}},
    {"8", "", "X", "", {}},
    // 11 and 13 trim only the outer ends: spaces next to the cut stay.
    {"11", " m. ", "M_", "John Smith m. Mary Jones", {"John Smith", "M_Mary Jones"}},
    {"11", "m.", "M_", "John Smith m. Mary Jones", {"John Smith ", "M_ Mary Jones"}},
    {"11", " m. ", "M_", "  Ann  ", {"Ann"}},
    {"13", ",", "|", "a,b,c", {"a,b", "|c"}},
    // 12 and 14 trim each part, and only the lines they cut.
    {"12", "m.", "M_", "John Smith m. Mary Jones", {"M_Mary Jones", "John Smith"}},
    {"12", "x", "R", "  Ann  ", {"  Ann  "}},
    {"14", ",", "|", "a, b, c", {"|c", "a, b"}},
    // 21 to 28 add a line. (Where an empty search text occurs is the text
    // functions' concern, tested with them.)
    {"21", " b. ", "", " John Smith b. 1900 ", {"John Smith", "John Smith b. 1900"}},
    {"22", " b. ", "X", "John b. 1900", {"John b. 1900", "JohnX"}},
    {"23", " b. ", "B_", "John b. 1900", {"B_1900", "John b. 1900"}},
    {"24", "children:", "+", "John Smith children: Ann", {"John Smith children: Ann", "+Ann"}},
    {"25", ",", "", "a, b, c", {"a, b", "a, b, c"}},
    {"26", ",", "!", "a, b, c", {"a, b, c", "a, b!"}},
    {"27", ",", "+", "a, b, c", {"+c", "a, b, c"}},
    {"28", ",", "+", "a, b, c", {"a, b, c", "+c"}},
    // 41 puts the name before the marriage field when the field's first word
    // is a date; 42 names only the main line.
    {"41", "", "", "+&|_M_(London) 12.3.1875 Mary Jones|_B_1850", {"+&Mary Jones|_M_12/3/1875 (London)|_B_1850"}},
    {"41", "", "", "&|_M_1875 Ann|_N_x", {"&Ann|_M_1875|_N_x"}},
    {"41", "", "", "&|_M_31.2.1875 Ann", {"&31.2.1875 Ann|_M_"}},
    {"41", "", "", "&|_M_(London 1875 Mary", {"&(London 1875 Mary|_M_ "}},
    {"41", "", "", "&|_M_(York)", {"&|_M_ (York)"}},
    {"41", "", "", "x&|_M_(A)  Ann |_D_1", {"x&Ann|_M_ (A)|_D_1"}},
    {"41", "", "", "John|_M_1875 Ann", {"John|_M_1875 Ann"}},
    {"42", "ignored", "Smith", "John|_B_1850", {"John Smith|_B_1850"}},
    {"42", "", "Smith", "+Ann|_B_1", {"+Ann Smith|_B_1"}},
    {"42", "", "Smith", "|_B_1850", {" Smith|_B_1850"}},
    {"42", "", "Smith", "+&Mary", {"+&Mary"}},
    {"42", "", "Smith", "Jo&hn", {"Jo&hn"}}};

TEST(LineRules, LeaveTheseLinesOnceThePassIsOver) {
  for (const auto& c : kLineCases) {
    RunState state;
    EXPECT_EQ(SplitLines({ApplyRule(Rule{c.code, c.search, c.replacement}, c.line, state)}), c.lines)
        << c.code << " \"" << c.search << "\" on \"" << c.line << "\"";
  }
}

TEST(RecogniseChildren, MarksEveryLineAfterTheHeadingAndDropsTheHeading) {
  const std::string rule = "31\t|\tChildren\t|\t";
  EXPECT_EQ(RunRules(" John \r\nChildren:\r\nAnn\r\n   \r\nChildren again\r\nTom", {rule}),
            (LineList{"John", "+Ann", "+Tom"}));
  // Every line starts with an empty heading.
  EXPECT_EQ(RunRules("John\r\nAnn", {"31\t|\t\t|\t"}), LineList{});
}

TEST(ConvertGenerationNumber, NumbersBecomePlusRunsOtherLinesSpousesAndOnly1To32767AreGenerations) {
  struct Case {
    std::int64_t generationBefore;
    std::string line;
    std::string expected;
    std::int64_t generationAfter;
  };
  const std::vector<Case> cases = {{1, " 007 Tom", "++++++00 Tom", 7},
                                   {3, "   ", "++&", 3},
                                   {1, " Mary ", "&Mary", 1},
                                   {2, "&Mary", "+&Mary", 2},
                                   {4, "  - x ", "  - x ", 4},
                                   // The characters next to "0" and "9" are not digits.
                                   {2, "/5 Tom", "+&/5 Tom", 2},
                                   {2, ":5", "+&:5", 2},
                                   {1, "32767 X", std::string(32766, '+') + "X", 32767},
                                   // No generation 0 and none above the largest: line and generation stay.
                                   {4, " 0 Tom", " 0 Tom", 4},
                                   {4, "32768 Tom", "32768 Tom", 4},
                                   {4, "99999999999999999999 Tom", "99999999999999999999 Tom", 4}};
  for (const auto& c : cases) {
    RunState state{c.generationBefore, false};
    EXPECT_EQ(ApplyRule(Rule{"32", "", ""}, c.line, state), c.expected) << c.line;
    EXPECT_EQ(state.generation, c.generationAfter) << c.line;
  }
}

TEST(IsNumberOrDate, AcceptsNumbersAndRealDatesInTheDayMonthYearForms) {
  for (const std::string word : {"1875", "12345678901234567890", "12/3/1875", "12/31/1875", "12/3/75", "3/1875",
                                 "12/mAR/1875", "SEPT/1875", "29/2/2000", "29/2/00", "1876/2/29"}) {
    EXPECT_TRUE(IsNumberOrDate(word)) << word;
  }
  for (const std::string word :
       {"", "1875a", "abt/1875", "Marc/1875", "12/3", "13/1875", "3/0000", "0/3/1875", "31/2/1875", "29/2/1900",
        "29/2/75", "12/3/5", "12/3/18755", "12/3/1875/1", "75/3/12"}) {
    EXPECT_FALSE(IsNumberOrDate(word)) << word;
  }
}

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
    {"37 keeps the first line of a person named again and adds the fields it lacks", 37, "", "",
     "Olaf|_B_1801/Bjorn/OLAF|_B_1802|_D_1870|_N_x/olaf |_N_x|_N_y|_R_x", "Olaf|_B_1801|_D_1870|_N_x|_N_y|_R_x/Bjorn"},
    {"37 keeps apart other generations, other marks and other families", 37, "", "",
     "John/+Tom/+&Ann/+tom|_S_M/+&ANN|_M_1820/++John/Mary/+Tom/&Ann/-&Ann/+&ann",
     "John/+Tom|_S_M/+&Ann|_M_1820/++John/Mary/+Tom/&Ann/-&Ann/+&ann"},
    {"37 takes no line without a name for another", 37, "", "", "|_B_1/|_B_2/+/+", "|_B_1/|_B_2/+/+"},
    {"36 matches a name in any case: the last earlier line with it is the parent", 36, "Sons of", "",
     "++-&Tom Lee |_B_1850/tom lee/Sons of  Tom Lee /Bob", "++-&Tom Lee |_B_1850/tom lee/+Bob"},
    {"36 takes a register's head in capitals and its list in names as one person", 36, "Children of ", "",
     "ROBERT GURNEY|_S_M/&Sarah/Children of Robert Gurney/JOHN GURNEY/Children of John Gurney/Tom",
     "ROBERT GURNEY|_S_M/&Sarah/+JOHN GURNEY/++Tom"},
    {"36 folds accented letters and sharp s, and keeps other names apart", 36, "Children of ", "",
     "ZOË STRAUSS/Émile/Children of zoë Strauß/Ann/Children of Emile/Kit",
     "ZOË STRAUSS/+Ann/Émile/Children of Emile/Kit"},
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

  const LineList depthFirst = RunRules(breadthFirst, {EncodeRuleItem(35, "Children of ", "")});
  const LineList deep = RunRules(nested, {EncodeRuleItem(35, "Children of ", "")});
  const LineList joined = RunRules(continued, {EncodeRuleItem(15, "   ", " ")});
  const LineList generations = RunRules(chain, {EncodeRuleItem(33, "child:", "")});

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
}

struct PatternCase {
  std::string code;
  std::string pattern;
  std::string replacement;
  std::string input;  // lines joined by CR LF
  LineList people;
};

const PatternCase kPatternCases[] = {
    // 51: every match, groups by number, nothing trimmed; ^ and $ are the
    // ends of each line.
    {"51",
     R"( (b\.|born|\*) )",
     "|_B_",
     "John b. 1850\r\nAnn born 1852\r\nTom * 1855",
     {"John|_B_1850", "Ann|_B_1852", "Tom|_B_1855"}},
    {"51", R"((\w+), (\w+))", R"(\2 \1)", "Smith, John \r\nx", {"John Smith ", "x"}},
    {"51", "^", "+", "a\r\nb", {"+a", "+b"}},
    {"51", "x*", "-", "ab", {"-a-b-"}},
    {"51", "é", "e", "Zoë Renée", {"Zoë Renee"}},
    {"51", "ë", "", "ë", {}},
    // 52: the whole line, groups from its first match; empty removes it.
    {"52", R"(^(\d+)\. (.*)$)", R"(\2 (\1))", "1. John\r\nno number", {"John (1)", "no number"}},
    {"52", "Index|Source", "", "Back to Index\r\nJohn\r\nSource: web", {"John"}},
    // 53: only the matching lines stay.
    {"53", R"(\d{4})", "ignored", "John 1850\r\nPage 3\r\nAnn 1852", {"John 1850", "Ann 1852"}},
    // A character is one code point, whatever its length in UTF-8.
    {"53",
     "^.$",
     "",
     "\xC2\x80\r\n\xE0\xA0\x80\r\n\xF0\x90\x80\x80\r\nab",
     {"\xC2\x80", "\xE0\xA0\x80", "\xF0\x90\x80\x80"}},
    // 54: a piece per match, each later piece started by the replacement
    // with the groups of the match before it; empty matches cut nothing.
    {"54", "(, | and )", "+", "Henry, James and Thomas", {"Henry", "+James", "+Thomas"}},
    {"54", "(son|daughter):", R"(\1 )", "a son:Tom daughter:Ann", {"a ", "son Tom ", "daughter Ann"}},
    {"54", ",", "", ",a,,b,", {"a", "b"}},
    {"54", "x*", "+", "abc", {"abc"}},
    {"54", "ü", "|", "aüb", {"a", "|b"}},
    // Case conversion: \U capitals, \L small letters, \T a capital first
    // letter for each word, up to \E or the end; a switch ends the one before.
    {"51",
     R"(^## \d+\. (\D+?)\d+ (\S+)$)",
     R"(\T\1 \2\E (\0))",
     "## 3. JOHN3 GURNEY",
     {"John Gurney (## 3. JOHN3 GURNEY)"}},
    {"51", R"((\S+))", R"(\U\1)", "straße émile", {"STRASSE ÉMILE"}},
    {"52", "^(.*)$", R"(\L\1\E-\1-\Tx \1\Ly\1)", "ÀB Ç", {"àb ç-ÀB Ç-X Àb Çyàb ç"}},
    {"51", "x", R"(\T)", "axb", {"ab"}},
    {"54", "; (son|daughter) ", R"(\U\1\E:)", "Tom; son Bob; daughter Ann", {"Tom", "SON:Bob", "DAUGHTER:Ann"}},
    // 55: only a line that starts with a match (the lead-in) is a list; it
    // is cut at every match, each piece gets the start text (groups of the
    // match before it) and the text after \A (groups of the lead-in).
    {"55",
     "^their sons were |, | and ",
     R"(+\A|_S_M)",
     "Gudrun\r\ntheir sons were Olaf, Bjorn and Ragnar\r\nJohn Smith, born 1850",
     {"Gudrun", "+Olaf|_S_M", "+Bjorn|_S_M", "+Ragnar|_S_M", "John Smith, born 1850"}},
    {"55",
     R"(^(son|daughter)s: |, | and )",
     R"(\A (\U\1\E))",
     "sons: Tom, Bob\r\ndaughters: Ann",
     {"Tom (SON)", "Bob (SON)", "Ann (DAUGHTER)"}},
    {"55", R"(^list: |; (\w+) )", R"(\1=\A!)", "list: a; x b; y c", {"=a!", "x=b!", "y=c!"}},
    {"55", "^: |,", R"(+\A.)", ": a,, ,b,", {"+a.", "+b."}},
    {"55", "^sons: ", R"(\A|_S_M)", "sons: \r\nTom", {"Tom"}},
    {"55", "^x|-", "+", "x-a-b", {"+a", "+b"}},
    {"55", "^|, ", R"(\A|_S_F)", "Ann, Eve\r\nMary", {"Ann|_S_F", "Eve|_S_F", "Mary|_S_F"}},
    {"55", "^x|,", R"(\\A\A\\)", "xa,b", {"\\Aa\\", "\\Ab\\"}},
    // 56: a heading's text goes to the end of every line below it up to the
    // next heading; a heading whose groups are all empty adds nothing. The
    // pattern is case-sensitive, as ever.
    {"56",
     "^Children, born at (.+):$|^## ",
     R"( (\T\1))",
     "## 1. Robert\r\nCHILDREN, born at WEYMOUTH:\r\n- John b. 1766\r\n- Mary\r\n## 2. John\r\n- x",
     {"## 1. Robert", "CHILDREN, born at WEYMOUTH:", "- John b. 1766", "- Mary", "## 2. John", "- x"}},
    {"56",
     "^Children, born at (.+):$|^## ",
     R"( (\T\1))",
     "## 1. Robert\r\nChildren, born at WEYMOUTH:\r\n- John b. 1766\r\n- Mary\r\n## 2. John\r\n- x",
     {"## 1. Robert", "Children, born at WEYMOUTH:", "- John b. 1766 (Weymouth)", "- Mary (Weymouth)", "## 2. John",
      "- x"}},
    {"56", "^Sons:$", "|_S_M", "Tom\r\nSons:\r\nBob\r\nJim", {"Tom", "Sons:", "Bob|_S_M", "Jim|_S_M"}},
    {"56", "born at (\\w+)", "|_B_, \\1", "Children born at Leeds\r\nAl", {"Children born at Leeds", "Al|_B_, Leeds"}},
    // Converted text stays whole across the encoding's boundaries: C1
    // controls, and the lowest character of each UTF-8 length.
    {"51",
     "(.+)",
     R"(\U\1)",
     "a\xC2\x80\xC2\x9F"
     "b\xE0\xA0\x80"
     "c\xF0\x90\x80\x80",
     {"A\xC2\x80\xC2\x9F"
      "B\xE0\xA0\x80"
      "C\xF0\x90\x80\x80"}},
};

TEST(PatternRules, GiveThesePeopleLists) {
  for (const auto& c : kPatternCases) {
    RunReport report;
    EXPECT_EQ(RunRules(c.input, {EncodeRuleItem(std::stol(c.code), c.pattern, c.replacement)}, report), c.people)
        << c.code << " " << c.pattern << " on " << c.input;
    EXPECT_TRUE(report.warnings.empty());
  }
}

TEST(PatternRules, AnInvalidPatternOrReplacementRunsAsNothingAndIsReportedOncePerRule) {
  const std::vector<std::string> rules = {EncodeRuleItem(51, "(a", "x"), EncodeRuleItem(1, "b", "c"),
                                          EncodeRuleItem(54, "a", R"(\1)"), EncodeRuleItem(53, "(a", "")};
  RunReport report;
  EXPECT_EQ(RunRules("ab\r\nab\r\nb", rules, report), (LineList{"ac", "ac", "c"}));
  ASSERT_EQ(report.warnings.size(), 3u);
  EXPECT_EQ(report.warnings[0].rfind("Rule 1 (code 51, search text \"(a\") did nothing: the pattern is not valid: ", 0),
            0u)
      << report.warnings[0];
  EXPECT_NE(report.warnings[1].find("Rule 3 (code 54"), std::string::npos);
  EXPECT_NE(report.warnings[1].find("replacement"), std::string::npos);
  EXPECT_NE(report.warnings[2].find("Rule 4 (code 53"), std::string::npos);
  // What the rule editor asks before it accepts a rule; 53 has no replacement.
  EXPECT_NE(RuleProblem(Rule{"51", "[z-a]", ""}), "");
  EXPECT_NE(RuleProblem(Rule{"52", "\xC3", ""}), "");
  EXPECT_EQ(RuleProblem(Rule{"53", "a", R"(\9)"}), "");
  EXPECT_EQ(RuleProblem(Rule{"1", "(a", R"(\9)"}), "");
}

// A backslash in a replacement was followed by a digit or a backslash, or
// the rule was refused; every replacement that ran keeps what it wrote, and
// only the case switches are new.
TEST(PatternRules, ReplacementsThatRanBeforeWriteWhatTheyWrote) {
  const RE2 pattern("(a)(b)?(x)?");
  for (const std::string replacement :
       {"", "\\1", "\\\\", "\\\\U", "\\\\\\1", "[\\0]", "\\3\\2\\1", "\\\\E\\2", "U\\1L", "|_S_M"}) {
    std::string expected = "ab ab a";
    RE2::GlobalReplace(&expected, pattern, replacement);
    EXPECT_EQ(RunRules("ab ab a", {EncodeRuleItem(51, "(a)(b)?(x)?", replacement)}), LineList{expected}) << replacement;
  }
  for (const std::string replacement : {"\\", "\\a", "\\A", "\\u", "\\4", "x\\"}) {
    EXPECT_NE(RuleProblem(Rule{"51", "(a)(b)?(x)?", replacement}), "") << replacement;
  }
  for (const std::string replacement : {"\\U", "\\L\\1\\E", "\\T\\0", "\\E"}) {
    EXPECT_EQ(RuleProblem(Rule{"52", "(a)(b)?(x)?", replacement}), "") << replacement;
  }
}

TEST(PatternRules, MatchInLinearTimeOnLongLinesAndLongLists) {
  const std::string longLine(100000, 'a');
  LineList many(100000, "John b. 1850 m. 1875 Mary");
  std::string manyText;
  for (const auto& line : many) {
    manyText.append(line).append("\r\n");
  }
  for (const long code : {51, 52, 53, 54}) {
    EXPECT_EQ(RunRules(longLine, {EncodeRuleItem(code, "(a*)*b", "x")}), code == 53 ? LineList{} : LineList{longLine});
    EXPECT_EQ(RunRules(longLine + "b", {EncodeRuleItem(code, "(a*)*b", "x")}),
              code == 53 ? LineList{longLine + "b"} : LineList{"x"});
  }
  EXPECT_EQ(RunRules(manyText, {EncodeRuleItem(51, R"( (b|m)\. )", R"(|_\1_)")}).front(), "John|_b_1850|_m_1875 Mary");
}

}  // namespace
}  // namespace quenby
