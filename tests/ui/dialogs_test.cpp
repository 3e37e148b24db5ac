// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "rules/catalogue.hpp"
#include "ui/frmRule.hpp"
#include "ui/qt_support.hpp"
#include "workspace/fake_modal.hpp"

using quenby::frmRule;
using quenby::frmSexChoice;

namespace {

// Shows the editor as the rule list does: while an item is edited, the delete
// entry stands first; a new rule comes as an empty item.
void Show(frmRule& dialog, const QString& item) {
  dialog.SetRule(item);
  if (!item.isEmpty()) dialog.cboCode->insertItem(0, quenby::FromUtf8(quenby::kDeleteEntryText));
  dialog.show();
}

}  // namespace

class DialogsTest : public QObject {
  Q_OBJECT

 private slots:
  // Enter outside a button does nothing: only the buttons (clicked, or
  // Return or Enter while focused; none is a default), Esc and the window's
  // close button end the dialog. Only OK keeps the rule; Delete, shown only
  // while a rule is edited, answers as the delete entry does.
  void theButtonsEscAndCloseEndTheDialogAndOnlyOkKeepsTheRule_data() {
    QTest::addColumn<QString>("way");
    QTest::addColumn<QString>("expected");
    QTest::newRow("OK") << "btnOk" << RuleItem("8", "abmore", "c");
    QTest::newRow("Cancel") << "btnCancel" << QString();
    QTest::newRow("Delete") << "btnDelete" << RuleItem("0", "abmore", "c");
    QTest::newRow("close") << "close" << QString();
    QTest::newRow("Esc in a text") << "Escape txtSearch" << QString();
    QTest::newRow("Esc on OK") << "Escape btnOk" << QString();
    QTest::newRow("Return on OK") << "Return btnOk" << RuleItem("8", "abmore", "c");
    QTest::newRow("Enter on Cancel") << "Enter btnCancel" << QString();
    QTest::newRow("Return on Delete") << "Return btnDelete" << RuleItem("0", "abmore", "c");
  }
  void theButtonsEscAndCloseEndTheDialogAndOnlyOkKeepsTheRule() {
    QFETCH(QString, way);
    QFETCH(QString, expected);
    frmRule dialog;
    Show(dialog, RuleItem("41", "ab", "c"));
    QVERIFY(dialog.btnDelete->isVisible());
    for (QPushButton* button : {dialog.btnOk, dialog.btnCancel, dialog.btnDelete}) {
      QVERIFY(!button->isDefault() && !button->autoDefault());
    }
    dialog.cboCode->setCurrentIndex(8);
    QTest::keyClicks(dialog.txtSearch, "more");
    for (QWidget* control : {static_cast<QWidget*>(dialog.txtSearch), static_cast<QWidget*>(dialog.cboCode)}) {
      QTest::keyClick(control, Qt::Key_Return);
      QTest::keyClick(control, Qt::Key_Enter);
    }
    QVERIFY(dialog.isVisible());
    auto* control = dialog.findChild<QWidget*>(way.section(' ', -1));
    if (way == "close") {
      dialog.close();
    } else if (way.contains(' ')) {
      control->setFocus();
      const QString key = way.section(' ', 0, 0);
      QTest::keyClick(control, key == "Escape" ? Qt::Key_Escape : key == "Return" ? Qt::Key_Return : Qt::Key_Enter);
    } else {
      QTest::mouseClick(qobject_cast<QPushButton*>(control), Qt::LeftButton);
    }
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.GetRule(), expected);
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
  // the first entry, never on the delete entry. A new rule has nothing to
  // delete: the button goes with the delete entry.
  void editingOpensOnTheItemsEntryAndOkStoresTheCodeShown_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("expected");
    QTest::newRow("normal") << RuleItem("41", " x ", "y") << RuleItem("41", " x ", "y");
    QTest::newRow("new rule") << QString() << RuleItem("1", "", "");
    QTest::newRow("code without entry") << RuleItem("9", "a", "b") << RuleItem("1", "a", "b");
    QTest::newRow("code of the delete entry") << RuleItem("0", "a", "b") << RuleItem("1", "a", "b");
  }
  void editingOpensOnTheItemsEntryAndOkStoresTheCodeShown() {
    QFETCH(QString, item);
    QFETCH(QString, expected);
    frmRule dialog;
    Show(dialog, RuleItem("8", "old", "old"));
    QTest::mouseClick(dialog.btnOk, Qt::LeftButton);
    dialog.cboCode->removeItem(0);
    Show(dialog, item);
    QCOMPARE(dialog.btnDelete->isVisible(), !item.isEmpty());
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
    QCOMPARE(dialog.GetRule(), RuleItem("51", "(b\\. )", "|_B_"));

    Show(dialog, RuleItem("54", "a", "\\2"));
    QVERIFY(dialog.lblProblem->text().isEmpty());
    QTest::mouseClick(dialog.btnOk, Qt::LeftButton);
    QVERIFY(dialog.lblProblem->text().contains(QStringLiteral("replacement")));
    dialog.cboCode->setCurrentIndex(0);  // the delete entry
    QTest::mouseClick(dialog.btnOk, Qt::LeftButton);
    QCOMPARE(dialog.GetRule(), RuleItem("0", "a", "\\2"));
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
      ChooseSex(dialog, 0);
      QVERIFY(dialog.isVisible());
      if (answer == 0) {
        dialog.close();
      } else {
        ChooseSex(dialog, answer);
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

  // M and F answer wherever the focus is; Enter answers with the option that
  // has the focus, and on "Unknown" does nothing. Other letters do nothing.
  void theKeysMAndFAnswerAndEnterTakesTheFocusedOption_data() {
    QTest::addColumn<int>("focus");  // 0 to 2 an option, 3 the box for everyone else
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("answer");  // -1: still asking
    QTest::newRow("M on Unknown") << 0 << int(Qt::Key_M) << 1;
    QTest::newRow("F on Male") << 1 << int(Qt::Key_F) << 2;
    QTest::newRow("M on the box") << 3 << int(Qt::Key_M) << 1;
    QTest::newRow("Enter on Female") << 2 << int(Qt::Key_Return) << 2;
    QTest::newRow("keypad Enter on Male") << 1 << int(Qt::Key_Enter) << 1;
    QTest::newRow("Enter on Unknown") << 0 << int(Qt::Key_Return) << -1;
    QTest::newRow("Enter on the box") << 3 << int(Qt::Key_Return) << -1;
    QTest::newRow("another letter") << 0 << int(Qt::Key_X) << -1;
  }
  void theKeysMAndFAnswerAndEnterTakesTheFocusedOption() {
    QFETCH(int, focus);
    QFETCH(int, key);
    QFETCH(int, answer);
    frmSexChoice dialog;
    dialog.OfferEveryoneElse(true);
    dialog.show();
    QWidget* target = focus == 3 ? static_cast<QWidget*>(dialog.chkEveryoneElse)
                                 : static_cast<QWidget*>(dialog.optSex[static_cast<std::size_t>(focus)]);
    target->setFocus();
    QTest::keyClick(target, static_cast<Qt::Key>(key));
    QCOMPARE(dialog.isVisible(), answer < 0);
    QCOMPARE(dialog.WasAnswered(), answer > 0);
    QCOMPARE(dialog.IsMale(), answer == 1);
  }

  // The options stay where they were from one question to the next, also
  // when a longer name widens the dialog.
  void theOptionsKeepTheirPlaceBetweenQuestions() {
    QWidget owner;
    owner.resize(800, 600);
    owner.show();
    frmSexChoice dialog(&owner);
    dialog.SetPersonName(QStringLiteral("Al"));
    dialog.show();
    const QPoint place = dialog.optSex[2]->mapToGlobal(QPoint(0, 0));
    QTest::keyClick(dialog.optSex[0], Qt::Key_F);
    dialog.SetPersonName(QString(120, QLatin1Char('W')));
    dialog.show();
    QCOMPARE(dialog.optSex[2]->mapToGlobal(QPoint(0, 0)), place);
  }

  // A screen reader's toggle of an option checks it without a click; it
  // answers all the same.
  void anAccessibilityToolsToggleAnswers() {
    frmSexChoice dialog;
    for (const std::size_t answer : {2, 1}) {
      dialog.show();
      QAccessibleActionInterface* action =
          QAccessible::queryAccessibleInterface(dialog.optSex[answer])->actionInterface();
      QVERIFY(action->actionNames().contains(QAccessibleActionInterface::toggleAction()));
      action->doAction(QAccessibleActionInterface::toggleAction());
      QVERIFY(!dialog.isVisible());
      QCOMPARE(dialog.IsMale(), answer == 1);
      QVERIFY(dialog.WasAnswered());
    }
  }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
