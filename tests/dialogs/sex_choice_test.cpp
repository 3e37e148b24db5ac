#include <QGroupBox>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include "gedcom/frmSexChoice.hpp"

using quenby::frmSexChoice;

namespace {

// A radio button takes clicks on its circle and caption only, not on the
// empty rest of its row.
void Choose(frmSexChoice& dialog, std::size_t option) {
  QRadioButton* button = dialog.optSex[option];
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

}  // namespace

class SexChoiceTest : public QObject {
  Q_OBJECT

 private slots:
  // Inside a modal show, as the record builder asks: a choice that did not
  // hide the dialog would block the test.
  void choosingAnAnswerEndsTheModalShowAtOnce_data() {
    QTest::addColumn<int>("option");
    QTest::addColumn<bool>("male");
    QTest::newRow("Male") << 1 << true;
    QTest::newRow("Female") << 2 << false;
  }
  void choosingAnAnswerEndsTheModalShowAtOnce() {
    QFETCH(int, option);
    QFETCH(bool, male);
    frmSexChoice dialog;
    QTimer::singleShot(0, &dialog, [&dialog, option] { Choose(dialog, static_cast<std::size_t>(option)); });
    dialog.exec();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.IsMale(), male);
  }

  void everyShowingStartsOnUnknownSoTheSameAnswerStillCloses() {
    frmSexChoice dialog;
    for (int showing = 0; showing < 2; ++showing) {
      dialog.show();
      QVERIFY(dialog.optSex[0]->isChecked());
      Choose(dialog, 0);
      QVERIFY(dialog.isVisible());
      Choose(dialog, 1);
      QVERIFY(!dialog.isVisible());
      QVERIFY(dialog.IsMale());
    }
  }

  void closingOrEscapeAfterAMaleAnswerLeavesNotMale_data() {
    QTest::addColumn<bool>("escape");
    QTest::newRow("close button") << false;
    QTest::newRow("Esc") << true;
  }
  void closingOrEscapeAfterAMaleAnswerLeavesNotMale() {
    QFETCH(bool, escape);
    frmSexChoice dialog;
    dialog.show();
    Choose(dialog, 1);
    dialog.show();
    if (escape) {
      QTest::keyClick(dialog.optSex[0], Qt::Key_Escape);
    } else {
      dialog.close();
    }
    QVERIFY(!dialog.isVisible());
    QVERIFY(!dialog.IsMale());
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
    QVERIFY(dialog.isVisible());
    QVERIFY(dialog.optSex[0]->isChecked());
    QTest::keyClick(dialog.optSex[2], Qt::Key_Space);
    QVERIFY(!dialog.isVisible());
    QVERIFY(dialog.optSex[2]->isChecked());
  }

  void captionShowsTheNameInBoldAsWritten() {
    frmSexChoice dialog;
    QCOMPARE(dialog.fraFrame->title(), QStringLiteral("<NAME>"));
    dialog.SetPersonName(QStringLiteral("John Smith"));
    QCOMPARE(dialog.fraFrame->title(), QStringLiteral("John Smith"));
    QVERIFY(dialog.fraFrame->font().bold());
    QVERIFY(!dialog.optSex[1]->font().bold());
    // "&" would otherwise turn the next letter into a shortcut and vanish.
    dialog.SetPersonName(QStringLiteral("Tom & Ann"));
    QCOMPARE(dialog.fraFrame->title(), QStringLiteral("Tom && Ann"));
  }
};

QTEST_MAIN(SexChoiceTest)
#include "sex_choice_test.moc"
