#include "board/BoardModel.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "board/KnightMoves.h"
#include "board/Random.h"
#include "board/SearchPool.h"

TBoardModel::TBoardModel()
{
  SetBoardSize(FBoard, FSize);
}

void TBoardModel::ResizeBoard(uint8_t n)
{
  FSize = n;
  SetBoardSize(FBoard, n);
}

void TBoardModel::ClearBoard()
{
  for (int x = 0; x < FSize; ++x)
    for (int y = 0; y < FSize; ++y)
      FBoard[x][y] = 0;
  FCount = 0;
}

bool TBoardModel::IsWrongMove(int32_t x, int32_t y) const
{
  bool jump = false;
  for (const TKnightMove& m : KnightMoves)
    if (int32_t(FPosX) + m.dx == x && int32_t(FPosY) + m.dy == y)
      jump = true;
  if (!jump && FCount != 0)
    return true;
  return !(OnBoard(x, y, FSize) && FBoard[x][y] == 0);
}

bool TBoardModel::IsDeadEnd(uint16_t x, uint16_t y) const
{
  for (const TKnightMove& m : KnightMoves) {
    const int cx = x + m.dx;
    const int cy = y + m.dy;
    if (OnBoard(cx, cy, FSize) && FBoard[cx][cy] == 0)
      return false;
  }
  return true;
}

void TBoardModel::PutKnight(uint16_t x, uint16_t y)
{
  ++FCount;
  FBoard[x][y] = FCount;
  FPosX = x;
  FPosY = y;
}

bool TBoardModel::CanTakeBack() const
{
  return FCount != 0 && (FState == gsPlay || FState == gsStop) && BoardCovers(FBoard, FSize);
}

void TBoardModel::TakeBackMove()
{
  if (!CanTakeBack())
    return;
  FBoard[FPosX][FPosY] = 0;
  FRedo.push_back({FPosX, FPosY});
  --FCount;
  if (FCount == 0)
    return;
  for (uint16_t x = 0; x < FSize; ++x)
    for (uint16_t y = 0; y < FSize; ++y)
      if (FBoard[x][y] == FCount) {
        FPosX = x;
        FPosY = y;
        return;
      }
}

bool TBoardModel::CanRedo() const
{
  return !FRedo.empty() && (FState == gsNew || FState == gsPlay) &&
         !IsWrongMove(FRedo.back().X, FRedo.back().Y);
}

void TBoardModel::NoteMove(uint16_t x, uint16_t y)
{
  if (!FRedo.empty() && FRedo.back() == TCell{x, y})
    FRedo.pop_back();
  else
    FRedo.clear();
}

bool TBoardModel::AcceptRedo(std::vector<TCell> moves)
{
  FRedo.clear();
  if (!BoardCovers(FBoard, FSize))
    return false;
  std::vector<bool> taken(size_t(FSize) * FSize);
  for (int x = 0; x < FSize; ++x)
    for (int y = 0; y < FSize; ++y)
      taken[size_t(x) * FSize + y] = FBoard[x][y] != 0;
  int fromX = FPosX;
  int fromY = FPosY;
  bool first = FCount == 0;
  for (auto move = moves.rbegin(); move != moves.rend(); ++move) {
    const int dx = std::abs(move->X - fromX);
    const int dy = std::abs(move->Y - fromY);
    const bool jump = (dx == 1 && dy == 2) || (dx == 2 && dy == 1);
    if (!OnBoard(move->X, move->Y, FSize) || taken[size_t(move->X) * FSize + move->Y] ||
        (!first && !jump))
      return false;
    taken[size_t(move->X) * FSize + move->Y] = true;
    fromX = move->X;
    fromY = move->Y;
    first = false;
  }
  FRedo = std::move(moves);
  return true;
}

void TBoardModel::BuildWeights()
{
  const int n = FSize;
  SetBoardSize(FWeights, n);
  auto edge = [n](int k) { return std::min(k, n - 1 - k); };
  for (int x = 0; x < n; ++x)
    for (int y = 0; y < n; ++y)
      FWeights[x][y] = static_cast<uint16_t>(1 + edge(x) + edge(y));
}

// One step of the plain walk: to the lightest free jump, dead ends last, a
// coin between equal ones. The search's fast walker makes exactly these steps;
// bench/PlainWalker walks with this one to hold it to that.
void TBoardModel::GreedyStep()
{
  uint16_t best = 0xFFFF;
  uint16_t chosenX = 0;
  uint16_t chosenY = 0;
  for (const TKnightMove& m : KnightMoves) {
    const uint16_t cx = static_cast<uint16_t>(FPosX + m.dx);
    const uint16_t cy = static_cast<uint16_t>(FPosY + m.dy);
    if (cx >= FSize || cy >= FSize || FBoard[cx][cy] != 0)
      continue;
    uint16_t w = FWeights[cx][cy];
    if (IsDeadEnd(cx, cy))
      w = static_cast<uint16_t>(w + 10000);
    if (w < best || (w == best && Random(2) == 0)) {
      best = w;
      chosenX = cx;
      chosenY = cy;
    }
  }
  PutKnight(chosenX, chosenY);
}

