#pragma once
// The greedy walk of the tour search written the plain way, as a reference for
// the fast walker: a cell table [x][y], the weights computed from the edge
// distances, and every dead-end test re-scanning a cell's eight neighbours.
// It draws from the same generator in the same way (Random(4) for the corner
// of a walk from an empty board, Random(2) only between equally heavy
// candidates), so the same seed gives the same walks.

#include <cstdint>
#include <vector>

class TLiteralWalker {
public:
  using TCells = std::vector<std::vector<uint16_t>>;

  // Takes the start position: n x n cells of board (0 = free, k = move k),
  // the knight's cell and the number of moves made.
  void SetStart(const TCells& board, int n, uint16_t posX, uint16_t posY, uint16_t count);

  // Makes one walk from the start position and returns its number of moves.
  uint16_t Walk();

  const TCells& Cells() const { return FCells; }
  uint16_t PosX() const { return FPosX; }
  uint16_t PosY() const { return FPosY; }
  uint16_t Count() const { return FCount; }

private:
  bool IsDeadEnd(int x, int y) const;
  void Step();
  void Put(uint16_t x, uint16_t y);

  int FSize = 0;
  TCells FStart;
  TCells FCells;
  TCells FWeights;
  uint16_t FStartX = 0;
  uint16_t FStartY = 0;
  uint16_t FStartCount = 0;
  uint16_t FPosX = 0;
  uint16_t FPosY = 0;
  uint16_t FCount = 0;
};
