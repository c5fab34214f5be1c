// The view and the caret where editing.txt does not reach: the cell under a point of the view and the
// blinking caret the core draws (cases of view.txt), and a pasted view that ends before its buffer does.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "editor/control/caret_model.h"
#include "editor/view/hit_test.h"
#include "support/case_table.h"
#include "support/mouse_driver.h"

namespace editor {
namespace {

using test::TMouseDriver;

// The cell cases of tests/data/view.txt.
TEST(CellAtPoint, NearestTakesTheBoundaryOfTheHalfAndMarginsCountDown) {
  for (const test_support::TRow& row : test_support::Rows("view.txt", "cellat")) {
    const THitGeometry g{row.Int(0), row.Int(1), row.Int(2), row.Int(3), row.Int(4), row.Int(5)};
    EXPECT_EQ(CellAtPoint(g, row.Int(6), row.Int(7), row[8] == "nearest"), (TColRow{row.Int(10), row.Int(11)}))
        << row.Where();
  }
}

// The caret cases of tests/data/view.txt: a caret blinking every 500 ms, what is done to it, and whether
// it is drawn and what it asked of its window.
TEST(CaretModel, EveryCaseShowsAndAsksWhatItSays) {
  for (const test_support::TRow& row : test_support::Rows("view.txt", "caret")) {
    TCaretModel caret;
    std::vector<TRect> invalidated;
    std::vector<int> timers;
    caret.SetBlinkTime(500);
    caret.OnInvalidate = [&invalidated](const TRect& area) { invalidated.push_back(area); };
    caret.OnTimer = [&timers](int interval) { timers.push_back(interval); };
    std::size_t i = 0;
    for (; row[i] != "=>"; ++i) {
      const std::string command = row[i].substr(0, row[i].find('('));
      const std::vector<std::string> a = test::Arguments(row[i]);
      const auto n = [&a](std::size_t k) { return std::stoi(a.at(k)); };
      if (command == "create") {
        caret.Create(n(0), n(1));
      } else if (command == "place") {
        caret.SetPlace({n(0), n(1)}, n(2) != 0);
      } else if (command == "blink") {
        caret.SetBlinkTime(n(0));
      } else if (command == "hide") {
        caret.Hide();
      } else if (command == "show") {
        caret.Show();
      } else if (command == "tick") {
        caret.Tick();
      } else if (command == "destroy") {
        caret.Destroy();
      } else if (command == "clear") {
        invalidated.clear();
        timers.clear();
      } else {
        FAIL() << row.Where() << ": unknown command " << command;
      }
    }
    std::string rects, intervals;
    for (const TRect& r : invalidated) {
      for (const int v : {r.Left, r.Top, r.Right, r.Bottom}) rects += (rects.empty() ? "" : ",") + std::to_string(v);
    }
    for (const int interval : timers) intervals += (intervals.empty() ? "" : ",") + std::to_string(interval);
    const std::map<std::string, std::string> found = {{"drawn", std::to_string(caret.Drawn())},
                                                      {"on", std::to_string(caret.PhaseOn())},
                                                      {"invalidated", rects},
                                                      {"timers", intervals},
                                                      {"ticks", std::to_string(!timers.empty() && timers.back() != 0)}};
    for (++i; i < row.Size(); ++i) {
      const std::string name = row[i].substr(0, row[i].find('('));
      EXPECT_EQ(name + "(" + found.at(name) + ")", row[i]) << row.Where();
    }
  }
}

TEST(EditorInput, APastedViewEndsWhereTheViewEndsNotWhereItsBufferDoes) {
  TMouseDriver d;
  d.Load("");
  const std::string buffer =
      "x\x82"
      "A";  // a view of two bytes: the lead byte has no partner in it
  d.Editor.PutText(std::string_view(buffer.data(), 2));
  EXPECT_EQ(d.Text(), "x?");
}

}  // namespace
}  // namespace editor
