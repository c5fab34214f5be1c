// Undo and redo: one step per change, the caret going back to where it stood, and the history's limits.
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
using test::Type;
using Dump = std::vector<std::string>;

TEST(Undo, EachTypedCharacterIsOneStepAndTheCaretGoesBackWithIt) {
  TEditor editor;
  editor.Caret().SetFreeCaret(false);
  editor.Lines().SetText("xy\r\n");
  editor.SetCol(1);
  Type(editor, "a");
  Type(editor, "b");
  Type(editor, "c");
  EXPECT_EQ(editor.Lines().Text(), "xabcy\r\n");
  EXPECT_EQ(editor.Col(), 4);
  for (const char* expected : {"xaby\r\n", "xay\r\n", "xy\r\n"}) {
    editor.Undo();
    EXPECT_EQ(editor.Lines().Text(), expected);
  }
  EXPECT_EQ(editor.Col(), 1);
  EXPECT_FALSE(editor.CanUndo());
  editor.Undo();
  EXPECT_EQ(editor.Lines().Text(), "xy\r\n");
  EXPECT_TRUE(editor.Modified());  // undoing everything is still a change
}

TEST(Undo, ANewChangeEmptiesTheRedoList) {
  TEditor editor;
  editor.Lines().SetText("abc");
  Type(editor, "1");
  editor.Undo();
  EXPECT_TRUE(editor.CanRedo());
  Type(editor, "2");
  EXPECT_FALSE(editor.CanRedo());
  editor.Redo();
  EXPECT_EQ(editor.Lines().Text(), "2abc");
}

TEST(Undo, RedoOfAPasteRestoresTheRowsAndTheCaretFromBeforeTheUndo) {
  TEditor editor;
  editor.SetWordWrap(true);
  editor.Lines().SetText("first line\r\nsecond line\r\n");
  editor.SetRow(1);
  editor.SetCol(6);
  Type(editor, "pasted\r\n" + std::string(100, 'p') + "\r\nend ");
  const Dump pasted = RowDump(editor);
  const int row = editor.Row();
  const int col = editor.Col();
  ASSERT_EQ(editor.Lines().Count(), 4);

  editor.Undo();
  EXPECT_EQ(editor.Lines().Text(), "first line\r\nsecond line\r\n");
  EXPECT_EQ(editor.Row(), 1);
  EXPECT_EQ(editor.Col(), 6);
  editor.Redo();
  EXPECT_EQ(RowDump(editor), pasted);
  EXPECT_EQ(editor.Row(), row);
  EXPECT_EQ(editor.Col(), col);
  EXPECT_TRUE(editor.CanUndo());
  EXPECT_FALSE(editor.CanRedo());
}

TEST(Undo, OnlyTheLastListMaxChangesCanBeUndone) {
  TEditor editor;
  editor.Lines().SetText("");
  for (int i = 0; i < 70; ++i) editor.ListInfo().ReplaceText(editor.ListInfo().Count(), 0, std::to_string(i) + "\r\n");
  int undone = 0;
  while (editor.CanUndo()) {
    editor.Undo();
    ++undone;
  }
  EXPECT_EQ(undone, 64);
  EXPECT_EQ(editor.Lines().Count(), 6);
  EXPECT_EQ(editor.Lines().Strings(5), "5");
}

TEST(Undo, UndoListMaxNeverGoesBelow64) {
  TEditor editor;
  EXPECT_EQ(editor.UndoListMax(), 64);
  editor.SetUndoListMax(10);
  EXPECT_EQ(editor.UndoListMax(), 64);
  editor.SetUndoListMax(200);
  for (int i = 0; i < 250; ++i) editor.ListInfo().ReplaceText(editor.ListInfo().Count(), 0, "x\r\n");
  EXPECT_EQ(editor.ListInfo().UndoObj().UndoList().size(), 200u);
}

TEST(Undo, DeletingTheWholeTextAndUndoingRestoresItsFinalBreakOrItsAbsence) {
  for (const std::string& text : {std::string("one\r\ntwo\r\n"), std::string("one\r\ntwo"), std::string("only")}) {
    TEditor editor;
    editor.Lines().SetText(text);
    const Dump rows = RowDump(editor);
    editor.ListInfo().ReplaceText(0, editor.ListInfo().Count(), "");
    EXPECT_EQ(editor.ListInfo().Count(), 0);
    editor.Undo();
    EXPECT_EQ(editor.Lines().Text(), text);
    EXPECT_EQ(RowDump(editor), rows);
    editor.Redo();
    EXPECT_EQ(editor.ListInfo().Count(), 0);
  }
}

TEST(Undo, AnInsertionAtTheEndIsUndoneByRemovingItsRows) {
  TEditor editor;
  editor.Lines().SetText("a\r\n");
  editor.ListInfo().ReplaceText(1, 0, "b\r\nc\r\n");
  const TUndoData& record = editor.ListInfo().UndoObj().UndoList().back();
  EXPECT_EQ(record.LastAttribute, raNone);
  EXPECT_EQ(record.Text, "");
  EXPECT_EQ(record.NewRowCount, 2);
  editor.Undo();
  EXPECT_EQ(RowDump(editor), (Dump{"a|B"}));
  editor.Redo();
  EXPECT_EQ(RowDump(editor), (Dump{"a|B", "b|B", "c|B"}));
  editor.Undo();
  editor.Redo();
  EXPECT_EQ(editor.Lines().Text(), "a\r\nb\r\nc\r\n");
}

TEST(Undo, ARowListWithoutEditorsKeepsItsHistory) {
  TEditorScreenStrings rows;
  rows.ReplaceText(0, 0, "abc\r\n");
  rows.ReplaceText(0, 1, "xyz");
  rows.Undo();
  EXPECT_EQ(rows.Text(), "abc\r\n");
  rows.Undo();
  EXPECT_EQ(rows.Count(), 0);
  rows.Redo();
  rows.Redo();
  EXPECT_EQ(rows.Text(), "xyz");
}

TEST(Undo, TheHistoryIsEmptiedByLoadingClearingAndSwitchingWrap) {
  TEditor editor;
  editor.Lines().SetText("abc");
  Type(editor, "x");
  editor.Lines().SetText("abc");
  EXPECT_FALSE(editor.CanUndo());
  Type(editor, "x");
  editor.Lines().Clear();
  EXPECT_FALSE(editor.CanUndo());
  editor.Lines().SetText("abc");
  Type(editor, "x");
  editor.SetWordWrap(true);
  EXPECT_FALSE(editor.CanUndo());
}

}  // namespace
}  // namespace editor
