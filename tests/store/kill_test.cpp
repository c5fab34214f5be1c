// The kill test: a child process saves a large page list and the settings over and over, two versions in
// turn, and is killed with SIGKILL at a random moment. After every kill each file holds one version whole,
// and the next start leaves no temporary file. TACKNOTE_KILLS sets the number of kills (100 by default;
// `make kill-test` runs 1,000).
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <iostream>
#include <random>
#include <string>

#include "platform/clock.h"
#include "platform/single_instance.h"
#include "store/memo_file.h"
#include "store/note_store.h"
#include "store/settings.h"
#include "store_test_support.h"

namespace store {
namespace {

using store_test::ReadBytes;

constexpr char kLockName[] = "TACKNOTE_SINGLE";

int KillCount() {
  const char* text = std::getenv("TACKNOTE_KILLS");
  const int count = text != nullptr ? std::atoi(text) : 0;
  return count > 0 ? count : 100;
}

// About a megabyte in 50 pages, every line naming its version, so no two versions share a byte run long
// enough to hide a mix.
void FillPages(TNoteStore& store, char version) {
  store.Pages.clear();
  for (int page = 0; page < 50; ++page) {
    TMemoData memo = store_test::PageWithText("");
    for (int line = 0; line < 400; ++line) {
      memo.Text += "version " + std::string(1, version) + " page " + std::to_string(page) + " line " +
                   std::to_string(line) + "\r\n";
    }
    store.Pages.push_back(std::move(memo));
  }
}

// Saves the two versions in turn until it is killed. Reports on `ready` once it holds the locks.
[[noreturn]] void SaveForever(const std::filesystem::path& runtime, const std::filesystem::path& dat,
                              const std::filesystem::path& ini, const TNoteStore* versions[2],
                              const TSettings settings[2], int ready) {
  platform::TSingleInstance instance;
  if (!instance.Start(runtime, kLockName, {dat, ini})) ::_exit(2);
  if (::write(ready, "r", 1) != 1) ::_exit(3);
  TMemoFile file(dat);
  const TMemoData memo = BuiltInDefaultMemo();
  for (unsigned turn = 0;; turn ^= 1) {
    int32_t badIndex = -1;
    file.SaveMemoFile(*versions[turn], badIndex);
    SaveSettings(ini, settings[turn], memo);
  }
}

TEST(KillTest, EveryKillLeavesTheOldOrTheNewFilesAndTheNextStartNoDebris) {
  store_test::TempDir dir, runtime, data;
  platform_test::ScopedEnv dataHome("XDG_DATA_HOME", data.Path().c_str());
  const std::filesystem::path dat = dir / "tacknote.DAT";
  const std::filesystem::path ini = dir / "tacknote.INI";
  platform::FixedClock clock({2024, 5, 6, 7, 8, 9});
  TNoteStore versionA(clock), versionB(clock);
  FillPages(versionA, 'A');
  FillPages(versionB, 'B');
  const TNoteStore* versions[2] = {&versionA, &versionB};
  TSettings settings[2];
  settings[0].SkinFile = "A.BMP";
  settings[1].SkinFile = "B.BMP";
  settings[1].Left = 1;

  // The whole bytes of each version, and the files as the first child finds them.
  std::string datBytes[2], iniBytes[2];
  for (int turn : {1, 0}) {
    int32_t badIndex = -1;
    ASSERT_EQ(TMemoFile(dat).SaveMemoFile(*versions[turn], badIndex), SaveOk);
    ASSERT_TRUE(SaveSettings(ini, settings[turn], BuiltInDefaultMemo()).Ok);
    datBytes[turn] = ReadBytes(dat);
    iniBytes[turn] = ReadBytes(ini);
  }

  std::mt19937 random(20240506);
  const int kills = KillCount();
  int interrupted = 0;  // kills that came while a temporary file existed
  for (int kill = 0; kill < kills; ++kill) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(ready[0]);
      SaveForever(runtime.Path(), dat, ini, versions, settings, ready[1]);
    }
    ::close(ready[1]);
    char status = 0;
    const bool started = ::read(ready[0], &status, 1) == 1;
    ::close(ready[0]);
    if (started) ::usleep(static_cast<useconds_t>(random() % 20000));
    ::kill(child, SIGKILL);
    int wstatus = 0;
    ASSERT_EQ(::waitpid(child, &wstatus, 0), child);
    ASSERT_TRUE(started) << "kill " << kill << ": the saver could not start, exit " << WEXITSTATUS(wstatus);

    const std::string datNow = ReadBytes(dat);
    const std::string iniNow = ReadBytes(ini);
    ASSERT_TRUE(datNow == datBytes[0] || datNow == datBytes[1]) << "kill " << kill << ": data file mixed or cut";
    ASSERT_TRUE(iniNow == iniBytes[0] || iniNow == iniBytes[1]) << "kill " << kill << ": settings mixed or cut";
    if (dir.Names().size() > 3) ++interrupted;
    platform::TSingleInstance next;
    ASSERT_TRUE(next.Start(runtime.Path(), kLockName, {dat, ini})) << "kill " << kill << ": a lock outlived its holder";
    ASSERT_EQ(dir.Names(), (std::set<std::string>{".tacknote.DAT.lock", "tacknote.DAT", "tacknote.INI"}))
        << "kill " << kill;
  }
  std::cout << "[   KILLS  ] " << kills << " kills, " << interrupted << " during a write\n";
  // Kills that never met a write in progress would prove nothing (here about a third of them do).
  EXPECT_GT(interrupted, 0);
}

}  // namespace
}  // namespace store
