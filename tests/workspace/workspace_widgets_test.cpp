#include <QFontMetrics>
#include <QListWidget>
#include <QStyleOptionViewItem>
#include <QtTest>

#include "workspace/caption_button.hpp"
#include "workspace/list_tab_stops.hpp"
#include "workspace/name_filters.hpp"

using quenby::CaptionLines;
using quenby::QtNameFilters;
using quenby::SetListTabStops;
using quenby::TabStopDelegate;

class WorkspaceWidgetsTest : public QObject {
  Q_OBJECT

 private:
  // Dialog template units in pixels for `list`'s font.
  static int Units(const QListWidget& list, int units) {
    return qRound(units * QFontMetrics(list.font()).averageCharWidth() / 4.0);
  }

  static std::vector<int> Offsets(const QListWidget& list, const QString& text) {
    const auto* delegate = qobject_cast<const TabStopDelegate*>(list.itemDelegate());
    return delegate->PieceOffsets(text, QFontMetrics(list.font()));
  }

 private slots:
  void piecesStandAtTheTabStopsAndBeyondTheLastEveryEightCharacters() {
    QListWidget list;
    const auto at = [&list](int units) { return Units(list, units); };
    SetListTabStops(&list, {20, 40, 140, 160});
    QCOMPARE(Offsets(list, QStringLiteral("1\t|\tx\t|\ty")), std::vector<int>({0, at(20), at(40), at(140), at(160)}));
    SetListTabStops(&list, {20});
    QCOMPARE(Offsets(list, QStringLiteral("a\tb\tc")), std::vector<int>({0, at(20), at(20) + at(32)}));
    SetListTabStops(&list, {});
    QCOMPARE(Offsets(list, QStringLiteral("a\tb")), std::vector<int>({0, at(32)}));
  }

  void aPieceWiderThanItsColumnPushesTheNextToTheFollowingStop() {
    QListWidget list;
    SetListTabStops(&list, {20, 40, 140, 160});
    const QFontMetrics metrics(list.font());
    QString code = QStringLiteral("1");
    while (metrics.horizontalAdvance(code) <= Units(list, 20)) {
      code += QLatin1Char('1');
    }
    QCOMPARE(Offsets(list, code + QStringLiteral("\t|\tx")), std::vector<int>({0, Units(list, 40), Units(list, 140)}));
  }

  void anItemIsAsWideAsItsLastPieceReaches() {
    QListWidget list;
    SetListTabStops(&list, {20, 40, 140, 160});
    list.addItem(QStringLiteral("42\t|\t\t|\tSmith"));
    QStyleOptionViewItem option;
    option.initFrom(&list);
    const int width = list.itemDelegate()->sizeHint(option, list.model()->index(0, 0)).width();
    const int end = Units(list, 160) + QFontMetrics(list.font()).horizontalAdvance(QStringLiteral("Smith"));
    QVERIFY2(width >= end && width <= end + 20, qPrintable(QStringLiteral("%1 for %2").arg(width).arg(end)));
  }

  void captionsBreakAtRunsOfSpacesAndWrapBetweenWords_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("widthInChars");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("edit") << QStringLiteral("       Edit         (or delete)") << 20
                          << QStringList({"Edit", "(or delete)"});
    QTest::newRow("fits on one line") << QStringLiteral("Load Rules") << 20 << QStringList({"Load Rules"});
    QTest::newRow("too wide wraps between words")
        << QStringLiteral("Load Rules") << 6 << QStringList({"Load", "Rules"});
    QTest::newRow("a word wider than the button stays whole")
        << QStringLiteral("Individuals") << 3 << QStringList({"Individuals"});
    QTest::newRow("empty") << QString() << 10 << QStringList();
    QTest::newRow("spaces only") << QStringLiteral("    ") << 10 << QStringList();
  }
  void captionsBreakAtRunsOfSpacesAndWrapBetweenWords() {
    QFETCH(QString, caption);
    QFETCH(int, widthInChars);
    QFETCH(QStringList, lines);
    const QFontMetrics metrics(QFont{});
    QCOMPARE(CaptionLines(caption, metrics, widthInChars * metrics.horizontalAdvance(QLatin1Char('x'))), lines);
  }

  void fileFiltersBecomeQtNameFilters_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("nameFilters");
    QTest::newRow("rules") << QStringLiteral("Quenby Rules (*.rules)|*.rules|All Files (*.*)|*.*")
                           << QStringList({"Quenby Rules (*.rules)", "All Files (*.*)"});
    QTest::newRow("description without patterns")
        << QStringLiteral("Text|*.txt;*.log") << QStringList({"Text (*.txt *.log)"});
    QTest::newRow("entry without a pattern is dropped")
        << QStringLiteral("Text|*.txt|Odd") << QStringList({"Text (*.txt)"});
    QTest::newRow("empty") << QString() << QStringList();
  }
  void fileFiltersBecomeQtNameFilters() {
    QFETCH(QString, filter);
    QFETCH(QStringList, nameFilters);
    QCOMPARE(QtNameFilters(filter), nameFilters);
  }
};

QTEST_MAIN(WorkspaceWidgetsTest)
#include "workspace_widgets_test.moc"
