#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include <map>
#include <memory>

#include "about/frmAbout.hpp"
#include "fake_modal.hpp"
#include "gedcom/frmSexChoice.hpp"
#include "rules/frmRule.hpp"
#include "workspace/caption_button.hpp"
#include "workspace/frmQuenby.hpp"

namespace {

QString Item(const QString& code, const QString& search, const QString& replacement) {
  return code + "\t|\t" + search + "\t|\t" + replacement;
}

QStringList Items(const QListWidget& list) {
  QStringList items;
  for (int i = 0; i < list.count(); ++i) {
    items << list.item(i)->text();
  }
  return items;
}

void SetItems(QListWidget& list, const QStringList& items) {
  list.clear();
  list.addItems(items);
}

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The user's part in the rule editor: "ok" types "new" as the search text,
// "unchanged" only presses OK, "cancel" types "new" and cancels.
std::function<void(QDialog&)> EditorAnswer(const QString& answer) {
  return [answer](QDialog& dialog) {
    auto& editor = dynamic_cast<quenby::frmRule&>(dialog);
    if (answer != "unchanged") {
      editor.txtSearch->clear();
      QTest::keyClicks(editor.txtSearch, QStringLiteral("new"));
    }
    QTest::mouseClick(answer == "cancel" ? editor.btnCancel : editor.btnOk, Qt::LeftButton);
  };
}

std::function<void(QDialog&)> AnswerMale(QString* shownName = nullptr) {
  return [shownName](QDialog& dialog) {
    auto& question = dynamic_cast<quenby::frmSexChoice&>(dialog);
    if (shownName != nullptr) {
      *shownName = question.fraFrame->title();
    }
    // A radio button takes clicks on its circle and caption only.
    QTest::mouseClick(question.optSex[1], Qt::LeftButton, {}, QPoint(6, question.optSex[1]->height() / 2));
  };
}

// Peter and Ann are Mary's parents; John and Mary have William and Elizabeth;
// William and Jane have Tom.
const QStringList kFamilyList = {
    "John Smith|_S_M|_N_Farmer", "-Peter Jones|_S_M", "-&Ann Brown|_S_F", "&Mary Jones|_S_F|_M_1920 (Leeds)",
    "+William Smith|_S_M",       "+&Jane Green|_S_F", "++Tom Smith|_S_M", "+Elizabeth Smith|_S_F",
};

const QStringList kWorkedExampleRules = {Item("11", " m. ", "|_M_"), Item("1", " b. ", "|_B_"), Item("32", "", ""),
                                         Item("41", "", ""), Item("42", "", "Smith")};

// Every control in tab order, labels where they stand, with its caption and
// its place and size in twips.
struct Control {
  QString name;
  QString caption;
  QRect twips;
};

const std::vector<Control> kControls = [] {
  std::vector<Control> controls = {
      {"Label1", "Paste text to parse here (can be edited)...", {240, 240, 3735, 255}},
      {"txtInput", "", {240, 480, 9255, 1995}},
      {"Label2",
       "Rules (first rules runs once on each line of text above, then the next rule, etc)... ",
       {240, 2640, 9255, 255}},
      {"lstRules", "", {240, 2880, 6135, 2025}},
      {"btnRuleMove(0)", "^    |  ", {6480, 2880, 375, 975}},
      {"btnRuleMove(1)", "|    v  ", {6480, 3960, 375, 975}},
      {"btnEditRule", "       Edit         (or delete)", {6960, 2880, 1215, 615}},
      {"btnInsertRule", "  Insert    (above)", {6960, 3600, 1215, 615}},
      {"btnAddRule", "    Add      (after)", {6960, 4320, 1215, 615}},
      {"btnLoad", "Load Rules", {8280, 2880, 1215, 975}},
      {"btnSave", "Save Rules", {8280, 3960, 1215, 975}},
      {"btnRunRules", "Run Rules", {240, 5040, 9255, 615}},
      {"Label6", "People List (results of rules)...", {240, 5760, 6135, 255}},
      {"lstPeople", "", {240, 6000, 6135, 2400}},
      {"Label7", "Test var's (editable)...", {7800, 5760, 1935, 255}},
  };
  const char* labels[] = {"Full Name",        "Sex",
                          "Date of Birth",    "Place of Birth",
                          "Date of Death",    "Place of Death",
                          "Date of Marriage", "Place of Marriage",
                          "References",       "Notes"};
  for (int i = 0; i < 10; ++i) {
    controls.push_back({QStringLiteral("Label%1").arg(10 + i), labels[i], {6480, 6000 + 240 * i, 1335, 255}});
    controls.push_back({QStringLiteral("txtDetails(%1)").arg(i), "", {7800, 6000 + 240 * i, 1695, 285}});
  }
  const std::vector<Control> below = {
      {"btnTestOne", "Test individual selected above", {240, 8520, 3015, 615}},
      {"btnDoOne", "Process the test", {3360, 8520, 3015, 615}},
      {"btnDoAll", "Process all", {6480, 8520, 3015, 615}},
      {"Label8", "Individuals [GED]", {240, 9240, 4695, 255}},
      {"Label9", "Families [GED]", {4920, 9240, 4695, 255}},
      {"txtINDI", "", {240, 9480, 4575, 1995}},
      {"txtFAM", "", {4920, 9480, 4575, 1995}},
      {"btnWrite", "Save generated file", {240, 11640, 9255, 615}},
      {"btnHelp", "?", {9240, 120, 255, 255}},
      {"cmdDebugPeople", "Debug People List", {7320, 120, 1815, 255}},
  };
  controls.insert(controls.end(), below.begin(), below.end());
  return controls;
}();

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<FakeModal> modal_;
  NoRegistry registry_;
  std::unique_ptr<quenby::frmQuenby> window_;
  std::unique_ptr<QTemporaryDir> folder_;

