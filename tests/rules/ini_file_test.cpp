#include "rules/ini_file.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "support/file_test.hpp"

namespace quenby {
namespace {

struct ValueCase {
  std::string_view name;
  std::string_view text;
  std::optional<std::string> expected;  // of key "Key" in section "Sec"
};

class ProfileValues : public ::testing::TestWithParam<ValueCase> {};

TEST_P(ProfileValues, AreFoundAndTrimmedAsTheProfileFormatReadsThem) {
  EXPECT_EQ(IniDocument::Parse(GetParam().text).Value("Sec", "Key"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    IniDocument, ProfileValues,
    ::testing::Values(ValueCase{"Plain", "[Sec]\r\nKey=value\r\n", "value"},
                      ValueCase{"CaseOfSectionAndKeyIgnored", "[sEC]\r\nKEY=value", "value"},
                      ValueCase{"BlanksAroundNamesIgnored", " \t[ Sec ]\t\r\n\t Key \t= value", "value"},
                      ValueCase{"BlanksAroundValueRemoved", "[Sec]\r\nKey= \t a b \t ", "a b"},
                      ValueCase{"DoubleQuotesKeepBlanks", "[Sec]\r\nKey= \" a\t\" ", " a\t"},
                      ValueCase{"SingleQuotesKeepBlanks", "[Sec]\r\nKey='\ta '", "\ta "},
                      ValueCase{"OnlyTheOuterPairGoes", "[Sec]\r\nKey=\"\"a\"b\"\"", "\"a\"b\""},
                      ValueCase{"MismatchedQuotesStay", "[Sec]\r\nKey=\"a'", "\"a'"},
                      ValueCase{"LoneQuoteStays", "[Sec]\r\nKey=\"", "\""},
                      ValueCase{"TwoQuotesAreEmpty", "[Sec]\r\nKey=\"\"", ""},
                      ValueCase{"ValueAfterTheFirstEquals", "[Sec]\r\nKey==a=b", "=a=b"},
                      ValueCase{"EmptyValueIsAValue", "[Sec]\r\nKey=", ""},
                      ValueCase{"FirstKeyWins", "[Sec]\r\nKey=first\r\nkey=second", "first"},
                      ValueCase{"FirstSectionWins", "[Sec]\r\nOther=1\r\n[Sec]\r\nKey=second", std::nullopt},
                      ValueCase{"CommentIsNoKey", "[Sec]\r\n;Key=commented\r\n", std::nullopt},
                      ValueCase{"LineWithoutEqualsIsNoKey", "[Sec]\r\nKey\r\n", std::nullopt},
                      ValueCase{"KeyBeforeAnySectionIsInNone", "Key=x\r\n[Sec]\r\n", std::nullopt},

                      ValueCase{"LfLineBreaks", "[Sec]\nA=1\nKey=lf\n", "lf"},
                      ValueCase{"LoneCrLineBreaks", "[Sec]\rA=1\rKey=cr", "cr"},
                      ValueCase{"UnclosedSectionHeader", "[Sec\r\nKey=open", "open"},
                      ValueCase{"NulBytesAreText", std::string_view("[Sec]\r\nKey=a\0b", 14), std::string("a\0b", 3)},
                      ValueCase{"OnlyABracket", "[", std::nullopt}, ValueCase{"EmptyText", "", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IniDocument, ReadsALongValueWhole) {
  const std::string value(5000, 'x');
  EXPECT_EQ(IniDocument::Parse("[Sec]\r\nKey=\"" + value + "\"\r\n").Value("Sec", "Key"), value);
}

class IniFile : public FileTest {};

TEST_F(IniFile, WritingCreatesTheFileAndReadingFindsTheValue) {
  auto file = PathOf("new.ini");
  std::string error;
  ASSERT_TRUE(WriteINIString("Rules", "1", "\" a \"", file, error)) << error;
  EXPECT_EQ(ReadBytes(file), "[Rules]\r\n1=\" a \"\r\n");
  EXPECT_EQ(ReadINIString("rules", "1", "default", file), " a ");
  EXPECT_EQ(ReadINIString("rules", "2", "default", file), "default");
  auto missing = PathOf("missing.ini");
  EXPECT_EQ(ReadINIString("Rules", "1", "default", missing), "default");
}

TEST_F(IniFile, WritingReplacesOneKeyAndKeepsEverythingElse) {
  auto file = PathOf("settings.ini");
  WriteBytes(file, "; comment\n[First]\nA=1\n\n[Second]\nB=2\nC=3\n\n[Third]\nD=4\n");
  std::string error;
  ASSERT_TRUE(WriteINIString("second", "c", "new", file, error)) << error;
  ASSERT_TRUE(WriteINIString("First", "E", "5", file, error)) << error;
  ASSERT_TRUE(WriteINIString("Fourth", "F", "6", file, error)) << error;
  EXPECT_EQ(ReadBytes(file),
            "; comment\r\n[First]\r\nA=1\r\nE=5\r\n\r\n[Second]\r\nB=2\r\nc=new\r\n\r\n[Third]\r\nD=4\r\n"
            "[Fourth]\r\nF=6\r\n");
}

TEST_F(IniFile, RefusedOrFailedWritesAreReportedAndKeepTheFile) {
  auto file = PathOf("settings.ini");
  WriteBytes(file, "[Sec]\r\nKey=old\r\n");
  std::string error;
  // Texts that would not read back as written.
  EXPECT_FALSE(WriteINIString("Sec", "Key", "line\r\nbreak", file, error));
  EXPECT_NE(error.find("settings.ini"), std::string::npos);
  EXPECT_FALSE(WriteINIString("Sec", "a=b", "x", file, error));
  EXPECT_FALSE(WriteINIString("Sec", " ", "x", file, error));
  EXPECT_FALSE(WriteINIString("Sec", ";Key", "x", file, error));
  EXPECT_FALSE(WriteINIString("S]ec", "Key", "x", file, error));

  std::filesystem::permissions(file, std::filesystem::perms::owner_read);
  error.clear();
  EXPECT_FALSE(WriteINIString("Sec", "Key", "new", file, error));
  EXPECT_NE(error.find("settings.ini"), std::string::npos);
  EXPECT_EQ(ReadBytes(file), "[Sec]\r\nKey=old\r\n");

  auto folder = dir_.string();
  EXPECT_FALSE(WriteINIString("Sec", "Key", "new", folder, error));
  EXPECT_EQ(ReadINIString("Sec", "Key", "default", folder), "default");
}

TEST_F(IniFile, AnEmptyFileNameStandsForTheSettingsFileInTheProgramDirectory) {
  SetProgramDirectory(dir_.string());
  std::string file;
  std::string error;
  ASSERT_TRUE(WriteINIString("Window", "Top", "10", file, error)) << error;
  EXPECT_EQ(std::filesystem::path(file), dir_ / "Quenby.INI");
  std::string again;
  EXPECT_EQ(ReadINIString("Window", "Top", "", again), "10");
  EXPECT_EQ(again, file);
  SetProgramDirectory("");
}

}  // namespace
}  // namespace quenby
