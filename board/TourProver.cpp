#include "board/TourProver.h"

#include <algorithm>

#include "board/KnightMoves.h"
#include "board/SaveRecord.h"

namespace {

// Below this many free cells every search node also tests reachability (a
// walk over the free cells); above it, one node in ConnectEvery does, which
// keeps a 100 x 100 search linear while still cutting off lost regions.
constexpr int ConnectLimit = 256;
constexpr uint64_t ConnectEvery = 64;
// How often the search looks at the clock and the cancel flag.
constexpr uint64_t ClockEvery = 1024;
// Nodes one start cell of an empty board gets before the next is tried.
constexpr uint64_t StartNodes = 20000;

}  // namespace

TTourProver::TTourProver() : FRecord(std::make_unique<TSaveRecord>()) {}

TTourProver::~TTourProver() = default;

bool IsTourOf(const TSolution& tour, const TBoard& board, int n, uint16_t count,
              TSaveRecord& scratch)
{
  if (n < SaveRecordMinSize || n > SaveRecordMaxSize || tour.Count != n * n ||
      !BoardCovers(tour.Board, n) || !BoardCovers(board, n))
    return false;
  scratch = TSaveRecord();
  RecordGame(scratch, tour.Board, n, tour.PosX, tour.PosY, tour.Count, gsStop);
  for (int x = 0; x < n; ++x)
    for (int y = 0; y < n; ++y) {
      const uint16_t before = board[x][y];
      if (before > count || (before != 0 && tour.Board[x][y] != before))
        return false;
    }
  return IsUsableSaveRecord(scratch);
}

TProofCell TTourProver::CellOf(int i) const
{
  return {static_cast<uint16_t>(i / FWidth - 2), static_cast<uint16_t>(i % FWidth - 2)};
}

void TTourProver::Prepare(int n)
{
  if (n == FSize)
    return;
  FSize = n;
  FWidth = n + 4;
  const int cells = FWidth * FWidth;
  for (int m = 0; m < 8; ++m)
    FOffsets[m] = KnightMoves[m].dx * FWidth + KnightMoves[m].dy;
  FFree.assign(cells, 0);
  FDegree.assign(cells, 0);
  FColour.assign(cells, 0);
  FCentre.assign(cells, 0);
  FSeen.assign(cells, 0);
  FStamp = 0;
  FQueue.assign(n * n, 0);
  FStarts.clear();
  for (int x = 0; x < n; ++x)
    for (int y = 0; y < n; ++y) {
      const int i = Index(x, y);
      FColour[i] = static_cast<uint8_t>((x + y) & 1);
      const int dx = 2 * x - (n - 1);
      const int dy = 2 * y - (n - 1);
      FCentre[i] = static_cast<uint32_t>(dx * dx + dy * dy);
      // On an odd board a tour starts on the corners' colour, the one with
      // a cell more.
      if (n % 2 == 0 || FColour[i] == 0)
        FStarts.push_back(i);
    }
  // Corners first, as Warnsdorff's walks from there rarely fail.
  std::stable_sort(FStarts.begin(), FStarts.end(),
                   [this](int a, int b) { return FCentre[a] > FCentre[b]; });
  FPath.assign(n * n + 1, 0);
  FCandidates.assign(8 * (n * n + 1), 0);
  FCandidateCount.assign(n * n + 1, 0);
  FCandidateNext.assign(n * n + 1, 0);
}

// A free cell's count of free neighbours goes from `from` to `to`.
void TTourProver::Classify(int w, int from, int to)
{
  if (from == 0)
    --FZero;
  else if (from == 1) {
    --FOne;
    FOneXor ^= w;
  }
  if (to == 0)
    ++FZero;
  else if (to == 1) {
    ++FOne;
    FOneXor ^= w;
  }
}

void TTourProver::Take(int c)
{
  FFree[c] = 0;
  --FLeft;
  --FFreeOfColour[FColour[c]];
  Classify(c, FDegree[c], -1);
  for (const int o : FOffsets) {
    const int w = c + o;
    const int d = FDegree[w]--;
    if (FFree[w])
      Classify(w, d, d - 1);
  }
}

void TTourProver::Free(int c)
{
  for (const int o : FOffsets) {
    const int w = c + o;
    const int d = FDegree[w]++;
    if (FFree[w])
      Classify(w, d, d + 1);
  }
  FFree[c] = 1;
  ++FLeft;
  ++FFreeOfColour[FColour[c]];
  Classify(c, -1, FDegree[c]);
}

