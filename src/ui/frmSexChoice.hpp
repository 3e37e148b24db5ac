// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The sex question: asked for a person whose sex is empty. Choosing "Male" or
// "Female" answers at once and hides the dialog: a click, the space bar or
// Enter on the option, or the keys M and F anywhere in the dialog. Every
// other way out leaves "Unknown" selected, which the caller records as "F".
// The dialog keeps its place from one question to the next, so the options
// stay under the mouse however long each name is.

#include <QDialog>
#include <QString>
#include <array>

class QCheckBox;
class QGroupBox;
class QRadioButton;

namespace quenby {

class frmSexChoice : public QDialog {
  Q_OBJECT

 public:
  explicit frmSexChoice(QWidget* parent = nullptr);

  // The person's name (without "/") as the bold frame caption.
  void SetPersonName(const QString& name);
  // True when "Male" was chosen in the last showing.
  bool IsMale() const;
  // True when "Male" or "Female" was chosen in the last showing.
  bool WasAnswered() const;
  // Whether the showings offer to answer for everyone else in the run.
  void OfferEveryoneElse(bool offer);

  QGroupBox* fraFrame = nullptr;
  std::array<QRadioButton*, 3> optSex{};
  QCheckBox* chkEveryoneElse = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Form_Activate();
  void optSex_Click(int index);
};

}  // namespace quenby
