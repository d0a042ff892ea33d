#include "board/TourWalker.h"

#include <cassert>
#include <cstring>

#include "board/KnightMoves.h"
#include "board/Random.h"

namespace {
// The jump that leads back: KnightMoves pairs up as 1-4, 2-3, 5-8 and 6-7.
constexpr int Reverse[8] = {3, 2, 1, 0, 7, 6, 5, 4};

// A candidate's rank: lighter first, any dead end after every other cell.
// Orders and ties exactly like weight + 10000 for a dead end, as weights stay
// below 256.
inline unsigned Rank(unsigned word)
{
  return (word >> 8) | (unsigned((word & 0xFF) == 0) << 8);
}
}  // namespace

void TTourWalker::SetStart(const TBoard& board, const TBoard& weights, int n,
                           uint16_t posX, uint16_t posY, uint16_t count)
{
  assert(n >= 1 && n <= MaxSize);
  assert(BoardCovers(board, n) && BoardCovers(weights, n));
  FSize = n;
  FStride = n + 4;
  const size_t cells = static_cast<size_t>(FStride) * FStride;
  FStartCells.assign(cells, 0);
  FStartWords.assign(cells, 0);
  FWords.resize(cells);
  FPath.resize(static_cast<size_t>(n) * n + 1);
  FPathLength = 0;
  for (int k = 0; k < 8; ++k)
    FOffsets[k] = KnightMoves[k].dx * FStride + KnightMoves[k].dy;

  // Masks on the border too: a knight left just off the board still moves
  // onto it as the plain walk would.
  for (int x = -2; x < n + 2; ++x)
    for (int y = -2; y < n + 2; ++y) {
      const bool inside = OnBoard(x, y, n);
      const int c = Index(x, y);
      unsigned free = 0;
      for (int k = 0; k < 8; ++k) {
        const int cx = x + KnightMoves[k].dx;
        const int cy = y + KnightMoves[k].dy;
        if (OnBoard(cx, cy, n) && board[cx][cy] == 0)
          free |= 1u << k;
      }
      FStartWords[c] = static_cast<uint16_t>((inside ? weights[x][y] & 0xFF : 0) << 8 | free);
      if (inside)
        FStartCells[c] = board[x][y];
    }
  FStartX = posX;
  FStartY = posY;
  FStartCount = count;
  // With no move made the position carries no meaning; the walk picks a corner.
  // Otherwise the knight moves from where it stands; a knight more than two
  // cells off the board has no cell to go to.
  FStuck = count != 0 && (posX >= n + 2 || posY >= n + 2);
  FStartPos = count == 0 || FStuck ? Index(0, 0) : Index(posX, posY);
  FStartFree = count != 0 && !FStuck && (!OnBoard(posX, posY, n) || board[posX][posY] == 0);
  FCount = FStartCount;
}

uint16_t TTourWalker::Walk()
{
  FPathLength = 0;
  FCount = FStartCount;
  if (FStuck)
    return FCount;
  std::memcpy(FWords.data(), FStartWords.data(), FWords.size() * sizeof(uint16_t));

  uint16_t* const words = FWords.data();
  int* const path = FPath.data();
  int length = 0;
  int offsets[8];
  for (int k = 0; k < 8; ++k)
    offsets[k] = FOffsets[k];

  int pos = FStartPos;
  // The knight's cell counts as taken from now on, for the dead-end tests of
  // its candidates: clear its bit in every neighbour (and in border cells,
  // whose words are never candidates).
  auto take = [&](int cell) {
    for (int k = 0; k < 8; ++k)
      words[cell + offsets[k]] &= uint16_t(~(1u << Reverse[k]));
  };

  if (FStartCount == 0) {
    const int last = FSize - 1;
    switch (Random(4)) {
      case 0: pos = Index(0, 0); break;
      case 1: pos = Index(last, 0); break;
      case 2: pos = Index(0, last); break;
      default: pos = Index(last, last); break;
    }
    path[length++] = pos;
    take(pos);
  } else if (FStartFree) {
    // A start whose knight stands on a free cell leaves that cell free.
  }

  for (unsigned candidates = words[pos] & 0xFFu; candidates != 0;
       candidates = words[pos] & 0xFFu) {
    // The first free candidate is always taken (its rank is below 0xFFFF);
    // later ones replace it when lighter, or by a coin toss when as heavy.
    unsigned best = 0xFFFF;
    int chosen = pos;
    for (int k = 0; k < 8; ++k) {
      const int c = pos + offsets[k];
      const unsigned r = (candidates >> k & 1u) ? Rank(words[c]) : 0x10000u;
      if (r < best) {
        best = r;
        chosen = c;
      } else if (r == best && Random(2) == 0) {
        chosen = c;
      }
    }
    pos = chosen;
    path[length++] = pos;
    take(pos);
  }
  FPathLength = length;
  FCount = static_cast<uint16_t>(FStartCount + length);
  return FCount;
}

uint16_t TTourWalker::PosX() const
{
  if (FPathLength == 0)
    return FStartX;
  return static_cast<uint16_t>(FPath[FPathLength - 1] / FStride - 2);
}

uint16_t TTourWalker::PosY() const
{
  if (FPathLength == 0)
    return FStartY;
  return static_cast<uint16_t>(FPath[FPathLength - 1] % FStride - 2);
}

void TTourWalker::CopyCellsTo(TBoard& board) const
{
  for (int x = 0; x < FSize; ++x) {
    const uint16_t* column = FStartCells.data() + Index(x, 0);
    std::memcpy(board[x].data(), column, FSize * sizeof(uint16_t));
  }
  for (int i = 0; i < FPathLength; ++i) {
    const int c = FPath[i];
    board[c / FStride - 2][c % FStride - 2] = static_cast<uint16_t>(FStartCount + 1 + i);
  }
}
