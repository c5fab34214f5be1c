// The skinned frame: the menu label's and the title bar's double click, presses in the page corner, and
// the window following the mouse where no window manager moves it.
#include <QApplication>
#include <QTest>

#include "app/frame_controls.h"
#include "app/main_menu.h"
#include "app/note_window_support.h"
#include "editor/control/editor.h"
#include "editor/text/editor_strings.h"
#include "qt/editor_widget.h"

namespace app_test {
namespace {

class FrameTest : public NoteWindowTest {
 protected:
  app::TfrmMain& Start(std::size_t pages) { return Open(std::vector<std::string>(pages, "text"), true); }
  QWidget& Control(const char* name) { return *FWindow->findChild<QWidget*>(QString::fromLatin1(name)); }
};

// The click opens the menu, which then takes the second press of the double click.
TEST_F(FrameTest, TheMenuLabelsClickOpensTheMenuAndItsDoubleClickClosesTheWindowAfterTheGuard) {
  auto doubleClick = [this](app::TfrmMain& window) {
    QTest::mouseClick(&Control("lblMenu"), Qt::LeftButton);
    EXPECT_TRUE(window.MainMenu().isVisible());
    EXPECT_EQ(window.MainMenu().pos(), window.mapToGlobal(QPoint(5, 17)));
    const QPoint at = window.mapToGlobal(QPoint(10, 10));
    QMouseEvent second(QEvent::MouseButtonDblClick, window.MainMenu().mapFromGlobal(at), at, Qt::LeftButton,
                       Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window.MainMenu(), &second);
    QApplication::processEvents();
    EXPECT_FALSE(window.MainMenu().isVisible());
  };
  app::TfrmMain& guarded = Start(1);
  Activate();
  Deactivate();
  Activate();
  doubleClick(guarded);
  EXPECT_TRUE(guarded.isVisible());  // the first after a deactivation only clears the guard

  app::TfrmMain& window = Start(1);
  Activate();
  doubleClick(window);
  EXPECT_TRUE(window.isHidden());
  EXPECT_TRUE(fs::exists(Ini()));  // closed through the close check
}

TEST_F(FrameTest, PressesInThePageCornerTurnPagesOnceTheFrameIsPainted) {
  app::TfrmMain& window = Start(3);
  const int h = window.height();
  EXPECT_EQ(window.PageCornerRect(), QRect(0, h - 35, 35, 35));
  QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(6, h - 34));
  EXPECT_EQ(window.PageIndex(), 1);
  QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(30, h - 34));
  EXPECT_EQ(window.PageIndex(), 0);
  // Quick clicks count one each, the second of a double click as well.
  QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {}, QPoint(20, h - 5));
  EXPECT_EQ(window.PageIndex(), 2);
}

TEST_F(FrameTest, TitleBarDoubleClickRenamesOverTheTitleShadesElsewhereAndHonoursTheGuard) {
  app::TfrmMain& window = Start(1);
  Activate();
  Deactivate();
  Activate();
  ASSERT_TRUE(window.DblClickGuard());
  QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {}, QPoint(200, 8));
  EXPECT_FALSE(window.IsShaded());  // the first after a deactivation only clears the guard
  EXPECT_FALSE(window.DblClickGuard());
  QTest::mouseDClick(&window, Qt::LeftButton, {}, QPoint(200, 8));
  EXPECT_TRUE(window.IsShaded());
  EXPECT_EQ(window.height(), app::TitleBarHeight);

  // Rolled up, the title text still renames and elsewhere the window rolls down.
  FDialogs.Inputs = {QStringLiteral("renamed")};
  QTest::mouseDClick(&window, Qt::LeftButton, {}, QPoint(28, 8));
  EXPECT_EQ(window.CurrentTitle(), "renamed");
  EXPECT_TRUE(window.IsShaded());
  QTest::mouseDClick(&window, Qt::LeftButton, {}, QPoint(200, 8));
  EXPECT_FALSE(window.IsShaded());
  EXPECT_EQ(window.height(), 355);
  // Below the title bar a double click does nothing of its own.
  QTest::mouseDClick(&window, Qt::LeftButton, {}, QPoint(3, 100));
  EXPECT_FALSE(window.IsShaded());
}

TEST_F(FrameTest, WithoutAWindowManagerTheFrameMovesAndSizesTheWindowItself) {
  app::TfrmMain& window = Start(1);
  const QRect before = window.geometry();
  auto send = [&window](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    QMouseEvent event(type, at, window.mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(&window, &event);
  };
  send(QEvent::MouseButtonPress, {100, 8}, Qt::LeftButton);
  send(QEvent::MouseMove, {130, 28}, Qt::LeftButton);
  send(QEvent::MouseButtonRelease, {130, 28}, Qt::NoButton);
  EXPECT_EQ(window.geometry(), before.translated(30, 20));

  const QPoint grip(window.width() - 5, window.height() - 5);
  send(QEvent::MouseMove, grip, Qt::NoButton);
  EXPECT_EQ(window.cursor().shape(), Qt::SizeFDiagCursor);
  send(QEvent::MouseButtonPress, grip, Qt::LeftButton);
  send(QEvent::MouseMove, grip + QPoint(-400, 40), Qt::LeftButton);
  send(QEvent::MouseButtonRelease, grip + QPoint(-400, 40), Qt::NoButton);
  EXPECT_EQ(window.size(), QSize(app::MinWindowWidth, before.height() + 40));
  send(QEvent::MouseMove, {100, 100}, Qt::NoButton);
  EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
}

}  // namespace
}  // namespace app_test
