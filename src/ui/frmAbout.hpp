// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The About box: title, version, description, and a button that starts the
// system-information tool.

#include <QDialog>
#include <array>

class QLabel;
class QPushButton;
class QFrame;

namespace quenby {

class Modal;
class Registry;

class frmAbout : public QDialog {
  Q_OBJECT

 public:
  frmAbout(Modal& modal, const Registry& registry, QWidget* parent = nullptr);

  // Finds the system-information tool and starts it, or shows the message
  // "System Information Is Unavailable At This Time".
  void StartSysInfo();

  QLabel* picIcon = nullptr;
  QLabel* lblTitle = nullptr;
  QLabel* lblVersion = nullptr;
  QLabel* lblDescription = nullptr;
  QLabel* lblDisclaimer = nullptr;
  std::array<QFrame*, 2> Line1{};
  QPushButton* cmdOk = nullptr;
  QPushButton* cmdSysInfo = nullptr;

 private:
  void Form_Load();

  Modal& modal_;
  const Registry& registry_;
};

}  // namespace quenby
