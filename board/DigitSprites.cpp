#include "board/DigitSprites.h"

#include <QFontMetrics>
#include <QPainter>

void TDigitSprites::SetFont(const QFont& font)
{
  if (FMeasured && font == FFont)
    return;
  FFont = font;
  Forget();
}

void TDigitSprites::SetRatio(qreal ratio)
{
  if (ratio == FRatio)
    return;
  FRatio = ratio;
  Forget();
}

void TDigitSprites::Forget()
{
  FMeasured = false;
  for (TStrip& strip : FStrips)
    strip.Digits = QImage();
}

void TDigitSprites::Measure()
{
  // The glyphs are rasterised at the device's size, not enlarged afterwards.
  FDeviceFont = FFont;
  if (FFont.pixelSize() > 0)
    FDeviceFont.setPixelSize(qRound(FFont.pixelSize() * FRatio));
  else
    FDeviceFont.setPointSizeF(FFont.pointSizeF() * FRatio);
  const QFontMetrics metrics(FDeviceFont);
  int left = 0;
  for (int d = 0; d < 10; ++d) {
    FLeft[d] = left;
    FAdvance[d] = metrics.horizontalAdvance(QChar(u'0' + d));
    left += FAdvance[d];
  }
  FHeight = metrics.height();
  FAscent = metrics.ascent();
  FMeasured = true;
}

const TDigitSprites::TStrip& TDigitSprites::StripFor(QRgb text, QRgb back)
{
  for (const TStrip& strip : FStrips)
    if (!strip.Digits.isNull() && strip.Text == text && strip.Back == back)
      return strip;
  TStrip& strip = FStrips[FNextStrip];
  FNextStrip = (FNextStrip + 1) % 4;
  strip.Text = text;
  strip.Back = back;
  strip.Digits = QImage(FLeft[9] + FAdvance[9], FHeight, QImage::Format_ARGB32_Premultiplied);
  strip.Digits.fill(back);
  QPainter painter(&strip.Digits);
  painter.setFont(FDeviceFont);
  painter.setPen(QColor::fromRgb(text));
  for (int d = 0; d < 10; ++d)
    painter.drawText(FLeft[d], FAscent, QString(QChar(u'0' + d)));
  return strip;
}

QRectF TDigitSprites::Logical(int x, int y, int width) const
{
  return QRectF(x, y, width / FRatio, FHeight / FRatio);
}

QRect TDigitSprites::Extent(int x, int y, unsigned value)
{
  if (!FMeasured)
    Measure();
  int width = 0;
  do {
    width += FAdvance[value % 10];
    value /= 10;
  } while (value != 0);
  return Logical(x, y, width).toAlignedRect();
}

QRect TDigitSprites::Draw(QPainter& painter, int x, int y, unsigned value, QRgb text, QRgb back)
{
  if (!FMeasured)
    Measure();
  char digits[10];
  int count = 0;
  do {
    digits[count++] = static_cast<char>(value % 10);
    value /= 10;
  } while (value != 0);
  const TStrip& strip = StripFor(text, back);
  // Positions are counted in device pixels, so that on a picture of the same
  // ratio every digit is copied pixel for pixel.
  int offset = 0;
  while (count > 0) {
    const int d = digits[--count];
    const QRectF target = Logical(0, y, FAdvance[d]).translated(x + offset / FRatio, 0);
    painter.drawImage(target, strip.Digits, QRectF(FLeft[d], 0, FAdvance[d], FHeight));
    offset += FAdvance[d];
  }
  return Logical(x, y, offset).toAlignedRect();
}
