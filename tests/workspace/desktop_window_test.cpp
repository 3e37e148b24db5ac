// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as a desktop window: its layout at every size, the work it
// keeps from being lost, the sex question's answer for everyone else, a long
// "Process all" cancelled, and the command line.

#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBrowser>
#include <QToolTip>
#include <set>

#include "rules/catalogue.hpp"
#include "ui/frmRule.hpp"
#include "ui/qt_support.hpp"
#include "window_fixture.hpp"
#include "workspace/caption_button.hpp"
#include "workspace/command_line.hpp"
#include "workspace/find_bar.hpp"
#include "workspace/process_progress.hpp"
#include "workspace/window_settings.hpp"
#include "workspace/window_status.hpp"

using quenby::SaveChoice;

namespace {

// The controls a user sees, reads and clicks in the window itself (not its
// menus or dialogs), wherever the areas that hold them stand.
QList<QWidget*> Controls(const quenby::frmQuenby& w) {
  QList<QWidget*> controls;
  for (QWidget* child : w.findChildren<QWidget*>()) {
    const bool control = qobject_cast<QLabel*>(child) != nullptr || qobject_cast<QAbstractButton*>(child) != nullptr ||
                         qobject_cast<QLineEdit*>(child) != nullptr ||
                         qobject_cast<QAbstractScrollArea*>(child) != nullptr;
    if (control && child->window() == &w && child->isVisibleTo(&w)) {
      controls << child;
    }
  }
  return controls;
}

// A control's place in the window.
QRect Place(const QWidget& control, const quenby::frmQuenby& w) {
  return {control.mapTo(&w, QPoint(0, 0)), control.size()};
}

// Every control lies inside the window, overlaps no other, and shows its
// caption whole.
void VerifyEveryControlUsable(const quenby::frmQuenby& w) {
  const QList<QWidget*> controls = Controls(w);
  const QRect window = w.rect();
  for (qsizetype i = 0; i < controls.size(); ++i) {
    const QRect place = Place(*controls[i], w);
    QVERIFY2(window.contains(place) && !place.isEmpty(), qPrintable(controls[i]->objectName()));
    for (qsizetype j = i + 1; j < controls.size(); ++j) {
      QVERIFY2(!place.intersects(Place(*controls[j], w)),
               qPrintable(controls[i]->objectName() + " / " + controls[j]->objectName()));
    }
    if (const auto* label = qobject_cast<const QLabel*>(controls[i])) {
      QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(), qPrintable(label->text()));
    }
    if (const auto* button = qobject_cast<const quenby::CaptionButton*>(controls[i])) {
      const QFontMetrics metrics = button->fontMetrics();
      const QRect area = button->CaptionArea();
      const QStringList lines = quenby::CaptionLines(button->text(), metrics, area.width());
      QVERIFY2(lines.size() * metrics.lineSpacing() - metrics.leading() <= area.height(), qPrintable(button->text()));
      for (const QString& line : lines) {
        QVERIFY2(metrics.horizontalAdvance(line) <= area.width(), qPrintable(line));
      }
    }
  }
}

// The twips place of each control on the form, left, top, width, height.
struct TwipsPlace {
  QString name;
  QRect twips;
};

std::vector<TwipsPlace> TwipsPlaces() {
  std::vector<TwipsPlace> places = {
      {"Label1", {240, 240, 3735, 255}},          {"txtInput", {240, 480, 9255, 1995}},
      {"Label2", {240, 2640, 9255, 255}},         {"lstRules", {240, 2880, 6135, 2025}},
      {"btnRuleMove(0)", {6480, 2880, 375, 975}}, {"btnRuleMove(1)", {6480, 3960, 375, 975}},
      {"btnEditRule", {6960, 2880, 1215, 615}},   {"btnInsertRule", {6960, 3600, 1215, 615}},
      {"btnAddRule", {6960, 4320, 1215, 615}},    {"btnLoad", {8280, 2880, 1215, 975}},
      {"btnSave", {8280, 3960, 1215, 975}},       {"btnRunRules", {240, 5040, 9255, 615}},
      {"Label6", {240, 5760, 6135, 255}},         {"lstPeople", {240, 6000, 6135, 2400}},
      {"Label7", {7800, 5760, 1935, 255}},        {"btnTestOne", {240, 8520, 3015, 615}},
      {"btnDoOne", {3360, 8520, 3015, 615}},      {"btnDoAll", {6480, 8520, 3015, 615}},
      {"Label8", {240, 9240, 4695, 255}},         {"Label9", {4920, 9240, 4695, 255}},
      {"txtINDI", {240, 9480, 4575, 1995}},       {"txtFAM", {4920, 9480, 4575, 1995}},
      {"btnWrite", {240, 11640, 9255, 615}},      {"btnHelp", {9240, 120, 255, 255}},
      {"cmdDebugPeople", {7320, 120, 1815, 255}}};
  for (int i = 0; i < 10; ++i) {
    const int top = 6000 + 240 * i;
    places.push_back({QStringLiteral("Label%1").arg(10 + i), {6480, top, 1335, 255}});
    places.push_back({QStringLiteral("txtDetails(%1)").arg(i), {7800, top, 1695, 285}});
  }
  return places;
}

