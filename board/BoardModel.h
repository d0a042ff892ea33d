#pragma once
// The game on one board, without any window: cells, knight, move count, state,
// the move rules and the tour search. The board widget builds on it.

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

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

  // Taking moves back and playing them again. The board is its own history:
  // taking back clears the cell numbered Count and puts the knight on the
  // cell numbered Count - 1; the cleared cell joins the moves to play again.
  struct TCell {
    uint16_t X = 0;
    uint16_t Y = 0;
    bool operator==(const TCell&) const = default;
  };
  // A move is on the board of a game in progress or over.
  bool CanTakeBack() const;
  void TakeBackMove();
  // The moves to play again, the next one last.
  const std::vector<TCell>& RedoMoves() const { return FRedo; }
  // The next move to play again is a legal move now.
  bool CanRedo() const;
  // A move to (x, y) is being made: the next move to play again is used up,
  // any other move forgets them all.
  void NoteMove(uint16_t x, uint16_t y);
  void ForgetRedo() { FRedo.clear(); }
  // Takes moves to play again (the next one last) when they can be played,
  // one after the other, from the position on the board; false, forgetting
  // every move to play again, when they cannot.
  bool AcceptRedo(std::vector<TCell> moves);

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
  // The same with `state` written as the game's state (a search in progress
  // keeps the state it started from).
  bool SaveGame(const std::string& fileName, TGameState state) const;
  void LoadGame(const std::string& fileName);

  // How many walkers the search runs at once: 0 (the default) takes the
  // process's setting, SearchWalkersDefault().
  void SetSearchWalkers(int walkers) { FSearchWalkers = walkers; }
  int SearchWalkers() const;
  // Walks made by the latest search, by all its walkers.
  uint64_t SearchWalks() const { return FSearchWalks; }

  // VILTRON_SEARCH_THREADS when set to a number from 1, otherwise the number
  // of cores. With one walker the search makes exactly the walks of the plain
  // algorithm on the game's random stream.
  static int SearchWalkersDefault();
  static constexpr int MaxSearchWalkers = 64;
  // The longest the interface waits for its messages while several walkers
  // search.
  static constexpr std::chrono::milliseconds MessageInterval{10};

protected:
  // The steps of LoadGame a host sees. RestoreState gets the stored state
  // (gsShow comes back as gsPlay) after the count and the knight and before
  // the cells; by default it clears the board for gsNew and stores the state.
  virtual void LoadRefused() {}
  virtual void LoadAsksSize() {}
  virtual void RestoreState(TGameState state);
  virtual void LoadShown() {}

  // Called by the search after every walk it makes on the interface thread
  // (at least every MessageInterval while other walkers make long walks), so
  // that the host can keep its interface alive; at each call the board fields
  // show a finished walk, and the search reads the state right after it.
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
  std::vector<TCell> FRedo;
  // With other walkers at work, the interface thread leaves the walking to
  // them once one of its own walks took this long.
  std::chrono::microseconds FLongestOwnWalk = MessageInterval;

private:
  // The search's walks with one walker, on the game's stream, and with
  // several; false when the host resized the board meanwhile.
  bool WalkAlone(int n);
  bool WalkTogether(int n, int walkers, const TBoard& start);
  // Whether the search stops after a walk: a full tour, or the user asked.
  bool Ended(int n, uint16_t bestLength) const;
  // Shows a finished walk on the board fields.
  void ShowWalk(uint16_t length);

  TTourWalker FWalker;
  int FSearchWalkers = 0;
  uint64_t FSearchWalks = 0;
};
