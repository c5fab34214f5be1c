// The note window's start timer, skin files, the plain-text title strip and the wrap width following the
// window, on the offscreen platform with scripted dialogs (the fitted geometry, an unreadable data file and
// always on top around a confirmation are scenarios of tests/data/note_window.txt).
#include <QImage>
#include <QTest>

#include "app/note_window_support.h"
#include "editor/control/editor.h"
#include "editor/text/editor_screen_strings.h"
#include "image/builtin_skin.h"
#include "qt/qt_skin_image.h"
#include "support/bmp_writer.h"

namespace app_test {
namespace {

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

// Every row of a wrapped page fits the editor, and a wider window gives longer rows.
TEST_F(NoteWindowTest, TheWrapWidthFollowsTheWindowsWidth) {
  app::TfrmMain& window = Open({std::string(600, 'a')}, true);
  window.mnuWordWrapClick();
  auto widestRow = [this] {
    int widest = 0;
    for (int row = 0; row < Editor().ListInfo().Count(); ++row) widest = std::max(widest, Editor().RowWidth(row));
    return widest;
  };
  const int colWidth = Editor().Viewport().ColWidth();
  ASSERT_GT(colWidth, 0);
  const int atDesignWidth = widestRow();
  EXPECT_LE(Editor().Viewport().TextLeft() + atDesignWidth * colWidth, window.Memo1().width());
  EXPECT_GT(Editor().Viewport().TextLeft() + (atDesignWidth + 2) * colWidth, window.Memo1().width());

  window.resize(window.width() + 10 * colWidth, window.height());
  EXPECT_EQ(widestRow(), atDesignWidth + 10);
  window.resize(app::MinWindowWidth, window.height());
  EXPECT_EQ(widestRow(), 20);  // the editor's narrowest wrap
  EXPECT_EQ(Editor().Lines().Text(), std::string(600, 'a'));
}

}  // namespace
}  // namespace app_test
