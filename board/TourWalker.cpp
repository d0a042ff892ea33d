#include "board/TourWalker.h"

#include <array>
#include <cassert>
#include <cstring>
#include <utility>

#include "board/KnightMoves.h"
#include "board/Random.h"

namespace {
constexpr uint16_t Taken = 0xFFFF;
constexpr uint16_t RankMask = 0xF0FF;
constexpr uint16_t DeadEndRank = 0xF000;
constexpr uint16_t TakenRank = 0xF0FF;
constexpr uint16_t OneNeighbour = 0x0100;

// The low 16 bits of a cell's address, as the walk records its moves.
uint16_t Mark(const uint16_t* cell)
{
  return static_cast<uint16_t>(reinterpret_cast<uintptr_t>(cell));
}

// Table distance of jump k for rows of 1 << Shift cells.
template <int Shift>
constexpr int Offset(int k)
{
  return KnightMoves[k].dx * (1 << Shift) + KnightMoves[k].dy;
}

// How a cell's weight changes along one side for a jump of -2, -1, +1 and +2:
// rising or falling steadily, or across the middle of an even or odd side.
constexpr int Profiles[][4] = {
    {-2, -1, 1, 2}, {2, 1, -1, -2},                                      // steady
    {-2, -1, 1, 1}, {-2, -1, 0, -1}, {-1, 0, -1, -2}, {1, 1, -1, -2},  // even middle
    {-2, -1, 1, 0}, {-2, -1, -1, -2}, {0, 1, -1, -2},                  // odd middle
};
constexpr int ProfileCount = 9;
constexpr int ClassCount = ProfileCount * ProfileCount;
// The low byte of a free cell's word is its slope class, or this when its
// neighbours' weights fit no class the choice below handles; a taken cell's
// is 0xFF.
constexpr uint8_t Unclassed = 0xFE;

// The column of Profiles for a jump of d along a side.
constexpr int Column(int d)
{
  return d < 0 ? d + 2 : d + 1;
}

// How much heavier jump k's target is than the cell, in class c.
constexpr int Slope(int c, int k)
{
  return Profiles[c / ProfileCount][Column(KnightMoves[k].dx)] +
         Profiles[c % ProfileCount][Column(KnightMoves[k].dy)];
}

// A class's jumps grouped by slope, lightest group first, each group in
// jump order. Fast is set when no group has more than two jumps.
struct TGroups {
  int Count = 0;
  int Size[8] = {};
  int Jump[8][8] = {};
  bool Fast = true;
};

constexpr TGroups Groups(int c)
{
  TGroups g;
  bool used[8] = {};
  for (;;) {
    int least = 1000;
    for (int k = 0; k < 8; ++k)
      if (!used[k] && Slope(c, k) < least)
        least = Slope(c, k);
    if (least == 1000)
      break;
    for (int k = 0; k < 8; ++k)
      if (!used[k] && Slope(c, k) == least) {
        used[k] = true;
        g.Jump[g.Count][g.Size[g.Count]++] = k;
      }
    g.Fast = g.Fast && g.Size[g.Count] <= 2;
    ++g.Count;
  }
  return g;
}

// Coins the plain step draws in class c with the given jumps blocked, or
// 0xFF where the choice below does not make the plain step's move: the
// lightest group with a live jump wins, its later jump when both are live
// and the step's first coin says so.
using TDrawTable = std::array<std::array<uint8_t, 256>, ClassCount>;

TDrawTable MakeDrawTable()
{
  TDrawTable table{};
  for (int c = 0; c < ClassCount; ++c) {
    const TGroups groups = Groups(c);
    for (int blocked = 0; blocked < 256; ++blocked) {
      table[c][blocked] = 0xFF;
      if (!groups.Fast || blocked == 0xFF)
        continue;
      auto plain = [&](int coins, int& draws) {
        int best = 1000;
        int move = -1;
        draws = 0;
        for (int k = 0; k < 8; ++k) {
          if (blocked >> k & 1)
            continue;
          if (Slope(c, k) < best) {
            best = Slope(c, k);
            move = k;
          } else if (Slope(c, k) == best) {
            if (coins >> draws & 1)
              move = k;
            ++draws;
          }
        }
        return move;
      };
      int expect[2] = {-1, -1};
      for (int i = 0; i < groups.Count && expect[0] < 0; ++i) {
        const int a = groups.Jump[i][0];
        const int b = groups.Size[i] == 2 ? groups.Jump[i][1] : a;
        const bool liveA = !(blocked >> a & 1);
        const bool liveB = !(blocked >> b & 1);
        if (liveA && liveB) {
          expect[0] = a;
          expect[1] = b;
        } else if (liveA || liveB) {
          expect[0] = expect[1] = liveA ? a : b;
        }
      }
      int draws = 0;
      plain(0, draws);
      bool agrees = true;
      for (int coins = 0; coins < (1 << draws); ++coins) {
        int d = 0;
        agrees = agrees && plain(coins, d) == expect[coins & 1];
      }
      if (agrees)
        table[c][blocked] = static_cast<uint8_t>(draws);
    }
  }
  return table;
}

const TDrawTable& DrawTable()
{
  static const TDrawTable table = MakeDrawTable();
  return table;
}

constexpr int CoinBatch = 56;
// Boards whose rows fit in 1 << BranchyShift cells (up to 10 x 10) are walked
// with branches: on them the knight changes class nearly every step.
constexpr int BranchyShift = 4;

// The knight's next cell if group I of class C wins: its later jump's when
// that one is live and either the earlier one is not or the coin says so.
template <int Shift, int C, int I>
__attribute__((always_inline)) inline uint16_t* GroupMove(uint16_t* p, const uint32_t* b, uint32_t coin)
{
  constexpr TGroups groups = Groups(C);
  constexpr int A = groups.Jump[I][0];
  uint16_t* m = p + Offset<Shift>(A);
  if constexpr (groups.Size[I] == 2) {
    constexpr int B = groups.Jump[I][1];
    uint16_t* mb = p + Offset<Shift>(B);
    const uint32_t x = b[A] + coin;
#if defined(__x86_64__)
    // Written out, so that the compiler cannot turn it into a branch.
    asm("cmp %[x], %[bb]\n\tcmovb %[mb], %[m]" : [m] "+r"(m) : [x] "r"(x), [bb] "r"(b[B]), [mb] "r"(mb) : "cc");
#else
    m = b[B] < x ? mb : m;
#endif
  }
  return m;
}

// The knight's next cell from p in class C, given each jump's blocked bit:
// the lightest group with a live jump wins. Chosen by data, with no branch
// to mispredict.
template <int Shift, int C, int I = 0>
__attribute__((always_inline)) inline uint16_t* Choose(uint16_t* p, const uint32_t* b, uint32_t coin)
{
  constexpr TGroups groups = Groups(C);
  if constexpr (I == groups.Count - 1) {
    return GroupMove<Shift, C, I>(p, b, coin);
  } else {
    // A lighter group with a live jump (not both blocked) replaces the rest.
    uint16_t* next = Choose<Shift, C, I + 1>(p, b, coin);
    uint16_t* const m = GroupMove<Shift, C, I>(p, b, coin);
    constexpr int A = groups.Jump[I][0];
    constexpr int B = groups.Jump[I][groups.Size[I] - 1];
#if defined(__x86_64__)
    asm("test %[ba], %[bb]\n\tcmovz %[m], %[next]" : [next] "+r"(next) : [ba] "r"(b[A]), [bb] "r"(b[B]), [m] "r"(m) : "cc");
#else
    next = (b[A] & b[B]) == 0 ? m : next;
#endif
    return next;
  }
}

// Runs the choice for class C, where the class has one.
template <int C, typename TDecide>
__attribute__((always_inline)) inline void Dispatch(TDecide& decide)
{
  if constexpr (Groups(C).Fast)
    decide(std::integral_constant<int, C>());
}
}  // namespace

