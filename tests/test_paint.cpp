// What the board shows: the chequered cells, the move numbers and the knight
// picture, checked pixel by pixel. grab() shows a full repaint of the board's
// state; Picture() shows what single-cell drawing left on screen.

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include "BoardTestKit.h"
#include "TestApp.h"
#include "platform/Fonts.h"

namespace {

// A board on which a test puts numbers as a game or a search would.
class TNumberedPan : public TOpenPan {
public:
  using TOpenPan::TOpenPan;

  // Puts a number on a cell as a game or a search would leave it.
  void Put(int x, int y, int v) { FBoard[x][y] = static_cast<uint16_t>(v); }
};

const QRgb White = qRgb(255, 255, 255);
const QRgb Black = qRgb(0, 0, 0);

// The colours a board paints with, as screen colours.
struct TColours {
  QRgb Light = White;      // fill of light cells
  QRgb Dark = Black;       // fill of dark cells
  QRgb LightText = White;  // numbers on dark cells
  QRgb DarkText = Black;   // numbers on light cells
};

bool IsLight(int x, int y)
{
  return (x + y) % 2 == 0;
}

QImage Shown(QWidget& widget)
{
  return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage Drawn(const TViltronPan& pan)
{
  return pan.Picture().convertToFormat(QImage::Format_RGB32);
}

QImage Knight()
{
  const QImage icon(QStringLiteral(":/icons/MAINICON"));
  Q_ASSERT(!icon.isNull());
  return icon;
}

QRect CellRect(const TViltronPan& pan, int x, int y)
{
  const int w = pan.SizeOfCell();
  return QRect(x * w, y * w, w, w);
}

// Reference pictures of one cell, drawn here with plain QPainter calls.
QImage BareCell(int w, QRgb fill)
{
  QImage image(w, w, QImage::Format_RGB32);
  image.fill(fill);
  return image;
}

void DrawNumber(QPainter& painter, QPoint topLeft, int v, const QFont& font, QRgb text)
{
  painter.setFont(font);
  painter.setPen(QColor::fromRgb(text));
  painter.drawText(topLeft + QPoint(0, QFontMetrics(font).ascent()), QString::number(v));
}

// The number's corner lies one logical pixel, `ratio` device pixels, inside.
QImage NumberCell(int w, QRgb fill, QRgb text, int v, const QFont& font, int ratio = 1)
{
  QImage image = BareCell(w, fill);
  QPainter painter(&image);
  DrawNumber(painter, QPoint(ratio, ratio), v, font, text);
  return image;
}

QImage KnightCell(int w, QRgb fill)
{
  QImage image = BareCell(w, fill);
  QPainter painter(&image);
  painter.drawImage(QPoint(0, 0), Knight());
  return image;
}

// What one cell of the board must show when it holds no number: a bare square
// or the knight.
QImage ExpectedCell(const TNumberedPan& pan, int x, int y, const TColours& c)
{
  const int w = pan.SizeOfCell();
  const QRgb fill = IsLight(x, y) ? c.Light : c.Dark;
  const int v = pan.Board()[x][y];
  if (v == 0 || pan.Count() == 0 || pan.State() == gsThink)
    return BareCell(w, fill);
  return KnightCell(w, fill);
}

// Compares a region of a screen picture with its reference. Text may differ by
// anti-aliasing shades, never by a stroke: a pixel counts as wrong when a
// channel is off by more than `tolerance`. Returns "" or what went wrong.
QString CompareRegion(const QImage& shown, QPoint at, const QImage& expected, int tolerance = 0)
{
  for (int y = 0; y < expected.height(); ++y)
    for (int x = 0; x < expected.width(); ++x) {
      const QRgb s = shown.pixel(at.x() + x, at.y() + y);
      const QRgb e = expected.pixel(x, y);
      if (qAbs(qRed(s) - qRed(e)) > tolerance || qAbs(qGreen(s) - qGreen(e)) > tolerance ||
          qAbs(qBlue(s) - qBlue(e)) > tolerance)
        return QStringLiteral("pixel (%1,%2) is #%3, expected #%4")
            .arg(at.x() + x)
            .arg(at.y() + y)
            .arg(s & 0xFFFFFF, 6, 16, QLatin1Char('0'))
            .arg(e & 0xFFFFFF, 6, 16, QLatin1Char('0'));
    }
  return QString();
}

// How far a pixel has gone from the fill toward the text colour: 0 at the
// fill, 1 at the text colour.
double Toward(QRgb p, QRgb fill, QRgb text)
{
  const double dr = qRed(text) - qRed(fill);
  const double dg = qGreen(text) - qGreen(fill);
  const double db = qBlue(text) - qBlue(fill);
  return ((qRed(p) - qRed(fill)) * dr + (qGreen(p) - qGreen(fill)) * dg +
          (qBlue(p) - qBlue(fill)) * db) /
         (dr * dr + dg * dg + db * db);
}

// True when a pixel is a shade between fill and text colour, as anti-aliased
// text in that colour on that fill gives.
bool IsTextShade(QRgb p, QRgb fill, QRgb text)
{
  const double t = qBound(0.0, Toward(p, fill, text), 1.0);
  auto near = [t](int c, int f, int x) { return qAbs(c - (f + t * (x - f))) <= 40; };
  return near(qRed(p), qRed(fill), qRed(text)) && near(qGreen(p), qGreen(fill), qGreen(text)) &&
         near(qBlue(p), qBlue(fill), qBlue(text));
}

// Compares a number shown on a cell with the same number drawn here as one
// string by QPainter::drawText. The board places each digit on whole pixels
// while drawText may place them on fractions of a pixel, so a stroke may lie
// up to `slack` pixels further left or right; it must lie in the same row.
// Every pixel must be a shade of the text colour on the fill, and every
// strong stroke of either picture must have a stroke of the other nearby: a
// missing, extra, swapped or misplaced digit fails.
QString CompareText(const QImage& shown, QPoint at, const QImage& expected, QRgb fill, QRgb text,
                    int slack = 2)
{
  const int w = expected.width();
  const int h = expected.height();
  auto ink = [&](const QImage& image, QPoint origin, int x, int y) {
    if (x < 0 || x >= w)
      return 0.0;
    return Toward(image.pixel(origin.x() + x, origin.y() + y), fill, text);
  };
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const QRgb p = shown.pixel(at.x() + x, at.y() + y);
      if (!IsTextShade(p, fill, text))
        return QStringLiteral("pixel (%1,%2) is #%3, not a shade of the text on the fill")
            .arg(at.x() + x)
            .arg(at.y() + y)
            .arg(p & 0xFFFFFF, 6, 16, QLatin1Char('0'));
      for (int side = 0; side < 2; ++side) {
        const QImage& one = side == 0 ? shown : expected;
        const QImage& other = side == 0 ? expected : shown;
        const QPoint oneAt = side == 0 ? at : QPoint(0, 0);
        const QPoint otherAt = side == 0 ? QPoint(0, 0) : at;
        if (ink(one, oneAt, x, y) < 0.6)
          continue;
        bool matched = false;
        for (int dx = -slack; dx <= slack && !matched; ++dx)
          matched = ink(other, otherAt, x + dx, y) > 0.2;
        if (!matched)
          return QStringLiteral("stroke at (%1,%2) %3")
              .arg(at.x() + x)
              .arg(at.y() + y)
              .arg(side == 0 ? QStringLiteral("shown but not in the reference text")
                             : QStringLiteral("of the reference text missing"));
      }
    }
  return QString();
}

// Every cell of a full repaint against its reference.
QString CompareBoard(const QImage& shown, const TNumberedPan& pan, const TColours& c)
{
  if (shown.size() != pan.size())
    return QStringLiteral("picture is %1 x %2").arg(shown.width()).arg(shown.height());
  for (int x = 0; x < pan.Size(); ++x)
    for (int y = 0; y < pan.Size(); ++y) {
      const int v = pan.Board()[x][y];
      const QPoint at = CellRect(pan, x, y).topLeft();
      QString error;
      if (v != 0 && v != pan.Count() && pan.Count() != 0 && pan.State() != gsThink) {
        const QRgb fill = IsLight(x, y) ? c.Light : c.Dark;
        const QRgb text = IsLight(x, y) ? c.DarkText : c.LightText;
        error = CompareText(shown, at, NumberCell(pan.SizeOfCell(), fill, text, v, pan.font()),
                            fill, text);
      } else {
        error = CompareRegion(shown, at, ExpectedCell(pan, x, y, c));
      }
      if (!error.isEmpty())
        return QStringLiteral("cell (%1,%2): %3").arg(x).arg(y).arg(error);
    }
  return QString();
}

// The rectangle of the pixels in `region` that differ from `fill`.
QRect Ink(const QImage& image, const QRect& region, QRgb fill)
{
  QRect ink;
  for (int y = region.top(); y <= region.bottom(); ++y)
    for (int x = region.left(); x <= region.right(); ++x)
      if ((image.pixel(x, y) & 0xFFFFFF) != (fill & 0xFFFFFF))
        ink |= QRect(x, y, 1, 1);
  return ink;
}

// Pixels in a region whose colour is neither grey nor the fill: the knight's
// browns and yellows, which no number has.
int Coloured(const QImage& image, const QRect& region)
{
  int n = 0;
  for (int y = region.top(); y <= region.bottom(); ++y)
    for (int x = region.left(); x <= region.right(); ++x) {
      const QRgb p = image.pixel(x, y);
      if (qRed(p) != qGreen(p) || qGreen(p) != qBlue(p))
        ++n;
    }
  return n;
}

// Five moves: 1 (0,0), 2 (2,1), 3 (4,2), 4 (2,3) and the knight, 5, on (0,4).
// Odd moves stand on light cells, even ones on dark cells.
void PlayFiveMoves(TViltronPan& pan)
{
  Play(pan, {{0, 0}, {2, 1}, {4, 2}, {2, 3}, {0, 4}});
}

}  // namespace

