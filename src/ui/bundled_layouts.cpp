// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/bundled_layouts.hpp"

#include <QFile>

#include "text/file_io.hpp"
#include "text/text.hpp"
#include "ui/qt_support.hpp"

namespace quenby {

namespace {

// The name under which a built-in file is read and named in messages.
QString ResourceName(std::string_view fileName) {
  return QStringLiteral(":/layouts/") + FromUtf8(fileName);
}

std::optional<std::string> ResourceBytes(const QString& name) {
  QFile file(name);
  if (!file.open(QIODevice::ReadOnly)) {
    return std::nullopt;
  }
  const QByteArray bytes = file.readAll();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace

std::vector<LayoutEntry> BundledLayouts() {
  const auto list = ResourceBytes(ResourceName("layouts.tsv"));
  return list ? ParseLayoutList(*list) : std::vector<LayoutEntry>();
}

LoadedRules BundledRules(std::string_view stem) {
  const QString name = ResourceName(std::string(stem) + ".rules");
  const auto bytes = ResourceBytes(name);
  if (!bytes) {
    LoadedRules missing;
    missing.status = LoadStatus::kUnreadable;
    missing.error = FileMessage(ToUtf8(name), "is not built into this program");
    return missing;
  }
  return RulesFromFileBytes(*bytes, ToUtf8(name));
}

std::optional<std::string> BundledExampleText(std::string_view stem, std::string& error) {
  const QString name = ResourceName(std::string(stem) + ".txt");
  const auto bytes = ResourceBytes(name);
  if (!bytes) {
    error = FileMessage(ToUtf8(name), "is not built into this program");
    return std::nullopt;
  }
  const auto text = DecodeNamedTextFile(*bytes, ToUtf8(name), error);
  if (!text) {
    return std::nullopt;
  }
  return NormaliseLineBreaks(*text);
}

}  // namespace quenby
