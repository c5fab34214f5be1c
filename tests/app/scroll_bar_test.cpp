// The skinned scroll bar: the thumb, the track, the arrows and the wheel driven with the mouse.
#include <QApplication>
#include <QTest>
#include <QWheelEvent>

#include "app/frame_controls.h"
#include "app/note_window_support.h"
#include "editor/control/editor.h"
#include "qt/editor_widget.h"

namespace app_test {
namespace {

class ScrollBarTest : public NoteWindowTest {
 protected:
  app::TfrmMain& Start(int lines) {
    std::string text = "line 0";
    for (int i = 1; i < lines; ++i) text += "\r\nline " + std::to_string(i);
    return Open({text}, true);
  }
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
