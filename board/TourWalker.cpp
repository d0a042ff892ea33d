#include "board/TourWalker.h"

#include <cassert>
#include <cstring>

#include "board/KnightMoves.h"
#include "board/Random.h"

namespace {
constexpr uint16_t Taken = 0xFFFF;
constexpr uint16_t RankMask = 0xF0FF;
constexpr uint16_t DeadEndRank = 0xF000;
constexpr uint16_t TakenRank = 0xF0FF;
constexpr uint16_t OneNeighbour = 0x0100;

// The low 16 bits of a cell's address, as the walk records its moves.
uint16_t Mark(const uint16_t* cell)
{
  return static_cast<uint16_t>(reinterpret_cast<uintptr_t>(cell));
}

// Table distance of jump k for rows of 1 << Shift cells.
template <int Shift>
constexpr int Offset(int k)
{
  return KnightMoves[k].dx * (1 << Shift) + KnightMoves[k].dy;
}
}  // namespace

void TTourWalker::SetStart(const TBoard& board, const TBoard& weights, int n,
                           uint16_t posX, uint16_t posY, uint16_t count)
{
  assert(n >= 1 && n <= MaxSize);
  assert(BoardCovers(board, n) && BoardCovers(weights, n));
  FSize = n;
  FShift = 3;
  while ((1 << FShift) < n + 6)
    ++FShift;
  const size_t cells = static_cast<size_t>(n + 6) << FShift;
  FStartWords.assign(cells, Taken);
  FWords.resize(cells);
  FStartCells.resize(static_cast<size_t>(n) * n);
  FPath.resize(static_cast<size_t>(n) * n);
  FPathLength = 0;

  auto freeNeighbours = [&](int x, int y) {
    int free = 0;
    for (const TKnightMove& m : KnightMoves) {
      const int cx = x + m.dx;
      const int cy = y + m.dy;
      free += OnBoard(cx, cy, n) && board[cx][cy] == 0;
    }
    return free;
  };
  for (int x = 0; x < n; ++x)
    for (int y = 0; y < n; ++y) {
      FStartCells[static_cast<size_t>(x) * n + y] = board[x][y];
      if (board[x][y] == 0)
        FStartWords[Index(x, y)] =
            static_cast<uint16_t>(((freeNeighbours(x, y) - 1) << 8) + (weights[x][y] & 0xFF));
    }

  FStartX = posX;
  FStartY = posY;
  FStartCount = count;
  FCount = count;
  // With no move made the knight's fields mean nothing: each walk draws a
  // corner. Otherwise the walk goes on from the knight, even from just off the
  // board as the plain step would; from further off no jump reaches the board.
  if (count == 0)
    FStartPos = Index(0, 0);
  else if (posX < n + 2 && posY < n + 2)
    FStartPos = Index(posX, posY);
  else
    FStartPos = -1;
}

// The walk from the knight on table cell pos, its moves recorded from
// FPath[length]; returns the new length. The knight's cell is taken off its
// neighbours' counts at the start of each step, where those neighbours are
// read as candidates anyway. The loop's speed swings by several per cent
// with where its branches fall in the instruction cache lines, so the
// function starts on a line of its own, wherever the linker puts it.
template <int Shift>
__attribute__((aligned(64))) int TTourWalker::Run(int pos, int length, TRandomState& stream)
{
  uint16_t* const words = FWords.data();
  uint16_t* out = FPath.data() + length;
  uint16_t* p = words + pos;
  TLocalRandom random(stream);
  for (;;) {
    // All eight cells are read, counted down and ranked before the first
    // comparison: a mispredicted comparison then replays only the comparisons
    // after it, and the loads never wait for one.
    uint32_t rank[8];
    auto take = [&](int k) __attribute__((always_inline)) {
      const uint16_t word = static_cast<uint16_t>(p[Offset<Shift>(k)] - OneNeighbour);
      p[Offset<Shift>(k)] = word;
      rank[k] = word & RankMask;
    };
    take(0);
    take(1);
    take(2);
    take(3);
    take(4);
    take(5);
    take(6);
    take(7);
    // A free cell ranks below the start value and a taken one above it, so the
    // first free candidate is always taken; a later one replaces it when
    // lighter, or by a coin when as heavy. The move comes from the taken
    // branch as a constant, so the next step's loads need not wait for the
    // comparisons to finish.
    uint32_t best = TakenRank - 1;
    intptr_t move = 0;
    auto candidate = [&](int k) __attribute__((always_inline)) {
      // Most candidates are heavier: one test passes them, and the other
      // cases lie out of line.
      if (__builtin_expect(rank[k] <= best, 0)) {
        if (rank[k] < best) {
          best = rank[k];
          move = Offset<Shift>(k);
        } else {
          move = random.Draw(2) == 0 ? Offset<Shift>(k) : move;
        }
      }
    };
    candidate(0);
    candidate(1);
    candidate(2);
    candidate(3);
    candidate(4);
    candidate(5);
    candidate(6);
    candidate(7);
    // Only the pointer moves, and its low bits are the record: the table's
    // address is not needed in the loop.
    p += move;
    *p = Taken;
    *out++ = Mark(p);
    // The knight's arrival does not change its new cell's free neighbours:
    // a dead end leaves it stuck.
    if (best >= DeadEndRank)
      break;
  }
  random.Store();
  FLastCell = static_cast<int>(p - words);
  return static_cast<int>(out - FPath.data());
}

