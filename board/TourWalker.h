#pragma once
// The fast randomized greedy walk of the tour search.
//
// It makes exactly the walks of the plain algorithm (same moves, same calls of
// Random in the same order) on a flat table with a two-cell border, so no step
// needs a bounds test. Each cell is one 16-bit word: its weight in the high
// byte, the mask of its free neighbours (bit k for jump k) in the low byte, so
// a candidate's weight and dead-end test come from one read.
// Memory is taken in SetStart only; Walk allocates nothing.

#include <cstdint>
#include <vector>

#include "board/Types.h"

class TTourWalker {
public:
  // Largest board the search handles: the full-tour test compares the move
  // count with N*N as a signed 16-bit number (and a weight fits in a byte).
  static constexpr int MaxSize = 181;

  // Takes the start position of a search on an n x n board and its weights.
  // board and weights must cover n x n cells and 1 <= n <= MaxSize.
  void SetStart(const TBoard& board, const TBoard& weights, int n,
                uint16_t posX, uint16_t posY, uint16_t count);

  // Runs one walk from the start position: from an empty board it begins in a
  // random corner, then moves greedily until the knight is stuck.
  // Returns the walk's number of moves.
  uint16_t Walk();

  // The walk last made.
  uint16_t Count() const { return FCount; }
  uint16_t PosX() const;
  uint16_t PosY() const;
  // Copies the walk's cells into board, which must cover n x n cells.
  void CopyCellsTo(TBoard& board) const;

private:
  int Index(int x, int y) const { return (x + 2) * FStride + (y + 2); }

  int FSize = 0;
  int FStride = 0;
  int FOffsets[8] = {};
  std::vector<uint16_t> FStartCells;  // numbers of the start position
  std::vector<uint16_t> FStartWords;  // weight << 8 | free-neighbour mask
  std::vector<uint16_t> FWords;       // the same during the walk
  std::vector<int> FPath;             // cells of the walk's moves, in order
  int FPathLength = 0;
  int FStartPos = 0;
  bool FStartFree = false;  // the knight's start cell is unnumbered
  bool FStuck = false;      // the knight starts too far off the board to move
  uint16_t FStartX = 0;
  uint16_t FStartY = 0;
  uint16_t FStartCount = 0;
  uint16_t FCount = 0;
};
