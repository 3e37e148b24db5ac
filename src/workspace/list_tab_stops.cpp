// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/list_tab_stops.hpp"

#include <QApplication>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QListWidget>
#include <QPainter>
#include <QStyle>
#include <QToolTip>
#include <algorithm>
#include <utility>

namespace quenby {

namespace {

// Without stops, and beyond the last stop, tabs advance by a list box's
// default spacing of eight average characters.
constexpr int kDefaultTabUnits = 32;

// Rows leave room below the text, so that the underscores of the field
// markers ("|_B_") are not cut off by the row below.
constexpr int kRowPadding = 3;

int UnitsToPixels(int units, int averageCharWidth) {
  return (units * averageCharWidth + 2) / 4;
}

// The first stop to the right of `x`, in pixels.
int NextStop(int x, const std::vector<int>& stops, int averageCharWidth) {
  for (const int stop : stops) {
    const int pixels = UnitsToPixels(stop, averageCharWidth);
    if (pixels > x) {
      return pixels;
    }
  }
  const int last = stops.empty() ? 0 : UnitsToPixels(stops.back(), averageCharWidth);
  const int step = std::max(1, UnitsToPixels(kDefaultTabUnits, averageCharWidth));
  return last + ((x - last) / step + 1) * step;
}

const QStyle* StyleOf(const QWidget* widget) {
  return widget != nullptr ? widget->style() : QApplication::style();
}

// The gap the list leaves between an item's edge and its text.
int TextMargin(const QWidget* widget) {
  return StyleOf(widget)->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
}

// A middle dot, in a dimmer shade of the text's colour, centred on each space
// at the ends of `piece`; the text keeps its width.
void DrawSpaceMarks(QPainter& painter, const QRect& pieceRect, const QString& piece, const QFontMetrics& metrics) {
  const std::vector<qsizetype> spaces = EdgeSpaces(piece);
  if (spaces.empty()) {
    return;
  }
  painter.save();
  QColor dim = painter.pen().color();
  dim.setAlphaF(0.45F);
  painter.setPen(dim);
  const QChar mark(0x00B7);
  const int markWidth = metrics.horizontalAdvance(mark);
  const int spaceWidth = metrics.horizontalAdvance(QLatin1Char(' '));
  for (const qsizetype space : spaces) {
    const int x = pieceRect.left() + metrics.horizontalAdvance(piece.left(space)) + (spaceWidth - markWidth) / 2;
    painter.drawText(QRect(x, pieceRect.top(), markWidth, pieceRect.height()), Qt::AlignLeft | Qt::AlignVCenter,
                     QString(mark));
  }
  painter.restore();
}

}  // namespace

TabStopDelegate::TabStopDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

void TabStopDelegate::SetStops(std::vector<int> stops) {
  stops_ = std::move(stops);
}

std::vector<int> TabStopDelegate::PieceOffsets(const QString& text, const QFontMetrics& metrics) const {
  std::vector<int> offsets;
  int x = 0;
  const QStringList pieces = text.split(QLatin1Char('\t'));
  for (qsizetype i = 0; i < pieces.size(); ++i) {
    if (i > 0) {
      x = NextStop(x, stops_, metrics.averageCharWidth());
    }
    offsets.push_back(x);
    x += metrics.horizontalAdvance(pieces[i]);
  }
  return offsets;
}

int TabStopDelegate::NextStopAfter(int x, const QFontMetrics& metrics) const {
  return NextStop(x, stops_, metrics.averageCharWidth());
}

void TabStopDelegate::SetMarkEdgeSpaces(bool mark) {
  markEdgeSpaces_ = mark;
}

std::vector<qsizetype> EdgeSpaces(const QString& piece) {
  std::vector<qsizetype> spaces;
  qsizetype start = 0;
  while (start < piece.size() && piece[start] == QLatin1Char(' ')) {
    spaces.push_back(start++);
  }
  qsizetype end = piece.size();
  while (end > start && piece[end - 1] == QLatin1Char(' ')) {
    --end;
  }
  for (qsizetype i = end; i < piece.size(); ++i) {
    spaces.push_back(i);
  }
  return spaces;
}

void TabStopDelegate::SetRowWidth(int width) {
  rowWidth_ = width;
}

void TabStopDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QStyleOptionViewItem item = option;
  initStyleOption(&item, index);
  const QString text = item.text;
  item.text.clear();
  const QWidget* widget = option.widget;
  StyleOf(widget)->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

