// The editor's properties as the control holds them: construction defaults, clamping, and the change
// handler's steps.
#include <gtest/gtest.h>

#include <string>

#include "editor/control/editor.h"
#include "editor/props/editor_properties.h"
#include "editor/text/editor_screen_strings.h"
#include "editor/text/editor_wrap_option.h"
#include "support/editor_test_support.h"
#include "support/windowed_editor.h"

namespace editor {
namespace {

TEST(EditorProps, ConstructionDefaults) {
  TEditor editor;
  const TCaretOptions& caret = editor.CaretOptions();
  EXPECT_TRUE(caret.AutoCursor && caret.AutoIndent && caret.BackSpaceUnIndent && caret.FreeCaret && caret.RowSelect &&
              caret.SelMove);
  EXPECT_FALSE(caret.FreeRow || caret.InTab || caret.KeepCaret || caret.LockScroll || caret.NextLine ||
               caret.PrevSpaceIndent || caret.SoftTab || caret.TabIndent || caret.TokenEndStop);
  EXPECT_EQ(caret.TabSpaceCount, 8);
  EXPECT_EQ(caret.SelDragMode, dmAutomatic);
  EXPECT_EQ(editor.Caret().Cursors().Values(), (TCursorIndices{-4, -12, 1959, 0, 1958, 0}));
  EXPECT_EQ(editor.Margin().Left(), 19);
  EXPECT_EQ(editor.Margin().Top(), 2);
  EXPECT_EQ(editor.Marks().Underline().Color(), 0x808080u);
  EXPECT_FALSE(editor.Marks().EofMark().Visible());
  EXPECT_EQ(editor.Leftbar().Values(), TLeftbarValues{});
  EXPECT_EQ(editor.Leftbar().BkColor(), 0xC0C0C0u);
  EXPECT_EQ(editor.Ruler().GaugeRange(), 10);
  EXPECT_EQ(editor.Imagebar().Width(), 12);
  EXPECT_EQ(editor.Speed().CaretVerticalAc(), 2);
  EXPECT_EQ(editor.Speed().PageVerticalRange(), 2);
  EXPECT_FALSE(editor.Speed().InitBracketsFull());
  EXPECT_EQ(editor.View().Colors().Select().Color(), 0xFFFFFFu);
  EXPECT_EQ(editor.View().Colors().Select().BkColor(), 0x800000u);
  EXPECT_FALSE(editor.View().Url());
  EXPECT_EQ(editor.BorderStyle(), bsSingle);
  EXPECT_EQ(editor.Color(), 0xFFFFFFu);
  EXPECT_EQ(editor.Font().Name, "FixedSys");
  EXPECT_EQ(editor.HitStyle(), hsSelect);
  EXPECT_EQ(editor.ScrollBars(), ssNone);
  EXPECT_EQ(editor.UndoListMax(), 64);
  EXPECT_FALSE(editor.WordWrap());
  EXPECT_EQ(editor.Fountain(), nullptr);
  EXPECT_EQ(editor.ActiveFountain(), &editor.View().Fountain());
}

TEST(EditorProps, ValuesAreClampedNotRefused) {
  TEditor editor;
  editor.Margin().SetLeft(-5);
  EXPECT_EQ(editor.Margin().Left(), 0);
  editor.Margin().SetLeft(500);
  EXPECT_EQ(editor.Margin().Left(), 100);
  const std::pair<int, int> tabs[] = {{7, 6}, {1, 2}, {12, 8}, {4, 4}, {3, 2}};
  for (auto [given, kept] : tabs) {
    editor.Caret().SetTabSpaceCount(given);
    EXPECT_EQ(editor.Caret().TabSpaceCount(), kept) << given;
  }
  editor.Ruler().SetGaugeRange(9);
  EXPECT_EQ(editor.Ruler().GaugeRange(), 8);
  editor.Ruler().SetGaugeRange(20);
  EXPECT_EQ(editor.Ruler().GaugeRange(), 10);
  editor.Leftbar().SetColumn(0);
  EXPECT_EQ(editor.Leftbar().Column(), 1);
  editor.Leftbar().SetColumn(9);
  EXPECT_EQ(editor.Leftbar().Column(), 8);
  editor.Leftbar().SetRightMargin(101);
  EXPECT_EQ(editor.Leftbar().RightMargin(), 100);
  editor.Imagebar().SetMarkWidth(-1);
  EXPECT_EQ(editor.Imagebar().MarkWidth(), 0);
  editor.SetUndoListMax(10);
  EXPECT_EQ(editor.UndoListMax(), 64);
  editor.Speed().SetPageVerticalRange(0);
  EXPECT_EQ(editor.Speed().PageVerticalRange(), 1);
  editor.Speed().SetCaretVerticalAc(9);
  EXPECT_EQ(editor.Speed().CaretVerticalAc(), 4);
  editor.WrapOption().SetWrapByte(5);
  EXPECT_EQ(editor.WrapOption().WrapByte(), 20);
}

using test::TWindowedEditor;

TEST(PropertyChanged, RepaintsOncePerRealChangeAndResetsStatesForTheScheme) {
  TWindowedEditor w;
  std::string text;
  for (int i = 0; i < 40; ++i) text += "http://x" + std::to_string(i) + "\r\n";
  w.Editor.Lines().SetText(text);
  TEditorScreenStrings& rows = w.Editor.ListInfo();
  rows.SetStateNotComputed(0);
  const int repaints = w.Window.InvalidateAllCount;
  w.Editor.View().Colors().Url().SetColor(0xFF);
  EXPECT_EQ(w.Window.InvalidateAllCount, repaints + 1);
  EXPECT_TRUE(rows.StateComputed(0)) << "every start state was reset";
  w.Editor.View().Colors().Url().SetColor(0xFF);
  EXPECT_EQ(w.Window.InvalidateAllCount, repaints + 1);

  rows.SetStateNotComputed(0);
  w.Editor.Margin().SetLeft(3);
  EXPECT_EQ(w.Window.InvalidateAllCount, repaints + 2);
  EXPECT_FALSE(rows.StateComputed(0)) << "a margin does not touch the start states";
  EXPECT_EQ(w.Editor.Viewport().TextLeft(), 3 + 12);

  // Speed reports nothing: no repaint, but the start states learn InitBracketsFull.
  TEditorSpeed speed;
  speed.SetInitBracketsFull(true);
  w.Editor.Speed().Assign(speed);
  EXPECT_EQ(w.Window.InvalidateAllCount, repaints + 2);
  EXPECT_TRUE(w.Editor.TokenRowStates().InitBracketsFull());
}

TEST(PropertyChanged, ACaretChangeInAWindowEmptiesTheUndoHistory) {
  TEditor loose;
  loose.Lines().SetText("abc\r\n");
  loose.ListInfo().ReplaceText(0, 1, "abcd\r\n");
  loose.Caret().SetAutoIndent(false);
  EXPECT_TRUE(loose.CanUndo()) << "without a window the history stays";

  TWindowedEditor w;
  w.Editor.Lines().SetText("abc\r\n");
  w.Editor.ListInfo().ReplaceText(0, 1, "abcd\r\n");
  ASSERT_TRUE(w.Editor.CanUndo());
  w.Editor.Caret().SetAutoIndent(false);
  EXPECT_FALSE(w.Editor.CanUndo());
  EXPECT_TRUE(w.Editor.CaretModel().Exists());
}

TEST(PropertyChanged, ANewTabWidthRecutsWrappedRowsAsALoadWould) {
  const std::string text = "a\tb\tc\td\te\tf\tg\th\r\n";
  TEditor editor;
  editor.WrapOption().SetWrapByte(20);
  editor.SetWordWrap(true);
  editor.Lines().SetText(text);
  const int rowsAtEight = editor.ListInfo().Count();
  editor.Caret().SetTabSpaceCount(2);

  const std::vector<std::string> fresh = test::FullRewrapRows(editor);
  EXPECT_LT(static_cast<int>(fresh.size()), rowsAtEight);
  EXPECT_EQ(test::RowDump(editor), fresh);
  EXPECT_EQ(editor.Lines().Text(), text);
}

TEST(PropertyChanged, MarksUnderlineGivesTheRowItsExtraPixel) {
  TWindowedEditor w;
  EXPECT_EQ(w.Editor.Margin().UnderlineSpace(), 0);
  w.Editor.Marks().Underline().SetVisible(true);
  EXPECT_EQ(w.Editor.Margin().UnderlineSpace(), 1);
  EXPECT_EQ(w.Editor.Viewport().RowHeight(), 17);
}

TEST(HitLength, HitStylesMarkFromTheCaret) {
  TWindowedEditor w;
  w.Editor.Lines().SetText("hello world\r\n");
  w.Editor.SetCol(6);
  w.Editor.SetHitLength(5);
  EXPECT_EQ(w.Editor.HitLength(), 5);
  EXPECT_EQ(w.Editor.SelStart(), 6);
  EXPECT_EQ(w.Editor.SelLength(), 5);
  EXPECT_EQ(w.Editor.SelText(), "world");

  w.Editor.SetHitStyle(hsCaret);
  EXPECT_EQ(w.Editor.SelLength(), 0) << "a new hit style clears the selection";
  w.Editor.SetRow(0);
  w.Editor.SetCol(0);
  ASSERT_FALSE(w.Editor.CaretModel().Exists());
  w.Editor.SetHitLength(5);
  EXPECT_TRUE(w.Editor.CaretModel().Exists());
  EXPECT_EQ(w.Editor.CaretModel().Width(), 5 * 8) << "the caret becomes a block over the hit";
  EXPECT_EQ(w.Editor.Col(), 0) << "the caret goes back to the hit's start";
}

}  // namespace
}  // namespace editor
