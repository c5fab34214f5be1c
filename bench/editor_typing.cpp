// One typed character and one Return in the middle of texts of 1,000 to 100,000 lines with word wrap
// on: an edit re-cuts only the lines it touches, so a typed character costs the same in any text.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "editor/control/editor.h"
#include "editor/text/editor_screen_strings.h"

namespace {

std::string Text(int lines) {
  std::string text;
  for (int i = 0; i < lines; ++i) {
    text += "line " + std::to_string(i) + " with some words and \x82\xA0\x82\xA2\x82\xA4 in it";
    if (i % 5 == 0) text += std::string(100, 'w');  // a line of two rows
    text += "\r\n";
  }
  return text;
}

// Types c at column 5 of the given row the way the editor's PutText does: the row with the character put
// in (and its line break) replaces the row.
void TypeAt(editor::TEditorScreenStrings& rows, int row, std::string_view c) {
  std::string text = rows.RowText(row);
  text.insert(std::min<std::size_t>(5, text.size()), c);
  if (rows.RowAttribute(row) == editor::raBreak) text += "\r\n";
  rows.ReplaceText(row, 1, text);
}

// Each typed character goes to another of a thousand one-row lines in the middle, so that no line grows
// long enough to need another row (adding a row shifts the rows after it, as Return does).
void BM_TypeCharacter(benchmark::State& state) {
  editor::TEditor editor;
  editor.SetWordWrap(true);
  editor.Lines().SetText(Text(static_cast<int>(state.range(0))));
  editor::TEditorScreenStrings& rows = editor.ListInfo();
  std::vector<int> targets;
  for (int row = rows.Count() / 4; row < rows.Count() && targets.size() < 1000; ++row) {
    const bool oneRowLine = rows.RowAttribute(row) == editor::raBreak && rows.LineStartRow(row) == row;
    if (oneRowLine && rows.RowText(row).size() < 50) targets.push_back(row);
  }
  std::size_t step = 0;
  for (auto _ : state) {
    const int row = targets[step++ % targets.size()];
    editor.SetRow(row);
    TypeAt(rows, row, "x");
  }
  state.counters["rows"] = rows.Count();
}
BENCHMARK(BM_TypeCharacter)->ArgName("lines")->Arg(1'000)->Arg(10'000)->Arg(100'000)->Iterations(20'000);

// Return in the middle of a row, then the Backspace that joins the two rows again, so the text keeps its size.
void BM_ReturnAndJoin(benchmark::State& state) {
  editor::TEditor editor;
  editor.SetWordWrap(true);
  editor.Lines().SetText(Text(static_cast<int>(state.range(0))));
  editor::TEditorScreenStrings& rows = editor.ListInfo();
  const int row = rows.Count() / 2 + (rows.RowAttribute(rows.Count() / 2) == editor::raBreak ? 0 : 1);
  const std::string line = rows.RowText(row);
  const std::string split = line.substr(0, 5) + "\r\n" + line.substr(5) + "\r\n";
  const std::string joined = line + "\r\n";
  for (auto _ : state) {
    rows.ReplaceText(row, 1, split);
    rows.ReplaceText(row, 2, joined);
  }
}
BENCHMARK(BM_ReturnAndJoin)->ArgName("lines")->Arg(1'000)->Arg(10'000)->Arg(100'000)->Iterations(5'000);

}  // namespace

BENCHMARK_MAIN();
