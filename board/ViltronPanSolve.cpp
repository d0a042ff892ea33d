// The board component: the commands built on the tour search.

#include "board/KnightMoves.h"
#include "board/ViltronPan.h"

namespace {

// True when the table has exactly n x n cells: only a tour searched at the
// present size can be put on the board or followed on it.
bool SearchedAtSize(const TBoard& board, int n)
{
  if (static_cast<int>(board.size()) != n)
    return false;
  for (const auto& column : board)
    if (static_cast<int>(column.size()) != n)
      return false;
  return true;
}

}  // namespace

void TViltronPan::ThinkAndNotify()
{
  ClearMarks();
  SetState(gsThink);
  SearchTour();
  // The tour found replaces the moves taken back.
  if (FState != gsCancel)
    ForgetRedo();
  // The board is still as it was before the search; the host closes its
  // progress window here.
  Fire(OnStopThinking, this);
}

void TViltronPan::PlaceFirstMoveOfBest()
{
  if (!SearchedAtSize(FBest.Board, FSize))
    return;
  for (uint16_t x = 0; x < FSize; ++x)
    for (uint16_t y = 0; y < FSize; ++y)
      if (FBest.Board[x][y] == 1) {
        PutKnight(x, y);
        DrawCell(x, y);
        return;
      }
}

void TViltronPan::SolveAll()
{
  const TGameState entry = FState;
  if (FState != gsPlay)
    SetState(gsNew);
  ThinkAndNotify();
  if (FState == gsCancel) {
    SetState(entry);
    return;
  }
  if (SearchedAtSize(FBest.Board, FSize)) {
    CopyBoard(FBoard, FBest.Board);
    FPosX = FBest.PosX;
    FPosY = FBest.PosY;
    FCount = FBest.Count;
  }
  // Shown by the host's repaint once its progress window has closed.
  SetState(gsStop);
}

void TViltronPan::PrepareShow()
{
  if (FState != gsPlay)
    SetState(gsNew);
  ThinkAndNotify();
  // After a cancel the state stays gsCancel; the caller restores one.
  if (FState == gsCancel)
    return;
  SetState(gsShow);
  if (FCount == 0)
    PlaceFirstMoveOfBest();
}

void TViltronPan::ShowNextMove()
{
  // Only a tour searched at the current size can be followed.
  if (SearchedAtSize(FBest.Board, FSize)) {
    const uint16_t next = static_cast<uint16_t>(FCount + 1);
    for (const TKnightMove& m : KnightMoves) {
      const uint16_t cx = static_cast<uint16_t>(FPosX + m.dx);
      const uint16_t cy = static_cast<uint16_t>(FPosY + m.dy);
      if (cx < FSize && cy < FSize && FBest.Board[cx][cy] == next) {
        const uint16_t oldX = FPosX;
        const uint16_t oldY = FPosY;
        ClearMarks();
        PutKnight(cx, cy);
        DrawCell(cx, cy);
        DrawCell(oldX, oldY);
        break;
      }
    }
  }
  Fire(OnMove, this);
}

void TViltronPan::Hint()
{
  const TGameState entry = FState;
  if (FState != gsPlay && FState != gsNew)
    SetState(gsNew);
  ThinkAndNotify();
  if (FState == gsCancel) {
    SetState(entry);
    return;
  }
  // These repaints happen in gsThink and show nothing yet; the host repaints
  // the board once its progress window has closed.
  const uint16_t before = FCount;
  if (FCount != 0)
    ShowNextMove();
  else
    PlaceFirstMoveOfBest();
  // Stored directly: a hint does not start a game through OnStart.
  FState = gsPlay;
  SetCursor(crHandPoint);
  Say(MoveSaying());
  // The hint's move is judged as a player's: one that leaves the knight
  // stuck ends the game, shown with its last move before the verdict.
  if (FCount != before && IsDeadEnd(FPosX, FPosY)) {
    Paint();
    EndIfStuck();
  }
  emit GameChanged();
}
