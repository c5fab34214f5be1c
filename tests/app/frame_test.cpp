// The skinned frame: where the skin's pieces go, what a press on the frame does, the title bar's labels
// and double click, and the window following the mouse where no window manager moves it.
#include <QApplication>
#include <QTest>

#include "app/frame_controls.h"
#include "app/frame_layout.h"
#include "app/main_menu.h"
#include "app/note_window_support.h"
#include "editor/control/editor.h"
#include "editor/text/editor_strings.h"
#include "qt/editor_widget.h"

namespace app_test {
namespace {

struct TRect {
  int L, T, R, B;  // right and bottom exclusive
};

QRect Q(TRect r) { return app::Ltrb(r.L, r.T, r.R, r.B); }

TEST(SkinPieces, MinimumWidthAndDesignSize) {
  struct Case {
    int W, H, Piece;
    TRect Source, Target;
  };
  // clang-format off
  const Case cases[] = {
      {150,  80, 0, {0, 0, 35, 18},     {0, 0, 35, 18}},
      {150,  80, 1, {36, 0, 38, 18},    {22, 0, 58, 18}},
      {150,  80, 2, {39, 0, 131, 18},   {58, 0, 150, 18}},
      {150,  80, 3, {0, 32, 18, 34},    {0, 18, 18, 45}},
      {150,  80, 5, {39, 32, 131, 34},  {58, 18, 150, 45}},
      {150,  80, 6, {0, 35, 35, 70},    {0, 45, 35, 80}},
      {150,  80, 7, {36, 35, 38, 70},   {35, 45, 70, 80}},  // its end lies under piece 8 (from 58)
      {150,  80, 8, {39, 35, 131, 70},  {58, 45, 150, 80}},
      {352, 355, 1, {36, 0, 38, 18},    {22, 0, 260, 18}},
      {352, 355, 2, {39, 0, 131, 18},   {260, 0, 352, 18}},
      {352, 355, 3, {0, 32, 18, 34},    {0, 18, 18, 320}},
      {352, 355, 4, {36, 38, 38, 39},   {0, 0, 352, 355}},
      {352, 355, 5, {39, 32, 131, 34},  {260, 18, 352, 320}},
      {352, 355, 6, {0, 35, 35, 70},    {0, 320, 35, 355}},
      {352, 355, 7, {36, 35, 38, 70},   {35, 320, 272, 355}},
      {352, 355, 8, {39, 35, 131, 70},  {260, 320, 352, 355}},
  };
  // clang-format on
  for (const Case& c : cases) {
    const app::TSkinPiece piece = app::SkinPieces(QSize(c.W, c.H))[static_cast<std::size_t>(c.Piece)];
    EXPECT_EQ(piece.Source, Q(c.Source)) << c.W << "x" << c.H << " piece " << c.Piece;
    EXPECT_EQ(piece.Target, Q(c.Target)) << c.W << "x" << c.H << " piece " << c.Piece;
  }
  EXPECT_EQ(app::TrackSource, Q({111, 19, 126, 34}));
  EXPECT_EQ(app::ThumbSource, Q({95, 19, 110, 34}));
}

TEST(FrameAction, PageCornerHalvesArrowsGripAndMove) {
  using A = app::TFrameAction;
  const QSize size(352, 355);
  const QRect corner = app::PageCornerOf(size);
  struct Case {
    int X, Y;
    bool SizeCursor;
    A Action;
  };
  // clang-format off
  const Case cases[] = {
      {6, 321, false, A::NextPage},       // 1 below the corner's top, 1 right of its edge: the diagonal
      {30, 321, false, A::PreviousPage},
      {20, 340, false, A::NextPage},
      {20, 330, false, A::PreviousPage},
      {5, 340, false, A::Move},           // left of the corner image
      {35, 340, false, A::Move},          // right of it
      {20, 320, false, A::Move},          // on its top row
      {340, 325, false, A::ScrollUp},
      {332, 321, false, A::ScrollUp},
      {331, 325, false, A::Move},
      {348, 325, false, A::Move},
      {340, 326, false, A::Move},         // between the arrows
      {340, 329, false, A::ScrollDown},
      {340, 334, false, A::ScrollDown},
      {340, 335, false, A::Move},
      {345, 350, true, A::Size},
      {100, 8, true, A::Size},            // the cursor decides, wherever it shows
      {100, 8, false, A::Move},
  };
  // clang-format on
  for (const Case& c : cases)
    EXPECT_EQ(app::FrameActionAt({c.X, c.Y}, size, corner, c.SizeCursor), c.Action) << c.X << "," << c.Y;
  // Before the first full paint no corner is known.
  EXPECT_EQ(app::FrameActionAt({6, 321}, size, QRect(), false), A::Move);

  for (const auto& [point, grip] : {std::pair{QPoint(333, 337), true}, std::pair{QPoint(332, 337), false},
                                    std::pair{QPoint(333, 336), false}, std::pair{QPoint(351, 354), true}})
    EXPECT_EQ(app::InSizeGrip(point, size), grip) << point.x() << "," << point.y();
  EXPECT_FALSE(app::InSizeGrip({349, 20}, QSize(352, 21)));  // rolled up, no grip
}

class FrameTest : public NoteWindowTest {
 protected:
  app::TfrmMain& Start(std::size_t pages) { return StartShown(std::vector<std::string>(pages, "text")); }
  void Activate() {
    FWindow->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(FWindow.get()));
  }
  // Another window takes the focus away, which arms the double-click guard.
  void Deactivate() {
    QWidget other;
    other.show();
    other.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&other));
  }
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
