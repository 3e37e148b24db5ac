// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/gedcom_file.hpp"

#include <utility>

#include "text/encoding.hpp"
#include "text/file_io.hpp"

namespace quenby {
namespace {

constexpr std::string_view kHeader = "0 HEAD\r\n1 GEDC\r\n2 VERS 5.5.1\r\n2 Form LINEAGE - LINKED\r\n";
constexpr std::string_view kAnsiCharacterSet = "1 Char ANSI\r\n";
constexpr std::string_view kUtf8CharacterSet = "1 CHAR UTF-8\r\n";
constexpr std::string_view kTrailer = "0 @S1@ SOUR\r\n1 TITL Quenby\r\n\r\n0 TRLR\r\n";

// The records go in exactly as they stand, with nothing inserted between or
// after them: text the user typed without a final line break runs on into
// the source record.
std::string FileText(std::string_view indi, std::string_view fam, std::string_view characterSetLine) {
  std::string text;
  text.reserve(kHeader.size() + characterSetLine.size() + 2 + indi.size() + fam.size() + kTrailer.size());
  text.append(kHeader);
  text.append(characterSetLine);
  text.append("\r\n");
  text.append(indi);
  text.append(fam);
  text.append(kTrailer);
  return text;
}

}  // namespace

std::string GedcomFileText(std::string_view indi, std::string_view fam) {
  return FileText(indi, fam, kAnsiCharacterSet);
}

std::string GedcomFileBytes(std::string_view indi, std::string_view fam) {
  EncodedText encoded = EncodeTextFile(GedcomFileText(indi, fam));
  if (!encoded.isUtf8) {
    return std::move(encoded.bytes);
  }
  // A character outside Windows-1252 (a Polish or Greek name) would be lost
  // in an ANSI file, so the file declares and holds UTF-8 instead.
  return FileText(indi, fam, kUtf8CharacterSet);
}

bool WriteGedcomFile(std::string_view utf8FileName, std::string_view indi, std::string_view fam, std::string& error) {
  return WriteFileAtomically(PathFromUtf8(utf8FileName), GedcomFileBytes(indi, fam), error);
}

}  // namespace quenby
