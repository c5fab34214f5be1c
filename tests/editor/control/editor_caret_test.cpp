// The caret: row and column clamping, keeping off second bytes and tab fills, and offsets.
#include <gtest/gtest.h>

#include <string>

#include "editor/control/editor.h"
#include "editor/text/editor_screen_strings.h"
#include "support/editor_test_support.h"

namespace editor {
namespace {

using test::kA;

// The note window's caret: no free caret.
class CaretTest : public ::testing::Test {
 protected:
  CaretTest() { editor.Caret().SetFreeCaret(false); }
  TEditor editor;
};

TEST_F(CaretTest, RowStaysWithinTheRowsAndTheVirtualRowAfterAFinalBreak) {
  editor.SetRow(5);
  EXPECT_EQ(editor.Row(), 0);
  editor.Lines().SetText("a\r\nb\r\n");
  editor.SetRow(9);
  EXPECT_EQ(editor.Row(), 2);
  editor.SetRow(-3);
  EXPECT_EQ(editor.Row(), 0);
  editor.Lines().SetText("a\r\nb");
  editor.SetRow(9);
  EXPECT_EQ(editor.Row(), 1);
}

TEST_F(CaretTest, ColumnStopsAtTheRowEndAndVerticalMovesLandWithinTheRow) {
  editor.Lines().SetText("long line\r\nab\r\n");
  editor.SetCol(50);
  EXPECT_EQ(editor.Col(), 9);
  editor.SetRow(1);
  EXPECT_EQ(editor.Col(), 2);
  editor.SetRow(0);
  EXPECT_EQ(editor.Col(), 2);  // not remembered without KeepCaret
  editor.SetRow(2);
  EXPECT_EQ(editor.Col(), 0);
}

TEST_F(CaretTest, KeepCaretRemembersTheColumnAVerticalMoveGaveUp) {
  editor.Caret().SetKeepCaret(true);
  editor.Lines().SetText("long line\r\nab\r\nanother line\r\n");
  editor.SetCol(7);
  editor.SetRow(1);
  EXPECT_EQ(editor.Col(), 2);
  editor.SetRow(2);
  EXPECT_EQ(editor.Col(), 7);
  editor.SetCol(3);  // a horizontal move forgets it; the next clamped vertical move remembers anew
  editor.SetRow(1);
  editor.SetRow(0);
  EXPECT_EQ(editor.Col(), 3);
}

TEST_F(CaretTest, NeverOnASecondByte) {
  editor.Lines().SetText("x" + std::string(kA) + "y\r\nabcdef\r\n");
  editor.SetCol(1);
  editor.SetCol(2);  // moving right onto the second byte: after the character
  EXPECT_EQ(editor.Col(), 3);
  editor.SetCol(2);  // moving left onto it: before the character
  EXPECT_EQ(editor.Col(), 1);
  editor.SetRow(1);
  editor.SetCol(2);
  editor.SetRow(0);  // moving up onto it: before the character
  EXPECT_EQ(editor.Col(), 1);
}

TEST_F(CaretTest, NeverInATabFill) {
  editor.Lines().SetText("a\tb\r\n");  // 1 2333333 1
  editor.SetCol(3);
  EXPECT_EQ(editor.Col(), 8);
  editor.SetCol(5);
  EXPECT_EQ(editor.Col(), 1);
  editor.Caret().SetInTab(true);
  editor.SetCol(5);
  EXPECT_EQ(editor.Col(), 5);
}

TEST_F(CaretTest, WithWordWrapTheEndOfAWrappedRowIsTheStartOfTheNext) {
  editor.SetWordWrap(true);
  editor.Lines().SetText(std::string(78, 'x') + std::string(kA) + "tail\r\n");
  ASSERT_EQ(editor.ListInfo().RowText(0).size(), 80u);
  editor.SetCol(80);
  EXPECT_EQ(editor.Col(), 78);  // before the last character, a double-byte one here
  editor.SetRow(1);
  editor.SetCol(4);
  EXPECT_EQ(editor.Col(), 4);  // a row that ends its line keeps its end
}

TEST_F(CaretTest, ColumnsStopAt1000) {
  editor.Caret().SetFreeCaret(true);
  editor.Lines().SetText("ab\r\n");
  editor.SetCol(5000);
  EXPECT_EQ(editor.Col(), 1000);
  editor.Lines().SetText(std::string(999, 'x') + std::string(kA) + "\r\n");
  editor.SetCol(1001);
  EXPECT_EQ(editor.Col(), 999);  // 1000 is the second byte of a character
}

TEST_F(CaretTest, PlaceCaretWalksRowsByByteOffsets) {
  editor.SetWordWrap(true);
  editor.Lines().SetText(std::string(100, 'a') + "\r\n\tb\r\nend");
  // Rows: 80 a (wrapped), 20 a, "\tb", "end" (no final break).
  editor.PlaceCaret(0, 80);
  EXPECT_EQ(editor.Row(), 1);  // a wrap boundary: the start of the next row
  EXPECT_EQ(editor.Col(), 0);
  editor.PlaceCaret(0, 102);
  EXPECT_EQ(editor.Row(), 2);
  editor.PlaceCaret(2, 1);
  EXPECT_EQ(editor.Col(), 8);  // after the tab and its fill
  editor.PlaceCaret(0, 1000);
  EXPECT_EQ(editor.Row(), 3);  // stops in the last row of a text without a final break
  EXPECT_EQ(editor.Col(), 3);
  EXPECT_EQ(editor.CaretOffset(0, 3, 3), 100 + 2 + 2 + 2 + 3);
  EXPECT_EQ(editor.CaretOffset(1, 2, 8), 22 + 1);

  editor.Lines().SetText("ab\r\n");
  editor.PlaceCaret(0, 4);
  EXPECT_EQ(editor.Row(), 1);  // past the last break: the virtual row
  EXPECT_EQ(editor.Col(), 0);
}

TEST_F(CaretTest, OffsetsAndPlacementAreInverse) {
  editor.SetWordWrap(true);
  editor.WrapOption().SetWrapByte(20);
  std::string text;
  for (int i = 0; i < 30; ++i)
    text +=
        (i % 3 ? std::string(kA) : "w\t") + std::string(static_cast<std::size_t>(i % 5), 'z') + (i % 7 ? "" : "\r\n");
  editor.Lines().SetText(text);
  TEditorScreenStrings& rows = editor.ListInfo();
  for (int row = 0; row < rows.Count(); ++row) {
    const std::string map = editor.RowMap(row);
    for (int col = 0; col < static_cast<int>(map.size()); ++col) {
      if (map[static_cast<std::size_t>(col)] == colTrail || map[static_cast<std::size_t>(col)] == colTabFill) continue;
      editor.PlaceCaret(0, editor.CaretOffset(0, row, col));
      ASSERT_EQ(editor.Row(), row) << col;
      ASSERT_EQ(editor.Col(), col) << row;
    }
  }
}

}  // namespace
}  // namespace editor
