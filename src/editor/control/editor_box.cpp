// Box (rectangular) editing: what a box selection covers on each row, and the edits that act on every
// row of it at once (deleting, typing, Backspace and Delete, pasting a copied box), each one step of
// the undo history.
#include <algorithm>
#include <string>
#include <vector>

#include "editor/control/editor.h"
#include "editor/text/editor_screen_strings.h"
#include "editor/view/hit_test.h"
#include "platform/line_split.h"

namespace editor {

bool TEditor::BoxSelected() const {
  if (FSelection.State() != sstSelected || !FSelection.BoxMode()) return false;
  const TSelectionRange& range = FSelection.Range();
  return range.StartRow < FRows->Count() && (range.StartRow != range.EndRow || range.StartCol != range.EndCol);
}

TBoxRect TEditor::BoxRect() const {
  const TSelectionRange& range = FSelection.Range();
  return {range.StartRow, std::min(range.EndRow, FRows->Count() - 1), std::min(range.StartCol, range.EndCol),
          std::max(range.StartCol, range.EndCol)};
}

TBoxPart TEditor::BoxPart(int row, int left, int right) const {
  const std::string map = RowMap(row);
  const int length = RowLength(row);
  const auto byteAt = [&map, length](int col) { return std::min(ByteIndexOfColumn(map, col), length); };
  return {byteAt(BoxEdgeColumn(map, left)), byteAt(BoxEdgeColumn(map, right))};
}

std::string TEditor::BoxText() const {
  const TBoxRect box = BoxRect();
  std::string text;
  bool any = false;
  for (int row = box.Top; row <= box.Bottom; ++row) {
    const TBoxPart part = BoxPart(row, box.Left, box.Right);
    if (row > box.Top) text += "\r\n";
    text += FRows->RowText(row).substr(static_cast<std::size_t>(part.Start),
                                       static_cast<std::size_t>(part.End - part.Start));
    any = any || part.End > part.Start;
  }
  return any ? text : std::string();
}

void TEditor::EditBox(const TBoxEdit& edit) {
  const int count = FRows->Count();
  const int lastRow = std::min(edit.Top + edit.Rows - 1, count - 1);
  const auto lineOf = [&edit](int i) {
    return i < static_cast<int>(edit.Lines.size()) ? edit.Lines[static_cast<std::size_t>(i)] : std::string();
  };
  std::string text;
  int caretAt = 0;  // where in text the caret goes: after the line put into the caret's row
  bool changed = false;
  for (int row = edit.Top; row <= lastRow; ++row) {
    const std::string line = lineOf(row - edit.Top);
    std::string rowText = FRows->RowText(row);
    TBoxPart part = edit.Part(row);
    const int width = RowWidth(row);
    if (!line.empty() && width < edit.Col) {  // a row that ends before the box reaches it with spaces
      rowText.append(static_cast<std::size_t>(edit.Col - width), ' ');
      part = {static_cast<int>(rowText.size()), static_cast<int>(rowText.size())};
    }
    changed = changed || part.End > part.Start || !line.empty();
    rowText.replace(static_cast<std::size_t>(part.Start), static_cast<std::size_t>(part.End - part.Start), line);
    if (row - edit.Top == edit.CaretRow)
      caretAt = static_cast<int>(text.size()) + part.Start + static_cast<int>(line.size());
    text += rowText;
    if (FRows->RowAttribute(row) == raBreak) text += "\r\n";
  }
  // Lines left over go into new rows after the last one; the text keeps ending as it did.
  const int firstNew = std::max(edit.Top, lastRow + 1);
  const bool endsWithBreak = count > 0 && FRows->RowAttribute(count - 1) == raBreak;
  for (int i = firstNew - edit.Top; i < static_cast<int>(edit.Lines.size()); ++i) {
    if (i == firstNew - edit.Top && lastRow >= edit.Top && !endsWithBreak) text += "\r\n";
    text.append(static_cast<std::size_t>(edit.Col), ' ');
    text += lineOf(i);
    if (i == edit.CaretRow) caretAt = static_cast<int>(text.size());
    if (endsWithBreak || i + 1 < static_cast<int>(edit.Lines.size())) text += "\r\n";
    changed = true;
  }
  if (!changed) return;
  const int from = edit.Top < count ? FRows->LineStartRow(edit.Top) : count;
  EditRows(edit.Top, std::max(0, lastRow - edit.Top + 1), text, from, OffsetFrom(from, edit.Top, 0) + caretAt);
}

void TEditor::KeepColumnCaret(int top, int bottom) {
  // The box goes on as a column of carets after the edit: what is typed next goes into every row again.
  bottom = std::min(bottom, FRows->CaretRowLimit());
  if (bottom == top) return;
  const std::string map = RowMap(bottom);
  FSelection.Begin({bottom, std::min(ByteIndexOfColumn(map, FCaret.Col), RowLength(bottom)), FCaret.Col});
  ExtendSelection();
}

void TEditor::ReplaceBox(std::string_view line) {
  const TBoxRect box = BoxRect();
  TBoxEdit edit;
  edit.Top = box.Top;
  edit.Rows = box.Bottom - box.Top + 1;
  edit.Col = box.Left;
  edit.Part = [this, box](int row) { return BoxPart(row, box.Left, box.Right); };
  edit.Lines.assign(static_cast<std::size_t>(edit.Rows), std::string(line));
  FSelection.Clear();
  EditBox(edit);
  KeepColumnCaret(box.Top, box.Bottom);
}

void TEditor::BoxCharKey(bool backspace) {
  const TBoxRect box = BoxRect();
  TBoxEdit edit;
  edit.Top = box.Top;
  edit.Rows = box.Bottom - box.Top + 1;
  edit.Col = box.Left;
  // The character before (Backspace) or after (Delete) the column on each row that reaches it.
  edit.Part = [this, box, backspace](int row) {
    const std::string map = RowMap(row);
    const int width = static_cast<int>(map.size());
    const int col = BoxEdgeColumn(map, box.Left);
    const auto inside = [&map](int c) {
      return map[static_cast<std::size_t>(c)] == colTrail || map[static_cast<std::size_t>(c)] == colTabFill;
    };
    int first = col;
    int last = col;
    if (backspace && col > 0 && col <= width) {
      for (first = col - 1; first > 0 && inside(first);) --first;
    } else if (!backspace && col < width) {
      for (last = col + 1; last < width && inside(last);) ++last;
    }
    const int length = RowLength(row);
    return TBoxPart{std::min(ByteIndexOfColumn(map, first), length), std::min(ByteIndexOfColumn(map, last), length)};
  };
  FSelection.Clear();
  EditBox(edit);
  KeepColumnCaret(box.Top, box.Bottom);
}

void TEditor::PasteBox(std::string_view text) {
  if (FReadOnly) return;
  const std::vector<std::string> lines = platform::SplitLines(text);
  if (lines.empty()) return;
  TBoxEdit edit;
  edit.Lines = lines;
  edit.CaretRow = static_cast<int>(lines.size()) - 1;
  if (BoxSelected()) {  // the lines take the box's place: rows of the box without a line lose its part
    const TBoxRect box = BoxRect();
    edit.Top = box.Top;
    edit.Rows = std::max(box.Bottom - box.Top + 1, static_cast<int>(lines.size()));
    edit.Col = box.Left;
    edit.Part = [this, box](int row) { return BoxPart(row, box.Left, row <= box.Bottom ? box.Right : box.Left); };
  } else {
    edit.Top = FCaret.Row;
    edit.Rows = static_cast<int>(lines.size());
    edit.Col = FCaret.Col;
    edit.Part = [this, col = FCaret.Col](int row) { return BoxPart(row, col, col); };
  }
  CleanSelection();
  EditBox(edit);
}

void TEditor::BoxPasteFromClipboard() {
  if (FReadOnly || !FClipboard || !FClipboard->HasText()) return;
  PasteBox(FClipboard->GetText());
}

void TEditor::SelectAllAsBox() {
  // Every row from its first column to the widest row's end.
  int widest = 0;
  for (int row = 0; row < FRows->Count(); ++row) widest = std::max(widest, RowWidth(row));
  CleanSelection();
  FCaret = TCaret{};
  BeginSelection();
  FCaret.Row = std::max(0, FRows->Count() - 1);
  FCaret.Col = widest;
  ExtendSelection();
  ScrollCaret();
}

}  // namespace editor
