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
  // hide the dialog would block the test. Every showing starts on "Unknown",
  // so the answer given last time still closes it.
  void everyShowingStartsOnUnknownAndAnAnswerEndsIt() {
    frmSexChoice dialog;
    for (const std::size_t answer : {1, 1, 2}) {
      bool startedOnUnknown = false;
      bool unknownLeftItOpen = false;
      QTimer::singleShot(0, &dialog, [&, answer] {
        startedOnUnknown = dialog.optSex[0]->isChecked();
        Choose(dialog, 0);
        unknownLeftItOpen = dialog.isVisible();
        Choose(dialog, answer);
      });
      dialog.exec();
      QVERIFY(startedOnUnknown && unknownLeftItOpen && !dialog.isVisible());
      QCOMPARE(dialog.IsMale(), answer == 1);
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

  // "&" would otherwise turn the next letter into a shortcut and vanish.
  void captionShowsTheNameAsWritten() {
    frmSexChoice dialog;
    dialog.SetPersonName(QStringLiteral("Tom & Ann"));
    QCOMPARE(dialog.fraFrame->title(), QStringLiteral("Tom && Ann"));
  }
};

QTEST_MAIN(SexChoiceTest)
#include "sex_choice_test.moc"
