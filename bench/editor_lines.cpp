// Loading a 10 MB text of 200,000 lines into Lines, with word wrap off and on, beside a plain split of the
// same text into strings as the baseline.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "editor/control/editor.h"
#include "editor/text/editor_screen_strings.h"

namespace {

// 200,000 lines of mixed ASCII and double-byte text, about 50 bytes a line; one in eight is long enough
// to wrap at 80 columns.
const std::string& BigText() {
  static const std::string text = [] {
    std::mt19937 random(7);
    std::string result;
    result.reserve(11'000'000);
    for (int line = 0; line < 200'000; ++line) {
      const int length = random() % 8 == 0 ? 100 + static_cast<int>(random() % 150) : static_cast<int>(random() % 70);
      int bytes = 0;
      while (bytes < length) {
        if (random() % 4 == 0) {
          result += "\x82\xA0";  // a double-byte character
          bytes += 2;
        } else {
          result += static_cast<char>(random() % 6 == 0 ? ' ' : 'a' + random() % 26);
          ++bytes;
        }
      }
      result += "\r\n";
    }
    return result;
  }();
  return text;
}

void BM_SplitIntoStringsBaseline(benchmark::State& state) {
  const std::string& text = BigText();
  for (auto _ : state) {
    std::vector<std::string> lines;
    lines.reserve(200'000);  // sized up front, as the row store sizes its array
    std::size_t pos = 0;
    while (pos < text.size()) {
      std::size_t end = pos;
      while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
      lines.emplace_back(text, pos, end - pos);
      pos = end;
      if (pos < text.size() && text[pos] == '\r') ++pos;
      if (pos < text.size() && text[pos] == '\n') ++pos;
    }
    benchmark::DoNotOptimize(lines.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_SplitIntoStringsBaseline)->Unit(benchmark::kMillisecond);

void BM_LinesText(benchmark::State& state) {
  const std::string& text = BigText();
  editor::TEditor editor;
  editor.SetWordWrap(state.range(0) != 0);
  for (auto _ : state) {
    editor.Lines().SetText(text);
    benchmark::DoNotOptimize(editor.ListInfo().Count());
  }
  state.counters["rows"] = static_cast<double>(editor.ListInfo().Count());
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_LinesText)->ArgName("wrap")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_LinesTextRead(benchmark::State& state) {
  editor::TEditor editor;
  editor.SetWordWrap(true);
  editor.Lines().SetText(BigText());
  for (auto _ : state) benchmark::DoNotOptimize(editor.Lines().Text());
}
BENCHMARK(BM_LinesTextRead)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
