// Selection by keys and by offsets, and the edit messages that read and set it.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "editor/control/editor_messages.h"
#include "support/editor_test_support.h"
#include "support/key_driver.h"

namespace editor {
namespace {

using test::kA;
using test::TKeyDriver;
using Pair = std::pair<int, int>;

const std::string A(kA);

TEST(Selection, ShiftArrowsSelectFromTheAnchorInTextOrder) {
  TKeyDriver d;
  std::vector<TSelectionState> states;
  d.Editor.OnSelectionChange = [&states](TEditor&, TSelectionState state) { states.push_back(state); };
  d.Load("abc\r\n" + A + "de\r\n").At(0, 1);
  d.Key(TEditorKey::Right, ssShift).Key(TEditorKey::Down, ssShift);
  EXPECT_EQ(d.Sel(), Pair(1, 6));  // "bc", CR LF, the double-byte character
  EXPECT_EQ(d.Editor.SelText(), "bc\r\n" + A);
  const TSelectionRange& range = d.Editor.Selection().Range();
  EXPECT_EQ(range.StartRow, 0);
  EXPECT_EQ(range.EndRow, 1);
  EXPECT_EQ(range.StartIndex, 1);
  EXPECT_EQ(range.EndIndex, 1);                                      // the last selected byte: the trail byte
  d.Key(TEditorKey::Up, ssShift).Key(TEditorKey::Left, ssShift, 2);  // back over the anchor: the range turns round
  EXPECT_EQ(d.Sel(), Pair(0, 1));
  d.Key(TEditorKey::Right, ssShift);
  EXPECT_EQ(d.Sel(), Pair(1, 0));  // on the anchor: empty, but still there
  EXPECT_EQ(d.Editor.Selection().State(), sstSelected);
  d.Key(TEditorKey::Right);
  EXPECT_EQ(d.Editor.Selection().State(), sstNone);
  EXPECT_EQ(d.Sel(), Pair(2, 0));
  ASSERT_GE(states.size(), 3u);
  EXPECT_EQ(states.front(), sstAnchored);
  EXPECT_EQ(states.back(), sstNone);
}

TEST(Selection, SelStartAndSelLengthWalkRowsAsTheCaretDoes) {
  TKeyDriver d(true, 20);
  d.Load(std::string(30, 'a') + "\r\nb" + A + "\r\n");
  d.Editor.SetSelStart(20);  // on the wrap boundary: the start of the next row
  EXPECT_EQ(d.Caret(), Pair(1, 0));
  d.Editor.SetSelLength(13);
  EXPECT_EQ(d.Sel(), Pair(20, 13));
  EXPECT_EQ(d.Editor.SelText(), std::string(10, 'a') + "\r\nb");
  d.Editor.SetSelLength(2);  // from the selection's start again
  EXPECT_EQ(d.Sel(), Pair(20, 2));
  d.Editor.SetSelLength(0);
  EXPECT_EQ(d.Editor.Selection().State(), sstNone);
  d.Editor.SetSelStart(-5);
  EXPECT_EQ(d.Caret(), Pair(0, 0));
  d.Editor.SetSelStart(1000);
  EXPECT_EQ(d.Caret(), Pair(3, 0));
  d.Editor.SelectAll();
  EXPECT_EQ(d.Sel(), Pair(0, 37));
  d.Editor.DeleteSelection();
  EXPECT_EQ(d.Text(), "");
  d.Editor.Undo();
  EXPECT_EQ(d.Text(), std::string(30, 'a') + "\r\nb" + A + "\r\n");
}

TEST(Selection, TypingReplacesItAndEditingKeysDeleteIt) {
  TKeyDriver d;
  d.Load("one\r\ntwo\r\n").At(0, 1).Key(TEditorKey::Down, ssShift);
  d.Type("X");
  EXPECT_EQ(d.Text(), "oXwo\r\n");
  EXPECT_EQ(d.Caret(), Pair(0, 2));
  d.Key(TEditorKey::Home, ssShift).Key(TEditorKey::Delete);
  EXPECT_EQ(d.Text(), "wo\r\n");
  d.Key(TEditorKey::End, ssShift).Char(kCharBackspace);
  EXPECT_EQ(d.Text(), "\r\n");
  d.Load("ab\r\n").Key(TEditorKey::Right, ssShift).Char(kCharReturn, ssShift);  // Shift+Return keeps a selection
  EXPECT_EQ(d.Text(), "ab\r\n");
  d.Char(kCharReturn);
  EXPECT_EQ(d.Text(), "\r\nb\r\n");
  EXPECT_EQ(d.Caret(), Pair(1, 0));
}

TEST(Selection, AHitHighlightIsNoSelectionAndGoesAtTheNextCommand) {
  TKeyDriver d;
  d.Load("find me\r\n");
  d.Editor.SetHitSelection(5, 2);
  EXPECT_EQ(d.Editor.Selection().State(), sstHitSelected);
  EXPECT_EQ(d.Editor.SelLength(), 0);
  d.Type("!");
  EXPECT_EQ(d.Text(), "find me!\r\n");
  EXPECT_EQ(d.Editor.Selection().State(), sstNone);
  d.Editor.SetHitSelection(0, 4);
  d.Key(TEditorKey::Left, ssShift);
  EXPECT_EQ(d.Editor.Selection().State(), sstSelected);
  EXPECT_EQ(d.Sel(), Pair(3, 1));
}

TEST(Selection, ATextChangeFromOutsideRemovesIt) {
  TKeyDriver d;
  d.Load("abc\r\n").Key(TEditorKey::End, ssShift);
  d.Editor.Lines().Add("more");
  EXPECT_EQ(d.Editor.Selection().State(), sstNone);
  d.Key(TEditorKey::Home, ssCtrl).Key(TEditorKey::End, ssShift);
  d.Type("x");
  d.Editor.Undo();
  EXPECT_EQ(d.Editor.Selection().State(), sstNone);
  EXPECT_EQ(d.Text(), "abc\r\nmore\r\n");
}

TEST(EditMessages, SelectionAndLineQueries) {
  TKeyDriver d(true, 20);
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
  EXPECT_EQ(m.LineFromChar(-1), 0);             // the selection's start row
  EXPECT_EQ(m.LineLength(-1), 20 + 2 - 1 - 1);  // end row's length + first index - last index - 1
  m.SetSel(4, 4);
  EXPECT_EQ(m.LineFromChar(-1), 0);
  EXPECT_EQ(m.LineFromChar(25), 2);  // the continuation row of the long line
  EXPECT_EQ(m.LineLength(6), 20);
  EXPECT_EQ(m.GetLineCount(), 3);
  EXPECT_EQ(m.LineIndex(2), 25);
  EXPECT_EQ(m.LineIndex(3), 32);  // the virtual row after a final break
  EXPECT_EQ(m.LineIndex(4), -1);
  d.Load("a\r\nb");
  EXPECT_EQ(m.LineIndex(2), -1);  // no virtual row after a text without a final break
  EXPECT_EQ(m.LineIndex(-1), 0);
  std::array<char, 4> buffer{};
  EXPECT_EQ(m.GetLine(1, buffer), 1);
  EXPECT_EQ(buffer[0], 'b');
  EXPECT_EQ(m.GetLine(2, buffer), 0);
  EXPECT_EQ(m.GetText(buffer), 3);
  EXPECT_EQ(std::string(buffer.data()), "a\r\n");
  EXPECT_EQ(m.GetTextLength(), 4);
}

TEST(EditMessages, ClipboardModifyAndUndoMessagesHonourReadOnly) {
  TKeyDriver d;
  TEditorMessages m(d.Editor);
  d.Load("abc");
  m.Copy();  // nothing selected: the clipboard is emptied of text
  EXPECT_TRUE(d.Clipboard.HasText());
  EXPECT_EQ(d.Clipboard.GetText(), "");
  m.SetSel(0, 2);
  m.Cut();
  EXPECT_EQ(d.Text(), "c");
  EXPECT_EQ(d.Clipboard.GetText(), "ab");
  m.Paste();
  m.ReplaceSel("-");
  EXPECT_EQ(d.Text(), "ab-c");
  EXPECT_TRUE(m.GetModify());
  EXPECT_TRUE(m.CanUndo());
  m.SetReadOnly(true);
  m.SetModify(false);
  EXPECT_TRUE(m.GetModify());
  m.SetSel(0, 1);
  m.Cut();
  m.Clear();
  m.SetText("new");
  EXPECT_FALSE(m.Undo());
  EXPECT_EQ(d.Text(), "ab-c");
  EXPECT_EQ(d.Clipboard.GetText(), "");  // a refused cut empties the clipboard, as the message says
  m.SetReadOnly(false);
  EXPECT_TRUE(m.Undo());
  EXPECT_EQ(d.Text(), "abc");
  m.EmptyUndoBuffer();
  EXPECT_FALSE(m.CanUndo());
}

}  // namespace
}  // namespace editor

namespace editor {
namespace {

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
  editor.SetCol(0);
  editor.PutText("new\r\n");  // the marked row moves down by one
  editor.SetRow(0);
  editor.GotoRowMark(3);
  EXPECT_EQ(editor.Row(), 3);
  EXPECT_EQ(editor.ListInfo().RowMarks(2) & (1 << 3), 0);  // the mark left its first row
  EXPECT_FALSE(editor.RowMarkSet(4));
  editor.PutRowMark(12);  // outside 0 to 9: ignored
  EXPECT_FALSE(editor.RowMarkSet(12));
}

}  // namespace
}  // namespace editor
