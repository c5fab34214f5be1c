// The note window's skin files and the plain-text title strip, on the offscreen platform with scripted
// dialogs (the rest of the window is driven by the scenarios of tests/data/note_window.txt).
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