// Every control keeps the order the twips give it: a control wholly left of
// another in the same band of rows stays left of it, one wholly above another
// in the same columns stays above it. A button is never lower than its twips
// height, nor narrower than its twips width unless it spans its column.
void VerifyTwipsArrangement(const quenby::frmQuenby& w) {
  const std::vector<TwipsPlace> places = TwipsPlaces();
  for (const TwipsPlace& a : places) {
    const auto* first = w.findChild<QWidget*>(a.name);
    QVERIFY2(first != nullptr, qPrintable(a.name));
    if (const auto* button = qobject_cast<const QPushButton*>(first)) {
      QVERIFY2(button->height() >= quenby::TwipsToPixels(a.twips.height()), qPrintable(a.name));
      QVERIFY2(button->sizePolicy().horizontalPolicy() == QSizePolicy::Expanding ||
                   button->width() >= quenby::TwipsToPixels(a.twips.width()),
               qPrintable(a.name));
    }
    for (const TwipsPlace& b : places) {
      const auto* second = w.findChild<QWidget*>(b.name);
      const bool sameRows = a.twips.top() <= b.twips.bottom() && b.twips.top() <= a.twips.bottom();
      const bool sameColumns = a.twips.left() <= b.twips.right() && b.twips.left() <= a.twips.right();
      if (sameRows && a.twips.right() < b.twips.left()) {
        QVERIFY2(Place(*first, w).right() < Place(*second, w).left(), qPrintable(a.name + " / " + b.name));
      }
      if (sameColumns && a.twips.bottom() < b.twips.top()) {
        QVERIFY2(Place(*first, w).bottom() < Place(*second, w).top(), qPrintable(a.name + " / " + b.name));
      }
    }
  }
}

// The window at `size`, laid out: the resize reaches the window through the
// window system, the layout through the event queue.
void Resize(quenby::frmQuenby& w, QSize size) {
  w.resize(size);
  QTRY_COMPARE(w.size(), size);
  QCoreApplication::processEvents();
}

}  // namespace

class DesktopWindowTest : public QObject, WindowFixture {
  Q_OBJECT

 private slots:
  void init() { OpenWindow(); }
  void cleanup() { DropWindow(); }

  // The window opens at the twips width where the screen has room. At that
  // size, at its minimum, which fits a 1024x768 screen less 60 pixels of title
  // bar and panel, and at a larger one, the controls stand in the twips order
  // and every control can be seen and clicked; the four text areas take the
  // room a larger window gives, the buttons keep their size.
  void theControlsStandInTheTwipsOrderAndStayUsableAtEverySize() {
    auto& w = *window_;
    if (w.screen()->availableSize().width() >= 700) {
      QCOMPARE(w.width(), quenby::TwipsToPixels(9735));
    }
    VerifyTwipsArrangement(w);
    const QSize minimum = w.minimumSizeHint();
    QVERIFY(minimum.width() <= 1024 && minimum.height() <= 768 - 60);
    Resize(w, minimum);
    VerifyEveryControlUsable(w);
    VerifyTwipsArrangement(w);
    QVERIFY(Controls(w).contains(w.btnRuleMove[1]) && Controls(w).contains(w.txtDetails[9]));
    const std::vector<QWidget*> areas = {w.txtInput, w.lstRules, w.lstPeople, w.txtINDI, w.txtFAM};
    std::vector<QSize> small;
    for (const QWidget* area : areas) {
      small.push_back(area->size());
    }
    const QSize buttonSize = w.btnEditRule->size();
    Resize(w, minimum + QSize(300, 200));
    VerifyEveryControlUsable(w);
    VerifyTwipsArrangement(w);
    for (std::size_t i = 0; i < areas.size(); ++i) {
      QVERIFY2(areas[i]->width() > small[i].width() && areas[i]->height() > small[i].height(),
               qPrintable(areas[i]->objectName()));
    }
    QCOMPARE(w.btnEditRule->size(), buttonSize);
  }