  const QRect textRect = StyleOf(widget)->subElementRect(QStyle::SE_ItemViewItemText, &item, widget);
  const int margin = TextMargin(widget);
  const QPalette::ColorGroup group = (item.state & QStyle::State_Enabled) != 0 ? QPalette::Normal : QPalette::Disabled;
  const QPalette::ColorRole role =
      (item.state & QStyle::State_Selected) != 0 ? QPalette::HighlightedText : QPalette::Text;

  painter->save();
  painter->setClipRect(textRect);
  painter->setFont(item.font);
  painter->setPen(item.palette.color(group, role));
  const QFontMetrics metrics(item.font);
  const std::vector<int> offsets = PieceOffsets(text, metrics);
  const QStringList pieces = text.split(QLatin1Char('\t'));
  for (qsizetype i = 0; i < pieces.size(); ++i) {
    const QRect pieceRect = textRect.adjusted(margin + offsets[static_cast<std::size_t>(i)], 0, 0, 0);
    painter->drawText(pieceRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, pieces[i]);
    if (markEdgeSpaces_) {
      DrawSpaceMarks(*painter, pieceRect, pieces[i], metrics);
    }
  }
  painter->restore();
}

QSize TabStopDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  // The width is where the last piece ends.
  QSize size = QStyledItemDelegate::sizeHint(option, index);
  QStyleOptionViewItem item = option;
  initStyleOption(&item, index);
  const int margin = TextMargin(option.widget);
  const QFontMetrics metrics(item.font);
  const QString lastPiece = item.text.mid(item.text.lastIndexOf(QLatin1Char('\t')) + 1);
  size.setWidth(PieceOffsets(item.text, metrics).back() + metrics.horizontalAdvance(lastPiece) + 2 * margin);
  size.setWidth(std::max(size.width(), rowWidth_));
  size.setHeight(std::max(size.height(), metrics.height() + kRowPadding));
  return size;
}

bool TabStopDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                                const QModelIndex& index) {
  if (event->type() != QEvent::ToolTip || !index.isValid()) {
    return QStyledItemDelegate::helpEvent(event, view, option, index);
  }
  // Rich text, so that a long line wraps inside the tip.
  const QString line = index.data(Qt::DisplayRole).toString();
  QToolTip::showText(event->globalPos(), QStringLiteral("<p>%1</p>").arg(line.toHtmlEscaped()), view);
  return true;
}

void MarkEdgeSpaces(QListWidget* list) {
  if (auto* delegate = qobject_cast<TabStopDelegate*>(list->itemDelegate())) {
    delegate->SetMarkEdgeSpaces(true);
    list->viewport()->update();
  }
}

void SetListTabStops(QListWidget* list, const std::vector<int>& stops) {
  auto* delegate = qobject_cast<TabStopDelegate*>(list->itemDelegate());
  if (delegate == nullptr) {
    delegate = new TabStopDelegate(list);
    list->setItemDelegate(delegate);
  }
  delegate->SetStops(stops);
  list->viewport()->update();
}

void FitRowsToWidestItem(QListWidget* list) {
  auto* delegate = qobject_cast<TabStopDelegate*>(list->itemDelegate());
  if (delegate == nullptr) {
    return;
  }
  // Shaping every line of a long list would take seconds: the widths add up
  // the advance of each character instead, which is at most a few pixels off
  // the shaped width, and those pixels are left to spare.
  const QFontMetrics metrics(list->font());
  std::vector<int> advances(0x10000, -1);
  const auto advance = [&](QChar c) {
    int& known = advances[c.unicode()];
    if (known < 0) {
      known = c.isSurrogate() ? metrics.averageCharWidth() : metrics.horizontalAdvance(c);
    }
    return known;
  };
  int widest = 0;
  for (int i = 0; i < list->count(); ++i) {
    int x = 0;
    for (const QChar c : list->item(i)->text()) {
      x = c == QLatin1Char('\t') ? delegate->NextStopAfter(x, metrics) : x + advance(c);
    }
    widest = std::max(widest, x);
  }
  delegate->SetRowWidth(widest + 2 * TextMargin(list) + metrics.averageCharWidth());
  list->doItemsLayout();
}

}  // namespace quenby
