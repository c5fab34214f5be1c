// The note window's plain-text title strip, on the offscreen platform (the rest of the window is driven by
// the scenarios of tests/data/note_window.txt).
#include <QImage>

#include "app/note_window_support.h"

namespace app_test {
namespace {

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
