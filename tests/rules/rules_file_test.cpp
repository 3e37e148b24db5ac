// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <vector>

#include "rules/ini_file.hpp"
#include "rules/rule_item.hpp"
#include "rules/rules_file.hpp"
#include "support/file_test.hpp"
#include "support/golden_table.hpp"

namespace quenby {
namespace {

// Case, blanks, comments, lone CRs, quotes and repeated keys and sections are
// met in the hand-edited sample file.
TEST(IniDocument, ValuesAreReadAsTheProfileFormatReadsThem) {
  for (const GoldenRow& c : ReadGoldenTable("rules/ini_values.tsv", 3)) {
    const auto value = IniDocument::Parse(c[0]).Value("Sec", "Key");
    EXPECT_EQ(value, c[2] == "none" ? std::nullopt : std::optional(c[1])) << c.where;
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

using Items = std::vector<std::string>;

class RulesFromTextTable : public testing::TestWithParam<GoldenRow> {};

TEST_P(RulesFromTextTable, LoadsEveryNumberedKeyInOrderAndSaysWhatItDid) {
  const GoldenRow& c = GetParam();
  const auto read = RulesFromText(c[1]);
  EXPECT_EQ(read.items, GoldenLines(c[2])) << c.where << ": " << c[0];
  EXPECT_EQ(read.notes, GoldenLines(c[3])) << c.where << ": " << c[0];
}

INSTANTIATE_TEST_SUITE_P(Golden, RulesFromTextTable, testing::ValuesIn(ReadGoldenTable("rules/notes.tsv", 4)));

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

TEST_F(RulesFile, SaveThenLoadGivesTheIdenticalListInEitherEncodingLongOrShort) {
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

  // No Windows-1252 byte, long values and a hundred thousand rules.
  items.push_back(EncodeRuleItem(42, std::string(2000, 's'), "Ł" + std::string(1000, 'r')));
  for (int i = 0; i < 100000; ++i) {
    items.push_back(EncodeRuleItem(1, "s" + std::to_string(i), "r"));
  }
  ASSERT_TRUE(SaveRulesFile(file, items, error)) << error;
  EXPECT_NE(ReadBytes(file).find("né Maß"), std::string::npos);  // UTF-8
  EXPECT_EQ(LoadRulesFile(file).items, items);
}

TEST_F(RulesFile, SampleFilesLoadEveryRuleTheyHold) {
  for (const GoldenRow& c : ReadGoldenTable("rules/samples.tsv", 2)) {
    const auto loaded = LoadRulesFile(std::string(QUENBY_TEST_DATA_DIR) + "/rules/" + c[0]);
    EXPECT_EQ(loaded.status, LoadStatus::kLoaded) << c.where;
    EXPECT_EQ(loaded.items, GoldenLines(c[1])) << c.where;
  }
}

// A missing file is told apart from one that cannot be read.
TEST_F(RulesFile, MissingAndUnreadableFilesAreToldApart) {
  EXPECT_EQ(LoadRulesFile(PathOf("nothing.rules")).status, LoadStatus::kMissing);
  const auto folder = LoadRulesFile(dir_.string());
  EXPECT_EQ(folder.status, LoadStatus::kUnreadable);
  EXPECT_NE(folder.error.find(dir_.filename().string()), std::string::npos);
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
