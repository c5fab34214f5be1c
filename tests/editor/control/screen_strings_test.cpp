// The row list: ReplaceText's paths, reading rows and lines, marks, and the change reports editors get.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/control/editor.h"
#include "editor/text/editor_screen_strings.h"
#include "editor/text/editor_undo_obj.h"
#include "support/change_listener.h"
#include "support/editor_test_support.h"

namespace editor {
namespace {

using test::kA;
using test::RowDump;
using test::RowLengths;
using Dump = std::vector<std::string>;

using TChangeCounter = test::TChangeListener;

class ReplaceTextTest : public ::testing::Test {
 protected:
  void Load(std::string_view text) { editor.Lines().SetText(text); }
  TEditorScreenStrings& Rows() { return editor.ListInfo(); }
  const TUndoData& LastRecord() { return Rows().UndoObj().UndoList().back(); }
  TEditor editor;
};

TEST_F(ReplaceTextTest, DeletingWholeLinesTakesTheShortcutAndRecordsTheirText) {
  Load("a\r\nb\r\nc\r\n");
  Rows().SetRowMarks(1, 4);
  Rows().IncludeListMarks(4);
  Rows().ReplaceText(1, 1, "");
  EXPECT_EQ(RowDump(editor), (Dump{"a|B", "c|B"}));
  EXPECT_EQ(LastRecord().StartRow, 1);
  EXPECT_EQ(LastRecord().Text, "b\r\n");
  EXPECT_EQ(LastRecord().LastAttribute, raBreak);
  EXPECT_EQ(LastRecord().NewRowCount, 0);
  EXPECT_EQ(Rows().RowMarks(1), 4);  // the deleted row's mark went to the row now in its place

  Rows().ReplaceText(0, 2, "");
  EXPECT_EQ(Rows().Count(), 0);
  EXPECT_EQ(Rows().ListMarks(), 0);  // no row left to hold the mark
  EXPECT_EQ(editor.Lines().Text(), "");
}

TEST_F(ReplaceTextTest, TextWithoutAFinalBreakJoinsTheFollowingLine) {
  Load("abc\r\ndef\r\n");
  Rows().ReplaceText(1, 0, "xy");
  EXPECT_EQ(RowDump(editor), (Dump{"abc|B", "xydef|B"}));
  EXPECT_EQ(LastRecord().StartRow, 1);
  EXPECT_EQ(LastRecord().Text, "def\r\n");
  Rows().ReplaceText(0, 1, "1\r\n2\r\n");
  EXPECT_EQ(RowDump(editor), (Dump{"1|B", "2|B", "xydef|B"}));
}

TEST_F(ReplaceTextTest, TheLastRowEndsTheWayTheInsertedTextEnds) {
  Load("abc\r\n");
  Rows().ReplaceText(0, 1, "xyz");
  EXPECT_EQ(RowDump(editor), (Dump{"xyz|E"}));
  Rows().ReplaceText(0, 1, "xyz\n");
  EXPECT_EQ(RowDump(editor), (Dump{"xyz|B"}));
  // A lone CR is a line break too: the text keeps it (as CR LF) instead of losing it.
  Rows().ReplaceText(0, 1, "pq\r");
  EXPECT_EQ(RowDump(editor), (Dump{"pq|B"}));
  EXPECT_EQ(editor.Lines().Text(), "pq\r\n");
}

TEST_F(ReplaceTextTest, AppendingAfterATextWithoutAFinalBreakContinuesItsLastLine) {
  Load("abc");
  Rows().ReplaceText(1, 0, "def");
  EXPECT_EQ(RowDump(editor), (Dump{"abcdef|E"}));
  Rows().ReplaceText(1, 0, "\r\nx");
  EXPECT_EQ(RowDump(editor), (Dump{"abcdef|B", "x|E"}));
  Load("");
  Rows().ReplaceText(0, 0, "new");
  EXPECT_EQ(RowDump(editor), (Dump{"new|E"}));
}

TEST_F(ReplaceTextTest, ANulEndsTheInsertedTextButNotTheRowsAroundIt) {
  Load("abcdef\r\n");
  Rows().ReplaceText(0, 1, std::string_view("abcX\0Ydef\r\n", 11));
  EXPECT_EQ(RowDump(editor), (Dump{"abcX|E"}));
  Load("abc\r\ndef\r\n");
  Rows().ReplaceText(1, 0, std::string_view("\0junk", 5));
  EXPECT_EQ(RowDump(editor), (Dump{"abc|B", "def|B"}));  // nothing left to insert: ignored
  EXPECT_FALSE(editor.CanUndo());
}

TEST_F(ReplaceTextTest, OutOfRangeRequestsAreIgnored) {
  Load("a\r\nb\r\n");
  Rows().ReplaceText(-1, 1, "x");
  Rows().ReplaceText(1, 2, "x");
  Rows().ReplaceText(3, 0, "x");
  Rows().ReplaceText(0, 0, "");
  Rows().ReplaceText(0, -1, "x");
  EXPECT_EQ(RowDump(editor), (Dump{"a|B", "b|B"}));
  EXPECT_FALSE(editor.CanUndo());
  EXPECT_FALSE(editor.Modified());
}

TEST_F(ReplaceTextTest, RewrappingBeginsOneRowEarlySoTextCanFlowBack) {
  editor.SetWordWrap(true);
  Load(std::string(79, 'x') + std::string(kA) + "bbb\r\n");
  ASSERT_EQ(RowLengths(Rows()), (std::vector<std::size_t>{79, 5}));
  Rows().ReplaceText(1, 1, "bbb\r\n");  // the double-byte character goes
  EXPECT_EQ(RowDump(editor), (Dump{std::string(79, 'x') + "b|W", "bb|B"}));
  // The undo record holds only the rows from the one before the edit to the end of the line.
  EXPECT_EQ(LastRecord().StartRow, 0);
  EXPECT_EQ(LastRecord().Text, std::string(79, 'x') + std::string(kA) + "bbb\r\n");
  EXPECT_EQ(LastRecord().NewRowCount, 2);
}

TEST_F(ReplaceTextTest, IncrementalEditsCutRowsAsAFullRewrapWouldWithWordBreak) {
  // Rows as short as a third of WrapByte: a row's cut looks further ahead than the row after it.
  editor.SetWordWrap(true);
  editor.WrapOption().SetWordBreak(true);
  Load(std::string(200, 'a') + "\r\n");
  ASSERT_EQ(Rows().RowText(0).size(), 26u);
  std::string row2 = Rows().RowText(2);
  row2.insert(5, " ");
  Rows().ReplaceText(2, 1, row2);  // row 2 is wrapped: its line goes on
  EXPECT_EQ(RowDump(editor), test::FullRewrapRows(editor));
  EXPECT_EQ(Rows().RowText(0).size(), 58u);  // the space at column 58 now ends the first row
}

TEST_F(ReplaceTextTest, MarksMoveDownWithTextPushedFromTheCaretAtColumnZero) {
  Load("a\r\nb\r\nc\r\n");
  Rows().SetRowMarks(1, 2);
  editor.SetRow(1);
  test::Type(editor, "new\r\n");
  EXPECT_EQ(RowDump(editor), (Dump{"a|B", "new|B", "b|B", "c|B"}));
  EXPECT_EQ(Rows().RowMarks(1), 0);
  EXPECT_EQ(Rows().RowMarks(2), 2);
  // Rows that a change removes hand their marks to its first new row.
  Rows().SetRowMarks(3, 8);
  Rows().ReplaceText(2, 2, "bc\r\n");
  EXPECT_EQ(RowDump(editor), (Dump{"a|B", "new|B", "bc|B"}));
  EXPECT_EQ(Rows().RowMarks(2), 2 | 8);
}

TEST(ScreenStrings, ReadsLinesAndRowsAcrossWrappedRows) {
  TEditor editor;
  editor.SetWordWrap(true);
  editor.Lines().SetText(std::string(170, 'a') + "\r\nb\r\n" + std::string(80, 'c'));
  TEditorScreenStrings& rows = editor.ListInfo();
  ASSERT_EQ(RowDump(editor).size(), 6u);  // 80 80 10 | b | 80 ""
  EXPECT_EQ(rows.LineStartRow(2), 0);
  EXPECT_EQ(rows.LineEndRow(0), 2);
  EXPECT_EQ(rows.LineEndRow(3), 3);
  EXPECT_EQ(rows.LineEndRow(-4), -4);
  EXPECT_EQ(rows.LineToRow(-1), 0);
  EXPECT_EQ(rows.LineToRow(0), 0);
  EXPECT_EQ(rows.LineToRow(1), 3);
  EXPECT_EQ(rows.LineToRow(2), 4);
  EXPECT_EQ(rows.LineToRow(3), 6);  // the line count gives the row count
  EXPECT_THROW(rows.LineToRow(4), EListError);
  EXPECT_EQ(rows.RowToLine(2), 0);
  EXPECT_EQ(rows.RowToLine(3), 1);
  EXPECT_EQ(rows.RowToLine(5), 2);
  EXPECT_EQ(rows.LineCount(), 3);

  TRowAttribute attribute;
  int taken;
  std::string text;
  rows.GetRowsText(1, -1, attribute, taken, text);
  EXPECT_EQ(text, std::string(90, 'a') + "\r\n");
  EXPECT_EQ(taken, 2);
  EXPECT_EQ(attribute, raBreak);
  rows.GetRowsText(4, 5, attribute, taken, text);
  EXPECT_EQ(text, std::string(80, 'c'));
  EXPECT_EQ(attribute, raEnd);
  EXPECT_EQ(taken, 2);
  rows.GetRowsText(6, 1, attribute, taken, text);
  EXPECT_EQ(text, "");
  EXPECT_EQ(attribute, raNone);
  EXPECT_EQ(taken, 0);
}

TEST(ScreenStrings, ReplaceRowsAndDeleteRowsMoveWholeRows) {
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
  EXPECT_EQ(rows.ScanText(1), "s");
  EXPECT_EQ(rows.RowData(1), 9);
  EXPECT_EQ(rows.RowMarks(1), 1);

  rows.SetRowMarks(2, 4);
  EXPECT_EQ(rows.DeleteRows(1, 2), 1 | 4);
  EXPECT_EQ(RowDump(editor), (Dump{"a|B", "c|B"}));
  EXPECT_EQ(rows.DeleteRows(2, 1), 0);
  EXPECT_EQ(rows.DeleteRows(0, 0), 0);
  EXPECT_EQ(rows.DeleteRows(1, 99), 0);  // clipped to the rows there are
  EXPECT_EQ(RowDump(editor), (Dump{"a|B"}));
}

TEST(ScreenStrings, ModifiedAndOnChangeFollowRecordedChangesOnly) {
  TEditor editor;
  TChangeCounter counter;
  editor.OnChange = MethodEvent<&TChangeCounter::Heard>(&counter);
  editor.Lines().SetText("abc\r\n");
  editor.Lines().Clear();
  TStringList list;
  list.SetText("x\r\n");
  editor.Lines().Assign(list);
  EXPECT_FALSE(editor.Modified());
  EXPECT_EQ(counter.Count, 0);

  editor.ListInfo().ReplaceText(0, 1, "y\r\n");
  EXPECT_TRUE(editor.Modified());
  EXPECT_EQ(counter.Count, 1);
  EXPECT_FALSE(editor.ListInfo().LastUpdate().Recorded);  // cleared once reported

  // A batch inside one update reports once, at its end.
  editor.Lines().BeginUpdate();
  editor.Lines().Add("1");
  editor.Lines().Add("2");
  editor.Lines().Delete(0);
  EXPECT_EQ(counter.Count, 1);
  editor.Lines().EndUpdate();
  EXPECT_EQ(counter.Count, 2);

  editor.SetModified(false);
  editor.Lines().SetText("other");  // loading keeps Modified as it is
  EXPECT_FALSE(editor.Modified());
}

TEST(ScreenStrings, EditorsSharingRowsAllHearTheChangeAndUndoUsesTheFocusedCaret) {
  TEditor first;
  TEditor second(first);
  first.Lines().SetText("abc\r\ndef\r\n");
  EXPECT_EQ(second.Lines().Text(), "abc\r\ndef\r\n");
  EXPECT_EQ(first.ListInfo().ActiveWatcher(), &first);
  second.SetFocused(true);
  EXPECT_EQ(first.ListInfo().ActiveWatcher(), &second);
  second.SetRow(1);
  second.SetCol(2);
  first.ListInfo().ReplaceText(0, 1, "x\r\n");
  EXPECT_TRUE(first.Modified());
  EXPECT_TRUE(second.Modified());
  EXPECT_EQ(first.ListInfo().UndoObj().UndoList().back().CaretRow, 1);
  EXPECT_EQ(first.ListInfo().UndoObj().UndoList().back().CaretCol, 2);
  {
    TEditor third(first);
    EXPECT_EQ(first.ListInfo().WatcherCount(), 3);
  }
  EXPECT_EQ(first.ListInfo().WatcherCount(), 2);
}

TEST(ScreenStrings, CaretsAndTopRowsAreClampedWhenRowsGo) {
  TEditor editor;
  editor.Lines().SetText("a\r\nb\r\nc\r\n");
  editor.SetRow(3);  // the virtual row after the final break
  editor.SetTopRow(3);
  ASSERT_EQ(editor.Row(), 3);
  editor.ListInfo().ReplaceText(1, 2, "");
  EXPECT_EQ(editor.Row(), 1);
  EXPECT_EQ(editor.TopRow(), 1);
  editor.ListInfo().ReplaceText(0, 1, "tail");  // now without a final break: the last row is the limit
  EXPECT_EQ(editor.Row(), 0);
}

TEST(ScreenStrings, ClearEmptiesRowsHistoryAndMarksAndResetsCarets) {
  TEditor editor;
  editor.Lines().SetText("abc\r\ndef");
  editor.ListInfo().IncludeListMarks(3);
  editor.SetRow(1);
  editor.SetCol(2);
  test::Type(editor, "x");
  editor.ListInfo().Clear();
  EXPECT_EQ(editor.ListInfo().Count(), 0);
  EXPECT_FALSE(editor.CanUndo());
  EXPECT_EQ(editor.ListInfo().ListMarks(), 0);
  EXPECT_EQ(editor.Row(), 0);
  EXPECT_EQ(editor.Col(), 0);
}

}  // namespace
}  // namespace editor
