// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/caption_button.hpp"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <algorithm>

namespace quenby {

namespace {

// The bevel, the focus frame and the pressed look of a push button, without
// its text.
QStyleOptionButton BareButtonOption(const QPushButton& button) {
  QStyleOptionButton option;
  option.initFrom(&button);
  option.features = QStyleOptionButton::None;
  if (button.isDown()) {
    option.state |= QStyle::State_Sunken;
  } else {
    option.state |= QStyle::State_Raised;
  }
  return option;
}

}  // namespace

QStringList CaptionLines(const QString& caption, const QFontMetrics& metrics, int width) {
  static const QRegularExpression kForcedBreak(QStringLiteral(" {2,}"));
  QStringList lines;
  for (const QString& part : caption.split(kForcedBreak, Qt::SkipEmptyParts)) {
    QString line;
    for (const QString& word : part.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
      const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
      if (line.isEmpty() || metrics.horizontalAdvance(longer) <= width) {
        line = longer;
      } else {
        lines << line;
        line = word;
      }
    }
    if (!line.isEmpty()) {
      lines << line;
    }
  }
  return lines;
}

CaptionButton::CaptionButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

QRect CaptionButton::CaptionArea() const {
  const QStyleOptionButton option = BareButtonOption(*this);
  return style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
}

void CaptionButton::SetDesignSize(QSize designSize) {
  designSize_ = designSize;
  updateGeometry();
}

QSize CaptionButton::FrameSize() const {
  QStyleOptionButton option = BareButtonOption(*this);
  option.rect = QRect(0, 0, 200, 200);
  const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
  return {option.rect.width() - area.width(), option.rect.height() - area.height()};
}

int CaptionButton::WidestWord() const {
  int widest = 0;
  for (const QString& word : text().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    widest = std::max(widest, fontMetrics().horizontalAdvance(word));
  }
  return widest;
}

QSize CaptionButton::sizeHint() const {
  const int width = std::max(designSize_.width(), WidestWord() + FrameSize().width());
  return {width, HeightAt(width)};
}

QSize CaptionButton::minimumSizeHint() const {
  // The narrowest width at which the caption keeps the height it has at its
  // design width, so that a narrower window never needs a taller button.
  const QSize preferred = sizeHint();
  const int singleLine = fontMetrics().horizontalAdvance(text().simplified()) + FrameSize().width();
  int width = WidestWord() + FrameSize().width();
  while (width < singleLine && HeightAt(width) > std::max(preferred.height(), HeightAt(singleLine))) {
    width += 2;
  }
  return {width, HeightAt(width)};
}

int CaptionButton::HeightAt(int width) const {
  const QSize frame = FrameSize();
  const QFontMetrics metrics = fontMetrics();
  const auto lines = static_cast<int>(CaptionLines(text(), metrics, width - frame.width()).size());
  return std::max(designSize_.height(), lines * metrics.lineSpacing() + frame.height());
}

void CaptionButton::paintEvent(QPaintEvent* /*event*/) {
  QStylePainter painter(this);
  const QStyleOptionButton option = BareButtonOption(*this);
  painter.drawControl(QStyle::CE_PushButton, option);
  const QRect area = CaptionArea();
  const QString shown = CaptionLines(text(), fontMetrics(), area.width()).join(QLatin1Char('\n'));
  style()->drawItemText(&painter, area, Qt::AlignCenter, palette(), isEnabled(), shown, QPalette::ButtonText);
}

ArrowButton::ArrowButton(const QString& caption, Direction direction, QWidget* parent)
    : QPushButton(caption, parent), direction_(direction) {}

void ArrowButton::paintEvent(QPaintEvent* /*event*/) {
  QStylePainter painter(this);
  const QStyleOptionButton option = BareButtonOption(*this);
  painter.drawControl(QStyle::CE_PushButton, option);

  // A shaft with a triangular head, about half the button's height, centred.
  const QRectF area = rect();
  const qreal headWidth = std::max<qreal>(7.0, area.width() * 0.5);
  const qreal headHeight = headWidth * 0.8;
  const qreal length = std::max(headHeight * 2.0, area.height() * 0.5);
  const qreal centreX = area.center().x() + 0.5;
  qreal tip = area.center().y() - length / 2.0;
  qreal tail = area.center().y() + length / 2.0;
  qreal headBase = tip + headHeight;
  if (direction_ == Direction::kDown) {
    std::swap(tip, tail);
    headBase = tip - headHeight;
  }

  QPainterPath head;
  head.moveTo(centreX, tip);
  head.lineTo(centreX - headWidth / 2.0, headBase);
  head.lineTo(centreX + headWidth / 2.0, headBase);
  head.closeSubpath();

  const QColor colour = palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(colour, 2.0, Qt::SolidLine, Qt::FlatCap));
  painter.drawLine(QPointF(centreX, headBase), QPointF(centreX, tail));
  painter.fillPath(head, colour);
}

}  // namespace quenby
