// The row store and the line view through an editor, where the cases of editing.txt do not reach:
// whole-row moves, editors sharing rows and a megabyte line. And the editor's colour scheme wired to its
// rows: the start states the editor installs (and an editor without a window), their hand-over when
// editors sharing the rows go, the Fountain property cleared when the scheme goes (setting it is a case of
// editing.txt), and row repaints in every attached editor.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "editor/control/editor.h"
#include "editor/syntax/fountain.h"
#include "editor/text/editor_screen_strings.h"
#include "editor/text/editor_undo_obj.h"
#include "support/change_listener.h"
#include "support/editor_test_support.h"
#include "support/fake_window.h"

namespace editor {
namespace {

using test::RowDump;
using Dump = std::vector<std::string>;

TEST(Rows, ReplaceRowsAndDeleteRowsMoveWholeRows) {
  TEditor editor;
  editor.Lines().SetText("a\r\nb\r\nc\r\n");
  TEditorScreenStrings& rows = editor.ListInfo();
  TEditorStringList source;
  source.AddRow("x", raWrap);
  source.SetScanText(0, "s");
  source.SetRowData(0, 9);
  source.SetRowMarks(0, 1);
  source.AddRow("y", raBreak);
  rows.ReplaceRows(1, 1, source);
  EXPECT_EQ(RowDump(editor), (Dump{"a|B", "x|W", "y|B", "c|B"}));
  EXPECT_EQ(std::make_tuple(rows.ScanText(1), rows.RowData(1), rows.RowMarks(1)),
            std::make_tuple(std::string("s"), 9, 1));
  rows.SetRowMarks(2, 4);
  EXPECT_EQ(rows.DeleteRows(1, 2), 1 | 4);
  EXPECT_EQ(rows.DeleteRows(0, 0), 0);
  EXPECT_EQ(rows.DeleteRows(1, 99), 0);  // clipped to the rows there are
  EXPECT_EQ(RowDump(editor), (Dump{"a|B"}));
  // A row filled directly may hold a NUL; re-cutting it keeps what follows.
  rows.SetStrings(0, std::string_view("a\0b", 3));
  rows.ReplaceText(0, 0, "new\r\n");
  EXPECT_EQ(editor.Lines().Text(), std::string("new\r\na\0b\r\n", 10));
}

TEST(Rows, EditorsSharingRowsAllHearTheChangeAndUndoRecordsTheFocusedCaret) {
  TEditor first;
  TEditor second(first);
  first.Lines().SetText("abc\r\ndef\r\n");
  EXPECT_EQ(second.Lines().Text(), "abc\r\ndef\r\n");
  second.SetFocused(true);
  second.SetRow(1);
  second.SetCol(2);
  first.ListInfo().ReplaceText(0, 1, "x\r\n");
  EXPECT_TRUE(first.Modified() && second.Modified());
  const TUndoData& record = first.ListInfo().UndoObj().UndoList().back();
  EXPECT_EQ(std::make_pair(record.CaretRow, record.CaretCol), std::make_pair(1, 2));
  {
    TEditor third(first);
    EXPECT_EQ(first.ListInfo().WatcherCount(), 3);
  }
  EXPECT_EQ(first.ListInfo().WatcherCount(), 2);
}

TEST(Rows, AMegabyteLineLoadsWrapsAndEditsWhole) {
  std::string line;
  for (int i = 0; line.size() < (1u << 20); ++i) line += (i % 7 == 0) ? "\x82\xA0" : "ab\t";
  TEditor editor;
  editor.Lines().SetText(line);
  editor.SetWordWrap(true);
  EXPECT_EQ(editor.Lines().Text(), line);
  for (int row = 0; row + 1 < editor.ListInfo().Count(); ++row) ASSERT_NE(editor.RowMap(row).back(), colLead) << row;
  std::size_t offset = 0;
  for (int row = 0; row < 5000; ++row) offset += editor.ListInfo().RowText(row).size();
  const std::size_t replaced = editor.ListInfo().RowText(5000).size();
  editor.ListInfo().ReplaceText(5000, 1, "!");
  EXPECT_EQ(editor.Lines().Text(), line.substr(0, offset) + "!" + line.substr(offset + replaced));
  editor.Undo();
  EXPECT_EQ(editor.Lines().Text(), line);
}

// ---- the colour scheme and the rows ------------------------------------------------------------

// An editor without a window: its screen is the rows it was told it shows, so start states are computed
// two of those screens down (with a window, and how InitBracketsFull changes it, are cases of editing.txt);
// it finds no cell under a point, and the top row is only stored, with no change reported.
TEST(FountainWiring, WithoutAWindowTheStatesAreComputedTwoOfItsScreensDown) {
  TEditor editor;
  test::TChangeListener topRows;
  editor.OnTopRowChange = topRows.Event();
  editor.SetVisibleRows(5);
  editor.Lines().SetText(test::Repeat("row\r\n", 50));
  EXPECT_TRUE(editor.ListInfo().StateComputed(10));
  EXPECT_FALSE(editor.ListInfo().StateComputed(11));
  int row = 0, index = 0;
  EXPECT_FALSE(editor.TextPosFromPoint({10, 10}, row, index));
  editor.SetTopRow(99);
  EXPECT_EQ(editor.TopRow(), 50);
  EXPECT_EQ(topRows.Count, 0);
}

TEST(FountainWiring, WhenTheFirstEditorGoesTheNextOneKeepsTheStates) {
  auto first = std::make_unique<TEditor>();
  TEditor second(*first);
  second.SetVisibleRows(100);
  first->Lines().SetText(test::Repeat("row\r\n", 20));
  first.reset();  // the rows must not keep the states it owned
  TEditorScreenStrings& rows = second.ListInfo();
  rows.ReplaceText(0, 1, "changed\r\n");
  rows.ResetStates();
  EXPECT_TRUE(rows.StateComputed(19));
  second.View().Brackets().Add()->SetLeftBracket("(*");
  EXPECT_TRUE(rows.StateComputed(0));
}

TEST(FountainWiring, DestroyingTheExternalFountainClearsThePropertyAndAGoneEditorLeavesNoListener) {
  TEditor editor;
  editor.Lines().SetText(test::Repeat("row\r\n", 5));
  auto external = std::make_unique<TEditorFountain>();
  editor.SetFountain(external.get());
  editor.ListInfo().DropStatesFrom(0);
  external.reset();
  EXPECT_EQ(editor.Fountain(), nullptr);
  EXPECT_EQ(editor.ActiveFountain(), &editor.View().Fountain());
  EXPECT_EQ(editor.TokenRowStates().Fountain(), &editor.View().Fountain());
  EXPECT_TRUE(editor.ListInfo().StateComputed(0)) << "the states were reset";
  editor.ListInfo().ReplaceText(0, 1, "x\r\n");  // computes with View's scheme, nothing dangles

  TEditorFountain scheme;
  {
    TEditor gone;
    gone.SetFountain(&scheme);
    EXPECT_EQ(scheme.ListenerCount(), 1);
  }
  EXPECT_EQ(scheme.ListenerCount(), 0);
  scheme.SetUrl(true);  // would call the gone editor otherwise
}

TEST(FountainWiring, ARowWhoseStateChangesIsRepaintedInEveryAttachedEditor) {
  test::TFakeWindow firstWindow, secondWindow;
  TEditor first;
  TEditor second(first);
  first.SetWindow(&firstWindow);
  second.SetWindow(&secondWindow);
  first.View().Brackets().Add()->SetLeftBracket("(*");
  first.View().Brackets().Items(0)->SetRightBracket("*)");
  first.Lines().SetText(test::Repeat("row\r\n", 10));
  firstWindow.Invalidated.clear();
  secondWindow.Invalidated.clear();
  // Opening a bracket region on row 0 changes the start state of every row after it.
  first.ListInfo().ReplaceText(0, 1, "(* open\r\n");
  const int rowTop = 2 + 16;  // row 1 of a window with the default top margin
  auto hasRow1 = [rowTop](const test::TFakeWindow& window) {
    return std::any_of(window.Invalidated.begin(), window.Invalidated.end(),
                       [rowTop](const TRect& r) { return r.Top == rowTop && r.Bottom == rowTop + 16; });
  };
  EXPECT_TRUE(hasRow1(firstWindow));
  EXPECT_TRUE(hasRow1(secondWindow));
}

}  // namespace
}  // namespace editor
