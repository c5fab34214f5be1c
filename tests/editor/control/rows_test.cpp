// The row store and the line view through an editor, where the cases of editing.txt do not reach:
// whole-row moves, editors sharing rows and a megabyte line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/control/editor.h"
#include "editor/text/editor_screen_strings.h"
#include "editor/text/editor_undo_obj.h"
#include "support/editor_test_support.h"

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
  // A row list without editors keeps its history all the same.
  TEditorScreenStrings rows;
  rows.ReplaceText(0, 0, "abc\r\n");
  rows.ReplaceText(0, 1, "xyz");
  rows.Undo();
  EXPECT_EQ(rows.Text(), "abc\r\n");
  rows.Redo();
  EXPECT_EQ(rows.Text(), "xyz");
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

}  // namespace
}  // namespace editor
