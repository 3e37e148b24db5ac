// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// File dialog filters are kept in the "Description|pattern|Description|pattern"
// form of the rules and GEDCOM dialogs; Qt's file dialog wants one name filter
// per entry with its patterns in parentheses.

#include <QString>
#include <QStringList>

namespace quenby {

// "Quenby Rules (*.rules)|*.rules|All Files (*.*)|*.*" gives
// "Quenby Rules (*.rules)" and "All Files (*.*)". A description that does not
// end with its patterns in parentheses gets them appended; patterns separated
// by ";" are separated by spaces. A description without a pattern is dropped.
QStringList QtNameFilters(const QString& filter);

// `fileName` with `extension` (".ged") added when its last part has no
// extension: no "." after its first character. Unchanged otherwise, and for
// an empty `extension`.
QString WithExtension(const QString& fileName, const QString& extension);

}  // namespace quenby
