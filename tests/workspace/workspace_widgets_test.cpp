// SPDX-License-Identifier: GPL-3.0-or-later
#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QtTest>

#include "ui/name_filters.hpp"
#include "workspace/caption_button.hpp"
#include "workspace/command_line.hpp"
#include "workspace/list_tab_stops.hpp"
#include "workspace/record_boxes.hpp"
#include "workspace/window_settings.hpp"

using quenby::CaptionLines;
using quenby::QtNameFilters;
using quenby::SetListTabStops;
using quenby::TabStopDelegate;

class WorkspaceWidgetsTest : public QObject {
  Q_OBJECT

  static std::vector<int> Offsets(const QListWidget& list, const QString& text) {
    const auto* delegate = qobject_cast<const TabStopDelegate*>(list.itemDelegate());
    return delegate->PieceOffsets(text, QFontMetrics(list.font()));
  }

 private slots:
  void recordsReadBackFromTheirBoxUnchanged_data() {
    QTest::addColumn<QByteArray>("records");
    QTest::newRow("nothing") << QByteArray();
    QTest::newRow("one record") << QByteArray("0 @I1@ INDI\r\n1 NAME A /B/\r\n\r\n");
    // The lowest character of each UTF-8 length, and the C1 controls.
    QTest::newRow("encoding boundaries") << QByteArray(
        "0 @I1@ INDI\r\n1 NAME \x7f\xc2\x80\xc2\x9f /\xe0\xa0\x80\xf0\x90\x80\x80/\r\n\r\n");
    QTest::newRow("a value like a pointer") << QByteArray("0 @I1@ INDI\r\n1 NAME @X1@\r\n\r\n\r\n");
    QTest::newRow("text typed without an end") << QByteArray("0 @F1@ FAM\r\n1 HUSB @I1@");
    QByteArray many;
    for (int i = 1; i <= 500; ++i) {
      many += "0 @I" + QByteArray::number(i) + "@ INDI\r\n1 SEX M\r\n\r\n";
    }
    QTest::newRow("many paragraphs") << many;
  }

  // Whatever paragraphs the box keeps them in, records read back as they
  // were given, byte for byte, and text appended reads back after them.
  // Paragraphs hold about a hundred lines of whole records: neither one per
  // line, which is slow to fill, nor one for everything, which is slow to
  // type in; a record appended after whole records starts a paragraph.
  void recordsReadBackFromTheirBoxUnchanged() {
    QFETCH(QByteArray, records);
    QPlainTextEdit box;
    quenby::SetRecordBoxText(box, records.toStdString());
    QCOMPARE(QByteArray::fromStdString(quenby::BoxText(box)), records);
    for (QTextBlock block = box.document()->begin(); block.next().isValid(); block = block.next()) {
      QVERIFY(block.text().endsWith(QChar::LineSeparator));
    }
    quenby::AppendRecordText(box, "0 @I9@ INDI\r\n\r\n");
    QCOMPARE(QByteArray::fromStdString(quenby::BoxText(box)), records + "0 @I9@ INDI\r\n\r\n");
    const qsizetype lines = records.count("\r\n");
    QVERIFY(box.document()->blockCount() <= lines / 100 + 3);
    QVERIFY(box.document()->blockCount() >= lines / 200);
    if (records.isEmpty() || records.endsWith("\r\n\r\n")) {
      QVERIFY(box.document()->lastBlock().previous().text().startsWith("0 @I9@"));
    }
  }

  // A piece wider than its column pushes the next to the following stop.
  void piecesStandAtTheTabStopsAndBeyondTheLastEveryEightCharacters() {
    QListWidget list;
    const QFontMetrics metrics(list.font());
    // Dialog template units in pixels.
    const auto at = [&metrics](int units) { return qRound(units * metrics.averageCharWidth() / 4.0); };
    SetListTabStops(&list, {20, 40, 140, 160});
    QCOMPARE(Offsets(list, QStringLiteral("1\t|\tx\t|\ty")), std::vector<int>({0, at(20), at(40), at(140), at(160)}));
    QString code = QStringLiteral("1");
    while (metrics.horizontalAdvance(code) <= at(20)) {
      code += QLatin1Char('1');
    }
    QCOMPARE(Offsets(list, code + QStringLiteral("\t|\tx")), std::vector<int>({0, at(40), at(140)}));
    SetListTabStops(&list, {20});
    QCOMPARE(Offsets(list, QStringLiteral("a\tb\tc")), std::vector<int>({0, at(20), at(20) + at(32)}));
    SetListTabStops(&list, {});
    QCOMPARE(Offsets(list, QStringLiteral("a\tb")), std::vector<int>({0, at(32)}));
  }

  void theSpacesAtTheEndsOfAPieceAreFound_data() {
    QTest::addColumn<QString>("piece");
    QTest::addColumn<std::vector<qsizetype>>("spaces");
    QTest::newRow("none") << "b." << std::vector<qsizetype>{};
    QTest::newRow("inside only") << "a b" << std::vector<qsizetype>{};
    QTest::newRow("both ends") << "  b. " << std::vector<qsizetype>{0, 1, 4};
    QTest::newRow("end only") << "m. " << std::vector<qsizetype>{2};
    QTest::newRow("all spaces") << "   " << std::vector<qsizetype>{0, 1, 2};
    QTest::newRow("empty") << "" << std::vector<qsizetype>{};
    QTest::newRow("no-break space is seen") << "\u00a0b" << std::vector<qsizetype>{};
  }
  void theSpacesAtTheEndsOfAPieceAreFound() {
    QFETCH(QString, piece);
    QFETCH(std::vector<qsizetype>, spaces);
    QCOMPARE(quenby::EdgeSpaces(piece), spaces);
  }

