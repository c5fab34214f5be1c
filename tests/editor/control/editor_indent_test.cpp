// Indentation as a user meets it at the keyboard: what Return and Shift+Return put at the start of the
// new line, how Backspace un-indents, and that undo takes each back in one step.
#include <gtest/gtest.h>

#include <string>

#include "support/editor_test_support.h"
#include "support/key_driver.h"

namespace editor {
namespace {

using test::RowDump;
using test::TKeyDriver;
using Caret = std::pair<int, int>;

const std::string kWide = "\x81\x40";  // the full-width space

// A driver with AutoIndent on (the note window has it off).
TKeyDriver& Indenting(TKeyDriver& d) {
  d.Editor.Caret().SetAutoIndent(true);
  return d;
}

// Undo must restore the loaded text in exactly one step.
void ExpectOneUndoStep(TKeyDriver& d, const std::string& loaded) {
  ASSERT_TRUE(d.Editor.CanUndo());
  d.Editor.Undo();
  EXPECT_EQ(d.Text(), loaded);
  EXPECT_FALSE(d.Editor.CanUndo());
}

TEST(AutoIndent, ReturnCopiesTheLinesIndentationOnlyWhenOn) {
  const std::string text = "    abc\r\n";
  TKeyDriver off;
  off.Load(text).At(0, 7).Char(kCharReturn);
  EXPECT_EQ(off.Text(), "    abc\r\n\r\n");
  EXPECT_EQ(off.Caret(), Caret(1, 0));

  TKeyDriver d;
  Indenting(d).Load(text).At(0, 7).Char(kCharReturn);
  EXPECT_EQ(d.Text(), "    abc\r\n    \r\n");
  EXPECT_EQ(d.Caret(), Caret(1, 4));
  ExpectOneUndoStep(d, text);

  // Splitting the text: the moved part follows the indentation.
  d.Load(text).At(0, 5).Char(kCharReturn);
  EXPECT_EQ(d.Text(), "    a\r\n    bc\r\n");
  EXPECT_EQ(d.Caret(), Caret(1, 4));
  EXPECT_EQ(d.Editor.SelStart(), 11);

  // Shift+Return opens an indented line above, the caret after its indentation.
  d.Load(text).At(0, 7).Char(kCharReturn, ssShift);
  EXPECT_EQ(d.Text(), "    \r\n    abc\r\n");
  EXPECT_EQ(d.Caret(), Caret(0, 4));
  ExpectOneUndoStep(d, text);
}

TEST(AutoIndent, CaretInsideTheWhiteSpaceKeepsTheTextWhereItWas) {
  TKeyDriver d;
  Indenting(d).Load("    abc\r\n").At(0, 2).Char(kCharReturn);
  EXPECT_EQ(d.Text(), "  \r\n    abc\r\n");
  EXPECT_EQ(d.Caret(), Caret(1, 2));
  d.Load("\tabc\r\n").At(0, 0).Char(kCharReturn);
  EXPECT_EQ(d.Text(), "\r\n\tabc\r\n");
  EXPECT_EQ(d.Caret(), Caret(1, 0));
}

TEST(AutoIndent, AContinuationRowTakesTheIndentationOfItsLinesFirstRow) {
  TKeyDriver d(true, 20);
  const std::string line = "  " + std::string(25, 'a') + "\r\n";
  Indenting(d).Load(line);
  ASSERT_EQ(RowDump(d.Editor).size(), 2u);
  d.At(1, 3).Char(kCharReturn);
  EXPECT_EQ(d.Text(), "  " + std::string(21, 'a') + "\r\n  " + std::string(4, 'a') + "\r\n");
  EXPECT_EQ(d.Caret(), Caret(2, 2));
  ExpectOneUndoStep(d, line);
}

TEST(AutoIndent, TabIndentAndFullWidthSpacesMeasureInColumns) {
  TKeyDriver d;
  Indenting(d).Load("\t  x\r\n").At(0, 11).Char(kCharReturn);
  EXPECT_EQ(d.Text(), "\t  x\r\n          \r\n");  // ten columns as spaces
  EXPECT_EQ(d.Caret(), Caret(1, 10));

  d.Editor.Caret().SetTabIndent(true);
  d.Load("\t  x\r\n").At(0, 11).Char(kCharReturn);
  EXPECT_EQ(d.Text(), "\t  x\r\n\t  \r\n");
  EXPECT_EQ(d.Caret(), Caret(1, 10));
  d.Editor.Caret().SetTabSpaceCount(4);
  d.Load("          x\r\n").At(0, 11).Char(kCharReturn);
  EXPECT_EQ(d.Text(), "          x\r\n\t\t  \r\n");
  EXPECT_EQ(d.Caret(), Caret(1, 10));
  ExpectOneUndoStep(d, "          x\r\n");

  d.Editor.Caret().SetTabIndent(false);
  d.Load(kWide + "x\r\n").At(0, 3).Char(kCharReturn);
  EXPECT_EQ(d.Text(), kWide + "x\r\n  \r\n");  // two columns
  EXPECT_EQ(d.Caret(), Caret(1, 2));
  d.Editor.Caret().SetTabIndent(true);
  d.Editor.Caret().SetTabSpaceCount(2);
  d.Load(kWide + kWide + "x\r\n").At(0, 5).Char(kCharReturn);
  EXPECT_EQ(d.Text(), kWide + kWide + "x\r\n\t\t\r\n");
}

TEST(AutoIndent, PrevSpaceIndentBorrowsTheNearestIndentedLineAtColumnZero) {
  TKeyDriver d;
  Indenting(d).Load("    a\r\n\r\n").At(1, 0).Char(kCharReturn);
  EXPECT_EQ(d.Text(), "    a\r\n\r\n\r\n");  // off: nothing borrowed

  d.Editor.Caret().SetPrevSpaceIndent(true);
  d.Load("    a\r\n\r\n").At(1, 0).Char(kCharReturn);
  EXPECT_EQ(d.Text(), "    a\r\n\r\n    \r\n");
  EXPECT_EQ(d.Caret(), Caret(2, 4));
  ExpectOneUndoStep(d, "    a\r\n\r\n");

  // Unindented lines in between are passed over.
  d.Load("  a\r\nb\r\n\r\n").At(2, 0).Char(kCharReturn);
  EXPECT_EQ(d.Text(), "  a\r\nb\r\n\r\n  \r\n");
  // Only at column 0: elsewhere on an unindented line nothing is borrowed.
  d.Load("    a\r\nb\r\n").At(1, 1).Char(kCharReturn);
  EXPECT_EQ(d.Text(), "    a\r\nb\r\n\r\n");
  // A line with its own indentation keeps it rather than gaining a borrowed one.
  d.Load("    a\r\n  c\r\n").At(1, 0).Char(kCharReturn);
  EXPECT_EQ(d.Text(), "    a\r\n\r\n  c\r\n");
  EXPECT_EQ(d.Caret(), Caret(2, 0));
}

TEST(BackSpaceUnIndent, StepsBackToEachEarlierLessIndentedLine) {
  const std::string text = "x\r\n    y\r\n        z\r\n";
  TKeyDriver d;
  d.Editor.Caret().SetBackSpaceUnIndent(true);
  d.Load(text).At(2, 8).Char(kCharBackspace);
  EXPECT_EQ(d.Text(), "x\r\n    y\r\n    z\r\n");
  EXPECT_EQ(d.Caret(), Caret(2, 4));
  d.Char(kCharBackspace);
  EXPECT_EQ(d.Text(), "x\r\n    y\r\nz\r\n");
  EXPECT_EQ(d.Caret(), Caret(2, 0));
  d.Editor.Undo();
  EXPECT_EQ(d.Text(), "x\r\n    y\r\n    z\r\n");
  d.Editor.Undo();
  EXPECT_EQ(d.Text(), text);
  EXPECT_FALSE(d.Editor.CanUndo());

  // Away from the end of the white space Backspace deletes one character as ever.
  d.Load(text).At(2, 9).Char(kCharBackspace);
  EXPECT_EQ(d.Text(), "x\r\n    y\r\n        \r\n");
  d.Load(text).At(2, 5).Char(kCharBackspace);
  EXPECT_EQ(d.Text(), "x\r\n    y\r\n       z\r\n");
}

TEST(BackSpaceUnIndent, BlankRowsTabsAndFullWidthSpaces) {
  TKeyDriver d;
  d.Editor.Caret().SetBackSpaceUnIndent(true);
  // A row of white space only un-indents from anywhere inside it; blank rows set no level.
  d.Load("    a\r\n\r\n        \r\n").At(2, 8).Char(kCharBackspace);
  EXPECT_EQ(d.Text(), "    a\r\n\r\n    \r\n");
  EXPECT_EQ(d.Caret(), Caret(2, 4));
  d.Load("    a\r\n        \r\n").At(1, 6).Char(kCharBackspace);
  EXPECT_EQ(d.Text(), "    a\r\n      \r\n");
  EXPECT_EQ(d.Caret(), Caret(1, 4));
  ExpectOneUndoStep(d, "    a\r\n        \r\n");

  // A tab reaching past the level goes, spaces make up the difference.
  d.Load("  a\r\n\tb\r\n").At(1, 8).Char(kCharBackspace);
  EXPECT_EQ(d.Text(), "  a\r\n  b\r\n");
  EXPECT_EQ(d.Caret(), Caret(1, 2));
  // A full-width space is two columns and goes whole.
  d.Load(kWide + "a\r\n" + kWide + kWide + "b\r\n").At(1, 4).Char(kCharBackspace);
  EXPECT_EQ(d.Text(), kWide + "a\r\n" + kWide + "b\r\n");
  EXPECT_EQ(d.Caret(), Caret(1, 2));
}

}  // namespace
}  // namespace editor
