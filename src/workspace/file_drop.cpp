// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/file_drop.hpp"

#include <QDropEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QUrl>

#include "workspace/command_line.hpp"
#include "workspace/frmQuenby.hpp"

namespace quenby {

namespace {

// The one local file a drag carries, or the empty string.
QString DroppedFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) {
    return {};
  }
  const QUrl url = data->urls().first();
  return url.isLocalFile() ? url.toLocalFile() : QString();
}

}  // namespace

FileDrop::FileDrop(frmQuenby& window) : QObject(&window), window_(window) {
  window.setAcceptDrops(true);
  window.installEventFilter(this);
  for (QPlainTextEdit* box : {window.txtInput, window.txtINDI, window.txtFAM}) {
    box->viewport()->installEventFilter(this);
  }
}

bool FileDrop::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (DroppedFile(drag->mimeData()).isEmpty()) {
        break;
      }
      drag->acceptProposedAction();
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      const QString file = DroppedFile(drop->mimeData());
      if (file.isEmpty()) {
        break;
      }
      drop->acceptProposedAction();
      if (IsRulesFileName(file)) {
        window_.LoadRules(file);
      } else {
        window_.OpenText(file);
      }
      return true;
    }
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace quenby
