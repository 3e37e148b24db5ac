// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/find_bar.hpp"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace quenby {

namespace {

bool FindInBox(QPlainTextEdit& box, const QString& text) {
  if (box.find(text)) {
    return true;
  }
  const QTextCursor caret = box.textCursor();
  box.moveCursor(QTextCursor::Start);
  if (box.find(text)) {
    return true;
  }
  box.setTextCursor(caret);
  return false;
}

bool FindInLine(QLineEdit& line, const QString& text) {
  const QString content = line.text();
  const qsizetype from = line.hasSelectedText() ? line.selectionStart() + 1 : line.cursorPosition();
  qsizetype at = content.indexOf(text, from);
  if (at < 0) {
    at = content.indexOf(text);
  }
  if (at < 0) {
    return false;
  }
  line.setSelection(static_cast<int>(at), static_cast<int>(text.size()));
  return true;
}

}  // namespace

FindBar::FindBar(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("findBar"));
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  auto* caption = new QLabel(QStringLiteral("Find:"), this);
  txtFind = new QLineEdit(this);
  txtFind->setObjectName(QStringLiteral("txtFind"));
  txtFind->setAccessibleName(QStringLiteral("Find"));
  txtFind->setAccessibleDescription(QStringLiteral("The text to find in the box that had the focus"));
  caption->setBuddy(txtFind);
  auto* next = new QPushButton(QStringLiteral("Find next"), this);
  auto* close = new QPushButton(QStringLiteral("Close"), this);
  lblResult = new QLabel(this);
  row->addWidget(caption);
  row->addWidget(txtFind, 1);
  row->addWidget(next);
  row->addWidget(close);
  row->addWidget(lblResult);
  connect(txtFind, &QLineEdit::returnPressed, this, &FindBar::FindNext);
  connect(next, &QPushButton::clicked, this, &FindBar::FindNext);
  connect(close, &QPushButton::clicked, this, &FindBar::Close);
  hide();
}

void FindBar::Open(QWidget* box) {
  box_ = box;
  lblResult->clear();
  show();
  txtFind->selectAll();
  txtFind->setFocus(Qt::ShortcutFocusReason);
}

bool FindBar::FindNext() {
  const QString text = txtFind->text();
  bool found = false;
  if (auto* plain = qobject_cast<QPlainTextEdit*>(box_.data())) {
    found = !text.isEmpty() && FindInBox(*plain, text);
  } else if (auto* line = qobject_cast<QLineEdit*>(box_.data())) {
    found = !text.isEmpty() && FindInLine(*line, text);
  }
  lblResult->setText(found ? QString() : QStringLiteral("Not found"));
  return found;
}

void FindBar::Close() {
  hide();
  if (box_) {
    box_->setFocus(Qt::OtherFocusReason);
  }
}

void FindBar::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    Close();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace quenby
