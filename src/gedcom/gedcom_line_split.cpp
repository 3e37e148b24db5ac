// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/gedcom_line_split.hpp"

#include <algorithm>

#include "text/encoding.hpp"
#include "text/text.hpp"

namespace quenby {
namespace {

void AppendLevel(std::string& out, int level) {
  if (level >= 0 && level < 10) {
    out += static_cast<char>('0' + level);
  } else {
    out += std::to_string(level);
  }
}

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

void AppendLine(std::string& out, std::string_view piece) {
  if (!piece.empty()) {
    out += ' ';
    out += piece;
  }
  out += kCrLf;
}

// One line of the value (no line break in it) after the head of `headSize`
// bytes just appended, continued on CONC lines of level `next` in 5.5.1.
void AppendPiece(std::string& out, std::size_t headSize, std::string_view piece, const std::string& next,
                 GedcomVersion version) {
  if (version == GedcomVersion::k70) {
    AppendLine(out, piece);
    return;
  }
  // The bytes a line may hold before its CR LF. A head too long for any
  // value is not made longer by cutting.
  constexpr std::size_t kLongest = kLongestGedcomLine - kCrLf.size();
  const std::size_t room = kLongest - std::min(kLongest - 1, headSize + 1);
  const std::size_t cut = CutWithin(piece, room);
  AppendLine(out, piece.substr(0, cut));
  piece.remove_prefix(cut);
  const std::size_t concRoom = kLongest - (next.size() + 5) - 1;
  while (!piece.empty()) {
    const std::size_t size = CutWithin(piece, concRoom);
    out += next;
    out += " CONC";
    AppendLine(out, piece.substr(0, size));
    piece.remove_prefix(size);
  }
}

}  // namespace

void AppendValueLines(std::string& out, int level, std::string_view xref, std::string_view tag, std::string_view value,
                      GedcomVersion version) {
  const std::size_t start = out.size();
  AppendLevel(out, level);
  out += ' ';
  if (!xref.empty()) {
    out += '@';
    out += xref;
    out += "@ ";
  }
  out += tag;
  std::size_t lineEnd = value.find('\n');
  // Most values fit on their line as they stand.
  if (lineEnd == std::string_view::npos &&
      (version == GedcomVersion::k70 || out.size() - start + 1 + value.size() + kCrLf.size() <= kLongestGedcomLine)) {
    AppendLine(out, value);
    return;
  }
  const std::string next = std::to_string(level + 1);
  AppendPiece(out, out.size() - start, value.substr(0, lineEnd), next, version);
  while (lineEnd != std::string_view::npos) {
    value.remove_prefix(lineEnd + 1);
    lineEnd = value.find('\n');
    out += next;
    out += " CONT";
    AppendPiece(out, next.size() + 5, value.substr(0, lineEnd), next, version);
  }
}

void AppendPointerLine(std::string& out, int level, std::string_view tag, std::string_view xref) {
  AppendLevel(out, level);
  out += ' ';
  out += tag;
  out += " @";
  out += xref;
  out += '@';
  out += kCrLf;
}

void AppendGedcomText(std::string& out, std::string_view raw, GedcomVersion version) {
  for (std::size_t at = 0;;) {
    const std::size_t lineBreak = raw.find('\n', at);
    const std::size_t start = out.size();
    AppendPrintable(out, raw.substr(at, lineBreak == std::string_view::npos ? lineBreak : lineBreak - at));
    if (version == GedcomVersion::k70) {
      if (out.size() > start && out[start] == '@') {
        out.insert(start, 1, '@');
      }
    } else if (out.find('@', start) != std::string::npos) {
      const std::string line = out.substr(start);
      out.resize(start);
      for (const char c : line) {
        out += c;
        if (c == '@') {
          out += '@';
        }
      }
    }
    if (lineBreak == std::string_view::npos) {
      return;
    }
    out += '\n';
    at = lineBreak + 1;
  }
}

void GedcomLines::Line(int level, std::string_view tag, std::string_view raw, std::string_view xref) {
  // Most values are printable ASCII without "@" and go out as they stand.
  if (std::all_of(raw.begin(), raw.end(), [](char c) { return c >= 0x20 && c < 0x7F && c != '@'; })) {
    AppendValueLines(text_, level, xref, tag, raw, version_);
    return;
  }
  value_.clear();
  AppendGedcomText(value_, raw, version_);
  AppendValueLines(text_, level, xref, tag, value_, version_);
}

}  // namespace quenby
