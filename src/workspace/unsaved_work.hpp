// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Keeps track of the work that a load or a close would lose: a rule list
// changed since it was last loaded or saved, and generated records not saved
// since they were made or edited. Before such work is lost the user is asked
// "Save the changes ...?" with Save, Discard and Cancel.

#include <QObject>
#include <QString>
#include <functional>

class QListWidget;
class QPlainTextEdit;
class QWidget;

namespace quenby {

class Modal;

class UnsavedWork : public QObject {
  Q_OBJECT

 public:
  UnsavedWork(QListWidget& rules, QPlainTextEdit& indi, QPlainTextEdit& fam, QObject* parent);

  // The rule list as it stands was loaded or saved.
  void RulesSaved();
  // The generated records as they stand were saved.
  void RecordsSaved();
  // The generated records hold something not saved.
  bool RecordsUnsaved() const { return recordsChanged_; }

  // True when the rules may be replaced or dropped: unchanged, saved through
  // `save` (which tells whether it saved), or discarded. False on Cancel.
  bool MayDropRules(Modal& modal, QWidget* parent, const std::function<bool()>& save);
  bool MayDropRecords(Modal& modal, QWidget* parent, const std::function<bool()>& save);
  // The same, asked because an edit of the input text would discard them.
  bool MayEditInput(Modal& modal, QWidget* parent, const std::function<bool()>& save);

 signals:
  // Whether any work is unsaved, told whenever that may have changed.
  void Changed(bool unsaved);

 private:
  void SetChanged(bool rules, bool records);

  QPlainTextEdit& indi_;
  QPlainTextEdit& fam_;
  bool rulesChanged_ = false;
  bool recordsChanged_ = false;
};

}  // namespace quenby
