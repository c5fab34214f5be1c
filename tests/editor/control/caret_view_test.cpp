// The caret and the view where the cases of editing.txt do not reach: the blinking caret the core draws,
// and a view without a window.
#include <gtest/gtest.h>

#include <vector>

#include "editor/control/caret_model.h"
#include "editor/control/editor.h"
#include "support/change_listener.h"

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

TEST(EditorScroll, WithoutAWindowTheTopRowIsOnlyStored) {
  TEditor editor;
  test::TChangeListener changes;
  editor.OnTopRowChange = changes.Event();
  editor.Lines().SetText("a\r\nb\r\nc\r\n");
  editor.SetTopRow(9);
  EXPECT_EQ(editor.TopRow(), 3);
  EXPECT_EQ(changes.Count, 0);
}

}  // namespace
}  // namespace editor
