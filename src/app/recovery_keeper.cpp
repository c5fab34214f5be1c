// The recovery file's refresh timer, its comparison with the data file and its writing thread.
#include "app/recovery_keeper.h"

#include <utility>

namespace app {

TRecoveryKeeper::TRecoveryKeeper(std::filesystem::path file, TSnapshot snapshot)
    : FFile(std::move(file)), FSnapshot(std::move(snapshot)) {
  for (QTimer* timer : {&FTimer, &FLongest}) {
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, this, &TRecoveryKeeper::Refresh);
  }
  SetDelay(kDelayMs);
}

TRecoveryKeeper::~TRecoveryKeeper() {
  {
    std::lock_guard lock(FMutex);
    FQuit = true;
  }
  FWake.notify_all();
  if (FWriter.joinable()) FWriter.join();
}

void TRecoveryKeeper::Start(std::vector<store::TMemoData> saved, std::optional<std::vector<store::TMemoData>> inFile) {
  FSaved = std::move(saved);
  FAsked = std::move(inFile);
}

void TRecoveryKeeper::Changed() {
  FTimer.start();
  if (!FLongest.isActive()) FLongest.start();
}

void TRecoveryKeeper::Saved(std::vector<store::TMemoData> saved) {
  FTimer.stop();
  FLongest.stop();
  FSaved = std::move(saved);
  FAsked.reset();
  Post(std::nullopt);
  WaitIdle();
}

void TRecoveryKeeper::Stop() {
  FTimer.stop();
  FLongest.stop();
  WaitIdle();
}

void TRecoveryKeeper::Refresh() {
  FTimer.stop();
  FLongest.stop();
  std::vector<store::TMemoData> pages = FSnapshot();
  // Pages back as the data file has them leave nothing to recover (an Updated stamp alone tells them apart).
  TContent wanted;
  if (pages != FSaved) wanted = std::move(pages);
  if (wanted == FAsked) return;
  FAsked = wanted;
  Post(std::move(wanted));
}

void TRecoveryKeeper::Post(TContent content) {
  {
    std::lock_guard lock(FMutex);
    FPending = std::move(content);
    if (!FWriter.joinable()) FWriter = std::thread(&TRecoveryKeeper::WriteLoop, this);
  }
  FWake.notify_one();
}

void TRecoveryKeeper::WaitIdle() {
  std::unique_lock lock(FMutex);
  FIdle.wait(lock, [this] { return !FPending && !FBusy; });
}

void TRecoveryKeeper::WriteLoop() {
  std::unique_lock lock(FMutex);
  for (;;) {
    FWake.wait(lock, [this] { return FPending || FQuit; });
    if (!FPending) return;
    TContent content = std::move(*FPending);
    FPending.reset();
    FBusy = true;
    lock.unlock();
    // A failed write leaves the file as it was (a page with a marker line, a full disk); the close check
    // reports what matters, the data file, and the next change tries again.
    if (content) {
      FFile.Write(*content);
    } else {
      FFile.Delete();
    }
    lock.lock();
    FBusy = false;
    FIdle.notify_all();
  }
}

}  // namespace app