  // The size is remembered between runs; a settings file with absurd values
  // opens the window on its screen (the fitting itself is tested with every
  // edge in workspace_widgets_test).
  void theSizeIsRememberedAndFittedToTheScreen() {
    window_->resize(window_->minimumSizeHint() + QSize(50, 40));
    const QSize size = window_->size();
    window_->close();
    QCOMPARE(quenby::frmQuenby(*modal_, registry_).size(), size);
    QSettings settings("Quenby", "Quenby");
    const QRect available = window_->screen()->availableGeometry();
    settings.setValue("window/position", QPoint(2'000'000'000, -2'000'000'000));
    settings.setValue("window/size", QSize(100'000, 100'000));
    settings.sync();
    quenby::frmQuenby next(*modal_, registry_);
    QVERIFY(available.contains(QRect(next.pos(), next.size() + quenby::FrameAllowance(next))));
    QCOMPARE(next.size().expandedTo(next.minimumSizeHint()), next.size());
  }

  // Closing and loading ask about a changed rule list, not about one just
  // loaded or saved; Cancel keeps everything, Save saves first.
  void changedRulesAreOfferedForSavingBeforeTheyAreLost() {
    auto& w = *window_;
    const QString rules = ExamplePath("hartley.rules");
    modal_->fileNames = {rules};
    Click(w.btnLoad);
    QVERIFY(w.close());  // just loaded: no question
    QVERIFY(modal_->questions.empty());

    w.show();
    delete w.lstRules->takeItem(0);
    const QStringList changed = Items(*w.lstRules);
    modal_->saveChoices = {SaveChoice::kCancel, SaveChoice::kCancel};
    QVERIFY(!w.close());
    w.LoadRules(rules);
    QCOMPARE(Items(*w.lstRules), changed);
    QCOMPARE(modal_->questions, std::vector<QString>(2, "Save the changes to the rules?"));

    const QString saved = folder_.filePath("changed.rules");
    modal_->saveChoices = {SaveChoice::kSave};
    modal_->fileNames = {saved, rules};
    Click(w.btnLoad);  // saves, then loads
    QCOMPARE(Items(*w.lstRules).size(), changed.size() + 1);
    modal_->fileNames = {saved};
    Click(w.btnLoad);
    QCOMPARE(Items(*w.lstRules), changed);
    modal_->fileNames = {saved};
    Click(w.btnSave);
    QCOMPARE(modal_->questions.size(), std::size_t{3});
    QVERIFY(w.close());
  }

  // Cancel keeps the window open, and so does Save when its file dialog is
  // cancelled; Save with a file saves, then closes.
  void unsavedRecordsAreOfferedForSavingOnClose() {
    auto& w = *window_;
    w.lstPeople->addItems({"Al One|_S_M"});
    Click(w.btnDoAll);
    modal_->saveChoices = {SaveChoice::kCancel, SaveChoice::kSave, SaveChoice::kSave};
    QVERIFY(!w.close());
    const QString ged = folder_.filePath("al.ged");
    modal_->fileNames = {QString(), ged};
    QVERIFY(!w.close());
    QVERIFY(w.txtINDI->toPlainText().contains("Al /One/"));
    QVERIFY(w.close());
    QVERIFY(FileBytes(ged).contains("1 NAME Al /One/\r\n"));
    QCOMPARE(modal_->questions, std::vector<QString>(3, "Save the generated records?"));
  }

