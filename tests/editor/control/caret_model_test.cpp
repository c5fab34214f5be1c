// The caret the core owns: it blinks at the window's rate, a paint leaves its blink alone, a caret
// scrolled out of view is never drawn, and every change repaints exactly the caret's pixels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/control/caret_model.h"
#include "editor/control/editor_paint.h"
#include "support/recording_canvas.h"
#include "support/windowed_editor.h"

namespace editor {
namespace {

// A model that logs what it asks for.
struct TLoggedCaret {
  TLoggedCaret() {
    Caret.SetBlinkTime(500);
    Caret.OnInvalidate = [this](const TRect& area) { Invalidated.push_back(area); };
    Caret.OnTimer = [this](int interval) { Timers.push_back(interval); };
  }
  TCaretModel Caret;
  std::vector<TRect> Invalidated;
  std::vector<int> Timers;
};

TEST(CaretModel, ShowsWhileItExistsUnhiddenInViewAndInItsOnPhase) {
  TLoggedCaret l;
  l.Caret.SetPlace({10, 20}, true);
  EXPECT_FALSE(l.Caret.Drawn()) << "no caret before the focus creates one";
  l.Caret.Create(2, 16);
  EXPECT_TRUE(l.Caret.Drawn());
  EXPECT_EQ(l.Invalidated, (std::vector<TRect>{{10, 20, 12, 36}}));
  EXPECT_EQ(l.Timers, (std::vector<int>{500}));

  l.Caret.Hide();
  l.Caret.Hide();
  l.Caret.Show();
  EXPECT_FALSE(l.Caret.Drawn()) << "hidden until the matching last Show";
  l.Caret.Show();
  l.Caret.Show();  // unmatched: nothing
  EXPECT_TRUE(l.Caret.Drawn());
  EXPECT_EQ(l.Caret.HideCount(), 0);

  l.Caret.Tick();
  EXPECT_FALSE(l.Caret.Drawn()) << "the off phase of a blink";
  l.Caret.Tick();
  EXPECT_TRUE(l.Caret.Drawn());

  l.Caret.SetPlace({10, -16}, false);  // scrolled out above the text
  EXPECT_FALSE(l.Caret.Drawn());
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
  EXPECT_EQ(l.Invalidated, (std::vector<TRect>{{16, 2, 18, 18}})) << "it was off: only the new place";
  EXPECT_EQ(l.Timers, (std::vector<int>{500})) << "the on phase lasts a whole blink";
  l.Invalidated.clear();
  l.Caret.SetPlace({24, 2}, true);
  EXPECT_EQ(l.Invalidated, (std::vector<TRect>{{16, 2, 18, 18}, {24, 2, 26, 18}}));
  l.Invalidated.clear();
  l.Caret.SetPlace({24, 2}, true);
  EXPECT_TRUE(l.Invalidated.empty()) << "the same place changes nothing";
}

TEST(CaretModel, ADesktopThatDoesNotBlinkGetsNoTicks) {
  TLoggedCaret l;
  l.Caret.SetBlinkTime(0);
  l.Caret.Create(2, 16);
  l.Caret.SetPlace({8, 2}, true);
  EXPECT_TRUE(l.Timers.empty());
  EXPECT_TRUE(l.Caret.Drawn());
}

// Twenty rows in a window ten rows high, with the focus.
struct TFocusedEditor : test::TWindowedEditor {
  TFocusedEditor() : TWindowedEditor(10) {
    std::string text;
    for (int i = 0; i < 20; ++i) text += "row\r\n";
    Editor.Lines().SetText(text);
    Editor.FocusIn();
  }
  std::vector<TRect> PaintedCaret() {
    test::TRecordingCanvas canvas;
    canvas.Clip = {0, 0, Window.Width, Window.Height};
    PaintEditor(Editor, canvas);
    return canvas.Inverted;
  }
};

TEST(EditorCaret, BlinksAtTheWindowsRateAndAPaintLeavesTheBlinkAlone) {
  TFocusedEditor f;
  EXPECT_EQ(f.Window.CaretTimer, 500);
  const TRect caret{8 + 19 + 4, 2, 8 + 19 + 4 + 2, 2 + 16};  // text left 31 (margin 19, image bar 12)
  EXPECT_EQ(f.PaintedCaret(), (std::vector<TRect>{caret}));
  EXPECT_EQ(f.PaintedCaret(), (std::vector<TRect>{caret})) << "painting again keeps the phase";
  f.Window.Invalidated.clear();
  f.Editor.CaretTick();
  EXPECT_EQ(f.Window.Invalidated, (std::vector<TRect>{caret})) << "a tick repaints the caret's pixels";
  EXPECT_TRUE(f.PaintedCaret().empty()) << "the off phase";
  f.Editor.CaretTick();
  EXPECT_EQ(f.PaintedCaret(), (std::vector<TRect>{caret}));

  f.Editor.FocusOut();
  EXPECT_EQ(f.Window.CaretTimer, 0);
  EXPECT_TRUE(f.PaintedCaret().empty());
}

TEST(EditorCaret, ACaretScrolledOutOfViewIsNeverDrawn) {
  TFocusedEditor f;
  f.Editor.SetTopRow(5);  // the caret's row 0 is above the view now
  EXPECT_FALSE(f.Editor.CaretModel().InView());
  EXPECT_TRUE(f.PaintedCaret().empty());
  f.Editor.CaretTick();
  f.Editor.CaretTick();
  EXPECT_TRUE(f.PaintedCaret().empty());
  f.Editor.SetTopRow(0);
  EXPECT_EQ(f.PaintedCaret().size(), 1u) << "back in view, it shows again";
  f.Editor.SetTopRow(20);  // the view below the caret's row
  EXPECT_TRUE(f.PaintedCaret().empty());
}

TEST(EditorCaret, ScrollingRepaintsWhereTheCaretsPixelsWereAndWhereTheyGo) {
  TFocusedEditor f;
  f.Editor.SetRow(2);
  f.Editor.ScrollCaret();
  f.Window.Invalidated.clear();
  f.Editor.SetTopRow(1);
  const TRect before{31, 2 + 2 * 16, 33, 2 + 3 * 16};
  ASSERT_GE(f.Window.Invalidated.size(), 2u);
  EXPECT_EQ(f.Window.Invalidated[0], before);
  EXPECT_EQ(f.Window.Invalidated[1], (TRect{31, 2 + 16, 33, 2 + 2 * 16}));
}

}  // namespace
}  // namespace editor
