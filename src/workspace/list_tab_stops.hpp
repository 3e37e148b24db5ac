// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Tab stops for a list whose items hold TAB-separated pieces, such as the
// rule list: each piece is drawn at the next stop after the end of the piece
// before it. Stops are given in dialog template units, a quarter of the
// average character width of the list's font, so the columns follow the font.
// Without stops, and beyond the last one, a stop stands every 32 units (eight
// average characters), as in a list box that was given no stops.

#include <QStyledItemDelegate>
#include <vector>

class QFontMetrics;
class QListWidget;

namespace quenby {

class TabStopDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  explicit TabStopDelegate(QObject* parent);

  // Stops in dialog template units, in increasing order; none for the
  // default stops.
  void SetStops(std::vector<int> stops);

  // The left edge of each TAB-separated piece of `text`, in pixels from the
  // start of the item's text.
  std::vector<int> PieceOffsets(const QString& text, const QFontMetrics& metrics) const;

  // The first tab stop to the right of `x` pixels.
  int NextStopAfter(int x, const QFontMetrics& metrics) const;

  // Whether a dimmed dot marks each space at the start or end of a piece,
  // where it could not be seen otherwise. Only the drawing changes.
  void SetMarkEdgeSpaces(bool mark);

  // Every row at least this wide: a list of uniform rows takes its width
  // from one row, and must scroll to the end of its widest.
  void SetRowWidth(int width);

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  // An item's tool tip is its whole line, wrapped.
  bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                 const QModelIndex& index) override;

 private:
  std::vector<int> stops_;
  int rowWidth_ = 0;
  bool markEdgeSpaces_ = false;
};

// The positions of the spaces at the start and the end of `piece`, in order.
std::vector<qsizetype> EdgeSpaces(const QString& piece);

// Gives `list` tab stops at `stops` dialog template units; an empty `stops`
// gives it the default stops.
void SetListTabStops(QListWidget* list, const std::vector<int>& stops);

// Marks the spaces at the ends of each piece of `list` (given tab stops), as
// in the rule list, where a search text " b. " must not read as "b.".
void MarkEdgeSpaces(QListWidget* list);

// Lets `list` (given tab stops) scroll sideways to the end of its widest item.
void FitRowsToWidestItem(QListWidget* list);

}  // namespace quenby
