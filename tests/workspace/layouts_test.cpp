// SPDX-License-Identifier: GPL-3.0-or-later
// Starting a rule list from an example layout built into the program: the
// built-in files against the examples folder, the dialog, and what choosing
// (or not choosing) does to the window.

#include <QAccessible>
#include <QDialogButtonBox>
#include <QMenu>
#include <QMenuBar>
#include <QTreeWidget>

#include "rules/layout_list.hpp"
#include "rules/rules_file.hpp"
#include "text/file_io.hpp"
#include "text/text.hpp"
#include "ui/bundled_layouts.hpp"
#include "ui/frmLayouts.hpp"
#include "ui/qt_support.hpp"
#include "window_fixture.hpp"
#include "workspace/layout_start.hpp"

namespace {

using quenby::frmLayouts;
using quenby::FromUtf8;
using quenby::LayoutEntry;
using quenby::ToUtf8;

std::vector<LayoutEntry> ListedLayouts() {
  return quenby::ParseLayoutList(FileBytes(ExamplePath("layouts.tsv")).toStdString());
}

QStringList RulesOf(const QString& path) {
  QStringList items;
  for (const std::string& item : quenby::LoadRulesFile(ToUtf8(path)).items) {
    items << FromUtf8(item);
  }
  return items;
}

QStringList ExampleRules(const std::string& stem) {
  return RulesOf(ExamplePath(FromUtf8(stem + ".rules")));
}

// The example text as the input box shows it (LF line breaks).
QString ExampleText(const std::string& stem) {
  std::string error;
  const auto text = quenby::ReadTextFile(quenby::PathFromUtf8(ToUtf8(ExamplePath(FromUtf8(stem + ".txt")))),
                                         quenby::kTextFileLimit, error);
  return FromUtf8(quenby::CrLfToLf(quenby::NormaliseLineBreaks(text.value_or(error))));
}

frmLayouts& AsLayouts(QDialog& dialog) {
  return dynamic_cast<frmLayouts&>(dialog);
}

void Select(frmLayouts& dialog, int row) {
  dialog.lstLayouts->setCurrentItem(dialog.lstLayouts->topLevelItem(row));
}

void ClickOk(frmLayouts& dialog) {
  QTest::mouseClick(dialog.buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

// The user picks the layout in `row`, with the example text or without.
std::function<void(QDialog&)> Choose(int row, bool withText = false) {
  return [=](QDialog& shown) {
    frmLayouts& dialog = AsLayouts(shown);
    Select(dialog, row);
    dialog.chkPutExampleText->setChecked(withText);
    ClickOk(dialog);
  };
}

QMenu* FileMenu(const quenby::frmQuenby& w) {
  for (QAction* entry : w.findChild<QMenuBar*>()->actions()) {
    if (entry->text() == QStringLiteral("&File")) {
      return entry->menu();
    }
  }
  qFatal("no File menu");
}

QAction* LayoutMenuEntry(const quenby::frmQuenby& w) {
  for (QAction* entry : FileMenu(w)->actions()) {
    if (entry->text() == QStringLiteral("&New rules from an example layout...")) {
      return entry;
    }
  }
  qFatal("no layout entry in the File menu");
}

}  // namespace

class LayoutsTest : public QObject, WindowFixture {
  Q_OBJECT

  // The window with the hartley rules loaded from their file (saved) and
  // the hartley text in the input box.
  void LoadHartley() {
    window_->OpenText(ExamplePath("hartley.txt"));
    window_->LoadRules(ExamplePath("hartley.rules"));
    QVERIFY(!window_->isWindowModified());
  }

  void OpenLayouts() { LayoutMenuEntry(*window_)->trigger(); }

 private slots:
  void init() { OpenWindow(); }
  void cleanup() { DropWindow(); }

  // Every layout of the list is built in as its files are on disk: the
  // same rules (sound, no notes) and the same example text.
  void everyListedLayoutIsBuiltInAsItsFiles_data() {
    QTest::addColumn<QString>("stem");
    for (const LayoutEntry& layout : ListedLayouts()) {
      QTest::newRow(layout.stem.c_str()) << FromUtf8(layout.stem);
    }
  }
  void everyListedLayoutIsBuiltInAsItsFiles() {
    QFETCH(QString, stem);
    const auto onDisk = quenby::LoadRulesFile(ToUtf8(ExamplePath(stem + ".rules")));
    const auto builtIn = quenby::BundledRules(ToUtf8(stem));
    QCOMPARE(builtIn.status, quenby::LoadStatus::kLoaded);
    QVERIFY(!builtIn.items.empty());
    QVERIFY(builtIn.notes.empty());
    QCOMPARE(builtIn.items, onDisk.items);
    std::string error;
    const auto text = quenby::BundledExampleText(ToUtf8(stem), error);
    QVERIFY2(text.has_value(), error.c_str());
    QCOMPARE(FromUtf8(quenby::CrLfToLf(*text)), ExampleText(ToUtf8(stem)));
  }

  void theBuiltInListIsTheExamplesListAndNamesEveryLayout() {
    const auto listed = ListedLayouts();
    const auto builtIn = quenby::BundledLayouts();
    QVERIFY(builtIn == listed);
    QStringList stems;
    for (const LayoutEntry& layout : listed) {
      QVERIFY(!layout.description.empty());
      stems << FromUtf8(layout.stem);
    }
    stems.sort();
    QCOMPARE(stems, (QStringList{"ascending", "breadth", "chain", "continuation", "hartley", "marriages", "register",
                                 "schmidt"}));
  }

  // The dialog lists the layouts in order with their descriptions and
  // previews the selected one's first lines; every control is named for
  // accessibility tools. Cancel leaves the window as it was, rule changes,
  // text and title included.
  void theDialogListsTheLayoutsAndCancelChangesNothing() {
    LoadHartley();
    window_->lstRules->addItem(RuleItem("1", "a", "b"));
    const QStringList rules = Items(*window_->lstRules);
    const QString title = window_->windowTitle();
    modal_->saveChoices = {quenby::SaveChoice::kDiscard};
    modal_->dialogScripts = {[](QDialog& shown) {
      frmLayouts& dialog = AsLayouts(shown);
      const auto listed = ListedLayouts();
      QCOMPARE(dialog.lstLayouts->topLevelItemCount(), static_cast<int>(listed.size()));
      for (int row = 0; row < dialog.lstLayouts->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = dialog.lstLayouts->topLevelItem(row);
        QCOMPARE(item->text(0), FromUtf8(listed[static_cast<std::size_t>(row)].title));
        QCOMPARE(item->text(1), FromUtf8(listed[static_cast<std::size_t>(row)].description));
      }
      QCOMPARE(dialog.lstLayouts->currentItem(), dialog.lstLayouts->topLevelItem(0));
      const QStringList firstLines = ExampleText(listed[0].stem).split('\n').mid(0, 12);
      QCOMPARE(dialog.txtExample->toPlainText(), firstLines.join('\n'));
      QVERIFY(dialog.txtExample->isReadOnly());
      QVERIFY(!dialog.chkPutExampleText->isChecked());
      for (QWidget* control : std::initializer_list<QWidget*>{
               dialog.lstLayouts, dialog.txtExample, dialog.chkPutExampleText,
               dialog.buttons->button(QDialogButtonBox::Ok), dialog.buttons->button(QDialogButtonBox::Cancel)}) {
        QVERIFY(!QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name).isEmpty());
      }
      Select(dialog, 1);
      dialog.chkPutExampleText->setChecked(true);
      QTest::mouseClick(dialog.buttons->button(QDialogButtonBox::Cancel), Qt::LeftButton);
    }};
    OpenLayouts();
    QCOMPARE(Items(*window_->lstRules), rules);
    QCOMPARE(window_->txtInput->toPlainText(), ExampleText("hartley"));
    QCOMPARE(window_->windowTitle(), title);
    QVERIFY(window_->isWindowModified());
    // Cancel remembers nothing either.
    modal_->saveChoices = {quenby::SaveChoice::kDiscard};
    modal_->dialogScripts = {[](QDialog& shown) {
      QVERIFY(!AsLayouts(shown).chkPutExampleText->isChecked());
      QTest::mouseClick(AsLayouts(shown).buttons->button(QDialogButtonBox::Cancel), Qt::LeftButton);
    }};
    OpenLayouts();
  }

  // The entry sits in the File menu, reached from the keyboard by a letter
  // no other entry of the menu uses.
  void theMenuEntryHasAMnemonicOfItsOwn() {
    QMenu* file = FileMenu(*window_);
    QStringList mnemonics;
    for (const QAction* entry : file->actions()) {
      const QKeySequence mnemonic = QKeySequence::mnemonic(entry->text());
      if (!mnemonic.isEmpty()) {
        mnemonics << mnemonic.toString();
      }
    }
    const QString own = QKeySequence::mnemonic(LayoutMenuEntry(*window_)->text()).toString();
    QVERIFY(!own.isEmpty());
    QCOMPARE(mnemonics.count(own), 1);
  }

  // The chosen layout's rules fill the list as a list without a file: the
  // title names no rules file and shows it unsaved, people list and records
  // are emptied, and Save Rules asks for a name without proposing the file
  // loaded before.
  void aChosenLayoutIsAnUnsavedListWithoutAName() {
    LoadHartley();
    RunTheRules();
    QVERIFY(window_->lstPeople->count() > 0);
    modal_->dialogScripts = {Choose(1)};
    OpenLayouts();
    const std::string chain = ListedLayouts()[1].stem;
    QCOMPARE(Items(*window_->lstRules), ExampleRules(chain));
    QVERIFY(window_->isWindowModified());
    QVERIFY(!window_->windowTitle().contains(QStringLiteral("hartley.rules")));
    QCOMPARE(window_->lstPeople->count(), 0);
    QCOMPARE(window_->txtInput->toPlainText(), ExampleText("hartley"));

    const QString saved = folder_.filePath(QStringLiteral("mine.rules"));
    modal_->fileNames = {saved};
    Click(window_->btnSave);
    QVERIFY(modal_->fileQuestions.back().lastFile.isEmpty());
    QCOMPARE(RulesOf(saved), ExampleRules(chain));
    QVERIFY(!window_->isWindowModified());
  }

  // A double-click or Enter on a layout chooses it.
  void aDoubleClickOrEnterChooses() {
    const auto listed = ListedLayouts();
    modal_->dialogScripts = {[](QDialog& shown) {
      frmLayouts& dialog = AsLayouts(shown);
      QTreeWidget* list = dialog.lstLayouts;
      const QRect row = list->visualItemRect(list->topLevelItem(2));
      // A double-click is a press and release, then a second press that
      // the platform reports as a double-click.
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
      QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
    }};
    OpenLayouts();
    QCOMPARE(Items(*window_->lstRules), ExampleRules(listed[2].stem));

    modal_->saveChoices = {quenby::SaveChoice::kDiscard};
    modal_->dialogScripts = {[](QDialog& shown) {
      frmLayouts& dialog = AsLayouts(shown);
      Select(dialog, 3);
      dialog.lstLayouts->setFocus();
      QTest::keyClick(dialog.lstLayouts, Qt::Key_Return);
    }};
    OpenLayouts();
    QCOMPARE(Items(*window_->lstRules), ExampleRules(listed[3].stem));
  }

  // Each showing starts without a choice: Cancel after an earlier OK
  // chooses nothing.
  void aShowingForgetsTheChoiceOfTheLastOne() {
    frmLayouts dialog(window_.get());
    dialog.SetLayouts(quenby::BundledLayouts());
    dialog.show();
    Select(dialog, 1);
    ClickOk(dialog);
    QVERIFY(dialog.ChosenLayout() == ListedLayouts()[1]);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
    QVERIFY(!dialog.ChosenLayout().has_value());
  }

  // Over changed rules the save question comes first: its Cancel shows no
  // dialog and changes nothing; Don't save goes on and replaces them.
  void changedRulesAreAskedAboutFirst() {
    LoadHartley();
    window_->lstRules->addItem(RuleItem("1", "a", "b"));
    const QStringList changed = Items(*window_->lstRules);
    modal_->saveChoices = {quenby::SaveChoice::kCancel};
    OpenLayouts();
    QCOMPARE(modal_->questions.size(), std::size_t{1});
    QCOMPARE(Items(*window_->lstRules), changed);
    QVERIFY(window_->isWindowModified());

    modal_->saveChoices = {quenby::SaveChoice::kDiscard};
    modal_->dialogScripts = {Choose(0)};
    OpenLayouts();
    QCOMPARE(Items(*window_->lstRules), ExampleRules(ListedLayouts()[0].stem));
  }

  // With the box ticked the example text replaces the input text, and the
  // box stays ticked for the next time. Non-ASCII letters arrive whole, in
  // the preview and in the input box.
  void theExampleTextCanComeWithTheRules() {
    const auto listed = ListedLayouts();
    const auto schmidt = std::find_if(listed.begin(), listed.end(), [](const auto& l) { return l.stem == "schmidt"; });
    const int row = static_cast<int>(schmidt - listed.begin());
    modal_->dialogScripts = {[row](QDialog& shown) {
      frmLayouts& dialog = AsLayouts(shown);
      Select(dialog, row);
      QVERIFY(dialog.txtExample->toPlainText().contains(QStringLiteral("„Hans“ Schmidt * 3. März 1850")));
      dialog.chkPutExampleText->setChecked(true);
      ClickOk(dialog);
    }};
    OpenLayouts();
    QCOMPARE(window_->txtInput->toPlainText(), ExampleText("schmidt"));
    QVERIFY(window_->txtInput->toPlainText().contains(QStringLiteral("geb. Müller")));
    QCOMPARE(Items(*window_->lstRules), ExampleRules("schmidt"));
    RunTheRules();
    QVERIFY(window_->lstPeople->count() > 0);

    modal_->saveChoices = {quenby::SaveChoice::kDiscard};
    modal_->dialogScripts = {[](QDialog& shown) {
      QVERIFY(AsLayouts(shown).chkPutExampleText->isChecked());
      Choose(0, true)(shown);
    }};
    OpenLayouts();
    QCOMPARE(window_->txtInput->toPlainText(), ExampleText(ListedLayouts()[0].stem));
  }

  // Replacing the input text asks about records not saved; Cancel there
  // leaves rules, text and records as they were.
  void unsavedRecordsAreAskedAboutBeforeTheTextIsReplaced() {
    LoadHartley();
    window_->txtINDI->setPlainText(QStringLiteral("0 @I1@ INDI"));
    modal_->saveChoices = {quenby::SaveChoice::kCancel};
    modal_->dialogScripts = {Choose(1, true)};
    OpenLayouts();
    QCOMPARE(Items(*window_->lstRules), ExampleRules("hartley"));
    QCOMPARE(window_->txtInput->toPlainText(), ExampleText("hartley"));
    QCOMPARE(window_->txtINDI->toPlainText(), QStringLiteral("0 @I1@ INDI"));

    modal_->saveChoices = {quenby::SaveChoice::kDiscard};
    modal_->dialogScripts = {Choose(1, true)};
    OpenLayouts();
    QCOMPARE(window_->txtInput->toPlainText(), ExampleText(ListedLayouts()[1].stem));
    QVERIFY(window_->txtINDI->toPlainText().isEmpty());
    // The input text no longer comes from the file opened before.
    QVERIFY(!window_->windowTitle().contains(QStringLiteral("hartley.txt")));
  }
};

QTEST_MAIN(LayoutsTest)
#include "layouts_test.moc"
