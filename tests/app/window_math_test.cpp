// The note window's arithmetic against tests/data/window.txt: the skin's pieces, what a press on the frame
// does, the scroll bar's thumb, the geometry brought within reach of the screens, and the reasons its
// messages give for a file that failed (the messages themselves are scenarios of note_window_ends.txt).
#include <gtest/gtest.h>

#include "app/frame_layout.h"
#include "app/safety_messages.h"
#include "app/thumb_math.h"
#include "app/window_geometry.h"
#include "support/case_table.h"

namespace app {
namespace {

using test_support::Rows;
using test_support::TRow;

QRect RectAt(const TRow& row, std::size_t at) {
  return Ltrb(row.Int(at), row.Int(at + 1), row.Int(at + 2), row.Int(at + 3));
}

TEST(WindowMath, SkinPieces) {
  for (const TRow& row : Rows("window.txt", "piece")) {
    const TSkinPiece piece = SkinPieces(QSize(row.Int(0), row.Int(1)))[static_cast<std::size_t>(row.Int(2))];
    EXPECT_EQ(piece.Source, RectAt(row, 3)) << row.Where();
    EXPECT_EQ(piece.Target, RectAt(row, 7)) << row.Where();
  }
  for (const TRow& row : Rows("window.txt", "skin"))
    EXPECT_EQ(row[0] == "track" ? TrackSource : ThumbSource, RectAt(row, 1)) << row.Where();
}

TEST(WindowMath, FrameActions) {
  const char* names[] = {"NextPage", "PreviousPage", "ScrollUp", "ScrollDown", "Size", "Move"};
  const QSize size(352, 355);
  for (const TRow& row : Rows("window.txt", "action")) {
    const TFrameAction action = FrameActionAt({row.Int(0), row.Int(1)}, size, PageCornerOf(size), row.Int(2) != 0);
    EXPECT_EQ(names[static_cast<int>(action)], row[3]) << row.Where();
  }
  // Before the first full paint no corner is known.
  EXPECT_EQ(FrameActionAt({6, 321}, size, QRect(), false), TFrameAction::Move);
  for (const TRow& row : Rows("window.txt", "grip"))
    EXPECT_EQ(InSizeGrip({row.Int(0), row.Int(1)}, QSize(row.Int(2), row.Int(3))), row.Int(4) != 0) << row.Where();
}

TEST(WindowMath, Thumb) {
  for (const TRow& row : Rows("window.txt", "thumb")) {
    const int lines = row.Int(0);
    EXPECT_EQ(ThumbTop({lines, row.Int(1), row.Int(2), lines}, row.Int(3)).value_or(-1), row.Int(4)) << row.Where();
  }
  for (const TRow& row : Rows("window.txt", "toprow")) {
    const TScrollState editor{row.Int(2), row.Int(4), 0, row.Int(3)};
    EXPECT_EQ(TopRowOfThumb(row.Int(0), row.Int(1), editor).value_or(-1), row.Int(5)) << row.Where();
  }
  for (const TRow& row : Rows("window.txt", "drag"))
    EXPECT_EQ(DraggedThumbTop(row.Int(0), 220), row.Int(1)) << row.Where();
  for (const TRow& row : Rows("window.txt", "wheel")) EXPECT_EQ(WheelRows(row.Int(0)), row.Int(1)) << row.Where();
}

TEST(WindowMath, ReachableGeometry) {
  const QList<QRect> screens = {QRect(0, 0, 1920, 1040), QRect(1920, 0, 1280, 1024)};
  for (const TRow& row : Rows("window.txt", "reach")) {
    const QSize minimum(row.Int(4), row.Int(5));
    const QRect expected(row.Int(6), row.Int(7), row.Int(8), row.Int(9));
    EXPECT_EQ(ReachableGeometry(row.Int(0), row.Int(1), row.Int(2), row.Int(3), minimum, screens), expected)
        << row.Where();
  }
  EXPECT_EQ(ReachableGeometry(5, 6, 7, 8, QSize(150, 80), {}), QRect(5, 6, 150, 80));
}

TEST(WindowMath, ReasonsAreJapaneseWhereTheProgramKnowsThemAndTheSystemsOwnWordsFollow) {
  for (const TRow& row : Rows("window.txt", "reason")) {
    // "-": a failure in the program's own words; 0: a reason without an errno; else that errno.
    platform::FileResult failure;
    if (row[0] == "-") {
      failure = platform::FileResult::Failure(row.Text(1));
    } else if (row.Int(0) == 0) {
      failure = platform::FileResult::Failure("cannot write", "/f", row.Text(1));
    } else {
      failure = platform::FileResult::Failure("cannot write", "/f", row.Int(0));
    }
    EXPECT_EQ(ReasonText(failure), QString::fromStdString(row.Text(2))) << row.Where();
  }
}

}  // namespace
}  // namespace app
