// Cutting again the rows an edit reaches: from the first row the edit may move, through the new text,
// until a new row starts where an old one did (from there on the old rows are what a full re-wrap gives).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "editor/text/editor_screen_strings.h"
#include "editor/text/row_store.h"

namespace editor {

// The new rows of an edit, and the buffers that make them (kept from edit to edit).
struct TRecut {
  TRowChunk Rows;  // from the anchor row on, each with its RowAttribute and nothing else in its words
  int OldEnd = 0;  // they take the place of the old rows [anchor, OldEnd)

  struct TOldStart {
    std::size_t Offset;  // where an old row starts in NewText
    int Row;
    bool MidLine;  // the row before it was cut off by the wrap
  };
  std::string NewText;
  std::vector<TOldStart> OldStarts;
};

// rows: the rows as they stand before the edit, a full re-wrap of their text. The bytes between start and
// end give way to inserted (line breaks as CR LF); anchor is EditAnchorRow of start's row. Reads only as
// many rows after the edit as the cutting needs, so an edit in a long line costs the rows it moves.
void RecutRows(const TEditorScreenStrings& rows, int anchor, TTextPos start, TTextPos end, std::string_view inserted,
               TRecut& result);

}  // namespace editor
