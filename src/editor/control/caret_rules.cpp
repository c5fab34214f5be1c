// The caret's column rules and the walk from byte offsets to rows.
#include "editor/control/caret_rules.h"

#include <algorithm>

#include "editor/text/column_map.h"
#include "editor/text/editor_screen_strings.h"

namespace editor {

bool TCaretRow::Trail(int col) const {
  if (col < 0 || col >= FWidth) return false;
  const auto at = static_cast<std::size_t>(col);
  return FText ? col > 0 && !CharacterStartsAt(FBytes, at) : FBytes[at] == colTrail;
}

bool TCaretRow::TabFill(int col) const {
  return !FText && col >= 0 && col < FWidth && FBytes[static_cast<std::size_t>(col)] == colTabFill;
}

void AdjustCaretCol(TCaret& caret, const TCaretRow& row, const TEditorScreenStrings& rows, const TCaretRules& rules,
                    int direction, bool vertical) {
  const TCaretOptions& options = rules.Options;
  const int width = row.Width();
  const auto offCharacterInside = [&](int step) {
    if (row.Trail(caret.Col)) caret.Col += step;
    if (!options.InTab)
      while (row.TabFill(caret.Col)) caret.Col += step;
  };

  if (!vertical) {
    caret.RememberedCol = -1;
  } else if (caret.RememberedCol >= 0) {
    caret.Col = caret.RememberedCol;
  }
  if (!options.FreeCaret && caret.Col > width) {
    if (options.KeepCaret && vertical && caret.RememberedCol < 0) caret.RememberedCol = caret.Col;
    if (!(options.FreeRow && vertical)) caret.Col = width;
  }
  offCharacterInside(vertical ? -1 : direction);

  if (rules.WordWrap && caret.Col >= width && caret.Row < rows.Count()) {
    if (rows.RowAttribute(caret.Row) == raWrap) {
      // The end of a wrapped row is the same text position as the start of the next row.
      caret.Col = std::max(0, width - 1);
    } else if (caret.Col >= rules.WrapByte) {
      caret.Col = std::max(width, rules.WrapByte - 1);
    }
    offCharacterInside(-1);
  }
  if (caret.Col > width && caret.Col > kShownCols) caret.Col = std::max(width, kShownCols);
  caret.Col = std::max(caret.Col, 0);
}

int RowSpan(const TEditorScreenStrings& rows, int row) {
  if (row < 0 || row >= rows.Count()) return 0;
  const TRowAttribute attribute = rows.RowAttribute(row);
  return static_cast<int>(rows.RowText(row).size()) + (attribute == raBreak ? 2 : attribute == raEnd ? 1 : 0);
}

TRowAtOffset RowAtOffset(const TEditorScreenStrings& rows, int fromRow, int offset) {
  const int count = rows.Count();
  int row = std::max(fromRow, 0);
  int rest = std::max(offset, 0);
  while (row < count) {
    const int span = RowSpan(rows, row);
    if (span > rest || rows.RowAttribute(row) == raEnd) return {row, rest, false};
    rest -= span;
    ++row;
  }
  return {std::min(count, rows.CaretRowLimit()), rest, true};
}

}  // namespace editor
