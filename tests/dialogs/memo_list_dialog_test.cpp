// The page-order dialog against a fake note window: the list, the click that shows a page, the moves.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <sstream>

#include "dialogs/memo_list_dialog.h"
#include "fake_note_window.h"
#include "platform/cp932.h"
#include "support/case_table.h"

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
  const auto split = [](const std::string& text) {
    Strings items;
    std::istringstream in(text);
    for (std::string item; std::getline(in, item, ',');) items.push_back(item);
    return items;
  };
  for (const test_support::TRow& row : test_support::Rows("dialogs.txt", "order")) {
    const Strings titles = split(row.Text(0)), textsAfter = split(row.Text(3));
    Strings titlesCp932, titlesAfter;  // the list shows the titles as written here
    for (const std::string& title : titles) titlesCp932.push_back(platform::Utf8ToCp932(title));
    for (const std::string& text : textsAfter) titlesAfter.push_back(titles.at(std::stoul(text.substr(5))));
    TFakeNoteWindow host;
    host.SetPages(titlesCp932, row.Int(1));
    TfrmMemoList dialog(host);
    auto& list = Control<QListWidget>(dialog, "lstMemo");
    EXPECT_EQ(list.currentRow(), row.Int(1));
    Strings expectedCalls;
    for (const char move : row.Text(2)) {
      const int target = host.PageIndex() + (move == 'U' ? -1 : 1);
      if (target >= 0 && target < static_cast<int>(titles.size())) {
        expectedCalls.insert(expectedCalls.end(), {"SetPageIndex " + std::to_string(target), "Repaint"});
      }
      Control<QPushButton>(dialog, move == 'U' ? "btnUp" : "btnDown").click();
    }
    EXPECT_EQ(host.PageTexts(), textsAfter) << row.Where();
    EXPECT_EQ(host.PageIndex(), row.Int(4)) << row.Where();
    EXPECT_EQ(list.currentRow(), row.Int(4)) << row.Where();
    EXPECT_EQ(dialogs_test::ListTexts(list), titlesAfter) << row.Where();
    EXPECT_EQ(host.Calls, expectedCalls) << row.Where();
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