void TBoardModel::CopyBoard(TBoard& dest, const TBoard& source) const
{
  const int n = FSize;
  dest.assign(n, std::vector<uint16_t>(n));
  for (int x = 0; x < n; ++x)
    std::copy_n(source[x].begin(), n, dest[x].begin());
}

void TBoardModel::SearchTour()
{
  const int n = FSize;
  // A board whose table does not match its size cannot be searched (nor its
  // result used); refuse rather than read past a table.
  if (n < 1 || !BoardCovers(FBoard, n)) {
    FBest = TSolution();
    return;
  }

  BuildWeights();
  const uint16_t startX = FPosX;
  const uint16_t startY = FPosY;
  const uint16_t startCount = FCount;
  CopyBoard(FBest.Board, FBoard);
  FBest.PosX = startX;
  FBest.PosY = startY;
  FBest.Count = startCount;
  // Beyond this size the full-tour test is no longer exact: the best stays
  // the start position.
  if (n > TTourWalker::MaxSize)
    return;

  FSearchWalks = 0;
  TBoard start;
  CopyBoard(start, FBoard);
  const int walkers = SearchWalkers();
  // A host that resized the board meanwhile broke the search's contract:
  // leave without touching the new board.
  if (!(walkers <= 1 ? WalkAlone(n) : WalkTogether(n, walkers, start)))
    return;

  FBoard = start;
  FPosX = startX;
  FPosY = startY;
  FCount = startCount;
}

void TBoardModel::ShowWalk(uint16_t length)
{
  FWalker.CopyCellsTo(FBoard);
  FPosX = FWalker.PosX();
  FPosY = FWalker.PosY();
  FCount = length;
}

bool TBoardModel::Ended(int n, uint16_t bestLength) const
{
  return static_cast<int16_t>(bestLength) == static_cast<int16_t>(n * n) || FState == gsCancel ||
         FState == gsBest;
}

bool TBoardModel::WalkAlone(int n)
{
  uint16_t bestLength = FCount;
  FWalker.SetStart(FBoard, FWeights, n, FPosX, FPosY, FCount);
  // The walk in progress lives in the walker; after every walk the board
  // fields show the finished walk, as the host may look at them meanwhile.
  for (;;) {
    const uint16_t length = FWalker.Walk();
    ++FSearchWalks;
    ShowWalk(length);
    if (length > bestLength) {
      bestLength = length;
      FWalker.CopyCellsTo(FBest.Board);
      FBest.PosX = FPosX;
      FBest.PosY = FPosY;
      FBest.Count = length;
    }
    ProcessMessages();
    if (FSize != n)
      return false;
    if (Ended(n, bestLength))
      return true;
  }
}

bool TBoardModel::WalkTogether(int n, int walkers, const TBoard& start)
{
  // The helpers read the start and the weights while the host may write the
  // board fields: they get copies of their own.
  const TBoard weights = FWeights;
  TSearchJob job(start, weights, n, FPosX, FPosY, FCount);
  TSearchHelpers helpers(job, walkers - 1);
  TRandomState stream = SplitStream();
  FWalker.SetStart(start, weights, n, job.PosX, job.PosY, job.Count);
  uint64_t walks = 0;
  uint64_t shown = 0;  // the version of the best in FBest
  // The interface thread walks too, unless its walks keep it from the
  // messages for too long; then it waits for the helpers' news, at most
  // MessageInterval at a time.
  bool walking = true;
  for (;;) {
    if (walking || !helpers.Started()) {
      const auto began = std::chrono::steady_clock::now();
      const uint16_t length = FWalker.Walk(stream);
      ++walks;
      job.Offer(FWalker, length);
      ShowWalk(length);
      walking = std::chrono::steady_clock::now() - began < FLongestOwnWalk;
    } else {
      job.WaitForNews(shown, MessageInterval);
    }
    const uint64_t version = job.BestVersion();
    if (version != shown) {
      shown = version;
      job.CopyBest(FBest);
      if (!walking) {
        // The board fields show a finished walk: the best one.
        CopyBoard(FBoard, FBest.Board);
        FPosX = FBest.PosX;
        FPosY = FBest.PosY;
        FCount = FBest.Count;
      }
    }
    ProcessMessages();
    if (FSize != n)
      return false;
    if (Ended(n, job.BestLength()))
      break;
  }
  // The walks under way when the search ended still compete.
  helpers.Finish();
  job.CopyBest(FBest);
  FSearchWalks = walks + job.Walks.load();
  return true;
}

int TBoardModel::SearchWalkers() const
{
  return std::min(FSearchWalkers > 0 ? FSearchWalkers : SearchWalkersDefault(), MaxSearchWalkers);
}

int TBoardModel::SearchWalkersDefault()
{
  static const int walkers = [] {
    if (const char* text = std::getenv("VILTRON_SEARCH_THREADS")) {
      char* end = nullptr;
      const long value = std::strtol(text, &end, 10);
      if (end != text && *end == '\0' && value >= 1)
        return static_cast<int>(std::min<long>(value, MaxSearchWalkers));
    }
    return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  }();
  return walkers;
}
