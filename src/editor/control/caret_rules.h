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

// Moves the caret's column (of a row with column map `map`) off second bytes and tab fills, towards
// `direction` (vertical moves go left), within the row as FreeCaret, KeepCaret and FreeRow say, and
// off the end of a wrapped row.
void AdjustCaretCol(TCaret& caret, std::string_view map, const TEditorScreenStrings& rows, const TCaretRules& rules,
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