class TestPaint : public QObject {
  Q_OBJECT

private slots:
  void newBoardIsChequered();
  void numbersAndKnightAfterFiveMoves();
  void numberAndKnightPlacement();
  void numberBackgroundIsOpaque();
  void searchAndEmptyCountShowBareSquares_data();
  void searchAndEmptyCountShowBareSquares();
  void newGameRepaintsAtOnce();
  void colourShowsAtNextRepaint_data();
  void colourShowsAtNextRepaint();
  void moveIsDrawnBeforeOnMove();
  void drawCellIsImmediateAndLocal();
  void knightReachesOntoNeighbours();
  void numbersOfSeveralDigits_data();
  void numbersOfSeveralDigits();
  void sharpAtScreenRatio_data();
  void sharpAtScreenRatio();
};

void TestPaint::newBoardIsChequered()
{
  TNumberedPan pan;
  const QImage shown = Shown(pan);
  QCOMPARE(shown.size(), QSize(200, 200));
  QCOMPARE(shown.pixel(0, 0), White);
  QCOMPARE(shown.pixel(25, 0), Black);
  QCOMPARE(shown.pixel(0, 25), Black);
  QCOMPARE(shown.pixel(199, 199), White);
  // Every pixel of every cell is its plain fill: no numbers, no picture.
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 200; ++x)
      if (shown.pixel(x, y) != (IsLight(x / 25, y / 25) ? White : Black))
        QFAIL(qPrintable(QStringLiteral("pixel (%1,%2) is not its cell's fill").arg(x).arg(y)));
}

