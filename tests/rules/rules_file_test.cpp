#include "rules/rules_file.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <utility>
#include <vector>

#include "rules/rule_item.hpp"
#include "support/file_test.hpp"

namespace quenby {
namespace {

const std::string kDataDir = std::string(QUENBY_TEST_DATA_DIR) + "/rules/";

using Items = std::vector<std::string>;

TEST(RuleItemsFromText, StopsAtTheFirstMissingOrEmptyKey) {
  EXPECT_EQ(RuleItemsFromText("[Rules]\r\n1=\"a\"\r\n2=\"b\"\r\n4=\"d\"\r\n"), (Items{"a", "b"}));
  EXPECT_EQ(RuleItemsFromText("[Rules]\r\n1=\"a\"\r\n2=\"\"\r\n3=\"c\"\r\n"), Items{"a"});
  EXPECT_EQ(RuleItemsFromText("[Rules]\r\n2=b\r\n1=a\r\n"), (Items{"a", "b"}));
  EXPECT_EQ(RuleItemsFromText("[Rules]\r\n2=\"b\"\r\n"), Items{});
  EXPECT_EQ(RuleItemsFromText("[Rules]\r\n01=\"a\"\r\n"), Items{});  // "01" is no key 1
  EXPECT_EQ(RuleItemsFromText(""), Items{});
}

class RulesFile : public FileTest {};

TEST_F(RulesFile, SaveThenLoadGivesTheIdenticalListInEitherEncoding) {
  Items items = {EncodeRuleItem(1, " b. ", " born "),
                 EncodeRuleItem(1, "\tlead tab", "trail tab\t"),
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
  const auto loaded = LoadRulesFile(file);
  EXPECT_EQ(loaded.status, LoadStatus::kLoaded);
  EXPECT_EQ(loaded.items, items);
}

TEST_F(RulesFile, SampleFilesLoadAsTheProfileFormatReadsThem) {
  const std::vector<std::pair<std::string, Items>> files = {
      {"windows1252.rules", {"1\t|\tStraße\t|\tstreet", "1\t|\t né \t|\t born "}},
      // Only the first [Rules] section counts; an unquoted value loses its trailing tab.
      {"hand_edited.rules", {"1\t|\t b. \t|\t born ", "11\t|\t; \t|"}},
      {"binary.rules", {}},
      {"no_section.rules", {}}};
  for (const auto& [name, items] : files) {
    const auto loaded = LoadRulesFile(kDataDir + name);
    EXPECT_EQ(loaded.status, LoadStatus::kLoaded) << name;
    EXPECT_EQ(loaded.items, items) << name;
  }
}

TEST_F(RulesFile, MegabytesOfNoiseLeaveTheRuleBeforeThem) {
  std::string noise(6 * 1024 * 1024, '\0');
  for (std::size_t i = 0; i < noise.size(); ++i) {
    noise[i] = "[=\"'\r\n;]x\0\xFF"[i * 7919 % 11];
  }
  WriteBytes(PathOf("noise.rules"), "[Rules]\r\n1=\"kept\"\r\n" + noise);
  EXPECT_EQ(LoadRulesFile(PathOf("noise.rules")).items, Items{"kept"});
}

TEST_F(RulesFile, MissingAndUnreadableFilesAreToldApart) {
  const auto missing = LoadRulesFile(PathOf("nothing.rules"));
  EXPECT_EQ(missing.status, LoadStatus::kMissing);
  EXPECT_TRUE(missing.items.empty());
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

TEST_F(RulesFile, ASaveReplacesTheWholeFileAndAnEmptyListRemovesIt) {
  const auto file = PathOf("list.rules");
  std::string error;
  ASSERT_TRUE(SaveRulesFile(file, {"1\t|\ta\t|\t", "1\t|\tb\t|\t", "1\t|\tc\t|\t"}, error)) << error;
  ASSERT_TRUE(SaveRulesFile(file, {"1\t|\tz\t|\t"}, error)) << error;
  EXPECT_EQ(ReadBytes(file), "[Rules]\r\n1=\"1\t|\tz\t|\t\"\r\n");
  ASSERT_TRUE(SaveRulesFile(file, {}, error)) << error;
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_TRUE(SaveRulesFile(file, {}, error)) << error;
}

TEST_F(RulesFile, AFailedOrRefusedSaveIsReportedAndKeepsTheOldFileIntact) {
  const auto file = PathOf("old.rules");
  const std::string old = "[Rules]\r\n1=\"1\t|\told\t|\t\"\r\n";
  WriteBytes(file, old);
  // An item with a line break is refused rather than cut on the next load.
  std::string error;
  EXPECT_FALSE(SaveRulesFile(file, {"1\t|\ta\t|\t", "1\t|\tb\nc\t|\t"}, error));
  EXPECT_NE(error.find("rule 2"), std::string::npos);

  std::filesystem::permissions(file, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
  error.clear();
  EXPECT_FALSE(SaveRulesFile(file, {"1\t|\tnew\t|\t"}, error));
  EXPECT_NE(error.find("old.rules"), std::string::npos);
  error.clear();
  EXPECT_FALSE(SaveRulesFile(file, {}, error));
  EXPECT_NE(error.find("old.rules"), std::string::npos);
  EXPECT_EQ(ReadBytes(file), old);
}

}  // namespace
}  // namespace quenby
