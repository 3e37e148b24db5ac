// SPDX-License-Identifier: GPL-3.0-or-later
// "Save generated file" in its three formats: the filter chosen in the save
// dialog picks the format, which the next save and the next run offer again;
// a name typed without ".ged" gets it; saving no records asks first; record
// text that is not GEDCOM is told with its line and writes nothing. The
// settings live in a temporary folder, never the user's.

#include "window_fixture.hpp"

namespace {

const QString kStandard = QStringLiteral("GEDCOM 5.5.1 (*.ged)");
const QString kSeven = QStringLiteral("GEDCOM 7.0 (*.ged)");
const QString& kClassic = kClassicFilter;
const QString kAllFiles = QStringLiteral("All Files (*.*)");

QSettings Settings() {
  return QSettings(QStringLiteral("Quenby"), QStringLiteral("Quenby"));
}

}  // namespace

class SaveFormatTest : public QObject, WindowFixture {
  Q_OBJECT

  QTemporaryDir config_;

  void ProcessExample() {
    RunTheExample();
    ProcessTheExample(ChooseFemale);
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

  // Each GEDCOM entry names its dialect; "All Files" is no format. Numeric
  // dates follow the remembered date order.
  void theChosenFormatIsWrittenAndOfferedAgainUntilAnotherIsChosen() {
    ProcessExample();
    // A new user's first save writes standard 5.5.1.
    QCOMPARE(SaveRecords("hartley-5.5.1.ged"), FileBytes(ExamplePath("hartley-5.5.1.ged")));
    QCOMPARE(modal_->fileQuestions.back().selectedFilter, kStandard);

    QCOMPARE(SaveRecords("hartley.ged", kClassic), FileBytes(ExamplePath("hartley.ged")));
    // The next save, and a window of the next run, open on the same format;
    // "All Files" writes it and changes nothing remembered.
    QCOMPARE(SaveRecords("again.ged"), FileBytes(ExamplePath("hartley.ged")));
    QCOMPARE(modal_->fileQuestions.back().selectedFilter, kClassic);
    QCOMPARE(SaveRecords("hartley-7.0.ged", kSeven), FileBytes(ExamplePath("hartley-7.0.ged")));
    window_ = std::make_unique<quenby::frmQuenby>(*modal_, registry_);
    ProcessExample();
    QCOMPARE(SaveRecords("all.ged", kAllFiles),
             FileBytes(ExamplePath("hartley-7.0.ged")).replace("hartley-7.0", "all"));
    QCOMPARE(modal_->fileQuestions.back().selectedFilter, kSeven);
    QCOMPARE(Settings().value("export/format").toString(), QStringLiteral("7.0"));

    Settings().setValue("export/dateOrder", "mdy");
    QVERIFY(SaveRecords("mdy.ged", kStandard).contains("2 DATE 5 MAR 1845\r\n"));
    Settings().setValue("export/dateOrder", "dmy");
    QVERIFY(SaveRecords("dmy.ged", kSeven).contains("2 DATE 3 MAY 1845\r\n"));
  }

  // A name typed without an extension gets ".ged", whatever entry the dialog
  // ended on, unless a file of exactly that name exists: the user chose it.
  // Replacing a file under the longer name is asked first; No saves nothing.
  void aNameWithoutExtensionGetsGedUnlessTheUserChoseAFileOfThatName_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QList<bool>>("answers");  // to "replace it?"
    QTest::addColumn<QString>("written");      // empty: nothing written
    QTest::newRow("plain") << "family" << kStandard << QStringList() << QList<bool>() << "family.ged";
    QTest::newRow("all files") << "family" << kAllFiles << QStringList() << QList<bool>() << "family.ged";
    QTest::newRow("has one") << "family.txt" << kSeven << QStringList() << QList<bool>() << "family.txt";
    QTest::newRow("dotted folder") << "v1.2/family" << kStandard << QStringList() << QList<bool>() << "v1.2/family.ged";
    QTest::newRow("hidden file") << ".family" << kStandard << QStringList() << QList<bool>() << ".family.ged";
    QTest::newRow("chosen as it is") << "family" << kClassic << QStringList({"family"}) << QList<bool>() << "family";
    QTest::newRow("replace yes") << "family" << kClassic << QStringList({"family.ged"}) << QList<bool>({true})
                                 << "family.ged";
    QTest::newRow("replace no") << "family" << kClassic << QStringList({"family.ged"}) << QList<bool>({false})
                                << QString();
  }
  void aNameWithoutExtensionGetsGedUnlessTheUserChoseAFileOfThatName() {
    QFETCH(QString, typed);
    QFETCH(QString, filter);
    QFETCH(QStringList, existing);
    QFETCH(QList<bool>, answers);
    QFETCH(QString, written);
    // Each row starts with an empty folder.
    QVERIFY(QDir(folder_.path()).removeRecursively() && QDir(folder_.path()).mkpath("v1.2"));
    for (const QString& name : existing) {
      QFile file(folder_.filePath(name));
      QVERIFY(file.open(QIODevice::WriteOnly) && file.write("old") == 3);
    }
    window_->txtINDI->setPlainText(QStringLiteral("0 @I1@ INDI\n1 NAME Al /One/\n1 SEX M\n\n"));
    modal_->confirmations = std::deque<bool>(answers.cbegin(), answers.cend());
    SaveRecords(typed, filter);
    QCOMPARE(modal_->questions.size(), static_cast<std::size_t>(answers.size()));
    if (!answers.isEmpty()) {
      QCOMPARE(modal_->questions.back(), QStringLiteral("family.ged already exists.\nDo you want to replace it?"));
    }
    QStringList files = QDir(folder_.path()).entryList(QDir::Files | QDir::Hidden);
    files += QDir(folder_.filePath("v1.2")).entryList(QDir::Files);
    QCOMPARE(files.size(), existing.size() + (written.isEmpty() || existing.contains(written) ? 0 : 1));
    for (const QString& name : existing) {
      QCOMPARE(FileBytes(folder_.filePath(name)) == "old", name != written);
    }
    if (!written.isEmpty()) {
      QVERIFY(FileBytes(folder_.filePath(written)).contains("Al /One/"));
    }
  }

