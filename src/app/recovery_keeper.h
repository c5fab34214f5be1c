// Keeps the recovery file in step with the pages while they differ from the data file, so a crash or a
// kill loses at most the last few seconds of typing.
#pragma once

#include <QObject>
#include <QTimer>

#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "store/memo_data.h"
#include "store/recovery_file.h"

namespace app {

// A refresh waits until no change has come for a few seconds, so a burst of typing causes none, but never
// longer than a few pauses' time after the first change it holds, so steady typing is covered too. It then
// takes a copy of the pages on the window's thread and leaves the writing (and the disk's flush) to a
// thread of its own, so a slow disk never stalls the window. Only the newest copy waiting is written.
class TRecoveryKeeper : public QObject {
  Q_OBJECT

 public:
  using TSnapshot = std::function<std::vector<store::TMemoData>()>;

  // How long after the last change the file is refreshed, and how many such delays after the first
  // change not yet in it at the latest.
  static constexpr int kDelayMs = 3000;
  static constexpr int kLongestWaitDelays = 4;

  // `snapshot` gives the pages as the window shows them, unsaved edits included.
  TRecoveryKeeper(std::filesystem::path file, TSnapshot snapshot);
  // Finishes the write asked for last.
  ~TRecoveryKeeper() override;
  TRecoveryKeeper(const TRecoveryKeeper&) = delete;
  TRecoveryKeeper& operator=(const TRecoveryKeeper&) = delete;

  void SetDelay(int milliseconds) {
    FTimer.setInterval(milliseconds);
    FLongest.setInterval(milliseconds * kLongestWaitDelays);
  }

  // The data file holds `saved`; the recovery file holds `inFile`, or nothing that need be kept.
  void Start(std::vector<store::TMemoData> saved, std::optional<std::vector<store::TMemoData>> inFile);
  // The pages may have changed: refresh once the delay has passed without another change.
  void Changed();
  // The data file now holds `saved`: the recovery file goes, and is back only after a change.
  void Saved(std::vector<store::TMemoData> saved);
  // No more refreshes; returns once the file is as last asked for.
  void Stop();

  const std::filesystem::path& Path() const { return FFile.Path(); }

 private:
  // The file's content as asked for: the pages, or no file.
  using TContent = std::optional<std::vector<store::TMemoData>>;

  void Refresh();
  // Hands the content to the writing thread, replacing any that has not been started.
  void Post(TContent content);
  void WaitIdle();
  void WriteLoop();

  store::TRecoveryFile FFile;
  TSnapshot FSnapshot;
  QTimer FTimer;    // the pause after the last change
  QTimer FLongest;  // the longest wait after the first change
  std::vector<store::TMemoData> FSaved;
  TContent FAsked;  // what the file holds once the writes asked for are done

  std::mutex FMutex;
  std::condition_variable FWake;
  std::condition_variable FIdle;
  std::optional<TContent> FPending;  // guarded by FMutex
  bool FBusy = false;                // guarded by FMutex
  bool FQuit = false;                // guarded by FMutex
  std::thread FWriter;               // started by the first write
};

}  // namespace app
