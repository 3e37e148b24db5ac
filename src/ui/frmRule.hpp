// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The rule editor: a small modal dialog that builds one rule item from a
// catalogue entry, a search text and a replacement text. Callers follow one
// protocol: SetRule, (editing only) add the delete entry at position 0 of
// cboCode, set the title, show it modally, GetRule, (editing only) remove the
// entry at position 0 again. While the delete entry is there, a Delete
// button offers the same answer in plain sight.

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quenby {

class frmRule : public QDialog {
  Q_OBJECT

 public:
  explicit frmRule(QWidget* parent = nullptr);

  // The item to edit; the empty string asks for a new rule.
  void SetRule(const QString& item);
  // The item built by OK, or the empty string after Cancel or a close.
  QString GetRule() const;

  QComboBox* cboCode = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* txtSearch = nullptr;
  QLabel* Label3 = nullptr;
  QLineEdit* txtReplace = nullptr;
  QPushButton* btnOk = nullptr;
  QPushButton* btnCancel = nullptr;
  // Shown only while a rule is edited: answers as "0: Delete this rule" does.
  QPushButton* btnDelete = nullptr;
  // Says why OK did not accept the rule (a pattern that is not valid).
  QLabel* lblProblem = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Form_Initialize();
  void Form_Activate();
  void btnOk_Click();
  void btnCancel_Click();
  void btnDelete_Click();

  QString sRule;
};

}  // namespace quenby