  // The box is offered unticked each time; once ticked, nobody later in the
  // run is asked, and the next run asks again.
  void theAnswerForEveryoneElseSettlesTheRestOfTheRun() {
    auto& w = *window_;
    w.lstPeople->addItems({"Al One", "Bo Two|_S_F", "Cy Three", "Di Four", "Ed Five"});
    QStringList askedFor;
    modal_->dialogScripts = {AnswerSex(2, askedFor), AnswerSex(1, askedFor, true)};
    Click(w.btnDoAll);
    QCOMPARE(askedFor, QStringList({"Al One", "Cy Three"}));
    const QString indi = w.txtINDI->toPlainText();
    for (const char* person : {"One/\n1 SEX F", "Three/\n1 SEX M", "Four/\n1 SEX M", "Five/\n1 SEX M"}) {
      QVERIFY2(indi.contains(person), person);
    }
    modal_->dialogScripts = {AnswerSex(2, askedFor, true)};
    Click(w.btnDoAll);
    QCOMPARE(askedFor.size(), 3);
  }

  // A Process all of the shortest list that shows its progress disables the
  // window's controls; Cancel, pressed while a question is open, keeps the
  // records made so far, scrolled to the newest, and leaves everything else
  // as it was. After the question, and after a file dialog and a message
  // box, the focus is back on the control that had it, so the next key
  // reaches that control and never the input text. Cancel clicked while the
  // run goes on stops it too.
  void cancellingProcessAllKeepsTheRecordsAndGivesTheFocusBack() {
    auto& w = *window_;
    QStringList people = Persons(quenby::ProcessAllProgress::kShownFrom);
    people[1500] = QStringLiteral("Asked Person");
    w.lstPeople->addItems(people);
    w.txtDetails[0]->setText("kept");
    bool focusLeft = false;
    modal_->dialogScripts.push_back([&w, &focusLeft](QDialog& dialog) {
      focusLeft = !w.btnDoAll->hasFocus() && w.focusWidget() != w.btnDoAll;
      w.txtInput->setFocus();  // where the window manager may leave it
      auto* progress = w.findChild<QProgressDialog*>();
      QVERIFY(progress != nullptr && progress->isVisible());
      progress->cancel();
      ChooseSex(dynamic_cast<quenby::frmSexChoice&>(dialog), 1);
    });
    w.btnDoAll->setFocus();
    QTest::keyClick(w.btnDoAll, Qt::Key_Space);
    QVERIFY(focusLeft);  // the progress disabled the button
    QCOMPARE(w.focusWidget(), w.btnDoAll);
    const QString indi = w.txtINDI->toPlainText();
    QVERIFY(indi.endsWith("0 @I1501@ INDI\n1 NAME Asked /Person/\n1 SEX M\n\n"));
    QCOMPARE(indi.count("INDI"), 1501);
    QCOMPARE(w.txtDetails[0]->text(), "kept");
    QCOMPARE(Items(*w.lstPeople), people);
    QVERIFY(w.findChild<QProgressDialog*>() == nullptr);
    // The newest record is in view.
    QVERIFY(indi.mid(w.txtINDI->textCursor().position()).startsWith("0 @I1501@ INDI\n"));
    QVERIFY(w.txtINDI->viewport()->rect().contains(w.txtINDI->cursorRect()));

    w.btnWrite->setFocus();
    modal_->fileNames = {folder_.filePath("missing/x.ged")};
    QTest::keyClick(w.btnWrite, Qt::Key_Space);
    QCOMPARE(modal_->messages.size(), std::size_t{1});
    QCOMPARE(w.focusWidget(), w.btnWrite);
    const QString text = w.txtInput->toPlainText();
    QTest::keyClick(w.focusWidget(), Qt::Key_Space);  // asks for a file again
    QCOMPARE(w.txtInput->toPlainText(), text);
    QCOMPARE(modal_->unexpectedQuestions, 1);
    modal_->unexpectedQuestions = 0;

    w.lstPeople->clear();
    w.lstPeople->addItems(Persons(20000));
    QTimer::singleShot(
        0, &w, [&w] { QTest::mouseClick(w.findChild<QProgressDialog*>()->findChild<QPushButton*>(), Qt::LeftButton); });
    Click(w.btnDoAll);
    QVERIFY(w.findChild<QProgressDialog*>() == nullptr);
    QVERIFY(w.txtINDI->toPlainText().count(" INDI") < 20000);
  }

