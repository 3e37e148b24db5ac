// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/gedcom_line_split.hpp"

#include <algorithm>

#include "text/text.hpp"

namespace quenby {
namespace {

bool IsContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

bool IsGoodCut(std::string_view text, std::size_t cut) {
  const char before = text[cut - 1];
  const char after = text[cut];
  return !IsContinuationByte(after) && before != ' ' && after != ' ' && !(before == '@' && after == '@');
}

// Where to end the piece of `text` that may hold at most `room` bytes.
std::size_t CutWithin(std::string_view text, std::size_t room) {
  if (text.size() <= room) {
    return text.size();
  }
  for (std::size_t cut = room; cut > 0; --cut) {
    if (IsGoodCut(text, cut)) {
      return cut;
    }
  }
  std::size_t cut = room;
  while (cut > 1 && IsContinuationByte(text[cut])) {
    --cut;
  }
  return cut;
}

void AppendLine(std::string& out, std::string_view head, std::string_view piece) {
  out.append(head);
  if (!piece.empty()) {
    out.push_back(' ');
    out.append(piece);
  }
  out.append(kCrLf);
}

// One line of the value (no line break in it) after `head`, continued on
// CONC lines in 5.5.1.
void AppendPiece(std::string& out, std::string_view head, std::string_view piece, std::string_view concHead,
                 GedcomVersion version) {
  if (version == GedcomVersion::k70) {
    AppendLine(out, head, piece);
    return;
  }
  // A head too long for any value is not made longer by cutting.
  const std::size_t room = kLongestGedcomLine - std::min(kLongestGedcomLine - 1, head.size() + 1);
  const std::size_t cut = CutWithin(piece, room);
  AppendLine(out, head, piece.substr(0, cut));
  piece.remove_prefix(cut);
  const std::size_t concRoom = kLongestGedcomLine - concHead.size() - 1;
  while (!piece.empty()) {
    const std::size_t next = CutWithin(piece, concRoom);
    AppendLine(out, concHead, piece.substr(0, next));
    piece.remove_prefix(next);
  }
}

}  // namespace

void AppendValueLines(std::string& out, int level, std::string_view xref, std::string_view tag, std::string_view value,
                      GedcomVersion version) {
  // Most values fit on their line: written without building the heads.
  const std::size_t headSize = 2 + (level > 9 ? 1 : 0) + (xref.empty() ? 0 : xref.size() + 3) + tag.size();
  if (value.find('\n') == std::string_view::npos &&
      (version == GedcomVersion::k70 || headSize + 1 + value.size() <= kLongestGedcomLine) && level >= 0 &&
      level < 100) {
    if (level > 9) {
      out.push_back(static_cast<char>('0' + level / 10));
    }
    out.push_back(static_cast<char>('0' + level % 10));
    out.push_back(' ');
    if (!xref.empty()) {
      out.push_back('@');
      out.append(xref);
      out.append("@ ");
    }
    out.append(tag);
    if (!value.empty()) {
      out.push_back(' ');
      out.append(value);
    }
    out.append(kCrLf);
    return;
  }
  std::string head = std::to_string(level) + " ";
  if (!xref.empty()) {
    head.append("@").append(xref).append("@ ");
  }
  head.append(tag);
  const std::string next = std::to_string(level + 1);
  const std::string contHead = next + " CONT";
  const std::string concHead = next + " CONC";
  std::size_t lineEnd = value.find('\n');
  AppendPiece(out, head, value.substr(0, lineEnd), concHead, version);
  while (lineEnd != std::string_view::npos) {
    value.remove_prefix(lineEnd + 1);
    lineEnd = value.find('\n');
    AppendPiece(out, contHead, value.substr(0, lineEnd), concHead, version);
  }
}

}  // namespace quenby
