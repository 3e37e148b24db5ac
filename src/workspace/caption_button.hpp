// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Buttons of the main window whose captions span several lines. text() keeps
// the exact caption, spaces included; only the painting lays it out.

#include <QPushButton>
#include <QString>
#include <QStringList>

class QFontMetrics;

namespace quenby {

// The lines a caption shows in `width` pixels. The captions are padded with
// runs of spaces where they are meant to wrap ("       Edit         (or
// delete)"), so a run of two or more spaces always ends a line; a line that is
// still too wide wraps between words. Lines carry no leading or trailing
// spaces.
QStringList CaptionLines(const QString& caption, const QFontMetrics& metrics, int width);

// A push button that paints its caption lines centred, one under the other.
class CaptionButton : public QPushButton {
  Q_OBJECT

 public:
  CaptionButton(const QString& caption, QWidget* parent);

  // Where the caption is painted, inside the button's frame.
  QRect CaptionArea() const;

  // The size the button is laid out at: `designSize`, grown where the font
  // needs it, so that the caption is never cut off.
  void SetDesignSize(QSize designSize);
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // The button's frame around the caption area.
  QSize FrameSize() const;
  int WidestWord() const;
  // The height the caption needs at `width`, at least the design height.
  int HeightAt(int width) const;

  QSize designSize_;
};

// A narrow button whose caption ("^    |  " or "|    v  ") stands for an
// arrow; it paints a drawn arrow instead of the caret, bar and v.
class ArrowButton : public QPushButton {
  Q_OBJECT

 public:
  enum class Direction { kUp, kDown };

  ArrowButton(const QString& caption, Direction direction, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Direction direction_;
};

}  // namespace quenby