  // A long run's progress reaches its end, and the boxes hold the records in
  // paragraphs of whole records, not one paragraph per line, which would take
  // seconds to make for a long list.
  void aLongRunFillsTheBoxesInParagraphsOfWholeRecords() {
    auto& w = *window_;
    QStringList people;
    QString expected;
    for (int i = 1; i <= 3000; ++i) {
      people << QStringLiteral("+Person %1|_S_M").arg(i);
      expected += QStringLiteral("0 @I%1@ INDI\n1 NAME Person /%2/\n1 SEX M\n\n").arg(i + 1).arg(i);
    }
    people.prepend(QStringLiteral("Parent One|_S_F"));
    w.lstPeople->addItems(people);
    int lastProgress = -1;
    int progressEnd = 0;
    QTimer::singleShot(0, &w, [&] {
      auto* bar = w.findChild<QProgressDialog*>()->findChild<QProgressBar*>();
      progressEnd = bar->maximum();
      connect(bar, &QProgressBar::valueChanged, &w, [&lastProgress](int value) { lastProgress = value; });
    });
    Click(w.btnDoAll);
    QCOMPARE(lastProgress, progressEnd);
    QCOMPARE(progressEnd, 3001);
    const QString indi = w.txtINDI->toPlainText();
    QVERIFY(indi.endsWith(expected));
    QVERIFY(indi.startsWith("0 @I1@ INDI\n1 NAME Parent /One/\n1 SEX F\n\n0 @I2@ INDI\n"));
    QVERIFY(w.txtFAM->document()->blockCount() + w.txtINDI->document()->blockCount() < 500);
  }

  // Closing the window while the sex question is open asks whether to stop;
  // stopping keeps the records made so far, then the window closes as usual.
  void closingDuringAQuestionAsksWhetherToStop() {
    auto& w = *window_;
    w.lstPeople->addItems({"Al One|_S_M", "Bo Two", "Cy Three", "Di Four|_S_F"});
    QStringList askedFor;
    std::vector<bool> questionOpen;
    const auto closeWhileAsked = [&](QDialog& dialog) {
      askedFor << dynamic_cast<quenby::frmSexChoice&>(dialog).fraFrame->title();
      w.close();
      questionOpen.push_back(dialog.isVisible());
    };
    modal_->confirmations = {false, true};
    modal_->dialogScripts = {closeWhileAsked, closeWhileAsked};
    modal_->saveChoices = {SaveChoice::kDiscard};
    Click(w.btnDoAll);
    QCOMPARE(askedFor, QStringList({"Bo Two", "Cy Three"}));
    QCOMPARE(questionOpen, std::vector<bool>({true, false}));  // "No" goes on, "Yes" stops
    QVERIFY(!w.isVisible());
    QCOMPARE(w.txtINDI->toPlainText().count(" INDI"), 3);
    QCOMPARE(modal_->questions,
             std::vector<QString>({"Stop processing all people and close Quenby?",
                                   "Stop processing all people and close Quenby?", "Save the generated records?"}));
  }

  // The desktop's dialogs block their owner's controls, not its close
  // button, and give them back afterwards.
  void aDesktopDialogBlocksItsOwnersControlsWhileItAsks() {
    const auto modal = quenby::MakeDesktopModal();
    QDialog dialog(window_.get());
    bool blocked = false;
    QTimer::singleShot(0, &dialog, [&] {
      blocked =
          dialog.isVisible() && !window_->btnRunRules->isEnabled() && !window_->findChild<QMenuBar*>()->isEnabled();
      dialog.hide();
    });
    modal->Exec(dialog);
    QVERIFY(blocked);
    QVERIFY(window_->btnRunRules->isEnabled() && window_->findChild<QMenuBar*>()->isEnabled());
  }

  // Long lines can be read: the people list scrolls sideways, a test
  // variable shows the start of its value.
  void longLinesScrollAndTestVariablesShowTheirStart() {
    auto& w = *window_;
    const QString note = QString(400, QLatin1Char('n'));
    w.txtInput->setPlainText("Al\nBo Long|_N_" + note);
    RunTheRules();
    QScrollBar* sideways = w.lstPeople->horizontalScrollBar();
    QVERIFY(sideways->maximum() > 0);
    sideways->setValue(sideways->maximum());
    const QRect row = w.lstPeople->visualItemRect(w.lstPeople->item(1));
    QVERIFY(row.right() - w.lstPeople->fontMetrics().horizontalAdvance("nnn") <= w.lstPeople->viewport()->width());
    QHelpEvent tip(QEvent::ToolTip, row.center(), w.lstPeople->viewport()->mapToGlobal(row.center()));
    QApplication::sendEvent(w.lstPeople->viewport(), &tip);
    QVERIFY(QToolTip::text().contains(note));
    w.lstPeople->setCurrentRow(1);
    Click(w.btnTestOne);
    QCOMPARE(w.txtDetails[9]->cursorPosition(), 0);
  }