void TestPaint::numbersAndKnightAfterFiveMoves()
{
  TNumberedPan pan;
  pan.show();
  QVERIFY(QTest::qWaitForWindowExposed(&pan));
  PlayFiveMoves(pan);
  QCOMPARE(int(pan.Count()), 5);
  const QImage shown = Shown(pan);

  // Numbers: dark strokes on light cells, light strokes on dark cells, just
  // right of and below the cell's corner.
  const QPoint numbered[] = {{0, 0}, {2, 1}, {4, 2}, {2, 3}};
  for (QPoint c : numbered) {
    const QRect corner = CellRect(pan, c.x(), c.y()).adjusted(1, 1, -8, -8);
    int strokes = 0;
    for (int y = corner.top(); y <= corner.bottom(); ++y)
      for (int x = corner.left(); x <= corner.right(); ++x)
        strokes +=
            IsLight(c.x(), c.y()) ? qGray(shown.pixel(x, y)) < 96 : qGray(shown.pixel(x, y)) > 160;
    QVERIFY2(strokes >= 4,
             qPrintable(QStringLiteral("no number on (%1,%2)").arg(c.x()).arg(c.y())));
    QCOMPARE(Coloured(shown, CellRect(pan, c.x(), c.y())), 0);
  }
  // The knight's cell: the picture, and no number.
  QVERIFY(Coloured(shown, CellRect(pan, 0, 4)) > 50);
  QCOMPARE(CompareRegion(shown, {0, 100}, KnightCell(25, White)), QString());
  // And every cell as a whole, the numbers against text drawn here.
  QCOMPARE(CompareBoard(shown, pan, TColours()), QString());
}