uint16_t TTourWalker::Walk(TRandomState& stream)
{
  FPathLength = 0;
  FCount = FStartCount;
  if (FStartPos < 0)
    return FCount;
  std::memcpy(FWords.data(), FStartWords.data(), FWords.size() * sizeof(uint16_t));
  uint16_t* const words = FWords.data();
  int pos = FStartPos;
  int length = 0;
  // Whether the knight's cell is taken by this walk, so that its neighbours
  // still count it as free.
  bool newCell = false;
  if (FStartCount == 0) {
    const int last = FSize - 1;
    switch (Random(stream, 4)) {
      case 0: pos = Index(0, 0); break;
      case 1: pos = Index(last, 0); break;
      case 2: pos = Index(0, last); break;
      default: pos = Index(last, last); break;
    }
    newCell = words[pos] != Taken;
    words[pos] = Taken;
    FPath[length++] = Mark(words + pos);
    FLastCell = pos;
  }
  // The first move recorded is the corner itself or a jump from the knight.
  FPathOrigin = pos;
  FPathOriginMark = Mark(words + pos);

  const int stride = 1 << FShift;
  bool stuck = true;
  for (const TKnightMove& m : KnightMoves)
    stuck = stuck && (words[pos + m.dx * stride + m.dy] & 0xFF) == 0xFF;
  if (!stuck) {
    // Every step first takes the knight's cell off its neighbours' counts;
    // for a cell the walk did not take, give that back beforehand.
    if (!newCell)
      for (const TKnightMove& m : KnightMoves)
        words[pos + m.dx * stride + m.dy] += OneNeighbour;
    switch (FShift) {
      case 3: length = Run<3>(pos, length, stream); break;
      case 4: length = Run<4>(pos, length, stream); break;
      case 5: length = Run<5>(pos, length, stream); break;
      case 6: length = Run<6>(pos, length, stream); break;
      case 7: length = Run<7>(pos, length, stream); break;
      default: length = Run<8>(pos, length, stream); break;
    }
  }
  FPathLength = length;
  FCount = static_cast<uint16_t>(FStartCount + length);
  return FCount;
}

uint16_t TTourWalker::PosX() const
{
  if (FPathLength == 0)
    return FStartX;
  return static_cast<uint16_t>((FLastCell >> FShift) - 2);
}

uint16_t TTourWalker::PosY() const
{
  if (FPathLength == 0)
    return FStartY;
  return static_cast<uint16_t>((FLastCell & ((1 << FShift) - 1)) - 2);
}

void TTourWalker::CopyCellsTo(TBoard& board) const
{
  const int n = FSize;
  for (int x = 0; x < n; ++x)
    std::memcpy(board[x].data(), FStartCells.data() + static_cast<size_t>(x) * n,
                n * sizeof(uint16_t));
  const int mask = (1 << FShift) - 1;
  int c = FPathOrigin;
  uint16_t mark = FPathOriginMark;
  for (int i = 0; i < FPathLength; ++i) {
    // Marks are byte addresses of 16-bit cells: half their difference is
    // the jump, which is far shorter than 1 << 15 cells.
    c += static_cast<int16_t>(FPath[i] - mark) / 2;
    mark = FPath[i];
    board[(c >> FShift) - 2][(c & mask) - 2] = static_cast<uint16_t>(FStartCount + 1 + i);
  }
}