  // A save of no records asks first; No leaves before the file dialog.
  void savingNoRecordsAsksFirst() {
    window_->txtINDI->setPlainText(QStringLiteral(" \n\n"));
    modal_->confirmations = {false};
    Click(window_->btnWrite);
    QVERIFY(modal_->fileQuestions.empty());
    QCOMPARE(modal_->questions.size(), std::size_t{1});
    modal_->confirmations = {true};
    QCOMPARE(SaveRecords("empty.ged", kClassic).left(6), QByteArray("0 HEAD"));
    window_->txtFAM->setPlainText(QStringLiteral("0 @F1@ FAM\n"));
    QVERIFY(SaveRecords("family.ged", kClassic).contains("0 @F1@ FAM\r\n"));
    QCOMPARE(modal_->questions.size(), std::size_t{2});
  }

  void aSexNobodyChoseIsPassedOnAsADefault() {
    // The question closed without a choice: "F" in the records, as ever.
    RunTheExample();
    ProcessTheExample([](QDialog&) {});
    QVERIFY(window_->txtINDI->toPlainText().contains("1 NAME Ann /Whiteley/\n1 SEX F\n"));
    QCOMPARE(window_->DefaultSexIds, std::vector<std::string>{"I6"});
    // Without the families nothing tells her sex: the window passed on that
    // it was a default, not a choice.
    window_->txtFAM->setPlainText(QString());
    QVERIFY(SaveRecords("unknown.ged", kSeven).contains("2 SURN Whiteley\r\n1 SEX U\r\n"));

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
    SaveRecords("bad.ged", kSeven);
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
