// SPDX-License-Identifier: GPL-3.0-or-later
// The views beside the people list: the family tree, the problem list and
// the marks of a person's source lines in the input text.

#include <QFile>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTreeView>
#include <QtTest>
#include <string>
#include <utility>
#include <vector>

#include "engine/engine.hpp"
#include "workspace/family_tree.hpp"
#include "workspace/family_tree_model.hpp"
#include "workspace/problem_list.hpp"
#include "workspace/record_boxes.hpp"
#include "workspace/source_marks.hpp"

using quenby::FamilyTree;
using quenby::kPeopleLineRole;
using quenby::PeopleList;
using quenby::ProblemList;
using quenby::SourceMarks;

namespace {

// Every node of the tree, one a line, indented by two spaces a level, with
// its line in brackets: walked with a stack, as the tree may be deep.
QString Outline(const QAbstractItemModel& model) {
  QString outline;
  std::vector<std::pair<QModelIndex, int>> stack;
  for (int row = model.rowCount() - 1; row >= 0; --row) {
    stack.emplace_back(model.index(row, 0), 0);
  }
  while (!stack.empty()) {
    const auto [index, depth] = stack.back();
    stack.pop_back();
    outline += QString(depth * 2, QLatin1Char(' ')) + index.data().toString() + QStringLiteral(" [") +
               QString::number(index.data(kPeopleLineRole).toInt()) + QStringLiteral("]\n");
    for (int row = model.rowCount(index) - 1; row >= 0; --row) {
      stack.emplace_back(model.index(row, 0, index), depth + 1);
    }
  }
  return outline;
}

QString DataText(const QString& name) {
  QFile file(QStringLiteral(QUENBY_TEST_DATA_DIR "/workspace/") + name);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// A family of three generations with the parents of a spouse, a second
// marriage, persons on their own, lone parent lines, a parent alone, and a
// partner married again (lines 18 and 21).
const PeopleList kFamilies = [] {
  PeopleList people;
  for (const QString& line : DataText("families.people").split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
    people.push_back(line.toStdString());
  }
  return people;
}();

// How many nodes stand above `index`.
int Depth(QModelIndex index) {
  int depth = 0;
  while ((index = index.parent()).isValid()) {
    ++depth;
  }
  return depth;
}

// A chain of `generations`: each person with a partner of a parent line
// below, whose child is the next person.
PeopleList Chain(int generations) {
  PeopleList people;
  for (int i = 0; i < generations; ++i) {
    people.push_back("Child " + std::to_string(i));
    people.push_back("-&Partner " + std::to_string(i));
  }
  return people;
}

// The marks SourceMarks put in the box, as the text each covers.
QStringList MarkedTexts(const QPlainTextEdit& box) {
  QStringList texts;
  for (const auto& mark : box.extraSelections()) {
    texts.append(mark.cursor.selectedText());
  }
  return texts;
}

}  // namespace

class WorkbenchViewsTest : public QObject {
  Q_OBJECT

 private slots:
  // Partners under their person, children under the partner, a spouse's
  // parents as a tree of their own that shows her again, and the people
  // with no family as roots of their own; every node names its line. The
  // counts say how many persons and families there are (one family is
  // counted in workbench_test).
  void treeShowsEachPersonWithTheirFamilies() {
    FamilyTree tree;
    tree.Show(kFamilies);
    QCOMPARE(Outline(*tree.treFamilies->model()), DataText("families.outline"));
    QCOMPARE(tree.lblCounts->text(), QStringLiteral("22 persons, 8 families"));

    tree.Show({"|_S_M"});
    QCOMPARE(Outline(*tree.treFamilies->model()), QStringLiteral("(no name) [0]\n"));
    QCOMPARE(tree.lblCounts->text(), QStringLiteral("1 person, 0 families"));

    tree.Clear();
    QCOMPARE(tree.treFamilies->model()->rowCount(), 0);
    QCOMPARE(tree.lblCounts->text(), QString());
    tree.SelectLine(0);
    QVERIFY(!tree.treFamilies->currentIndex().isValid());

    // Ten thousand generations: laid out and opened to the deepest person
    // without a call per generation.
    tree.Show(Chain(10000));
    QCOMPARE(tree.lblCounts->text(), QStringLiteral("20000 persons, 10000 families"));
    QCOMPARE(tree.treFamilies->model()->rowCount(), 1);
    tree.SelectLine(19998);
    QCOMPARE(tree.treFamilies->currentIndex().data().toString(), QStringLiteral("Child 9999"));
    QCOMPARE(Depth(tree.treFamilies->currentIndex()), 19998);
  }

