// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The text primitives every rule, the parser and the record builders share.
// Searches are exact and case-sensitive, trimming removes spaces only (never
// tabs, CR or LF), and a line break is the pair CR LF. Strings are UTF-8;
// positions are byte offsets counted from 0 and std::string_view::npos means
// "no occurrence". Every search text the system uses starts and ends on a
// character boundary, so byte offsets cut UTF-8 text only between characters.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quenby {

inline constexpr std::string_view kCrLf = "\r\n";
inline constexpr std::size_t kNoOccurrence = std::string_view::npos;

// Removes the spaces at both ends.
std::string_view TrimView(std::string_view text);
std::string Trim(std::string_view text);

// The first occurrence of `search`. An empty search text occurs first at the
// start of every non-empty text; an empty text contains no search text at all.
std::size_t FindFirst(std::string_view text, std::string_view search);

// The last occurrence of `search`. An empty search text occurs last at the end
// of every non-empty text (offset text.size()), mirroring FindFirst: every
// line both starts and ends with the empty search text. An empty text has no
// occurrence.
std::size_t FindLast(std::string_view text, std::string_view search);

// Replaces every occurrence from left to right without overlap; the
// replacement is never searched again. An empty search text changes nothing.
std::string ReplaceAll(std::string_view text, std::string_view search, std::string_view replacement);

// The size of ReplaceAll's result, counted without making it.
std::size_t ReplaceAllSize(std::string_view text, std::string_view search, std::string_view replacement);

bool StartsWith(std::string_view text, std::string_view prefix);
bool EndsWith(std::string_view text, std::string_view suffix);

// The number of characters (code points) of UTF-8 text. Every byte that does
// not continue a character counts as one, so text that is not valid UTF-8
// still gets a count no larger than its length.
std::size_t CharacterCount(std::string_view text);

// The byte offset at which character `index` (counted from 0) starts, or
// text.size() when the text has no more than `index` characters.
std::size_t OffsetOfCharacter(std::string_view text, std::size_t index);

// Cuts `text` at every occurrence of the non-empty `separator`; n separators
// give n + 1 pieces, so an empty text gives one empty piece.
std::vector<std::string> SplitOn(std::string_view text, std::string_view separator);

// The window's text boxes hold LF line breaks; the system reads and writes
// their text with CR LF (every LF becomes CR LF, every CR LF becomes LF).
std::string LfToCrLf(std::string_view text);
std::string CrLfToLf(std::string_view text);

// Any line break (CR LF, LF or a lone CR) becomes CR LF, as pasting a file's
// text into the input box would give.
std::string NormaliseLineBreaks(std::string_view text);

}  // namespace quenby
