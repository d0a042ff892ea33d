#include "board/SearchPool.h"

TSearchJob::TSearchJob(const TBoard& start, const TBoard& weights, int n, uint16_t posX,
                       uint16_t posY, uint16_t count)
    : Start(start), Weights(weights), Size(n), PosX(posX), PosY(posY), Count(count),
      FBestLength(count)
{
  FBest.Board = start;
  FBest.PosX = posX;
  FBest.PosY = posY;
  FBest.Count = count;
}

void TSearchJob::Offer(const TTourWalker& walker, uint16_t length)
{
  if (length <= FBestLength.load(std::memory_order_relaxed))
    return;
  {
    std::lock_guard<std::mutex> lock(FBestLock);
    if (length <= FBestLength.load(std::memory_order_relaxed))
      return;
    walker.CopyCellsTo(FBest.Board);
    FBest.PosX = walker.PosX();
    FBest.PosY = walker.PosY();
    FBest.Count = length;
    FBestLength.store(length, std::memory_order_release);
    FBestVersion.fetch_add(1, std::memory_order_release);
    // A full tour cannot be beaten: the other walkers may stop.
    if (length == Size * Size)
      Stop();
  }
  FNews.notify_all();
}

void TSearchJob::CopyBest(TSolution& best)
{
  std::lock_guard<std::mutex> lock(FBestLock);
  best.Board = FBest.Board;
  best.PosX = FBest.PosX;
  best.PosY = FBest.PosY;
  best.Count = FBest.Count;
}

void TSearchJob::WaitForNews(uint64_t seenVersion, std::chrono::milliseconds most)
{
  std::unique_lock<std::mutex> lock(FBestLock);
  FNews.wait_for(lock, most, [&] { return BestVersion() != seenVersion || Stopping(); });
}

TSearchPool& TSearchPool::Instance()
{
  static TSearchPool pool;
  return pool;
}

TSearchPool::~TSearchPool()
{
  {
    std::lock_guard<std::mutex> lock(FLock);
    FQuit = true;
    if (FJob)
      FJob->Stop();
  }
  FWake.notify_all();
  for (auto& worker : FWorkers)
    worker->Thread.join();
}

bool TSearchPool::Start(TSearchJob& job, int helpers)
{
  {
    std::lock_guard<std::mutex> lock(FLock);
    if (FJob || FQuit)
      return false;
    while (static_cast<int>(FWorkers.size()) < helpers) {
      FWorkers.push_back(std::make_unique<TWorker>());
      TWorker& worker = *FWorkers.back();
      const int index = static_cast<int>(FWorkers.size()) - 1;
      worker.Thread = std::thread([this, &worker, index] { Work(worker, index); });
    }
    for (int i = 0; i < helpers; ++i)
      FWorkers[i]->Stream = SplitStream();
    FJob = &job;
    FHelpers = helpers;
    FWorking = helpers;
    ++FGeneration;
  }
  FWake.notify_all();
  return true;
}

void TSearchPool::Finish()
{
  std::unique_lock<std::mutex> lock(FLock);
  if (!FJob)
    return;
  FJob->Stop();
  FDone.wait(lock, [this] { return FWorking == 0; });
  FJob = nullptr;
  FHelpers = 0;
}

int TSearchPool::Working()
{
  std::lock_guard<std::mutex> lock(FLock);
  return FWorking;
}

void TSearchPool::Work(TWorker& worker, int index)
{
  uint64_t seen = 0;
  for (;;) {
    TSearchJob* job = nullptr;
    {
      std::unique_lock<std::mutex> lock(FLock);
      FWake.wait(lock, [&] { return FQuit || (FGeneration != seen && index < FHelpers); });
      if (FQuit && !(FGeneration != seen && index < FHelpers))
        return;
      seen = FGeneration;
      job = FJob;
    }
    uint64_t walks = 0;
    if (!job->Stopping()) {
      worker.Walker.SetStart(job->Start, job->Weights, job->Size, job->PosX, job->PosY, job->Count);
      // Stopping is read once per walk: a walk is never cut short.
      while (!job->Stopping()) {
        const uint16_t length = worker.Walker.Walk(worker.Stream);
        ++walks;
        job->Offer(worker.Walker, length);
      }
    }
    job->Walks.fetch_add(walks, std::memory_order_relaxed);
    {
      std::lock_guard<std::mutex> lock(FLock);
      if (--FWorking == 0)
        FDone.notify_all();
    }
  }
}
