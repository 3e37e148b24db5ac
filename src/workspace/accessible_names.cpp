// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/accessible_names.hpp"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>

#include "workspace/frmQuenby.hpp"
#include "workspace/step_view.hpp"
#include "workspace/workbench.hpp"

namespace quenby {

namespace {

// A label's text as a name: without the trailing dots and blanks.
QString NameOfLabel(const QLabel& label) {
  QString name = label.text().trimmed();
  while (name.endsWith(QLatin1Char('.'))) {
    name.chop(1);
  }
  return name;
}

// A caption wrapped by its spaces, read as one line.
QString NameOfCaption(const QPushButton& button) {
  return button.text().simplified();
}

void Describe(QWidget& control, QLabel* label, const QString& name, const QString& description) {
  if (label != nullptr) {
    label->setBuddy(&control);
  }
  control.setAccessibleName(name);
  control.setAccessibleDescription(description);
}

}  // namespace

void NameControlsForAccessibility(frmQuenby& w) {
  Describe(*w.txtInput, w.Label1, QStringLiteral("Text to parse"),
           QStringLiteral("The pasted or opened text the rules turn into the people list. Editing it empties the "
                          "people list, the test variables and the generated records."));
  Describe(*w.lstRules, w.Label2, QStringLiteral("Rules"),
           QStringLiteral("The rules in the order they run, one a line: the code, the search text and the "
                          "replacement text. A dot marks a space at the start or end of a text."));
  Describe(*w.lstPeople, w.Label6, NameOfLabel(*w.Label6),
           QStringLiteral("One person a line, as the rules left the text. Select a person to test it."));
  const std::array<QLabel*, 10> detailLabels = {w.Label10, w.Label11, w.Label12, w.Label13, w.Label14,
                                                w.Label15, w.Label16, w.Label17, w.Label18, w.Label19};
  for (std::size_t i = 0; i < detailLabels.size(); ++i) {
    Describe(*w.txtDetails[i], detailLabels[i], NameOfLabel(*detailLabels[i]),
             QStringLiteral("Test variable of the tested person; it can be edited before Process the test."));
  }
  Describe(*w.txtINDI, w.Label8, NameOfLabel(*w.Label8),
           QStringLiteral("The generated individual and note records; they can be edited before they are saved."));
  Describe(*w.txtFAM, w.Label9, NameOfLabel(*w.Label9),
           QStringLiteral("The generated family records; they can be edited before they are saved."));

  const StepView& steps = *w.workbench->steps;
  steps.lblStepCaption->setAccessibleName(QStringLiteral("Step shown"));
  steps.btnPreviousStep->setAccessibleName(QStringLiteral("Previous rule"));
  steps.btnPreviousStep->setAccessibleDescription(QStringLiteral("Shows the lines after the rule before."));
  steps.btnNextStep->setAccessibleName(QStringLiteral("Next rule"));
  steps.btnNextStep->setAccessibleDescription(QStringLiteral("Shows the lines after the next rule."));
  Describe(*steps.spnStep, nullptr, QStringLiteral("Step"),
           QStringLiteral("The rule after which the lines are shown; 0 shows the input lines before the first rule."));
  Describe(*steps.grdStepLines, steps.lblStepCaption, QStringLiteral("Lines after the rule"),
           QStringLiteral("The lines as they stood after the rule, one a row; the first column says whether the rule "
                          "changed, made or moved the line, and is empty for a line it kept."));
  w.workbench->setAccessibleName(QStringLiteral("Workbench"));
  w.workbench->setAccessibleDescription(QStringLiteral("Views of the last run of the rules."));

  for (QPushButton* button : w.findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) {
    button->setAccessibleName(NameOfCaption(*button));
  }
  w.btnRuleMove[0]->setAccessibleName(QStringLiteral("Move rule up"));
  w.btnRuleMove[1]->setAccessibleName(QStringLiteral("Move rule down"));
  w.btnHelp->setAccessibleName(QStringLiteral("About Quenby"));
}

}  // namespace quenby
