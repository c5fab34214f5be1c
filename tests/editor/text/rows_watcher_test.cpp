// The text layer on its own: the rows and the line view report to the watcher interface, in order,
// and ask it only for the caret, the focus, the column rules and the view.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "editor/text/editor_screen_strings.h"
#include "editor/text/editor_strings.h"
#include "editor/text/editor_undo_obj.h"
#include "editor/text/rows_watcher.h"
#include "support/case_table.h"

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
  void RowRestyled(int row) override { Log.push_back("restyled-" + std::to_string(row)); }
  TCaretPos CaretPos() const override { return Caret; }
  void HideCaret() override { Log.push_back("hide"); }
  void ShowCaret() override { Log.push_back("show"); }
  void MoveCaret(TCaretPos caret) override {
    Caret = caret;
    Log.push_back("move-" + std::to_string(caret.Row) + "-" + std::to_string(caret.Col));
  }
  void PlaceCaret(int fromRow, int offset) override {
    Log.push_back("place-" + std::to_string(fromRow) + "+" + std::to_string(offset));
  }
  void DropSelection() override { Log.push_back("drop-selection"); }
  bool HasFocus() const override { return Focus; }
  TColumnRules ColumnRules() const override { return {.TabSpaceCount = TabWidth}; }
  int TopRow() const override { return 0; }
  int VisibleRows() const override { return 10; }
  TRowStates& StartStates() override { return States; }
};

// The watch cases of tests/data/text.txt: commands on rows with one watcher attached (and a second one
// when the case attaches it; the line view over them), each check made where it stands.
TEST(RowsWatcher, EveryCaseReportsWhatItSays) {
  for (const test_support::TRow& row : test_support::Rows("text.txt", "watch")) {
    TEditorScreenStrings rows;
    TLogWatcher watcher, second;
    rows.AttachWatcher(&watcher);
    TEditorStrings lines(rows, watcher);
    for (std::size_t i = 0; i < row.Size(); ++i) {
      const std::string name = row[i].substr(0, row[i].find('('));
      const std::vector<std::string> a = test::Arguments(row[i]);
      const std::string where = row.Where() + " word " + std::to_string(i + 1);
      const auto n = [&a](std::size_t k) { return std::stoi(a.at(k)); };
      const auto text = [&a](std::size_t k) { return test::ParseQuoted(a.at(k), false, false).Text; };
      const std::map<std::string, std::function<void()>> words = {
          {"load", [&] { rows.LoadText(text(0)); }},
          {"caret", [&] { watcher.Caret = {n(0), n(1)}; }},
          {"tabwidth", [&] { watcher.TabWidth = n(0); }},
          {"second", [&] { rows.AttachWatcher(&second); }},
          {"caret2", [&] { second.Caret = {n(0), n(1)}; }},
          {"focus2", [&] { second.Focus = true; }},
          {"detach", [&] { rows.DetachWatcher(&watcher); }},
          {"replace", [&] { rows.ReplaceText(n(0), n(1), text(2)); }},
          {"undo", [&] { rows.Undo(); }},
          {"redo", [&] { rows.Redo(); }},
          {"wrapbyte", [&] { rows.WrapOption().SetWrapByte(n(0)); }},
          {"wordwrap", [&] { rows.SetWordWrap(true); }},
          {"wraplines", [&] { rows.WrapLines(); }},
          {"clear", [&] { rows.Clear(); }},
          {"lines-text", [&] { lines.SetText(text(0)); }},
          {"lines-insert", [&] { lines.Insert(n(0), text(1)); }},
          {"forget", [&] { watcher.Log.clear(); }},
          {"heard",
           [&] {
             EXPECT_EQ(watcher.Log, a) << where;
             watcher.Log.clear();
           }},
          {"text", [&] { EXPECT_EQ(rows.Text(), text(0)) << where; }},
          {"count", [&] { EXPECT_EQ(rows.Count(), n(0)) << where; }},
          {"watchers", [&] { EXPECT_EQ(rows.WatcherCount(), n(0)) << where; }},
          {"row", [&] { EXPECT_EQ(rows.RowText(n(0)), text(1)) << where; }},
          {"undone-caret",
           [&] {
             EXPECT_EQ(rows.UndoObj().UndoList().back().CaretRow, n(0)) << where;
             EXPECT_EQ(rows.UndoObj().UndoList().back().CaretCol, n(1)) << where;
           }},
      };
      ASSERT_TRUE(words.contains(name)) << where << ": unknown word " << row[i];
      words.at(name)();
    }
  }
}

}  // namespace
}  // namespace editor
