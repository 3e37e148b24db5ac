// SPDX-License-Identifier: GPL-3.0-or-later
// The standard 5.5.1 and 7.0 files made from record text: the example's
// files byte for byte, record text a reader would refuse, and the sexes,
// links, citations and notes that the classic records leave to the reader.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "engine/engine.hpp"
#include "gedcom/gedcom_lines.hpp"
#include "gedcom/records.hpp"
#include "gedcom/standard_export.hpp"
#include "rules/rules_file.hpp"
#include "support/file_test.hpp"
#include "support/golden_table.hpp"
#include "support/record_lines.hpp"
#include "text/encoding.hpp"
#include "text/text.hpp"

namespace quenby {
namespace {

StandardExportOptions Options(GedcomVersion version, std::vector<std::string> defaults = {}) {
  return {version, DateOrder::kDayFirst, "6 DEC 2026", "", std::move(defaults)};
}

// The records of a people list, every sex answered "F" by default.
GeneratedRecords Records(const PeopleList& people) {
  return ProcessAll(people, [](const std::string&) { return SexAnswer{"F", false}; });
}

std::string Export(const GeneratedRecords& records, GedcomVersion version) {
  const auto exported = ExportStandardGedcom(records.indi, records.fam, Options(version, records.defaultSexIds));
  EXPECT_EQ(exported.error, "");
  return exported.bytes;
}

class ExampleFiles : public FileTest {};

// The example's files are what the example's records give; set
// QUENBY_UPDATE_EXAMPLES=1 to write them after a deliberate change.
TEST_F(ExampleFiles, AreMadeFromTheExampleRecordsByteForByte) {
  const std::string examples = std::string(QUENBY_SOURCE_DIR) + "/examples/";
  for (const std::string example : {"hartley", "schmidt"}) {
    const auto rules = LoadRulesFile(examples + example + ".rules");
    ASSERT_EQ(rules.status, LoadStatus::kLoaded);
    const auto input = NormaliseLineBreaks(DecodeTextFile(ReadBytes(examples + example + ".txt")).value());
    const auto records = ProcessAll(RunRules(input, rules.items), [](const std::string&) { return SexAnswer{"F"}; });
    for (const auto& [version, format] :
         {std::pair{GedcomVersion::k551, "-5.5.1.ged"}, std::pair{GedcomVersion::k70, "-7.0.ged"}}) {
      const std::string name = example + format;
      auto options = Options(version);
      options.fileName = name;
      const auto exported = ExportStandardGedcom(records.indi, records.fam, options);
      ASSERT_EQ(exported.error, "");
      if (std::getenv("QUENBY_UPDATE_EXAMPLES") != nullptr) {
        WriteBytes(examples + name, exported.bytes);
      }
      EXPECT_EQ(exported.bytes, ReadBytes(examples + name)) << name;
    }
  }
}

TEST_F(ExampleFiles, RecordTextThatIsNotGedcomIsReportedAndNothingIsWritten) {
  const std::string path = PathOf("kept.ged");
  WriteBytes(path, "earlier");
  std::string error;
  EXPECT_FALSE(WriteStandardGedcomFile(path, "0 @I1@ INDI\r\n1 NAME A\r\n\r\nnotes typed here\r\n", "",
                                       Options(GedcomVersion::k551), error));
  EXPECT_EQ(error, "Individuals [GED], line 4 is not GEDCOM: it does not start with a level number (0 to 99)");
  EXPECT_FALSE(WriteStandardGedcomFile(path, "", "0 @F1@ FAM\r\n2 HUSB @I1@\r\n", Options(GedcomVersion::k70), error));
  EXPECT_EQ(error, "Families [GED], line 2 is not GEDCOM: its level is more than one deeper");
  EXPECT_EQ(ReadBytes(path), "earlier");
}

// A long list's file is written as it is made, many pieces in turn; the
// file holds exactly the bytes of the export made whole.
TEST_F(ExampleFiles, ALongListIsWrittenAsItIsMadeWithTheSameBytes) {
  std::string indi;
  std::string fam;
  for (int i = 1; i <= 3000; ++i) {
    const std::string id = std::to_string(i);
    indi += Lines({"0 @I" + id + "@ INDI", "1 NAME Jan van der Berg" + id + " Jr.",
                   std::string(i % 2 != 0 ? "1 SEX M" : "1 SEX F"), "1 BIRT",
                   "2 DATE abt " + std::to_string(1700 + i % 200), "1 NOTE {Zoë’s note " + id + "}"});
    if (i % 2 == 0) {
      fam += Lines({"0 @F" + id + "@ FAM", "1 HUSB @I" + std::to_string(i - 1) + "@", "1 WIFE @I" + id + "@",
                    "1 CHIL @I" + std::to_string(i % 2999 + 1) + "@"});
    }
  }
  for (const auto version : {GedcomVersion::k551, GedcomVersion::k70}) {
    auto options = Options(version, {"I7", "I8"});
    options.fileName = "long.ged";
    const auto whole = ExportStandardGedcom(indi, fam, options);
    ASSERT_EQ(whole.error, "");
    ASSERT_GT(whole.bytes.size(), 500'000u);
    // Every record once and in order, each person in their family.
    const auto count = [&whole](std::string_view text) {
      std::size_t found = 0;
      for (auto at = whole.bytes.find(text); at != std::string::npos; at = whole.bytes.find(text, at + 1)) {
        ++found;
      }
      return found;
    };
    EXPECT_EQ(count("\r\n0 @I"), 3000u);
    EXPECT_EQ(count("\r\n0 @F"), 1500u);
    EXPECT_EQ(count("\r\n1 FAMS @F"), 3000u);
    EXPECT_LT(whole.bytes.find("0 @I2999@ INDI"), whole.bytes.find("0 @I3000@ INDI"));
    EXPECT_TRUE(EndsWith(whole.bytes, "0 TRLR\r\n"));
    std::string error;
    ASSERT_TRUE(WriteStandardGedcomFile(PathOf("long.ged"), indi, fam, options, error)) << error;
    EXPECT_EQ(ReadBytes(PathOf("long.ged")), whole.bytes);
  }
}

class ParseRecordText : public ::testing::TestWithParam<GoldenRow> {};

// A line ends at its first CR or LF wherever the other kind stands.
TEST_P(ParseRecordText, ReadsEachLineOrReportsTheFirstThatIsNotGedcom) {
  const GoldenRow& c = GetParam();
  const auto read = quenby::ParseRecordText(c[1]);
  if (!c[4].empty()) {
    ASSERT_TRUE(read.error.has_value()) << c.where;
    EXPECT_EQ(read.error->reason, c[4]) << c.where;
    return;
  }
  ASSERT_FALSE(read.error) << c.where;
  std::string joined;
  for (std::size_t i = 0; i < read.lines.size(); ++i) {
    joined += (i == 0 ? "" : "|") + std::string(read.lines[i].value);
  }
  EXPECT_EQ(joined, c[2]) << c.where << ": " << c[0];
  ASSERT_FALSE(read.lines.empty()) << c.where;
  EXPECT_EQ(read.lines.back().lineNumber, std::stoul(c[3])) << c.where;
}

INSTANTIATE_TEST_SUITE_P(Golden, ParseRecordText, ::testing::ValuesIn(ReadGoldenTable("export/record_text.tsv", 5)));

TEST(ExportStandardGedcom, InfersDefaultSexesFromPartnersAndKeepsEveryCoupleReadable) {
  for (const GoldenRow& c : ReadGoldenTable("export/sexes.tsv", 4)) {
    const auto records = Records(SplitOn(c[1], "\n"));
    const std::string file = Export(records, GedcomVersion::k551);
    std::string sexes;
    std::string roles;
    for (const auto& line : SplitOn(file, kCrLf)) {
      if (StartsWith(line, "1 SEX ")) {
        sexes += line.substr(6);
      } else if (StartsWith(line, "1 HUSB @") || StartsWith(line, "1 WIFE @")) {
        roles += (roles.empty() || EndsWith(roles, "/") ? "" : ",") + line.substr(2, 4) + " " +
                 line.substr(8, line.size() - 9);
      } else if (line == "0 @F2@ FAM") {
        roles += "/";
      }
    }
    EXPECT_EQ(sexes.substr(0, c[2].size()), c[2]) << c.where << ": " << c[0];
    EXPECT_EQ(roles.substr(0, roles.find('/')), c[3]) << c.where << ": " << c[0];
  }
}

TEST(ExportStandardGedcom, WritesWhatThePeopleLinesSay) {
  for (const GoldenRow& c : ReadGoldenTable("export/people.tsv", 6)) {
    const auto records = Records(SplitOn(c[1], "\n"));
    for (const auto version : {GedcomVersion::k551, GedcomVersion::k70}) {
      const bool five = version == GedcomVersion::k551;
      const std::string file = Export(records, version);
      if (const std::string& lines = five ? c[2] : c[3]; !lines.empty()) {
        EXPECT_NE(file.find(ReplaceAll(lines, "|", kCrLf) + std::string(kCrLf)), std::string::npos)
            << c.where << ": " << c[0] << "\n"
            << file;
      }
      if (const std::string& absent = five ? c[4] : c[5]; !absent.empty()) {
        EXPECT_EQ(file.find(absent), std::string::npos) << c.where << ": " << c[0];
      }
    }
  }
}

class LessCommonRecords : public ::testing::TestWithParam<GoldenRow> {};

TEST_P(LessCommonRecords, AreWrittenAsAReaderNeedsThem) {
  const GoldenRow& c = GetParam();
  // "a|b" as the lines "a" and "b", each ended by CR LF.
  const auto lines = [](const std::string& joined) {
    return joined.empty() ? std::string() : ReplaceAll(joined, "|", kCrLf) + std::string(kCrLf);
  };
  for (const auto version : {GedcomVersion::k551, GedcomVersion::k70}) {
    const auto exported = ExportStandardGedcom(lines(c[1]), lines(c[2]), Options(version, {"I9"}));
    ASSERT_EQ(exported.error, "") << c.where;
    const std::string& expected = version == GedcomVersion::k551 || c[4] == "=" ? c[3] : c[4];
    EXPECT_NE(exported.bytes.find(lines(expected)), std::string::npos) << c.where << ": " << c[0] << "\n"
                                                                       << exported.bytes;
    if (!c[5].empty()) {
      EXPECT_EQ(exported.bytes.find(c[5]), std::string::npos) << c.where << ": " << c[0] << "\n" << exported.bytes;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Golden, LessCommonRecords, ::testing::ValuesIn(ReadGoldenTable("export/records.tsv", 6)));

}  // namespace
}  // namespace quenby