void TTourWalker::SetStart(const TBoard& board, const TBoard& weights, int n,
                           uint16_t posX, uint16_t posY, uint16_t count)
{
  assert(n >= 1 && n <= MaxSize);
  assert(BoardCovers(board, n) && BoardCovers(weights, n));
  FSize = n;
  FShift = 3;
  while ((1 << FShift) < n + 6)
    ++FShift;
  const size_t cells = static_cast<size_t>(n + 6) << FShift;
  FStartWords.assign(cells, Taken);
  FWords.resize(cells);
  FWeights.assign(cells, 0xFF);
  FStartCells.resize(static_cast<size_t>(n) * n);
  FPath.resize(static_cast<size_t>(n) * n);
  FPathLength = 0;

  auto freeNeighbours = [&](int x, int y) {
    int free = 0;
    for (const TKnightMove& m : KnightMoves) {
      const int cx = x + m.dx;
      const int cy = y + m.dy;
      free += OnBoard(cx, cy, n) && board[cx][cy] == 0;
    }
    return free;
  };
  auto slopeClass = [&](int x, int y) {
    for (int c = 0; c < ClassCount; ++c) {
      bool fits = true;
      for (int k = 0; k < 8 && fits; ++k) {
        const int cx = x + KnightMoves[k].dx;
        const int cy = y + KnightMoves[k].dy;
        fits = !OnBoard(cx, cy, n) || weights[cx][cy] - weights[x][y] == Slope(c, k);
      }
      if (fits)
        return Groups(c).Fast ? static_cast<uint8_t>(c) : Unclassed;
    }
    return Unclassed;
  };
  for (int x = 0; x < n; ++x)
    for (int y = 0; y < n; ++y) {
      FStartCells[static_cast<size_t>(x) * n + y] = board[x][y];
      FWeights[Index(x, y)] = static_cast<uint8_t>(weights[x][y]);
      if (board[x][y] == 0)
        FStartWords[Index(x, y)] =
            static_cast<uint16_t>(((freeNeighbours(x, y) - 1) << 8) +
                                  (FShift <= BranchyShift ? weights[x][y] & 0xFF : slopeClass(x, y)));
    }
  DrawTable();

  FStartX = posX;
  FStartY = posY;
  FStartCount = count;
  FCount = count;
  // With no move made the knight's fields mean nothing: each walk draws a
  // corner. Otherwise the walk goes on from the knight, even from just off the
  // board as the plain step would; from further off no jump reaches the board.
  if (count == 0)
    FStartPos = Index(0, 0);
  else if (posX < n + 2 && posY < n + 2)
    FStartPos = Index(posX, posY);
  else
    FStartPos = -1;
}

