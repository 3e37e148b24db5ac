// SPDX-License-Identifier: GPL-3.0-or-later
// Sessions at the main window as a new user works (building a rule list with
// the buttons and the editor, saving, loading and running it, processing
// people, turning the example descendant list into its GEDCOM file), then the
// window's edges: the input box's mouse handling, long inputs, and failures
// that must be told.

#include <QClipboard>
#include <QComboBox>
#include <QMenuBar>
#include <QProgressDialog>
#include <QStandardPaths>
#include <span>

#include "rules/catalogue.hpp"
#include "ui/frmAbout.hpp"
#include "ui/frmRule.hpp"
#include "window_fixture.hpp"

namespace {

void SetItems(QListWidget& list, const QStringList& items) {
  list.clear();
  list.addItems(items);
}

// The user's part in the rule editor: choose the code's entry (or, with no
// code, the first entry), type both texts, press OK (or `button`).
std::function<void(QDialog&)> TypeRule(int code, const QString& search = {}, const QString& replacement = {},
                                       QPushButton* quenby::frmRule::*button = &quenby::frmRule::btnOk) {
  return [=](QDialog& dialog) {
    auto& editor = dynamic_cast<quenby::frmRule&>(dialog);
    const int entry = code < 0 ? 0 : editor.cboCode->findText(QString::number(code) + ": ", Qt::MatchStartsWith);
    QVERIFY(entry >= 0);
    editor.cboCode->setCurrentIndex(entry);
    editor.txtSearch->clear();
    QTest::keyClicks(editor.txtSearch, search);
    editor.txtReplace->clear();
    QTest::keyClicks(editor.txtReplace, replacement);
    QTest::mouseClick(editor.*button, Qt::LeftButton);
  };
}

QString DocumentsFolder() {
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

}  // namespace

class MainWindowTest : public QObject, WindowFixture {
  Q_OBJECT

  // The people list and the results derived from the text, as texts.
  QStringList DerivedResults() const {
    QStringList results = Items(*window_->lstPeople);
    for (const QLineEdit* detail : window_->txtDetails) {
      results << detail->text();
    }
    return results << window_->txtINDI->toPlainText() << window_->txtFAM->toPlainText()
                   << QString::number(window_->NextFamNumber) << QString::number(window_->NextNoteNumber);
  }

  // Derived results everywhere, for the clearing operations to discard.
  void FillDerivedResults() {
    SetItems(*window_->lstPeople, {"John Smith|_S_M", "Ann Lee"});
    for (QLineEdit* detail : window_->txtDetails) {
      detail->setText(QStringLiteral("value"));
    }
    window_->txtINDI->setPlainText(QStringLiteral("0 @I1@ INDI\n"));
    window_->txtFAM->setPlainText(QStringLiteral("0 @F1@ FAM\n"));
    window_->NextFamNumber = 5;
    window_->NextNoteNumber = 7;
    filled_ = DerivedResults();
  }

  // All but the people list, which some operations refill.
  void VerifyDerivedResultsCleared() {
    QCOMPARE(DerivedResults().mid(window_->lstPeople->count()),
             QStringList(static_cast<qsizetype>(window_->txtDetails.size()) + 2, QString()) << "1"
                                                                                            << "1");
  }

  // A run that lasts: a pattern that reads to each line's end for every one
  // of its many matches, over lines long enough to take minutes.
  void StartALongRun() {
    window_->txtInput->setPlainText(QStringList(400, QString(8000, 'a')).join('\n'));
    SetItems(*window_->lstRules, {RuleItem("51", "a.*b|a", "x")});
    FillDerivedResults();
    window_->btnRunRules->setFocus();
    QTest::keyClick(window_->btnRunRules, Qt::Key_Space);
  }