bool TTourProver::AllReachable(int k, bool blame)
{
  const int tail = Flood(k);
  // The knight's own cell is counted when it is not free.
  const int reached = tail - (FFree[k] ? 0 : 1);
  if (reached == FLeft)
    return true;
  if (blame)
    for (int x = 0; x < FSize; ++x)
      for (int y = 0; y < FSize; ++y) {
        const int i = Index(x, y);
        if (FFree[i] && FSeen[i] != FStamp)
          FBlamed.push_back(CellOf(i));
      }
  return false;
}

int TTourProver::Flood(int from)
{
  if (++FStamp == 0) {
    std::fill(FSeen.begin(), FSeen.end(), 0);
    FStamp = 1;
  }
  int head = 0;
  int tail = 0;
  FSeen[from] = FStamp;
  FQueue[tail++] = from;
  while (head < tail) {
    const int v = FQueue[head++];
    for (const int o : FOffsets) {
      const int w = v + o;
      if (FFree[w] && FSeen[w] != FStamp) {
        FSeen[w] = FStamp;
        FQueue[tail++] = w;
      }
    }
  }
  return tail;
}

bool TTourProver::AllJoined(int k, bool blame)
{
  const uint32_t first = FStamp + 1;
  uint32_t largest = 0;
  int largestSize = 0;
  int parts = 0;
  for (const int o : FOffsets) {
    const int w = k + o;
    if (!FFree[w] || (FSeen[w] >= first && FSeen[w] <= FStamp && parts > 0))
      continue;
    const int size = Flood(w);
    if (size == FLeft)
      return true;
    ++parts;
    if (size > largestSize) {
      largestSize = size;
      largest = FStamp;
    }
    if (!blame)
      return false;
  }
  if (blame)
    for (int x = 0; x < FSize; ++x)
      for (int y = 0; y < FSize; ++y) {
        const int i = Index(x, y);
        if (FFree[i] && FSeen[i] != largest)
          FBlamed.push_back(CellOf(i));
      }
  return false;
}

TProofReason TTourProver::Refute(int k, bool connectivity, bool blame)
{
  const int left = FLeft;
  if (left == 0)
    return TProofReason::None;
  int nextZero = 0;
  int nextOne = 0;
  int nextOneXor = 0;
  bool any = false;
  for (const int o : FOffsets) {
    const int w = k + o;
    if (!FFree[w])
      continue;
    any = true;
    if (FDegree[w] == 0)
      ++nextZero;
    else if (FDegree[w] == 1) {
      ++nextOne;
      nextOneXor ^= w;
    }
  }
  if (!any)
    return TProofReason::Stuck;
  // A free cell that neither a free cell nor the knight reaches is lost.
  if (blame && connectivity && !AllReachable(k, true))
    return TProofReason::Unreachable;
  if (FZero > nextZero)
    return TProofReason::Unreachable;
  // Reached only from the knight and with no way on: first and last at once.
  if (nextZero > 0 && left >= 2) {
    if (blame)
      for (const int o : FOffsets)
        if (FFree[k + o] && FDegree[k + o] == 0)
          FBlamed.push_back(CellOf(k + o));
    return TProofReason::DeadEnd;
  }
  if (blame && connectivity && !AllJoined(k, true))
    return TProofReason::Split;
  // A cell with a single way in is entered by it and left by none: the last.
  const int single = FOne - nextOne;
  if (single >= 2) {
    if (blame)
      for (int x = 0; x < FSize; ++x)
        for (int y = 0; y < FSize; ++y) {
          const int i = Index(x, y);
          bool nextToKnight = false;
          for (const int o : FOffsets)
            nextToKnight = nextToKnight || i + o == k;
          if (FFree[i] && FDegree[i] == 1 && !nextToKnight)
            FBlamed.push_back(CellOf(i));
        }
    return TProofReason::SingleWays;
  }
  // The last of `left` jumps lands on the knight's colour when left is even.
  if (single == 1) {
    const int last = FOneXor ^ nextOneXor;
    if (FColour[last] != (FColour[k] ^ (left & 1))) {
      if (blame)
        FBlamed.push_back(CellOf(last));
      return TProofReason::LastColour;
    }
  }
  const int other = FFreeOfColour[FColour[k] ^ 1];
  if (other != (left + 1) / 2) {
    if (blame) {
      FOwnColour = left - other;
      FOtherColour = other;
    }
    return TProofReason::Colours;
  }
  if (connectivity && !blame && !AllJoined(k, false))
    return TProofReason::Split;
  return TProofReason::None;
}

