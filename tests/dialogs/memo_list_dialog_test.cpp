// The page-order dialog against a fake note window: the list, the click that shows a page, the moves.
#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <string>
#include <vector>

#include "dialogs/memo_list_dialog.h"
#include "fake_note_window.h"

namespace {

using dialogs::TfrmMemoList;
using dialogs_test::TFakeNoteWindow;

QListWidget& List(QWidget& dialog) { return *dialog.findChild<QListWidget*>(QStringLiteral("lstMemo")); }
QPushButton& Button(QWidget& dialog, const char* name) {
  return *dialog.findChild<QPushButton*>(QString::fromLatin1(name));
}

std::vector<std::string> ListTexts(QListWidget& list) {
  std::vector<std::string> texts;
  for (int row = 0; row < list.count(); ++row) texts.push_back(list.item(row)->text().toStdString());
  return texts;
}

std::vector<std::string> PageTexts(TFakeNoteWindow& host) {
  std::vector<std::string> texts;
  for (const store::TMemoData& page : host.Store().Pages) texts.push_back(page.Text);
  return texts;
}

void ClickRow(QListWidget& list, int row) {
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(row)).center());
}

TEST(MemoListDialog, ListsTheTitlesAndSelectsTheShownPage) {
  TFakeNoteWindow host;
  host.SetPages({"\x96\xB3\x91\xE8", "same", "same"}, 2);  // "無題" in code page 932
  TfrmMemoList dialog(host);
  EXPECT_EQ(ListTexts(List(dialog)), (std::vector<std::string>{"無題", "same", "same"}));
  EXPECT_EQ(List(dialog).currentRow(), 2);
  EXPECT_TRUE(host.Calls.empty()) << "opening shows no page";
}

// Each move swaps the records, keeps the moved page selected and makes it the shown page's index,
// without storing or applying a page: the editor's text travels with its page.
TEST(MemoListDialog, MovesTheShownPageAndItsIndex) {
  const struct {
    std::vector<std::string> Titles;
    int Shown;
    const char* Moves;  // U up, D down
    std::vector<std::string> TextsAfter;
    int ShownAfter;
  } cases[] = {
      {{"a"}, 0, "UD", {"text 0"}, 0},
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
    std::vector<std::string> expectedCalls;
    int shown = c.Shown;
    for (const char* move = c.Moves; *move; ++move) {
      const int target = shown + (*move == 'U' ? -1 : 1);
      if (target >= 0 && target < static_cast<int>(c.Titles.size())) {
        shown = target;
        expectedCalls.insert(expectedCalls.end(), {"SetPageIndex " + std::to_string(target), "Repaint"});
      }
      Button(dialog, *move == 'U' ? "btnUp" : "btnDown").click();
    }
    EXPECT_EQ(PageTexts(host), c.TextsAfter) << c.Moves;
    EXPECT_EQ(host.PageIndex(), c.ShownAfter) << c.Moves;
    EXPECT_EQ(List(dialog).currentRow(), c.ShownAfter) << c.Moves;
    std::vector<std::string> titlesAfter;
    for (const store::TMemoData& page : host.Store().Pages) titlesAfter.push_back(page.Title);
    EXPECT_EQ(ListTexts(List(dialog)), titlesAfter) << c.Moves;
    EXPECT_EQ(host.Calls, expectedCalls) << c.Moves;
  }
}

TEST(MemoListDialog, ClickStoresTheShownPageBeforeShowingTheClickedOne) {
  TFakeNoteWindow host;
  host.SetPages({"a", "b", "c"}, 0);
  TfrmMemoList dialog(host);
  host.EditorText = "edited";
  ClickRow(List(dialog), 2);
  EXPECT_EQ(host.Calls, (std::vector<std::string>{"StorePage 0", "ApplyPage 2"}));
  EXPECT_EQ(PageTexts(host), (std::vector<std::string>{"edited", "text 1", "text 2"}));
  EXPECT_EQ(host.EditorText, "text 2");
  EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the hourglass is gone again";

  host.Calls.clear();
  QTest::keyClick(&List(dialog), Qt::Key_Up);  // the keyboard selects too
  EXPECT_EQ(host.Calls, (std::vector<std::string>{"StorePage 2", "ApplyPage 1"}));
}

TEST(MemoListDialog, AnEditMadeBeforeAMoveIsStoredIntoThePagesNewPlace) {
  TFakeNoteWindow host;
  host.SetPages({"a", "b", "c"}, 0);
  TfrmMemoList dialog(host);
  host.EditorText = "edited a";
  Button(dialog, "btnDown").click();
  Button(dialog, "btnDown").click();
  ClickRow(List(dialog), 0);
  EXPECT_EQ(PageTexts(host), (std::vector<std::string>{"text 1", "text 2", "edited a"}));
  EXPECT_EQ(host.EditorText, "text 1");
}

TEST(MemoListDialog, EscapeInTheListAndTheCloseButtonClose) {
  for (bool escape : {true, false}) {
    TFakeNoteWindow host;
    host.SetPages({"a", "b"}, 0);
    TfrmMemoList dialog(host);
    dialog.show();
    if (escape)
      QTest::keyClick(&List(dialog), Qt::Key_Escape);
    else
      Button(dialog, "BitBtn1").click();
    EXPECT_FALSE(dialog.isVisible()) << escape;
  }
}

TEST(MemoListDialog, OpensBesideTheNoteWindowAndRebuildsThePageMenuAfterwards) {
  TFakeNoteWindow host;
  host.SetPages({"a", "b"}, 0);
  QPoint placed;
  QTimer::singleShot(0, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    placed = dialog->pos();
    Button(*dialog, "btnDown").click();
    Button(*dialog, "BitBtn1").click();
  });
  dialogs::RunMemoListDialog(host);
  EXPECT_EQ(placed, QPoint(320, 220));
  EXPECT_EQ(host.Calls, (std::vector<std::string>{"SetPageIndex 1", "Repaint", "RebuildPageMenu"}));
}

}  // namespace
