// Row invalidation and the repaint after a text change, read back from a fake window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/text/editor_screen_strings.h"
#include "editor/view/editor_invalidator.h"
#include "support/case_table.h"
#include "support/fake_window.h"

namespace editor {
namespace {

using test::TFakeWindow;

// Ten visible rows of 16 pixels from y 2, a 640 x 200 client area, top row 10.
class InvalidateTest : public ::testing::Test {
 protected:
  InvalidateTest() {
    Window.Width = 640;
    Window.Height = 200;
    Metrics.TopRow = 10;
    Metrics.VisibleRows = 10;
    Metrics.ClientWidth = 640;
    Metrics.ClientHeight = 200;
  }
  // The band of rows first..last as InvalidateRows marks it.
  TRect Band(int first, int last) const { return {0, Metrics.RowTop(first), 640, Metrics.RowTop(last) + 16}; }
  void Change(int start, int oldRows, int newRows, int changedRows, int rowCount) {
    TLastUpdate update;
    update.StartRow = start;
    update.OldRows = oldRows;
    update.NewRows = newRows;
    update.ChangedRows = changedRows;
    TEditorInvalidator(&Window, Metrics, Bars).RepaintAfterChange(update, rowCount, Hooks);
  }

  TFakeWindow Window;
  TPaintMetrics Metrics;
  TPaintBars Bars;
  TRepaintHooks Hooks;
};

TEST_F(InvalidateTest, InvalidateRowTouchesOnlyRowsInView) {
  TEditorInvalidator invalidator(&Window, Metrics);
  invalidator.InvalidateRow(9);
  invalidator.InvalidateRow(21);
  EXPECT_TRUE(Window.Invalidated.empty());
  invalidator.InvalidateRow(12);
  invalidator.InvalidateRow(20);  // the partly visible row under the last whole one
  ASSERT_EQ(Window.Invalidated.size(), 2u);
  EXPECT_EQ(Window.Invalidated[0], (TRect{8, 2 + 32, 640, 2 + 48}));
  EXPECT_EQ(Window.Invalidated[1].Top, 2 + 160);
  TEditorInvalidator(nullptr, Metrics).InvalidateRow(12);  // no window yet: nothing to do
}

TEST_F(InvalidateTest, InvalidateRowsClampsToTheViewInEitherOrder) {
  TEditorInvalidator invalidator(&Window, Metrics);
  invalidator.InvalidateRows(30, 5);
  ASSERT_EQ(Window.Invalidated.size(), 1u);
  EXPECT_EQ(Window.Invalidated[0], Band(10, 20));
  invalidator.InvalidateRows(0, 5);
  EXPECT_EQ(Window.Invalidated.size(), 1u);
}

// What a change repaints, case by case from tests/data/view.txt: bands of whole rows, and at most one
// scroll of what lies below the change, under the caret and the underline hidden.
TEST_F(InvalidateTest, AChangeRepaintsItsRowsAndScrollsTheRowsBelow) {
  const auto join = [](std::initializer_list<int> values) {
    std::string out;
    for (const int v : values) out += (out.empty() ? "" : ",") + std::to_string(v);
    return out;
  };
  for (const test_support::TRow& row : test_support::Rows("view.txt", "change")) {
    std::vector<std::string> events;
    Hooks.BeginCaretHide = [&events] { events.push_back("caret-"); };
    Hooks.EndCaretHide = [&events] { events.push_back("caret+"); };
    Hooks.BeginUnderlineHide = [&events] { events.push_back("line-"); };
    Hooks.EndUnderlineHide = [&events] { events.push_back("line+"); };
    Window.Invalidated.clear();
    Window.Scrolls.clear();
    Change(row.Int(0), row.Int(1), row.Int(2), row.Int(3), row.Int(4));
    std::string found, expected;
    for (const TRect& r : Window.Invalidated) found += " repaint(" + join({r.Left, r.Top, r.Right, r.Bottom}) + ")";
    for (const TFakeWindow::TScrollCall& s : Window.Scrolls) {
      const TRect& a = s.Area;
      found += " scroll(" + join({s.Dy, a.Left, a.Top, a.Right, a.Bottom}) + ")";
      EXPECT_EQ(s.Dx, 0) << row.Where();
      EXPECT_EQ(events, (std::vector<std::string>{"caret-", "line-", "line+", "caret+"})) << row.Where();
    }
    for (std::size_t i = 6; i < row.Size(); ++i) expected += " " + row[i];
    EXPECT_EQ(found, expected) << row.Where();
  }
}

TEST_F(InvalidateTest, ImageBarScrollsWithTheTextAndRowNumbersAreRedrawn) {
  Bars.ImagebarVisible = true;
  Bars.ImagebarWidth = 12;
  Bars.LeftbarVisible = true;
  Bars.LeftbarWidth = 40;
  Metrics.TextLeft = 60;
  Change(12, 1, 2, 2, 18);
  ASSERT_EQ(Window.Scrolls.size(), 1u);
  EXPECT_EQ(Window.Scrolls[0].Area.Left, 0);
  ASSERT_EQ(Window.Invalidated.size(), 2u);
  EXPECT_EQ(Window.Invalidated[1], (TRect{12, Metrics.RowTop(14), 52, Metrics.RowTop(20) + 16}));
}

}  // namespace
}  // namespace editor
