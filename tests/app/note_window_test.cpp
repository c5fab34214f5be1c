// The note window's start, its start timer and an unreadable data file, on the offscreen platform with scripted
// dialogs.
#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include "app/note_window_support.h"
#include "editor/control/editor.h"
#include "editor/text/editor_strings.h"
#include "qt/editor_widget.h"
#include "qt/text_convert.h"

namespace app_test {
namespace {

TEST_F(NoteWindowTest, FirstStartShowsOneUntitledPageAtTheDesignPlaceAndSavesAtClose) {
  app::TfrmMain window(Services());
  ASSERT_TRUE(window.FormCreate());
  EXPECT_EQ(Titles(window), std::vector<std::string>{Sjis("無題")});
  EXPECT_EQ(window.CurrentTitle(), Sjis("無題"));
  EXPECT_EQ(window.Memo1().Editor().Font().Name, Sjis("ＭＳ ゴシック"));
  EXPECT_EQ(window.CanvasFont().Size, 9);
  EXPECT_EQ(window.pos(), QPoint(247, 142));
  EXPECT_EQ(window.size(), QSize(352, 355));
  EXPECT_EQ(window.Memo1().geometry(), QRect(7, 18, 325, 302));
  EXPECT_EQ(window.Store().Pages[0].Created, "20250302120509");
  EXPECT_FALSE(window.IsShaded());
  EXPECT_FALSE(window.IsAlwaysOnTop());
  // No tray and no X11 here: both fail without a word.
  EXPECT_FALSE(window.TrayIcon().Added());
  EXPECT_FALSE(window.HotKey().Registered());

  EXPECT_TRUE(window.close());
  EXPECT_TRUE(FDialogs.Shown.empty());
  EXPECT_NE(ReadDat().find("{$BEGIN}\r\n0,\"" + Sjis("無題") + "\",0,0,0,0,-1,0,255,16777215,0,"), std::string::npos);
  EXPECT_EQ(platform_test::ReadBytes(Ini()).rfind("[TACKNOTE]\r\nSkinFile=DEFAULT.BMP\r\nLeft=247\r\nTop=142\r\n", 0),
            0u);
}

TEST_F(NoteWindowTest, StoredPagesAndGeometryComeBack) {
  WritePages({"first\r\nline", "second"});
  WriteIni("Left=10\r\nTop=$20\r\nWidth=400\r\nHeight=300\r\nAlphaBlend=300\r\n");
  app::TfrmMain window(Services());
  ASSERT_TRUE(window.FormCreate());
  EXPECT_EQ(window.Store().Pages.size(), 2u);
  EXPECT_EQ(window.CurrentTitle(), "p0");
  EXPECT_EQ(window.Memo1().Editor().Lines().Text(), "first\r\nline");
  EXPECT_EQ(window.geometry(), QRect(10, 32, 400, 300));
  EXPECT_NEAR(window.windowOpacity(), 44 / 255.0, 0.01);  // the low 8 bits of 300
}

// Stored geometry the user could never reach is fitted to the screen; the fitted values are what a close
// then writes.
TEST_F(NoteWindowTest, AWindowTooLargeOrOffEveryScreenComesBackWithinReach) {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  struct Case {
    const char* Ini;
    QRect Expected;
  };
  for (const Case& c : {
           Case{"Width=1000000\r\nHeight=1000000\r\n", QRect(247, 142, screen.width(), screen.height())},
           Case{"Left=-5000\r\nTop=9000\r\n", QRect(0, screen.bottom() - 354, 352, 355)},
           Case{"Left=2147483647\r\nTop=-2147483648\r\nWidth=2147483647\r\n", QRect(0, 0, screen.width(), 355)},
           // Partly on the screen is within reach; the size never goes below the window's minimum.
           Case{"Left=-100\r\nTop=-50\r\nWidth=1\r\nHeight=1\r\n", QRect(-100, -50, 150, 80)},
       }) {
    SCOPED_TRACE(c.Ini);
    WriteIni(c.Ini);
    app::TfrmMain window(Services());
    ASSERT_TRUE(window.FormCreate());
    EXPECT_EQ(window.geometry(), c.Expected);
    EXPECT_TRUE(window.close());
    const std::string ini = platform_test::ReadBytes(Ini());
    EXPECT_NE(ini.find("Width=" + std::to_string(c.Expected.width()) + "\r\n"), std::string::npos) << ini;
  }
}

TEST_F(NoteWindowTest, TheStartTimerRollsUpAStoredShadeAndHidesWhenStartedWithR) {
  WriteIni("Height=300\r\nWindowShade=1\r\nAlwaysOnTop=1\r\n");
  for (const auto& [arguments, hidden] :
       {std::pair{std::vector<std::string>{"/R"}, true}, std::pair{std::vector<std::string>{"/r"}, false},
        std::pair{std::vector<std::string>{}, false}}) {
    app::TfrmMain window(Services(arguments));
    ASSERT_TRUE(window.FormCreate());
    window.show();
    EXPECT_TRUE(window.IsAlwaysOnTop());
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(window.IsShaded());  // not before the first tick
    EXPECT_EQ(window.height(), 300);
    EXPECT_TRUE(QTest::qWaitFor([&window] { return window.IsShaded(); }, 2000));
    EXPECT_EQ(window.height(), app::TitleBarHeight);
    EXPECT_EQ(window.isHidden(), hidden);
    // Closed rolled up, the settings keep the full height.
    EXPECT_TRUE(window.close());
    const std::string ini = platform_test::ReadBytes(Ini());
    EXPECT_NE(ini.find("Height=300\r\nWindowShade=1\r\nAlwaysOnTop=1\r\n"), std::string::npos) << ini;
  }
}

TEST_F(NoteWindowTest, UnreadableDataFileIsNeverOverwrittenNorAreTheSettings) {
  // A header field that does not parse makes the whole file unreadable.
  const std::string broken = "{$BEGIN}\r\n0,\"t\",zz,0,0,0,-1,0,255,16777215,0,\"x\",10,0,0,1,1\r\ntext\r\n{$END}\r\n";
  platform_test::WriteBytes(Dat(), broken);
  app::TfrmMain window(Services());
  EXPECT_FALSE(window.FormCreate());
  ASSERT_EQ(FDialogs.Shown.size(), 1u);
  EXPECT_TRUE(FDialogs.Shown[0].Text.contains(QString::fromStdString(Dat().string())));
  EXPECT_TRUE(window.close());
  EXPECT_EQ(ReadDat(), broken);
  EXPECT_FALSE(fs::exists(Ini()));
}

}  // namespace
}  // namespace app_test
