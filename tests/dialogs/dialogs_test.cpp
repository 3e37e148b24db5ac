// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "gedcom/frmSexChoice.hpp"
#include "rules/catalogue.hpp"
#include "rules/frmRule.hpp"
#include "workspace/qt_support.hpp"

using quenby::frmRule;
using quenby::frmSexChoice;

namespace {

QString Item(const QString& code, const QString& search, const QString& replacement) {
  return code + QStringLiteral("\t|\t") + search + QStringLiteral("\t|\t") + replacement;
}

// Shows the editor as the rule list does: while an item is edited, the delete
// entry stands first; a new rule comes as an empty item.
void Show(frmRule& dialog, const QString& item) {
  dialog.SetRule(item);
  if (!item.isEmpty()) dialog.cboCode->insertItem(0, quenby::FromUtf8(quenby::kDeleteEntryText));
  dialog.show();
}

// A radio button takes clicks on its circle and caption only, not on the
// empty rest of its row.
void Choose(frmSexChoice& dialog, std::size_t option) {
  QRadioButton* button = dialog.optSex[option];
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

}  // namespace

class DialogsTest : public QObject {
  Q_OBJECT

 private slots:
  // Esc does nothing, nor does Enter outside a button: only the two buttons
  // and the window's close button end the dialog, and only OK keeps the rule.
  void onlyTheButtonsEndTheDialogAndOnlyOkKeepsTheRule() {
    for (const QString way : {"btnOk", "btnCancel", "close"}) {
      frmRule dialog;
      Show(dialog, Item("41", "ab", "c"));
      dialog.cboCode->setCurrentIndex(8);
      QTest::keyClicks(dialog.txtSearch, "more");
      QTest::keyClick(dialog.btnOk, Qt::Key_Escape);
      for (QWidget* control : {static_cast<QWidget*>(dialog.txtSearch), static_cast<QWidget*>(dialog.cboCode)}) {
        QTest::keyClick(control, Qt::Key_Return);
        QTest::keyClick(control, Qt::Key_Enter);
      }
      QVERIFY(dialog.isVisible());
      if (way == "close") {
        dialog.close();
      } else {
        QTest::mouseClick(dialog.findChild<QPushButton*>(way), Qt::LeftButton);
      }
      QVERIFY(!dialog.isVisible());
      QCOMPARE(dialog.GetRule(), way == "btnOk" ? Item("8", "abmore", "c") : QString());
    }
  }

