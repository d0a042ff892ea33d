#pragma once
// The game on one board, without any window: cells, knight, move count, state,
// the move rules and the tour search. The board widget builds on it.

#include <cstdint>
#include <string>

#include "board/TourWalker.h"
#include "board/Types.h"

class TBoardModel {
public:
  TBoardModel();
  virtual ~TBoardModel() = default;

  // What the hosts read.
  TGameState State() const { return FState; }
  uint8_t Size() const { return FSize; }
  uint16_t Count() const { return FCount; }
  uint16_t PosX() const { return FPosX; }
  uint16_t PosY() const { return FPosY; }
  const TBoard& Board() const { return FBoard; }
  const TBoard& Weights() const { return FWeights; }
  const TSolution& Best() const { return FBest; }
  uint8_t LoadedSize() const { return FLoadedSize; }

  // Move rules.
  bool IsWrongMove(int32_t x, int32_t y) const;
  bool IsDeadEnd(uint16_t x, uint16_t y) const;
  void PutKnight(uint16_t x, uint16_t y);

  // Tour search.
  void BuildWeights();
  void GreedyStep();
  void CopyBoard(TBoard& dest, const TBoard& source) const;
  void SearchTour();

  // Saved games (BoardModelFile.cpp). SaveGame writes the game to the named
  // file, replacing it whole, and tells whether it did. LoadGame replaces the
  // game by the one in the file: a file that is not a saved game changes
  // nothing but raises LoadRefused; a board of another size first asks the
  // host through LoadAsksSize and stops unless the host took the size.
  bool SaveGame(const std::string& fileName) const;
  void LoadGame(const std::string& fileName);

protected:
  // The steps of LoadGame a host sees. RestoreState gets the stored state
  // (gsShow comes back as gsPlay) after the count and the knight and before
  // the cells; by default it clears the board for gsNew and stores the state.
  virtual void LoadRefused() {}
  virtual void LoadAsksSize() {}
  virtual void RestoreState(TGameState state);
  virtual void LoadShown() {}

  // Called once after every walk of the search, so that the host can keep its
  // interface alive; the search reads the state right after it.
  virtual void ProcessMessages() {}

  // Gives the board n x n cells (keeping the overlap) and takes n as its size.
  void ResizeBoard(uint8_t n);
  // Empties every cell and sets the move count to 0.
  void ClearBoard();

  uint8_t FSize = 8;
  TGameState FState = gsNew;
  TBoard FBoard;
  TBoard FWeights;
  uint16_t FPosX = 0;
  uint16_t FPosY = 0;
  uint16_t FCount = 0;
  TSolution FBest;
  uint8_t FLoadedSize = 0;

private:
  TTourWalker FWalker;
};
