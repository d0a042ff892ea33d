#include "board/DigitSprites.h"

#include <QFontMetrics>
#include <QPainter>

void TDigitSprites::SetFont(const QFont& font)
{
  if (FMeasured && font == FFont)
    return;
  FFont = font;
  FMeasured = false;
  for (TStrip& strip : FStrips)
    strip.Digits = QImage();
}

void TDigitSprites::Measure()
{
  const QFontMetrics metrics(FFont);
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
  painter.setFont(FFont);
  painter.setPen(QColor::fromRgb(text));
  for (int d = 0; d < 10; ++d)
    painter.drawText(FLeft[d], FAscent, QString(QChar(u'0' + d)));
  return strip;
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
  return QRect(x, y, width, FHeight);
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
  int left = x;
  while (count > 0) {
    const int d = digits[--count];
    painter.drawImage(QPoint(left, y), strip.Digits, QRect(FLeft[d], 0, FAdvance[d], FHeight));
    left += FAdvance[d];
  }
  return QRect(x, y, left - x, FHeight);
}
