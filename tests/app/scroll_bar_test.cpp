// The skinned scroll bar: the thumb arithmetic, and the thumb, the track, the arrows and the wheel
// driven with the mouse.
#include <QApplication>
#include <QTest>
#include <QWheelEvent>

#include "app/frame_controls.h"
#include "app/note_window_support.h"
#include "app/thumb_math.h"
#include "editor/control/editor.h"
#include "qt/editor_widget.h"

namespace app_test {
namespace {

TEST(ThumbMath, ThumbTopForTheEditorsState) {
  struct Case {
    int LineCount, VisibleRows, TopRow, AreaH;
    int Top;  // -1: hidden
  };
  // clang-format off
  const Case cases[] = {
      {1, 20, 0, 287, -1},      // an empty page
      {5, 20, 0, 287, -1},      // five long lines wrapped to sixty rows still hide it
      {18, 20, 0, 287, -1},
      {19, 20, 0, 287, 0},      // one less than the view shows it
      {20, 20, 3, 287, 272},    // as many lines as rows, scrolled: at the bottom
      {120, 20, 1, 287, 2},     // (287 - 20) div 100
      {120, 20, 50, 287, 143},
      {120, 20, 100, 287, 272},
      {120, 20, 119, 287, 272}, // never past the track's end
      {19, 20, 5, 287, 0},      // scrolled past a short text: never above the track either
  };
  // clang-format on
  for (const Case& c : cases) {
    const std::optional<int> top = app::ThumbTop({c.LineCount, c.VisibleRows, c.TopRow, c.LineCount}, c.AreaH);
    EXPECT_EQ(top.value_or(-1), c.Top) << c.LineCount << " lines, " << c.VisibleRows << " rows, top " << c.TopRow;
  }
}

TEST(ThumbMath, TopRowOfThumbRoundsHalvesToEvenAndSnapsTheLastPercents) {
  struct Case {
    int ThumbTop, AreaH, LineCount, TotalRows, VisibleRows;
    int TopRow;
  };
  // clang-format off
  const Case cases[] = {
      {0, 220, 300, 300, 20, 0},
      {1, 220, 300, 300, 20, 0},        // 0.5 percent rounds to 0
      {3, 220, 300, 300, 20, 6},        // 1.5 percent rounds to 2
      {5, 220, 300, 300, 20, 6},        // 2.5 percent rounds to 2
      {2, 220, 50, 50, 20, 0},          // 1 percent of 50 lines: 0.5 rounds to 0
      {6, 220, 50, 50, 20, 2},          // 3 percent: 1.5 rounds to 2
      {192, 220, 300, 300, 20, 288},    // 96 percent: still a share of the lines
      {194, 220, 300, 300, 20, 280},    // 97 percent: the last page
      {205, 220, 10, 60, 20, 40},       // the last page counts wrapped rows
  };
  // clang-format on
  for (const Case& c : cases) {
    const app::TScrollState editor{c.LineCount, c.VisibleRows, 0, c.TotalRows};
    EXPECT_EQ(app::TopRowOfThumb(c.ThumbTop, c.AreaH, editor).value_or(-1), c.TopRow)
        << c.ThumbTop << " of " << c.AreaH;
  }
  EXPECT_FALSE(app::TopRowOfThumb(0, 20, {100, 1, 0, 100}));  // no range to divide by

  for (const auto& [pointer, top] : {std::pair{-7, 0}, std::pair{0, 0}, std::pair{100, 100}, std::pair{194, 194},
                                     std::pair{195, 205}, std::pair{300, 205}})
    EXPECT_EQ(app::DraggedThumbTop(pointer, 220), top) << pointer;
  EXPECT_EQ(app::WheelRows(3), 1);
  EXPECT_EQ(app::WheelRows(1), 0);
  EXPECT_EQ(app::WheelRows(5), 2);
}

class ScrollBarTest : public NoteWindowTest {
 protected:
  app::TfrmMain& Start(int lines) {
    std::string text = "line 0";
    for (int i = 1; i < lines; ++i) text += "\r\nline " + std::to_string(i);
    return StartShown({text});
  }
  editor::TEditor& Editor() { return FWindow->Memo1().Editor(); }
  int AreaH() { return FWindow->PnlScrollArea().height(); }
  void Wheel(QWidget& target, int delta, Qt::Orientation orientation = Qt::Vertical) {
    const QPoint angle = orientation == Qt::Vertical ? QPoint(0, delta) : QPoint(delta, 0);
    QWheelEvent event(QPointF(10, 10), target.mapToGlobal(QPointF(10, 10)), QPoint(), angle, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&target, &event);
  }
};

TEST_F(ScrollBarTest, TheWheelScrollsHalfTheDesktopsLinesAndTheEditorNeverScrollsItself) {
  app::TfrmMain& window = Start(200);
  const int lines = QApplication::wheelScrollLines();
  QApplication::setWheelScrollLines(3);
  Wheel(window.Memo1(), -120);
  EXPECT_EQ(Editor().TopRow(), 1);
  Wheel(window, -240);  // two notches at once, on the frame
  EXPECT_EQ(Editor().TopRow(), 3);
  Wheel(window.Memo1(), 120);
  EXPECT_EQ(Editor().TopRow(), 2);
  Wheel(window.Memo1(), -60);  // half a notch waits for the other half
  EXPECT_EQ(Editor().TopRow(), 2);
  Wheel(window.Memo1(), -60);
  EXPECT_EQ(Editor().TopRow(), 3);
  Wheel(window.Memo1(), -120, Qt::Horizontal);
  EXPECT_EQ(Editor().TopRow(), 3);
  QApplication::setWheelScrollLines(1);
  Wheel(window.Memo1(), -120);
  EXPECT_EQ(Editor().TopRow(), 3);
  QApplication::setWheelScrollLines(lines);
  EXPECT_GT(window.PnlScroll().y(), 0);  // the thumb followed
}

TEST_F(ScrollBarTest, TheArrowsRepeatWhileHeldAndOnlyWhenTheThumbShows) {
  app::TfrmMain& window = Start(3);
  const QPoint down(window.width() - 12, window.height() - 24);
  const QPoint up(window.width() - 12, window.height() - 32);
  EXPECT_FALSE(window.PnlScroll().isVisible());
  QTest::mousePress(&window, Qt::LeftButton, {}, down);
  EXPECT_FALSE(window.Timer().isActive());
  QTest::mouseRelease(&window, Qt::LeftButton, {}, down);

  Editor().Lines().SetText(std::string(100, '\n'));
  window.UpdateThumb();
  ASSERT_TRUE(window.PnlScroll().isVisible());
  QTest::mousePress(&window, Qt::LeftButton, {}, down);
  EXPECT_EQ(window.TimerTag(), 2);
  EXPECT_EQ(Editor().TopRow(), 0);  // the first step comes with the first tick
  EXPECT_TRUE(QTest::qWaitFor([this] { return Editor().TopRow() >= 3; }, 2000));
  QTest::mouseRelease(&window, Qt::LeftButton, {}, down);
  EXPECT_FALSE(window.Timer().isActive());
  const int reached = Editor().TopRow();
  QTest::mousePress(&window, Qt::LeftButton, {}, up);
  EXPECT_EQ(window.TimerTag(), 1);
  EXPECT_TRUE(QTest::qWaitFor([&] { return Editor().TopRow() < reached; }, 2000));
  // A press on the track stops the repeat too.
  QTest::mousePress(&window.PnlScrollArea(), Qt::RightButton, {}, QPoint(5, 5));
  EXPECT_FALSE(window.Timer().isActive());
}

TEST_F(ScrollBarTest, DraggingTheThumbScrollsAndItsLastTenPixelsShowTheLastPage) {
  app::TfrmMain& window = Start(200);
  app::TSkinPanel& thumb = window.PnlScroll();
  ASSERT_TRUE(thumb.isVisible());
  EXPECT_EQ(thumb.y(), 0);
  QTest::mousePress(&thumb, Qt::LeftButton, {}, QPoint(7, 3));
  EXPECT_TRUE(window.ThumbDragging());
  QTest::mouseMove(&thumb, QPoint(7, AreaH() / 2));
  const int middle = Editor().TopRow();
  EXPECT_GT(middle, 60);
  EXPECT_LT(middle, 140);
  QTest::mouseMove(&thumb, QPoint(7, AreaH() - app::ThumbHeight - 10 - thumb.y()));
  EXPECT_EQ(Editor().TopRow(), 200 - Editor().VisibleRows());
  EXPECT_EQ(thumb.y(), AreaH() - app::ThumbHeight);
  QTest::mouseRelease(&thumb, Qt::LeftButton, {}, QPoint(7, 0));
  EXPECT_FALSE(window.ThumbDragging());
}

TEST_F(ScrollBarTest, ATrackClickJumpsThereAndDragsOnUntilTheRelease) {
  app::TfrmMain& window = Start(200);
  app::TSkinPanel& track = window.PnlScrollArea();
  Editor().SetTopRow(100);
  QTest::mousePress(&track, Qt::LeftButton, {}, QPoint(7, 0));
  EXPECT_EQ(Editor().TopRow(), 0);
  EXPECT_EQ(window.PnlScroll().y(), 0);
  EXPECT_TRUE(window.ThumbDragging());
  QTest::mouseMove(&track, QPoint(7, AreaH() / 2));
  EXPECT_GT(Editor().TopRow(), 60);
  QTest::mouseRelease(&track, Qt::LeftButton, {}, QPoint(7, AreaH() / 2));
  EXPECT_FALSE(window.ThumbDragging());
  // Only the left button jumps.
  QTest::mousePress(&track, Qt::RightButton, {}, QPoint(7, 0));
  EXPECT_GT(Editor().TopRow(), 60);
}

}  // namespace
}  // namespace app_test