  // Enter presses the button that has the focus; neither is a default button.
  void enterPressesTheFocusedButton() {
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
      for (const bool ok : {true, false}) {
        frmRule dialog;
        Show(dialog, Item("41", "ab", "c"));
        QVERIFY(!dialog.btnOk->isDefault() && !dialog.btnCancel->isDefault());
        QPushButton* button = ok ? dialog.btnOk : dialog.btnCancel;
        button->setFocus();
        QTest::keyClick(button, key);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.GetRule(), ok ? Item("41", "ab", "c") : QString());
      }
    }
  }

  // A minimised question would leave its blocked owner with nothing to
  // answer: both dialogs come back at once.
  void neitherDialogStaysMinimised() {
    frmRule editor;
    frmSexChoice question;
    for (QDialog* dialog : {static_cast<QDialog*>(&editor), static_cast<QDialog*>(&question)}) {
      dialog->show();
      dialog->setWindowState(Qt::WindowMinimized);
      QTRY_VERIFY(!dialog->isMinimized() && dialog->isVisible());
    }
  }

  // The editor is kept between uses, so each row follows an earlier edit. A
  // code without an entry (only a hand-edited rules file brings one) opens on
  // the first entry, never on the delete entry.
  void editingOpensOnTheItemsEntryAndOkStoresTheCodeShown_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("expected");
    QTest::newRow("normal") << Item("41", " x ", "y") << Item("41", " x ", "y");
    QTest::newRow("new rule") << QString() << Item("1", "", "");
    QTest::newRow("code without entry") << Item("9", "a", "b") << Item("1", "a", "b");
    QTest::newRow("code of the delete entry") << Item("0", "a", "b") << Item("1", "a", "b");
    QTest::newRow("short item") << QStringLiteral("42") << Item("42", "", "");
  }
  void editingOpensOnTheItemsEntryAndOkStoresTheCodeShown() {
    QFETCH(QString, item);
    QFETCH(QString, expected);
    frmRule dialog;
    Show(dialog, Item("8", "old", "old"));
    QTest::mouseClick(dialog.btnOk, Qt::LeftButton);
    dialog.cboCode->removeItem(0);
    Show(dialog, item);
    QCOMPARE(dialog.cboCode->currentText().section(':', 0, 0), expected.section('\t', 0, 0));
    QTest::mouseClick(dialog.btnOk, Qt::LeftButton);
    QCOMPARE(dialog.GetRule(), expected);
  }

  // A pattern rule that would run as doing nothing is not accepted: OK says
  // why and keeps the dialog open until the pattern is put right or the
  // rule is cancelled or deleted. The next use starts without the message.
  void okRefusesAnInvalidPatternAndSaysWhy() {
    frmRule dialog;
    Show(dialog, QString());
    dialog.cboCode->setCurrentIndex(dialog.cboCode->findText(QStringLiteral("51: "), Qt::MatchStartsWith));
    QTest::keyClicks(dialog.txtSearch, QStringLiteral("(b\\. "));
    QTest::keyClicks(dialog.txtReplace, QStringLiteral("|_B_"));
    QTest::mouseClick(dialog.btnOk, Qt::LeftButton);
    QVERIFY(dialog.isVisible());
    QVERIFY(dialog.lblProblem->text().contains(QStringLiteral("pattern is not valid")));
    QCOMPARE(dialog.GetRule(), QString());
    dialog.txtSearch->end(false);
    QTest::keyClicks(dialog.txtSearch, QStringLiteral(")"));
    QTest::mouseClick(dialog.btnOk, Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.GetRule(), Item("51", "(b\\. )", "|_B_"));

    Show(dialog, Item("54", "a", "\\2"));
    QVERIFY(dialog.lblProblem->text().isEmpty());
    QTest::mouseClick(dialog.btnOk, Qt::LeftButton);
    QVERIFY(dialog.lblProblem->text().contains(QStringLiteral("replacement")));
    dialog.cboCode->setCurrentIndex(0);  // the delete entry
    QTest::mouseClick(dialog.btnOk, Qt::LeftButton);
    QCOMPARE(dialog.GetRule(), Item("0", "a", "\\2"));
  }

  // The new codes follow the old entries, each entry leading with its code.
  void theCatalogueListsTheNewCodesAfterTheOldOnes() {
    frmRule dialog;
    QStringList codes;
    for (int i = 0; i < dialog.cboCode->count(); ++i) {
      codes << dialog.cboCode->itemText(i).section(':', 0, 0);
    }
    QCOMPARE(codes.mid(20), QStringList({"31", "32", "41", "42", "15", "33", "34", "35", "51", "52", "53", "54"}));
  }

  // Every showing starts on "Unknown", so the answer given last time still
  // closes it; "Unknown" is no answer, and the close button leaves "not male".
  // "&" in the name would otherwise turn the next letter into a shortcut.
  void everyShowingStartsOnUnknownAndAnAnswerOrCloseEndsIt() {
    frmSexChoice dialog;
    dialog.SetPersonName(QStringLiteral("Tom & Ann"));
    QCOMPARE(dialog.fraFrame->title(), QStringLiteral("Tom && Ann"));
    dialog.OfferEveryoneElse(true);
    for (const std::size_t answer : {1, 1, 0, 2}) {  // 0: the close button
      dialog.show();
      QVERIFY(dialog.optSex[0]->isChecked() && !dialog.chkEveryoneElse->isChecked());
      // The window is wide enough for its title.
      QVERIFY(dialog.width() > dialog.fontMetrics().horizontalAdvance(dialog.windowTitle()));
      dialog.chkEveryoneElse->setChecked(true);
      Choose(dialog, 0);
      QVERIFY(dialog.isVisible());
      if (answer == 0) {
        dialog.close();
      } else {
        Choose(dialog, answer);
      }
      QVERIFY(!dialog.isVisible());
      QCOMPARE(dialog.IsMale(), answer == 1);
      QCOMPARE(dialog.WasAnswered(), answer != 0);
    }
  }

  // Moving through the options with the arrow keys must not answer "Male" on
  // the way to "Female".
  void arrowKeysMoveTheFocusAndSpaceChooses() {
    frmSexChoice dialog;
    dialog.show();
    for (const std::size_t next : {1, 2, 2}) {
      QTest::keyClick(dialog.focusWidget(), Qt::Key_Down);
      QCOMPARE(dialog.focusWidget(), dialog.optSex[next]);
    }
    QVERIFY(dialog.isVisible() && dialog.optSex[0]->isChecked());
    QTest::keyClick(dialog.optSex[2], Qt::Key_Space);
    QVERIFY(!dialog.isVisible() && dialog.optSex[2]->isChecked());
  }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