void TestPaint::numberAndKnightPlacement()
{
  TNumberedPan pan;
  // A number on the dark cell (2,3), the knight elsewhere.
  pan.Put(2, 3, 7);
  pan.Put(6, 6, 9);
  pan.FCount = 9;
  QImage shown = Shown(pan);
  const QImage expected = NumberCell(25, Black, White, 7, pan.font());
  const QRect expectedInk = Ink(expected, expected.rect(), Black);
  QVERIFY(!expectedInk.isEmpty());
  // The text's top-left corner is at (51,76): its first strokes lie where
  // those of text drawn at (1,1) of a lone cell lie, moved by (50,75).
  const QRect ink = Ink(shown, CellRect(pan, 2, 3), Black);
  QCOMPARE(ink, expectedInk.translated(50, 75));
  QVERIFY(ink.left() >= 51 && ink.left() <= 51 + 3);
  QVERIFY(ink.top() >= 76 && ink.top() <= 76 + 6);
  QCOMPARE(CompareRegion(shown, {50, 75}, expected), QString());

  // The knight on (2,3): the picture with its corner on the cell's corner.
  pan.Put(2, 3, 9);
  pan.Put(6, 6, 0);
  shown = Shown(pan);
  QCOMPARE(CompareRegion(shown, {50, 75}, KnightCell(25, Black)), QString());
  const QRect knightInk = Ink(shown, CellRect(pan, 2, 3), Black);
  QCOMPARE(knightInk.topLeft(),
           Ink(KnightCell(25, Black), QRect(0, 0, 25, 25), Black).topLeft() + QPoint(50, 75));
}

void TestPaint::numberBackgroundIsOpaque()
{
  // A number wider than its cell shows where its opaque background lies: it
  // covers part of the white neighbour (3,3) with the dark cell's black.
  TNumberedPan pan;
  QFont font = WindowFont();
  font.setPixelSize(18);
  pan.setFont(font);
  pan.Put(2, 3, 1234);
  pan.FCount = 1500;
  pan.Paint();
  pan.DrawCell(2, 3);
  const QImage drawn = Drawn(pan);

  const QFontMetrics metrics(font);
  const int top = 76;
  const int bottom = top + metrics.height();  // exclusive
  QVERIFY2(bottom < 100, "the text must fit the cell's height");
  // The background's right end, in its first row (above the digits).
  int right = 75;
  while (right < 200 && drawn.pixel(right, top) == Black)
    ++right;
  const int width = metrics.horizontalAdvance(QStringLiteral("1234"));
  QVERIFY2(
      qAbs(right - (51 + width)) <= 2,
      qPrintable(QStringLiteral("background ends at %1, text at %2").arg(right).arg(51 + width)));
  QVERIFY2(right > 85, "the test needs a number reaching well into the neighbour");
  // A rectangle of the text's height from row 76: the row above and the row
  // below are the neighbour's white, the rest of the neighbour too.
  for (int x = 75; x < right; ++x) {
    QCOMPARE(drawn.pixel(x, top - 1), White);
    QCOMPARE(drawn.pixel(x, top), Black);
    QCOMPARE(drawn.pixel(x, bottom), White);
  }
  for (int y = top; y < bottom; ++y)
    QCOMPARE(drawn.pixel(right, y), White);
  // Its left edge lies inside the cell: the first strokes are where text drawn
  // from (51,76) has them.
  const QImage expected = NumberCell(right - 50, Black, White, 1234, font);
  QCOMPARE(Ink(drawn, QRect(50, 75, 25, 25), Black).topLeft(),
           Ink(expected, QRect(0, 0, 25, 25), Black).topLeft() + QPoint(50, 75));
  QCOMPARE(
      CompareText(drawn, {50, top}, expected.copy(0, 1, right - 50, bottom - top), Black, White),
      QString());
}