  quenby::frmQuenby& window() { return *window_; }
  FakeModal& modal() { return *modal_; }
  QString InFolder(const QString& name) const { return folder_->filePath(name); }
  void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
  void SelectPerson(int row) { window().lstPeople->setCurrentRow(row); }

  // Derived results everywhere, for the clearing operations to discard.
  void FillDerivedResults() {
    SetItems(*window().lstPeople, kFamilyList);
    for (QLineEdit* detail : window().txtDetails) {
      detail->setText(QStringLiteral("value"));
    }
    window().txtINDI->setPlainText(QStringLiteral("0 @I1@ INDI\n"));
    window().txtFAM->setPlainText(QStringLiteral("0 @F1@ FAM\n"));
    window().NextFamNumber = 5;
    window().NextNoteNumber = 7;
  }

  void VerifyDerivedResultsCleared() {
    QCOMPARE(window().lstPeople->count(), 0);
    for (const QLineEdit* detail : window().txtDetails) {
      QCOMPARE(detail->text(), QString());
    }
    QCOMPARE(window().txtINDI->toPlainText() + window().txtFAM->toPlainText(), QString());
    QCOMPARE(window().NextFamNumber, 1);
    QCOMPARE(window().NextNoteNumber, 1);
  }

 private slots:
  void init() {
    modal_ = std::make_unique<FakeModal>();
    window_ = std::make_unique<quenby::frmQuenby>(*modal_, registry_);
    window_->show();
    folder_ = std::make_unique<QTemporaryDir>();
  }

  void cleanup() {
    window_.reset();
    QCOMPARE(modal().unexpectedQuestions, 0);
    QVERIFY(modal().dialogScripts.empty() && modal().fileNames.empty());
  }

