// SPDX-License-Identifier: GPL-3.0-or-later
// "Save generated file" in its three formats: the filter chosen in the save
// dialog picks the format, which the next save and the next run offer again;
// record text that is not GEDCOM is told with its line and writes nothing.
// The settings live in a temporary folder, never the user's.

#include "window_fixture.hpp"

namespace {

const QString kStandard = QStringLiteral("GEDCOM 5.5.1 standard (*.ged)");
const QString kSeven = QStringLiteral("GEDCOM 7.0 (*.ged)");

QSettings Settings() {
  return QSettings(QStringLiteral("Quenby"), QStringLiteral("Quenby"));
}

}  // namespace

class SaveFormatTest : public QObject, WindowFixture {
  Q_OBJECT

  QTemporaryDir config_;

  // Loads the example, runs its rules and processes every person; Ann
  // Whiteley, the one person without a sex, is answered by `answerSex`.
  void ProcessExample(const std::function<void(QDialog&)>& answerSex) {
    window_->LoadRules(ExamplePath("hartley.rules"));
    window_->OpenText(ExamplePath("hartley.txt"));
    RunTheRules();
    modal_->dialogScripts.push_back(answerSex);
    Click(window_->btnDoAll);
  }

  // Saves as `name`, ending the dialog on `filter` (on the one it opened
  // with when empty).
  QByteArray Save(const QString& name, const QString& filter) {
    modal_->fileNames = {folder_.filePath(name)};
    if (!filter.isEmpty()) {
      modal_->chosenFilters = {filter};
    }
    Click(window_->btnWrite);
    return FileBytes(folder_.filePath(name));
  }

  static void ChooseFemale(QDialog& dialog) { ChooseSex(dynamic_cast<quenby::frmSexChoice&>(dialog), 2); }

 private slots:
  void initTestCase() {
    qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
    // The day of the example's files.
    qputenv("SOURCE_DATE_EPOCH", "1796515200");
  }

  void init() { OpenWindow(); }

  void cleanup() {
    DropWindow();
    QVERIFY(modal_->messages.empty());
  }

  void theChosenFormatIsWrittenAndOfferedAgainUntilAnotherIsChosen() {
    ProcessExample(ChooseFemale);
    // The first save, as ever, writes the classic file.
    QCOMPARE(Save("hartley.ged", QString()), FileBytes(ExamplePath("hartley.ged")));

    QCOMPARE(Save("hartley-5.5.1.ged", kStandard), FileBytes(ExamplePath("hartley-5.5.1.ged")));
    QCOMPARE(Settings().value("export/format").toString(), QStringLiteral("5.5.1"));
    // The next save, and a window of the next run, open on the same format.
    QCOMPARE(Save("again.ged", QString()),
             FileBytes(ExamplePath("hartley-5.5.1.ged")).replace("hartley-5.5.1", "again"));
    QCOMPARE(modal_->fileQuestions.back().selectedFilter, kStandard);
    QCOMPARE(Save("hartley-7.0.ged", kSeven), FileBytes(ExamplePath("hartley-7.0.ged")));
    window_ = std::make_unique<quenby::frmQuenby>(*modal_, registry_);
    modal_->fileNames = {QString()};
    Click(window_->btnWrite);
    QCOMPARE(modal_->fileQuestions.back().selectedFilter, kSeven);
    QCOMPARE(Save("classic.ged", QStringLiteral("All Files (*.*)")).left(6), QByteArray("0 HEAD"));
    QCOMPARE(Settings().value("export/format").toString(), QStringLiteral("classic"));
  }

  void numericDatesFollowTheRememberedDateOrder() {
    ProcessExample(ChooseFemale);
    Settings().setValue("export/dateOrder", "mdy");
    QVERIFY(Save("mdy.ged", kStandard).contains("2 DATE 5 MAR 1845\r\n"));
    Settings().setValue("export/dateOrder", "dmy");
    QVERIFY(Save("dmy.ged", kSeven).contains("2 DATE 3 MAY 1845\r\n"));
  }

  void aSexNobodyChoseIsPassedOnAsADefault() {
    // The question closed without a choice: "F" in the records, as ever.
    ProcessExample([](QDialog&) {});
    QVERIFY(window_->txtINDI->toPlainText().contains("1 NAME Ann /Whiteley/\n1 SEX F\n"));
    QCOMPARE(window_->DefaultSexIds, std::vector<std::string>{"I6"});
    // Without the families nothing tells her sex: the window passed on that
    // it was a default, not a choice.
    window_->txtFAM->setPlainText(QString());
    QVERIFY(Save("unknown.ged", kSeven).contains("2 SURN Whiteley\r\n1 SEX U\r\n"));

    // "Process the test" adds to the list; clearing the records empties it.
    window_->lstPeople->setCurrentRow(5);
    Click(window_->btnTestOne);
    window_->txtDetails[1]->clear();
    modal_->dialogScripts.push_back([](QDialog&) {});
    Click(window_->btnDoOne);
    QCOMPARE(window_->DefaultSexIds, (std::vector<std::string>{"I6", "I6"}));
    window_->ClearGedOutput();
    QVERIFY(window_->DefaultSexIds.empty());
  }

  void recordTextThatIsNotGedcomIsToldWithItsLineAndNothingIsWritten() {
    window_->txtINDI->setPlainText(QStringLiteral("0 @I1@ INDI\n1 NAME Ann\nAnn's notes typed here\n"));
    window_->txtFAM->setPlainText(QStringLiteral("0 @F1@ FAM\n"));
    modal_->fileNames = {folder_.filePath("bad.ged")};
    modal_->chosenFilters = {kSeven};
    Click(window_->btnWrite);
    QCOMPARE(modal_->messages.size(), std::size_t{1});
    QVERIFY(modal_->messages[0].contains("Individuals [GED], line 3 is not GEDCOM"));
    QVERIFY(!QFile::exists(folder_.filePath("bad.ged")));
    QCOMPARE(window_->txtINDI->toPlainText(), QStringLiteral("0 @I1@ INDI\n1 NAME Ann\nAnn's notes typed here\n"));
    QCOMPARE(window_->txtFAM->toPlainText(), QStringLiteral("0 @F1@ FAM\n"));
    modal_->messages.clear();
  }
};

QTEST_MAIN(SaveFormatTest)
#include "save_format_test.moc"
