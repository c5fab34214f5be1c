// Point queries: the cell arithmetic at cell halves, the byte under a point, the URL and mail address
// under the mouse or at the caret, whether a cell is selected, and the point and offset messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/control/editor_messages.h"
#include "editor/view/hit_test.h"
#include "support/editor_test_support.h"
#include "support/mouse_driver.h"

namespace editor {
namespace {

using test::kA;
using test::TMouseDriver;
using Pair = std::pair<int, int>;

const std::string A(kA);

TEST(CellAtPoint, NearestTakesTheBoundaryOfTheHalfAndMarginsCountDown) {
  const THitGeometry g{8, 16, 20, 10, 5, 3};  // 8 x 16 cells, text from (20, 10), view at row 5, column 3
  EXPECT_EQ(CellAtPoint(g, 20, 10, false), (TColRow{3, 5}));
  EXPECT_EQ(CellAtPoint(g, 27, 25, false), (TColRow{3, 5}));
  EXPECT_EQ(CellAtPoint(g, 28, 26, false), (TColRow{4, 6}));
  EXPECT_EQ(CellAtPoint(g, 21, 10, true).Col, 3);  // left half: the boundary before the cell
  EXPECT_EQ(CellAtPoint(g, 26, 10, true).Col, 4);  // right half: the boundary after it
  // The cell just left of the text area is the column before TopCol, not TopCol itself.
  EXPECT_EQ(CellAtPoint(g, 19, 10, false).Col, 2);
  EXPECT_EQ(CellAtPoint(g, 12, 10, false).Col, 2);
  EXPECT_EQ(CellAtPoint(g, 11, 10, false).Col, 1);
  EXPECT_EQ(CellAtPoint(g, -50, 10, false).Col, 0);  // never below column 0
  // Less than a row above the text gives the top row (truncation), a whole row above the one before.
  EXPECT_EQ(CellAtPoint(g, 20, 9, false).Row, 5);
  EXPECT_EQ(CellAtPoint(g, 20, -6, false).Row, 4);
  // No font measured yet: no division, the view's corner.
  EXPECT_EQ(CellAtPoint(THitGeometry{0, 0, 0, 0, 2, 1}, 100, 100, true), (TColRow{1, 2}));
}

TEST(TextPosFromPoint, StepsOffSecondBytesAndTabFillsAndFailsOffTheText) {
  TMouseDriver d;
  d.Load("ab\tc" + A + "\r\nxyz");  // columns: a b tab(2) fill(3..7) c(8) lead(9) trail(10)
  int row = 0;
  int index = 0;
  ASSERT_TRUE(d.Editor.TextPosFromPoint(d.Cell(0, 0, true), row, index));
  EXPECT_EQ(Pair(row, index), Pair(0, 1));
  ASSERT_TRUE(d.Editor.TextPosFromPoint(d.Cell(0, 5), row, index));  // on the fill: the tab
  EXPECT_EQ(Pair(row, index), Pair(0, 2));
  ASSERT_TRUE(d.Editor.TextPosFromPoint(d.Cell(0, 10), row, index));  // second cell: the character
  EXPECT_EQ(Pair(row, index), Pair(0, 4));
  ASSERT_TRUE(d.Editor.TextPosFromPoint(d.Cell(1, 2), row, index));
  EXPECT_EQ(Pair(row, index), Pair(1, 2));

  // Past the row's last character the row is known, the byte is not.
  EXPECT_FALSE(d.Editor.TextPosFromPoint(d.Cell(0, 10, true), row, index));
  EXPECT_EQ(Pair(row, index), Pair(0, -1));
  EXPECT_FALSE(d.Editor.TextPosFromPoint(d.Cell(2, 0), row, index));  // the row after the last
  EXPECT_EQ(Pair(row, index), Pair(2, -1));
  EXPECT_FALSE(d.Editor.TextPosFromPoint(d.Cell(7, 0), row, index));
  EXPECT_EQ(Pair(row, index), Pair(-1, -1));
  EXPECT_FALSE(d.Editor.TextPosFromPoint(d.Margin(0), row, index));
  EXPECT_FALSE(d.Editor.TextPosFromPoint({d.Cell(0, 0).X, d.Editor.Viewport().TopMargin() - 1}, row, index));
  d.Load("");
  EXPECT_FALSE(d.Editor.TextPosFromPoint(d.Cell(0, 0), row, index));
}

// "see " then a URL over columns 4..22, a blank and "now"; "mail " then an address over 5..19, " x".
const std::string kLinks = "see http://example.com/ now\r\nmail foo@example.com x\r\n";

TEST(TokenAtPoint, AUrlIsFoundFromTheHalfCellsAroundIt) {
  TMouseDriver d;
  d.Load(kLinks);
  EXPECT_EQ(d.Editor.TokenKindAtPoint(d.Cell(0, 4)), tokUrl);
  EXPECT_EQ(d.Editor.TokenAtPoint(d.Cell(0, 4)), "http://example.com/");
  EXPECT_EQ(d.Editor.TokenKindAtPoint(d.Cell(0, 3, true)), tokUrl);   // right half of the blank before it
  EXPECT_EQ(d.Editor.TokenKindAtPoint(d.Cell(0, 3)), tokEnd);         // left half of that blank
  EXPECT_EQ(d.Editor.TokenKindAtPoint(d.Cell(0, 22)), tokUrl);        // its last character
  EXPECT_EQ(d.Editor.TokenKindAtPoint(d.Cell(0, 22, true)), tokEnd);  // the blank after it
  EXPECT_EQ(d.Editor.TokenKindAtPoint(d.Cell(1, 5)), tokMail);
  EXPECT_EQ(d.Editor.TokenAtPoint(d.Cell(1, 12)), "foo@example.com");
  // Nothing past the row's end, in the margin, or below the text.
  EXPECT_EQ(d.Editor.TokenKindAtPoint(d.Cell(0, 40)), tokEnd);
  EXPECT_EQ(d.Editor.TokenAtPoint(d.Margin(0)), "");
  EXPECT_EQ(d.Editor.TokenKindAtPoint(d.Cell(5, 0)), tokEnd);
}

// What the note window does on a double click: asks for the token at the caret.
struct TDblClickListener {
  TEditor* Editor;
  std::vector<TTokenKind>* Reported;
  void DblClick(TObject*) { Reported->push_back(Editor->TokenKindAtCaret()); }
};

TEST(TokenAtCaret, ADoubleClickReportsTheTokenAfterTheCaret) {
  TMouseDriver d;
  d.Load(kLinks);
  std::vector<TTokenKind> reported;
  TDblClickListener listener{&d.Editor, &reported};
  d.Editor.OnDblClick = MethodEvent<&TDblClickListener::DblClick>(&listener);

  const auto doubleClick = [&d](TPoint p) {
    d.Click(p);
    d.Editor.DoubleClick(TMouseButton::Left, 0, p.X, p.Y);
    d.Release(p);
  };
  doubleClick(d.Cell(1, 5));  // left half of the address's first character
  EXPECT_EQ(d.Caret(), Pair(1, 5));
  doubleClick(d.Cell(1, 19, true));  // right half of its last character: the caret goes after it
  EXPECT_EQ(d.Caret(), Pair(1, 20));
  EXPECT_EQ(reported, (std::vector<TTokenKind>{tokMail, tokEnd}));
  EXPECT_EQ(d.Editor.TokenAtCaret(), "");
  d.At(0, 4);
  EXPECT_EQ(d.Editor.TokenAtCaret(), "http://example.com/");
}

TEST(TokenAtPoint, AUrlWrappedOverRowsIsFoundWholeFromEitherRow) {
  TMouseDriver d(true, 20);
  const std::string url = "http://example.com/abcdefghij";
  d.Load("  " + url + "\r\n");
  ASSERT_GE(d.Editor.ListInfo().Count(), 2);
  ASSERT_EQ(d.Editor.ListInfo().RowAttribute(0), raWrap);
  EXPECT_EQ(d.Editor.TokenAtPoint(d.Cell(0, 2)), url);
  EXPECT_EQ(d.Editor.TokenKindAtPoint(d.Cell(1, 1)), tokUrl);
  EXPECT_EQ(d.Editor.TokenAtPoint(d.Cell(1, 1)), url);

  // Selecting it from its second row starts the selection on the first.
  EXPECT_TRUE(d.Editor.SelectTokenAt(d.Cell(1, 1), true, false));
  EXPECT_EQ(d.Editor.SelText(), url);
  EXPECT_EQ(d.Sel(), Pair(2, static_cast<int>(url.size())));
  EXPECT_FALSE(d.Editor.SelectTokenAt(d.Cell(0, 0), true, false));  // a blank: nothing changes
  EXPECT_EQ(d.Editor.SelText(), url);
}

TEST(IsInSelection, AStreamRunsFromTheStartCellToBeforeTheEndCell) {
  TMouseDriver d;
  d.Load("abc\r\ndefgh\r\nij\r\n").At(0, 1);
  EXPECT_FALSE(d.Editor.IsInSelection(0, 1));                        // nothing selected
  d.Key(TEditorKey::Down, ssShift).Key(TEditorKey::Right, ssShift);  // (0, 1) to (1, 2)
  EXPECT_FALSE(d.Editor.IsInSelection(0, 0));
  EXPECT_TRUE(d.Editor.IsInSelection(0, 1));
  EXPECT_TRUE(d.Editor.IsInSelection(0, 30));  // past the end of a row inside the range
  EXPECT_TRUE(d.Editor.IsInSelection(1, 0));
  EXPECT_TRUE(d.Editor.IsInSelection(1, 1));
  EXPECT_FALSE(d.Editor.IsInSelection(1, 2));
  EXPECT_FALSE(d.Editor.IsInSelection(2, 0));
  EXPECT_TRUE(d.Editor.CanDragSelection());
  d.Editor.SetReadOnly(true);
  EXPECT_FALSE(d.Editor.CanDragSelection());
  d.Editor.SetReadOnly(false);
  d.Editor.Caret().SetSelMove(false);
  EXPECT_FALSE(d.Editor.CanDragSelection());
  // A hit highlight is no selection.
  d.Editor.SetHitSelection(0, 3);
  EXPECT_FALSE(d.Editor.IsInSelection(0, 1));
}

TEST(IsInSelection, ABoxTakesWholeCharactersAtItsEdges) {
  TMouseDriver d;
  d.Load("ab" + A + "cd\r\n" + A + A + "xy\r\n").At(0, 1);
  d.Editor.SetBoxMode(true);
  d.Key(TEditorKey::Down, ssShift).Key(TEditorKey::Right, ssShift);  // a box over columns 1 and 2
  ASSERT_EQ(d.Caret(), Pair(1, 2));
  EXPECT_FALSE(d.Editor.IsInSelection(0, 0));
  EXPECT_TRUE(d.Editor.IsInSelection(0, 1));
  EXPECT_FALSE(d.Editor.IsInSelection(0, 2));  // the wide character at 2..3 starts on the right edge
  EXPECT_TRUE(d.Editor.IsInSelection(1, 0));   // column 1 is the second half of a wide character
  EXPECT_TRUE(d.Editor.IsInSelection(1, 1));
  EXPECT_FALSE(d.Editor.IsInSelection(1, 2));
  EXPECT_FALSE(d.Editor.CanDragSelection());
}

// Two 16-bit words as the point messages deliver them.
std::int32_t Words(int low, int high) { return static_cast<std::int32_t>(high * 65536 + low); }

TEST(PointMessages, CharFromPosAndPosFromCharMeetOnTheSameCell) {
  TMouseDriver d;
  d.Load("ab\r\n\tc\r\nlast");
  const TEditorViewport& v = d.Editor.Viewport();
  const TEditorMessages m(d.Editor);
  const TPoint onC = d.Cell(1, 8);
  EXPECT_EQ(m.CharFromPos(onC.X, onC.Y), Words(5, 1));  // "ab" CR LF, the tab, then c
  const TPoint onFill = d.Cell(1, 3);
  EXPECT_EQ(m.CharFromPos(onFill.X, onFill.Y), Words(4, 1));
  const TPoint pastEnd = d.Cell(0, 30);
  EXPECT_EQ(m.CharFromPos(pastEnd.X, pastEnd.Y), Words(2, 0));  // clamped to the row
  const TPoint below = d.Cell(8, 0);
  EXPECT_EQ(m.CharFromPos(below.X, below.Y), Words(8, 2));  // below the rows: the last row
  EXPECT_EQ(m.CharFromPos(-1, 5), -1);
  EXPECT_EQ(m.CharFromPos(d.Window.Width, 5), -1);

  EXPECT_EQ(m.PosFromChar(5), Words(v.TextLeft() + 8 * v.ColWidth(), v.TopMargin() + v.RowHeight()));
  EXPECT_EQ(m.PosFromChar(0), Words(v.TextLeft(), v.TopMargin()));
  EXPECT_EQ(m.PosFromChar(4 + 4 + 4),  // the end of the last row
            Words(v.TextLeft() + 4 * v.ColWidth(), v.TopMargin() + 2 * v.RowHeight()));
  // The caret does not move for either query.
  EXPECT_EQ(d.Caret(), Pair(0, 0));
}

}  // namespace
}  // namespace editor
