// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/user_guide.hpp"

#include <QDialogButtonBox>
#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace quenby {

UserGuide::UserGuide(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Quenby User Guide"));
  text = new QTextBrowser(this);
  text->setOpenExternalLinks(true);
  // The guide's pictures are built in beside it.
  text->setSearchPaths({QStringLiteral(":/guide")});
  QFile guide(QStringLiteral(":/guide/user-guide.md"));
  if (guide.open(QIODevice::ReadOnly)) {
    text->setMarkdown(QString::fromUtf8(guide.readAll()));
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text);
  layout->addWidget(buttons);
  resize(720, 600);
}

}  // namespace quenby
