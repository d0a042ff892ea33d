// The board component: painting. The board keeps its picture in an image;
// Paint and DrawCell draw into it and show the changed part at once.

#include <QPaintEvent>
#include <QPainter>

#include "board/ViltronPan.h"

namespace {

QRgb ToRgb(TColor color)
{
  return qRgb(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

// The keyboard cursor's frame: a blue ring along the cell's edge and a white
// one inside it, so that it shows on light and dark cells and on the knight.
// Both stay clear of a number's first pixels, three in from the corner.
constexpr QRgb KeyFrameOuter = qRgb(0x00, 0x78, 0xFF);
constexpr QRgb KeyFrameInner = qRgb(0xFF, 0xFF, 0xFF);

void FillRing(QPainter& painter, const QRect& r, int width, QRgb colour)
{
  const QColor c = QColor::fromRgb(colour);
  painter.fillRect(r.left(), r.top(), r.width(), width, c);
  painter.fillRect(r.left(), r.bottom() - width + 1, r.width(), width, c);
  painter.fillRect(r.left(), r.top() + width, width, r.height() - 2 * width, c);
  painter.fillRect(r.right() - width + 1, r.top() + width, width, r.height() - 2 * width, c);
}

}  // namespace

void TViltronPan::DrawCellInto(QPainter& painter, uint16_t x, uint16_t y)
{
  const int w = FSizeOfCell;
  const uint16_t v = FBoard[x][y];
  const bool light = (x + y) % 2 == 0;
  const QRgb fill = ToRgb(light ? FLightColor : FDarkColor);
  const QRgb text = ToRgb(light ? FDarkFontColor : FLightFontColor);
  painter.fillRect(x * w, y * w, w, w, QColor::fromRgb(fill));
  // While a search runs the board holds its trial walks: show none of them.
  if (FCount != 0 && FState != gsThink && v != 0) {
    if (v != FCount)
      FDigits.Draw(painter, x * w + 1, y * w + 1, v, text, fill);
    else
      painter.drawImage(QPoint(x * w, y * w), FKnight);
  }
  if (IsMarked(x, y))
    DrawMark(painter, x, y);
}

void TViltronPan::DrawCell(uint16_t x, uint16_t y)
{
  if (x >= FSize || y >= FSize || FPicture.isNull())
    return;
  QRect changed(x * FSizeOfCell, y * FSizeOfCell, FSizeOfCell, FSizeOfCell);
  // Numbers and the knight picture may reach beyond their cell.
  const uint16_t v = FBoard[x][y];
  if (FCount != 0 && FState != gsThink && v != 0) {
    if (v == FCount)
      changed |= QRect(changed.topLeft(), FKnightArt.size());
    else
      changed |= FDigits.Extent(changed.left() + 1, changed.top() + 1, v);
  }
  {
    QPainter painter(&FPicture);
    DrawCellInto(painter, x, y);
    // The cell, or what reached beyond it, may have covered the frame.
    if (KeyFrameShown() && changed.intersects(KeyCursorRect())) {
      DrawKeyFrame(painter);
      changed |= KeyCursorRect();
    }
  }
  Show(changed);
}

QRect TViltronPan::KeyCursorRect() const
{
  const QPoint c = KeyCursor();
  return QRect(c.x() * FSizeOfCell, c.y() * FSizeOfCell, FSizeOfCell, FSizeOfCell);
}

void TViltronPan::DrawKeyFrame(QPainter& painter)
{
  const QRect cell = KeyCursorRect();
  FillRing(painter, cell, 1, KeyFrameOuter);
  FillRing(painter, cell.adjusted(1, 1, -1, -1), 1, KeyFrameInner);
}

void TViltronPan::PaintInto()
{
  if (FPicture.isNull())
    return;
  QPainter painter(&FPicture);
  for (uint16_t x = 0; x < FSize; ++x)
    for (uint16_t y = 0; y < FSize; ++y)
      DrawCellInto(painter, x, y);
  if (KeyFrameShown())
    DrawKeyFrame(painter);
}

void TViltronPan::Paint()
{
  PaintInto();
  Show(rect());
}

void TViltronPan::Show(const QRect& rect)
{
  FShowing = true;
  repaint(rect & this->rect());
  FShowing = false;
  Announce();
}

void TViltronPan::FitPictureToScreen()
{
  const qreal ratio = devicePixelRatioF();
  const int side = FSize * FSizeOfCell;
  const QSize size = QSize(side, side) * ratio;
  if (FPicture.size() == size && FPicture.devicePixelRatio() == ratio)
    return;
  FPicture = QImage(size, QImage::Format_ARGB32_Premultiplied);
  FPicture.setDevicePixelRatio(ratio);
  FPicture.fill(Qt::white);
  if (FKnight.isNull() || FKnight.devicePixelRatio() != ratio) {
    // Nearest neighbour, no blur: at a whole ratio each pixel of the art
    // becomes a square block of device pixels.
    FKnight = FKnightArt.scaled(FKnightArt.size() * ratio, Qt::IgnoreAspectRatio,
                                Qt::FastTransformation);
    FKnight.setDevicePixelRatio(ratio);
  }
  FDigits.SetRatio(ratio);
}

void TViltronPan::paintEvent(QPaintEvent* event)
{
  // A repaint the toolkit asks for (exposure, update) redraws the board from
  // its state; our own only copy what was just drawn. A window moved to a
  // screen of another density is exposed anew: the picture is remade for it.
  if (FPicture.devicePixelRatio() != devicePixelRatioF()) {
    FitPictureToScreen();
    PaintInto();
  } else if (!FShowing) {
    PaintInto();
  }
  QPainter painter(this);
  const QRectF shown = event->rect();
  const qreal ratio = FPicture.devicePixelRatio();
  painter.drawImage(shown, FPicture,
                    QRectF(shown.topLeft() * ratio, shown.size() * ratio));
}
