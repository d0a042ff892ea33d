#pragma once
// The search's walk made the plain way: the game model's own GreedyStep, step
// after step on its cell table, until the knight is stuck. It is what the fast
// walker (TTourWalker) must match move for move, in the tests and in the
// benchmark, and it shares no code with it. It draws from the game's
// generator as the search does: Random(4) for the corner of a walk from an
// empty board, then the coins of the steps.

#include <cstdint>

#include "board/BoardModel.h"

class TPlainWalker : private TBoardModel {
public:
  // Takes the start position: the first n x n cells of board (0 = free,
  // k = move k), the knight's cell and the number of moves made. The weights
  // are the game's own for an n x n board.
  void SetStart(const TBoard& board, int n, uint16_t posX, uint16_t posY, uint16_t count);
  // Walks on other weights from here on; weights must cover n x n cells.
  void SetWeights(const TBoard& weights) { FWeights = weights; }

  // Makes one walk from the start position and returns its number of moves.
  uint16_t Walk();

  // The walk last made (the start before the first), and the weights.
  using TBoardModel::Board;
  using TBoardModel::Count;
  using TBoardModel::PosX;
  using TBoardModel::PosY;
  using TBoardModel::Weights;

private:
  TBoard FStart;
  uint16_t FStartX = 0;
  uint16_t FStartY = 0;
  uint16_t FStartCount = 0;
};
