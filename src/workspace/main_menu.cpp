// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/main_menu.hpp"

#include <QActionGroup>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>

#include "workspace/find_bar.hpp"
#include "workspace/frmQuenby.hpp"
#include "workspace/window_settings.hpp"
#include "workspace/workbench.hpp"

namespace quenby {

namespace {

QAction* AddAction(QMenu* menu, const QString& text, const QKeySequence& shortcut) {
  QAction* action = menu->addAction(text);
  action->setShortcut(shortcut);
  return action;
}

QAction* AddButtonAction(QMenu* menu, const QString& text, const QKeySequence& shortcut, QPushButton* button) {
  QAction* action = AddAction(menu, text, shortcut);
  QObject::connect(action, &QAction::triggered, button, &QPushButton::click);
  return action;
}

// The recent rules files, listed afresh each time the menu opens.
void FillRecentRules(QMenu* recent, frmQuenby& window) {
  recent->clear();
  const QStringList files = RecentRulesFiles();
  for (qsizetype i = 0; i < files.size(); ++i) {
    const QString& file = files[i];
    QAction* action = recent->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(file).fileName()));
    action->setToolTip(file);
    QObject::connect(action, &QAction::triggered, &window, [&window, file] { window.LoadRules(file); });
  }
  recent->setEnabled(!files.isEmpty());
}

// The order of a numeric date's day and month that the GEDCOM exports read.
void AddDateOrder(QMenu* options) {
  const QString key = QStringLiteral("export/dateOrder");
  auto* group = new QActionGroup(options);
  const struct {
    const char* text;
    const char* value;
  } kOrders[] = {{"Numeric dates day first (3/5/1845 = 3 May)", "dmy"},
                 {"Numeric dates month first (3/5/1845 = March 5)", "mdy"}};
  const QString current =
      QSettings(QStringLiteral("Quenby"), QStringLiteral("Quenby")).value(key, QStringLiteral("dmy")).toString();
  for (const auto& order : kOrders) {
    QAction* action = options->addAction(QString::fromLatin1(order.text));
    action->setCheckable(true);
    action->setActionGroup(group);
    const QString value = QString::fromLatin1(order.value);
    action->setChecked(value == current);
    QObject::connect(action, &QAction::triggered, options, [key, value] {
      QSettings(QStringLiteral("Quenby"), QStringLiteral("Quenby")).setValue(key, value);
    });
  }
}

// Showing the workbench beside the lists, and running the rules after each
// change of the rule list; both kept in the settings.
void AddWorkbenchOptions(QMenu* options, frmQuenby& window) {
  QAction* shown = AddAction(options, QStringLiteral("Show the &workbench (steps, tree, problems)"),
                             QKeySequence(QStringLiteral("F4")));
  shown->setCheckable(true);
  shown->setChecked(window.workbench->Shown());
  QObject::connect(shown, &QAction::toggled, window.workbench, &Workbench::SetShown);
  QAction* live = options->addAction(QStringLiteral("Run rules after each &change"));
  live->setCheckable(true);
  live->setChecked(RunAfterEachChange());
  QObject::connect(live, &QAction::toggled, options, &SetRunAfterEachChange);
}

// The text box of the window that has the focus, which the Edit menu acts
// on: the input text, a record box or a test variable; null for any other
// control.
QWidget* FocusedTextBox(const frmQuenby& window) {
  QWidget* focused = window.focusWidget();
  return qobject_cast<QPlainTextEdit*>(focused) != nullptr || qobject_cast<QLineEdit*>(focused) != nullptr ? focused
                                                                                                           : nullptr;
}

// An Edit entry that does to the focused text box what the box's own key
// does; `act` is called with the box, a QPlainTextEdit or a QLineEdit. While
// a box has the focus the box takes the key itself.
template <typename Act>
void AddEditAction(QMenu* edit, frmQuenby& window, const QString& text, QKeySequence::StandardKey key, Act act) {
  QObject::connect(AddAction(edit, text, key), &QAction::triggered, &window, [&window, act] {
    QWidget* box = FocusedTextBox(window);
    if (auto* plain = qobject_cast<QPlainTextEdit*>(box)) {
      act(*plain);
    } else if (auto* line = qobject_cast<QLineEdit*>(box)) {
      act(*line);
    }
  });
}

