// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What each rule did in the last run, shown in the rule list: the counts of
// changed, made, removed (and moved) lines at the right of each rule, and in
// its tool tip under the rule's text. A rule that did nothing is drawn grey
// and italic and says so. The counts are kept beside the list, never in its
// items, whose texts are what Save Rules writes.

#include <vector>

#include "engine/engine.hpp"
#include "workspace/list_tab_stops.hpp"

namespace quenby {

// "2 changed, 1 made, 0 removed", with ", 3 moved" when lines were moved, or
// "did nothing".
QString CountsText(const RuleEffect& effect);

class RuleCountsDelegate : public TabStopDelegate {
  Q_OBJECT

 public:
  explicit RuleCountsDelegate(QObject* parent);

  // One effect per row, in list order; none shows no counts.
  void SetEffects(std::vector<RuleEffect> effects);
  // The effect whose counts `row` shows, or null when it shows none.
  const RuleEffect* EffectOf(int row) const;
  // The tool tip of `row` with the rule's text `line`.
  QString ToolTip(int row, const QString& line) const;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                 const QModelIndex& index) override;

 private:
  std::vector<RuleEffect> effects_;
};

}  // namespace quenby