// Draws batch coins (a multiple of 8, at most CoinBatch) from the stream
// state from: bit i is set when the i-th draw says to take the later of two
// equal jumps. FCoinMarks keeps the state before every 8th coin, so the
// stream can be handed back exactly.
__attribute__((noinline)) uint64_t TTourWalker::FillCoins(TRandomState from, int batch)
{
  uint32_t s0 = from.S[0], s1 = from.S[1], s2 = from.S[2], s3 = from.S[3];
  uint64_t bits = 0;
  for (int j = 0; j < batch / 8; ++j) {
    FCoinMarks[j] = {{s0, s1, s2, s3}};
    for (int i = 0; i < 8; ++i) {
      // Each draw's top bit goes in at the top; a clear one takes the later jump.
      const uint32_t r = RandomDetail::Step(s0, s1, s2, s3);
      bits = bits >> 1 | static_cast<uint64_t>(r & 0x80000000u) << 32;
    }
  }
  FCoinMarks[batch / 8] = {{s0, s1, s2, s3}};
  FCoinBatch = batch;
  return ~bits >> (64 - batch) | 1ull << batch;
}

TRandomState TTourWalker::StateBefore(int consumed) const
{
  TRandomState s = FCoinMarks[consumed / 8];
  for (int i = 0; i < consumed % 8; ++i)
    RandomDetail::Step(s.S[0], s.S[1], s.S[2], s.S[3]);
  return s;
}

