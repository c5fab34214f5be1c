// The row store and the line view through an editor, where the cases of editing.txt do not reach: the
// line and row reads, whole-row moves, the change reports editors get, editors sharing rows, the undo
// list's limit, loads from files and a megabyte line.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "editor/control/editor.h"
#include "editor/text/editor_screen_strings.h"
#include "editor/text/editor_undo_obj.h"
#include "support/change_listener.h"
#include "support/editor_test_support.h"

namespace editor {
namespace {

using test::RowDump;
using Dump = std::vector<std::string>;

TEST(Rows, ReadsLinesAndRowsAcrossWrappedRows) {
  TEditor editor;
  editor.SetWordWrap(true);
  editor.Lines().SetText(std::string(170, 'a') + "\r\nb\r\n" + std::string(80, 'c'));
  TEditorScreenStrings& rows = editor.ListInfo();
  ASSERT_EQ(rows.Count(), 6);  // 80 80 10 | b | 80 ""
  EXPECT_EQ(rows.LineStartRow(2), 0);
  EXPECT_EQ(rows.LineEndRow(0), 2);
  EXPECT_EQ(rows.LineEndRow(-4), -4);
  EXPECT_EQ(rows.LineToRow(-1), 0);
  EXPECT_EQ(rows.LineToRow(2), 4);
  EXPECT_EQ(rows.LineToRow(3), 6);  // the line count gives the row count
  EXPECT_THROW(rows.LineToRow(4), EListError);
  EXPECT_EQ(rows.RowToLine(3), 1);
  EXPECT_EQ(rows.RowToLine(5), 2);
  EXPECT_EQ(editor.Lines().Strings(0), std::string(170, 'a'));
  TRowAttribute attribute;
  int taken;
  std::string text;
  rows.GetRowsText(1, -1, attribute, taken, text);
  EXPECT_EQ(std::make_tuple(text, taken, attribute), std::make_tuple(std::string(90, 'a') + "\r\n", 2, raBreak));
  rows.GetRowsText(4, 5, attribute, taken, text);
  EXPECT_EQ(std::make_tuple(text, taken, attribute), std::make_tuple(std::string(80, 'c'), 2, raEnd));
  rows.GetRowsText(6, 1, attribute, taken, text);
  EXPECT_EQ(std::make_tuple(text, taken, attribute), std::make_tuple(std::string(), 0, raNone));
  EXPECT_THROW(editor.Lines().Strings(3), EListError);
}

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

TEST(Rows, ModifiedAndOnChangeFollowRecordedChangesOnceABatchEnds) {
  TEditor editor;
  test::TChangeListener changes;
  editor.OnChange = changes.Event();
  editor.Lines().SetText("abc\r\n");
  editor.Lines().Clear();
  TStringList list;
  list.SetText("x\r\n");
  editor.Lines().Assign(list);
  EXPECT_EQ(editor.Row(), 1) << "after Assign the caret stands on the last row";
  EXPECT_FALSE(editor.Modified());
  EXPECT_EQ(changes.Count, 0);
  editor.ListInfo().ReplaceText(0, 1, "y\r\n");
  EXPECT_TRUE(editor.Modified());
  EXPECT_EQ(changes.Count, 1);
  editor.Lines().BeginUpdate();
  EXPECT_TRUE(editor.CaretHidden());
  editor.Lines().Add("1");
  editor.Lines().Add("2");
  EXPECT_EQ(changes.Count, 1);
  editor.Lines().EndUpdate();
  EXPECT_EQ(changes.Count, 2);
  EXPECT_FALSE(editor.CaretHidden());
  editor.Lines().EndUpdate();  // unmatched: harmless
  EXPECT_FALSE(editor.CaretHidden());
  editor.SetModified(false);
  editor.Lines().SetText("other");  // loading keeps Modified as it is
  EXPECT_FALSE(editor.Modified());
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
  // A row list without editors keeps its history all the same.
  TEditorScreenStrings rows;
  rows.ReplaceText(0, 0, "abc\r\n");
  rows.ReplaceText(0, 1, "xyz");
  rows.Undo();
  EXPECT_EQ(rows.Text(), "abc\r\n");
  rows.Redo();
  EXPECT_EQ(rows.Text(), "xyz");
}

TEST(Rows, OnlyTheLastListMaxChangesCanBeUndone) {
  TEditor editor;
  for (int i = 0; i < 70; ++i) editor.ListInfo().ReplaceText(editor.ListInfo().Count(), 0, std::to_string(i) + "\r\n");
  int undone = 0;
  for (; editor.CanUndo(); ++undone) editor.Undo();
  EXPECT_EQ(undone, 64);
  EXPECT_EQ(editor.Lines().Strings(5), "5");
  editor.SetUndoListMax(200);
  for (int i = 0; i < 250; ++i) editor.ListInfo().ReplaceText(0, 0, "x\r\n");
  EXPECT_EQ(editor.ListInfo().UndoObj().UndoList().size(), 200u);
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

TEST(Rows, LoadFromFileReadsBlocksStopsAtCtrlZAndLeavesTheTextWhenItCannotRead) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("tacknote_lines_" + std::to_string(::getpid()));
  const auto load = [&path](TEditor& editor, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
    return editor.Lines().LoadFromFile(path);
  };
  TEditor editor;
  editor.Lines().SetText("keep\r\n");
  editor.ListInfo().ReplaceText(0, 0, "x");
  EXPECT_FALSE(editor.Lines().LoadFromFile(path / "missing"));
  EXPECT_EQ(editor.Lines().Text(), "xkeep\r\n");
  EXPECT_TRUE(editor.CanUndo());
  // A CR LF split by the end of the 8192-byte block is one break.
  ASSERT_TRUE(load(editor, std::string(8191, 'a') + "\r\n" + std::string(10000, 'b') + "\rc\n"));
  EXPECT_EQ(RowDump(editor), (Dump{std::string(8191, 'a') + "|B", std::string(10000, 'b') + "|B", "c|B"}));
  EXPECT_FALSE(editor.CanUndo());
  ASSERT_TRUE(load(editor, "one\r\ntwo\x1Ahidden\r\n"));
  EXPECT_EQ(RowDump(editor), (Dump{"one|B", "two|E"}));
  // A NUL skips the rest of its block: "ab" waits for the next block's first line.
  ASSERT_TRUE(load(editor, "ab" + std::string(1, '\0') + "skipped\r\n" + std::string(8180, 's') + "cd\r\nef"));
  EXPECT_EQ(RowDump(editor), (Dump{"abcd|B", "ef|E"}));
  editor.SetWordWrap(true);
  ASSERT_TRUE(load(editor, std::string(100, 'w')));
  EXPECT_EQ(RowDump(editor), (Dump{std::string(80, 'w') + "|W", std::string(20, 'w') + "|E"}));
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace editor
