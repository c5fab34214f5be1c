// The caret and the view as the window sees them, where the cases of editing.txt do not reach: the
// blinking caret the core draws, a view without a window, and the caret-row underline that follows the
// caret.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "editor/control/caret_model.h"
#include "editor/control/editor_paint.h"
#include "editor/text/editor_screen_strings.h"
#include "support/change_listener.h"
#include "support/recording_canvas.h"
#include "support/windowed_editor.h"

namespace editor {
namespace {

using Rects = std::vector<TRect>;

// A model that logs what it asks of its window.
struct TLoggedCaret {
  TLoggedCaret() {
    Caret.SetBlinkTime(500);
    Caret.OnInvalidate = [this](const TRect& area) { Invalidated.push_back(area); };
    Caret.OnTimer = [this](int interval) { Timers.push_back(interval); };
  }
  TCaretModel Caret;
  Rects Invalidated;
  std::vector<int> Timers;
};

TEST(CaretModel, ShowsWhileItExistsUnhiddenInViewAndInItsOnPhase) {
  TLoggedCaret l;
  l.Caret.SetPlace({10, 20}, true);
  EXPECT_FALSE(l.Caret.Drawn()) << "no caret before the focus creates one";
  l.Caret.Create(2, 16);
  EXPECT_TRUE(l.Caret.Drawn());
  EXPECT_EQ(l.Invalidated, (Rects{{10, 20, 12, 36}}));
  EXPECT_EQ(l.Timers, (std::vector<int>{500}));
  // Nested hiding: only the last Show of a pair brings it back, and a Show too many does nothing.
  l.Caret.Hide();
  l.Caret.Hide();
  l.Caret.Show();
  EXPECT_FALSE(l.Caret.Drawn());
  l.Caret.Show();
  l.Caret.Show();
  EXPECT_TRUE(l.Caret.Drawn());
  l.Caret.Hide();
  EXPECT_FALSE(l.Caret.Drawn()) << "the extra Show was not kept for later";
  l.Caret.Show();
  l.Caret.Tick();
  EXPECT_FALSE(l.Caret.Drawn()) << "the off phase of a blink";
  l.Caret.Tick();
  EXPECT_TRUE(l.Caret.Drawn());
  l.Caret.SetPlace({10, -16}, false);
  l.Caret.Tick();
  l.Caret.Tick();
  EXPECT_FALSE(l.Caret.Drawn()) << "out of view it never shows, whatever the phase";
  l.Timers.clear();
  l.Caret.Destroy();
  EXPECT_EQ(l.Timers, (std::vector<int>{0})) << "no ticks without a caret";
}

TEST(CaretModel, AMoveRestartsTheBlinkAndRepaintsBothPlaces) {
  TLoggedCaret l;
  l.Caret.Create(2, 16);
  l.Caret.SetPlace({8, 2}, true);
  l.Caret.Tick();  // off
  l.Invalidated.clear();
  l.Timers.clear();
  l.Caret.SetPlace({16, 2}, true);
  EXPECT_TRUE(l.Caret.PhaseOn()) << "a moving caret stays on";
  EXPECT_EQ(l.Invalidated, (Rects{{16, 2, 18, 18}})) << "it was off: only the new place";
  EXPECT_EQ(l.Timers, (std::vector<int>{500})) << "the on phase lasts a whole blink";
  l.Invalidated.clear();
  l.Caret.SetPlace({24, 2}, true);
  l.Caret.SetPlace({24, 2}, true);
  EXPECT_EQ(l.Invalidated, (Rects{{16, 2, 18, 18}, {24, 2, 26, 18}}));
  l.Caret.SetBlinkTime(0);  // a desktop that does not blink: no ticks
  l.Timers.clear();
  l.Caret.SetPlace({32, 2}, true);
  EXPECT_TRUE(l.Timers.empty() || l.Timers == (std::vector<int>{0}));
}

// Forty rows in a window ten rows high with construction defaults (text from x 31), with the focus.
struct TFocusedEditor : test::TWindowedEditor {
  TFocusedEditor() : TWindowedEditor(10) {
    std::string text;
    for (int i = 0; i < 40; ++i) text += "row\r\n";
    Editor.Lines().SetText(text);
    Editor.FocusIn();
  }
  test::TRecordingCanvas Paint() {
    test::TRecordingCanvas canvas;
    canvas.Clip = {0, 0, Window.Width, Window.Height};
    PaintEditor(Editor, canvas);
    return canvas;
  }
};

TEST(EditorScroll, WithoutAWindowTheTopRowIsOnlyStored) {
  TEditor editor;
  test::TChangeListener changes;
  editor.OnTopRowChange = changes.Event();
  editor.Lines().SetText("a\r\nb\r\nc\r\n");
  editor.SetTopRow(9);
  EXPECT_EQ(editor.TopRow(), 3);
  EXPECT_EQ(changes.Count, 0);
}

TEST(EditorUnderline, FollowsTheCaretAndStaysOutOfScrolls) {
  TFocusedEditor f;
  f.Editor.Marks().Underline().SetVisible(true);  // rows 17 pixels high, the line on the 17th
  const auto line = [&f](int row) {
    const int y = 2 + (row - f.Editor.TopRow()) * 17 + 16;
    return TRect{31, y, 640, y + 1};
  };
  const auto has = [&f](const TRect& r) {
    return std::find(f.Window.Invalidated.begin(), f.Window.Invalidated.end(), r) != f.Window.Invalidated.end();
  };
  const auto lines = [](const test::TRecordingCanvas& canvas) {
    std::vector<int> ys;
    for (const auto& l : canvas.Lines) ys.push_back(l.From.Y);
    return ys;
  };
  EXPECT_EQ(lines(f.Paint()), std::vector<int>{18});
  f.Window.Invalidated.clear();
  f.Editor.SetRow(2);
  f.Editor.ScrollCaret();
  EXPECT_TRUE(has(line(0)) && has(line(2))) << "erased on the old row, drawn on the new";
  EXPECT_EQ(lines(f.Paint()), std::vector<int>{2 + 2 * 17 + 16});

  f.Editor.BeginUnderlineHide();
  f.Editor.BeginUnderlineHide();
  f.Editor.EndUnderlineHide();
  EXPECT_TRUE(lines(f.Paint()).empty()) << "hidden until the last End";
  f.Window.Invalidated.clear();
  f.Editor.EndUnderlineHide();
  EXPECT_EQ(f.Window.Invalidated, Rects{line(2)});
  EXPECT_EQ(lines(f.Paint()).size(), 1u);
  f.Window.Invalidated.clear();
  const TRect before = line(2);
  f.Editor.SetTopRow(1);  // erased before the pixels move, drawn again where the row went
  EXPECT_TRUE(has(before) && has(line(2)));
  EXPECT_EQ(f.Editor.UnderlineHideCount(), 0);
}

}  // namespace
}  // namespace editor