  // A dropped ".rules" file is loaded into the rule list, any other file
  // opened as the input text; several files dropped at once are refused.
  // The command line opens its rules and text files as well.
  void droppedFilesAndFilesOnTheCommandLineAreOpened() {
    const auto drop = [this](const QStringList& names) {
      QMimeData data;
      QList<QUrl> urls;
      for (const QString& name : names) {
        urls << QUrl::fromLocalFile(ExamplePath(name));
      }
      data.setUrls(urls);
      QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(window_.get(), &enter);
      QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(window_.get(), &drop);
      return enter.isAccepted();
    };
    QVERIFY(!drop({"hartley.rules", "hartley.txt"}));
    QVERIFY(window_->lstRules->count() == 0 && window_->txtInput->toPlainText().isEmpty());
    QVERIFY(drop({"hartley.rules"}) && drop({"hartley.txt"}));
    QCOMPARE(window_->lstRules->count(), 16);
    QCOMPARE(window_->txtInput->toPlainText(), QString::fromUtf8(FileBytes(ExamplePath("hartley.txt"))));

    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    int status = -1;
    const auto files = quenby::ParseWindowCommandLine(
        {"quenby", "--rules", ExamplePath("schmidt.rules"), ExamplePath("schmidt.txt")}, outStream, errStream, status);
    QVERIFY(files.has_value());
    quenby::OpenFromCommandLine(*window_, *files);
    QCOMPARE(window_->windowTitle(), "schmidt.txt, schmidt.rules[*] - Quenby");
    QCOMPARE(window_->txtInput->toPlainText(), QString::fromUtf8(FileBytes(ExamplePath("schmidt.txt"))));
  }

  // The recent rules files menu lists the last six loaded, the latest first,
  // each once; an entry loads its file.
  void theRecentRulesFilesAreOfferedLatestFirst() {
    auto& w = *window_;
    for (const char* name : {"r0", "r1", "r2", "r3", "r4", "r5", "r6", "r2"}) {
      const QString file = folder_.filePath(QString::fromLatin1(name) + ".rules");
      QVERIFY(QFile::exists(file) || QFile::copy(ExamplePath("hartley.rules"), file));
      w.LoadRules(file);
    }
    QMenu* recent = nullptr;
    for (QMenu* menu : w.findChildren<QMenu*>()) {
      recent = menu->title() == "&Recent rules files" ? menu : recent;
    }
    emit qobject_cast<QMenu*>(recent->parentWidget())->aboutToShow();
    QStringList entries;
    for (const QAction* entry : recent->actions()) {
      entries << entry->text();
    }
    QCOMPARE(entries,
             QStringList({"&1 r2.rules", "&2 r6.rules", "&3 r5.rules", "&4 r4.rules", "&5 r3.rules", "&6 r1.rules"}));
    recent->actions().back()->trigger();
    QCOMPARE(w.windowTitle(), "r1.rules[*] - Quenby");
  }

  // The guide is written for users: every rule code has its row, and the
  // README's build and packaging sections stay out. The date order is kept
  // for the GEDCOM exports.
  void theMenuBarOffersTheGuideAndTheDateOrder() {
    auto& w = *window_;
    MenuAction("&User guide")->trigger();
    auto* guide = w.findChild<QTextBrowser*>();
    QVERIFY(guide != nullptr && guide->toPlainText().contains("From pasted text to a GEDCOM file"));
    const QString markdown = QString::fromUtf8(FileBytes(":/guide/user-guide.md"));
    std::set<int> described;  // the codes of the rows "| 12 |" and "| 25–28 |"
    static const QRegularExpression kCodeCell(QStringLiteral("\n\\| (\\d+)(?:–(\\d+))? \\|"));
    for (const QRegularExpressionMatch& row : kCodeCell.globalMatch(markdown)) {
      const int first = row.captured(1).toInt();
      const int last = row.captured(2).isEmpty() ? first : row.captured(2).toInt();
      for (int code = first; code <= last; ++code) {
        described.insert(code);
      }
    }
    for (const quenby::CatalogueEntry& entry : quenby::RuleCatalogue()) {
      QVERIFY2(described.count(entry.code) == 1, qPrintable(QString::number(entry.code)));
    }
    for (const char* section : {"For developers", "Installing", "Set-up on a new machine", "cmake"}) {
      QVERIFY2(!markdown.contains(section), section);
    }

    MenuAction("Numeric dates month first (3/5/1845 = March 5)")->trigger();
    QCOMPARE(QSettings("Quenby", "Quenby").value("export/dateOrder").toString(), "mdy");
  }

