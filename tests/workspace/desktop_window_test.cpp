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
#include <QProgressDialog>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSplitter>
#include <QToolTip>

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

  // At its minimum, which fits a 1024x768 screen less 60 pixels of title bar
  // and panel, and at a larger size, every control can be seen and clicked;
  // the text areas take the room a larger window gives, the buttons keep
  // their size, and stay usable when the areas are resized.
  void theControlsStayUsableAtEverySize() {
    auto& w = *window_;
    const QSize minimum = w.minimumSizeHint();
    QVERIFY(minimum.width() <= 1024 && minimum.height() <= 768 - 60);
    Resize(w, minimum);
    VerifyEveryControlUsable(w);
    QVERIFY(Controls(w).contains(w.btnRuleMove[1]) && Controls(w).contains(w.txtDetails[9]));
    const std::vector<QWidget*> areas = {w.txtInput, w.lstRules, w.lstPeople, w.txtINDI, w.txtFAM};
    std::vector<QSize> small;
    for (const QWidget* area : areas) {
      small.push_back(area->size());
    }
    const QSize buttonSize = w.btnEditRule->size();
    Resize(w, minimum + QSize(300, 300));
    VerifyEveryControlUsable(w);
    for (std::size_t i = 0; i < areas.size(); ++i) {
      QVERIFY2(areas[i]->width() > small[i].width() && areas[i]->height() > small[i].height(),
               qPrintable(areas[i]->objectName()));
    }
    QCOMPARE(w.btnEditRule->size(), buttonSize);

    // Dragging the gaps between them makes the areas taller or shorter
    // against each other, the two record boxes wider or narrower.
    const int input = w.txtInput->height(), rules = w.lstRules->height(), indi = w.txtINDI->width();
    const auto drag = [](QSplitterHandle* handle, QPoint by) {
      const QPoint middle = handle->rect().center();
      QTest::mousePress(handle, Qt::LeftButton, {}, middle);
      QMouseEvent move(QEvent::MouseMove, QPointF(middle + by), handle->mapToGlobal(QPointF(middle + by)), Qt::NoButton,
                       Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(handle, &move);
      QTest::mouseRelease(handle, Qt::LeftButton, {}, middle + by);
    };
    drag(w.findChild<QSplitter*>("areas")->handle(1), QPoint(0, 30));
    drag(w.findChild<QSplitter*>("records")->handle(1), QPoint(-40, 0));
    QCOMPARE(w.txtInput->height(), input + 30);
    QCOMPARE(w.lstRules->height(), rules - 30);
    QCOMPARE(w.txtINDI->width(), indi - 40);
    VerifyEveryControlUsable(w);
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

  // Closing the window while the sex question is open asks whether to stop;
  // stopping keeps the records made so far, then the window closes as usual,
  // asking about the records: Cancel keeps it open, and so does Save when its
  // file dialog is cancelled; Save with a file saves, then closes.
  void closingDuringAQuestionAsksWhetherToStopThenAboutTheRecords() {
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
    modal_->saveChoices = {SaveChoice::kCancel, SaveChoice::kSave, SaveChoice::kSave};
    Click(w.btnDoAll);
    QCOMPARE(askedFor, QStringList({"Bo Two", "Cy Three"}));
    QCOMPARE(questionOpen, std::vector<bool>({true, false}));  // "No" goes on, "Yes" stops
    QVERIFY(w.isVisible());
    QCOMPARE(w.txtINDI->toPlainText().count(" INDI"), 3);
    const QString ged = folder_.filePath("al.ged");
    modal_->fileNames = {QString(), ged};
    QVERIFY(!w.close());
    QVERIFY(w.close());
    QVERIFY(FileBytes(ged).contains("1 NAME Al /One/\r\n"));
    const QString stop = "Stop processing all people and close Quenby?", save = "Save the generated records?";
    QCOMPARE(modal_->questions, std::vector<QString>({stop, stop, save, save, save}));
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
  // The files the command line names are opened as well.
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

    quenby::OpenFromCommandLine(*window_, {ExamplePath("schmidt.rules"), ExamplePath("schmidt.txt")});
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
    QMenu* recent = MenuAction("&Recent rules files")->menu();
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

  // The title names the text and rules files and marks unsaved work; the
  // status bar counts persons and records and says where files went. A
  // rule list just loaded or saved is not asked about.
  void theTitleAndStatusBarTellWhatTheWindowHolds() {
    auto& w = *window_;
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

    // Closing and loading ask about a changed rule list: Cancel keeps it,
    // Save saves it before the load.
    delete w.lstRules->takeItem(0);
    QVERIFY(w.isWindowModified());
    const QStringList changed = Items(*w.lstRules);
    modal_->saveChoices = {SaveChoice::kCancel, SaveChoice::kCancel, SaveChoice::kSave};
    QVERIFY(!w.close());
    w.LoadRules(ExamplePath("hartley.rules"));
    QCOMPARE(Items(*w.lstRules), changed);
    const QString saved = folder_.filePath("fewer.rules");
    modal_->fileNames = {saved, ExamplePath("hartley.rules")};
    Click(w.btnLoad);
    QCOMPARE(Items(*w.lstRules).size(), changed.size() + 1);
    w.LoadRules(saved);
    QCOMPARE(Items(*w.lstRules), changed);
    QCOMPARE(modal_->questions, std::vector<QString>(3, "Save the changes to the rules?"));
    QCOMPARE(w.windowTitle(), "hartley.txt, fewer.rules[*] - Quenby");
    QVERIFY(!w.isWindowModified());
    InTheTestFolder([&] { Click(w.cmdDebugPeople); });
    QVERIFY(w.status->lblDebug->text().contains(QDir::toNativeSeparators(folder_.filePath("Debug.txt"))));
    RunTheRules();
    QCOMPARE(w.status->lblRecords->text(), "0 individual and 0 family records");
    QVERIFY(w.close());  // nothing unsaved: no question
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
    QCOMPARE(names.removeDuplicates(), 0);
  }
};

QTEST_MAIN(DesktopWindowTest)
#include "desktop_window_test.moc"
