// SPDX-License-Identifier: GPL-3.0-or-later
// The workbench beside the lists after a run of the rules: each rule's counts
// in the rule list, the lines after any rule in the step view with their
// marks, stepping through them, the counts and steps put away when the rules
// or the text change, and the rules run again after each change when asked.

#include <QAbstractItemModel>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTreeView>

#include "engine/engine.hpp"
#include "ui/qt_support.hpp"
#include "window_fixture.hpp"
#include "workspace/family_tree.hpp"
#include "workspace/family_tree_model.hpp"
#include "workspace/list_items.hpp"
#include "workspace/people_views.hpp"
#include "workspace/problem_list.hpp"
#include "workspace/record_boxes.hpp"
#include "workspace/rule_counts.hpp"
#include "workspace/step_view.hpp"
#include "workspace/window_settings.hpp"
#include "workspace/window_status.hpp"
#include "workspace/workbench.hpp"

namespace {

// Two persons, three rules: a cut that makes a line, a replacement that
// changes two, and a removal that finds nothing.
const QString kInput = QStringLiteral("1 John b. 1852 m. (London) 12.3.1875 Mary Jones\n2 Ann b. 1876");
const QStringList kRules = {RuleItem("11", " m. ", "|_M_"), RuleItem("1", " b. ", "|_B_"),
                            RuleItem("8", "nowhere", "")};

}  // namespace

class WorkbenchTest : public QObject, WindowFixture {
  Q_OBJECT

  quenby::StepView& Steps() { return *window_->workbench->steps; }
  const quenby::RuleCountsDelegate& Counts() { return *window_->workbench->counts; }

