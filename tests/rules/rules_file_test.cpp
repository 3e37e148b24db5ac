// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <utility>
#include <vector>

#include "rules/ini_file.hpp"
#include "rules/rule_item.hpp"
#include "rules/rules_file.hpp"
#include "support/file_test.hpp"

namespace quenby {
namespace {

// Case, blanks, comments, lone CRs, quotes and repeated keys and sections are
// met in the hand-edited sample below.
TEST(IniDocument, ValuesAreReadAsTheProfileFormatReadsThem) {
  const std::vector<std::pair<std::string_view, std::optional<std::string>>> cases = {
      {"[Sec]\r\nKey=\"a'", "\"a'"},
      {"[Sec]\r\nKey==a=b", "=a=b"},
      {"[Sec]\r\nKey=", ""},
      {"[Sec\r\nKey=open", "open"},
      {std::string_view("[Sec]\r\nKey=a\0b", 14), std::string("a\0b", 3)},
      {"[", std::nullopt}};
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(IniDocument::Parse(text).Value("Sec", "Key"), expected) << text;
  }
}

class IniFile : public FileTest {};

TEST_F(IniFile, WritingReplacesOneKeyKeepsEverythingElseAndRefusesTextsThatWouldNotReadBack) {
  auto file = PathOf("settings.ini");
  WriteBytes(file, "; comment\n[First]\nA=1\n\n[Second]\nB=2\nC=3\n\n[Third]\nD=4\n");
  std::string error;
  ASSERT_TRUE(WriteINIString("second", "c", "\" new \"", file, error)) << error;
  ASSERT_TRUE(WriteINIString("First", "E", "5", file, error)) << error;
  ASSERT_TRUE(WriteINIString("Fourth", "F", "6", file, error)) << error;
  const std::string written =
      "; comment\r\n[First]\r\nA=1\r\nE=5\r\n\r\n[Second]\r\nB=2\r\nc=\" new \"\r\n\r\n[Third]\r\nD=4\r\n"
      "[Fourth]\r\nF=6\r\n";
  EXPECT_EQ(ReadBytes(file), written);
  EXPECT_EQ(ReadINIString("SECOND", "C", "default", file), " new ");
  EXPECT_FALSE(WriteINIString("Sec", "Key", "line\r\nbreak", file, error));
  EXPECT_NE(error.find("settings.ini"), std::string::npos);
  EXPECT_FALSE(WriteINIString("Sec", "a=b", "x", file, error));
  EXPECT_FALSE(WriteINIString("S]ec", "Key", "x", file, error));
  EXPECT_EQ(ReadBytes(file), written);
}

// Every key line of a section is listed in file order, repeats and repeated
// sections included, while a single value still comes from the first.
TEST(IniDocument, EntriesListEveryKeyOfTheSectionInFileOrder) {
  const auto document =
      IniDocument::Parse("k=0\r\n[Sec]\r\n K = 'a'\r\n;k=no\r\nk=b\r\n[Other]\r\nk=x\r\n[sEC]\r\nk=c\r\nnew=d\r\n");
  std::vector<std::pair<std::string, std::string>> entries;
  for (const IniEntry& entry : document.Entries("sec")) {
    entries.emplace_back(entry.key, entry.value);
  }
  EXPECT_EQ(entries,
            (std::vector<std::pair<std::string, std::string>>{{"K", "a"}, {"k", "b"}, {"k", "c"}, {"new", "d"}}));
  EXPECT_EQ(document.Value("Sec", "k"), "a");
  EXPECT_EQ(document.Value("Sec", "new"), std::nullopt);
  EXPECT_TRUE(document.Entries("None").empty());
}

using Items = std::vector<std::string>;
using Notes = std::vector<std::string>;

const std::string kA = "1\t|\ta\t|\tA";
const std::string kB = "8\t|\tb\t|\tB";
const std::string kC = "51\t|\t(c)\t|\t\\1";

struct RulesCase {
  std::string name;
  std::string text;
  Items items;
  Notes notes;
};

class RulesFromTextTable : public testing::TestWithParam<RulesCase> {};

TEST_P(RulesFromTextTable, LoadsEveryNumberedKeyInOrderAndSaysWhatItDid) {
  const auto& [name, text, items, notes] = GetParam();
  const auto read = RulesFromText(text);
  EXPECT_EQ(read.items, items);
  EXPECT_EQ(read.notes, notes);
}

const std::string kRules = "[Rules]\r\n";

INSTANTIATE_TEST_SUITE_P(
    RulesFile, RulesFromTextTable,
    testing::Values(
        RulesCase{"KeysOneToNSayNothing",
                  kRules + "1=\"" + kA + "\"\r\n2=\"" + kB + "\"\r\n3=\"" + kC + "\"\r\n",
                  {kA, kB, kC},
                  {}},
        RulesCase{"NoSectionNoRules", "[Other]\r\n1=\"" + kA + "\"\r\n", {}, {}},
        RulesCase{"ARemovedRuleLeavesAGap",
                  kRules + "1=" + kA + "\r\n3=" + kC + "\r\n",
                  {kA, kC},
                  {"key 2 is missing; the rules after it were loaded"}},
        RulesCase{"KeysOutOfOrderWithOneMissing",
                  kRules + "3=" + kC + "\r\n1=" + kA + "\r\n",
                  {kA, kC},
                  {"key 2 is missing; the rules after it were loaded"}},
        RulesCase{"AFileStartingAtTwo",
                  kRules + "2=" + kB + "\r\n3=" + kC + "\r\n",
                  {kB, kC},
                  {"key 1 is missing; the rules after it were loaded"}},
        RulesCase{"LeadingZerosAreTheSameNumber", kRules + "01=" + kA + "\r\n002=" + kB + "\r\n", {kA, kB}, {}},
        RulesCase{"KeyZeroComesFirst", kRules + "1=" + kA + "\r\n00=" + kB + "\r\n", {kB, kA}, {}},
        RulesCase{"NumbersAreComparedAsNumbersAndAGapIsSaidOnce",
                  kRules + "10=" + kC + "\r\n2=" + kB + "\r\n1=" + kA,
                  {kA, kB, kC},
                  {"keys 3 to 9 are missing; the rules after them were loaded"}},
        RulesCase{"GapsAcrossACarry",
                  kRules + "1=" + kA + "\r\n100=" + kB + "\r\n101=" + kB + "\r\n1000=" + kC,
                  {kA, kB, kB, kC},
                  {"keys 2 to 99 are missing; the rules after them were loaded",
                   "keys 102 to 999 are missing; the rules after them were loaded"}},
        RulesCase{
            "AThirtyDigitKeyDoesNotOverflow",
            kRules + "123456789012345678901234567890=" + kB + "\r\n1=" + kA + "\r\n99999999999999999999=" + kC,
            {kA, kC, kB},
            {"keys 2 to 99999999999999999998 are missing; the rules after them were loaded",
             "keys 100000000000000000000 to 123456789012345678901234567889 are missing; the rules after them were "
             "loaded"}},
        RulesCase{"RepeatedKeysAreAllReadInFileOrder",
                  kRules + "2=" + kC + "\r\n1=" + kA + "\r\n2=" + kB + "\r\n02=" + kA + "\r\n",
                  {kA, kC, kB, kA},
                  {"key 2 is given 3 times (as 2, 2 and 02); each was read, in the order of the file"}},
        RulesCase{"ARepeatWrittenAlikeIsNotSpelledOut",
                  kRules + "1=" + kA + "\r\n1=" + kB,
                  {kA, kB},
                  {"key 1 is given 2 times; each was read, in the order of the file"}},
        RulesCase{
            "ARepeatedSectionIsReadToo", kRules + "1=" + kA + "\r\n[Other]\r\n2=x\r\n[rules]\r\n2=" + kB, {kA, kB}, {}},
        RulesCase{
            "AnEmptyValueIsSkippedNotTheEnd",
            kRules + "1=" + kA + "\r\n2=\"\"\r\n3=   \r\n4=" + kC,
            {kA, kC},
            {"key 2 is empty: it holds no rule and was skipped", "key 3 is empty: it holds no rule and was skipped"}},
        RulesCase{"KeysThatAreNoNumberAreLeftOut",
                  kRules + "count=2\r\n1=" + kA + "\r\n-2=" + kB + "\r\n+2=" + kB + "\r\n2a=" + kB + "\r\n2=" + kC,
                  {kA, kC},
                  {"key \"count\" is no rule number; it was left out", "key \"-2\" is no rule number; it was left out",
                   "key \"+2\" is no rule number; it was left out", "key \"2a\" is no rule number; it was left out"}},
        RulesCase{
            "ItemsThatCannotRunAreKeptAsRead",
            kRules + "1=99\t|\tx\t|\ty\r\n2=abc\t|\tx\t|\ty\r\n3=\"1|A|B\"\r\n4=01\t|\tx\t|\ty\r\n5=" + kA +
                "\r\n7=0\t|\tx\t|\ty\r\n",
            {"99\t|\tx\t|\ty", "abc\t|\tx\t|\ty", "1|A|B", "01\t|\tx\t|\ty", kA, "0\t|\tx\t|\ty"},
            {"rule 1 (key 1) does nothing when the rules run: its code \"99\" is no rule code; it is kept in the "
             "list as it was read",
             "rule 2 (key 2) does nothing when the rules run: its code \"abc\" is no rule code; it is kept in the "
             "list as it was read",
             "rule 3 (key 3) does nothing when the rules run: it is no rule item (a code, the search text and the "
             "replacement text, each two separated by TAB \"|\" TAB); it is kept in the list as it was read",
             "rule 4 (key 4) does nothing when the rules run: its code \"01\" is no rule code; it is kept in the "
             "list as it was read",
             "key 6 is missing; the rules after it were loaded",
             "rule 6 (key 7) does nothing when the rules run: its code \"0\" is no rule code; it is kept in the "
             "list as it was read"}}),
    [](const testing::TestParamInfo<RulesCase>& info) { return info.param.name; });

// Enough keys, written backwards, that a sort which does not keep the order
// of equal keys would mix up the rules given under one number.
TEST(RulesFromText, ManyRepeatedKeysKeepTheOrderOfTheFileWithinTheirNumber) {
  std::string text = "[Rules]\r\n";
  Items expected(150);
  for (int key = 50; key >= 1; --key) {
    for (int copy = 0; copy < 3; ++copy) {
      const std::string item = EncodeRuleItem(1, std::to_string(key), std::to_string(copy));
      text += std::to_string(key) + "=" + item + "\r\n";
      expected[static_cast<std::size_t>((key - 1) * 3 + copy)] = item;
    }
  }
  const auto read = RulesFromText(text);
  EXPECT_EQ(read.items, expected);
  EXPECT_EQ(read.notes.size(), 50U);
}

TEST(LoadNotesMessage, NamesTheFileOnceAndCountsNotesBeyondTheMost) {
  EXPECT_EQ(LoadNotesMessage("a.rules", {"one", "two"}, 2),
            "The rules file \"a.rules\" was loaded with these remarks:\none\ntwo");
  EXPECT_EQ(LoadNotesMessage("a.rules", {"one", "two", "three"}, 1),
            "The rules file \"a.rules\" was loaded with these remarks:\none\n... and 2 more");
}

class RulesFile : public FileTest {};

TEST_F(RulesFile, SaveThenLoadGivesTheIdenticalListInEitherEncoding) {
  Items items = {EncodeRuleItem(1, "\tlead tab", "trail tab\t"),
                 EncodeRuleItem(8, "say \"hi\" now", "'"),
                 EncodeRuleItem(32, "", ""),
                 EncodeRuleItem(1, "né Maß", "€"),
                 "\"quoted\"",
                 "'single'"};
  const auto file = PathOf("list.rules");
  std::string error;
  ASSERT_TRUE(SaveRulesFile(file, items, error)) << error;
  EXPECT_NE(ReadBytes(file).find("n\xE9 Ma\xDF\t|\t\x80"), std::string::npos);  // Windows-1252
  EXPECT_EQ(LoadRulesFile(file).items, items);

  items.push_back(EncodeRuleItem(42, "", "Ł"));  // no Windows-1252 byte
  ASSERT_TRUE(SaveRulesFile(file, items, error)) << error;
  EXPECT_NE(ReadBytes(file).find("né Maß"), std::string::npos);  // UTF-8
  EXPECT_EQ(LoadRulesFile(file).items, items);
}

TEST_F(RulesFile, SampleFilesLoadEveryRuleTheyHold) {
  const std::vector<std::pair<std::string, Items>> files = {
      {"windows1252.rules", {"1\t|\tStraße\t|\tstreet", "1\t|\t né \t|\t born "}},
      // Both keys 1 and the repeated [Rules] section count; an unquoted value loses its trailing tab.
      {"hand_edited.rules",
       {"1\t|\t b. \t|\t born ", "1\t|\tsecond key 1\t|\tx", "11\t|\t; \t|", "1\t|\trepeated section\t|\tx"}}};
  for (const auto& [name, items] : files) {
    const auto loaded = LoadRulesFile(std::string(QUENBY_TEST_DATA_DIR) + "/rules/" + name);
    EXPECT_EQ(loaded.status, LoadStatus::kLoaded) << name;
    EXPECT_EQ(loaded.items, items) << name;
  }
}

// A rules file saved as UTF-16 by an editor loads as its UTF-8 twin, a
// [Rules] section without keys is an empty list, and a missing file is told
// apart from one that cannot be read.
TEST_F(RulesFile, Utf16AndEmptyRulesLoadAndMissingAndUnreadableFilesAreToldApart) {
  WriteBytes(dir_ / "utf16.rules", std::string("\xFF\xFE[\0R\0u\0l\0e\0s\0]\0\r\0\n\0"
                                               "1\0=\0"
                                               "8\0\t\0|\0\t\0\xE9\0",
                                               34));
  EXPECT_EQ(LoadRulesFile(PathOf("utf16.rules")).items, Items{"8\t|\té"});
  WriteBytes(dir_ / "empty.rules", "[Rules]\r\n");
  const auto empty = LoadRulesFile(PathOf("empty.rules"));
  EXPECT_EQ(empty.status, LoadStatus::kLoaded);
  EXPECT_EQ(empty.items, Items{});
  EXPECT_EQ(LoadRulesFile(PathOf("nothing.rules")).status, LoadStatus::kMissing);
  const auto folder = LoadRulesFile(dir_.string());
  EXPECT_EQ(folder.status, LoadStatus::kUnreadable);
  EXPECT_NE(folder.error.find(dir_.filename().string()), std::string::npos);
}

TEST_F(RulesFile, LongValuesAndAHundredThousandRulesComeBackWhole) {
  Items items = {EncodeRuleItem(1, std::string(2000, 's'), std::string(1000, 'r'))};
  for (int i = 0; i < 100000; ++i) {
    items.push_back(EncodeRuleItem(1, "s" + std::to_string(i), "r"));
  }
  std::string error;
  ASSERT_TRUE(SaveRulesFile(PathOf("many.rules"), items, error)) << error;
  EXPECT_EQ(LoadRulesFile(PathOf("many.rules")).items, items);
}

TEST_F(RulesFile, ASaveReplacesTheWholeFileAnEmptyListRemovesItAndALineBreakIsRefused) {
  const auto file = PathOf("list.rules");
  std::string error;
  ASSERT_TRUE(SaveRulesFile(file, {"1\t|\ta\t|\t", "1\t|\tb\t|\t"}, error)) << error;
  ASSERT_TRUE(SaveRulesFile(file, {"1\t|\tz\t|\t"}, error)) << error;
  EXPECT_EQ(ReadBytes(file), "[Rules]\r\n1=\"1\t|\tz\t|\t\"\r\n");
  // A line break is refused rather than cut on the next load.
  EXPECT_FALSE(SaveRulesFile(file, {"1\t|\ta\t|\t", "1\t|\tb\nc\t|\t"}, error));
  EXPECT_NE(error.find("rule 2"), std::string::npos);
  EXPECT_EQ(ReadBytes(file), "[Rules]\r\n1=\"1\t|\tz\t|\t\"\r\n");
  ASSERT_TRUE(SaveRulesFile(file, {}, error)) << error;
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_TRUE(SaveRulesFile(file, {}, error)) << error;
}

}  // namespace
}  // namespace quenby
