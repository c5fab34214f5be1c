// The page-order dialog against a fake note window: the list, the click that shows a page, the moves.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "dialogs/memo_list_dialog.h"
#include "fake_note_window.h"

namespace {

using dialogs::TfrmMemoList;
using dialogs_test::Control;
using dialogs_test::TFakeNoteWindow;
using Strings = std::vector<std::string>;

void ClickRow(QListWidget& list, int row) {
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(row)).center());
}

// The list shows the titles (code page 932) with the shown page selected; opening shows no page. Each move
// swaps the records, keeps the moved page selected and makes it the shown page's index, without storing or
// applying a page: the editor's text travels with its page.
TEST(MemoListDialog, MovesTheShownPageAndItsIndex) {
  const struct {
    Strings Titles;
    int Shown;
    const char* Moves;  // U up, D down
    Strings TextsAfter;
    int ShownAfter;
  } cases[] = {
      {{"\x96\xB3\x91\xE8"}, 0, "UD", {"text 0"}, 0},
      {{"a", "b", "c"}, 0, "DD", {"text 1", "text 2", "text 0"}, 2},
      {{"a", "b", "c"}, 0, "U", {"text 0", "text 1", "text 2"}, 0},
      {{"a", "b", "c"}, 2, "D", {"text 0", "text 1", "text 2"}, 2},
      {{"a", "b", "c"}, 2, "UU", {"text 2", "text 0", "text 1"}, 0},
      {{"same", "same", "other"}, 1, "D", {"text 0", "text 2", "text 1"}, 2},
      {{"a", "b", "c"}, 1, "DUU", {"text 1", "text 0", "text 2"}, 0},
  };
  for (const auto& c : cases) {
    TFakeNoteWindow host;
    host.SetPages(c.Titles, c.Shown);
    TfrmMemoList dialog(host);
    auto& list = Control<QListWidget>(dialog, "lstMemo");
    EXPECT_EQ(list.currentRow(), c.Shown);
    Strings expectedCalls;
    for (const char* move = c.Moves; *move; ++move) {
      const int target = host.PageIndex() + (*move == 'U' ? -1 : 1);
      if (target >= 0 && target < static_cast<int>(c.Titles.size())) {
        expectedCalls.insert(expectedCalls.end(), {"SetPageIndex " + std::to_string(target), "Repaint"});
      }
      Control<QPushButton>(dialog, *move == 'U' ? "btnUp" : "btnDown").click();
    }
    EXPECT_EQ(host.PageTexts(), c.TextsAfter) << c.Moves;
    EXPECT_EQ(host.PageIndex(), c.ShownAfter) << c.Moves;
    EXPECT_EQ(list.currentRow(), c.ShownAfter) << c.Moves;
    Strings titlesAfter;
    for (const store::TMemoData& page : host.Store().Pages) titlesAfter.push_back(page.Title);
    EXPECT_EQ(dialogs_test::ListTexts(list), c.Titles.size() == 1 ? Strings{"無題"} : titlesAfter) << c.Moves;
    EXPECT_EQ(host.Calls, expectedCalls) << c.Moves;
  }
}

// A click or the keyboard stores the shown page's text before showing the chosen one, under an hourglass
// that goes again; an edit made before a move is stored into the page's new place.
TEST(MemoListDialog, ChoosingAPageStoresTheShownOneFirst) {
  TFakeNoteWindow host;
  host.SetPages({"a", "b", "c"}, 0);
  TfrmMemoList dialog(host);
  auto& list = Control<QListWidget>(dialog, "lstMemo");
  host.EditorText = "edited a";
  Control<QPushButton>(dialog, "btnDown").click();
  Control<QPushButton>(dialog, "btnDown").click();
  const std::size_t first = host.Calls.size();
  ClickRow(list, 0);
  EXPECT_EQ(host.CallsFrom(first), (Strings{"StorePage 2", "ApplyPage 0"}));
  EXPECT_EQ(host.PageTexts(), (Strings{"text 1", "text 2", "edited a"}));
  EXPECT_EQ(host.EditorText, "text 1");
  EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the hourglass is gone again";
  QTest::keyClick(&list, Qt::Key_Down);
  EXPECT_EQ(host.CallsFrom(first + 2), (Strings{"StorePage 0", "ApplyPage 1"}));
}

// The dialog opens beside the note window; Esc in the list and the close button end it, and the page menu
// is rebuilt afterwards.
TEST(MemoListDialog, OpensBesideTheNoteWindowClosesAndRebuildsThePageMenu) {
  for (bool escape : {true, false}) {
    TFakeNoteWindow host;
    host.SetPages({"a", "b"}, 0);
    QPoint placed;
    QTimer::singleShot(0, [&] {
      QWidget* dialog = QApplication::activeModalWidget();
      ASSERT_NE(dialog, nullptr);
      placed = dialog->pos();
      EXPECT_EQ(dialog->windowTitle(), QStringLiteral("ページ順の変更"));
      Control<QPushButton>(*dialog, "btnDown").click();
      if (escape) QTest::keyClick(&Control(*dialog, "lstMemo"), Qt::Key_Escape);
      if (!escape) Control<QPushButton>(*dialog, "BitBtn1").click();
    });
    dialogs::RunMemoListDialog(host);
    EXPECT_EQ(placed, QPoint(320, 220));
    EXPECT_EQ(host.Calls, (Strings{"SetPageIndex 1", "Repaint", "RebuildPageMenu"})) << escape;
  }
}

}  // namespace
