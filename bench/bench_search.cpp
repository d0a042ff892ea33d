// Speed of the tour search. For each board size:
// - walks per second of the search's walker (TTourWalker) on one core, against
//   the plain walker (TPlainWalker) making the same walks from the same
//   seeds; the run checks that and fails if they ever differ;
// - walks per second of the whole search with one walker and with one per
//   core, on a board where no walk can be a full tour, so it runs until told;
// - where tours occur, the median time the search takes to its first full
//   tour on an empty board, over searches from different seeds.

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/PlainWalker.h"
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
constexpr double EngineSeconds = 0.5;
// The walkers take turns in rounds of about this much engine time, each round
// from its own seed, so that both meet the same conditions on a busy machine.
constexpr double RoundSeconds = 0.05;
constexpr uint64_t BaseSeed = 20240611;
// Wall time of each run of the whole search for its walk rate.
constexpr double SearchSeconds = 0.6;
// Searches for a full tour per size, the longest one may take, and the most
// time given to one size.
constexpr int TourSearches = 5;
constexpr double TourCapSeconds = 12;
constexpr double TourBudgetSeconds = 40;

double WallSeconds()
{
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The whole search on an n x n board, stopped by the "user" after a time.
class TTimedSearch : public TBoardModel {
public:
  // A board whose centre cell is taken before any move: the walks are as on
  // an empty board, yet none can cover it, so the search runs until stopped.
  void NoTourBoard(int n)
  {
    EmptyBoard(n);
    FBoard[n / 2][n / 2] = 1;
  }
  void EmptyBoard(int n)
  {
    ResizeBoard(static_cast<uint8_t>(n));
    ClearBoard();
  }
  // Runs one search for at most the given time; returns its wall time.
  double Run(double most)
  {
    FState = gsThink;
    FStarted = WallSeconds();
    FMost = most;
    SearchTour();
    return WallSeconds() - FStarted;
  }
  bool FoundTour() const { return Best().Count == Size() * Size(); }

protected:
  void ProcessMessages() override
  {
    if (WallSeconds() - FStarted >= FMost)
      FState = gsBest;
  }

private:
  double FStarted = 0;
  double FMost = 0;
};

// CPU time of the whole process.
double ProcessCpuSeconds()
{
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec + t.tv_nsec * 1e-9;
}

// Walks per second of the whole search with the given number of walkers, and
// the cores it had on average (below the walkers when others used the machine).
double SearchRate(int n, int walkers, double& cores)
{
  TTimedSearch search;
  search.SetSearchWalkers(walkers);
  search.NoTourBoard(n);
  const double cpu = ProcessCpuSeconds();
  const double seconds = search.Run(SearchSeconds);
  cores = (ProcessCpuSeconds() - cpu) / seconds;
  return search.SearchWalks() / seconds;
}

// The median time to the first full tour over searches from different seeds,
// or a negative number when the median search found none within the cap.
double MedianTourSeconds(int n, int& searches)
{
  std::vector<double> times;
  double spent = 0;
  for (int i = 0; i < TourSearches && spent < TourBudgetSeconds; ++i) {
    TTimedSearch search;
    search.EmptyBoard(n);
    RandSeed(BaseSeed + 7919 * i + n);
    const double seconds = search.Run(TourCapSeconds);
    spent += seconds;
    times.push_back(search.FoundTour() ? seconds : -1);
    // Two searches in a row without a tour: tours are too rare for the cap.
    if (times.size() >= 2 && times[times.size() - 1] < 0 && times[times.size() - 2] < 0)
      break;
  }
  searches = static_cast<int>(times.size());
  // Searches that found none count as the longest.
  std::sort(times.begin(), times.end(), [](double a, double b) {
    return (a < 0 ? 1e9 : a) < (b < 0 ? 1e9 : b);
  });
  return times[times.size() / 2];
}

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
  const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  std::printf("cores:    %d (the search runs %d walkers by default)\n", cores,
              TBoardModel::SearchWalkersDefault());
  std::printf("walker:   %.2f s of CPU time per size on one thread, the plain walker making\n"
              "          the same walks in turns of about %.2f s (seeds from %llu)\n",
              EngineSeconds, RoundSeconds, static_cast<unsigned long long>(BaseSeed));
  std::printf("search:   %.1f s of wall time with 1 walker and with %d, on a board no walk\n"
              "          can cover (cores: the CPU time the latter had per second);\n"
              "          first full tour: median of up to %d searches from an empty\n"
              "          board, each stopped after %.0f s\n\n",
              SearchSeconds, TBoardModel::SearchWalkersDefault(), TourSearches, TourCapSeconds);
  std::printf("%4s | %12s %12s %8s | %12s %12s %7s %5s | %s\n", "N", "walker", "plain",
              "speed-up", "search 1", "search all", "scaling", "cores", "first full tour");

  bool same = true;
  uint64_t totalMoves = 0;
  for (const int n : {8, 20, 50, 55, 60, 70, 80, 100}) {
    TPlainWalker reference;
    reference.SetStart(TBoard(n, std::vector<uint16_t>(n, 0)), n, 0, 0, 0);
    TTourWalker engine;
    engine.SetStart(reference.Board(), reference.Weights(), n, 0, 0, 0);
    TTally fast;
    TTally plain;
    // Size the rounds from a first short one.
    uint64_t roundWalks = 1;
    Round(engine, BaseSeed + n, roundWalks, n, fast);
    Round(reference, BaseSeed + n, roundWalks, n, plain);
    for (uint64_t round = 1; fast.Seconds < EngineSeconds; ++round) {
      if (fast.Seconds > 0)
        roundWalks = std::max<uint64_t>(1, static_cast<uint64_t>(RoundSeconds * fast.Walks / fast.Seconds));
      Round(engine, BaseSeed + n + 1000 * round, roundWalks, n, fast);
      Round(reference, BaseSeed + n + 1000 * round, roundWalks, n, plain);
    }
    const double engineRate = fast.Walks / fast.Seconds;
    const double plainRate = plain.Walks / plain.Seconds;
    double cores = 0;
    const double one = SearchRate(n, 1, cores);
    const double all = SearchRate(n, TBoardModel::SearchWalkersDefault(), cores);
    std::printf("%4d | %12.0f %12.0f %7.2fx | %12.0f %12.0f %6.2fx %5.2f | ", n, engineRate, plainRate,
                engineRate / plainRate, one, all, all / one, cores);
    std::fflush(stdout);
    int searches = 0;
    const double median = MedianTourSeconds(n, searches);
    if (median >= 0)
      std::printf("%.3f s (median of %d)\n", median, searches);
    else
      std::printf("over %.0f s (median of %d)\n", TourCapSeconds, searches);
    std::fflush(stdout);
    if (!fast.SameWalks(plain)) {
      same = false;
      std::printf("      N=%d walks differ: engine %llu moves, plain %llu moves\n", n,
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
