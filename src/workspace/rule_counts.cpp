// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/rule_counts.hpp"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <utility>

namespace quenby {

namespace {

// The room left between the counts and the edges of the list.
constexpr int kCountsMargin = 6;

}  // namespace

QString CountsText(const RuleEffect& effect) {
  if (effect.DidNothing()) {
    return QStringLiteral("did nothing");
  }
  QString text =
      QStringLiteral("%L1 changed, %L2 made, %L3 removed").arg(effect.changed).arg(effect.made).arg(effect.removed);
  if (effect.moved > 0) {
    text += QStringLiteral(", %L1 moved").arg(effect.moved);
  }
  return text;
}

RuleCountsDelegate::RuleCountsDelegate(QObject* parent) : TabStopDelegate(parent) {}

void RuleCountsDelegate::SetEffects(std::vector<RuleEffect> effects) {
  effects_ = std::move(effects);
}

const RuleEffect* RuleCountsDelegate::EffectOf(int row) const {
  return row >= 0 && static_cast<std::size_t>(row) < effects_.size() ? &effects_[static_cast<std::size_t>(row)]
                                                                     : nullptr;
}

QString RuleCountsDelegate::ToolTip(int row, const QString& line) const {
  const RuleEffect* effect = EffectOf(row);
  if (effect == nullptr) {
    return QStringLiteral("<p>%1</p>").arg(line.toHtmlEscaped());
  }
  const QString did = effect->DidNothing()
                          ? QStringLiteral(
                                "In the last run this rule did nothing: it changed, made, removed and "
                                "moved no line.")
                          : QStringLiteral("In the last run this rule left lines so: %1.").arg(CountsText(*effect));
  return QStringLiteral("<p>%1</p><p>%2</p>").arg(line.toHtmlEscaped(), did);
}

void RuleCountsDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const RuleEffect* effect = EffectOf(index.row());
  if (effect == nullptr) {
    TabStopDelegate::paint(painter, option, index);
    return;
  }
  QStyleOptionViewItem item = option;
  if (effect->DidNothing()) {
    item.font.setItalic(true);
    item.palette.setColor(QPalette::Text, item.palette.color(QPalette::Disabled, QPalette::Text));
  }
  TabStopDelegate::paint(painter, item, index);

  // The counts stand at the right of the visible part of the row, over the
  // rule's text where it is long, on the row's own background.
  const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
  const int right =
      view != nullptr ? std::min(option.rect.right(), view->viewport()->width() - 1) : option.rect.right();
  const QString counts = CountsText(*effect);
  const QFontMetrics metrics(item.font);
  const int width = metrics.horizontalAdvance(counts) + 2 * kCountsMargin;
  const QRect box(std::max(option.rect.left(), right - width + 1), option.rect.top(), width, option.rect.height());
  const bool selected = (option.state & QStyle::State_Selected) != 0;
  painter->save();
  painter->fillRect(box, selected ? option.palette.brush(QPalette::Highlight) : option.palette.brush(QPalette::Base));
  QColor pen = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
  pen.setAlphaF(0.7F);
  painter->setPen(pen);
  painter->setFont(item.font);
  painter->drawText(box.adjusted(kCountsMargin, 0, -kCountsMargin, 0), Qt::AlignRight | Qt::AlignVCenter, counts);
  painter->restore();
}

bool RuleCountsDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) {
  if (event->type() != QEvent::ToolTip || !index.isValid() || EffectOf(index.row()) == nullptr) {
    return TabStopDelegate::helpEvent(event, view, option, index);
  }
  QToolTip::showText(event->globalPos(), ToolTip(index.row(), index.data(Qt::DisplayRole).toString()), view);
  return true;
}

}  // namespace quenby
