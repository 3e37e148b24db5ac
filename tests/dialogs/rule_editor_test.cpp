#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "rules/catalogue.hpp"
#include "rules/frmRule.hpp"

using quenby::frmRule;

namespace {

QString Item(const QString& code, const QString& search, const QString& replacement) {
  return code + QStringLiteral("\t|\t") + search + QStringLiteral("\t|\t") + replacement;
}

// Edits `item` the way the rule list does: the delete entry stands first
// while the dialog is shown.
void ShowForEditing(frmRule& dialog, const QString& item) {
  dialog.SetRule(item);
  dialog.cboCode->insertItem(
      0, QString::fromLatin1(quenby::kDeleteEntryText.data(), static_cast<qsizetype>(quenby::kDeleteEntryText.size())));
  dialog.show();
}

int CodeShown(const frmRule& dialog) {
  return dialog.cboCode->currentText().section(QLatin1Char(':'), 0, 0).toInt();
}

}  // namespace

class RuleEditorTest : public QObject {
  Q_OBJECT

 private slots:
  // Each way out runs inside a modal show, as the callers use the dialog: a
  // way that did not end it would block the test.
  void everyWayOutEndsAModalShowAndOnlyOkKeepsTheRule_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("rule");
    QTest::newRow("OK") << "btnOk" << Item("8", "abmore", "c");
    QTest::newRow("Cancel") << "btnCancel" << QString();
    QTest::newRow("close button") << "" << QString();
  }
  void everyWayOutEndsAModalShowAndOnlyOkKeepsTheRule() {
    QFETCH(QString, button);
    QFETCH(QString, rule);
    frmRule dialog;
    dialog.SetRule(Item("41", "ab", "c"));
    QTimer::singleShot(0, &dialog, [&dialog, button] {
      dialog.cboCode->setCurrentIndex(7);
      QTest::keyClicks(dialog.txtSearch, "more");
      if (button.isEmpty()) {
        dialog.close();
      } else {
        QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton);
      }
    });
    dialog.exec();
    QCOMPARE(dialog.GetRule(), rule);
    QVERIFY(!dialog.isVisible());
  }

  // Only a hand-edited rules file brings a code without an entry; the editor
  // opens it on the first entry, so OK stores the code the box shows and
  // never the delete entry.
  void editingOpensOnTheItemsEntryAndOkStoresTheCodeShown_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("expected");
    QTest::newRow("marriage data") << Item("41", "x", "y") << Item("41", "x", "y");
    QTest::newRow("spaces kept") << Item("1", " b. ", " born ") << Item("1", " b. ", " born ");
    QTest::newRow("last entry, search empty") << Item("42", "", "Smith") << Item("42", "", "Smith");
    QTest::newRow("code without entry") << Item("9", "a", "b") << Item("1", "a", "b");
    QTest::newRow("code not a number") << Item("abc", "a", "b") << Item("1", "a", "b");
    QTest::newRow("code zero") << Item("0", "a", "b") << Item("1", "a", "b");
    QTest::newRow("huge code") << Item("99999999999999999999999", "a", "b") << Item("1", "a", "b");
  }
  void editingOpensOnTheItemsEntryAndOkStoresTheCodeShown() {
    QFETCH(QString, item);
    QFETCH(QString, expected);
    frmRule dialog;
    ShowForEditing(dialog, item);
    QCOMPARE(CodeShown(dialog), expected.section(QLatin1Char('\t'), 0, 0).toInt());
    QTest::mouseClick(dialog.btnOk, Qt::LeftButton);
    QCOMPARE(dialog.GetRule(), expected);
  }

  void enterAndEscapeNeitherCloseNorChangeTheRule_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("focus");
    for (const auto& [key, name] :
         {std::pair{Qt::Key_Escape, "Esc"}, std::pair{Qt::Key_Return, "Return"}, std::pair{Qt::Key_Enter, "Enter"}}) {
      for (const char* focus : {"txtSearch", "btnOk", "btnCancel"}) {
        QTest::addRow("%s on %s", name, focus) << static_cast<int>(key) << QString::fromLatin1(focus);
      }
    }
  }
  void enterAndEscapeNeitherCloseNorChangeTheRule() {
    QFETCH(int, key);
    QFETCH(QString, focus);
    frmRule dialog;
    ShowForEditing(dialog, Item("41", "x", "y"));
    QWidget* target = dialog.findChild<QWidget*>(focus);
    target->setFocus();
    QTest::keyClick(target, static_cast<Qt::Key>(key));
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.GetRule(), Item("41", "x", "y"));
  }

  void catalogueKeepsItsEntriesAndEachUseStartsAfresh() {
    frmRule dialog;
    for (int use = 0; use < 3; ++use) {
      ShowForEditing(dialog, Item("41", "a", "b"));
      QTest::mouseClick(use == 1 ? dialog.btnCancel : dialog.btnOk, Qt::LeftButton);
      dialog.cboCode->removeItem(0);
      dialog.SetRule(QString());
      dialog.show();
      QCOMPARE(CodeShown(dialog), 1);
      QVERIFY(dialog.txtSearch->text().isEmpty() && dialog.txtReplace->text().isEmpty());
      QTest::mouseClick(dialog.btnOk, Qt::LeftButton);
    }
    const auto& catalogue = quenby::RuleCatalogue();
    QCOMPARE(dialog.cboCode->count(), static_cast<int>(catalogue.size()));
    QCOMPARE(dialog.cboCode->itemText(0).toStdString(), std::string(catalogue.front().text));
  }
};

QTEST_MAIN(RuleEditorTest)
#include "rule_editor_test.moc"
