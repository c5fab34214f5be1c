// The row marks the control's own menu sets and jumps to.
#include "editor/control/editor.h"
#include "editor/text/editor_screen_strings.h"

namespace editor {
namespace {

constexpr int kMarkCount = 10;

TRowMarks MarkBit(int mark) { return static_cast<TRowMarks>(1u << mark); }

}  // namespace

void TEditor::PutRowMark(int mark) {
  TEditorScreenStrings& rows = *FRows;
  if (mark < 0 || mark >= kMarkCount || FCaret.Row >= rows.Count()) return;
  const TRowMarks bit = MarkBit(mark);
  if (rows.ListMarks() & bit) {
    for (int row = 0; row < rows.Count(); ++row) {
      if (rows.RowMarks(row) & bit) rows.SetRowMarks(row, static_cast<TRowMarks>(rows.RowMarks(row) & ~bit));
    }
  }
  rows.SetRowMarks(FCaret.Row, static_cast<TRowMarks>(rows.RowMarks(FCaret.Row) | bit));
  rows.IncludeListMarks(bit);
}

bool TEditor::RowMarkSet(int mark) const {
  return mark >= 0 && mark < kMarkCount && (FRows->ListMarks() & MarkBit(mark));
}

void TEditor::GotoRowMark(int mark) {
  if (!RowMarkSet(mark)) return;
  const TRowMarks bit = MarkBit(mark);
  for (int row = 0; row < FRows->Count(); ++row) {
    if (FRows->RowMarks(row) & bit) {
      CleanSelection();
      SetRow(row);
      SetCol(0);
      ScrollCaret();
      return;
    }
  }
}

}  // namespace editor
