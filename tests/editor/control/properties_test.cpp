// The control's properties in effect: values clamped (the margin, the tab width, the history's length and
// the wrap are cases of editing.txt), a Caret change without a window and the image bar's pictures. (The
// note window's preset is in every case of editing.txt and has a test of the Qt widget; a new tab width,
// hits, read-only over a drag, the cursors, how far ahead start states are computed, the repaints an
// assignment brings, what a Caret change in a window does to the history and the start states a property
// change brings are cases of editing.txt.)
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/text/editor_screen_strings.h"
#include "editor/view/editor_images.h"
#include "support/windowed_editor.h"

namespace editor {
namespace {

using test::TWindowedEditor;

TEST(EditorProps, ValuesAreClampedNotRefused) {
  TEditor e;
  const std::vector<std::tuple<std::function<void(int)>, std::function<int()>, int, int>> cases = {
      {[&](int v) { e.Ruler().SetGaugeRange(v); }, [&] { return e.Ruler().GaugeRange(); }, 9, 8},
      {[&](int v) { e.Ruler().SetGaugeRange(v); }, [&] { return e.Ruler().GaugeRange(); }, 20, 10},
      {[&](int v) { e.Leftbar().SetColumn(v); }, [&] { return e.Leftbar().Column(); }, 0, 1},
      {[&](int v) { e.Leftbar().SetColumn(v); }, [&] { return e.Leftbar().Column(); }, 9, 8},
      {[&](int v) { e.Leftbar().SetRightMargin(v); }, [&] { return e.Leftbar().RightMargin(); }, 101, 100},
      {[&](int v) { e.Imagebar().SetMarkWidth(v); }, [&] { return e.Imagebar().MarkWidth(); }, -1, 0},
      {[&](int v) { e.Speed().SetPageVerticalRange(v); }, [&] { return e.Speed().PageVerticalRange(); }, 0, 1},
      {[&](int v) { e.Speed().SetCaretVerticalAc(v); }, [&] { return e.Speed().CaretVerticalAc(); }, 9, 4},
  };
  for (const auto& [set, get, given, kept] : cases) {
    set(given);
    EXPECT_EQ(get(), kept) << given;
  }
}

// A new control takes tabs and returns as text; without a window it keeps its history over a Caret change
// (in a window the change empties it: cases of editing.txt).
TEST(EditorProps, ANewControlTakesTabsAndReturnsAndKeepsItsHistoryOverACaretChange) {
  TEditor e;
  e.SetReadOnly(false);
  e.KeyChar(kCharReturn);
  e.KeyChar(kCharTab);
  EXPECT_EQ(e.Lines().Text(), "\r\n\t");
  e.Caret().SetAutoIndent(false);
  EXPECT_TRUE(e.CanUndo());
}

TEST(ImageBar, RowMarksShowTheirPicturesAndAListThatGoesClearsItsProperty) {
  TWindowedEditor w;  // the image bar shows by default: 2 + 8 + 0 + 2 pixels
  w.Editor.Imagebar().SetMarkWidth(11);
  w.Editor.Lines().SetText("a\r\nb\r\nc\r\n");
  w.Editor.ListInfo().SetRowMarks(1, (1 << 3) | (1 << 7) | (1 << 12));
  const auto paint = [&w] { return w.Paint().Images; };
  auto images = paint();
  ASSERT_EQ(images.size(), 2u);
  EXPECT_EQ(std::make_pair(images[0].X, images[0].Y), std::make_pair(2, 18));
  EXPECT_EQ(images[1].List, &BuiltInMarkImages());
  EXPECT_EQ(images[1].X, 2 + 8);

  auto digits = std::make_unique<TEditorImageList>(8, 11, 0x0000FF);
  for (int i = 0; i < 10; ++i) digits->Add({});
  w.Editor.SetImageDigits(digits.get());
  w.Editor.SetImageMarks(digits.get());
  EXPECT_EQ(paint()[0].List, digits.get());
  const int repaints = w.Window.InvalidateAllCount;
  digits.reset();
  EXPECT_EQ(w.Editor.ImageDigits(), nullptr);
  EXPECT_EQ(w.Editor.ImageMarks(), nullptr);
  EXPECT_GT(w.Window.InvalidateAllCount, repaints);
  EXPECT_EQ(paint()[0].List, &BuiltInDigitImages());
  EXPECT_EQ(BuiltInDigitImages().Count(), 10);
  EXPECT_EQ(BuiltInMarkImages().Count(), 6);
}

}  // namespace
}  // namespace editor
