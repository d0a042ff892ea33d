#pragma once
// The fast randomized greedy walk of the tour search.
//
// It makes exactly the walks of the plain algorithm (same moves, same calls of
// Random in the same order) on a flat table whose border is wide enough that
// no step needs a bounds test. Each cell is one 16-bit word that orders as the
// candidate's rank once its degree bits are masked off:
//   free cell       (free neighbours - 1) << 8 | weight   -> rank = weight
//   free dead end   0xFF00 | weight                       -> rank = 0xF000 | weight
//   taken / border  0xFFFF                                 -> rank = 0xF0FF
// so a lighter cell ranks first, a dead end after every live cell (as the
// plain weight + 10000 does, weights staying below 256) and a taken cell last.
// Taking a cell subtracts 0x100 from each neighbour; the borrow of a count
// that reaches zero sets the dead-end bits by itself.
// Memory is taken in SetStart only; Walk allocates nothing.

#include <cstdint>
#include <vector>

#include "board/Random.h"
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
  // random corner, then moves greedily until the knight is stuck. Draws from
  // the given stream exactly as the plain walk draws from Random.
  // Returns the walk's number of moves.
  uint16_t Walk(TRandomState& stream);
  // The same on the game's stream.
  uint16_t Walk() { return Walk(RandomDetail::State); }

  // The walk last made.
  uint16_t Count() const { return FCount; }
  uint16_t PosX() const;
  uint16_t PosY() const;
  // Copies the walk's cells into board, which must cover n x n cells.
  void CopyCellsTo(TBoard& board) const;

private:
  // Table rows run from x = -2 to n + 3 and hold 1 << FShift cells from
  // y = -2, so that a knight standing up to two cells off the board still
  // finds all its targets in the table.
  int Index(int x, int y) const { return (x + 2) << FShift | (y + 2); }
  template <int Shift>
  int Run(int pos, int length, TRandomState& stream);

  int FSize = 0;
  int FShift = 0;
  std::vector<uint16_t> FStartCells;  // the start's numbers, n x n by columns
  std::vector<uint16_t> FStartWords;  // the table at the start
  std::vector<uint16_t> FWords;       // the table during the walk
  // Each move of the walk as the low 16 bits of its cell's address: the walk
  // stores the pointer it holds as it is. Two moves in a row lie one jump
  // apart, so the difference of their marks gives the jump, and the cells
  // follow one by one from FPathOrigin and its mark (the knight's cell, or
  // the corner a walk from an empty board begins in), whatever the table's
  // address by then.
  std::vector<uint16_t> FPath;
  int FPathLength = 0;
  int FPathOrigin = 0;
  uint16_t FPathOriginMark = 0;
  int FLastCell = 0;  // the cell of the last move
  int FStartPos = -1;  // the knight's cell; -1 when it is too far off to move
  uint16_t FStartX = 0;
  uint16_t FStartY = 0;
  uint16_t FStartCount = 0;
  uint16_t FCount = 0;
};