void AddEditMenu(QMenuBar* bar, frmQuenby& window) {
  QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
  AddEditAction(edit, window, QStringLiteral("&Undo"), QKeySequence::Undo, [](auto& box) { box.undo(); });
  AddEditAction(edit, window, QStringLiteral("&Redo"), QKeySequence::Redo, [](auto& box) { box.redo(); });
  edit->addSeparator();
  AddEditAction(edit, window, QStringLiteral("Cu&t"), QKeySequence::Cut, [](auto& box) { box.cut(); });
  AddEditAction(edit, window, QStringLiteral("&Copy"), QKeySequence::Copy, [](auto& box) { box.copy(); });
  AddEditAction(edit, window, QStringLiteral("&Paste"), QKeySequence::Paste, [](auto& box) { box.paste(); });
  AddEditAction(edit, window, QStringLiteral("Select &All"), QKeySequence::SelectAll,
                [](auto& box) { box.selectAll(); });
  edit->addSeparator();
  QObject::connect(AddAction(edit, QStringLiteral("&Find..."), QKeySequence::Find), &QAction::triggered, &window,
                   [&window] {
                     QWidget* box = FocusedTextBox(window);
                     window.findBar->Open(box != nullptr ? box : window.txtInput);
                   });
  // The entries act only while a text box has the focus.
  QObject::connect(edit, &QMenu::aboutToShow, edit, [edit, &window] {
    const bool onTextBox = FocusedTextBox(window) != nullptr;
    for (QAction* action : edit->actions()) {
      action->setEnabled(onTextBox || action->shortcut() == QKeySequence(QKeySequence::Find));
    }
  });
}

}  // namespace

QMenuBar* MakeMainMenu(frmQuenby& window) {
  auto* bar = new QMenuBar(&window);

  QMenu* file = bar->addMenu(QStringLiteral("&File"));
  QObject::connect(AddAction(file, QStringLiteral("&Open text..."), QKeySequence::Open), &QAction::triggered, &window,
                   &frmQuenby::AskOpenText);
  AddButtonAction(file, QStringLiteral("&Load Rules..."), QKeySequence(QStringLiteral("Ctrl+L")), window.btnLoad);
  QObject::connect(AddAction(file, QStringLiteral("&New rules from an example layout..."), QKeySequence()),
                   &QAction::triggered, &window, &frmQuenby::NewRulesFromLayout);
  AddButtonAction(file, QStringLiteral("&Save Rules..."), QKeySequence::Save, window.btnSave);
  AddButtonAction(file, QStringLiteral("Save &generated file..."), QKeySequence(QStringLiteral("Ctrl+G")),
                  window.btnWrite);
  QMenu* recent = file->addMenu(QStringLiteral("&Recent rules files"));
  QObject::connect(file, &QMenu::aboutToShow, recent, [recent, &window] { FillRecentRules(recent, window); });
  FillRecentRules(recent, window);
  file->addSeparator();
  QObject::connect(AddAction(file, QStringLiteral("&Quit"), QKeySequence(QStringLiteral("Ctrl+Q"))),
                   &QAction::triggered, &window, &QWidget::close);

  AddEditMenu(bar, window);

  QMenu* run = bar->addMenu(QStringLiteral("&Run"));
  AddButtonAction(run, QStringLiteral("&Run Rules"), QKeySequence(QStringLiteral("F5")), window.btnRunRules);
  AddButtonAction(run, QStringLiteral("Process &all"), QKeySequence(QStringLiteral("F6")), window.btnDoAll);
  run->addSeparator();
  AddButtonAction(run, QStringLiteral("&Test individual selected"), QKeySequence(QStringLiteral("F7")),
                  window.btnTestOne);
  AddButtonAction(run, QStringLiteral("&Process the test"), QKeySequence(QStringLiteral("F8")), window.btnDoOne);
  AddButtonAction(run, QStringLiteral("&Debug People List"), QKeySequence(QStringLiteral("F9")), window.cmdDebugPeople);

  QMenu* options = bar->addMenu(QStringLiteral("&Options"));
  AddDateOrder(options);
  options->addSeparator();
  AddWorkbenchOptions(options, window);

  QMenu* help = bar->addMenu(QStringLiteral("&Help"));
  QObject::connect(AddAction(help, QStringLiteral("&User guide"), QKeySequence::HelpContents), &QAction::triggered,
                   &window, &frmQuenby::ShowUserGuide);
  AddButtonAction(help, QStringLiteral("&About Quenby"), QKeySequence(), window.btnHelp);
  return bar;
}

}  // namespace quenby
