// The caret's conversions between columns and byte indexes, which skip the column map before a row's
// first tab, against the row's whole map, and a column's offset placing the caret back on it: random rows
// with and without tabs, double-byte characters (some with both bytes in the lead range, so the runs of
// lead-range bytes are long), lone lead bytes, and rows long enough for the caret to stand past column 1000.
#include <gtest/gtest.h>

#include <string>

#include "editor/control/caret_rules.h"
#include "editor/control/editor.h"
#include "editor/text/column_map.h"
#include "editor/text/editor_screen_strings.h"
#include "support/random_text.h"

namespace editor {
namespace {

std::string RandomRows(test::TRandomText& random, bool tabs) {
  std::string text;
  for (int line = random.Between(1, 3); line > 0; --line) {
    const int pieces = random.Chance(40) ? random.Between(300, 700) : random.Below(30);
    for (int i = 0; i < pieces; ++i) {
      switch (random.Below(tabs ? 6 : 5)) {
        case 0:
          text += random.DoubleByte();
          break;
        case 1:  // a run whose every byte is in the lead range
          for (int n = random.Between(1, 40); n > 0; --n) text += "\x88\x9F";
          break;
        case 2:
          text += "\x82";  // a lone lead byte, paired with whatever follows
          break;
        case 5:
          text += '\t';
          break;
        default:
          text += random.Word(6);
      }
    }
    text += "\r\n";
  }
  return text;
}

// Where the caret stands on `row` at `col` once the caret rules have read the row's whole map.
int AdjustedByWholeMap(const TEditor& editor, int row, int col, int direction, const std::string& map) {
  TCaret caret{row, col, -1};
  const TEditorScreenStrings& rows = editor.ListInfo();
  AdjustCaretCol(caret, TCaretRow::OfMap(map), rows,
                 {editor.CaretOptions(), rows.WordWrap(), rows.WrapOption().WrapByte()}, direction, false);
  return caret.Col;
}

TEST(CaretColumns, AgreeWithTheRowsWholeColumnMap) {
  test::TRandomText random(2026);
  for (int round = 0; round < 60; ++round) {
    TEditor editor;
    editor.SetWordWrap(random.Chance(25));
    TCaretOptions options = editor.CaretOptions();
    options.FreeCaret = random.Chance(50);
    options.InTab = random.Chance(30);
    editor.Caret().SetOptions(options);
    editor.Caret().SetTabSpaceCount(2 * random.Between(1, 4));
    editor.Lines().SetText(RandomRows(random, random.Chance(50)));
    const TEditorScreenStrings& rows = editor.ListInfo();
    for (int row = 0; row < rows.Count(); ++row) {
      const std::string map = editor.RowMap(row);
      const int width = static_cast<int>(map.size());
      const int length = static_cast<int>(rows.RowText(row).size());
      const int offset = editor.CaretOffset(0, row, 0);
      for (int sample = 0; sample < 40; ++sample) {
        // Around the row's end and the view's last column as often as anywhere else.
        const int col = random.Chance(30)   ? width - 3 + random.Below(7)
                        : random.Chance(20) ? 997 + random.Below(7)
                                            : random.Below(width + 4);
        if (col < 0) continue;
        SCOPED_TRACE(testing::Message() << "round " << round << " row " << row << " col " << col);
        ASSERT_EQ(editor.ByteIndexOfCol(row, col), ByteIndexOfColumn(map, col));
        // A column where a character starts names an offset that puts the caret back there.
        const char code = col < width ? map[static_cast<std::size_t>(col)] : colTrail;
        if (code != colTrail && code != colTabFill) {
          editor.PlaceCaret(0, editor.CaretOffset(0, row, col));
          ASSERT_EQ(std::make_pair(editor.Row(), editor.Col()), std::make_pair(row, col));
        }
        const int from = random.Below(width + 1);
        editor.SetRow(row);
        editor.SetCol(from);
        const int direction = col > editor.Col() ? 1 : -1;
        editor.SetCol(col);
        ASSERT_EQ(editor.Col(), AdjustedByWholeMap(editor, row, col, direction, map)) << "from " << from;
        if (col <= length + 1) {
          editor.PlaceCaret(0, offset + col);
          if (editor.Row() == row) {
            ASSERT_EQ(editor.Col(), AdjustedByWholeMap(editor, row, ColumnOfByteIndex(map, col), 1, map));
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace editor
