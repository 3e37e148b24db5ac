// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The sex question: asked for a person whose sex is empty. Choosing "Male" or
// "Female" answers at once and hides the dialog; every other way out leaves
// "Unknown" selected, which the caller records as "F".

#include <QDialog>
#include <QString>
#include <array>

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

  QGroupBox* fraFrame = nullptr;
  std::array<QRadioButton*, 3> optSex{};

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Form_Activate();
  void optSex_Click(int index);
};

}  // namespace quenby
