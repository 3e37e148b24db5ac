// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What every window of the program shares: layouts given in twips, and text
// passed to and from the core as UTF-8.

#include <QSize>
#include <QString>
#include <string>
#include <string_view>

namespace quenby {

// At 96 dots per inch, 15 twips make one pixel.
inline constexpr int kTwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips) {
  return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

inline QSize TwipsSize(int width, int height) {
  return {TwipsToPixels(width), TwipsToPixels(height)};
}

inline QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToUtf8(const QString& text) {
  return text.toStdString();
}

}  // namespace quenby
