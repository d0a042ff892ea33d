#pragma once
// Move numbers drawn from pre-drawn digits, so that painting a board of ten
// thousand numbered cells draws no text and allocates nothing per cell. On a
// high-density screen the digits are drawn at its resolution, in a font as
// many times larger as the screen has pixels per logical pixel.

#include <QFont>
#include <QImage>
#include <QRgb>

class QPainter;

class TDigitSprites {
public:
  void SetFont(const QFont& font);
  // Device pixels per logical pixel of the picture the numbers are drawn on.
  void SetRatio(qreal ratio);

  // Draws value in decimal with the text's top-left corner at (x, y), in
  // logical pixels, in the text colour on an opaque background of the back
  // colour. Returns the rectangle covered.
  QRect Draw(QPainter& painter, int x, int y, unsigned value, QRgb text, QRgb back);

  // The rectangle a number would cover, without drawing it.
  QRect Extent(int x, int y, unsigned value);

private:
  struct TStrip {
    QRgb Text = 0;
    QRgb Back = 0;
    QImage Digits;  // the ten digits side by side, in device pixels
  };
  void Forget();
  void Measure();
  const TStrip& StripFor(QRgb text, QRgb back);
  // Device pixels to logical ones.
  QRectF Logical(int x, int y, int width) const;

  QFont FFont;
  qreal FRatio = 1;
  QFont FDeviceFont;    // FFont scaled by FRatio
  bool FMeasured = false;
  // In device pixels:
  int FAdvance[10] = {};
  int FLeft[10] = {};   // where each digit starts in a strip
  int FHeight = 0;
  int FAscent = 0;
  TStrip FStrips[4];    // the last colour pairs used; a board needs two
  int FNextStrip = 0;
};
