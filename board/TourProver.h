#pragma once
// Decides whether a position can still be finished to a full tour, and
// proves it: with a tour that continues it, or with a reason it cannot be.
//
// First the instant proofs, each exact: every jump changes the knight's
// colour, so the free cells must split ceil(R/2) of the other colour to
// floor(R/2) of the knight's; every free cell must be reachable from the
// knight through free cells, and the free cells must hang together without
// it, as the knight never comes back; a free cell next to the knight with no free
// neighbour must be both the first and the last cell; a free cell with a
// single way in (one free neighbour, not next to the knight) must be the
// last, so there can be only one, and it must have the last move's colour.
// Then a depth-first search in Warnsdorff's order (fewest onward jumps,
// recounted as cells fill; ties to the cell farther from the centre), every
// node pruned by the same proofs, kept up to date move by move.
// Memory is taken when the board size changes; a proof allocates nothing
// per step. Cancel and the progress counters may be used from any thread.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

#include "board/Types.h"

struct TSaveRecord;

enum class TProofVerdict : uint8_t { Possible, Impossible, Undetermined };

// Why a position was found impossible, or why no verdict came.
enum class TProofReason : uint8_t {
  None,         // possible
  Stuck,        // the knight has no free cell to jump to
  Unreachable,  // the blamed cells cannot be reached from the knight
  DeadEnd,      // the blamed cell, next to the knight, has no way on
  Split,        // the free cells fall apart; the blamed ones lie outside the
                // largest part, and a tour can cover only one part
  SingleWays,   // the blamed cells each have a single way in
  LastColour,   // the blamed cell has a single way in, so it is the last,
                // but the last move lands on the other colour
  Colours,      // the free cells' colours do not alternate
  Exhausted,    // the search tried every continuation
  Budget,       // the budget ran out (undetermined)
  Cancelled,    // cancelled (undetermined)
  BadPosition,  // the position is not one a game can reach (undetermined)
};

struct TProofCell {
  uint16_t X = 0;
  uint16_t Y = 0;
  bool operator==(const TProofCell&) const = default;
};

class TTourProver {
public:
  TTourProver();
  ~TTourProver();

  // Largest board proved: a tour is checked as a saved game would be.
  static constexpr int MaxSize = 100;

  // Limits of one proof; 0 nodes means no node limit.
  void SetBudget(std::chrono::milliseconds time, uint64_t nodes = 0)
  {
    FTimeBudget = time;
    FNodeBudget = nodes;
  }

  // Proves the position: cells numbered 1..count as in a game, the knight on
  // (posX, posY) when count > 0. From an empty board the tour may start on
  // any cell. Blocks until a verdict.
  TProofVerdict Prove(const TBoard& board, int n, uint16_t posX, uint16_t posY,
                      uint16_t count);

  // Asks a running proof to stop soon; it then answers Undetermined. The
  // request stands, also for a proof not yet started, until ClearCancel.
  void Cancel() { FCancel.store(true, std::memory_order_relaxed); }
  void ClearCancel() { FCancel.store(false, std::memory_order_relaxed); }

  // How far the running (or last) proof got: the search's nodes so far.
  uint64_t Nodes() const { return FNodes.load(std::memory_order_relaxed); }

  // The last verdict's details.
  TProofVerdict Verdict() const { return FVerdict; }
  TProofReason Reason() const { return FReason; }
  const std::vector<TProofCell>& Blamed() const { return FBlamed; }
  // For Colours: free cells of the knight's colour (of the corners' colour
  // on an empty board) and of the other one.
  int OwnColour() const { return FOwnColour; }
  int OtherColour() const { return FOtherColour; }
  // For Possible: the full tour, every cell numbered, ending on its last cell.
  const TSolution& Tour() const { return FTour; }

private:
  void Prepare(int n);
  int Index(int x, int y) const { return (x + 2) * FWidth + (y + 2); }
  TProofCell CellOf(int i) const;
  void Take(int c);
  void Free(int c);
  void Classify(int w, int from, int to);
  // The quick proofs at the knight's cell k; connectivity too when asked.
  // Fills the blamed cells only when blame is set.
  TProofReason Refute(int k, bool connectivity, bool blame);
  bool AllReachable(int k, bool blame);
  // Stamps `from` and the free cells joined to it; returns how many.
  int Flood(int from);
  // Whether the free cells hang together; blames those outside the largest
  // part next to the knight k when asked.
  bool AllJoined(int k, bool blame);
  // The search from the knight on k; Possible with FPath filled.
  TProofVerdict Search(int k, uint64_t nodeLimit);
  bool OutOfBudget();
  bool TourFromPath(const TBoard& board, uint16_t count);

  std::chrono::milliseconds FTimeBudget{5000};
  uint64_t FNodeBudget = 0;
  std::chrono::steady_clock::time_point FDeadline;
  std::atomic<bool> FCancel{false};
  std::atomic<uint64_t> FNodes{0};
  bool FStopped = false;  // budget or cancel during the present proof
  uint32_t FTieSalt = 0;  // 0: ties to the cell farther out; else by a hash

  // The board, 2 cells of border around it: FFree 1 for a free cell, FDegree
  // the free cells a jump away (kept for every cell), FColour and FCentre
  // (squared distance from the middle, doubled coordinates).
  int FSize = 0;
  int FWidth = 0;
  int FOffsets[8] = {};
  std::vector<uint8_t> FFree;
  std::vector<int16_t> FDegree;
  std::vector<uint8_t> FColour;
  std::vector<uint32_t> FCentre;
  std::vector<uint32_t> FSeen;  // BFS stamps
  uint32_t FStamp = 0;
  std::vector<int> FQueue;
  std::vector<int> FStarts;  // start cells of an empty board, best first
  // Free cells with no free neighbour, and with one (and the XOR of these
  // cells' indices, which names the cell when there is one).
  int FZero = 0;
  int FOne = 0;
  int FOneXor = 0;
  int FLeft = 0;  // free cells
  int FFreeOfColour[2] = {};
  // The search's stack: the cell moved to at each depth and the candidates.
  std::vector<int> FPath;
  std::vector<int> FCandidates;  // 8 per depth
  std::vector<uint8_t> FCandidateCount;
  std::vector<uint8_t> FCandidateNext;

  TProofVerdict FVerdict = TProofVerdict::Undetermined;
  TProofReason FReason = TProofReason::None;
  std::vector<TProofCell> FBlamed;
  int FOwnColour = 0;
  int FOtherColour = 0;
  TSolution FTour;
  std::unique_ptr<TSaveRecord> FRecord;
};

// True when the solution is a full tour of the n x n board that continues the
// position: every cell numbered once in knight's jumps, as a saved game is
// checked, and cells 1..count of board as they are there.
bool IsTourOf(const TSolution& tour, const TBoard& board, int n, uint16_t count,
              TSaveRecord& scratch);
