// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The registry look-ups that find the system-information tool. On Windows the
// real registry answers; elsewhere a stand-in answers the first look-up with
// the path of a system-information program installed on the system, or
// nothing.

#include <QString>
#include <memory>
#include <optional>

namespace quenby {

inline constexpr unsigned long kRegistryString = 1;  // REG_SZ
inline constexpr unsigned long kRegistryNumber = 4;  // REG_DWORD

// Where the system-information tool is looked up, under HKEY_LOCAL_MACHINE:
// first the tool's full path, then the folder that holds kSysInfoFileName.
inline constexpr const char* kSysInfoPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char* kSysInfoPathValue = "PATH";
inline constexpr const char* kSysInfoFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr const char* kSysInfoFolderValue = "MSINFO";
inline constexpr const char* kSysInfoFileName = "\\MSINFO32.EXE";

struct RegistryValue {
  unsigned long type = kRegistryString;
  QString text;              // for a string value
  unsigned long number = 0;  // for a number value
};

class Registry {
 public:
  virtual ~Registry() = default;
  // The value `valueName` of the key `keyName` under HKEY_LOCAL_MACHINE, or
  // nothing when the key cannot be opened or the value cannot be read.
  virtual std::optional<RegistryValue> Query(const QString& keyName, const QString& valueName) const = 0;
  // Whether a file exists (the second look-up checks for the tool's file).
  virtual bool FileExists(const QString& path) const = 0;
};

std::unique_ptr<Registry> MakeSystemRegistry();

// Reads a value as the About box does: true when the value was read; a
// string gives its text up to the first zero character, a number a decimal
// text, any other type leaves `keyValue` as the caller passed it.
bool GetKeyValue(const Registry& registry, const QString& keyName, const QString& valueName, QString& keyValue);

}  // namespace quenby
