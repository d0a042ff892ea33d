// The board component: marks on the cells the prover blames, and a proven
// tour put on the board.

#include <QPainter>
#include <algorithm>
#include <utility>

#include "board/KnightMoves.h"
#include "board/ViltronPan.h"

namespace {

// A red cross edged in white: it shows on light and dark cells and on the
// knight, and unlike the keyboard cursor's frame it crosses the cell.
constexpr QRgb MarkColour = qRgb(0xE0, 0x10, 0x10);
constexpr QRgb MarkEdge = qRgb(0xFF, 0xFF, 0xFF);

}  // namespace

void TViltronPan::SetMarks(const QVector<QPoint>& cells, const QString& word)
{
  FMarks.clear();
  for (const QPoint& cell : cells)
    if (OnBoard(cell.x(), cell.y(), FSize))
      FMarks.insert(cell.y() * FSize + cell.x());
  FMarkWord = word;
  Paint();
}

void TViltronPan::ClearMarks()
{
  if (FMarks.isEmpty())
    return;
  const QSet<int> marks = std::exchange(FMarks, {});
  // Only the marked cells change; a full repaint also brings back what a
  // mark's cell covered of its neighbours' numbers.
  if (marks.size() > 8) {
    Paint();
    return;
  }
  for (const int index : marks)
    DrawCell(static_cast<uint16_t>(index % FSize), static_cast<uint16_t>(index / FSize));
}

bool TViltronPan::IsMarked(int x, int y) const
{
  return !FMarks.isEmpty() && FMarks.contains(y * FSize + x);
}

void TViltronPan::DrawMark(QPainter& painter, int x, int y) const
{
  const int w = FSizeOfCell;
  const int inset = std::max(3, w / 6);
  const QPointF a(x * w + inset, y * w + inset);
  const QPointF b((x + 1) * w - inset, (y + 1) * w - inset);
  const QPointF c(x * w + inset, (y + 1) * w - inset);
  const QPointF d((x + 1) * w - inset, y * w + inset);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  const qreal line = std::max(2, w / 10);
  for (const auto& [colour, width] : {std::pair{MarkEdge, line + 2}, std::pair{MarkColour, line}}) {
    painter.setPen(QPen(QColor::fromRgb(colour), width, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(a, b);
    painter.drawLine(c, d);
  }
  painter.restore();
}

void TViltronPan::ShowTour(const TSolution& tour)
{
  if (tour.Count != FSize * FSize || !BoardCovers(tour.Board, FSize))
    return;
  ClearMarks();
  CopyBoard(FBoard, tour.Board);
  FPosX = tour.PosX;
  FPosY = tour.PosY;
  FCount = tour.Count;
  SetState(gsStop);
  Paint();
}