  QStringList Column(int column) {
    const QAbstractItemModel& model = Steps().Lines();
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row) {
      texts << model.index(row, column).data().toString();
    }
    return texts;
  }

  void RunTwoPersons() {
    window_->txtInput->setPlainText(kInput);
    window_->lstRules->addItems(kRules);
    window_->workbench->SetShown(true);
    RunTheRules();
  }

  QStringList AllCounts() {
    QStringList counts;
    for (int row = 0; row < window_->lstRules->count(); ++row) {
      const quenby::RuleEffect* effect = Counts().EffectOf(row);
      counts << (effect != nullptr ? quenby::CountsText(*effect) : QString());
    }
    return counts;
  }

 private slots:
  void init() { OpenWindow(); }
  void cleanup() { DropWindow(); }

  // Each rule shows what it did at the right and in its tool tip; the rule
  // that did nothing says so. The items stay as they were before the run. Selecting rule K shows the lines a plain run
  // of the first K rules gives, each with its mark in words and in colour; step 0 is the input. Previous and Next, the
  // spin box and the keys of the rule list step through the run within its ends, and keep the selected rule in step.
  void aRunShowsWhatEachRuleDid() {
    RunTwoPersons();
    QCOMPARE(AllCounts(), QStringList({"1 changed, 1 made, 0 removed", "2 changed, 0 made, 0 removed", "did nothing"}));
    QVERIFY(Counts().ToolTip(0, kRules[0]).contains("1 changed, 1 made, 0 removed"));
    QVERIFY(Counts().ToolTip(0, kRules[0]).contains(kRules[0].toHtmlEscaped()));
    QVERIFY(Counts().ToolTip(2, kRules[2]).contains("did nothing"));
    QCOMPARE(Items(*window_->lstRules), kRules);

    quenby::StepView& steps = Steps();
    const std::string input = quenby::BoxText(*window_->txtInput);
    for (int k = 0; k <= kRules.size(); ++k) {
      if (k == 0) {
        steps.spnStep->setValue(0);
      } else {
        window_->lstRules->setCurrentRow(k - 1);
      }
      QCOMPARE(steps.Step(), static_cast<std::size_t>(k));
      std::vector<std::string> rules = quenby::ItemTexts(*window_->lstRules);
      rules.resize(static_cast<std::size_t>(k));
      QStringList expected;
      for (const std::string& line : quenby::RunRules(input, rules)) {
        expected << quenby::FromUtf8(line);
      }
      QCOMPARE(Column(quenby::StepLinesModel::kLineColumn), expected);
    }
    QCOMPARE(Column(quenby::StepLinesModel::kMarkColumn), QStringList({"", "", ""}));
    steps.spnStep->setValue(0);
    QVERIFY(!steps.btnPreviousStep->isEnabled() && steps.btnNextStep->isEnabled());

    Click(steps.btnNextStep);
    QCOMPARE(window_->lstRules->currentRow(), 0);
    QCOMPARE(steps.spnStep->value(), 1);
    QCOMPARE(Column(quenby::StepLinesModel::kMarkColumn), QStringList({"changed", "made", ""}));
    const QAbstractItemModel& model = steps.Lines();
    QVERIFY(model.index(0, 1).data(Qt::BackgroundRole).isValid());
    QVERIFY(model.index(1, 1).data(Qt::BackgroundRole) != model.index(0, 1).data(Qt::BackgroundRole));
    QVERIFY(!model.index(2, 1).data(Qt::BackgroundRole).isValid());
    QVERIFY(steps.lblStepCaption->text().contains("After rule 1 of 3: 1 changed, 1 made, 0 removed; 3 lines"));
    window_->lstRules->setFocus();
    QTest::keyClick(window_->lstRules, Qt::Key_Down);
    QCOMPARE(steps.Step(), 2U);
    Click(steps.btnNextStep);
    QCOMPARE(steps.Step(), 3U);
    QVERIFY(steps.btnPreviousStep->isEnabled() && !steps.btnNextStep->isEnabled());
    Click(steps.btnPreviousStep);
    QCOMPARE(window_->lstRules->currentRow(), 1);
    QTest::keyClick(steps.spnStep, Qt::Key_Down);
    QCOMPARE(steps.Step(), 1U);
    QCOMPARE(window_->lstRules->currentRow(), 0);
  }

  // Whatever changes the text or the rules after a run puts its counts and
  // steps away; nothing runs unless asked to.
  void theCountsAndStepsArePutAwayWhenTheRulesOrTheTextChange() {
    const std::function<void()> changes[] = {
        [this] { QTest::keyClicks(window_->txtInput, "x"); },
        [this] {
          window_->lstRules->setCurrentRow(1);
          Click(window_->btnRuleMove[0]);
        },
        [this] { delete window_->lstRules->takeItem(2); },
        [this] { window_->OpenText(ExamplePath("hartley.txt")); },
    };
    RunTwoPersons();
    for (const auto& change : changes) {
      RunTheRules();
      QVERIFY(Steps().HasRun());
      change();
      QTest::qWait(10);
      QCOMPARE(AllCounts().join(""), QString());
      QVERIFY(!Steps().HasRun());
      QCOMPARE(Steps().Lines().rowCount(), 0);
      QVERIFY(Steps().lblStepCaption->text().contains("changed after the last run"));
      QVERIFY(!Steps().spnStep->isEnabled());
    }
  }

  // With "Run rules after each change" an edit runs the rules again and the
  // step view stays at the selected rule; the option is kept.
  void liveRunsFollowEachEditAndKeepTheSelectedRule() {
    RunTwoPersons();
    MenuAction("Run rules after each &change")->trigger();
    window_->lstRules->setCurrentRow(2);
    Click(window_->btnRuleMove[0]);
    QVERIFY(!Steps().HasRun());
    QTRY_VERIFY_WITH_TIMEOUT(Steps().HasRun(), 300'000);
    WaitForTheRun();
    QCOMPARE(window_->lstRules->currentRow(), 1);
    QCOMPARE(Steps().Step(), 2U);
    QCOMPARE(AllCounts(), QStringList({"1 changed, 1 made, 0 removed", "did nothing", "2 changed, 0 made, 0 removed"}));
    QCOMPARE(window_->lstPeople->count(), 3);
    // Loading empties and refills the list: one run for both.
    const QString rules = folder_.filePath("two.rules");
    modal_->fileNames = {rules, rules};
    Click(window_->btnSave);
    Click(window_->btnLoad);
    QTRY_VERIFY_WITH_TIMEOUT(Steps().HasRun(), 300'000);
    WaitForTheRun();
    QCOMPARE(Steps().spnStep->maximum(), 3);
    // Loading leaves no rule selected: the step shown before stays, and
    // selects its rule.
    QCOMPARE(Steps().Step(), 2U);
    QCOMPARE(window_->lstRules->currentRow(), 1);
    // A run would empty generated records not yet saved: it is left to the
    // user, and the status bar says so.
    window_->txtINDI->setPlainText(QStringLiteral("0 @I1@ INDI"));
    delete window_->lstRules->takeItem(0);
    QTest::qWait(20);
    QVERIFY(!Steps().HasRun() && window_->btnRunRules->isEnabled());
    QCOMPARE(window_->txtINDI->toPlainText(), QStringLiteral("0 @I1@ INDI"));
    QVERIFY(window_->status->currentMessage().contains("not saved"));
    // Turned off, a change runs nothing.
    MenuAction("Run rules after each &change")->trigger();
    window_->txtINDI->clear();
    delete window_->lstRules->takeItem(0);
    QTest::qWait(20);
    QVERIFY(!Steps().HasRun() && window_->btnRunRules->isEnabled());
  }

  // The tree, the problems and the source marks follow the person selected
  // in any of them.
  void thePeopleViewsFollowTheSelectedPerson() {
    // A couple stated both male, with a child on a line cut from theirs.
    window_->txtInput->setPlainText(QStringLiteral("H|_S_M\nW|_S_M and K\nX"));
    window_->lstRules->addItems(
        {RuleItem("11", " and ", ""), RuleItem("1", "W", "&W"), RuleItem("1", "K", "+K"), RuleItem("8", "X", "")});
    RunTheRules();
    QCOMPARE(window_->lstPeople->count(), 3);
    quenby::PeopleViews& views = *window_->peopleViews;
    QCOMPARE(views.tree->lblCounts->text(), QStringLiteral("3 persons, 1 family"));
    const QAbstractItemModel& problems = *views.problems->lstProblems->model();
    QCOMPARE(problems.rowCount(), 1);
    QVERIFY(problems.index(0, 0).data().toString().startsWith("people line 2: stated male"));

    // The child's line came from the second input line: it is marked, and
    // the tree selects the child.
    window_->lstPeople->setCurrentRow(2);
    const QList<QTextEdit::ExtraSelection> marks = window_->txtInput->extraSelections();
    QCOMPARE(marks.size(), 1);
    QCOMPARE(marks[0].cursor.blockNumber(), 1);
    const QModelIndex child = views.tree->treFamilies->currentIndex();
    QCOMPARE(child.data(quenby::kPeopleLineRole).toInt(), 2);

    // A click on the problem selects its line; a person chosen in the tree
    // selects theirs.
    QTest::mouseClick(views.problems->lstProblems->viewport(), Qt::LeftButton, {},
                      views.problems->lstProblems->visualRect(problems.index(0, 0)).center());
    QCOMPARE(window_->lstPeople->currentRow(), 1);
    QCOMPARE(window_->txtInput->extraSelections()[0].cursor.blockNumber(), 1);
    views.tree->treFamilies->setCurrentIndex(child);
    QCOMPARE(window_->lstPeople->currentRow(), 2);

    // An edit of the input empties the people list and every view of it.
    window_->txtInput->appendPlainText(QStringLiteral("more"));
    QCOMPARE(window_->lstPeople->count(), 0);
    QVERIFY(window_->txtInput->extraSelections().isEmpty());
    QCOMPARE(views.tree->treFamilies->model()->rowCount(), 0);
    QVERIFY(views.tree->lblCounts->text().isEmpty());
    QCOMPARE(problems.rowCount(), 0);
  }

  // A change during a run stops it and runs the changed rules once.
  void aChangeDuringARunStartsItAgainWithTheChangedRules() {
    quenby::SetRunAfterEachChange(true);
    window_->txtInput->setPlainText(QStringList(400, QString(8000, 'a')).join('\n'));
    window_->lstRules->addItem(RuleItem("51", "a.*b|a", "x"));
    // The change's run starts once the window is back at its event loop.
    QTRY_VERIFY_WITH_TIMEOUT(!window_->btnRunRules->isEnabled(), 10'000);
    window_->lstRules->item(0)->setText(RuleItem("2", "a", "b"));
    window_->lstRules->item(0)->setText(RuleItem("2", "a", "c"));
    WaitForTheRun();
    QCOMPARE(window_->lstPeople->count(), 400);
    QCOMPARE(window_->lstPeople->item(0)->text(), "c" + QString(7999, 'a'));
    QCOMPARE(AllCounts(), QStringList({"400 changed, 0 made, 0 removed"}));
    QTest::qWait(20);
    QVERIFY(window_->btnRunRules->isEnabled());
  }

  // A run cancelled leaves the step view and the counts of the run before.
  void aCancelledRunLeavesTheStepViewAsItWas() {
    window_->txtInput->setPlainText(QStringList(40, QString(3000, 'a')).join('\n'));
    window_->lstRules->addItems({RuleItem("51", "a.*b|a", "x"), RuleItem("1", "x", "y")});
    window_->workbench->SetShown(true);
    RunTheRules();
    window_->lstRules->setCurrentRow(0);
    const QString caption = Steps().lblStepCaption->text();
    window_->txtDetails[0]->setText("value");
    // Escape stops the run only in the active window.
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    Click(window_->btnRunRules);
    QTest::keyClick(window_.get(), Qt::Key_Escape);
    WaitForTheRun();
    QCOMPARE(window_->txtDetails[0]->text(), "value");
    QCOMPARE(Steps().Step(), 1U);
    QCOMPARE(Steps().lblStepCaption->text(), caption);
    QCOMPARE(Steps().Lines().rowCount(), 40);
    QCOMPARE(AllCounts(), QStringList({"40 changed, 0 made, 0 removed", "40 changed, 0 made, 0 removed"}));
  }

  // No rules and no text: a run of no steps, shown as such. The workbench
  // opens beside the lists, widening the window, and is remembered shown,
  // with the tab it was at; further views are tabs.
  void theWorkbenchIsShownBesideTheListsAndRemembered() {
    auto& w = *window_;
    RunTheRules();
    quenby::StepView& steps = Steps();
    QVERIFY(steps.HasRun());
    QCOMPARE(steps.spnStep->maximum(), 0);
    QCOMPARE(steps.Lines().rowCount(), 0);
    QVERIFY(!steps.btnPreviousStep->isEnabled() && !steps.btnNextStep->isEnabled());

    w.txtInput->setPlainText(kInput);
    w.lstRules->addItems(kRules);
    RunTheRules();
    QVERIFY(!w.workbench->isVisible());
    // Hidden, the step view does not follow the rule list; shown, it does.
    w.lstRules->setCurrentRow(1);
    QCOMPARE(Steps().Step(), 0U);
    const int width = w.width();
    MenuAction("Show the &workbench (steps, tree, problems)")->trigger();
    QVERIFY(w.workbench->isVisible());
    QCOMPARE(Steps().Step(), 2U);
    QVERIFY(w.width() > width || w.width() >= w.screen()->availableSize().width() - 50);
    QVERIFY(w.workbench->mapTo(&w, QPoint(0, 0)).x() > w.lstRules->mapTo(&w, QPoint(w.lstRules->width(), 0)).x());
    w.workbench->setCurrentIndex(2);
    modal_->saveChoices = {quenby::SaveChoice::kDiscard};
    w.close();
    quenby::frmQuenby next(*modal_, registry_);
    QVERIFY(next.workbench->Shown());
    QCOMPARE(next.workbench->currentIndex(), 2);
  }
};

QTEST_MAIN(WorkbenchTest)
#include "workbench_test.moc"