void TestPaint::searchAndEmptyCountShowBareSquares_data()
{
  QTest::addColumn<int>("after");
  QTest::newRow("gsThink, then gsCancel") << int(gsCancel);
  QTest::newRow("gsThink, then gsBest") << int(gsBest);
}

void TestPaint::searchAndEmptyCountShowBareSquares()
{
  QFETCH(int, after);
  TNumberedPan pan;
  PlayFiveMoves(pan);
  const QImage game = Shown(pan);
  QCOMPARE(CompareBoard(game, pan, TColours()), QString());
  QVERIFY(Coloured(game, pan.rect()) > 0);

  // While a search runs its trial walks stay hidden: bare squares only.
  pan.SetState(gsThink);
  QCOMPARE(int(pan.Count()), 5);
  const QImage thinking = Shown(pan);
  for (int x = 0; x < 8; ++x)
    for (int y = 0; y < 8; ++y)
      QCOMPARE(CompareRegion(thinking, CellRect(pan, x, y).topLeft(),
                             BareCell(25, IsLight(x, y) ? White : Black)),
               QString());

  // Once the search is stopped the board shows its numbers again.
  pan.SetState(TGameState(after));
  QCOMPARE(CompareRegion(Shown(pan), {0, 0}, game), QString());

  // With the move count at 0 every cell is bare, whatever it holds.
  pan.FCount = 0;
  QCOMPARE(int(pan.Board()[2][1]), 2);
  const QImage empty = Shown(pan);
  QCOMPARE(CompareRegion(empty, {0, 0}, thinking), QString());
}

void TestPaint::newGameRepaintsAtOnce()
{
  TNumberedPan pan;
  pan.show();
  QVERIFY(QTest::qWaitForWindowExposed(&pan));
  PlayFiveMoves(pan);
  QVERIFY(Coloured(Drawn(pan), pan.rect()) > 0);
  pan.SetState(gsNew);
  // No event loop ran: what is on screen was drawn by the call itself.
  const QImage drawn = Drawn(pan);
  for (int x = 0; x < 8; ++x)
    for (int y = 0; y < 8; ++y)
      QCOMPARE(CompareRegion(drawn, CellRect(pan, x, y).topLeft(),
                             BareCell(25, IsLight(x, y) ? White : Black)),
               QString());
}

void TestPaint::colourShowsAtNextRepaint_data()
{
  // 0 LightColor, 1 DarkColor, 2 LightFontColor, 3 DarkFontColor.
  QTest::addColumn<int>("property");
  QTest::newRow("LightColor") << 0;
  QTest::newRow("DarkColor") << 1;
  QTest::newRow("LightFontColor") << 2;
  QTest::newRow("DarkFontColor") << 3;
}

