// Speed of the tour prover, one table, one row per case:
// - from the empty board at every N from 5 to 100, five runs each: whether it
//   found a tour every time, the median and the worst time;
// - from positions of a fixed, seeded generator (greedy walks, fewest onward
//   jumps, one move in ten random, cut at 25, 50, 75 and 90 % of the cells)
//   on N = 8, 20, 50, 100, 100 positions each: the share decided (possible or
//   impossible) within the game's 5 s budget, the median and the worst time.
// Times are this thread's CPU time, so that other programs on the machine
// count as little as they can; the budget is wall time, as in the game.
// Usage: bench_prover [positions per row]

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "board/KnightMoves.h"
#include "board/TourProver.h"

namespace {

double CpuMs()
{
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec * 1e-6;
}

struct TPosition {
  TBoard Board;
  uint16_t X = 0;
  uint16_t Y = 0;
  uint16_t Count = 0;
};

// A walk from a random cell that stops at `cut` moves; a walk stuck before
// that is thrown away and another made.
TPosition Generated(int n, int cut, std::mt19937& random)
{
  for (;;) {
    TPosition p{TBoard(n, std::vector<uint16_t>(n, 0))};
    p.X = static_cast<uint16_t>(random() % n);
    p.Y = static_cast<uint16_t>(random() % n);
    p.Board[p.X][p.Y] = p.Count = 1;
    while (p.Count < cut) {
      int options[8];
      int onward[8];
      int count = 0;
      for (int m = 0; m < 8; ++m) {
        const int x = p.X + KnightMoves[m].dx;
        const int y = p.Y + KnightMoves[m].dy;
        if (!OnBoard(x, y, n) || p.Board[x][y] != 0)
          continue;
        int free = 0;
        for (const TKnightMove& o : KnightMoves)
          free += OnBoard(x + o.dx, y + o.dy, n) && p.Board[x + o.dx][y + o.dy] == 0;
        options[count] = m;
        onward[count++] = free;
      }
      if (count == 0)
        break;
      int pick = 0;
      if (random() % 10 == 0)
        pick = static_cast<int>(random() % count);
      else
        for (int i = 1; i < count; ++i)
          if (onward[i] < onward[pick])
            pick = i;
      p.X = static_cast<uint16_t>(p.X + KnightMoves[options[pick]].dx);
      p.Y = static_cast<uint16_t>(p.Y + KnightMoves[options[pick]].dy);
      p.Board[p.X][p.Y] = ++p.Count;
    }
    if (p.Count == cut)
      return p;
  }
}

struct TRow {
  int Runs = 0;
  int Decided = 0;
  int Possible = 0;
  std::vector<double> Ms;
};

TRow Measure(TTourProver& prover, const std::vector<TPosition>& positions, int n)
{
  TRow row;
  for (const TPosition& p : positions) {
    const double began = CpuMs();
    const TProofVerdict v = prover.Prove(p.Board, n, p.X, p.Y, p.Count);
    row.Ms.push_back(CpuMs() - began);
    ++row.Runs;
    row.Decided += v != TProofVerdict::Undetermined;
    row.Possible += v == TProofVerdict::Possible;
  }
  std::sort(row.Ms.begin(), row.Ms.end());
  return row;
}

void Print(const char* what, int n, const TRow& row)
{
  std::printf("| %-14s | %3d | %4d | %5.1f %% | %5.1f %% | %9.2f | %9.2f |\n", what, n, row.Runs,
              100.0 * row.Decided / row.Runs, 100.0 * row.Possible / row.Runs,
              row.Ms[row.Ms.size() / 2], row.Ms.back());
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv)
{
  const int perRow = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
  TTourProver prover;
  std::printf("| case           |   N | runs | decided | possible | median ms |  worst ms |\n");
  std::printf("|:---------------|----:|-----:|--------:|---------:|----------:|----------:|\n");
  for (int n = 5; n <= 100; ++n) {
    const std::vector<TPosition> empty(5, TPosition{TBoard(n, std::vector<uint16_t>(n, 0))});
    Print("empty board", n, Measure(prover, empty, n));
  }
  for (int n : {8, 20, 50, 100})
    for (int percent : {25, 50, 75, 90}) {
      std::mt19937 random(static_cast<unsigned>(n * 1000 + percent));
      std::vector<TPosition> positions;
      for (int i = 0; i < perRow; ++i)
        positions.push_back(Generated(n, n * n * percent / 100, random));
      char what[32];
      std::snprintf(what, sizeof what, "walk cut at %d %%", percent);
      Print(what, n, Measure(prover, positions, n));
    }
  return 0;
}
