// Speed of the line splitter on 1 MB to 100 MB files (it must stay linear) and of the code page 932 conversions.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "platform/cp932.h"
#include "platform/line_split.h"

namespace {

// Note-like text: lines of 0 to 120 bytes, ASCII and double-byte characters, mostly CR LF with some
// lone CR and LF breaks. `onlyBreak` makes every break that one instead.
std::string MakeText(std::size_t size, const char* onlyBreak = nullptr) {
  std::mt19937 random(static_cast<unsigned>(size));
  const std::string pieces[] = {
      "abc ",  "Hello, world. ", "\x82\xA0\x82\xA2\x82\xA4", "\x93\xFA\x96\x7B\x8C\xEA", "http://example.com/ ",
      "12345 "};
  std::string text;
  text.reserve(size + 200);
  while (text.size() < size) {
    std::size_t length = random() % 121;
    std::size_t start = text.size();
    while (text.size() - start < length) text += pieces[random() % std::size(pieces)];
    if (onlyBreak)
      text += onlyBreak;
    else
      text += random() % 10 == 0 ? (random() % 2 ? "\r" : "\n") : "\r\n";
  }
  text.resize(size);
  return text;
}

void BM_SplitLines(benchmark::State& state) {
  const std::string text = MakeText(static_cast<std::size_t>(state.range(0)));
  std::size_t lines = 0;
  for (auto _ : state) {
    std::vector<std::string> split = platform::SplitLines(text);
    lines = split.size();
    benchmark::DoNotOptimize(split.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
  state.SetComplexityN(state.range(0));
  state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_SplitLines)
    ->Arg(1 << 20)
    ->Arg(10 << 20)
    ->Arg(100 << 20)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// Old Mac files break lines with CR alone; a splitter that searched for LF from every line start would
// be quadratic here.
void BM_SplitLinesCrOnly(benchmark::State& state) {
  const std::string text = MakeText(static_cast<std::size_t>(state.range(0)), "\r");
  for (auto _ : state) {
    std::vector<std::string> split = platform::SplitLines(text);
    benchmark::DoNotOptimize(split.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SplitLinesCrOnly)
    ->Arg(1 << 20)
    ->Arg(10 << 20)
    ->Arg(100 << 20)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

void BM_Cp932ToUtf8(benchmark::State& state) {
  const std::string text = MakeText(1 << 20);
  for (auto _ : state) benchmark::DoNotOptimize(platform::Cp932ToUtf8(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_Cp932ToUtf8)->Unit(benchmark::kMillisecond);

void BM_Utf8ToCp932(benchmark::State& state) {
  const std::string text = platform::Cp932ToUtf8(MakeText(1 << 20));
  for (auto _ : state) benchmark::DoNotOptimize(platform::Utf8ToCp932(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_Utf8ToCp932)->Unit(benchmark::kMillisecond);

// Pasted text full of characters code page 932 lacks: each one costs iconv a restart.
void BM_Utf8ToCp932Unmappable(benchmark::State& state) {
  std::string text;
  while (text.size() < (1 << 20)) text += "\xF0\x9F\x98\x80 \xE2\x82\xAC";  // an emoji and the euro sign
  for (auto _ : state) benchmark::DoNotOptimize(platform::Utf8ToCp932(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_Utf8ToCp932Unmappable)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
