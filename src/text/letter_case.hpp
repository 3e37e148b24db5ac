// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Capital and small letters of UTF-8 text: the Latin letters with their
// accented forms (Latin-1, Latin Extended-A, the common letters of Latin
// Extended-B such as Romanian "Ș", and Latin Extended Additional such as
// Vietnamese "Ạ"), Greek, Cyrillic and Armenian. Other characters, and
// bytes that are no UTF-8, pass unchanged. Each character maps on its own
// (no language rules: "I" is "i" in every text), except that "ß" becomes
// "SS" in capitals, as a name written in capitals spells it.

#include <string>
#include <string_view>

namespace quenby {

std::string ToUpperCase(std::string_view text);
std::string ToLowerCase(std::string_view text);

// The first letter of each word a capital, the others small:
// "JOHN3 GURNEY" becomes "John3 Gurney", "O'NEIL-SMITH" "O'Neil-Smith".
// A word is a run of letters and digits (with the accents that follow a
// letter); any other character, an apostrophe or a hyphen too, ends it.
std::string ToTitleCase(std::string_view text);

// The text with case differences removed, for comparing names regardless of
// case: two texts that differ only in capitals and small letters give the
// same result ("STRAUSS" and "Strauß", "ÉMILE" and "émile").
std::string FoldCase(std::string_view text);

}  // namespace quenby