  void selectingALineOpensTheTreeToItWithoutSignal_data() {
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("depth");
    QTest::newRow("a root") << 0 << "John Smith (b. 1890)" << 0;
    QTest::newRow("a great-grandchild") << 6 << "Tom Smith" << 4;
    QTest::newRow("a partner only") << 2 << u"\u221E Ann Brown"_qs << 1;
    QTest::newRow("a partner who is a child: the own node") << 3 << "Mary Jones" << 2;
    QTest::newRow("a second marriage") << 8 << u"\u221E Sarah White"_qs << 1;
    QTest::newRow("a child without a partner") << 16 << "Kid Single" << 2;
    QTest::newRow("a partner married again: a root") << 18 << "Bella Wife" << 0;
    QTest::newRow("the last line") << 21 << u"\u221E Emma Spouse"_qs << 1;
  }

  void selectingALineOpensTheTreeToItWithoutSignal() {
    QFETCH(int, line);
    QFETCH(QString, text);
    QFETCH(int, depth);
    FamilyTree tree;
    tree.Show(kFamilies);
    QSignalSpy selected(&tree, &FamilyTree::LineSelected);
    tree.SelectLine(line);
    const QModelIndex current = tree.treFamilies->currentIndex();
    QCOMPARE(current.data().toString(), text);
    QCOMPARE(current.data(kPeopleLineRole).toInt(), line);
    QCOMPARE(Depth(current), depth);
    QVERIFY(tree.treFamilies->selectionModel()->isSelected(current));
    for (QModelIndex above = current.parent(); above.isValid(); above = above.parent()) {
      QVERIFY(tree.treFamilies->isExpanded(above));
    }
    QCOMPARE(selected.count(), 0);

    tree.SelectLine(static_cast<int>(kFamilies.size()));
    QVERIFY(tree.treFamilies->selectionModel()->selectedIndexes().isEmpty());
    tree.SelectLine(-1);
    QCOMPARE(selected.count(), 0);
  }

