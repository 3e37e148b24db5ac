// SPDX-License-Identifier: GPL-3.0-or-later
// Starting a rule list from an example layout built into the program: the
// built-in files against the examples folder, the dialog, and what choosing
// (or not choosing) does to the window.

#include <QDialogButtonBox>
#include <QMenu>
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

const QString kLayoutEntry = QStringLiteral("&New rules from an example layout...");

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

void ClickButton(frmLayouts& dialog, QDialogButtonBox::StandardButton button) {
  QTest::mouseClick(dialog.buttons->button(button), Qt::LeftButton);
}

// The user picks the layout in `row`, with the example text or without.
std::function<void(QDialog&)> Choose(int row, bool withText = false) {
  return [=](QDialog& shown) {
    frmLayouts& dialog = AsLayouts(shown);
    Select(dialog, row);
    dialog.chkPutExampleText->setChecked(withText);
    ClickButton(dialog, QDialogButtonBox::Ok);
  };
}

}  // namespace

class LayoutsTest : public QObject, WindowFixture {
  Q_OBJECT

  void OpenLayouts() { MenuAction(kLayoutEntry)->trigger(); }

 private slots:
  void init() { OpenWindow(); }
  void cleanup() { DropWindow(); }

  // The list of layouts (which the dialog shows) names every example, each
  // with a description, and every layout of it is built in as its files are
  // on disk: the same rules (sound, no notes) and the same example text.
  void everyExampleIsListedAndBuiltInAsItsFiles() {
    for (const LayoutEntry& layout : ListedLayouts()) {
      const QString stem = FromUtf8(layout.stem);
      QVERIFY2(!layout.description.empty(), layout.stem.c_str());
      const auto builtIn = quenby::BundledRules(layout.stem);
      QCOMPARE(builtIn.status, quenby::LoadStatus::kLoaded);
      QVERIFY(!builtIn.items.empty() && builtIn.notes.empty());
      QCOMPARE(builtIn.items, quenby::LoadRulesFile(ToUtf8(ExamplePath(stem + ".rules"))).items);
      std::string error;
      const auto text = quenby::BundledExampleText(layout.stem, error);
      QVERIFY2(text.has_value(), error.c_str());
      QCOMPARE(FromUtf8(quenby::CrLfToLf(*text)), ExampleText(layout.stem));
    }
  }

  // Over changed rules the save question comes first; its Cancel shows no
  // dialog. The dialog lists the layouts in order and previews the selected
  // one's first lines. Its Cancel, and Cancel on the question about records
  // not saved, leave the window as it was; a Cancel remembers nothing.
  void everyCancelLeavesTheWindowAsItWas() {
    LoadTheExample();
    window_->lstRules->addItem(RuleItem("1", "a", "b"));
    window_->txtINDI->setPlainText(QStringLiteral("0 @I1@ INDI"));
    const QStringList rules = Items(*window_->lstRules);
    const QString title = window_->windowTitle();
    modal_->saveChoices = {quenby::SaveChoice::kCancel, quenby::SaveChoice::kDiscard, quenby::SaveChoice::kDiscard,
                           quenby::SaveChoice::kDiscard, quenby::SaveChoice::kCancel};
    const auto lookAndCancel = [](QDialog& shown) {
      frmLayouts& dialog = AsLayouts(shown);
      const auto listed = ListedLayouts();
      QCOMPARE(dialog.lstLayouts->topLevelItemCount(), static_cast<int>(listed.size()));
      for (int row = 0; row < dialog.lstLayouts->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = dialog.lstLayouts->topLevelItem(row);
        QCOMPARE(item->text(0), FromUtf8(listed[static_cast<std::size_t>(row)].title));
        QCOMPARE(item->text(1), FromUtf8(listed[static_cast<std::size_t>(row)].description));
      }
      QCOMPARE(dialog.lstLayouts->currentItem(), dialog.lstLayouts->topLevelItem(0));
      QCOMPARE(dialog.txtExample->toPlainText(), ExampleText(listed[0].stem).split('\n').mid(0, 12).join('\n'));
      QVERIFY(!dialog.chkPutExampleText->isChecked());
      Select(dialog, 1);
      dialog.chkPutExampleText->setChecked(true);
      ClickButton(dialog, QDialogButtonBox::Cancel);
    };
    modal_->dialogScripts = {lookAndCancel, lookAndCancel, Choose(1, true)};
    for (int showing = 0; showing < 4; ++showing) {
      OpenLayouts();
      QCOMPARE(Items(*window_->lstRules), rules);
      QCOMPARE(window_->txtInput->toPlainText(), ExampleText("hartley"));
      QCOMPARE(window_->txtINDI->toPlainText(), QStringLiteral("0 @I1@ INDI"));
      QCOMPARE(window_->windowTitle(), title);
      QVERIFY(window_->isWindowModified());
    }
    QCOMPARE(modal_->questions.size(), std::size_t{5});
  }

