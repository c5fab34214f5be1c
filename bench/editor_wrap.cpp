// Re-cutting 100,000 lines after a WrapByte change (the memory a row costs is bench_editor_goals' to report).
#include <benchmark/benchmark.h>

#include <string>

#include "editor/control/editor.h"
#include "editor/text/editor_screen_strings.h"
#include "editor/text/editor_wrap_option.h"

namespace {

std::string Text(int lines) {
  std::string text;
  for (int i = 0; i < lines; ++i) {
    text += "line " + std::to_string(i) + " \x82\xA0\x82\xA2\x82\xA4 some words of text";
    if (i % 3 == 0) text += std::string(static_cast<std::size_t>(60 + i % 100), 'w');
    text += "\r\n";
  }
  return text;
}

// Every change of WrapByte re-cuts all rows (and empties the undo history and resets the start states).
void BM_WrapLinesAfterWrapByteChange(benchmark::State& state) {
  editor::TEditor editor;
  editor.SetWordWrap(true);
  editor.Lines().SetText(Text(100'000));
  int wrapByte = 80;
  for (auto _ : state) {
    wrapByte = wrapByte == 80 ? 79 : 80;
    editor.WrapOption().SetWrapByte(wrapByte);
  }
  state.counters["rows"] = static_cast<double>(editor.ListInfo().Count());
}
BENCHMARK(BM_WrapLinesAfterWrapByteChange)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
