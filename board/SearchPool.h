#pragma once
// The tour search's helpers: walkers on threads of their own that make walks
// beside the interface thread while a search runs. The threads live for the
// whole process, waiting between searches, so a short search never waits for
// one to start. They touch nothing but the search's own data: the start
// position and weights (read only), their own walker and random stream, and
// the shared best walk under its lock.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "board/Random.h"
#include "board/TourWalker.h"
#include "board/Types.h"

// One search as its walkers share it.
class TSearchJob {
public:
  // start and weights must stay unchanged until the search has ended.
  TSearchJob(const TBoard& start, const TBoard& weights, int n, uint16_t posX, uint16_t posY,
             uint16_t count);

  // A finished walk competes for the best: it replaces it only when strictly
  // longer, so among equally long walks the first one offered stays.
  void Offer(const TTourWalker& walker, uint16_t length);

  uint16_t BestLength() const { return FBestLength.load(std::memory_order_acquire); }
  // Bumped at every new best.
  uint64_t BestVersion() const { return FBestVersion.load(std::memory_order_acquire); }
  // Copies the best walk so far into best.
  void CopyBest(TSolution& best);
  // Waits up to the given time for a new best or the end of the search.
  void WaitForNews(uint64_t seenVersion, std::chrono::milliseconds most);

  bool Stopping() const { return FStop.load(std::memory_order_relaxed); }
  void Stop() { FStop.store(true, std::memory_order_relaxed); }

  const TBoard& Start;
  const TBoard& Weights;
  const int Size;
  const uint16_t PosX;
  const uint16_t PosY;
  const uint16_t Count;
  std::atomic<uint64_t> Walks{0};  // finished walks, added when a walker leaves

private:
  std::atomic<bool> FStop{false};
  std::atomic<uint16_t> FBestLength;
  std::atomic<uint64_t> FBestVersion{0};
  std::mutex FBestLock;
  std::condition_variable FNews;
  TSolution FBest;  // guarded by FBestLock
};

class TSearchPool {
public:
  // The process's pool; its threads are joined when the program ends.
  static TSearchPool& Instance();

  TSearchPool() = default;
  TSearchPool(const TSearchPool&) = delete;
  TSearchPool& operator=(const TSearchPool&) = delete;
  ~TSearchPool();

  // Sets `helpers` walkers to work on job, each on a random stream of its own
  // seeded from the game's generator (so call it on the interface thread).
  // Returns false, starting none, while another search uses the pool.
  bool Start(TSearchJob& job, int helpers);
  // Stops the job's walkers after their current walks and waits for them:
  // afterwards none of them touches the job.
  void Finish();

  // Walkers still at work on a job (0 once Finish has returned).
  int Working();

private:
  struct TWorker {
    std::thread Thread;
    TTourWalker Walker;
    TRandomState Stream{};
  };
  void Work(TWorker& worker, int index);

  std::mutex FLock;
  std::condition_variable FWake;
  std::condition_variable FDone;
  std::vector<std::unique_ptr<TWorker>> FWorkers;
  TSearchJob* FJob = nullptr;
  uint64_t FGeneration = 0;
  int FHelpers = 0;  // workers taking part in the current job
  int FWorking = 0;  // of those, the ones not yet done
  bool FQuit = false;
};

// RAII: stops the helpers when the search leaves, also by an exception.
class TSearchHelpers {
public:
  TSearchHelpers(TSearchJob& job, int helpers)
      : FStarted(helpers > 0 && TSearchPool::Instance().Start(job, helpers))
  {
  }
  ~TSearchHelpers() { Finish(); }
  TSearchHelpers(const TSearchHelpers&) = delete;
  TSearchHelpers& operator=(const TSearchHelpers&) = delete;

  bool Started() const { return FStarted; }
  void Finish()
  {
    if (FStarted)
      TSearchPool::Instance().Finish();
    FStarted = false;
  }

private:
  bool FStarted;
};
