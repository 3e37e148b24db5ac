// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// "New rules from an example layout": lists the layouts built into the
// program, each with its title and description, and shows the first lines of
// the selected one's example text. OK, a double-click or Enter on a layout
// chooses it; Cancel or closing chooses none. A check box offers to put the
// example text into the input box as well.

#include <QDialog>
#include <optional>
#include <vector>

#include "rules/layout_list.hpp"

class QCheckBox;
class QDialogButtonBox;
class QLabel;
class QPlainTextEdit;
class QTreeWidget;

namespace quenby {

class frmLayouts : public QDialog {
  Q_OBJECT

 public:
  explicit frmLayouts(QWidget* parent = nullptr);

  // Lists `layouts` in their order and selects the first.
  void SetLayouts(std::vector<LayoutEntry> layouts);
  // The layout chosen when the dialog was last shown; nothing when none was.
  std::optional<LayoutEntry> ChosenLayout() const;

  QLabel* lblLayouts = nullptr;
  QTreeWidget* lstLayouts = nullptr;
  QLabel* lblExample = nullptr;
  QPlainTextEdit* txtExample = nullptr;
  QCheckBox* chkPutExampleText = nullptr;
  QDialogButtonBox* buttons = nullptr;

  // The lines of example text the preview shows.
  static constexpr std::size_t kPreviewLines = 12;

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void ShowExample();
  void Choose();

  std::vector<LayoutEntry> layouts_;
  std::optional<std::size_t> chosen_;
};

}  // namespace quenby
