// The caret as a value, and the rules that move it over const rows: keeping it off the second byte of
// a character and off a tab's fill, and walking rows by byte offsets.
#pragma once

#include <string_view>

#include "editor/props/editor_caret.h"

namespace editor {

class TEditorScreenStrings;

// Where the caret stands: a row (0 .. CaretRowLimit) and a column of that row's column map, with the
// column a vertical move had to give up (KeepCaret), -1 when none.
struct TCaret {
  int Row = 0;
  int Col = 0;
  int RememberedCol = -1;
};

// What the column rules depend on besides the rows.
struct TCaretRules {
  TCaretOptions Options;
  bool WordWrap = false;
  int WrapByte = 80;
};

// The view shows columns up to here. The caret's column goes on past it on a longer row (its offset
// must, so typing and selections keep to the text); it stops here only beyond the text (FreeCaret).
inline constexpr int kShownCols = 1000;

// What the caret rules read of the caret's row: its width, and which columns below it are the second
// byte of a character or a tab's fill.
class TCaretRow {
 public:
  // From the row's column map, of the whole row or of at least two columns past the caret.
  static TCaretRow OfMap(std::string_view map) { return TCaretRow(map, false, static_cast<int>(map.size())); }
  // From the row's text when its bytes hold no tab up to two columns past the caret: each of them is one
  // column, so no map is needed however far the caret stands. The byte length stands for the width: it
  // is the width when the row holds no tab at all, and otherwise lies past every column the rules read.
  static TCaretRow OfTabFreeText(std::string_view text) { return TCaretRow(text, true, static_cast<int>(text.size())); }

  int Width() const { return FWidth; }
  bool Trail(int col) const;
  bool TabFill(int col) const;

 private:
  TCaretRow(std::string_view bytes, bool text, int width) : FBytes(bytes), FText(text), FWidth(width) {}

  std::string_view FBytes;  // the map, or the text
  bool FText;
  int FWidth;
};

// Moves the caret's column off second bytes and tab fills, towards `direction` (vertical moves go left),
// within the row as FreeCaret, KeepCaret and FreeRow say, and off the end of a wrapped row.
void AdjustCaretCol(TCaret& caret, const TCaretRow& row, const TEditorScreenStrings& rows, const TCaretRules& rules,
                    int direction, bool vertical);

// What a row adds to a byte offset: its length, plus 2 for a line break, plus 1 for the end of a text
// without a final break; 0 for a row outside the list.
int RowSpan(const TEditorScreenStrings& rows, int row);

// The row `offset` bytes after the start of `fromRow` falls in, walking rows as PlaceCaret does, and
// the bytes left over in that row. Past the last row: PastEnd, and the row the caret would take.
struct TRowAtOffset {
  int Row = 0;
  int Rest = 0;
  bool PastEnd = false;
};
TRowAtOffset RowAtOffset(const TEditorScreenStrings& rows, int fromRow, int offset);

}  // namespace editor