bool TTourProver::OutOfBudget()
{
  const uint64_t nodes = FNodes.load(std::memory_order_relaxed);
  FStopped = FStopped || FCancel.load(std::memory_order_relaxed) ||
             (FNodeBudget != 0 && nodes >= FNodeBudget) ||
             std::chrono::steady_clock::now() >= FDeadline;
  return FStopped;
}

TProofVerdict TTourProver::Search(int k, uint64_t nodeLimit)
{
  uint64_t nodes = FNodes.load(std::memory_order_relaxed);
  const uint64_t first = nodes;
  int d = 0;
  FPath[0] = k;
  auto candidates = [this](int depth, int from) {
    int* list = &FCandidates[8 * depth];
    uint32_t keys[8];
    int count = 0;
    for (const int o : FOffsets) {
      const int w = from + o;
      if (!FFree[w])
        continue;
      // Fewest onward jumps first; of equals, the one farther out.
      // A restart breaks ties by a hash of the cell instead.
      const uint32_t tie = FTieSalt == 0 ? 0xFFFFFu - FCentre[w]
                                         : ((uint32_t(w) ^ FTieSalt) * 2654435761u) >> 12;
      const uint32_t key = static_cast<uint32_t>(FDegree[w]) << 20 | tie;
      int at = count++;
      while (at > 0 && keys[at - 1] > key) {
        keys[at] = keys[at - 1];
        list[at] = list[at - 1];
        --at;
      }
      keys[at] = key;
      list[at] = w;
    }
    FCandidateCount[depth] = static_cast<uint8_t>(count);
    FCandidateNext[depth] = 0;
  };
  auto unwind = [this, &d] {
    for (; d > 0; --d)
      Free(FPath[d]);
  };
  candidates(0, k);
  for (;;) {
    if (FLeft == 0) {
      FNodes.store(nodes, std::memory_order_relaxed);
      FPath[d + 1] = -1;
      return TProofVerdict::Possible;
    }
    if (FCandidateNext[d] == FCandidateCount[d]) {
      if (d == 0) {
        FNodes.store(nodes, std::memory_order_relaxed);
        return TProofVerdict::Impossible;
      }
      Free(FPath[d]);
      --d;
      continue;
    }
    const int c = FCandidates[8 * d + FCandidateNext[d]++];
    Take(c);
    ++nodes;
    if (nodes % ClockEvery == 0) {
      FNodes.store(nodes, std::memory_order_relaxed);
      if (OutOfBudget() || (nodeLimit != 0 && nodes - first >= nodeLimit)) {
        Free(c);
        unwind();
        return TProofVerdict::Undetermined;
      }
    }
    const bool connect = FLeft <= ConnectLimit || nodes % ConnectEvery == 0;
    if (Refute(c, connect, false) != TProofReason::None) {
      Free(c);
      continue;
    }
    FPath[++d] = c;
    candidates(d, c);
  }
}

bool TTourProver::TourFromPath(const TBoard& board, uint16_t count)
{
  const int n = FSize;
  FTour.Board.assign(n, std::vector<uint16_t>(n, 0));
  for (int x = 0; x < n; ++x)
    std::copy_n(board[x].begin(), n, FTour.Board[x].begin());
  // From an empty board the path's first cell is the first move.
  uint16_t number = count;
  int last = count == 0 ? -1 : FPath[0];
  for (int d = count == 0 ? 0 : 1; d <= n * n && FPath[d] >= 0; ++d) {
    last = FPath[d];
    const TProofCell cell = CellOf(last);
    FTour.Board[cell.X][cell.Y] = ++number;
    if (number == n * n)
      break;
  }
  if (last >= 0) {
    FTour.PosX = CellOf(last).X;
    FTour.PosY = CellOf(last).Y;
  }
  FTour.Count = number;
  return IsTourOf(FTour, board, n, count, *FRecord);
}

