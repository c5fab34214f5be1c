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

std::string Join(std::initializer_list<int> values) {
  std::string out;
  for (const int v : values) out += (out.empty() ? "" : ",") + std::to_string(v);
  return out;
}

// What a repaint asks of the window, case by case from tests/data/view.txt: single rows, bands of whole
// rows, and after a change at most one scroll of what lies below it, under the caret and the underline
// hidden. Ten visible rows of 16 pixels from y 2, a 640 x 167 client area, top row 10.
TEST(Invalidate, EveryCaseAsksForItsRepaintsAndScrolls) {
  for (const test_support::TRow& row : test_support::Rows("view.txt", "invalidate")) {
    TFakeWindow window;
    window.Height = 167;
    TPaintMetrics metrics{.TopRow = 10, .VisibleRows = 10, .ClientWidth = 640, .ClientHeight = 167};
    TPaintBars bars;
    std::vector<std::string> events;
    TRepaintHooks hooks;
    hooks.BeginCaretHide = [&events] { events.push_back("caret-"); };
    hooks.EndCaretHide = [&events] { events.push_back("caret+"); };
    hooks.BeginUnderlineHide = [&events] { events.push_back("line-"); };
    hooks.EndUnderlineHide = [&events] { events.push_back("line+"); };
    std::size_t i = 0;
    for (; row[i] != "=>"; ++i) {
      const std::string name = row[i].substr(0, row[i].find('('));
      std::vector<int> n;
      for (const std::string& argument : test::Arguments(row[i])) n.push_back(std::stoi(argument));
      if (name == "bars") {  // image bar width, line number bar width, where the text starts
        bars.ImagebarVisible = true;
        bars.ImagebarWidth = n.at(0);
        bars.LeftbarVisible = true;
        bars.LeftbarWidth = n.at(1);
        metrics.TextLeft = n.at(2);
      } else if (name == "view") {
        metrics.VisibleRows = n.at(0);
        window.Height = metrics.ClientHeight = n.at(1);
      } else if (name == "row" || name == "row-nowindow") {
        TEditorInvalidator(name == "row" ? &window : nullptr, metrics).InvalidateRow(n.at(0));
      } else if (name == "rows") {
        TEditorInvalidator(&window, metrics).InvalidateRows(n.at(0), n.at(1));
      } else if (name == "change") {  // start, old rows, new rows, changed rows, row count
        const TLastUpdate update{.StartRow = n.at(0), .OldRows = n.at(1), .NewRows = n.at(2), .ChangedRows = n.at(3)};
        TEditorInvalidator(&window, metrics, bars).RepaintAfterChange(update, n.at(4), hooks);
      } else {
        FAIL() << row.Where() << ": unknown command " << row[i];
      }
    }
    std::string found, expected;
    for (const TRect& r : window.Invalidated) found += " repaint(" + Join({r.Left, r.Top, r.Right, r.Bottom}) + ")";
    for (const TFakeWindow::TScrollCall& s : window.Scrolls) {
      const TRect& a = s.Area;
      found += " scroll(" + Join({s.Dy, a.Left, a.Top, a.Right, a.Bottom}) + ")";
      EXPECT_EQ(s.Dx, 0) << row.Where();
      // A paint before the scroll would draw the rows below in their new places, to be moved once more.
      EXPECT_EQ(s.UpdatesBefore, 0) << row.Where();
      EXPECT_EQ(events, (std::vector<std::string>{"caret-", "line-", "line+", "caret+"})) << row.Where();
    }
    for (++i; i < row.Size(); ++i) expected += " " + row[i];
    EXPECT_EQ(found, expected) << row.Where();
  }
}

}  // namespace
}  // namespace editor
