// Painting the editor widget offscreen: a full repaint of a 60 x 120-cell view of Japanese text, and the
// path from one keystroke (a character, a Return) to its repaint on texts of growing size.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPixmap>

#include <string>

#include "app/note_editor_preset.h"
#include "editor/props/editor_properties.h"
#include "editor/text/editor_strings.h"
#include "platform/cp932.h"
#include "qt/editor_widget.h"
#include "qt/qt_fonts.h"

namespace {

// One line of 120 cells: Japanese with some ASCII, a URL now and then so tokens get coloured.
std::string JapaneseLine(int i) {
  std::string line = platform::Utf8ToCp932("日本語のテキストを表示する速さを測ります。");
  line += i % 7 == 0 ? " http://www.example.com/" : " plain ascii words here ";
  while (line.size() < 120) line += platform::Utf8ToCp932("あ");
  return line.substr(0, 120);
}

std::string Text(int lines) {
  std::string text;
  for (int i = 0; i < lines; ++i) text += JapaneseLine(i) + "\r\n";
  return text;
}

// A widget sized to 120 columns and 60 rows of the note window's font.
void Prepare(qtui::TEditorWidget& widget, int lines) {
  qtui::InstallFontSubstitutions();
  editor::TEditor& editor = widget.Editor();
  app::ApplyNoteWindowEditorSettings(editor);
  editor.SetFont({platform::Utf8ToCp932("ＭＳ ゴシック"), 10, 0, 0});
  const editor::TFontMetrics m = qtui::MeasureFont(qtui::ToQFont(editor.Font()));
  widget.resize(8 + 120 * m.AveCharWidth + m.AveCharWidth, 2 + 5 + 60 * (m.Height + m.ExternalLeading));
  editor.Lines().SetText(Text(lines));
  widget.show();
  widget.setFocus();
  QApplication::processEvents();
}

void BM_FullRepaint60x120(benchmark::State& state) {
  qtui::TEditorWidget widget;
  Prepare(widget, 200);
  QPixmap target(widget.size());
  for (auto _ : state) {
    widget.render(&target);
    benchmark::DoNotOptimize(target);
  }
  state.counters["rows"] = widget.Editor().VisibleRows();
  state.counters["cols"] = widget.Editor().VisibleCols();
}
BENCHMARK(BM_FullRepaint60x120)->Unit(benchmark::kMillisecond);

// A key pressed in the middle of the text, then the repaint it asked for; undone each round (timer
// paused). The cost must not grow with the text.
void KeyToPaint(benchmark::State& state, Qt::Key key, const QString& text) {
  qtui::TEditorWidget widget;
  Prepare(widget, static_cast<int>(state.range(0)));
  editor::TEditor& editor = widget.Editor();
  editor.SetRow(static_cast<int>(state.range(0)) / 2);
  editor.SetCol(10);
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  for (auto _ : state) {
    QApplication::sendEvent(&widget, &press);
    QApplication::processEvents();  // the event loop paints what the keystroke invalidated
    state.PauseTiming();
    editor.Undo();
    QApplication::processEvents();
    state.ResumeTiming();
  }
}

void BM_KeystrokeToPaint(benchmark::State& state) { KeyToPaint(state, Qt::Key_A, QStringLiteral("a")); }
BENCHMARK(BM_KeystrokeToPaint)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_ReturnToPaint(benchmark::State& state) { KeyToPaint(state, Qt::Key_Return, QStringLiteral("\r")); }
BENCHMARK(BM_ReturnToPaint)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