  // While the rules run, nothing that feeds or shows the run takes input,
  // its keys included.
  void VerifyBlockedWhileRunning() {
    auto& w = *window_;
    for (QWidget* control :
         std::initializer_list<QWidget*>{w.txtInput, w.lstRules, w.btnAddRule, w.btnLoad, w.btnRunRules, w.lstPeople,
                                         w.btnDoAll, w.txtINDI, w.findChild<QMenuBar*>()}) {
      QVERIFY2(!control->isEnabled(), qPrintable(control->objectName()));
    }
    QVERIFY(!w.acceptDrops());
    for (const QKeySequence& keys : {QKeySequence(QKeySequence::Open), QKeySequence(QStringLiteral("Ctrl+L")),
                                     QKeySequence(QStringLiteral("F5")), QKeySequence(QStringLiteral("F6"))}) {
      QTest::keySequence(&w, keys);
    }
  }

  void VerifyTheWindowAsBeforeTheRun() {
    QCOMPARE(DerivedResults(), filled_);
    QVERIFY(modal_->messages.empty());
  }

  QStringList filled_;

 private slots:
  void init() { OpenWindow(); }
  void cleanup() { DropWindow(); }

  void buildsFiveRulesWithTheButtonsSavesLoadsRunsAndProcessesThem() {
    auto& w = *window_;
    auto& rules = *w.lstRules;
    w.txtInput->setPlainText("1 John b. 1852 m. (London) 12.3.1875 Mary Jones\n2 Ann b. 1876");

    Click(w.btnEditRule);  // nothing to edit: no editor
    modal_->dialogScripts.push_back(TypeRule(1, " b. ", "|_B_"));
    Click(w.btnAddRule);
    modal_->dialogScripts.push_back(TypeRule(42, "", "Smith"));
    Click(w.btnAddRule);
    modal_->dialogScripts.push_back(TypeRule(11, " m. ", "|_M_"));
    Click(w.btnInsertRule);  // nothing selected: the new rule comes first
    modal_->dialogScripts.push_back(TypeRule(41));
    Click(w.btnAddRule);
    rules.setCurrentRow(3);
    Click(w.btnRuleMove[0]);  // 41 moves above 42 and stays selected
    QCOMPARE(rules.currentRow(), 2);
    modal_->dialogScripts.push_back(TypeRule(31, "Children"));
    Click(w.btnInsertRule);
    rules.setCurrentRow(2);
    modal_->dialogScripts.push_back(TypeRule(32));
    Click(w.btnEditRule);  // the mistaken 31 becomes 32
    modal_->dialogScripts.push_back(TypeRule(8, "Index"));
    Click(w.btnAddRule);
    rules.setCurrentRow(3);
    modal_->dialogScripts.push_back(TypeRule(-1));  // the first entry deletes
    Click(w.btnEditRule);
    rules.setCurrentRow(0);
    modal_->dialogScripts.push_back(TypeRule(41, "typo", {}, &quenby::frmRule::btnCancel));
    Click(w.btnEditRule);
    // The delete entry offered while editing is gone again.
    QCOMPARE(w.findChild<quenby::frmRule*>()->cboCode->count(), static_cast<int>(quenby::kCatalogueSize));

    const QStringList built = {"11\t|\t m. \t|\t|_M_", "1\t|\t b. \t|\t|_B_", "32\t|\t\t|\t", "41\t|\t\t|\t",
                               "42\t|\t\t|\tSmith"};
    QCOMPARE(Items(rules), built);

    // A name typed without ".rules" gets it, so the dialog's filter shows it.
    const QString file = folder_.filePath("example.rules");
    modal_->fileNames = {folder_.filePath("example"), file};
    Click(w.btnSave);
    rules.clear();
    // The emptied list is a change that loading would lose.
    modal_->saveChoices = {quenby::SaveChoice::kDiscard};
    Click(w.btnLoad);
    QCOMPARE(Items(rules), built);
    // The file dialogs start in the documents folder, then where the last
    // file was, and offer the last file.
    QCOMPARE(modal_->fileQuestions.at(0).directory, DocumentsFolder());
    QCOMPARE(modal_->fileQuestions.at(1).directory, folder_.path());
    QCOMPARE(modal_->fileQuestions.at(1).lastFile, file);

    RunTheRules();

    // Nothing selected, nothing is tested or processed; selecting a person
    // empties the test variables, and a test without a name is not processed.
    w.txtDetails[0]->setText("Typed /Name/");
    Click(w.btnTestOne);
    Click(w.btnDoOne);
    QCOMPARE(w.txtDetails[0]->text(), "Typed /Name/");
    w.lstPeople->setCurrentRow(2);
    QCOMPARE(w.txtDetails[0]->text(), QString());
    Click(w.btnDoOne);
    QCOMPARE(w.txtINDI->toPlainText(), QString());

    // A missing sex is asked once and kept in the test variables.
    QStringList askedFor;
    modal_->dialogScripts = {AnswerSex(1, askedFor), AnswerSex(2, askedFor)};
    ProcessPerson(0);
    Click(w.btnDoOne);
    QCOMPARE(w.txtDetails[1]->text(), "M");
    ProcessPerson(1);
    QCOMPARE(askedFor, QStringList({"John Smith", "Mary Jones"}));
    const QString john = "0 @I1@ INDI\n1 NAME John /Smith/\n1 SEX M\n1 BIRT\n2 DATE 1852\n\n";
    QCOMPARE(w.txtINDI->toPlainText(), john + john + "0 @I2@ INDI\n1 NAME Mary /Jones/\n1 SEX F\n\n");
    QVERIFY(modal_->messages.empty());

    // A hundred thousand people lines: a hang is caught by the test's
    // time-out, the run's speed is measured in bench/engine_bench.
    modal_->saveChoices = {quenby::SaveChoice::kDiscard};
    w.txtInput->setPlainText(QStringList(33334, w.txtInput->toPlainText()).join('\n'));
    RunTheRules();
    QCOMPARE(w.lstPeople->count(), 100002);
  }

