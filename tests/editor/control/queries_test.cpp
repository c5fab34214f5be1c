// What the editor answers about points and offsets (the cell and byte under a point, the address under
// the mouse or at the caret, whether a cell is selected), its edit-control messages, its row marks, and
// the input it holds off while a button or a drag is in progress.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <vector>

#include "editor/control/editor_messages.h"
#include "editor/view/hit_test.h"
#include "support/change_listener.h"
#include "support/mouse_driver.h"

namespace editor {
namespace {

using test::TMouseDriver;
using Pair = std::pair<int, int>;

const std::string A = "\x82\xA0";  // あ

TEST(CellAtPoint, NearestTakesTheBoundaryOfTheHalfAndMarginsCountDown) {
  const THitGeometry g{8, 16, 20, 10, 5, 3};  // 8 x 16 cells, text from (20, 10), view at row 5, column 3
  EXPECT_EQ(CellAtPoint(g, 27, 25, false), (TColRow{3, 5}));
  EXPECT_EQ(CellAtPoint(g, 28, 26, false), (TColRow{4, 6}));
  EXPECT_EQ(CellAtPoint(g, 24, 10, true).Col, 3);  // the cell's fifth pixel still belongs to its left half
  EXPECT_EQ(CellAtPoint(g, 25, 10, true).Col, 4);
  EXPECT_EQ(CellAtPoint(g, 19, 10, false).Col, 2);  // left of the text: the columns before TopCol
  EXPECT_EQ(CellAtPoint(g, 11, 10, false).Col, 1);
  EXPECT_EQ(CellAtPoint(g, -50, 10, false).Col, 0);
  EXPECT_EQ(CellAtPoint(g, 20, 9, false).Row, 5);  // less than a row above truncates to the top row
  EXPECT_EQ(CellAtPoint(g, 20, -6, false).Row, 4);
  EXPECT_EQ(CellAtPoint(THitGeometry{0, 0, 0, 0, 2, 1}, 100, 100, true), (TColRow{1, 2}));
}

TEST(TextPosFromPoint, StepsOffSecondBytesAndTabFillsAndFailsOffTheText) {
  TMouseDriver d;
  d.Load("ab\tc" + A + "\r\nxyz");  // a b tab(2) fill(3..7) c(8) lead(9) trail(10)
  const auto at = [&d](TPoint p) {
    int row = 0, index = 0;
    const bool found = d.Editor.TextPosFromPoint(p, row, index);
    return std::make_tuple(found, row, index);
  };
  EXPECT_EQ(at(d.Cell(0, 0, true)), std::make_tuple(true, 0, 1));
  EXPECT_EQ(at(d.Cell(0, 5)), std::make_tuple(true, 0, 2));           // on the fill: the tab
  EXPECT_EQ(at(d.Cell(0, 10)), std::make_tuple(true, 0, 4));          // second cell: the character
  EXPECT_EQ(at(d.Cell(0, 10, true)), std::make_tuple(false, 0, -1));  // past the last character
  EXPECT_EQ(at(d.Cell(2, 0)), std::make_tuple(false, 2, -1));         // the row after the last
  EXPECT_EQ(at(d.Cell(7, 0)), std::make_tuple(false, -1, -1));
  EXPECT_EQ(at(d.Margin(0)), std::make_tuple(false, -1, -1));
  EXPECT_EQ(at({d.Cell(0, 0).X, 1}), std::make_tuple(false, -1, -1));
  TEditor unmeasured;  // no window: no cells to find
  unmeasured.Lines().SetText("abc");
  int row = 0, index = 0;
  EXPECT_FALSE(unmeasured.TextPosFromPoint({10, 10}, row, index));
}

// "see " then a URL over columns 4..22, a blank and "now"; "mail " then an address over 5..19, " x".
const std::string kLinks = "see http://example.com/ now\r\nmail foo@example.com x\r\n";

TEST(TokenAtPoint, AUrlIsFoundFromTheHalfCellsAroundIt) {
  TMouseDriver d;
  d.Load(kLinks);
  EXPECT_EQ(d.Editor.TokenAtPoint(d.Cell(0, 4)), "http://example.com/");
  EXPECT_EQ(d.Editor.TokenKindAtPoint(d.Cell(0, 3, true)), tokUrl);  // right half of the blank before it
  EXPECT_EQ(d.Editor.TokenKindAtPoint(d.Cell(0, 3)), tokEnd);
  EXPECT_EQ(d.Editor.TokenKindAtPoint(d.Cell(0, 22)), tokUrl);
  EXPECT_EQ(d.Editor.TokenKindAtPoint(d.Cell(0, 22, true)), tokEnd);
  EXPECT_EQ(d.Editor.TokenAtPoint(d.Cell(1, 12)), "foo@example.com");
  EXPECT_EQ(d.Editor.TokenKindAtPoint(d.Cell(1, 5)), tokMail);
  EXPECT_EQ(d.Editor.TokenKindAtPoint(d.Cell(0, 40)), tokEnd);
  EXPECT_EQ(d.Editor.TokenAtPoint(d.Margin(0)), "");
  // At the caret: the token starting at or running through the character after it.
  d.At(1, 5);
  EXPECT_EQ(d.Editor.TokenKindAtCaret(), tokMail);
  d.At(1, 20);
  EXPECT_EQ(d.Editor.TokenAtCaret(), "");
}

TEST(TokenAtPoint, AUrlWrappedOverRowsIsFoundAndSelectedWholeFromEitherRow) {
  TMouseDriver d(true, 20);
  const std::string url = "http://example.com/abcdefghij";
  d.Load("  " + url + "\r\n");
  ASSERT_EQ(d.Editor.ListInfo().RowAttribute(0), raWrap);
  EXPECT_EQ(d.Editor.TokenAtPoint(d.Cell(0, 2)), url);
  EXPECT_EQ(d.Editor.TokenAtPoint(d.Cell(1, 1)), url);
  EXPECT_TRUE(d.Editor.SelectTokenAt(d.Cell(1, 1), true, false));
  EXPECT_EQ(d.Sel(), Pair(2, static_cast<int>(url.size())));
  EXPECT_FALSE(d.Editor.SelectTokenAt(d.Cell(0, 0), true, false));
  EXPECT_EQ(d.Editor.SelText(), url);
}

TEST(IsInSelection, AStreamRunsFromItsStartCellToBeforeItsEndCell) {
  TMouseDriver d;
  d.Load("abc\r\ndefgh\r\nij\r\n").At(0, 1);
  EXPECT_FALSE(d.Editor.IsInSelection(0, 1));
  d.Key(TEditorKey::Down, ssShift).Key(TEditorKey::Right, ssShift);  // (0, 1) to (1, 2)
  const std::vector<std::pair<Pair, bool>> cells = {{{0, 0}, false}, {{0, 1}, true},  {{0, 30}, true},
                                                    {{1, 1}, true},  {{1, 2}, false}, {{2, 0}, false}};
  for (const auto& [cell, inside] : cells) EXPECT_EQ(d.Editor.IsInSelection(cell.first, cell.second), inside);
  EXPECT_TRUE(d.Editor.CanDragSelection());
  d.Editor.Caret().SetSelMove(false);
  EXPECT_FALSE(d.Editor.CanDragSelection());
  d.Editor.SetHitSelection(0, 3);  // a hit highlight is no selection
  EXPECT_FALSE(d.Editor.IsInSelection(0, 1));
}

TEST(IsInSelection, ABoxsEdgesMovePastTheCharactersTheyCut) {
  TMouseDriver d;
  d.Load("abcdef\r\n" + A + A + A + "\r\nabcdef\r\n").At(0, 1);
  d.Editor.SetBoxMode(true);
  d.Click(d.Cell(2, 3), ssShift);  // columns 1 and 2 of three rows
  ASSERT_EQ(d.Caret(), Pair(2, 3));
  const std::vector<std::pair<Pair, bool>> cells = {{{0, 0}, false}, {{0, 1}, true}, {{0, 2}, true}, {{0, 3}, false},
                                                    {{1, 1}, false}, {{1, 2}, true}, {{1, 3}, true}, {{1, 4}, false}};
  for (const auto& [cell, inside] : cells)
    EXPECT_EQ(d.Editor.IsInSelection(cell.first, cell.second), inside) << cell.first << "," << cell.second;
  EXPECT_FALSE(d.Editor.CanDragSelection());
}

// Two 16-bit words as the point messages deliver them.
std::int32_t Words(int low, int high) { return static_cast<std::int32_t>(high * 65536 + low); }

TEST(PointMessages, CharFromPosAndPosFromCharMeetOnTheSameCell) {
  TMouseDriver d;
  d.Load("ab\r\n\tc\r\nlast");
  const TEditorMessages m(d.Editor);
  const auto from = [&m](TPoint p) { return m.CharFromPos(p.X, p.Y); };
  EXPECT_EQ(from(d.Cell(1, 8)), Words(5, 1));  // "ab" CR LF, the tab, then c
  EXPECT_EQ(from(d.Cell(1, 3)), Words(4, 1));
  EXPECT_EQ(from(d.Cell(0, 30)), Words(2, 0));
  EXPECT_EQ(from(d.Cell(8, 0)), Words(8, 2));  // below the rows: the last row
  EXPECT_EQ(m.CharFromPos(-1, 5), -1);
  EXPECT_EQ(m.CharFromPos(d.Window.Width, 5), -1);
  EXPECT_EQ(m.PosFromChar(5), Words(8 + 8 * 8, 2 + 16));
  EXPECT_EQ(m.PosFromChar(12), Words(8 + 4 * 8, 2 + 2 * 16));  // the end of the last row
  EXPECT_EQ(d.Caret(), Pair(0, 0));
}

TEST(EditMessages, SelectionAndLineQueries) {
  TMouseDriver d(true, 20);
  TEditorMessages m(d.Editor);
  d.Load("abc\r\n" + std::string(25, 'x') + "\r\n");
  m.SetSel(0, -1);
  int start = -1, end = -1;
  EXPECT_EQ(m.GetSel(&start, &end), (32u << 16) | 0u);
  EXPECT_EQ(Pair(start, end), Pair(0, 32));
  m.SetSel(-1, 0);
  EXPECT_EQ(d.Editor.SelLength(), 0);
  m.SetSel(7, 2);
  EXPECT_EQ(d.Sel(), Pair(2, 5));
  EXPECT_EQ(m.LineFromChar(-1), 0);
  EXPECT_EQ(m.LineLength(-1), 20 + 2 - 1 - 1);  // end row's length + first index - last index - 1
  m.SetSel(4, 4);
  EXPECT_EQ(m.LineFromChar(25), 2);
  EXPECT_EQ(m.LineLength(6), 20);
  EXPECT_EQ(m.GetLineCount(), 3);
  EXPECT_EQ(m.LineIndex(3), 32);  // the virtual row after a final break
  EXPECT_EQ(m.LineIndex(4), -1);
  d.Load("a\r\nb");
  EXPECT_EQ(m.LineIndex(2), -1);
  std::array<char, 4> buffer{};
  EXPECT_EQ(m.GetLine(1, buffer), 1);
  EXPECT_EQ(m.GetLine(2, buffer), 0);
  EXPECT_EQ(m.GetText(buffer), 3);
  EXPECT_EQ(std::string(buffer.data()), "a\r\n");
  EXPECT_EQ(m.GetTextLength(), 4);
}

TEST(EditMessages, ReadOnlyRefusesEveryChangeTheUndoBufferIncluded) {
  TMouseDriver d;
  TEditorMessages m(d.Editor);
  d.Load("abc");
  m.Copy();  // nothing selected: the clipboard is emptied of text
  EXPECT_EQ(d.Clipboard.GetText(), "");
  m.SetSel(0, 2);
  m.Cut();
  m.Paste();
  m.ReplaceSel("-");
  EXPECT_EQ(d.Text(), "ab-c");
  EXPECT_TRUE(m.CanUndo());
  m.SetReadOnly(true);
  EXPECT_FALSE(m.CanUndo());
  m.EmptyUndoBuffer();
  m.SetModify(false);
  m.SetSel(0, 1);
  m.Cut();
  m.Clear();
  m.SetText("new");
  EXPECT_FALSE(m.Undo());
  EXPECT_TRUE(m.GetModify());
  EXPECT_EQ(d.Text(), "ab-c");
  EXPECT_EQ(d.Clipboard.GetText(), "");  // a refused cut empties the clipboard
  m.SetReadOnly(false);
  EXPECT_TRUE(m.CanUndo()) << "the read-only editor kept its history";
  EXPECT_TRUE(m.Undo());
  EXPECT_EQ(d.Text(), "abc");
  m.EmptyUndoBuffer();
  EXPECT_FALSE(m.CanUndo());
}

TEST(RowMarks, AMarkStandsOnOneRowFollowsEditsAndJumpsThere) {
  TEditor editor;
  editor.Lines().SetText("a\r\nb\r\nc\r\nd\r\n");
  editor.GotoRowMark(3);  // unset: nothing happens
  EXPECT_EQ(editor.Row(), 0);
  editor.SetRow(1);
  editor.PutRowMark(3);
  editor.SetRow(2);
  editor.PutRowMark(3);  // moves the mark
  editor.SetRow(0);
  editor.PutText("new\r\n");  // the marked row moves down by one
  editor.SetRow(0);
  editor.GotoRowMark(3);
  EXPECT_EQ(editor.Row(), 3);
  EXPECT_EQ(editor.ListInfo().RowMarks(2) & (1 << 3), 0);
  editor.PutRowMark(12);  // outside 0 to 9: ignored
  EXPECT_FALSE(editor.RowMarkSet(12));
}

TEST(MouseInput, APressTakesFocusAndCaptureAndAHeldButtonHoldsOtherInputOff) {
  TMouseDriver d;
  d.Load("abc def\r\n");
  int downs = 0;
  d.Editor.OnMouseDown = [&downs](TEditor&, TMouseButton, TShiftState, int, int) { ++downs; };
  test::TChangeListener doubleClicks;
  d.Editor.OnDblClick = doubleClicks.Event();
  d.Window.HasFocus = false;
  d.Press(d.Cell(0, 1));
  EXPECT_TRUE(d.Window.HasFocus && d.Window.Captured);
  EXPECT_FALSE(d.Editor.PassChar() || d.Editor.PassKeyDown(TEditorKey::Left, 0) ||
               d.Editor.PassKeyUp(TEditorKey::Left) || d.Editor.PassMouseWheel());
  d.Editor.MouseDown(TMouseButton::Right, 0, 10, 10);
  d.Editor.DoubleClick(TMouseButton::Left, 0, 10, 10);
  EXPECT_EQ(downs, 1);
  EXPECT_EQ(doubleClicks.Count, 0);
  d.Release(d.Cell(0, 1));
  EXPECT_FALSE(d.Window.Captured);
  EXPECT_TRUE(d.Editor.PassChar() && d.Editor.PassKeyDown(TEditorKey::Left, 0));
  d.Editor.DoubleClick(TMouseButton::Left, 0, 10, 10);
  EXPECT_EQ(doubleClicks.Count, 1);
  // A pending drag holds keys off too; an active one lets them through, and Ctrl switches its cursor.
  d.Editor.SetSelStart(4);
  d.Editor.SetSelLength(3);
  d.Press(d.Cell(0, 5));
  EXPECT_FALSE(d.Editor.PassKeyDown(TEditorKey::Control, ssCtrl));
  d.Move(d.Cell(0, 2));
  EXPECT_TRUE(d.Editor.PassKeyDown(TEditorKey::Control, ssCtrl));
  EXPECT_EQ(d.Editor.CursorState(), curDragCopy);
  EXPECT_TRUE(d.Editor.PassKeyUp(TEditorKey::Control));
  EXPECT_EQ(d.Editor.CursorState(), curDragMove);
}

TEST(EditorInput, APastedViewEndsWhereTheViewEndsNotWhereItsBufferDoes) {
  TMouseDriver d;
  d.Load("");
  const std::string buffer =
      "x\x82"
      "A";  // a view of two bytes: the lead byte has no partner in it
  d.Editor.PutText(std::string_view(buffer.data(), 2));
  EXPECT_EQ(d.Text(), "x?");
}

}  // namespace
}  // namespace editor
