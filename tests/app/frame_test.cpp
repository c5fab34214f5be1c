// The skinned frame: the title bar's labels and double click, presses in the page corner, and the window
// following the mouse where no window manager moves it.
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

TEST_F(FrameTest, TitleBarLabelsSitAtTheRightEndWithTheirHintsAndAct) {
  app::TfrmMain& window = Start(1);
  window.resize(300, 200);
  struct Case {
    const char* Name;
    QRect Geometry;
    const char* Hint;
  };
  for (const Case& c :
       {Case{"lblMenu", {5, 5, 12, 12}, "メニュー"}, Case{"lblNew", {210, 3, 11, 11}, "新規ページ"},
        Case{"lblCut", {222, 3, 11, 11}, "切り取り"}, Case{"lblCopy", {234, 3, 11, 11}, "コピー"},
        Case{"lblPaste", {246, 3, 11, 11}, "貼り付け"}, Case{"lblSelAll", {258, 3, 11, 11}, "すべて選択"},
        Case{"btnWindowShade", {273, 3, 11, 11}, "ウィンドウシェード"}, Case{"btnHide", {285, 3, 11, 11}, "閉じる"}}) {
    EXPECT_EQ(Control(c.Name).geometry(), c.Geometry) << c.Name;
    EXPECT_EQ(Control(c.Name).toolTip(), QString::fromUtf8(c.Hint)) << c.Name;
  }
  EXPECT_EQ(window.PnlScrollArea().geometry(), QRect(280, 18, 15, 147));

  editor::TEditor& editor = window.Memo1().Editor();
  QTest::mouseClick(&Control("lblSelAll"), Qt::LeftButton);
  EXPECT_EQ(editor.SelLength(), 4);
  QTest::mouseClick(&Control("lblCut"), Qt::LeftButton);
  EXPECT_EQ(editor.Lines().Text(), "");
  QTest::mouseClick(&Control("lblPaste"), Qt::LeftButton);
  QTest::mouseClick(&Control("lblPaste"), Qt::LeftButton);
  EXPECT_EQ(editor.Lines().Text(), "texttext");
  QTest::mouseClick(&Control("lblNew"), Qt::LeftButton);
  EXPECT_EQ(window.Store().Pages.size(), 2u);
  QTest::mouseClick(&Control("btnWindowShade"), Qt::LeftButton);
  EXPECT_EQ(window.height(), app::TitleBarHeight);
  QTest::mouseClick(&Control("btnWindowShade"), Qt::LeftButton);
  EXPECT_EQ(window.height(), 200);
}

TEST_F(FrameTest, TheCloseLabelHidesAResidentWindowAndOtherwiseCloses) {
  app::TfrmMain& window = Start(1);
  window.Settings().Resident = true;
  QTest::mouseClick(&Control("btnHide"), Qt::LeftButton);
  EXPECT_TRUE(window.isHidden());
  EXPECT_FALSE(fs::exists(Ini()));  // not closed, nothing saved
  window.ShowAndBringForward();
  window.Settings().Resident = false;
  QTest::mouseClick(&Control("btnHide"), Qt::LeftButton);
  EXPECT_TRUE(window.isHidden());
  EXPECT_TRUE(fs::exists(Ini()));  // closed through the close check
}

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
