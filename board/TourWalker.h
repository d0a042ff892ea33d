#pragma once
// The fast randomized greedy walk of the tour search.
//
// It makes exactly the walks of the plain algorithm (same moves, same calls of
// Random in the same order) on a flat table whose border is wide enough that
// no step needs a bounds test. Each cell is one 16-bit word:
//   free cell       (free neighbours - 1) << 8 | class
//   free dead end   0xFF00 | class
//   taken / border  0xFFFF
// Taking a cell subtracts 0x100 from each neighbour; the borrow of a count
// that reaches zero sets the high bits by itself, so bit 15 tells a live
// candidate from a blocked one.
//
// A cell's class says how its neighbours' weights lie around it: on the
// standard weights every cell off the very middle of the board has one. For
// such a cell the plain step's choice is a fixed function of which jumps are
// blocked: the lightest group of equal jumps with a live one wins, and a coin
// settles a pair. The walk makes that choice with conditional moves, not
// branches, because which jump wins follows no pattern a predictor could
// learn; a table gives how many coins the plain step would have drawn. Coins
// are drawn ahead in batches, and the stream is handed back exactly where
// the plain walk would leave it. Any other step (a cell of no class, a
// candidate just become a dead end) is made the plain way. Boards up to
// 10 x 10, where the knight changes class nearly every step, are walked with
// branches on words holding the weight in place of the class.
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
  template <int Shift>
  int RunBranchy(int pos, int length, TRandomState& stream);
  // The coins ahead: bit i of the result says whether the i-th coin takes
  // the later of two equal jumps, with a marker bit above the last one.
  uint64_t FillCoins(TRandomState from, int batch);
  uint64_t RefillCoins(uint64_t coins);
  // The stream as it was before coin number consumed of the present batch.
  TRandomState StateBefore(int consumed) const;
  // A step made the plain way: the jump, the coins left, and whether the
  // knight has moved into a dead end.
  struct TStep {
    intptr_t Move;
    uint64_t Coins;
    bool Stuck;
  };
  template <int Shift>
  TStep PlainStep(const uint16_t* p, uint64_t coins) const;

  int FSize = 0;
  int FShift = 0;
  std::vector<uint16_t> FStartCells;  // the start's numbers, n x n by columns
  std::vector<uint16_t> FStartWords;  // the table at the start
  std::vector<uint16_t> FWords;       // the table during the walk
  std::vector<uint8_t> FWeights;      // the weights, by table cell
  TRandomState FCoinMarks[8];         // the stream before every 8th coin of a batch
  int FCoinBatch = 0;                 // the coins in the present batch
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
