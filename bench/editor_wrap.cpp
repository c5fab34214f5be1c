// Re-cutting 100,000 lines after a WrapByte change, and the memory a row costs besides its text.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <string>

#include "editor/control/editor.h"
#include "editor/text/editor_screen_strings.h"
#include "editor/text/editor_wrap_option.h"
#include "editor/text/the_string_list.h"

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

// Heap bytes per row beyond the text bytes themselves, after loading 100,000 rows of 0..150 bytes.
void BM_MemoryPerRow(benchmark::State& state) {
  const std::string text = Text(100'000);
  for (auto _ : state) {
    const std::size_t before = mallinfo2().uordblks;
    editor::TEditor editor;
    editor.SetWordWrap(state.range(0) != 0);
    editor.Lines().SetText(text);
    const std::size_t after = mallinfo2().uordblks;
    const editor::TEditorScreenStrings& rows = editor.ListInfo();
    std::size_t textBytes = 0;
    for (int row = 0; row < rows.Count(); ++row) textBytes += rows.RowText(row).size();
    state.counters["rows"] = rows.Count();
    state.counters["item_bytes"] = sizeof(editor::TheStringItem);
    state.counters["array_bytes_per_row"] =
        static_cast<double>(rows.Capacity()) * sizeof(editor::TheStringItem) / rows.Count();
    state.counters["heap_bytes_per_row_besides_text"] =
        (static_cast<double>(after - before) - static_cast<double>(textBytes)) / rows.Count();
  }
}
BENCHMARK(BM_MemoryPerRow)->ArgName("wrap")->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
