#include "rules/rules_file.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "rules/rule_item.hpp"
#include "support/file_test.hpp"

namespace quenby {
namespace {

const std::string kDataDir = std::string(QUENBY_TEST_DATA_DIR) + "/rules/";

struct ItemsCase {
  std::string_view name;
  std::string_view text;
  std::vector<std::string> expected;
};

class RuleItemsFromTexts : public ::testing::TestWithParam<ItemsCase> {};

TEST_P(RuleItemsFromTexts, StopAtTheFirstMissingOrEmptyKey) {
  EXPECT_EQ(RuleItemsFromText(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    RulesFile, RuleItemsFromTexts,
    ::testing::Values(ItemsCase{"KeysOneTwoFourLoadTwo", "[Rules]\r\n1=\"a\"\r\n2=\"b\"\r\n4=\"d\"\r\n", {"a", "b"}},
                      ItemsCase{"EmptyKeyTwoLoadsOne", "[Rules]\r\n1=\"a\"\r\n2=\"\"\r\n3=\"c\"\r\n", {"a"}},
                      ItemsCase{"KeysInAnyOrder", "[Rules]\r\n2=b\r\n1=a\r\n", {"a", "b"}},
                      ItemsCase{"NoKeyOne", "[Rules]\r\n2=\"b\"\r\n", {}},
                      ItemsCase{"LeadingZeroIsAnotherKey", "[Rules]\r\n01=\"a\"\r\n", {}},

                      ItemsCase{"Empty", "", {}}),
    [](const auto& info) { return std::string(info.param.name); });

class RulesFile : public FileTest {};

TEST_F(RulesFile, SaveThenLoadGivesTheIdenticalListInEitherEncoding) {
  std::vector<std::string> items = {
      EncodeRuleItem(1, " b. ", " born "),
      EncodeRuleItem(1, "\tlead tab", "trail tab\t"),
      EncodeRuleItem(8, "say \"hi\" now", "'"),
      EncodeRuleItem(32, "", ""),
      EncodeRuleItem(1, "né Maß", "€"),
      "\"quoted\"",
      "'single'",
  };
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

TEST_F(RulesFile, AWindows1252FileLoadsWithTheRightCharacters) {
  const auto loaded = LoadRulesFile(kDataDir + "windows1252.rules");
  ASSERT_EQ(loaded.status, LoadStatus::kLoaded);
  EXPECT_EQ(loaded.items, (std::vector<std::string>{"1\t|\tStraße\t|\tstreet", "1\t|\t né \t|\t born "}));
}

TEST_F(RulesFile, AHandEditedFileLoadsAsTheProfileFormatReadsIt) {
  // Only the first [Rules] section counts; an unquoted value loses its trailing tab.
  const auto loaded = LoadRulesFile(kDataDir + "hand_edited.rules");
  EXPECT_EQ(loaded.items, (std::vector<std::string>{"1\t|\t b. \t|\t born ", "11\t|\t; \t|"}));
}

TEST_F(RulesFile, BadInputLoadsAsAnEmptyList) {
  for (const auto* name : {"binary.rules", "no_section.rules"}) {
    const auto loaded = LoadRulesFile(kDataDir + name);
    EXPECT_EQ(loaded.status, LoadStatus::kLoaded) << name;
    EXPECT_TRUE(loaded.items.empty()) << name;
  }
  std::string noise(6 * 1024 * 1024, '\0');
  for (std::size_t i = 0; i < noise.size(); ++i) {
    noise[i] = "[=\"'\r\n;]x\0\xFF"[i * 7919 % 11];
  }
  WriteBytes(PathOf("noise.rules"), "[Rules]\r\n1=\"kept\"\r\n" + noise);
  EXPECT_EQ(LoadRulesFile(PathOf("noise.rules")).items, std::vector<std::string>{"kept"});
}

TEST_F(RulesFile, MissingAndUnreadableFilesAreToldApart) {
  const auto missing = LoadRulesFile(PathOf("nothing.rules"));
  EXPECT_EQ(missing.status, LoadStatus::kMissing);
  EXPECT_TRUE(missing.items.empty());
  const auto folder = LoadRulesFile(dir_.string());
  EXPECT_EQ(folder.status, LoadStatus::kUnreadable);
  EXPECT_NE(folder.error.find(dir_.filename().string()), std::string::npos);
}

TEST_F(RulesFile, ALongValueComesBackWhole) {
  const std::vector<std::string> items = {EncodeRuleItem(1, std::string(2000, 's'), std::string(1000, 'r'))};
  std::string error;
  ASSERT_TRUE(SaveRulesFile(PathOf("long.rules"), items, error)) << error;
  EXPECT_EQ(LoadRulesFile(PathOf("long.rules")).items, items);
}

TEST_F(RulesFile, AHundredThousandRulesSaveAndLoad) {
  std::vector<std::string> items;
  for (int i = 0; i < 100000; ++i) {
    items.push_back(EncodeRuleItem(1, "s" + std::to_string(i), "r"));
  }
  std::string error;
  ASSERT_TRUE(SaveRulesFile(PathOf("many.rules"), items, error)) << error;
  EXPECT_EQ(LoadRulesFile(PathOf("many.rules")).items, items);
}

TEST_F(RulesFile, SavingAShorterListLeavesNoTraceOfTheLongerOne) {
  const auto file = PathOf("list.rules");
  std::string error;
  ASSERT_TRUE(SaveRulesFile(file, {"1\t|\ta\t|\t", "1\t|\tb\t|\t", "1\t|\tc\t|\t"}, error)) << error;
  ASSERT_TRUE(SaveRulesFile(file, {"1\t|\tz\t|\t"}, error)) << error;
  EXPECT_EQ(ReadBytes(file), "[Rules]\r\n1=\"1\t|\tz\t|\t\"\r\n");
}

TEST_F(RulesFile, SavingAnEmptyListRemovesTheFile) {
  const auto file = PathOf("list.rules");
  std::string error;
  ASSERT_TRUE(SaveRulesFile(file, {"1\t|\ta\t|\t"}, error)) << error;
  ASSERT_TRUE(SaveRulesFile(file, {}, error)) << error;
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_EQ(LoadRulesFile(file).status, LoadStatus::kMissing);
  EXPECT_TRUE(SaveRulesFile(file, {}, error)) << error;
}

TEST_F(RulesFile, AFailedSaveIsReportedAndKeepsTheOldFileIntact) {
  const auto file = PathOf("old.rules");
  const std::string old = "[Rules]\r\n1=\"1\t|\told\t|\t\"\r\n";
  WriteBytes(file, old);
  std::filesystem::permissions(file, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
  std::string error;
  EXPECT_FALSE(SaveRulesFile(file, {"1\t|\tnew\t|\t"}, error));
  EXPECT_NE(error.find("old.rules"), std::string::npos);
  error.clear();
  EXPECT_FALSE(SaveRulesFile(file, {}, error));
  EXPECT_NE(error.find("old.rules"), std::string::npos);
  EXPECT_EQ(ReadBytes(file), old);

  error.clear();
  EXPECT_FALSE(SaveRulesFile(PathOf("no-such-folder/new.rules"), {"1\t|\tx\t|\t"}, error));
  EXPECT_NE(error.find("no-such-folder"), std::string::npos);
}

TEST_F(RulesFile, AnItemWithALineBreakIsRefusedRatherThanCutOnTheNextLoad) {
  const auto file = PathOf("old.rules");
  const std::string old = "[Rules]\r\n1=\"1\t|\told\t|\t\"\r\n";
  WriteBytes(file, old);
  std::string error;
  EXPECT_FALSE(SaveRulesFile(file, {"1\t|\ta\t|\t", "1\t|\tb\nc\t|\t"}, error));
  EXPECT_NE(error.find("rule 2"), std::string::npos);
  EXPECT_EQ(ReadBytes(file), old);
}

}  // namespace
}  // namespace quenby