TProofVerdict TTourProver::Prove(const TBoard& board, int n, uint16_t posX, uint16_t posY,
                                 uint16_t count)
{
  FNodes.store(0, std::memory_order_relaxed);
  FStopped = false;
  FDeadline = std::chrono::steady_clock::now() + FTimeBudget;
  FBlamed.clear();
  FOwnColour = FOtherColour = 0;
  FTour = TSolution();
  auto answer = [this](TProofVerdict verdict, TProofReason reason) {
    FVerdict = verdict;
    FReason = reason;
    return verdict;
  };

  // Only a position a game can reach is proved.
  if (n < SaveRecordMinSize || n > MaxSize || !BoardCovers(board, n))
    return answer(TProofVerdict::Undetermined, TProofReason::BadPosition);
  *FRecord = TSaveRecord();
  RecordGame(*FRecord, board, n, posX, posY, count, gsPlay);
  if (!IsUsableSaveRecord(*FRecord))
    return answer(TProofVerdict::Undetermined, TProofReason::BadPosition);

  Prepare(n);
  std::fill(FFree.begin(), FFree.end(), 0);
  FLeft = 0;
  FFreeOfColour[0] = FFreeOfColour[1] = 0;
  for (int x = 0; x < n; ++x)
    for (int y = 0; y < n; ++y)
      if (board[x][y] == 0) {
        const int i = Index(x, y);
        FFree[i] = 1;
        ++FLeft;
        ++FFreeOfColour[FColour[i]];
      }
  FZero = FOne = FOneXor = 0;
  for (int i = 0; i < FWidth * FWidth; ++i) {
    const int x = i / FWidth - 2;
    const int y = i % FWidth - 2;
    int d = 0;
    if (OnBoard(x, y, n))
      for (const int o : FOffsets)
        d += FFree[i + o];
    FDegree[i] = static_cast<int16_t>(d);
    if (FFree[i])
      Classify(i, -1, d);
  }

  FTieSalt = 0;
  if (count == 0) {
    // An odd board's cells of the corners' colour outnumber the others by
    // one; every start is tried in turn, each with a share of nodes.
    FOwnColour = FFreeOfColour[0];
    FOtherColour = FFreeOfColour[1];
    bool unsettled = false;
    for (const int s : FStarts) {
      Take(s);
      TProofVerdict v = TProofVerdict::Impossible;
      if (Refute(s, true, false) == TProofReason::None)
        v = Search(s, StartNodes + 4 * uint64_t(n) * n);
      if (v == TProofVerdict::Possible)
        break;
      Free(s);
      if (FStopped)
        return answer(TProofVerdict::Undetermined,
                      FCancel.load() ? TProofReason::Cancelled : TProofReason::Budget);
      unsettled = unsettled || v == TProofVerdict::Undetermined;
    }
    if (FLeft != 0)
      return unsettled ? answer(TProofVerdict::Undetermined, TProofReason::Budget)
                       : answer(TProofVerdict::Impossible, TProofReason::Exhausted);
  } else {
    const int k = Index(posX, posY);
    const TProofReason reason = Refute(k, true, true);
    if (reason != TProofReason::None)
      return answer(TProofVerdict::Impossible, reason);
    FPath[0] = k;
    FPath[1] = -1;  // a won board: no move to add
    // Searches with growing node limits, each breaking ties its own way, so
    // that an early wrong choice is not kept for the whole budget; a search
    // that ends within its limit has tried every continuation.
    TProofVerdict v = TProofVerdict::Possible;
    uint64_t limit = StartNodes + 4 * uint64_t(n) * n;
    for (uint32_t round = 0; FLeft != 0; ++round, limit *= 2) {
      FTieSalt = round * 0x9E3779B9u;
      v = Search(k, limit);
      if (v != TProofVerdict::Undetermined || FStopped)
        break;
    }
    FTieSalt = 0;
    if (v == TProofVerdict::Impossible)
      return answer(v, TProofReason::Exhausted);
    if (v == TProofVerdict::Undetermined)
      return answer(v, FCancel.load() ? TProofReason::Cancelled : TProofReason::Budget);
  }
  // A tour is shown only once it has passed the saved games' check.
  if (!TourFromPath(board, count))
    return answer(TProofVerdict::Undetermined, TProofReason::BadPosition);
  return answer(TProofVerdict::Possible, TProofReason::None);
}
