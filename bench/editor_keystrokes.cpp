// Keystrokes through the editor's key and character commands in texts of 1,000 to 100,000 rows with
// word wrap on: typing and holding Down must cost the same per keystroke whatever the text's size.
#include <benchmark/benchmark.h>

#include <string>

#include "editor/control/editor.h"
#include "editor/control/editor_key.h"
#include "editor/text/editor_screen_strings.h"

namespace {

// About `rows` rows: lines of one and of two rows, with double-byte characters.
std::string Text(int rows) {
  std::string text;
  for (int i = 0; i < rows * 5 / 6; ++i) {
    text += "line " + std::to_string(i) + " with words and \x82\xA0\x82\xA2\x82\xA4 in it";
    if (i % 5 == 0) text += std::string(60, 'w');
    text += "\r\n";
  }
  return text;
}

void Prepare(editor::TEditor& editor, int rows) {
  editor.SetWordWrap(true);
  editor.SetVisibleRows(30);
  editor.Lines().SetText(Text(rows));
}

// 1,000 characters typed one by one into the middle of the text; the time is per character.
void BM_TypeThousandCharacters(benchmark::State& state) {
  editor::TEditor editor;
  Prepare(editor, static_cast<int>(state.range(0)));
  const std::string typed = "The quick brown fox \x82\xA0\x82\xA2 jumps over the lazy dog. ";
  for (auto _ : state) {
    state.PauseTiming();
    editor.SetRow(editor.ListInfo().Count() / 2);
    editor.SetCol(3);
    state.ResumeTiming();
    int sent = 0;
    for (std::size_t i = 0; sent < 1000; i = (i + 1) % typed.size(), ++sent)
      editor.KeyChar(static_cast<unsigned char>(typed[i]));
    state.PauseTiming();
    while (editor.CanUndo()) editor.Undo();  // the text back to its size for the next round
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * 1000);
  state.counters["rows"] = editor.ListInfo().Count();
}
BENCHMARK(BM_TypeThousandCharacters)
    ->ArgName("rows")
    ->Arg(1'000)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

// Down held: auto-repeated key-down messages walk the caret through the whole text.
void BM_HoldDown(benchmark::State& state) {
  editor::TEditor editor;
  Prepare(editor, static_cast<int>(state.range(0)));
  const int last = editor.ListInfo().CaretRowLimit();
  for (auto _ : state) {
    if (editor.Row() >= last) {
      state.PauseTiming();
      editor.KeyDown(editor::TEditorKey::Home, editor::ssCtrl, false);
      state.ResumeTiming();
    }
    editor.KeyDown(editor::TEditorKey::Down, 0, true);
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["rows"] = editor.ListInfo().Count();
}
BENCHMARK(BM_HoldDown)->ArgName("rows")->Arg(1'000)->Arg(10'000)->Arg(100'000);

}  // namespace

BENCHMARK_MAIN();
