#pragma once
// Move numbers drawn from pre-drawn digits, so that painting a board of ten
// thousand numbered cells draws no text and allocates nothing per cell.

#include <QFont>
#include <QImage>
#include <QRgb>

class QPainter;

class TDigitSprites {
public:
  void SetFont(const QFont& font);

  // Draws value in decimal with the text's top-left corner at (x, y), in the
  // text colour on an opaque background of the back colour. Returns the
  // rectangle covered.
  QRect Draw(QPainter& painter, int x, int y, unsigned value, QRgb text, QRgb back);

  // The rectangle a number would cover, without drawing it.
  QRect Extent(int x, int y, unsigned value);

private:
  struct TStrip {
    QRgb Text = 0;
    QRgb Back = 0;
    QImage Digits;  // the ten digits side by side
  };
  void Measure();
  const TStrip& StripFor(QRgb text, QRgb back);

  QFont FFont;
  bool FMeasured = false;
  int FAdvance[10] = {};
  int FLeft[10] = {};   // where each digit starts in a strip
  int FHeight = 0;
  int FAscent = 0;
  TStrip FStrips[4];    // the last colour pairs used; a board needs two
  int FNextStrip = 0;
};