__attribute__((noinline)) uint64_t TTourWalker::RefillCoins(uint64_t coins)
{
  return FillCoins(StateBefore(FCoinBatch - (63 - __builtin_clzll(coins))), CoinBatch);
}

// The plain step on the knight at p, for a cell of no slope class or a
// candidate that has just become a dead end: taken cells keep 0xFF in their
// low byte, and the weights come from their own table.
template <int Shift>
__attribute__((noinline)) TTourWalker::TStep TTourWalker::PlainStep(const uint16_t* p, uint64_t coins) const
{
  const uint8_t* const weights = FWeights.data() + (p - FWords.data());
  uint32_t best = TakenRank - 1;
  intptr_t move = 0;
  for (int k = 0; k < 8; ++k) {
    const uint32_t word = p[Offset<Shift>(k)];
    const uint32_t rank = (word & 0xFF) == 0xFF ? TakenRank : (word & 0xF000) | weights[Offset<Shift>(k)];
    if (rank < best) {
      best = rank;
      move = Offset<Shift>(k);
    } else if (rank == best) {
      if (coins & 1)
        move = Offset<Shift>(k);
      coins >>= 1;
    }
  }
  return {move, coins, best >= DeadEndRank};
}

// The walk from the knight on table cell pos, its moves recorded from
// FPath[length]; returns the new length. Each step first takes the knight's
// cell off its neighbours' counts, where those neighbours are read as
// candidates anyway. A step by class chooses a live cell, so the walk can
// only end in a plain step.
template <int Shift>
__attribute__((aligned(64))) int TTourWalker::Run(int pos, int length, TRandomState& stream)
{
  uint16_t* const words = FWords.data();
  uint16_t* out = FPath.data() + length;
  uint16_t* p = words + pos;
  const uint8_t* const draws = DrawTable()[0].data();
  uint32_t cls = FStartWords[pos] & 0xFF;
  // Short walks draw few coins: the first batch is small.
  uint64_t coins = FillCoins(stream, 16);
  for (;;) {
    if (__builtin_expect(coins < 0x100, 0))
      coins = RefillCoins(coins);
    uint32_t t[8];
    auto take = [&](int k) __attribute__((always_inline)) {
      uint32_t v = static_cast<uint32_t>(p[Offset<Shift>(k)]) - OneNeighbour;
      asm("" : "+r"(v));
      t[k] = v;
      p[Offset<Shift>(k)] = static_cast<uint16_t>(v);
    };
    take(0); take(1); take(2); take(3); take(4); take(5); take(6); take(7);
    uint16_t* next = p;
    bool fast = false;
    auto decide = [&](auto c) __attribute__((always_inline)) {
      constexpr int C = decltype(c)::value;
      // Bit 15 of a live cell's word is clear and of a taken one set; a cell
      // that has just become a dead end wraps round to a huge value, which
      // throws the index out of the table.
      uint32_t b[8];
      for (int k = 0; k < 8; ++k)
        b[k] = t[k] >> 15;
      const uint32_t coin = static_cast<uint32_t>(coins) & 1;
      next = Choose<Shift, C>(p, b, coin);
      auto pair = [&](int k) __attribute__((always_inline)) {
        uint32_t v = b[k] + 2 * b[k + 1];
        asm("" : "+r"(v));
        return v;
      };
      const uint32_t index = (pair(0) + 4 * pair(2)) + 16 * (pair(4) + 4 * pair(6));
      if (__builtin_expect(index < 256, 1)) {
        const uint32_t d = draws[C << 8 | index];
        if (__builtin_expect(d != 0xFF, 1)) {
          coins >>= d;
          fast = true;
        }
      }
    };
    // The classes as cases of one switch, so that the step jumps straight to
    // the code of its cell's class.
#define VILTRON_CLASS(c) \
  case c:                \
    Dispatch<c>(decide); \
    break;
#define VILTRON_CLASSES(c)                                                      \
  VILTRON_CLASS(c) VILTRON_CLASS(c + 1) VILTRON_CLASS(c + 2) VILTRON_CLASS(c + 3) \
  VILTRON_CLASS(c + 4) VILTRON_CLASS(c + 5) VILTRON_CLASS(c + 6) VILTRON_CLASS(c + 7) VILTRON_CLASS(c + 8)
    static_assert(ClassCount == 81);
    switch (cls) {
      VILTRON_CLASSES(0)
      VILTRON_CLASSES(9)
      VILTRON_CLASSES(18)
      VILTRON_CLASSES(27)
      VILTRON_CLASSES(36)
      VILTRON_CLASSES(45)
      VILTRON_CLASSES(54)
      VILTRON_CLASSES(63)
      VILTRON_CLASSES(72)
      default:
        break;
    }
#undef VILTRON_CLASSES
#undef VILTRON_CLASS
    if (__builtin_expect(fast, 1)) {
      p = next;
      cls = *p & 0xFF;
      *p = Taken;
      *out++ = Mark(p);
      continue;
    }
    const TStep step = PlainStep<Shift>(p, coins);
    coins = step.Coins;
    p += step.Move;
    cls = *p & 0xFF;
    *p = Taken;
    *out++ = Mark(p);
    if (step.Stuck)
      break;
  }
  stream = StateBefore(FCoinBatch - (63 - __builtin_clzll(coins)));
  FLastCell = static_cast<int>(p - words);
  return static_cast<int>(out - FPath.data());
}