  // The marks are drawn, not written: the item keeps its text, and a row
  // without spaces at the ends of its pieces looks as it did.
  void spacesAtTheEndsOfTheRulesTextsAreMarkedInTheDrawingOnly() {
    const auto draw = [](const QString& item, bool mark) {
      QListWidget list;
      list.resize(400, 60);
      SetListTabStops(&list, {20, 40, 140, 160});
      if (mark) {
        quenby::MarkEdgeSpaces(&list);
      }
      list.addItem(item);
      list.show();
      const QImage image = list.grab().toImage();
      return std::make_pair(image, list.item(0)->text());
    };
    const QString spaced = QStringLiteral("1\t|\t b. \t|\t born ");
    const auto [marked, text] = draw(spaced, true);
    QCOMPARE(text, spaced);
    QVERIFY(marked != draw(spaced, false).first);
    const QString plain = QStringLiteral("1\t|\tb.\t|\tborn");
    QCOMPARE(draw(plain, true).first, draw(plain, false).first);
  }

  void captionsBreakAtRunsOfSpacesAndWrapBetweenWords() {
    const QFontMetrics metrics(QFont{});
    const struct {
      QString caption;
      int widthInChars;
      QStringList lines;
    } cases[] = {
        {"       Edit         (or delete)", 20, {"Edit", "(or delete)"}},
        {"Load Rules", 6, {"Load", "Rules"}},
        {"Individuals", 3, {"Individuals"}},  // a word wider than the button stays whole
        {"    ", 10, {}},
    };
    for (const auto& [caption, widthInChars, lines] : cases) {
      QCOMPARE(CaptionLines(caption, metrics, widthInChars * metrics.horizontalAdvance(QLatin1Char('x'))), lines);
    }
  }

  void aRestoredPlaceIsFittedToTheScreen_data() {
    QTest::addColumn<QList<int>>("numbers");
    QFile table(QStringLiteral(QUENBY_TEST_DATA_DIR "/workspace/fitted_places.tsv"));
    QVERIFY(table.open(QIODevice::ReadOnly));
    for (const QString& line : QString::fromUtf8(table.readAll()).split('\n', Qt::SkipEmptyParts)) {
      const QStringList fields = line.split('\t');
      QList<int> numbers;
      for (const QString& number : fields.mid(1).join(' ').split(' ', Qt::SkipEmptyParts)) {
        numbers << number.toInt();
      }
      if (!line.startsWith('#')) {
        QTest::newRow(qPrintable(fields[0])) << numbers;
      }
    }
  }

  // The whole window, title bar and borders included, lies on the screen
  // and is never smaller than its minimum (the cases are in
  // tests/data/workspace/fitted_places.tsv).
  void aRestoredPlaceIsFittedToTheScreen() {
    QFETCH(QList<int>, numbers);
    QCOMPARE(numbers.size(), 12);
    const auto& n = numbers;
    const quenby::WindowPlace fitted = quenby::FitToScreen({QPoint(n[0], n[1]), QSize(n[2], n[3])}, QSize(16, 40),
                                                           QRect(n[4], n[5], n[6], n[7]), QSize(600, 500));
    QCOMPARE(fitted.position, QPoint(n[8], n[9]));
    QCOMPARE(fitted.size, QSize(n[10], n[11]));
  }

  // Before the application is made (--help is checked on the program itself),
  // a wrong option goes on where a display may take options of its own, and
  // files go on to the window, a ".rules" file named alone or after --rules
  // as the rules. Two
  // text or rules files are refused.
  void theCommandLineIsAnsweredBeforeTheWindowOrNamesTheFiles() {
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    QVERIFY(!quenby::AnswerBeforeWindow({"quenby", "-platform", "xcb"}, true, outStream, errStream));
    QVERIFY(!quenby::AnswerBeforeWindow({"quenby", "a.txt"}, false, outStream, errStream));
    QVERIFY(err.isEmpty());
    int status = -1;
    for (const QStringList& right :
         {QStringList{"quenby", "family.RULES", "list.txt"}, {"quenby", "--rules", "family.RULES", "list.txt"}}) {
      const auto opened = quenby::ParseWindowCommandLine(right, outStream, errStream, status);
      QVERIFY(opened && opened->rulesFile == "family.RULES" && opened->textFile == "list.txt");
    }
    for (const QStringList& wrong :
         {QStringList{"quenby", "a.txt", "b.txt"}, {"quenby", "--rules", "a.rules", "b.rules"}}) {
      QVERIFY(!quenby::ParseWindowCommandLine(wrong, outStream, errStream, status));
      QCOMPARE(status, 2);
    }
  }

  void fileFiltersBecomeQtNameFilters() {
    QCOMPARE(QtNameFilters("Quenby Rules (*.rules)|*.rules|All Files (*.*)|*.*"),
             QStringList({"Quenby Rules (*.rules)", "All Files (*.*)"}));
    // A description without its patterns gets them; an entry without patterns goes.
    QCOMPARE(QtNameFilters("Text|*.txt;*.log|Odd"), QStringList({"Text (*.txt *.log)"}));
  }
};

QTEST_MAIN(WorkspaceWidgetsTest)
#include "workspace_widgets_test.moc"