  // The entry sits in the File menu, reached from the keyboard by a letter
  // no other entry of the menu uses.
  void theMenuEntryHasAMnemonicOfItsOwn() {
    QStringList mnemonics;
    for (const QAction* entry :
         qobject_cast<QMenu*>(MenuAction(kLayoutEntry)->associatedObjects().front())->actions()) {
      mnemonics << QKeySequence::mnemonic(entry->text()).toString();
    }
    const QString own = QKeySequence::mnemonic(kLayoutEntry).toString();
    QVERIFY(!own.isEmpty());
    QCOMPARE(mnemonics.count(own), 1);
  }

  // Each showing starts without a choice: Escape after an earlier OK
  // chooses nothing.
  void aShowingForgetsTheChoiceOfTheLastOne() {
    frmLayouts dialog(window_.get());
    dialog.SetLayouts(quenby::BundledLayouts());
    dialog.show();
    Select(dialog, 1);
    ClickButton(dialog, QDialogButtonBox::Ok);
    QVERIFY(dialog.ChosenLayout() == ListedLayouts()[1]);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
    QVERIFY(!dialog.ChosenLayout().has_value());
  }

  // A double-click or Enter on a layout chooses it. The chosen layout's
  // rules fill the list as a list without a file: the title names no rules
  // file and shows it unsaved, people list and records are emptied, and Save
  // Rules asks for a name without proposing the file loaded before.
  void aChosenLayoutIsAnUnsavedListWithoutANameAndMayBringItsText() {
    LoadTheExample();
    RunTheRules();
    QVERIFY(window_->lstPeople->count() > 0);
    modal_->dialogScripts = {[](QDialog& shown) {
      QTreeWidget* list = AsLayouts(shown).lstLayouts;
      const QRect row = list->visualItemRect(list->topLevelItem(2));
      // A double-click is a press and release, then a second press that
      // the platform reports as a double-click.
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
      QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
    }};
    OpenLayouts();
    const auto listed = ListedLayouts();
    QCOMPARE(Items(*window_->lstRules), ExampleRules(listed[2].stem));
    QVERIFY(window_->isWindowModified());
    QVERIFY(!window_->windowTitle().contains(QStringLiteral("hartley.rules")));
    QCOMPARE(window_->lstPeople->count(), 0);
    QCOMPARE(window_->txtInput->toPlainText(), ExampleText("hartley"));

    const QString saved = folder_.filePath(QStringLiteral("mine.rules"));
    modal_->fileNames = {saved};
    Click(window_->btnSave);
    QVERIFY(modal_->fileQuestions.back().lastFile.isEmpty());
    QCOMPARE(RulesOf(saved), ExampleRules(listed[2].stem));
    QVERIFY(!window_->isWindowModified());

    modal_->dialogScripts = {[](QDialog& shown) {
      Select(AsLayouts(shown), 3);
      QTest::keyClick(AsLayouts(shown).lstLayouts, Qt::Key_Return);
    }};
    OpenLayouts();
    QCOMPARE(Items(*window_->lstRules), ExampleRules(listed[3].stem));

    // With the box ticked the example text replaces the input text, no
    // longer from the file opened before, and the box stays ticked for the
    // next time. Non-ASCII letters arrive whole, in the preview and in the
    // input box. Records not saved are asked about before the text is
    // replaced.
    modal_->saveChoices = {quenby::SaveChoice::kDiscard};
    const auto schmidt = std::find_if(listed.begin(), listed.end(), [](const auto& l) { return l.stem == "schmidt"; });
    const int row = static_cast<int>(schmidt - listed.begin());
    modal_->dialogScripts = {[row](QDialog& shown) {
      Select(AsLayouts(shown), row);
      QVERIFY(AsLayouts(shown).txtExample->toPlainText().contains(QStringLiteral("„Hans“ Schmidt * 3. März 1850")));
      Choose(row, true)(shown);
    }};
    OpenLayouts();
    QCOMPARE(window_->txtInput->toPlainText(), ExampleText("schmidt"));
    QVERIFY(window_->txtInput->toPlainText().contains(QStringLiteral("geb. Müller")));
    QVERIFY(!window_->windowTitle().contains(QStringLiteral("hartley.txt")));
    QCOMPARE(Items(*window_->lstRules), ExampleRules("schmidt"));

    window_->txtINDI->setPlainText(QStringLiteral("0 @I1@ INDI"));
    modal_->saveChoices = {quenby::SaveChoice::kDiscard, quenby::SaveChoice::kDiscard};
    modal_->dialogScripts = {[](QDialog& shown) {
      QVERIFY(AsLayouts(shown).chkPutExampleText->isChecked());
      Choose(0, true)(shown);
    }};
    OpenLayouts();
    QCOMPARE(window_->txtInput->toPlainText(), ExampleText(listed[0].stem));
    QVERIFY(window_->txtINDI->toPlainText().isEmpty());
  }
};

QTEST_MAIN(LayoutsTest)
#include "layouts_test.moc"
