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

}  // namespace

void GedcomText::Grow(std::size_t more) {
  capacity_ = std::max({capacity_ * 2, size_ + more, std::size_t{4096}});
  auto grown = std::make_unique_for_overwrite<char[]>(capacity_);
  if (size_ > 0) {
    std::memcpy(grown.get(), data_.get(), size_);
  }
  data_ = std::move(grown);
}

void GedcomText::AppendLine(std::string_view head, std::string_view piece) {
  Append(head);
  if (!piece.empty()) {
    Append(" ");
    Append(piece);
  }
  Append(kCrLf);
}

// One line of the value (no line break in it) after `head`, continued on
// CONC lines in 5.5.1.
void GedcomText::AppendPiece(std::string_view head, std::string_view piece, std::string_view concHead,
                             GedcomVersion version) {
  if (version == GedcomVersion::k70) {
    AppendLine(head, piece);
    return;
  }
  // A head too long for any value is not made longer by cutting.
  const std::size_t room = kLongestGedcomLine - std::min(kLongestGedcomLine - 1, head.size() + 1);
  const std::size_t cut = CutWithin(piece, room);
  AppendLine(head, piece.substr(0, cut));
  piece.remove_prefix(cut);
  const std::size_t concRoom = kLongestGedcomLine - concHead.size() - 1;
  while (!piece.empty()) {
    const std::size_t next = CutWithin(piece, concRoom);
    AppendLine(concHead, piece.substr(0, next));
    piece.remove_prefix(next);
  }
}

void GedcomText::AppendValueLines(int level, std::string_view xref, std::string_view tag, std::string_view value,
                                  GedcomVersion version) {
  if (value.find('\n') == std::string_view::npos) {
    AppendSingleLine(level, xref, tag, value, version);
  } else {
    AppendSplit(level, xref, tag, value, version);
  }
}

void GedcomText::AppendSingleLine(int level, std::string_view xref, std::string_view tag, std::string_view value,
                                  GedcomVersion version) {
  // Most values fit on their line: written in one piece, without building
  // the heads.
  const std::size_t headSize = 2 + (level > 9 ? 1 : 0) + (xref.empty() ? 0 : xref.size() + 3) + tag.size();
  if ((version != GedcomVersion::k70 && headSize + 1 + value.size() > kLongestGedcomLine) || level < 0 || level > 99) {
    AppendSplit(level, xref, tag, value, version);
    return;
  }
  const std::size_t size = headSize + (value.empty() ? 0 : 1 + value.size()) + kCrLf.size();
  char* at = Room(size);
  const auto put = [&at](std::string_view text) {
    std::memcpy(at, text.data(), text.size());
    at += text.size();
  };
  if (level > 9) {
    *at++ = static_cast<char>('0' + level / 10);
  }
  *at++ = static_cast<char>('0' + level % 10);
  *at++ = ' ';
  if (!xref.empty()) {
    *at++ = '@';
    put(xref);
    put("@ ");
  }
  put(tag);
  if (!value.empty()) {
    *at++ = ' ';
    put(value);
  }
  put(kCrLf);
  size_ += size;
}

void GedcomText::AppendPointer(int level, std::string_view tag, std::string_view xref) {
  const std::size_t size = (level > 9 ? 3 : 2) + tag.size() + xref.size() + 3 + kCrLf.size();
  char* at = Room(size);
  if (level > 9) {
    *at++ = static_cast<char>('0' + level / 10);
  }
  *at++ = static_cast<char>('0' + level % 10);
  *at++ = ' ';
  std::memcpy(at, tag.data(), tag.size());
  at += tag.size();
  *at++ = ' ';
  *at++ = '@';
  std::memcpy(at, xref.data(), xref.size());
  at += xref.size();
  *at++ = '@';
  std::memcpy(at, kCrLf.data(), kCrLf.size());
  size_ += size;
}

void GedcomText::AppendSplit(int level, std::string_view xref, std::string_view tag, std::string_view value,
                             GedcomVersion version) {
  std::string head = std::to_string(level) + " ";
  if (!xref.empty()) {
    head.append("@").append(xref).append("@ ");
  }
  head.append(tag);
  const std::string next = std::to_string(level + 1);
  const std::string contHead = next + " CONT";
  const std::string concHead = next + " CONC";
  std::size_t lineEnd = value.find('\n');
  AppendPiece(head, value.substr(0, lineEnd), concHead, version);
  while (lineEnd != std::string_view::npos) {
    value.remove_prefix(lineEnd + 1);
    lineEnd = value.find('\n');
    AppendPiece(contHead, value.substr(0, lineEnd), concHead, version);
  }
}

}  // namespace quenby
