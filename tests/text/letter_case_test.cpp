// SPDX-License-Identifier: GPL-3.0-or-later
// Capitals, small letters, title case and case folding of UTF-8 text:
// accented Latin, Greek and Cyrillic letters, "ß", and the characters at the
// boundaries of UTF-8, which pass unchanged.

#include "text/letter_case.hpp"

#include <gtest/gtest.h>

#include <string>

namespace quenby {
namespace {

struct CaseCase {
  std::string text;
  std::string upper;
  std::string lower;
  std::string title;
};

std::ostream& operator<<(std::ostream& out, const CaseCase& c) {
  return out << '"' << c.text << '"';
}

class LetterCase : public testing::TestWithParam<CaseCase> {};

TEST_P(LetterCase, GivesCapitalsSmallLettersAndTitleCase) {
  const CaseCase& c = GetParam();
  EXPECT_EQ(ToUpperCase(c.text), c.upper);
  EXPECT_EQ(ToLowerCase(c.text), c.lower);
  EXPECT_EQ(ToTitleCase(c.text), c.title);
  // Folding ignores every difference the three conversions make.
  EXPECT_EQ(FoldCase(c.upper), FoldCase(c.text));
  EXPECT_EQ(FoldCase(c.lower), FoldCase(c.text));
  EXPECT_EQ(FoldCase(c.title), FoldCase(c.text));
}

const CaseCase kCases[] = {
    {"", "", "", ""},
    {"JOHN3 GURNEY", "JOHN3 GURNEY", "john3 gurney", "John3 Gurney"},
    {"o'neil-smith jr.", "O'NEIL-SMITH JR.", "o'neil-smith jr.", "O'Neil-Smith Jr."},
    {"3RD JOHN2ND", "3RD JOHN2ND", "3rd john2nd", "3rd John2nd"},
    {"Strauß", "STRAUSS", "strauß", "Strauß"},
    {"ßa", "SSA", "ßa", "Ssa"},
    {"ẞ", "ẞ", "ß", "ẞ"},
    {"ÉMILE ÇÀ ØRSTED ÞÓR ÿ", "ÉMILE ÇÀ ØRSTED ÞÓR Ÿ", "émile çà ørsted þór ÿ", "Émile Çà Ørsted Þór Ÿ"},
    {"×÷", "×÷", "×÷", "×÷"},
    {"ȘTEFĂNESCU ŁUKASZ ĲSSEL", "ȘTEFĂNESCU ŁUKASZ ĲSSEL", "ștefănescu łukasz ĳssel", "Ștefănescu Łukasz Ĳssel"},
    {"NGUYỄN ĐẠI", "NGUYỄN ĐẠI", "nguyễn đại", "Nguyễn Đại"},
    {"ΟΔΥΣΣΕΎΣ", "ΟΔΥΣΣΕΎΣ", "οδυσσεύσ", "Οδυσσεύσ"},
    {"ИВАН ЁЛКИН", "ИВАН ЁЛКИН", "иван ёлкин", "Иван Ёлкин"},
    {"İi ıI", "İI II", "ii ıi", "İi Ii"},
    {"µſ", "ΜS", "µſ", "Μſ"},
    // An accent written after its letter belongs to the word.
    {"RENE\xCC\x81"
     "E",
     "RENE\xCC\x81"
     "E",
     "rene\xCC\x81"
     "e",
     "Rene\xCC\x81"
     "e"},
    // C1 controls (the first and the last) are no letters and end a word.
    {"\xC2\x80john\xC2\x9Fsmith", "\xC2\x80JOHN\xC2\x9FSMITH", "\xC2\x80john\xC2\x9Fsmith",
     "\xC2\x80John\xC2\x9FSmith"},
    // The lowest character of each UTF-8 length passes unchanged.
    {"a\xC2\x80"
     "b\xE0\xA0\x80"
     "c\xF0\x90\x80\x80"
     "d",
     "A\xC2\x80"
     "B\xE0\xA0\x80"
     "C\xF0\x90\x80\x80"
     "D",
     "a\xC2\x80"
     "b\xE0\xA0\x80"
     "c\xF0\x90\x80\x80"
     "d",
     "A\xC2\x80"
     "B\xE0\xA0\x80"
     "c\xF0\x90\x80\x80"
     "d"},
    // Bytes that are no UTF-8 stay and end a word.
    {"\xFFjohn\xC3", "\xFFJOHN\xC3", "\xFFjohn\xC3", "\xFFJohn\xC3"},
    {"\xC0\xAFjo", "\xC0\xAFJO", "\xC0\xAFjo", "\xC0\xAFJo"},
};
INSTANTIATE_TEST_SUITE_P(Texts, LetterCase, testing::ValuesIn(kCases));

TEST(FoldCase, MakesNamesThatDifferOnlyInCaseEqualAndKeepsOthersApart) {
  for (const auto& [a, b] : {std::pair<std::string, std::string>{"STRAUSS", "Strauß"},
                             {"ss", "ẞ"},
                             {"ÉMILE ZOË", "émile zoë"},
                             {"ΣΊΣΥΦΟΣ", "σίσυφος"},
                             {"ſ", "S"},
                             {"ı", "İ"},
                             {"Ÿ", "ÿ"}}) {
    EXPECT_EQ(FoldCase(a), FoldCase(b)) << a << " / " << b;
  }
  for (const auto& [a, b] :
       {std::pair<std::string, std::string>{"Emile", "Émile"}, {"Gurney", "Gurney3"}, {"\xC2\x80", "\xC2\x81"}}) {
    EXPECT_NE(FoldCase(a), FoldCase(b)) << a << " / " << b;
  }
}

}  // namespace
}  // namespace quenby
