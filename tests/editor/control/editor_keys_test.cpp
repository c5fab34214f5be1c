// Key and character commands as a user types them: caret movement, typing, Delete, Backspace, Tab,
// Return, double-byte pairs, the input method and read-only refusals.
#include <gtest/gtest.h>

#include <string>

#include "support/editor_test_support.h"
#include "support/key_driver.h"

namespace editor {
namespace {

using test::kA;
using test::RowDump;
using test::TKeyDriver;
using Caret = std::pair<int, int>;

const std::string A(kA);

TEST(CaretKeys, ArrowsWalkRowsAndWrapAroundLineEnds) {
  TKeyDriver d;
  d.Load("ab\r\ncdef\r\n");
  d.Key(TEditorKey::Right, 0, 3);
  EXPECT_EQ(d.Caret(), Caret(1, 0));  // past the end of row 0 onto the next row
  d.Key(TEditorKey::Left);
  EXPECT_EQ(d.Caret(), Caret(0, 2));
  d.Key(TEditorKey::End).Key(TEditorKey::Down);
  EXPECT_EQ(d.Caret(), Caret(1, 2));
  d.Key(TEditorKey::End).Key(TEditorKey::Up);
  EXPECT_EQ(d.Caret(), Caret(0, 2));  // lands within the shorter row
  d.Key(TEditorKey::End, ssCtrl);
  EXPECT_EQ(d.Caret(), Caret(2, 0));  // the virtual row after the final break
  d.Key(TEditorKey::Down).Key(TEditorKey::Right);
  EXPECT_EQ(d.Caret(), Caret(2, 0));
  d.Key(TEditorKey::Home, ssCtrl);
  EXPECT_EQ(d.Caret(), Caret(0, 0));
  d.Key(TEditorKey::Left).Key(TEditorKey::Up);
  EXPECT_EQ(d.Caret(), Caret(0, 0));
}

TEST(CaretKeys, NeverRestsOnASecondByteOrInATabFill) {
  TKeyDriver d;
  d.Load("x" + A + "y\r\nabcdefghij\r\n\tz\r\n");
  d.Key(TEditorKey::Right, 0, 2);
  EXPECT_EQ(d.Caret(), Caret(0, 3));  // over both bytes of the character
  d.Key(TEditorKey::Left);
  EXPECT_EQ(d.Caret(), Caret(0, 1));
  d.At(1, 2).Key(TEditorKey::Up);
  EXPECT_EQ(d.Caret(), Caret(0, 1));  // column 2 is a second byte: before the character
  d.At(1, 5).Key(TEditorKey::Down);
  EXPECT_EQ(d.Caret(), Caret(2, 0));  // inside the tab's fill: on the tab
  d.Key(TEditorKey::Right);
  EXPECT_EQ(d.Caret(), Caret(2, 8));  // after the fill
}

TEST(CaretKeys, WordWrapRowEndsAreTheNextRowsStart) {
  TKeyDriver d(true, 20);
  d.Load(std::string(25, 'a') + "\r\n");
  ASSERT_EQ(RowDump(d.Editor)[0], std::string(20, 'a') + "|W");
  d.Key(TEditorKey::End);
  EXPECT_EQ(d.Caret(), Caret(0, 19));  // before the wrapped row's last character
  d.Key(TEditorKey::Right);
  EXPECT_EQ(d.Caret(), Caret(1, 0));
  d.Key(TEditorKey::Left);
  EXPECT_EQ(d.Caret(), Caret(0, 19));
  d.Key(TEditorKey::Delete);
  EXPECT_EQ(d.Text(), std::string(24, 'a') + "\r\n");
  // Backspace at the start of a continuation row deletes the previous row's last character.
  d.Load(std::string(10, 'x') + std::string(10, 'y') + "zz\r\n").At(1, 0).Char(kCharBackspace);
  EXPECT_EQ(d.Text(), std::string(10, 'x') + std::string(9, 'y') + "zz\r\n");
  EXPECT_EQ(d.Editor.SelStart(), 19);
}

TEST(CaretKeys, CtrlArrowsStopAtWords) {
  TKeyDriver d;
  d.Load("foo, bar" + A + A + "\r\nbaz\r\n");
  d.Key(TEditorKey::Right, ssCtrl);
  EXPECT_EQ(d.Caret(), Caret(0, 5));  // the comma is no stop
  d.Key(TEditorKey::Right, ssCtrl);
  EXPECT_EQ(d.Caret(), Caret(0, 8));  // the hiragana run begins
  d.Key(TEditorKey::Right, ssCtrl);
  EXPECT_EQ(d.Caret(), Caret(0, 12));  // no more stops: the row end
  d.Key(TEditorKey::Right, ssCtrl);
  EXPECT_EQ(d.Caret(), Caret(1, 0));  // a word at column 0 of the next row
  d.Key(TEditorKey::Left, ssCtrl);
  EXPECT_EQ(d.Caret(), Caret(0, 12));  // after a line break the end of the row is a stop
  d.Key(TEditorKey::Left, ssCtrl, 2);
  EXPECT_EQ(d.Caret(), Caret(0, 5));
  d.Key(TEditorKey::Left, ssCtrl, 2);
  EXPECT_EQ(d.Caret(), Caret(0, 0));
}

TEST(CaretKeys, RepeatedUpDownAtTheViewEdgeAndThePageKeys) {
  TKeyDriver d;
  std::string text;
  for (int i = 0; i < 50; ++i) text += "row\r\n";
  d.Load(text);
  d.Key(TEditorKey::Down, 0, 9, true);
  EXPECT_EQ(d.Caret(), Caret(9, 0));  // one row at a time until the bottom visible row
  d.Key(TEditorKey::Down, 0, 1, true);
  EXPECT_EQ(d.Caret(), Caret(11, 0));  // then two while the key repeats
  EXPECT_GE(d.Editor.TopRow(), 2);
  d.Key(TEditorKey::PageDown);  // ((10 - 1) div 2) x 2 = 8 rows, the view with it
  EXPECT_EQ(d.Caret(), Caret(19, 0));
  const int top = d.Editor.TopRow();
  d.Key(TEditorKey::PageUp);
  EXPECT_EQ(d.Caret(), Caret(11, 0));
  EXPECT_EQ(d.Editor.TopRow(), top - 8);
  d.Key(TEditorKey::Home, ssCtrl).Key(TEditorKey::PageUp);
  EXPECT_EQ(d.Caret(), Caret(0, 0));
  d.Key(TEditorKey::Down, ssCtrl, 3);  // the view scrolls, the caret follows only as it leaves the view
  EXPECT_EQ(d.Editor.TopRow(), 3);
  EXPECT_EQ(d.Caret(), Caret(3, 0));
}

TEST(Typing, CharactersGoInAtTheCaretAndUndoTakesThemOut) {
  TKeyDriver d;
  d.Load("ad\r\n").At(0, 1).Type("bc");
  EXPECT_EQ(d.Text(), "abcd\r\n");
  EXPECT_EQ(d.Caret(), Caret(0, 3));
  EXPECT_TRUE(d.Editor.Modified());
  d.Type(A);  // lead byte, then trail byte
  EXPECT_EQ(d.Text(), "abc" + A + "d\r\n");
  EXPECT_EQ(d.Caret(), Caret(0, 5));
  d.Editor.Undo();
  d.Editor.Undo();
  d.Editor.Undo();
  EXPECT_EQ(d.Text(), "ad\r\n");
}

TEST(Typing, ALeadByteWithoutItsTrailIsDropped) {
  TKeyDriver d;
  d.Load("xy\r\n").At(0, 1);
  d.Char(0x82).Char('1');              // below 0x40: no trail byte, so the lead byte came alone
  d.Char(0xE0).Key(TEditorKey::Left);  // a key press between the two bytes
  d.Char(0x9F).Char(0x20);
  EXPECT_EQ(d.Text(), "x 1y\r\n");
  d.Char(0x82).Char('a');  // any byte from 0x40 completes the pair
  EXPECT_EQ(d.Text(),
            "x \x82"
            "a1y\r\n");
  EXPECT_EQ(d.Caret(), Caret(0, 4));
  d.Load("").Char(0xA1).Char(0xFD);  // half-width katakana and 0xFD are single bytes
  EXPECT_EQ(d.Text(), "\xA1\xFD");
}

TEST(Typing, ImeResultGoesInOnceAndItsCharacterMessagesAreDropped) {
  TKeyDriver d;
  d.Load("");
  d.Editor.ImeResult(A + "b");
  d.Type(A + "b");  // what the system then posts for the same string
  EXPECT_EQ(d.Text(), A + "b");
  d.Type("c");
  EXPECT_EQ(d.Text(), A + "bc");
  // The candidate window hides the caret once, however often the system says so.
  const int hides = d.Editor.CaretModel().HideCount();
  d.Editor.ImeNotify(true);
  d.Editor.ImeNotify(true);
  EXPECT_TRUE(d.Editor.CaretHidden());
  d.Editor.ImeNotify(false);
  EXPECT_FALSE(d.Editor.CaretHidden());
  EXPECT_EQ(d.Editor.CaretModel().HideCount(), hides);
}

TEST(Typing, DeleteAndBackspaceTakeWholeCharactersAndJoinLines) {
  TKeyDriver d;
  d.Load("a" + A + "b\r\ncd\r\n").At(0, 1).Key(TEditorKey::Delete);
  EXPECT_EQ(d.Text(), "ab\r\ncd\r\n");
  d.Key(TEditorKey::End).Key(TEditorKey::Delete);
  EXPECT_EQ(d.Text(), "abcd\r\n");
  EXPECT_EQ(d.Caret(), Caret(0, 2));
  d.Key(TEditorKey::End).Key(TEditorKey::Delete);  // the final line break goes; the row becomes the last
  EXPECT_EQ(d.Text(), "abcd");
  d.Key(TEditorKey::Delete);
  EXPECT_EQ(d.Text(), "abcd");
  d.Load("x" + A + "\r\ny\r\n").At(0, 3).Char(kCharBackspace);
  EXPECT_EQ(d.Text(), "x\r\ny\r\n");
  d.At(1, 0).Char(kCharBackspace);
  EXPECT_EQ(d.Text(), "xy\r\n");
  EXPECT_EQ(d.Caret(), Caret(0, 1));
  d.Load("\tq\r\n").At(0, 8).Char(kCharBackspace);  // a tab with its fill is one character
  EXPECT_EQ(d.Text(), "q\r\n");
  d.Load("").Char(kCharBackspace).Key(TEditorKey::Delete);
  EXPECT_EQ(d.Text(), "");
}

TEST(Typing, ReturnSplitsAndShiftReturnOpensALineAbove) {
  TKeyDriver d;
  d.Load("abcdef\r\n").At(0, 3).Char(kCharReturn);
  EXPECT_EQ(d.Text(), "abc\r\ndef\r\n");
  EXPECT_EQ(d.Caret(), Caret(1, 0));
  d.Char(kCharReturn, ssShift);
  EXPECT_EQ(d.Text(), "abc\r\n\r\ndef\r\n");
  EXPECT_EQ(d.Caret(), Caret(1, 0));
  d.Key(TEditorKey::End, ssCtrl).Char(kCharReturn);  // on the virtual row: another line break
  EXPECT_EQ(d.Text(), "abc\r\n\r\ndef\r\n\r\n");
  EXPECT_EQ(d.Caret(), Caret(4, 0));
  d.Load("").Char(kCharReturn);
  EXPECT_EQ(d.Text(), "\r\n");
  EXPECT_EQ(d.Caret(), Caret(1, 0));
}

TEST(Typing, TabIsOneByteAndItsFillStopsAtTheWrapEdge) {
  TKeyDriver d(true, 20);
  d.Load(std::string(18, 'a')).Key(TEditorKey::End).Char(kCharTab).Char('b');
  EXPECT_EQ(RowDump(d.Editor), (std::vector<std::string>{std::string(18, 'a') + "\t|W", "b|E"}));
  EXPECT_EQ(d.Editor.RowWidth(0), 20);
  d.Char(kCharTab, ssCtrl).Char(kCharTab, ssShift);
  EXPECT_EQ(d.Text(), std::string(18, 'a') + "\tb");
  // Overtype moves over the tab's width instead.
  d.Editor.SetOvertype(true);
  d.Load("abcdef").Char(kCharTab);
  EXPECT_EQ(d.Caret(), Caret(0, 6));
  d.Load("ab" + A + "cd").At(0, 1).Type("XY");
  EXPECT_EQ(d.Text(), "aXYcd");  // Y half covered the double-byte character: it went whole
  d.At(0, 4).Type(A + A);
  EXPECT_EQ(d.Text(), "aXYc" + A + A);  // past the line end it just appends
}

TEST(Typing, ReadOnlyRefusesEveryChangeButNotMovementAndCopy) {
  TKeyDriver d;
  d.Load("abc\r\n");
  d.Editor.SetReadOnly(true);
  d.Type("x").Char(kCharBackspace).Char(kCharReturn).Char(kCharTab).Key(TEditorKey::Delete);
  d.Editor.ImeResult("y");
  d.Key(TEditorKey::Right, ssShift, 2);
  d.Editor.CutToClipboard();
  d.Editor.PasteFromClipboard();
  d.Editor.SetSelTextBuf("z");
  EXPECT_EQ(d.Text(), "abc\r\n");
  EXPECT_FALSE(d.Editor.Modified());
  d.Editor.CopyToClipboard();
  EXPECT_EQ(d.Clipboard.Text, "ab");
}

}  // namespace
}  // namespace editor