void TestPaint::colourShowsAtNextRepaint()
{
  QFETCH(int, property);
  TNumberedPan pan;
  pan.show();
  QVERIFY(QTest::qWaitForWindowExposed(&pan));
  PlayFiveMoves(pan);
  pan.Paint();
  const QImage before = Drawn(pan);

  // 0x00BBGGRR: red 0x40, green 0x80, blue 0xC0.
  const TColor value = 0x00C08040;
  const QRgb screen = qRgb(0x40, 0x80, 0xC0);
  TColours colours;
  switch (property) {
    case 0:
      pan.SetLightColor(value);
      QCOMPARE(pan.LightColor(), value);
      colours.Light = screen;
      break;
    case 1:
      pan.SetDarkColor(value);
      QCOMPARE(pan.DarkColor(), value);
      colours.Dark = screen;
      break;
    case 2:
      pan.SetLightFontColor(value);
      QCOMPARE(pan.LightFontColor(), value);
      colours.LightText = screen;
      break;
    case 3:
      pan.SetDarkFontColor(value);
      QCOMPARE(pan.DarkFontColor(), value);
      colours.DarkText = screen;
      break;
  }
  // Nothing is redrawn by the change itself.
  QCOMPARE(CompareRegion(Drawn(pan), {0, 0}, before), QString());

  pan.Paint();
  const QImage after = Drawn(pan);
  QCOMPARE(CompareBoard(after, pan, colours), QString());
  if (property == 0) {
    QCOMPARE(after.pixel(0, 50), screen);    // bare light cell (0,2)
    QCOMPARE(after.pixel(24, 124), screen);  // the knight's light cell (0,4), corner
    QCOMPARE(after.pixel(25, 0), Black);     // dark cell (1,0)
  }
  // The cells of the other kind are as before, pixel for pixel.
  const bool lightChanged = property == 0 || property == 3;
  for (int x = 0; x < 8; ++x)
    for (int y = 0; y < 8; ++y)
      if (IsLight(x, y) != lightChanged) {
        const QRect cell = CellRect(pan, x, y);
        QCOMPARE(CompareRegion(after, cell.topLeft(), before.copy(cell)), QString());
      }
}

void TestPaint::moveIsDrawnBeforeOnMove()
{
  TNumberedPan pan;
  pan.show();
  QVERIFY(QTest::qWaitForWindowExposed(&pan));
  QVector<QImage> seen;
  pan.OnMove = [&](QObject*) { seen << Drawn(pan); };
  ClickCell(pan, QPoint(0, 0));
  ClickCell(pan, QPoint(2, 1));
  QCOMPARE(seen.size(), 2);

  // When OnMove runs, the screen already shows the knight on its new cell and
  // the number on the cell it left.
  QCOMPARE(CompareRegion(seen[0], {0, 0}, KnightCell(25, White)), QString());
  QCOMPARE(CompareRegion(seen[1], {50, 25}, KnightCell(25, Black)), QString());
  QVERIFY(Coloured(seen[1], CellRect(pan, 2, 1)) > 50);
  QCOMPARE(CompareRegion(seen[1], {0, 0}, NumberCell(25, White, Black, 1, pan.font())), QString());
}

void TestPaint::drawCellIsImmediateAndLocal()
{
  TNumberedPan pan;
  pan.show();
  QVERIFY(QTest::qWaitForWindowExposed(&pan));
  PlayFiveMoves(pan);
  pan.Paint();
  const QImage before = Drawn(pan);

  // A number appears on the free dark cell (5,6) at once, nowhere else.
  pan.Put(5, 6, 3);
  QCOMPARE(CompareRegion(Drawn(pan), {0, 0}, before), QString());
  pan.DrawCell(5, 6);
  const QImage after = Drawn(pan);
  const QRect cell = CellRect(pan, 5, 6);
  QCOMPARE(CompareRegion(after, cell.topLeft(), NumberCell(25, Black, White, 3, pan.font())),
           QString());
  QImage outside = after;
  QPainter(&outside).drawImage(cell.topLeft(), before.copy(cell));
  QCOMPARE(CompareRegion(outside, {0, 0}, before), QString());

  // The former knight's cell (0,4) now shows its number once drawn.
  pan.Put(1, 6, 6);  // a jump from (0,4): the new knight on a dark cell
  pan.FCount = 6;
  pan.DrawCell(1, 6);
  pan.DrawCell(0, 4);
  QCOMPARE(CompareRegion(Drawn(pan), {0, 100}, NumberCell(25, White, Black, 5, pan.font())),
           QString());
  QVERIFY(Coloured(Drawn(pan), CellRect(pan, 1, 6)) > 50);
}

