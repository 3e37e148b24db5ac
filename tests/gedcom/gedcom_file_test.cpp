#include "gedcom/gedcom_file.hpp"

#include "support/file_test.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "gedcom/records.hpp"
#include "gedcom_test_support.hpp"

namespace quenby {
namespace {

namespace fs = std::filesystem;

TEST(GedcomFileText, OnePersonGivesFourteenLines) {
  const GeneratedRecords records = ProcessAll({"John Smith|_S_M"}, SexQuestion{});
  EXPECT_EQ(GedcomFileText(records.indi, records.fam),
            Lines({"0 HEAD", "1 GEDC", "2 VERS 5.5.1", "2 Form LINEAGE - LINKED", "1 Char ANSI", "", "0 @I1@ INDI",
                   "1 NAME John /Smith/", "1 SEX M", "", "0 @S1@ SOUR", "1 TITL Quenby", "", "0 TRLR"}));
}

TEST(GedcomFileText, RecordsGoInUnchangedIndividualsFirstBetweenHeaderAndSource) {
  EXPECT_EQ(GedcomFileBytes("", ""), Lines({"0 HEAD", "1 GEDC", "2 VERS 5.5.1", "2 Form LINEAGE - LINKED",
                                            "1 Char ANSI", "", "0 @S1@ SOUR", "1 TITL Quenby", "", "0 TRLR"}));
  EXPECT_EQ(GedcomFileText("I\r\n", "F\r\n"), GedcomFileText("I\r\nF\r\n", ""));
  // Typed text without a final line break runs on into the source record.
  const std::string text = GedcomFileText("typed", "");
  EXPECT_NE(text.find("\r\n\r\ntyped0 @S1@ SOUR\r\n"), std::string::npos);
}

TEST(GedcomFileBytes, FileIsAnsiUnlessACharacterIsOutsideWindows1252) {
  const std::string bytes = GedcomFileBytes(Lines({"1 NAME Ren\xC3\xA9 /D\xC3\xBCrer/ \xE2\x82\xAC"}), "");
  EXPECT_NE(bytes.find("1 Char ANSI\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("1 NAME Ren\xE9 /D\xFCrer/ \x80\r\n"), std::string::npos);

  // A character outside it makes the whole file UTF-8; only the header line changes.
  const std::string indi = Lines({"1 NAME \xC5\x81ucja /Ren\xC3\xA9/"});
  const std::string fam = Lines({"1 NOTE 1 Char ANSI"});
  std::string expected = GedcomFileText(indi, fam);
  expected.replace(expected.find("1 Char ANSI"), 11, "1 CHAR UTF-8");
  EXPECT_EQ(GedcomFileBytes(indi, fam), expected);
}

class WriteGedcom : public FileTest {};

TEST_F(WriteGedcom, WritesTheEncodedFileUnderTheNameAsGivenAndAFailedWriteKeepsIt) {
  const std::string name = (dir_ / "family").string();
  const std::string indi = Lines({"1 NAME Ren\xC3\xA9"});
  std::string error;
  ASSERT_TRUE(WriteGedcomFile(name, indi, "", error)) << error;
  EXPECT_EQ(ReadBytes(name), GedcomFileBytes(indi, ""));
  EXPECT_FALSE(fs::exists(name + ".ged"));

  fs::permissions(name, fs::perms::owner_read);
  EXPECT_FALSE(WriteGedcomFile(name, "new\r\n", "", error));
  EXPECT_NE(error.find("family"), std::string::npos);
  EXPECT_EQ(ReadBytes(name), GedcomFileBytes(indi, ""));
}

}  // namespace
}  // namespace quenby
