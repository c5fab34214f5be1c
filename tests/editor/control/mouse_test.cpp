// The mouse driving the editor through a fake window: clicks and drags that place the caret and select,
// whole-row selection from the margin, dragging the selection to move or copy it, the cursor shown over
// each area, and the input held off while a button or a drag is in progress.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/change_listener.h"
#include "support/editor_test_support.h"
#include "support/mouse_driver.h"

namespace editor {
namespace {

using test::kA;
using test::TMouseDriver;
using Pair = std::pair<int, int>;

const std::string A(kA);

TEST(MouseSelect, APressPutsTheCaretOnTheNearestBoundaryAndTakesFocusAndCapture) {
  TMouseDriver d;
  d.Load("abc\r\n" + A + "x\r\n");
  d.Window.HasFocus = false;
  d.Press(d.Cell(0, 1));
  EXPECT_TRUE(d.Window.HasFocus);
  EXPECT_TRUE(d.Window.Captured);
  EXPECT_EQ(d.Caret(), Pair(0, 1));
  d.Release(d.Cell(0, 1));
  EXPECT_FALSE(d.Window.Captured);
  EXPECT_EQ(d.Editor.SelLength(), 0);
  d.Click(d.Cell(0, 1, true));
  EXPECT_EQ(d.Caret(), Pair(0, 2));
  // Halves of a wide character: its first cell's left half before it, its second cell's right half after.
  d.Click(d.Cell(1, 0, true));
  EXPECT_EQ(d.Caret(), Pair(1, 0));
  d.Click(d.Cell(1, 1));
  EXPECT_EQ(d.Caret(), Pair(1, 2));
  d.Click(d.Cell(0, 30));  // past the end of the row: its end
  EXPECT_EQ(d.Caret(), Pair(0, 3));
  d.Click(d.Cell(8, 3));  // below the text: the row after the final break
  EXPECT_EQ(d.Caret(), Pair(2, 0));
}

TEST(MouseSelect, DraggingSelectsOnlyOnceTheMouseHasMovedHalfACell) {
  TMouseDriver d;
  d.Load("abcdef\r\nghijkl\r\n");
  const TPoint down = d.Cell(0, 1);
  d.Press(down).Move({down.X + 3, down.Y});  // less than half a cell: still a click
  EXPECT_EQ(d.Editor.SelLength(), 0);
  EXPECT_EQ(d.Editor.Selection().State(), sstAnchored);
  d.Move(d.Cell(1, 3));
  EXPECT_EQ(d.Editor.SelText(), "bcdef\r\nghi");
  d.Move(d.Cell(0, 0));  // back over the anchor: the range turns round
  EXPECT_EQ(d.Editor.SelText(), "a");
  d.Release(d.Cell(0, 0));
  EXPECT_EQ(d.Editor.SelText(), "a");
  d.Move(d.Cell(1, 3));  // no button: nothing more is selected
  EXPECT_EQ(d.Editor.SelText(), "a");
}

TEST(MouseSelect, ShiftClickExtendsFromTheCaret) {
  TMouseDriver d;
  d.Load("abcdef\r\nghijkl\r\n").At(0, 2);
  d.Click(d.Cell(1, 1), ssShift);
  EXPECT_EQ(d.Editor.SelText(), "cdef\r\ng");
  d.Click(d.Cell(1, 4), ssShift);  // the same anchor
  EXPECT_EQ(d.Editor.SelText(), "cdef\r\nghij");
}

TEST(MouseSelect, HoldingAboveTheTextClimbsARowPerMove) {
  TMouseDriver d;
  std::string text;
  for (int i = 0; i < 30; ++i) text += "row\r\n";
  d.Load(text);
  d.Editor.SetTopRow(10);
  d.Press(d.Cell(12, 1));
  const TPoint above{d.Cell(0, 1).X, d.Editor.Viewport().TopMargin() - 1};
  d.Move(above);
  EXPECT_EQ(d.Caret().first, 9);
  EXPECT_EQ(d.Editor.TopRow(), 9);
  d.Move(above);
  EXPECT_EQ(d.Caret().first, 8);
  EXPECT_EQ(d.Editor.TopRow(), 8);
  d.Release(above);
  EXPECT_EQ(d.Editor.SelStart(), 8 * 5 + 1);
  EXPECT_EQ(d.Editor.SelLength(), 4 * 5);
}

TEST(RowSelect, AMarginPressSelectsTheRowAndMovesExtendByWholeRows) {
  TMouseDriver d;
  d.Load("zero\r\none\r\ntwo\r\nthree\r\nfour");
  d.Press(d.Margin(1));
  EXPECT_EQ(d.Editor.SelText(), "one\r\n");
  EXPECT_EQ(d.Caret(), Pair(1, 0));
  EXPECT_TRUE(d.Editor.RowSelecting());
  d.Move(d.Margin(3));
  EXPECT_EQ(d.Editor.SelText(), "one\r\ntwo\r\nthree\r\n");
  d.Move(d.Cell(0, 2));  // upwards the selection keeps the first row whole
  EXPECT_EQ(d.Editor.SelText(), "zero\r\none\r\n");
  EXPECT_EQ(d.Caret(), Pair(0, 0));
  d.Move(d.Cell(9, 2));  // below the text: down to the last row's end
  EXPECT_EQ(d.Editor.SelText(), "one\r\ntwo\r\nthree\r\nfour");
  d.Release(d.Cell(9, 2));
  EXPECT_FALSE(d.Editor.RowSelecting());

  // The last row, without a line break, from its margin or from below it.
  d.Press(d.Margin(4)).Release(d.Margin(4));
  EXPECT_EQ(d.Editor.SelText(), "four");
  EXPECT_EQ(d.Caret(), Pair(4, 0));
  d.Press(d.Margin(7)).Release(d.Margin(7));
  EXPECT_EQ(d.Editor.SelText(), "four");
}

TEST(RowSelect, AWrappedRowIsSelectedWithoutTheRestOfItsLine) {
  TMouseDriver d(true, 20);
  d.Load(std::string(25, 'a') + "\r\nb\r\n");
  d.Press(d.Margin(0)).Release(d.Margin(0));
  EXPECT_EQ(d.Editor.SelLength(), 20);
  d.Editor.Caret().SetRowSelect(false);
  d.Click(d.Margin(2));  // a margin press is then a press at column 0
  EXPECT_EQ(d.Editor.SelLength(), 0);
  EXPECT_EQ(d.Caret(), Pair(2, 0));
}

TEST(MouseCursor, EachAreaShowsItsCursor) {
  TMouseDriver d;
  d.Load("abcdef\r\n").At(0, 1);
  d.Key(TEditorKey::Right, ssShift, 2);  // "bc" selected
  d.Move(d.Margin(0));
  EXPECT_EQ(d.Editor.CursorState(), curLeftMargin);
  EXPECT_EQ(d.Window.Cursor, TCursorKind::Arrow);  // the note window's margin cursor is unregistered
  d.Move(d.Cell(0, 4));
  EXPECT_EQ(d.Editor.CursorState(), curText);
  EXPECT_EQ(d.Window.Cursor, TCursorKind::IBeam);
  d.Move(d.Cell(0, 2));
  EXPECT_EQ(d.Editor.CursorState(), curInSelection);
  EXPECT_EQ(d.Window.Cursor, TCursorKind::Arrow);
  d.Move({d.Cell(0, 2).X, 0});
  EXPECT_EQ(d.Editor.CursorState(), curTopMargin);

  // An unchanged state leaves the window alone; without AutoCursor only the state changes.
  d.Window.Cursor = TCursorKind::Hand;
  d.Editor.SetCursorState(curTopMargin);
  EXPECT_EQ(d.Window.Cursor, TCursorKind::Hand);
  d.Editor.Caret().SetAutoCursor(false);
  d.Move(d.Cell(0, 4));
  EXPECT_EQ(d.Editor.CursorState(), curText);
  EXPECT_EQ(d.Window.Cursor, TCursorKind::Hand);
}

// Selects `length` bytes from `start`, as a user would before dragging.
void SelectBytes(TMouseDriver& d, int start, int length) {
  d.Editor.SetSelStart(start);
  d.Editor.SetSelLength(length);
}

TEST(DragDrop, MovingTheSelectionIsOneEditThatUndoesAtOnce) {
  TMouseDriver d;
  d.Load("abc def\r\n");
  SelectBytes(d, 0, 3);
  d.Press(d.Cell(0, 1));
  EXPECT_EQ(d.Editor.SelDragState(), sdPending);
  EXPECT_EQ(d.Editor.SelText(), "abc");  // the press keeps the selection
  d.Move(d.Cell(0, 4));
  EXPECT_EQ(d.Editor.SelDragState(), sdDragging);
  EXPECT_EQ(d.Editor.CursorState(), curDragMove);
  EXPECT_EQ(d.Window.Cursor, TCursorKind::DragMove);
  d.Move(d.Cell(0, 7));
  EXPECT_EQ(d.Caret(), Pair(0, 7));  // the caret marks the drop point
  d.Release(d.Cell(0, 7));
  EXPECT_EQ(d.Text(), " defabc\r\n");
  EXPECT_EQ(d.Caret(), Pair(0, 7));
  EXPECT_EQ(d.Editor.SelDragState(), sdNone);
  EXPECT_EQ(d.Editor.SelLength(), 0);
  EXPECT_TRUE(d.Editor.Modified());
  d.Editor.Undo();
  EXPECT_EQ(d.Text(), "abc def\r\n");
  EXPECT_FALSE(d.Editor.CanUndo());
}

TEST(DragDrop, MovingAcrossRowsTakesTheLineBreaksAlong) {
  TMouseDriver d;
  d.Load("one\r\ntwo three\r\nfour\r\n");
  SelectBytes(d, 9, 7);  // "three" CR LF
  d.Drag(d.Cell(1, 5), d.Cell(0, 0));
  EXPECT_EQ(d.Text(), "three\r\none\r\ntwo four\r\n");
  d.Editor.Undo();
  EXPECT_EQ(d.Text(), "one\r\ntwo three\r\nfour\r\n");

  SelectBytes(d, 0, 5);  // "one" CR LF, dropped on the row after the final break
  d.Drag(d.Cell(0, 1), d.Cell(3, 0));
  EXPECT_EQ(d.Text(), "two three\r\nfour\r\none\r\n");
}

TEST(DragDrop, ADropPastTheEndOfARowPadsItWithSpaces) {
  TMouseDriver d;
  d.Editor.Caret().SetFreeCaret(true);
  d.Load("ab\r\ncd\r\n");
  SelectBytes(d, 4, 2);
  d.Drag(d.Cell(1, 0), d.Cell(0, 5));
  EXPECT_EQ(d.Text(), "ab   cd\r\n\r\n");
  EXPECT_EQ(d.Caret(), Pair(0, 7));
}

TEST(DragDrop, CtrlCopiesAndTheCursorFollowsTheCtrlKey) {
  TMouseDriver d;
  d.Load("abc def\r\n");
  SelectBytes(d, 4, 3);
  d.Press(d.Cell(0, 5)).Move(d.Cell(0, 2), ssCtrl);
  EXPECT_EQ(d.Editor.CursorState(), curDragCopy);
  EXPECT_TRUE(d.Editor.PassKeyUp(TEditorKey::Control));
  EXPECT_EQ(d.Editor.CursorState(), curDragMove);
  EXPECT_TRUE(d.Editor.PassKeyDown(TEditorKey::Control, ssCtrl));
  EXPECT_EQ(d.Editor.CursorState(), curDragCopy);
  EXPECT_EQ(d.Window.Cursor, TCursorKind::Arrow);  // the note window's copy cursor is unregistered
  d.Move(d.Cell(0, 0), ssCtrl).Release(d.Cell(0, 0), ssCtrl);
  EXPECT_EQ(d.Text(), "defabc def\r\n");
  EXPECT_EQ(d.Caret(), Pair(0, 3));
  d.Editor.Undo();
  EXPECT_EQ(d.Text(), "abc def\r\n");
}

TEST(DragDrop, ADropOntoItselfOrOutsideOnlyClearsTheSelection) {
  TMouseDriver d;
  d.Load("abc def\r\n");
  const auto dropAt = [&d](TPoint to) {
    SelectBytes(d, 0, 3);
    d.Drag(d.Cell(0, 0), to);
    EXPECT_EQ(d.Text(), "abc def\r\n");
    EXPECT_EQ(d.Editor.SelLength(), 0);
    EXPECT_EQ(d.Editor.SelDragState(), sdNone);
    EXPECT_FALSE(d.Editor.CanUndo());
  };
  dropAt(d.Cell(0, 1));
  dropAt(d.Cell(0, 3));  // at the selection's end
  dropAt({d.Window.Width + 10, d.Cell(0, 0).Y});
  dropAt({d.Cell(0, 5).X, -20});
}

TEST(DragDrop, APressInTheSelectionWithoutADragIsAClick) {
  TMouseDriver d;
  d.Load("abc def\r\n");
  SelectBytes(d, 0, 5);
  d.Click(d.Cell(0, 2));
  EXPECT_EQ(d.Editor.SelLength(), 0);
  EXPECT_EQ(d.Caret(), Pair(0, 2));
  EXPECT_EQ(d.Editor.CursorState(), curText);
  EXPECT_EQ(d.Text(), "abc def\r\n");
}

TEST(DragDrop, WithoutDraggingASelectionAPressInItSelectsAnew) {
  TMouseDriver d;
  d.Load("abc def\r\n");
  SelectBytes(d, 0, 5);
  d.Editor.SetReadOnly(true);
  d.Drag(d.Cell(0, 1), d.Cell(0, 6));
  EXPECT_EQ(d.Editor.SelText(), "bc de");
  EXPECT_EQ(d.Text(), "abc def\r\n");

  d.Editor.SetReadOnly(false);
  d.Editor.Caret().SetSelDragMode(dmManual);
  SelectBytes(d, 0, 5);
  d.Press(d.Cell(0, 2));  // the owner starts a manual drag itself; the press keeps the selection
  EXPECT_EQ(d.Editor.SelDragState(), sdNone);
  EXPECT_EQ(d.Editor.SelText(), "abc d");
  d.Release(d.Cell(0, 2));
}

TEST(MouseFilter, AHeldButtonOrADragHoldsOtherInputOff) {
  TMouseDriver d;
  d.Load("abc def\r\n");
  int downs = 0;
  d.Editor.OnMouseDown = [&downs](TEditor&, TMouseButton, TShiftState, int, int) { ++downs; };
  test::TChangeListener counter;
  d.Editor.OnDblClick = counter.Event();

  EXPECT_TRUE(d.Editor.PassChar());
  d.Press(d.Cell(0, 1));
  EXPECT_EQ(downs, 1);
  EXPECT_FALSE(d.Editor.PassChar());
  EXPECT_FALSE(d.Editor.PassKeyDown(TEditorKey::Left, 0));
  EXPECT_FALSE(d.Editor.PassKeyUp(TEditorKey::Left));
  EXPECT_FALSE(d.Editor.PassMouseWheel());
  d.Editor.MouseDown(TMouseButton::Right, 0, 10, 10);
  d.Editor.DoubleClick(TMouseButton::Left, 0, 10, 10);
  EXPECT_EQ(downs, 1);
  EXPECT_EQ(counter.Count, 0);
  d.Release(d.Cell(0, 1));
  EXPECT_TRUE(d.Editor.PassChar());
  EXPECT_TRUE(d.Editor.PassKeyDown(TEditorKey::Left, 0));
  d.Editor.DoubleClick(TMouseButton::Left, 0, 10, 10);
  EXPECT_EQ(counter.Count, 1);

  // A pending drag holds keys off too; an active one lets them through, and Escape ends it.
  SelectBytes(d, 0, 3);
  d.Press(d.Cell(0, 1));
  EXPECT_FALSE(d.Editor.PassKeyDown(TEditorKey::Escape, 0));
  d.Move(d.Cell(0, 6));
  EXPECT_EQ(d.Editor.SelDragState(), sdDragging);
  EXPECT_TRUE(d.Editor.PassKeyDown(TEditorKey::Escape, 0));
  EXPECT_EQ(d.Editor.SelDragState(), sdNone);
  EXPECT_EQ(d.Editor.SelLength(), 0);
  EXPECT_EQ(d.Editor.CursorState(), curText);
  d.Release(d.Cell(0, 6));
  EXPECT_EQ(d.Text(), "abc def\r\n");
}

}  // namespace
}  // namespace editor