void TestPaint::knightReachesOntoNeighbours()
{
  // With 20-pixel cells the 32-pixel picture reaches the cells right of and
  // below its own.
  TNumberedPan pan;
  pan.show();
  QVERIFY(QTest::qWaitForWindowExposed(&pan));
  pan.SetSizeOfCell(20);
  pan.Put(3, 2, 1);
  pan.Put(5, 3, 2);  // the knight, on a light cell
  pan.FCount = 2;
  pan.Paint();
  const QImage painted = Drawn(pan);
  // A full repaint covers the overflow with the later cells.
  QCOMPARE(CompareBoard(painted, pan, TColours()), QString());

  pan.FCount = 0;  // everything bare, then the knight drawn on its own
  pan.Paint();
  const QImage bare = Drawn(pan);
  pan.FCount = 2;
  pan.DrawCell(5, 3);
  QImage expected = bare;
  {
    QPainter painter(&expected);
    painter.drawImage(QPoint(100, 60), Knight());
  }
  QCOMPARE(CompareRegion(Drawn(pan), {0, 0}, expected), QString());
  // The picture does reach the dark neighbours right (6,3) and below (5,4).
  QVERIFY(Coloured(Drawn(pan), CellRect(pan, 6, 3)) > 0);
  QVERIFY(Coloured(Drawn(pan), CellRect(pan, 5, 4)) > 0);

  // It stays there until those cells are drawn again.
  pan.DrawCell(6, 3);
  QCOMPARE(CompareRegion(Drawn(pan), {120, 60}, BareCell(20, Black)), QString());
  QVERIFY(Coloured(Drawn(pan), CellRect(pan, 5, 4)) > 0);
  pan.DrawCell(5, 4);
  QCOMPARE(CompareRegion(Drawn(pan), {100, 80}, BareCell(20, Black)), QString());
  QCOMPARE(CompareRegion(Drawn(pan), {100, 60}, KnightCell(20, White)), QString());
}

void TestPaint::numbersOfSeveralDigits_data()
{
  QTest::addColumn<QFont>("font");
  QTest::newRow("window font") << WindowFont();
  QFont large = WindowFont();
  large.setPixelSize(20);
  QTest::newRow("20-pixel font") << large;
  QTest::newRow("application font") << QFont();
}

void TestPaint::numbersOfSeveralDigits()
{
  QFETCH(QFont, font);
  // A 40 x 40 board with room in each cell for four digits of the font.
  TNumberedPan pan;
  pan.setFont(font);
  pan.SetSize(40);
  pan.SetSizeOfCell(
      static_cast<uint8_t>(QFontMetrics(font).horizontalAdvance(QStringLiteral("0000")) + 4));
  const int values[] = {1234, 1029, 987, 1597, 56, 10, 1000, 4};
  int i = 0;
  for (int v : values) {
    pan.Put(i, 0, v);  // light cells on even columns, dark ones on odd
    pan.Put(i, 1, v);  // and the other way round
    ++i;
  }
  pan.FCount = 1600;
  const QImage shown = Shown(pan);
  for (int x = 0; x < i; ++x)
    for (int y = 0; y < 2; ++y) {
      const int v = values[x];
      const QRgb fill = IsLight(x, y) ? White : Black;
      const QRgb text = IsLight(x, y) ? Black : White;
      QCOMPARE(CompareText(shown, CellRect(pan, x, y).topLeft(),
                           NumberCell(pan.SizeOfCell(), fill, text, v, font), fill, text),
               QString());
    }
}

void TestPaint::sharpAtScreenRatio_data()
{
  QTest::addColumn<QFont>("font");
  QTest::addColumn<QPoint>("cell");
  QTest::addColumn<int>("value");
  QTest::newRow("window font, light cell") << WindowFont() << QPoint(0, 0) << 47;
  QTest::newRow("window font, dark cell") << WindowFont() << QPoint(2, 3) << 7;
  QFont large = WindowFont();
  large.setPixelSize(16);
  QTest::newRow("16-pixel font") << large << QPoint(1, 2) << 63;
  QTest::newRow("application font") << QFont() << QPoint(3, 0) << 58;
}