// The walk on a small board, where the knight changes class nearly every
// step: the plain choice with branches, on words that hold the weights in
// their low byte, so that a word orders as its rank once the count bits are
// masked off (a dead end after every live cell, a taken cell last). Moves
// are recorded as in Run. The loop's speed swings by several per cent with
// where its branches fall in the instruction cache lines, so the function
// starts on a line of its own, wherever the linker puts it.
template <int Shift>
__attribute__((aligned(64))) int TTourWalker::RunBranchy(int pos, int length, TRandomState& stream)
{
  uint16_t* const words = FWords.data();
  uint16_t* out = FPath.data() + length;
  uint16_t* p = words + pos;
  TLocalRandom random(stream);
  for (;;) {
    // All eight cells are read, counted down and ranked before the first
    // comparison: a mispredicted comparison then replays only the comparisons
    // after it, and the loads never wait for one.
    uint32_t rank[8];
    auto take = [&](int k) __attribute__((always_inline)) {
      const uint16_t word = static_cast<uint16_t>(p[Offset<Shift>(k)] - OneNeighbour);
      p[Offset<Shift>(k)] = word;
      rank[k] = word & RankMask;
    };
    take(0);
    take(1);
    take(2);
    take(3);
    take(4);
    take(5);
    take(6);
    take(7);
    // A free cell ranks below the start value and a taken one above it, so the
    // first free candidate is always taken; a later one replaces it when
    // lighter, or by a coin when as heavy. The move comes from the taken
    // branch as a constant, so the next step's loads need not wait for the
    // comparisons to finish.
    uint32_t best = TakenRank - 1;
    intptr_t move = 0;
    auto candidate = [&](int k) __attribute__((always_inline)) {
      // Most candidates are heavier: one test passes them, and the other
      // cases lie out of line.
      if (__builtin_expect(rank[k] <= best, 0)) {
        if (rank[k] < best) {
          best = rank[k];
          move = Offset<Shift>(k);
        } else {
          move = random.Draw(2) == 0 ? Offset<Shift>(k) : move;
        }
      }
    };
    candidate(0);
    candidate(1);
    candidate(2);
    candidate(3);
    candidate(4);
    candidate(5);
    candidate(6);
    candidate(7);
    // Only the pointer moves, and its low bits are the record: the table's
    // address is not needed in the loop.
    p += move;
    *p = Taken;
    *out++ = Mark(p);
    // The knight's arrival does not change its new cell's free neighbours:
    // a dead end leaves it stuck.
    if (best >= DeadEndRank)
      break;
  }
  random.Store();
  FLastCell = static_cast<int>(p - words);
  return static_cast<int>(out - FPath.data());
}

