// The text layer on its own: the rows and the line view report to the watcher interface, in order,
// and ask it only for the caret, the focus, the column rules and the view.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/text/editor_screen_strings.h"
#include "editor/text/editor_strings.h"
#include "editor/text/editor_undo_obj.h"
#include "editor/text/rows_watcher.h"

namespace editor {
namespace {

// Logs every call; the caret is a plain value it keeps.
class TLogWatcher : public TRowsWatcher {
 public:
  std::vector<std::string> Log;
  TCaretPos Caret;
  bool Focus = false;
  int TabWidth = 8;
  TLazyRowStates States;

  void RowsChanged() override { Log.push_back("changed"); }
  void RowsUpdateEnded() override { Log.push_back("ended"); }
  void RowsReplacingAll() override { Log.push_back("replacing-all"); }
  void RowsCleared() override { Log.push_back("cleared"); }
  void RowsRebuilt() override { Log.push_back("rebuilt"); }
  void RowRestyled(int row) override { Log.push_back("restyled " + std::to_string(row)); }
  TCaretPos CaretPos() const override { return Caret; }
  void HideCaret() override { Log.push_back("hide"); }
  void ShowCaret() override { Log.push_back("show"); }
  void MoveCaret(TCaretPos caret) override {
    Caret = caret;
    Log.push_back("move " + std::to_string(caret.Row) + "," + std::to_string(caret.Col));
  }
  void PlaceCaret(int fromRow, int offset) override {
    Log.push_back("place " + std::to_string(fromRow) + "+" + std::to_string(offset));
  }
  void DropSelection() override { Log.push_back("drop-selection"); }
  bool HasFocus() const override { return Focus; }
  TColumnRules ColumnRules() const override {
    TColumnRules rules;
    rules.TabSpaceCount = TabWidth;
    return rules;
  }
  int TopRow() const override { return 0; }
  int VisibleRows() const override { return 10; }
  TRowStates& StartStates() override { return States; }
};

using Log = std::vector<std::string>;

TEST(RowsWatcher, AnEditReportsOnceAndUndoPutsTheRecordedCaretBack) {
  TEditorScreenStrings rows;
  TLogWatcher watcher;
  rows.AttachWatcher(&watcher);
  rows.LoadText("abc\r\ndef\r\n");
  watcher.Log.clear();

  watcher.Caret = {1, 2};
  rows.ReplaceText(1, 1, "dXef\r\n");
  EXPECT_EQ(watcher.Log, (Log{"changed", "ended"}));
  EXPECT_EQ(rows.UndoObj().UndoList().back().CaretRow, 1);
  EXPECT_EQ(rows.UndoObj().UndoList().back().CaretCol, 2);

  watcher.Caret = {0, 0};
  watcher.Log.clear();
  rows.Undo();
  EXPECT_EQ(watcher.Log, (Log{"hide", "changed", "ended", "move 1,2", "show"}));
  EXPECT_EQ(rows.Text(), "abc\r\ndef\r\n");
}

TEST(RowsWatcher, TheFocusedWatcherIsTheOneWhoseCaretIsRecorded) {
  TEditorScreenStrings rows;
  TLogWatcher first, second;
  rows.AttachWatcher(&first);
  rows.AttachWatcher(&second);
  rows.AttachWatcher(&second);  // once only
  EXPECT_EQ(rows.WatcherCount(), 2);
  EXPECT_EQ(rows.ActiveWatcher(), &first);
  second.Focus = true;
  second.Caret = {0, 3};
  EXPECT_EQ(rows.ActiveWatcher(), &second);
  rows.ReplaceText(0, 0, "x");
  EXPECT_EQ(rows.UndoObj().UndoList().back().CaretCol, 3);
  rows.DetachWatcher(&first);
  EXPECT_EQ(rows.WatcherCount(), 1);
}

TEST(RowsWatcher, ClearingAndRecuttingDropTheSelectionFirst) {
  TEditorScreenStrings rows;
  TLogWatcher watcher;
  rows.AttachWatcher(&watcher);
  rows.LoadText(std::string(30, 'a') + "\r\n");
  watcher.Log.clear();
  rows.WrapOption().SetWrapByte(20);  // with word wrap off nothing is re-cut
  EXPECT_TRUE(watcher.Log.empty());
  rows.SetWordWrap(true);
  EXPECT_EQ(watcher.Log, (Log{"replacing-all", "ended", "rebuilt"}));
  EXPECT_EQ(rows.Count(), 2);  // 20 + 10
  watcher.Log.clear();
  rows.Clear();
  EXPECT_EQ(watcher.Log, (Log{"replacing-all", "changed", "cleared"}));
}

TEST(RowsWatcher, RowsAreCutWithTheFirstWatchersTabWidth) {
  TEditorScreenStrings rows;
  TLogWatcher watcher;
  watcher.TabWidth = 2;
  rows.AttachWatcher(&watcher);
  rows.WrapOption().SetWrapByte(20);
  rows.SetWordWrap(true);
  // Ten tabs of two columns fill exactly one row of 20; of eight columns they would need four rows.
  rows.LoadText(std::string(10, '\t') + "x\r\n");
  rows.WrapLines();
  ASSERT_EQ(rows.Count(), 2);
  EXPECT_EQ(rows.RowText(1), "x");
}

TEST(RowsWatcher, TheLineViewPlacesTheCaretAfterWhatItHandedOver) {
  TEditorScreenStrings rows;
  TLogWatcher watcher;
  rows.AttachWatcher(&watcher);
  TEditorStrings lines(rows, watcher);
  lines.SetText("one\r\ntwo\r\n");
  watcher.Log.clear();
  lines.Insert(1, "new");
  EXPECT_EQ(watcher.Log, (Log{"drop-selection", "hide", "changed", "ended", "place 1+5", "show"}));
  EXPECT_EQ(lines.Text(), "one\r\nnew\r\ntwo\r\n");
}

}  // namespace
}  // namespace editor