namespace {

// The board on its screen: a number `value` on `cell`, the knight on (4,4).
// Each logical pixel is r x r device pixels, and what the board shows must be
// drawn at that resolution.
void CheckSharp(TNumberedPan& pan, const QFont& font, QPoint cell, int value)
{
  const int r = qRound(pan.devicePixelRatioF());
  const int w = pan.SizeOfCell() * r;  // a cell in device pixels
  const QImage shown = Shown(pan);
  QCOMPARE(shown.size(), pan.size() * r);

  // A bare cell fills exactly its w x w device pixels.
  QCOMPARE(CompareRegion(shown, {w * 5, w * 5}, BareCell(w, White)), QString());
  QCOMPARE(shown.pixel(w * 6 - 1, w * 5), White);
  QCOMPARE(shown.pixel(w * 6, w * 5), Black);

  // The number: text drawn at device resolution in a font r times the size.
  QFont deviceFont = font;
  if (font.pixelSize() > 0)
    deviceFont.setPixelSize(font.pixelSize() * r);
  else
    deviceFont.setPointSizeF(font.pointSizeF() * r);
  const QRgb fill = IsLight(cell.x(), cell.y()) ? White : Black;
  const QRgb text = IsLight(cell.x(), cell.y()) ? Black : White;
  const QPoint at = cell * w;
  const QImage expected = NumberCell(w, fill, text, value, deviceFont, r);
  QCOMPARE(CompareText(shown, at, expected, fill, text), QString());
  // Sharp: closer to that text than to the 1x number enlarged by blocks or
  // smoothly, as a picture drawn at 1x and stretched would be.
  auto distance = [&](const QImage& other) {
    qint64 sum = 0;
    for (int y = 0; y < w; ++y)
      for (int x = 0; x < w; ++x)
        sum += qAbs(qGray(shown.pixel(at.x() + x, at.y() + y)) - qGray(other.pixel(x, y)));
    return sum;
  };
  if (r > 1) {
    const QImage small = NumberCell(pan.SizeOfCell(), fill, text, value, font);
    for (Qt::TransformationMode mode : {Qt::FastTransformation, Qt::SmoothTransformation}) {
      const qint64 stretched = distance(small.scaled(w, w, Qt::IgnoreAspectRatio, mode));
      QVERIFY2(distance(expected) * 2 < stretched,
               qPrintable(QStringLiteral("%1 from sharp text, %2 from a stretched number")
                              .arg(distance(expected))
                              .arg(stretched)));
    }
  }

  // The knight's pixel art, each pixel a whole r x r block.
  const QImage knight = KnightCell(pan.SizeOfCell(), White).scaled(w, w);
  QCOMPARE(CompareRegion(shown, {w * 4, w * 4}, knight), QString());

  // Single cells drawn at once show the same device pixels.
  pan.DrawCell(static_cast<uint16_t>(cell.x()), static_cast<uint16_t>(cell.y()));
  pan.DrawCell(4, 4);
  for (QPoint c : {cell, QPoint(4, 4)})
    QCOMPARE(Drawn(pan).copy(QRect(c * w, QSize(w, w))), shown.copy(QRect(c * w, QSize(w, w))));
}

}  // namespace

// Run also with QT_SCALE_FACTOR=2, and on two screens of different density:
// the board visits each screen and comes back, and must follow each density.
void TestPaint::sharpAtScreenRatio()
{
  QFETCH(QFont, font);
  QFETCH(QPoint, cell);
  QFETCH(int, value);
  TNumberedPan pan;
  pan.setFont(font);
  pan.Put(cell.x(), cell.y(), value);
  pan.Put(4, 4, 64);
  pan.FCount = 64;
  pan.show();
  QVERIFY(QTest::qWaitForWindowExposed(&pan));
  QList<QScreen*> visits = QGuiApplication::screens();
  if (visits.size() > 1)
    visits << visits.first();
  for (QScreen* screen : visits) {
    pan.windowHandle()->setScreen(screen);
    pan.move(screen->geometry().topLeft() + QPoint(10, 10));
    QTRY_COMPARE(pan.devicePixelRatioF(), screen->devicePixelRatio());
    CheckSharp(pan, font, cell, value);
    if (QTest::currentTestFailed())
      QFAIL(qPrintable(QStringLiteral("on screen %1").arg(screen->name())));
  }
}

VILTRON_TEST_MAIN(TestPaint)
#include "test_paint.moc"
