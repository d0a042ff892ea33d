// Speed of the tour search's walker (TTourWalker) against the plain walker
// (TLiteralWalker) on empty boards. Both make the same walks from the same
// seed; the run checks that and fails if they ever differ.

#include <time.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>

#include "bench/LiteralWalker.h"
#include "board/BoardModel.h"
#include "board/Random.h"
#include "board/TourWalker.h"

namespace {

// CPU time of this thread: other programs running meanwhile do not count.
double CpuSeconds()
{
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return t.tv_sec + t.tv_nsec * 1e-9;
}

// CPU time given to the search's walker per board size. The plain walker
// makes the same walks, so it takes as much longer as it is slower.
constexpr double EngineSeconds = 0.75;
// The walkers take turns in rounds of about this much engine time, each round
// from its own seed, so that both meet the same conditions on a busy machine.
constexpr double RoundSeconds = 0.05;
constexpr uint64_t BaseSeed = 20240611;

// An empty board of the wanted size and its weights, taken from the game's model.
class TEmptyBoard : public TBoardModel {
public:
  explicit TEmptyBoard(int n)
  {
    ResizeBoard(static_cast<uint8_t>(n));
    ClearBoard();
    BuildWeights();
  }
};

struct TTally {
  uint64_t Walks = 0;
  uint64_t Moves = 0;
  uint64_t Full = 0;
  uint16_t Longest = 0;
  double Seconds = 0;

  void Add(uint16_t length, int full)
  {
    ++Walks;
    Moves += length;
    Full += length == full;
    if (length > Longest)
      Longest = length;
  }
  bool SameWalks(const TTally& o) const
  {
    return Walks == o.Walks && Moves == o.Moves && Full == o.Full && Longest == o.Longest;
  }
};

// `walks` walks after RandSeed(seed), added to tally with their CPU time.
template <class TWalker>
void Round(TWalker& walker, uint64_t seed, uint64_t walks, int n, TTally& tally)
{
  RandSeed(seed);
  const double start = CpuSeconds();
  for (uint64_t i = 0; i < walks; ++i)
    tally.Add(walker.Walk(), n * n);
  tally.Seconds += CpuSeconds() - start;
}

std::string CpuModel()
{
  std::ifstream in("/proc/cpuinfo");
  std::string line;
  while (std::getline(in, line))
    if (line.rfind("model name", 0) == 0) {
      const auto colon = line.find(':');
      if (colon != std::string::npos)
        return line.substr(line.find_first_not_of(" \t", colon + 1));
    }
  return "unknown";
}

}  // namespace

int main()
{
  char date[64];
  const std::time_t now = std::time(nullptr);
  std::strftime(date, sizeof date, "%Y-%m-%d %H:%M:%S", std::localtime(&now));
  std::printf("Viltron tour search benchmark\n");
  std::printf("date:     %s\n", date);
  std::printf("cpu:      %s\n", CpuModel().c_str());
#if defined(__clang__)
  std::printf("compiler: clang %s", __clang_version__);
#elif defined(__GNUC__)
  std::printf("compiler: gcc %s", __VERSION__);
#else
  std::printf("compiler: unknown");
#endif
#if defined(__OPTIMIZE__)
  std::printf(", optimized\n");
#else
  std::printf(", NOT optimized (configure with CMAKE_BUILD_TYPE=Release)\n");
#endif
  std::printf("per size: %.2f s of engine CPU time, the literal walker making the same walks\n"
              "          in turns of about %.2f s (thread CPU time; seeds from %llu)\n\n",
              EngineSeconds, RoundSeconds, static_cast<unsigned long long>(BaseSeed));
  std::printf("%5s %16s %11s %9s %16s %15s\n", "N", "engine walks/s", "full tours",
              "longest", "literal walks/s", "engine/literal");

  bool same = true;
  uint64_t totalMoves = 0;
  for (const int n : {5, 8, 10, 20, 50, 100}) {
    const TEmptyBoard board(n);
    TTourWalker engine;
    engine.SetStart(board.Board(), board.Weights(), n, 0, 0, 0);
    TLiteralWalker literal;
    literal.SetStart(board.Board(), n, 0, 0, 0);
    TTally fast;
    TTally plain;
    // Size the rounds from a first short one.
    uint64_t roundWalks = 1;
    Round(engine, BaseSeed + n, roundWalks, n, fast);
    Round(literal, BaseSeed + n, roundWalks, n, plain);
    for (uint64_t round = 1; fast.Seconds < EngineSeconds; ++round) {
      if (fast.Seconds > 0)
        roundWalks = std::max<uint64_t>(1, static_cast<uint64_t>(RoundSeconds * fast.Walks / fast.Seconds));
      Round(engine, BaseSeed + n + 1000 * round, roundWalks, n, fast);
      Round(literal, BaseSeed + n + 1000 * round, roundWalks, n, plain);
    }
    const double engineRate = fast.Walks / fast.Seconds;
    const double literalRate = plain.Walks / plain.Seconds;
    std::printf("%5d %16.0f %10.3f%% %5u/%-5d %16.0f %14.2fx\n", n, engineRate,
                100.0 * fast.Full / fast.Walks, fast.Longest, n * n, literalRate,
                engineRate / literalRate);
    std::fflush(stdout);
    if (!fast.SameWalks(plain)) {
      same = false;
      std::printf("      N=%d walks differ: engine %llu moves, literal %llu moves\n", n,
                  static_cast<unsigned long long>(fast.Moves),
                  static_cast<unsigned long long>(plain.Moves));
    }
    totalMoves += fast.Moves;
  }

  if (!same) {
    std::printf("\nFAILED: the two walkers made different walks from the same seeds\n");
    return 1;
  }
  std::printf("\nsame walks: both walkers made %llu moves in total from the same seeds "
              "(and the same full tours and longest walks)\n",
              static_cast<unsigned long long>(totalMoves));
  return 0;
}
