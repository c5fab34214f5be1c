// Speed of saving and loading the data file and of refreshing the recovery file, and proof that loading
// grows linearly with the file's size.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "platform/clock.h"
#include "platform/file_io.h"
#include "store/memo_file.h"
#include "store/note_store.h"
#include "store/recovery_file.h"

namespace {

constexpr std::size_t kMiB = 1024 * 1024;

// A scratch folder for the benchmark's files, removed at exit.
class TScratchDir {
 public:
  TScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "store_bench_XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) FPath = pattern;
  }
  ~TScratchDir() {
    std::error_code error;
    std::filesystem::remove_all(FPath, error);
  }
  const std::filesystem::path& Path() const { return FPath; }

 private:
  std::filesystem::path FPath;
};

const TScratchDir& Scratch() {
  static const TScratchDir dir;
  return dir;
}

const platform::FixedClock& BenchClock() {
  static const platform::FixedClock clock({2024, 1, 31, 23, 59, 59});
  return clock;
}

// Note-like text: short lines of ASCII and double-byte characters, CR LF breaks.
std::string NoteText(std::size_t bytes) {
  static const std::string line =
      "Meeting notes 2024/01/31: \x89\xEF\x8B\x63\x82\xCC\x83\x81\x83\x82 https://example.com/x, ok\r\n";
  std::string text;
  text.reserve(bytes + line.size());
  while (text.size() < bytes) text += line;
  text.resize(bytes);
  return text;
}

std::vector<store::TMemoData> Pages(std::size_t count, std::size_t textBytes) {
  std::vector<store::TMemoData> pages(count, store::BuiltInDefaultMemo());
  const std::string text = NoteText(textBytes);
  for (std::size_t i = 0; i < count; ++i) {
    pages[i].Title = "page " + std::to_string(i);
    pages[i].Created = pages[i].Updated = "20240131235959";
    pages[i].Text = text;
  }
  return pages;
}

// Pages of 4 KB each, as many as make up `bytes`; or one page of `bytes` when `onePage` is set.
std::vector<store::TMemoData> PagesOfSize(std::size_t bytes, bool onePage) {
  return onePage ? Pages(1, bytes) : Pages(bytes / 4096, 4096);
}

void SaveArgs(benchmark::internal::Benchmark* bench) {
  bench->ArgNames({"pages", "page_bytes"})->Args({1000, 4096})->Args({1, 10 * static_cast<int64_t>(kMiB)});
  bench->Unit(benchmark::kMillisecond);
}

// Building the file's bytes in memory: the part of a save that is the store's own work.
void BM_BuildMemoFile(benchmark::State& state) {
  const auto pages = Pages(static_cast<std::size_t>(state.range(0)), static_cast<std::size_t>(state.range(1)));
  std::string bytes;
  int32_t badIndex = -1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(store::BuildMemoFile(pages, bytes, badIndex));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_BuildMemoFile)->Apply(SaveArgs);

// The whole close-time save: bytes, temporary file, flush to disk, rename.
void BM_SaveMemoFile(benchmark::State& state) {
  store::TNoteStore store(BenchClock());
  store.Pages = Pages(static_cast<std::size_t>(state.range(0)), static_cast<std::size_t>(state.range(1)));
  store::TMemoFile file(Scratch().Path() / "save.DAT");
  int32_t badIndex = -1;
  for (auto _ : state) {
    if (file.SaveMemoFile(store, badIndex) != store::SaveOk) state.SkipWithError("save failed");
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(file.Path())));
}
BENCHMARK(BM_SaveMemoFile)->Apply(SaveArgs);

// The recovery file's refresh on the window's thread: a copy of the page list with the shown page's new
// text, compared with the data file's pages and with the copy written last (which differs in that page).
void BM_RecoverySnapshot(benchmark::State& state) {
  const auto saved = Pages(static_cast<std::size_t>(state.range(0)), static_cast<std::size_t>(state.range(1)));
  auto written = saved;
  written.back().Text += "x";
  for (auto _ : state) {
    auto pages = saved;
    pages.back().Text += "xy";
    pages.back().Updated = "20240201000000";
    benchmark::DoNotOptimize(pages == saved);
    benchmark::DoNotOptimize(pages == written);
  }
}
BENCHMARK(BM_RecoverySnapshot)->Apply(SaveArgs);

// The same refresh's writing thread: the file's bytes, temporary file, flush to disk, rename.
void BM_RecoveryWrite(benchmark::State& state) {
  const auto pages = Pages(static_cast<std::size_t>(state.range(0)), static_cast<std::size_t>(state.range(1)));
  const store::TRecoveryFile file(Scratch().Path() / "save.DAT.recovery");
  for (auto _ : state) {
    if (!file.Write(pages).Ok) state.SkipWithError("write failed");
  }
}
BENCHMARK(BM_RecoveryWrite)->Apply(SaveArgs);

// Start-up's load: whole-file read, lines, blocks, header fields.
void LoadFile(benchmark::State& state, const std::vector<store::TMemoData>& pages, const std::string& name) {
  const std::filesystem::path path = Scratch().Path() / name;
  std::string bytes;
  int32_t badIndex = -1;
  if (store::BuildMemoFile(pages, bytes, badIndex) != store::SaveOk || !platform::WriteFileAtomically(path, bytes).Ok) {
    state.SkipWithError("could not write the file to load");
    return;
  }
  // CPU time (user and system, page faults included), so other load on the machine does not blur the
  // comparison between sizes.
  std::clock_t ticks = 0;
  for (auto _ : state) {
    const std::clock_t start = std::clock();
    store::TNoteStore store(BenchClock());
    store::TMemoFile file(path);
    if (!file.LoadMemoFile(store) || store.Pages.size() != pages.size()) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(store.Pages.data());
    ticks += std::clock() - start;
  }
  const double megabytes = static_cast<double>(bytes.size()) / kMiB;
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
  state.counters["file_MB"] = megabytes;
  const double milliseconds = 1000.0 * static_cast<double>(ticks) / CLOCKS_PER_SEC;
  state.counters["cpu_ms_per_MB"] = milliseconds / static_cast<double>(state.iterations()) / megabytes;
}

void BM_LoadMemoFile(benchmark::State& state) {
  LoadFile(state, Pages(static_cast<std::size_t>(state.range(0)), static_cast<std::size_t>(state.range(1))),
           "load.DAT");
}
BENCHMARK(BM_LoadMemoFile)->Apply(SaveArgs);

// Load time against file size, in 4 KB pages and in one page: equal cpu_ms_per_MB at 1, 10 and 100 MB
// means the reader is linear. (Past glibc's largest mmap threshold, 32 MB, every big buffer comes fresh
// from the kernel and its pages are faulted in anew: run with
// GLIBC_TUNABLES=glibc.malloc.mmap_threshold=1048576 to give every size the same allocator.)
void BM_LoadBySize(benchmark::State& state) {
  const std::size_t bytes = static_cast<std::size_t>(state.range(0)) * kMiB;
  const bool onePage = state.range(1) != 0;
  LoadFile(state, PagesOfSize(bytes, onePage), "size.DAT");
}
BENCHMARK(BM_LoadBySize)
    ->ArgNames({"MB", "one_page"})
    ->ArgsProduct({{1, 10, 100}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);

}  // namespace

BENCHMARK_MAIN();