  // The areas can be made taller or shorter against each other, and the
  // two record boxes wider or narrower, by dragging the gap between them.
  void theAreasAreResizedByDraggingTheGapsBetweenThem() {
    auto& w = *window_;
    auto* areas = w.findChild<QSplitter*>("areas");
    auto* records = w.findChild<QSplitter*>("records");
    Resize(w, w.minimumSizeHint() + QSize(300, 300));
    const int input = w.txtInput->height(), rules = w.lstRules->height(), indi = w.txtINDI->width();
    const auto drag = [](QSplitterHandle* handle, QPoint by) {
      const QPoint middle = handle->rect().center();
      QTest::mousePress(handle, Qt::LeftButton, {}, middle);
      QMouseEvent move(QEvent::MouseMove, QPointF(middle + by), handle->mapToGlobal(QPointF(middle + by)), Qt::NoButton,
                       Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(handle, &move);
      QTest::mouseRelease(handle, Qt::LeftButton, {}, middle + by);
    };
    drag(areas->handle(1), QPoint(0, 30));
    drag(records->handle(1), QPoint(-40, 0));
    QCOMPARE(w.txtInput->height(), input + 30);
    QCOMPARE(w.lstRules->height(), rules - 30);
    QCOMPARE(w.txtINDI->width(), indi - 40);
    VerifyEveryControlUsable(w);
  }

  // The title names the text and rules files and marks unsaved work; the
  // status bar counts persons and records and says where files went.
  void theTitleAndStatusBarTellWhatTheWindowHolds() {
    auto& w = *window_;
    QCOMPARE(w.windowTitle(), "Quenby[*]");
    RunTheExample();
    QCOMPARE(w.windowTitle(), "hartley.txt, hartley.rules[*] - Quenby");
    QVERIFY(!w.isWindowModified());
    QCOMPARE(w.status->lblPersons->text(), "14 persons");
    QStringList askedFor;
    ProcessTheExample(AnswerSex(2, askedFor));
    QCOMPARE(w.status->lblRecords->text(), "14 individual and 5 family records");
    QVERIFY(w.isWindowModified());
    ProcessPerson(0);
    QCOMPARE(w.status->lblRecords->text(),
             QStringLiteral("15 individual and %1 family records").arg(w.NextFamNumber - 1));
    SaveRecords("hartley.ged");
    QVERIFY(!w.isWindowModified());
    QVERIFY(w.status->lblSaved->text().contains(QDir::toNativeSeparators(folder_.filePath("hartley.ged"))));
    delete w.lstRules->takeItem(0);
    QVERIFY(w.isWindowModified());
    const QString saved = folder_.filePath("fewer.rules");
    modal_->fileNames = {saved};
    Click(w.btnSave);
    QCOMPARE(w.windowTitle(), "hartley.txt, fewer.rules[*] - Quenby");
    QVERIFY(!w.isWindowModified());
    InTheTestFolder([&] { Click(w.cmdDebugPeople); });
    QVERIFY(w.status->lblDebug->text().contains(QDir::toNativeSeparators(folder_.filePath("Debug.txt"))));
    RunTheRules();
    QCOMPARE(w.status->lblRecords->text(), "0 individual and 0 family records");
  }

  // The Edit menu acts on the text box that has the focus, a test variable
  // as well as a record box; Find selects the next occurrence, going round.
  void theEditMenuActsOnTheFocusedTextBox() {
    auto& w = *window_;
    w.txtDetails[3]->setText("Leeds, Leek");
    w.txtFAM->setPlainText("0 @F1@ FAM\n1 HUSB @I1@\n\n0 @F2@ FAM\n1 HUSB @I3@\n");
    w.txtDetails[3]->setFocus();
    MenuAction("Select &All")->trigger();
    MenuAction("&Copy")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), "Leeds, Leek");
    w.txtFAM->setFocus();
    w.txtFAM->moveCursor(QTextCursor::End);
    MenuAction("&Paste")->trigger();
    QVERIFY(w.txtFAM->toPlainText().endsWith("@I3@\nLeeds, Leek"));
    MenuAction("&Undo")->trigger();
    QVERIFY(w.txtFAM->toPlainText().endsWith("@I3@\n"));
    w.btnRunRules->setFocus();
    MenuAction("&Paste")->trigger();  // no text box: nothing
    QVERIFY(w.txtFAM->toPlainText().endsWith("@I3@\n"));