uint16_t TTourWalker::Walk(TRandomState& stream)
{
  FPathLength = 0;
  FCount = FStartCount;
  if (FStartPos < 0)
    return FCount;
  std::memcpy(FWords.data(), FStartWords.data(), FWords.size() * sizeof(uint16_t));
  uint16_t* const words = FWords.data();
  int pos = FStartPos;
  int length = 0;
  // Whether the knight's cell is taken by this walk, so that its neighbours
  // still count it as free.
  bool newCell = false;
  if (FStartCount == 0) {
    const int last = FSize - 1;
    switch (Random(stream, 4)) {
      case 0: pos = Index(0, 0); break;
      case 1: pos = Index(last, 0); break;
      case 2: pos = Index(0, last); break;
      default: pos = Index(last, last); break;
    }
    newCell = words[pos] != Taken;
    words[pos] = Taken;
    FPath[length++] = Mark(words + pos);
    FLastCell = pos;
  }
  // The first move recorded is the corner itself or a jump from the knight.
  FPathOrigin = pos;
  FPathOriginMark = Mark(words + pos);

  const int stride = 1 << FShift;
  bool stuck = true;
  for (const TKnightMove& m : KnightMoves)
    stuck = stuck && (words[pos + m.dx * stride + m.dy] & 0xFF) == 0xFF;
  if (!stuck) {
    // Every step first takes the knight's cell off its neighbours' counts;
    // for a cell the walk did not take, give that back beforehand.
    if (!newCell)
      for (const TKnightMove& m : KnightMoves)
        words[pos + m.dx * stride + m.dy] += OneNeighbour;
    switch (FShift) {
      case 3: length = RunBranchy<3>(pos, length, stream); break;
      case 4: length = RunBranchy<4>(pos, length, stream); break;
      case 5: length = Run<5>(pos, length, stream); break;
      case 6: length = Run<6>(pos, length, stream); break;
      case 7: length = Run<7>(pos, length, stream); break;
      default: length = Run<8>(pos, length, stream); break;
    }
  }
  FPathLength = length;
  FCount = static_cast<uint16_t>(FStartCount + length);
  return FCount;
}

uint16_t TTourWalker::PosX() const
{
  if (FPathLength == 0)
    return FStartX;
  return static_cast<uint16_t>((FLastCell >> FShift) - 2);
}

uint16_t TTourWalker::PosY() const
{
  if (FPathLength == 0)
    return FStartY;
  return static_cast<uint16_t>((FLastCell & ((1 << FShift) - 1)) - 2);
}

void TTourWalker::CopyCellsTo(TBoard& board) const
{
  const int n = FSize;
  for (int x = 0; x < n; ++x)
    std::memcpy(board[x].data(), FStartCells.data() + static_cast<size_t>(x) * n,
                n * sizeof(uint16_t));
  const int mask = (1 << FShift) - 1;
  int c = FPathOrigin;
  uint16_t mark = FPathOriginMark;
  for (int i = 0; i < FPathLength; ++i) {
    // Marks are byte addresses of 16-bit cells: half their difference is
    // the jump, which is far shorter than 1 << 15 cells.
    c += static_cast<int16_t>(FPath[i] - mark) / 2;
    mark = FPath[i];
    board[(c >> FShift) - 2][(c & mask) - 2] = static_cast<uint16_t>(FStartCount + 1 + i);
  }
}
