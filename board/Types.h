#pragma once
// Shared types of the board: the cell table, a position or tour, the game state.

#include <cstdint>
#include <vector>

// Cell table indexed [x][y]: x the column from the left, y the row from the top.
// 0 = free, k = reached by move k (the starting cell holds 1).
using TBoard = std::vector<std::vector<uint16_t>>;

// Gives the table n x n cells, keeping the values inside both extents and
// zero-filling the new ones.
void SetBoardSize(TBoard& board, int n);

// True when the table holds at least n x n cells.
bool BoardCovers(const TBoard& board, int n);

// A tour or partial tour: the cells, the knight's cell and the number of moves.
struct TSolution {
  TBoard Board;
  uint16_t PosX = 0;
  uint16_t PosY = 0;
  uint16_t Count = 0;
};

// The board's state; the values are stored in saved games.
enum TGameState : uint8_t {
  gsPlay = 0,    // a game runs; clicks are moves
  gsStop = 1,    // the game is over or was stopped
  gsNew = 2,     // cleared, waiting for the first move
  gsShow = 3,    // a computed tour is being replayed
  gsThink = 4,   // a tour search runs
  gsCancel = 5,  // the user cancelled the search
  gsBest = 6,    // the user asked for the best walk found so far
};

// A colour laid out 0x00BBGGRR.
using TColor = uint32_t;
