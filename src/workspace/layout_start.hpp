// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Starting a new rule list from an example layout built into the program:
// the question which layout, and what the choice brings to the window.

#include <QString>
#include <QStringList>
#include <optional>
#include <string>

class QWidget;

namespace quenby {

class Modal;

struct StartingLayout {
  // The layout's rules as the rule list shows them.
  QStringList rules;
  // The example text as the input box takes it (CR LF line breaks), when the
  // user asked for it.
  std::optional<std::string> exampleText;
};

// The settings key that remembers whether the example text goes into the
// input box as well.
inline constexpr char kPutExampleTextKey[] = "layouts/putExampleText";

// Asks through `modal` which layout to start from and reads its rules, and
// its example text when asked for. Nothing when the user chose none, or when
// what was chosen could not be read (a message says why).
std::optional<StartingLayout> AskForLayout(Modal& modal, QWidget* parent);

}  // namespace quenby
