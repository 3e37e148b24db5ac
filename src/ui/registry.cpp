// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/registry.hpp"

#include <QFileInfo>
#include <QLatin1String>
#include <QStandardPaths>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <array>
#include <cstring>
#endif

namespace quenby {
namespace {

#ifdef _WIN32

class WindowsRegistry final : public Registry {
 public:
  std::optional<RegistryValue> Query(const QString& keyName, const QString& valueName) const override {
    HKEY key = OpenKey(keyName);
    if (key == nullptr) {
      return std::nullopt;
    }
    std::array<char, 1024> buffer{};
    DWORD size = static_cast<DWORD>(buffer.size());
    DWORD type = 0;
    const QByteArray name = valueName.toLocal8Bit();
    const LONG status =
        RegQueryValueExA(key, name.constData(), nullptr, &type, reinterpret_cast<LPBYTE>(buffer.data()), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) {
      return std::nullopt;
    }
    RegistryValue value;
    value.type = type;
    if (type == REG_DWORD && size >= sizeof(DWORD)) {
      DWORD number = 0;
      std::memcpy(&number, buffer.data(), sizeof number);
      value.number = number;
    } else {
      value.text = QString::fromLocal8Bit(buffer.data(), static_cast<qsizetype>(size));
    }
    return value;
  }

  bool FileExists(const QString& path) const override { return QFileInfo(path).isFile(); }

 private:
  // The key is opened with the access the look-up has always asked for
  // (0x2003F: query, set, create sub-key, enumerate, notify, create link,
  // read control). That includes write access, which an ordinary user does
  // not have under HKEY_LOCAL_MACHINE; only reading is needed, so a key
  // refused that way is opened again for reading alone.
  static HKEY OpenKey(const QString& keyName) {
    const QByteArray name = keyName.toLocal8Bit();
    for (const REGSAM access : {static_cast<REGSAM>(0x2003F), static_cast<REGSAM>(KEY_READ)}) {
      HKEY key = nullptr;
      const LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, name.constData(), 0, access, &key);
      if (status == ERROR_SUCCESS) {
        return key;
      }
      if (status != ERROR_ACCESS_DENIED) {
        break;
      }
    }
    return nullptr;
  }
};

#else

// Without a registry, the first look-up answers with a system-information
// program found on the search path; the second never answers, as no folder
// holds the Windows tool.
class StandInRegistry final : public Registry {
 public:
  std::optional<RegistryValue> Query(const QString& keyName, const QString& valueName) const override {
    if (keyName.compare(QLatin1String(kSysInfoPathKey), Qt::CaseInsensitive) != 0 ||
        valueName.compare(QLatin1String(kSysInfoPathValue), Qt::CaseInsensitive) != 0) {
      return std::nullopt;
    }
    for (const char* program : {"hardinfo2", "hardinfo", "kinfocenter"}) {
      const QString path = QStandardPaths::findExecutable(QLatin1String(program));
      if (!path.isEmpty()) {
        return RegistryValue{kRegistryString, path, 0};
      }
    }
    return std::nullopt;
  }

  bool FileExists(const QString& path) const override { return QFileInfo(path).isFile(); }
};

#endif

}  // namespace

std::unique_ptr<Registry> MakeSystemRegistry() {
#ifdef _WIN32
  return std::make_unique<WindowsRegistry>();
#else
  return std::make_unique<StandInRegistry>();
#endif
}

bool GetKeyValue(const Registry& registry, const QString& keyName, const QString& valueName, QString& keyValue) {
  const std::optional<RegistryValue> value = registry.Query(keyName, valueName);
  if (!value) {
    keyValue.clear();
    return false;
  }
  if (value->type == kRegistryString) {
    keyValue = value->text.left(value->text.indexOf(QChar(u'\0')));
  } else if (value->type == kRegistryNumber) {
    // Neither look-up expects a number; one is given as unsigned decimal
    // text, the form a user would type it in.
    keyValue = QString::number(value->number);
  }
  return true;
}

}  // namespace quenby