  // The example session by keyboard alone: Ctrl+L loads the rules, F5 runs
  // them, F6 processes all with the sex question answered by its F key, and
  // Ctrl+G saves the example's file byte for byte. A person tested by F7 and
  // processed by F8 afterwards, as edited, continues the numbering.
  void theExampleSessionByKeyboardGivesTheExpectedFile() {
    auto& w = *window_;
    w.txtInput->setPlainText(QString::fromUtf8(FileBytes(ExamplePath("hartley.txt"))));
    modal_->fileNames = {ExamplePath("hartley.rules")};
    QTest::keyClick(&w, Qt::Key_L, Qt::ControlModifier);
    QTest::keyClick(&w, Qt::Key_F5);
    WaitForTheRun();
    w.txtINDI->setPlainText("typed by the user\n");  // processing all replaces it
    QStringList askedFor;
    modal_->dialogScripts.push_back([&askedFor](QDialog& dialog) {
      askedFor << dynamic_cast<quenby::frmSexChoice&>(dialog).fraFrame->title();
      QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &dialog, Qt::Key_F);
    });
    QTest::keyClick(&w, Qt::Key_F6);
    QCOMPARE(askedFor, QStringList{"Ann Whiteley"});
    const QString saved = folder_.filePath("keyboard.ged");
    modal_->fileNames = {saved};
    modal_->chosenFilters = {kClassicFilter};
    QTest::keyClick(&w, Qt::Key_G, Qt::ControlModifier);
    QCOMPARE(FileBytes(saved), FileBytes(ExamplePath("hartley.ged")));
    QVERIFY(modal_->messages.empty());

    const QString indi = w.txtINDI->toPlainText(), fam = w.txtFAM->toPlainText();
    w.lstPeople->setCurrentRow(8);
    QTest::keyClick(&w, Qt::Key_F7);
    QCOMPARE(w.txtDetails[0]->text(), "Walter /Hartley/");
    w.txtDetails[0]->setText("Walter James /Hartley/");
    QTest::keyClick(&w, Qt::Key_F8);
    w.lstPeople->setCurrentRow(9);
    QTest::keyClick(&w, Qt::Key_F7);
    QTest::keyClick(&w, Qt::Key_F8);
    QVERIFY(w.txtINDI->toPlainText().startsWith(indi + "0 @I9@ INDI\n1 NAME Walter James /Hartley/\n"));
    QVERIFY(
        w.txtINDI->toPlainText().contains("1 NOTE @NI4@\n0 @NI4@ NOTE\n1 CONC {Mill overlooker}\n\n0 @I10@ INDI\n"));
    QVERIFY(w.txtFAM->toPlainText().startsWith(fam + "0 @F6@ FAM\n1 WIFE @I10@\n1 HUSB @I9@\n"));
  }

