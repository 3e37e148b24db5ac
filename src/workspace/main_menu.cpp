// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/main_menu.hpp"

#include <QActionGroup>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>

#include "workspace/frmQuenby.hpp"
#include "workspace/window_settings.hpp"

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

}  // namespace

QMenuBar* MakeMainMenu(frmQuenby& window) {
  auto* bar = new QMenuBar(&window);

  QMenu* file = bar->addMenu(QStringLiteral("&File"));
  QObject::connect(AddAction(file, QStringLiteral("&Open text..."), QKeySequence::Open), &QAction::triggered, &window,
                   &frmQuenby::AskOpenText);
  AddButtonAction(file, QStringLiteral("&Load Rules..."), QKeySequence(QStringLiteral("Ctrl+L")), window.btnLoad);
  AddButtonAction(file, QStringLiteral("&Save Rules..."), QKeySequence::Save, window.btnSave);
  AddButtonAction(file, QStringLiteral("Save &generated file..."), QKeySequence(QStringLiteral("Ctrl+G")),
                  window.btnWrite);
  QMenu* recent = file->addMenu(QStringLiteral("&Recent rules files"));
  QObject::connect(file, &QMenu::aboutToShow, recent, [recent, &window] { FillRecentRules(recent, window); });
  FillRecentRules(recent, window);
  file->addSeparator();
  QObject::connect(AddAction(file, QStringLiteral("&Quit"), QKeySequence(QStringLiteral("Ctrl+Q"))),
                   &QAction::triggered, &window, &QWidget::close);

  QMenu* run = bar->addMenu(QStringLiteral("&Run"));
  AddButtonAction(run, QStringLiteral("&Run Rules"), QKeySequence(QStringLiteral("F5")), window.btnRunRules);
  AddButtonAction(run, QStringLiteral("Process &all"), QKeySequence(QStringLiteral("F6")), window.btnDoAll);

  AddDateOrder(bar->addMenu(QStringLiteral("&Options")));

  QMenu* help = bar->addMenu(QStringLiteral("&Help"));
  QObject::connect(AddAction(help, QStringLiteral("&User guide"), QKeySequence::HelpContents), &QAction::triggered,
                   &window, &frmQuenby::ShowUserGuide);
  AddButtonAction(help, QStringLiteral("&About Quenby"), QKeySequence(), window.btnHelp);
  return bar;
}

}  // namespace quenby