  void everyControlHasItsCaptionPlaceAndSize_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");
    for (const Control& control : kControls) {
      QTest::newRow(qPrintable(control.name)) << control.caption << control.twips;
    }
  }
  void everyControlHasItsCaptionPlaceAndSize() {
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    const auto* control = window().findChild<QWidget*>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(control != nullptr && control->isVisible() && control->isEnabled());
    QCOMPARE(control->geometry(), QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
      QCOMPARE(label->text(), caption);
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
      QCOMPARE(button->text(), caption);
    }
    QCOMPARE(window().windowTitle(), QStringLiteral("Quenby"));
    QCOMPARE(window().minimumSize(), QSize(649, 834));
    QCOMPARE(window().maximumSize(), QSize(649, 834));
  }

  void everyCaptionFitsItsControl() {
    for (const QLabel* label : window().findChildren<QLabel*>()) {
      const QFontMetrics metrics = label->fontMetrics();
      QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->width() && metrics.height() <= label->height(),
               qPrintable(label->objectName()));
    }
    for (const quenby::CaptionButton* button : window().findChildren<quenby::CaptionButton*>()) {
      const QFontMetrics metrics = button->fontMetrics();
      const QRect area = button->CaptionArea();
      const QStringList lines = quenby::CaptionLines(button->text(), metrics, area.width());
      QVERIFY2(lines.size() * metrics.height() <= area.height(), qPrintable(button->objectName()));
      for (const QString& line : lines) {
        QVERIFY2(metrics.horizontalAdvance(line) <= area.width(), qPrintable(button->objectName()));
      }
    }
  }

  void tabOrderFollowsTheControlTableAndSkipsLabels() {
    QStringList expected;
    for (const Control& control : kControls) {
      if (!control.name.startsWith(QStringLiteral("Label"))) {
        expected << control.name;
      }
    }
    QStringList order;
    QWidget* widget = window().txtInput;
    do {
      if ((widget->focusPolicy() & Qt::TabFocus) != 0 && !widget->objectName().isEmpty()) {
        order << widget->objectName();
      }
      widget = widget->nextInFocusChain();
    } while (widget != window().txtInput);
    QCOMPARE(order, expected);
  }

  void fileDialogsStartInTheProgramDirectoryAndRememberTheLastChoice() {
    modal().fileNames = {InFolder("first.rules"), QString(), InFolder("second.rules"), QString()};
    Click(window().btnLoad);
    Click(window().btnSave);  // cancelled: forgets and writes nothing
    Click(window().btnLoad);
    Click(window().btnWrite);  // cancelled
    QVERIFY(QDir(folder_->path()).isEmpty());
    const auto& asked = modal().fileQuestions;
    QCOMPARE(asked.size(), std::size_t{4});
    for (const auto& settings : asked) {
      QCOMPARE(settings.directory, QCoreApplication::applicationDirPath());
    }
    QCOMPARE(asked[0].title, QStringLiteral("Load/Save Quenby Rules"));
    QCOMPARE(asked[0].lastFile, QString());
    QCOMPARE(asked[1].lastFile, InFolder("first.rules"));
    QCOMPARE(asked[2].lastFile, InFolder("first.rules"));
    QCOMPARE(asked[3].title, QStringLiteral("Save Quenby GED file"));
    QCOMPARE(asked[3].lastFile, QString());
    QCOMPARE(window().cdgRules.lastFile, InFolder("second.rules"));
  }

  void mousePressInTheInputDiscardsDerivedResultsAndKeepsTheText_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("selectionEnd");
    const QString text = QStringLiteral("1 John b. 1852\n2 Ann b. 1876");
    QTest::newRow("left") << int(Qt::LeftButton) << text << 0;
    QTest::newRow("right selects all") << int(Qt::RightButton) << text << int(text.size());
    QTest::newRow("middle selects all and pastes nothing") << int(Qt::MiddleButton) << text << int(text.size());
    QTest::newRow("left in an empty box") << int(Qt::LeftButton) << QString() << 0;
    QTest::newRow("right in an empty box") << int(Qt::RightButton) << QString() << 0;
  }
  void mousePressInTheInputDiscardsDerivedResultsAndKeepsTheText() {
    QFETCH(int, button);
    QFETCH(QString, input);
    QFETCH(int, selectionEnd);
    window().txtInput->setPlainText(input);
    window().txtInput->moveCursor(QTextCursor::End);
    FillDerivedResults();
    QTest::mouseClick(window().txtInput->viewport(), Qt::MouseButton(button), {}, QPoint(1, 1));
    VerifyDerivedResultsCleared();
    QCOMPARE(window().txtInput->toPlainText(), input);
    QCOMPARE(window().txtInput->textCursor().selectionStart(), 0);
    QCOMPARE(window().txtInput->textCursor().selectionEnd(), selectionEnd);
  }

  void runRulesFillsThePeopleListFromTheInputWithCrLfLineBreaks_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<QStringList>("rules");
    QTest::addColumn<QStringList>("people");
    QTest::newRow("empty lines go, a line of spaces stays")
        << "a\n\n  \n\nb" << QStringList() << QStringList{"a", "  ", "b"};
    QTest::newRow("non-breaking spaces stay")
        << "John\u00a0Smith\nAnn" << QStringList() << QStringList{"John\u00a0Smith", "Ann"};
    QTest::newRow("empty input") << "" << kWorkedExampleRules << QStringList();
  }
  void runRulesFillsThePeopleListFromTheInputWithCrLfLineBreaks() {
    QFETCH(QString, input);
    QFETCH(QStringList, rules);
    QFETCH(QStringList, people);
    window().txtInput->setPlainText(input);
    FillDerivedResults();
    SetItems(*window().lstRules, rules);
    Click(window().btnRunRules);
    QCOMPARE(Items(*window().lstPeople), people);
    QCOMPARE(Items(*window().lstRules), rules);
    window().lstPeople->clear();
    VerifyDerivedResultsCleared();
  }

  void runRulesFillsTheListOfAHundredThousandLinesQuickly() {
    QStringList lines;
    for (int i = 0; i < 50000; ++i) {
      lines << QStringLiteral("1 John%1 b. 1852 m. (London) 12.3.1875 Mary Jones\n2 Ann b. 1876").arg(i);
    }
    window().txtInput->setPlainText(lines.join('\n'));
    SetItems(*window().lstRules, kWorkedExampleRules);
    QElapsedTimer timer;
    timer.start();
    Click(window().btnRunRules);
    const qint64 elapsed = timer.elapsed();
    qInfo("Run Rules on 100,000 lines: %lld ms", static_cast<long long>(elapsed));
    QCOMPARE(window().lstPeople->count(), 150000);
#if !defined(__SANITIZE_ADDRESS__)
    QVERIFY(elapsed < 2000);
#endif
  }

  void ruleButtonsBuildTheList_data() {
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("answer");  // empty: no editor expected
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("selectedAfter");  // -2: left to the list control
    const QString a = Item("1", " b. ", " born "), b = Item("41", "x", "y"), c = Item("8", "z", "");
    const QString n = Item("1", "new", "");
    const QStringList abc = {a, b, c}, none;
    const auto row = [](const char* name, const QStringList& before, int selected, const char* button,
                        const char* answer, const QStringList& after, int selectedAfter = -2) {
      QTest::newRow(name) << before << selected << button << answer << after << selectedAfter;
    };
    row("edit on an empty list", none, -1, "edit", "", none);
    row("add after the selected rule", abc, 1, "add", "ok", {a, b, n, c});
    row("insert above the selected rule", abc, 1, "insert", "ok", {a, n, b, c});
    row("cancelled add", abc, 1, "add", "cancel", abc);
    row("OK without change keeps the spaces", abc, 0, "edit", "unchanged", abc);
    row("cancelled edit", abc, 1, "edit", "cancel", abc);
    row("edit without selection", abc, -1, "edit", "", abc, -1);
    row("down on the last rule", abc, 2, "down", "", abc, 2);
    row("up on the first rule", abc, 0, "up", "", abc, 0);
    row("down on the first rule", abc, 0, "down", "", {b, a, c}, 1);
    row("move without selection", abc, -1, "down", "", abc, -1);
  }
  void ruleButtonsBuildTheList() {
    QFETCH(QStringList, before);
    QFETCH(int, selected);
    QFETCH(QString, button);
    QFETCH(QString, answer);
    QFETCH(QStringList, after);
    QFETCH(int, selectedAfter);
    SetItems(*window().lstRules, before);
    window().lstRules->setCurrentRow(selected);
    FillDerivedResults();
    if (!answer.isEmpty()) {
      modal().dialogScripts.push_back(EditorAnswer(answer));
    }
    const std::map<QString, std::pair<QAbstractButton*, QString>> buttons = {
        {"add", {window().btnAddRule, "Add Rule"}},
        {"insert", {window().btnInsertRule, "Insert Rule"}},
        {"edit", {window().btnEditRule, "Edit / Delete Rule"}},
        {"up", {window().btnRuleMove[0], ""}},
        {"down", {window().btnRuleMove[1], ""}}};
    Click(buttons.at(button).first);

    QCOMPARE(Items(*window().lstRules), after);
    if (selectedAfter != -2) {
      const auto selection = window().lstRules->selectedItems();
      QCOMPARE(selection.isEmpty() ? -1 : window().lstRules->row(selection.first()), selectedAfter);
    }
    QCOMPARE(modal().dialogTitles,
             answer.isEmpty() ? std::vector<QString>{} : std::vector<QString>{buttons.at(button).second});
    if (const auto* editor = window().findChild<quenby::frmRule*>()) {
      QCOMPARE(editor->cboCode->count(), 24);
    }
    QCOMPARE(window().lstPeople->count(), kFamilyList.size());  // derived results stay
  }

  void loadingRulesDiscardsDerivedResultsAndReplacesTheListOnlyIfAFileWasRead_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("the saved file") << "family.rules";
    QTest::newRow("cancelled") << QString();
    QTest::newRow("unreadable") << "folder.rules";
  }
  void loadingRulesDiscardsDerivedResultsAndReplacesTheListOnlyIfAFileWasRead() {
    QFETCH(QString, file);
    const QStringList saved = {Item("1", " b. ", " born "), Item("32", "", ""), Item("8", "say \"hi\"", ""),
                               Item("42", "", "M\u00fcller \u0141\u00f3d\u017a")};
    SetItems(*window().lstRules, saved);
    FillDerivedResults();
    modal().fileNames = {InFolder("family.rules")};
    Click(window().btnSave);
    QCOMPARE(window().lstPeople->count(), kFamilyList.size());  // saving keeps them

    const QStringList before = {Item("1", "a", "b")};
    SetItems(*window().lstRules, before);
    QDir(folder_->path()).mkdir("folder.rules");
    modal().fileNames = {file.isEmpty() ? file : InFolder(file)};
    Click(window().btnLoad);
    QCOMPARE(Items(*window().lstRules), file == "family.rules" ? saved : before);
    VerifyDerivedResultsCleared();
    const bool reported = file == "folder.rules";
    QCOMPARE(modal().messages.size(), std::size_t{reported});
    QVERIFY(!reported || (modal().messages[0].startsWith("Quenby: ") && modal().messages[0].contains(InFolder(file))));
  }

  void aFailedRulesSaveIsReported() {
    modal().fileNames = {InFolder("missing/family.rules")};
    SetItems(*window().lstRules, {Item("1", "a", "b")});
    Click(window().btnSave);
    QCOMPARE(modal().messages.size(), std::size_t{1});
    QVERIFY(modal().messages[0].contains(InFolder("missing/family.rules")));
  }

  void processingTheTestNeedsASelectedAndTestedPerson() {
    SetItems(*window().lstPeople, kFamilyList);
    Click(window().btnTestOne);
    QCOMPARE(window().txtDetails[0]->text(), QString());
    window().txtDetails[0]->setText(QStringLiteral("Typed /Name/"));
    Click(window().btnDoOne);  // nothing selected
    SelectPerson(3);
    Click(window().btnTestOne);
    QCOMPARE(window().txtDetails[7]->text(), QStringLiteral("Leeds"));
    SelectPerson(5);  // empties the test variables
    QCOMPARE(window().txtDetails[0]->text() + window().txtDetails[7]->text(), QString());
    Click(window().btnDoOne);
    QCOMPARE(window().txtINDI->toPlainText() + window().txtFAM->toPlainText(), QString());
  }

  void anEmptySexIsAskedOnceAndKept() {
    SetItems(*window().lstPeople, {"Ann Lee|_B_1900"});
    SelectPerson(0);
    Click(window().btnTestOne);
    QString shownName;
    modal().dialogScripts.push_back(AnswerMale(&shownName));
    Click(window().btnDoOne);
    Click(window().btnDoOne);
    QCOMPARE(shownName, QStringLiteral("Ann Lee"));
    QCOMPARE(window().txtDetails[1]->text(), QStringLiteral("M"));
    QCOMPARE(window().txtINDI->toPlainText().count(QStringLiteral("1 SEX M\n")), 2);
  }

  void processAllReplacesTheRecordsAndTheEditedTestContinuesTheNumbering() {
    SetItems(*window().lstPeople, kFamilyList + QStringList{"Sam Lee|_N_Sailor"});
    SelectPerson(2);
    window().txtINDI->setPlainText(QStringLiteral("typed by the user\n"));
    modal().dialogScripts = {AnswerMale()};
    Click(window().btnDoAll);
    const QString indi = window().txtINDI->toPlainText();
    const QString fam = window().txtFAM->toPlainText();
    QVERIFY(indi.startsWith("0 @I1@ INDI\n1 NAME John /Smith/\n1 SEX M\n"));
    QVERIFY(indi.contains("0 @I9@ INDI\n1 NAME Sam /Lee/\n1 SEX M\n1 NOTE @NI2@\n"));
    QCOMPARE(window().NextFamNumber, 4);
    QCOMPARE(window().NextNoteNumber, 3);
    QCOMPARE(window().txtDetails[0]->text(), QString());
    QCOMPARE(window().lstPeople->currentRow(), 2);

    SelectPerson(0);
    Click(window().btnTestOne);
    Click(window().btnDoOne);
    SelectPerson(5);
    Click(window().btnTestOne);
    window().txtDetails[0]->setText(QStringLiteral("Janet /Green/"));  // edited test variables count
    window().txtDetails[2]->setText(QStringLiteral("1901"));
    window().txtDetails[6]->setText(QStringLiteral("1925"));
    Click(window().btnDoOne);
    QVERIFY(window().txtINDI->toPlainText().startsWith(indi));
    QVERIFY(window().txtINDI->toPlainText().endsWith(
        "1 NOTE @NI3@\n0 @NI3@ NOTE\n1 CONC {Farmer}\n\n"
        "0 @I6@ INDI\n1 NAME Janet /Green/\n1 SEX F\n1 BIRT\n2 DATE 1901\n\n"));
    QCOMPARE(window().txtFAM->toPlainText(),
             fam + "0 @F4@ FAM\n1 WIFE @I6@\n1 HUSB @I5@\n1 MARR\n2 DATE 1925\n1 CHIL @I7@\n\n");
    QCOMPARE(window().NextFamNumber, 5);
    QCOMPARE(window().NextNoteNumber, 4);
  }

  void theDebugListingIsWrittenAndOpenedOrItsFailureReported() {
    // The debug listing is written to the current directory.
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder_->path());
    const auto restore = qScopeGuard([&previous] { QDir::setCurrent(previous); });
    SetItems(*window().lstPeople, {"first", "Ren\u00e9e", "  third"});
    Click(window().cmdDebugPeople);
    QCOMPARE(FileBytes("Debug.txt"), QByteArray("first\r\nRen\xe9"
                                                "e\r\n  third\r\n"));
    QCOMPARE(modal().openedDocuments, std::vector<QString>{InFolder("Debug.txt")});

    QFile::remove("Debug.txt");
    QDir().mkdir("Debug.txt");
    Click(window().cmdDebugPeople);
    QCOMPARE(modal().openedDocuments.size(), std::size_t{1});
    QCOMPARE(modal().messages.size(), std::size_t{1});
    QVERIFY(modal().messages[0].contains(InFolder("Debug.txt")));
  }

  void aFailedGeneratedFileSaveIsReportedAndTheRecordsKept() {
    window().txtINDI->setPlainText(QStringLiteral("0 @I1@ INDI\n"));
    window().txtFAM->setPlainText(QStringLiteral("0 @F1@ FAM\n"));
    QDir(folder_->path()).mkdir("taken.ged");
    modal().fileNames = {InFolder("taken.ged")};
    Click(window().btnWrite);
    QCOMPARE(modal().messages.size(), std::size_t{1});
    QVERIFY(modal().messages[0].contains(InFolder("taken.ged")));
    QCOMPARE(window().txtINDI->toPlainText() + window().txtFAM->toPlainText(), "0 @I1@ INDI\n0 @F1@ FAM\n");
  }

  void theHelpButtonShowsAFreshAboutBoxThatClosingTheWindowCloses() {
    bool secondWasFresh = false;
    bool visibleAfterClose = true;
    modal().dialogScripts.push_back([](QDialog& dialog) { dialog.setProperty("seen", true); });
    modal().dialogScripts.push_back([&](QDialog& dialog) {
      secondWasFresh = !dialog.property("seen").isValid() && dynamic_cast<quenby::frmAbout*>(&dialog) != nullptr;
      window().close();
      visibleAfterClose = dialog.isVisible();
    });
    Click(window().btnHelp);
    Click(window().btnHelp);
    QVERIFY(secondWasFresh);
    QVERIFY(!visibleAfterClose);
    QCOMPARE(modal().dialogTitles, std::vector<QString>({"About Quenby", "About Quenby"}));
  }

  void closingTheWindowRightAfterStartAsksNothing() {
    QVERIFY(window().close());
    QVERIFY(modal().dialogTitles.empty() && modal().fileQuestions.empty() && modal().messages.empty());
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