  // Placing the caret with any button keeps what was derived from the text.
  // An edit (typing, a paste, a deleted character, an undo) that would lose
  // unsaved records asks first: Cancel takes back exactly that edit and keeps
  // everything; Discard drops every derived result (Save is the close
  // question's, tested there). A new text is asked about before it is read.
  void anEditOfTheInputAsksAboutUnsavedRecordsAndDiscardsDerivedResults() {
    auto& w = *window_;
    w.txtInput->setPlainText("Al One|_S_M");
    RunTheRules();
    w.txtInput->moveCursor(QTextCursor::End);
    QTest::keyClicks(w.txtInput, "a");  // typing before the records, to be kept
    RunTheRules();
    Click(w.btnDoAll);
    const QString text = w.txtInput->toPlainText();
    const QString indi = w.txtINDI->toPlainText();
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
      QTest::mouseClick(w.txtInput->viewport(), button, {}, QPoint(1, 1));
    }
    QApplication::clipboard()->setText(QStringLiteral("X"));
    const std::function<void()> edits[] = {
        [&] { QTest::keyClick(w.txtInput, Qt::Key_Space); },
        [&] { w.txtInput->paste(); },
        [&] { QTest::keyClick(w.txtInput, Qt::Key_Backspace); },
        [&] { w.txtInput->undo(); },
    };
    for (const auto& edit : edits) {
      w.txtInput->moveCursor(QTextCursor::End);
      modal_->saveChoices = {quenby::SaveChoice::kCancel};
      edit();
      QCOMPARE(w.txtInput->toPlainText(), text);
      QCOMPARE(w.txtINDI->toPlainText(), indi);
      QCOMPARE(w.lstPeople->count(), 1);
    }
    QCOMPARE(modal_->questions.size(), std::size_t{4});
    QVERIFY(modal_->questions.back().startsWith("Editing the input text discards"));
    // The typing made before the records is the next undo step: taking back
    // an edit took back nothing more and left no step of its own.
    modal_->saveChoices = {quenby::SaveChoice::kDiscard};
    w.txtInput->undo();
    QCOMPARE(w.txtInput->toPlainText(), "Al One|_S_M");

    for (const auto& edit : std::span(edits).first(3)) {
      FillDerivedResults();
      w.txtInput->moveCursor(QTextCursor::End);
      modal_->saveChoices = {quenby::SaveChoice::kDiscard};
      edit();
      VerifyDerivedResultsCleared();
      QCOMPARE(w.lstPeople->count(), 0);
    }
    QCOMPARE(w.txtInput->toPlainText(), "Al One|_S_M ");  // typed, pasted, one deleted

