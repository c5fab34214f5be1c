// The note window's start (geometry fitted to the screen, the start timer, an unreadable data file), always
// on top around a confirmation, skin files and the plain-text title strip, on the offscreen platform with
// scripted dialogs.
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTest>

#include "app/note_window_support.h"
#include "image/builtin_skin.h"
#include "qt/qt_skin_image.h"
#include "support/bmp_writer.h"

namespace app_test {
namespace {

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
    const std::string ini = test_support::ReadBytes(Ini());
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
    const std::string ini = test_support::ReadBytes(Ini());
    EXPECT_NE(ini.find("Height=300\r\nWindowShade=1\r\nAlwaysOnTop=1\r\n"), std::string::npos) << ini;
  }
}

TEST_F(NoteWindowTest, UnreadableDataFileIsNeverOverwrittenNorAreTheSettings) {
  // A header field that does not parse makes the whole file unreadable.
  const std::string broken = "{$BEGIN}\r\n0,\"t\",zz,0,0,0,-1,0,255,16777215,0,\"x\",10,0,0,1,1\r\ntext\r\n{$END}\r\n";
  test_support::WriteBytes(Dat(), broken);
  app::TfrmMain window(Services());
  EXPECT_FALSE(window.FormCreate());
  ASSERT_EQ(FDialogs.Shown.size(), 1u);
  EXPECT_TRUE(FDialogs.Shown[0].Text.contains(QString::fromStdString(Dat().string())));
  EXPECT_TRUE(window.close());
  EXPECT_EQ(ReadDat(), broken);
  EXPECT_FALSE(fs::exists(Ini()));
}

TEST_F(NoteWindowTest, AlwaysOnTopIsSuspendedAroundAConfirmationOnly) {
  app::TfrmMain window(Services());
  ASSERT_TRUE(window.FormCreate());
  window.show();
  window.mnuAlwaysOnTopClick();
  EXPECT_TRUE(window.IsAlwaysOnTop());
  EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_TRUE(window.isVisible());  // switching the hint does not hide the window
  FDialogs.Answers = {qtui::mrCancel};
  EXPECT_EQ(
      window.MessageDlgNotTopmost(QStringLiteral("?"), qtui::TMsgDlgType::mtConfirmation, qtui::mbOK | qtui::mbCancel),
      qtui::mrCancel);
  ASSERT_EQ(FDialogs.Shown.size(), 1u);
  EXPECT_FALSE(FDialogs.Shown[0].WindowOnTop);
  EXPECT_TRUE(window.IsAlwaysOnTop());
  EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  window.mnuAlwaysOnTopClick();
  EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(NoteWindowTest, SkinFilesAreDrawnOverTheImageAndBadOnesReportedWithTheirPath) {
  fs::create_directory(Skins());
  test_support::WriteBytes(Skins() / "SMALL.BMP", image_test::MakeBmp({100, 50, 8, image_test::BI_RLE8}));
  std::string cut = image_test::MakeBmp({131, 70, 24});
  cut.resize(cut.size() / 2);
  test_support::WriteBytes(Skins() / "和風.BMP", cut);  // named in UTF-8, as the settings name it in code page 932
  WriteIni("SkinFile=" + Sjis("和風.BMP") + "\r\n");
  app::TfrmMain window(Services());
  ASSERT_TRUE(window.FormCreate());
  ASSERT_EQ(FDialogs.Shown.size(), 1u);
  EXPECT_EQ(FDialogs.Shown[0].Text, QStringLiteral("スキンファイルの読み込みに失敗:") +
                                        QString::fromStdString((Skins() / "和風.BMP").string()));
  EXPECT_EQ(FDialogs.Shown[0].Type, qtui::TMsgDlgType::mtCustom);
  EXPECT_EQ(window.ImgSkin(), image::BuiltInSkin());
  EXPECT_EQ(window.Settings().SkinFile, Sjis("和風.BMP"));  // kept, as the user chose it

  window.LoadSkin("NOTHERE.BMP");  // silent
  EXPECT_EQ(FDialogs.Shown.size(), 1u);
  window.LoadSkin("SMALL.BMP");
  const image::TBitmap small = image_test::Expected({100, 50, 8, image_test::BI_RLE8});
  EXPECT_EQ(window.ImgSkin().Pixel(99, 49), small.At(99, 49));
  EXPECT_EQ(window.ImgSkin().Pixel(130, 69), image::BuiltInSkin().Pixel(130, 69));
  // The picture the frame paints from holds the same pixels.
  const QImage painted = qtui::ToQImage(window.ImgSkin());
  EXPECT_EQ(painted.size(), QSize(131, 70));
  EXPECT_EQ(painted.pixelColor(99, 49), QColor(small.At(99, 49).R, small.At(99, 49).G, small.At(99, 49).B));
  EXPECT_EQ(painted.pixelColor(130, 69), QColor(153, 153, 153));
}

TEST_F(NoteWindowTest, TheTitleStripShowsMarkupAsCharacters) {
  WritePages({"text"});
  app::TfrmMain window(Services());
  ASSERT_TRUE(window.FormCreate());
  auto inkRight = [&window](const std::string& title) {
    window.Store().Pages[0].Title = title;
    window.ApplyPage(0);
    const QImage strip = window.grab(QRect(0, 1, window.width(), app::TitleBarHeight - 2)).toImage();
    int right = 0;
    for (int y = 0; y < strip.height(); ++y)
      for (int x = 1; x < strip.width() - 1; ++x)
        if (qGray(strip.pixel(x, y)) < 128) right = std::max(right, x);
    return right;
  };
  const int plain = inkRight("x");
  const int markup = inkRight("<b>x</b>");
  EXPECT_GT(plain, app::TitleTextLeft);
  // Eight characters of ink, not one bold letter.
  EXPECT_GT(markup - app::TitleTextLeft, 6 * (plain - app::TitleTextLeft));
}

}  // namespace
}  // namespace app_test