    w.txtFAM->setFocus();
    w.txtFAM->moveCursor(QTextCursor::Start);
    QTest::keyClick(&w, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(w.findBar->isVisible() && w.findBar->txtFind->hasFocus());
    QTest::keyClicks(w.findBar->txtFind, "HUSB");
    QTest::keyClick(w.findBar->txtFind, Qt::Key_Return);
    QCOMPARE(w.txtFAM->textCursor().blockNumber(), 1);
    QTest::keyClick(w.findBar->txtFind, Qt::Key_Return);
    QCOMPARE(w.txtFAM->textCursor().blockNumber(), 4);
    QTest::keyClick(w.findBar->txtFind, Qt::Key_Return);  // round to the first
    QCOMPARE(w.txtFAM->textCursor().blockNumber(), 1);
    QCOMPARE(w.txtFAM->textCursor().selectedText(), "HUSB");
    w.findBar->txtFind->setText("absent");
    QVERIFY(!w.findBar->FindNext());
    QCOMPARE(w.findBar->lblResult->text(), "Not found");
    QTest::keyClick(w.findBar->txtFind, Qt::Key_Escape);
    QVERIFY(!w.findBar->isVisible() && w.txtFAM->hasFocus());
    w.txtDetails[3]->setFocus();
    MenuAction("&Find...")->trigger();
    w.findBar->txtFind->setText("Le");
    for (const int at : {0, 7, 0}) {
      QVERIFY(w.findBar->FindNext());
      QCOMPARE(w.txtDetails[3]->selectionStart(), at);
    }
  }

  // A search text of one space shows in the rule list, where nothing would
  // tell it from an empty one.
  void aRuleOfSpacesIsSeenInTheRuleList() {
    auto& rules = *window_->lstRules;
    const auto looks = [&rules](const QString& item) {
      rules.clear();
      rules.addItem(item);
      rules.doItemsLayout();
      return rules.viewport()->grab().toImage();
    };
    QVERIFY(looks(RuleItem("1", " ", "x")) != looks(RuleItem("1", "", "x")));
    rules.clear();
  }

  // Every control a user can reach has a name a screen reader can say: its
  // caption or its label, in words; the lists and boxes say what they hold.
  void everyControlHasAnAccessibleNameAndEveryBoxADescription() {
    quenby::frmRule editor;
    quenby::frmSexChoice question;
    QStringList names;
    for (QWidget* form :
         {static_cast<QWidget*>(window_.get()), static_cast<QWidget*>(&editor), static_cast<QWidget*>(&question)}) {
      for (QWidget* control : form->findChildren<QWidget*>()) {
        if (control->focusPolicy() == Qt::NoFocus || control->window() != form ||
            qobject_cast<QScrollBar*>(control) != nullptr || control->parentWidget()->inherits("QAbstractScrollArea") ||
            control->inherits("QComboBoxPrivateContainer") || control->objectName().startsWith("qt_")) {
          continue;
        }
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
        const QString name = accessible->text(QAccessible::Name);
        QVERIFY2(!name.isEmpty() && !name.contains("  ") && name.contains(QRegularExpression("[A-Za-z]{2}")),
                 qPrintable(control->objectName() + ": '" + name + "'"));
        names << name;
        if (qobject_cast<QAbstractScrollArea*>(control) != nullptr || qobject_cast<QLineEdit*>(control) != nullptr ||
            qobject_cast<QComboBox*>(control) != nullptr) {
          QVERIFY2(!accessible->text(QAccessible::Description).isEmpty(), qPrintable(control->objectName()));
        }
      }
    }
    QVERIFY(names.contains("Move rule up") && names.contains("Edit (or delete)") && names.contains("Full Name") &&
            names.contains("Search text") && names.contains("Female"));
    QCOMPARE(names.removeDuplicates(), 0);
  }
};

QTEST_MAIN(DesktopWindowTest)
#include "desktop_window_test.moc"