  // A click, the arrow keys and Enter on the node already selected each
  // give the line back.
  void theUsersChoiceGivesItsLine() {
    FamilyTree tree;
    tree.resize(400, 500);
    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));
    tree.Show(kFamilies);
    QSignalSpy selected(&tree, &FamilyTree::LineSelected);
    tree.SelectLine(6);
    QTreeView& view = *tree.treFamilies;
    const QModelIndex william = tree.treFamilies->currentIndex().parent().parent();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualRect(william).center());
    QCOMPARE(selected.count(), 1);
    QCOMPARE(selected.takeFirst().at(0).toInt(), 4);
    QTest::keyClick(&view, Qt::Key_Down);
    QCOMPARE(selected.takeFirst().at(0).toInt(), 5);
    QTest::keyClick(&view, Qt::Key_Return);
    QCOMPARE(selected.takeFirst().at(0).toInt(), 5);
    QVERIFY(selected.isEmpty());
  }

  // The count says how many; a click on a problem, again on the same one,
  // and Enter give its line, counted from 0 as the people list counts.
  void problemsAreCountedAndGiveTheirLines() {
    ProblemList list;
    list.resize(400, 300);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    list.Show({{1, "first"}, {12, "second"}, {30, "third"}});
    QCOMPARE(list.lblProblemCount->text(), QStringLiteral("3 problems found."));
    QSignalSpy selected(&list, &ProblemList::LineSelected);
    QListView& view = *list.lstProblems;
    QCOMPARE(view.model()->index(1, 0).data().toString(), QStringLiteral("people line 12: second"));
    const QPoint second = view.visualRect(view.model()->index(1, 0)).center();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, second);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, second);
    view.setCurrentIndex(view.model()->index(0, 0));
    QTest::keyClick(&view, Qt::Key_Return);
    QCOMPARE(selected.count(), 3);
    QCOMPARE((QList<int>{selected[0][0].toInt(), selected[1][0].toInt(), selected[2][0].toInt()}),
             (QList<int>{11, 11, 0}));

    list.Show({{1, "one"}});
    QCOMPARE(list.lblProblemCount->text(), QStringLiteral("1 problem found."));
    list.Show({});
    QCOMPARE(list.lblProblemCount->text(), QStringLiteral("No problems found."));
    QCOMPARE(view.model()->rowCount(), 0);
    list.Show({{1, "one"}});
    list.Clear();
    QCOMPARE(list.lblProblemCount->text(), QString());
    QCOMPARE(view.model()->rowCount(), 0);
  }

  void sourceLinesAreMarkedAsTheRunCountsThem_data() {
    QTest::addColumn<bool>("pasted");
    QTest::newRow("pasted") << true;
    QTest::newRow("opened") << false;
  }

  // Each people line of a run without rules is one input line: marking its
  // sources must cover exactly that line, whatever ended the lines before
  // it: CR LF, a lone CR, a lone LF, an empty line, a line separator
  // typed with Shift+Enter, characters of every UTF-8 length.
  void sourceLinesAreMarkedAsTheRunCountsThem() {
    QFETCH(bool, pasted);
    const QString text = QStringLiteral(
        u"first\r\nsecond\rthird\n\n\u0080\u00ff \u0800 \U00010000 x\r\n"
        u"fifth\u2028sixth\r\n\r\nlast");
    QPlainTextEdit box;
    if (pasted) {
      box.insertPlainText(text);
    } else {
      box.setPlainText(text);
    }
    SourceMarks marks(box);
    quenby::RunReport report;
    const quenby::TracedRun run = quenby::RunRulesTraced(quenby::BoxText(box), {}, report);
    QCOMPARE(run.lines.size(), std::size_t{7});
    for (std::size_t i = 0; i < run.lines.size(); ++i) {
      marks.Mark(run.sources[i]);
      QCOMPARE(MarkedTexts(box), QStringList{QString::fromStdString(run.lines[i])});
      QCOMPARE(box.textCursor().position(), box.extraSelections().front().cursor.selectionStart());
    }
  }

  void marksCoverRunsOfLinesAndPassOverLinesPastTheEnd() {
    QPlainTextEdit box;
    box.setPlainText(QStringLiteral("one\ntwo\n\nfour\nfive"));
    QTextEdit::ExtraSelection other;
    other.cursor = QTextCursor(box.document());
    box.setExtraSelections({other});
    SourceMarks marks(box);

    marks.Mark(std::vector<std::uint32_t>{2, 3, 4, 6, 99});
    QCOMPARE(MarkedTexts(box), (QStringList{QString(), QStringLiteral(u"two\u2029\u2029four")}));
    QCOMPARE(box.textCursor().block().text(), QStringLiteral("two"));
    marks.Mark(std::vector<std::uint32_t>{3});
    QCOMPARE(MarkedTexts(box), (QStringList{QString(), QString()}));
    QCOMPARE(box.textCursor().blockNumber(), 2);
    const int caret = box.textCursor().position();
    marks.Mark(std::vector<std::uint32_t>{0, 6, 1000});
    QCOMPARE(MarkedTexts(box), QStringList{QString()});
    QCOMPARE(box.textCursor().position(), caret);

    // The text changed since the marks were found: line 2 is now "one".
    QTextCursor(box.document()).insertText(QStringLiteral("new\n"));
    marks.Mark(std::vector<std::uint32_t>{2, 6});
    QCOMPARE(MarkedTexts(box), (QStringList{QString(), QStringLiteral("one"), QStringLiteral("five")}));
    marks.Clear();
    QCOMPARE(MarkedTexts(box), QStringList{QString()});
    QVERIFY(!box.extraSelections().front().format.hasProperty(QTextFormat::FullWidthSelection));
  }
};

QTEST_MAIN(WorkbenchViewsTest)
#include "workbench_views_test.moc"