    RunTheRules();
    Click(w.btnDoAll);
    const QString before = w.txtInput->toPlainText();
    modal_->saveChoices = {quenby::SaveChoice::kCancel, quenby::SaveChoice::kDiscard};
    w.OpenText(ExamplePath("hartley.txt"));
    QCOMPARE(w.txtInput->toPlainText(), before);
    QCOMPARE(w.lstPeople->count(), 1);
    w.OpenText(ExamplePath("hartley.txt"));
    QVERIFY(w.txtInput->toPlainText().startsWith("Descendants of William Hartley"));
    QCOMPARE(w.txtINDI->toPlainText(), QString());
  }

  // The run takes the input as typed and discards derived results. A rules
  // file may hold a pattern the editor would refuse: the run goes on without
  // that rule and says so in one message for all such rules, at every run.
  // Rules that make the text explode stop with a message naming the rule,
  // and the window keeps everything it had before the run.
  void runRulesTellsWhatWentWrongInOneMessage() {
    window_->txtInput->setPlainText("John b. 1850\n\nAnn\u00a0Lee");
    SetItems(*window_->lstRules, {RuleItem("51", "(b", "x"), RuleItem("1", " b. ", "|_B_"), RuleItem("53", "[", "")});
    FillDerivedResults();
    RunTheRules();
    QCOMPARE(Items(*window_->lstPeople), QStringList({"John|_B_1850", "Ann\u00a0Lee"}));
    VerifyDerivedResultsCleared();
    QCOMPARE(modal_->messages.size(), std::size_t{1});
    QVERIFY(modal_->messages.front().contains("Rule 1 (code 51"));
    QVERIFY(modal_->messages.front().contains("\nRule 3 (code 53"));
    RunTheRules();
    QCOMPARE(modal_->messages.size(), std::size_t{2});

    window_->txtInput->setPlainText(QStringLiteral("a"));
    const QString thousand(1000, 'a');
    SetItems(*window_->lstRules,
             {RuleItem("1", "a", thousand), RuleItem("1", "a", thousand), RuleItem("1", "a", thousand)});
    FillDerivedResults();
    modal_->messages.clear();
    RunTheRules();
    QCOMPARE(modal_->messages.size(), std::size_t{1});
    QVERIFY(modal_->messages[0].contains(QStringLiteral("Rule 3 (code 1)")));
    modal_->messages.clear();
    VerifyTheWindowAsBeforeTheRun();
  }

  // A binary file and a text without a [Rules] section are no rules files:
  // each is refused with a message naming it (what else is refused is
  // tested with the file reading). A cancelled dialog reads nothing. The
  // rule list stays; derived results go.
  void loadingWhatIsNotARulesFileKeepsTheRuleList() {
    const QStringList before = {RuleItem("1", "a", "b")};
    SetItems(*window_->lstRules, before);
    const QString data = QStringLiteral(QUENBY_TEST_DATA_DIR "/rules/");
    const QStringList files = {data + "binary.rules", data + "no_section.rules", QString()};
    modal_->fileNames.assign(files.begin(), files.end());
    // The list was changed, so each load first asks about it.
    modal_->saveChoices.assign(files.size(), quenby::SaveChoice::kDiscard);
    for (const QString& file : files) {
      FillDerivedResults();
      Click(window_->btnLoad);
      QCOMPARE(Items(*window_->lstRules), before);
      QCOMPARE(window_->lstPeople->count(), 0);
      VerifyDerivedResultsCleared();
      QVERIFY(file.isEmpty() || modal_->messages.back().contains(file));
    }
    QCOMPARE(modal_->messages.size(), std::size_t{2});
  }

  // A hand-edited rules file with a gap, a repeated key, an empty value and a
  // rule no engine code runs loads every rule with one message naming the
  // file (its notes, and saving such rules, are tested with the rules file).
  void loadingAHandEditedRulesFileKeepsEveryRuleAndSaysWhatItDidOnce() {
    const QString file = folder_.filePath("edited.rules");
    QFile edited(file);
    QVERIFY(edited.open(QIODevice::WriteOnly));
    edited.write(
        "[Rules]\r\n3=\"1\t|\tc\t|\tC\"\r\n1=\"1\t|\ta\t|\tA\"\r\n01=1|a|A\r\n4=\r\n"
        "6=\"99\t|\tx\t|\ty\"\r\n");
    edited.close();
    modal_->fileNames = {file};
    Click(window_->btnLoad);
    const QStringList loaded = {RuleItem("1", "a", "A"), "1|a|A", RuleItem("1", "c", "C"), RuleItem("99", "x", "y")};
    QCOMPARE(Items(*window_->lstRules), loaded);
    QCOMPARE(modal_->messages.size(), std::size_t{1});
    QVERIFY(modal_->messages.front().contains(file));
  }

  // A long run of the rules shows its progress; its Cancel button, Escape
  // in the progress, or Escape before the progress shows stops it, and the
  // window is exactly as before the run, its controls given back. Closing
  // the window stops the run and waits for it; the window then closes as
  // always, asking about the rules and the records it holds.
  void cancellingALongRunLeavesTheWindowAsItWas_data() {
    QTest::addColumn<int>("how");
    QTest::newRow("Cancel clicked") << 0;
    QTest::newRow("Escape in the progress") << 1;
    QTest::newRow("Escape before the progress shows") << 2;
    QTest::newRow("window closed") << 3;
  }

  void cancellingALongRunLeavesTheWindowAsItWas() {
    QFETCH(int, how);
    StartALongRun();
    VerifyBlockedWhileRunning();
    if (how == 3) {
      modal_->saveChoices = {quenby::SaveChoice::kDiscard, quenby::SaveChoice::kDiscard};
      window_->close();
      QVERIFY(!window_->isVisible());
      QCOMPARE(modal_->questions,
               std::vector<QString>({"Save the changes to the rules?", "Save the generated records?"}));
    } else if (how == 2) {
      QVERIFY(window_->findChild<QProgressDialog*>() == nullptr);
      QTest::keyClick(window_.get(), Qt::Key_Escape);
    } else {
      QProgressDialog* progress = nullptr;
      // The waits only guard against a progress that never shows.
      QTRY_VERIFY_WITH_TIMEOUT(
          (progress = window_->findChild<QProgressDialog*>("runRulesProgress")) != nullptr && progress->isVisible(),
          60'000);
      QTRY_VERIFY_WITH_TIMEOUT(progress->labelText() == "Running rule 1 of 1...", 60'000);
      QVERIFY(window_->btnRunRules->isVisible() && !window_->btnRunRules->isEnabled());
      if (how == 0) {
        Click(progress->findChild<QPushButton*>());
      } else {
        QTest::keyClick(progress, Qt::Key_Escape);
      }
    }
    WaitForTheRun();
    QVERIFY(window_->findChild<QProgressDialog*>() == nullptr);
    QVERIFY(window_->txtInput->isEnabled() && window_->findChild<QMenuBar*>()->isEnabled() && window_->acceptDrops());
    QCOMPARE(window_->focusWidget(), window_->btnRunRules);
    VerifyTheWindowAsBeforeTheRun();
  }

  void filesAreWrittenOrTheirFailureReportedAndTheRecordsKept() {
    SetItems(*window_->lstRules, {RuleItem("1", "a", "b")});
    SetItems(*window_->lstPeople, {"first", "Ren\u00e9e", "  third"});
    window_->txtINDI->setPlainText(QStringLiteral("0 @I1@ INDI\n"));
    const QStringList paths = {folder_.filePath("missing/family.rules"), folder_.filePath("taken.ged"),
                               folder_.filePath("Debug.txt")};
    QDir().mkdir(paths[1]);
    QDir().mkdir(paths[2]);
    modal_->fileNames = {paths[0], paths[1]};
    Click(window_->btnSave);
    Click(window_->btnWrite);
    InTheTestFolder([this] { Click(window_->cmdDebugPeople); });
    QCOMPARE(modal_->messages.size(), std::size_t{3});
    for (qsizetype i = 0; i < paths.size(); ++i) {
      QVERIFY(modal_->messages[static_cast<std::size_t>(i)].contains(paths[i]));
    }
    QCOMPARE(window_->txtINDI->toPlainText(), "0 @I1@ INDI\n");

    QVERIFY(modal_->openedDocuments.empty() && QDir().rmdir(paths[2]));
    InTheTestFolder([this] { QTest::keyClick(window_.get(), Qt::Key_F9); });
    QCOMPARE(FileBytes(paths[2]), QByteArray("first\r\nRen\xe9"
                                             "e\r\n  third\r\n"));
    QCOMPARE(modal_->openedDocuments, std::vector<QString>{paths[2]});

    // Without a program to show it, the listing is said to be written.
    modal_->documentsOpen = false;
    InTheTestFolder([this] { Click(window_->cmdDebugPeople); });
    QCOMPARE(modal_->messages.size(), std::size_t{4});
    QVERIFY(modal_->messages.back().contains("written to " + paths[2]));
  }

  void closingTheWindowClosesTheAboutBox() {
    bool visibleAfterClose = true;
    modal_->dialogScripts.push_back([&](QDialog& dialog) {
      QVERIFY(dynamic_cast<quenby::frmAbout*>(&dialog) != nullptr);
      window_->close();
      visibleAfterClose = dialog.isVisible();
    });
    Click(window_->btnHelp);
    QVERIFY(!visibleAfterClose);
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
