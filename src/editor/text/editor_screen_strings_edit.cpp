// ReplaceText, the one operation every edit of the text ends in, and the row moves it is made of.
#include <algorithm>

#include "editor/text/editor_screen_strings.h"
#include "editor/text/editor_undo_obj.h"

namespace editor {

namespace {

bool EndsWithLineBreak(std::string_view text) { return !text.empty() && (text.back() == '\n' || text.back() == '\r'); }

}  // namespace

int TEditorScreenStrings::RewrapStart(int startRow) const {
  const int count = Count();
  int lineStart = LineStartRow(startRow);
  // Appending after a text without a final break continues its last line.
  if (startRow == count && count > 0 && RowAttribute(count - 1) == raEnd) lineStart = LineStartRow(count - 1);
  int first = std::max(lineStart, startRow - 1);
  if (!FWordWrap) return first;
  // A row's cut looks at most WrapByte + 3 columns (bytes, at the least) from its start, one more for the
  // partner of a lead byte. Rows of the same line that close to the edit may be cut differently now, so
  // re-wrap them too; WordBreak can leave rows as short as WrapByte / 3, so this can be a few rows.
  const std::size_t reach = static_cast<std::size_t>(FWrapOption->WrapByte()) + 4;
  std::size_t bytes = 0;
  for (int row = first; row < startRow && row < count; ++row) bytes += RowText(row).size();
  while (first > lineStart) {
    const std::size_t withPrevious = bytes + RowText(first - 1).size();
    if (withPrevious >= reach) break;
    --first;
    bytes = withPrevious;
  }
  return first;
}

void TEditorScreenStrings::ReplaceText(int startRow, int rowCount, std::string_view text) {
  text = CutAtNul(text);
  const int count = Count();
  if (startRow < 0 || rowCount < 0 || startRow + rowCount > count || (rowCount == 0 && text.empty())) return;

  const int first = RewrapStart(startRow);
  const int editEnd = startRow + rowCount - 1;
  int last = LineEndRow(editEnd);
  BeginUpdate();

  if (LineStartRow(startRow) == startRow && first == startRow && last == editEnd && text.empty() && rowCount > 0) {
    // Whole lines deleted: nothing to re-wrap.
    TUndoData& record = FUndoObj->NewRecord();
    record.StartRow = startRow;
    int taken;
    GetRowsText(startRow, rowCount, record.LastAttribute, taken, record.Text);
    record.NewRowCount = 0;
    MergeDeletedMarks(DeleteRows(startRow, rowCount), startRow);
    const int changed = UpdateStates(startRow, true);
    NoteUpdate(startRow, rowCount, 0, changed);
    EndUpdate();
    return;
  }

  TRowAttribute lastAttribute;
  if (editEnd < last && last < count) {
    lastAttribute = RowAttribute(last);  // the edit ends inside a wrapped line
  } else if (last == count - 1) {
    lastAttribute = EndsWithLineBreak(text) ? raBreak : raEnd;
  } else {
    // Text inserted before a line joins it (when it has no final break of its own).
    last = LineEndRow(last + 1);
    lastAttribute = RowAttribute(last);
  }

  TUndoData& record = FUndoObj->NewRecord();
  record.StartRow = first;
  int taken;
  GetRowsText(first, last - first + 1, record.LastAttribute, taken, record.Text);

  std::string newText = RowsText(first, startRow - first);
  newText += text;
  newText += RowsText(editEnd + 1, last - editEnd);
  // A break typed in front of the empty row that ends a text without a final break leaves nothing after
  // the break: the text now ends with it.
  if (lastAttribute == raEnd && EndsWithLineBreak(newText)) lastAttribute = raBreak;
  TEditorStringList rows;
  if (!newText.empty()) {
    SplitToRows(newText, rows);
    rows.SetRowAttribute(rows.Count() - 1, lastAttribute);
  }  // else nothing is left at all, and an empty text has no rows
  record.NewRowCount = rows.Count();

  const TRowsWatcher* active = ActiveWatcher();
  ReplaceRowsKeepingMarks(first, last - first + 1, rows, startRow - first, last - editEnd,
                          active && active->CaretPos().Col == 0);
  const int changed = UpdateStates(first, true);
  NoteUpdate(first, last - first + 1, rows.Count(), changed);
  EndUpdate();
}

void TEditorScreenStrings::ReplaceRows(int startRow, int rowCount, const TEditorStringList& source) {
  const int count = Count();
  if (startRow < 0 || startRow > count || rowCount < 0) return;
  rowCount = std::min(rowCount, count - startRow);
  const int newCount = source.Count();
  BeginUpdate();
  if (newCount > rowCount) InsertItems(startRow + rowCount, newCount - rowCount);
  if (newCount < rowCount) DeleteItems(startRow + newCount, rowCount - newCount);
  for (int i = 0; i < newCount; ++i) ItemAt(startRow + i) = source.Item(i);
  EndUpdate();
}

TRowMarks TEditorScreenStrings::DeleteRows(int startRow, int rowCount) {
  const int count = Count();
  if (startRow < 0 || startRow >= count || rowCount <= 0) return 0;
  rowCount = std::min(rowCount, count - startRow);
  TRowMarks marks = 0;
  for (int row = startRow; row < startRow + rowCount; ++row) marks = static_cast<TRowMarks>(marks | RowMarks(row));
  BeginUpdate();
  DeleteItems(startRow, rowCount);
  EndUpdate();
  return marks;
}

void TEditorScreenStrings::MergeDeletedMarks(TRowMarks marks, int row) {
  if (marks == 0) return;
  if (Count() == 0) {
    ExcludeListMarks(marks);
    return;
  }
  row = std::min(row, Count() - 1);
  SetRowMarks(row, static_cast<TRowMarks>(RowMarks(row) | marks));
}

void TEditorScreenStrings::ReplaceRowsKeepingMarks(int startRow, int rowCount, const TEditorStringList& source,
                                                   int keptBefore, int keptAfter, bool pushDown) {
  rowCount = std::clamp(rowCount, 0, std::max(0, Count() - startRow));
  std::vector<TRowMarks> oldMarks;
  bool anyMarks = false;
  for (int row = startRow; row < startRow + rowCount; ++row) {
    oldMarks.push_back(RowMarks(row));
    anyMarks = anyMarks || oldMarks.back() != 0;
  }
  ReplaceRows(startRow, rowCount, source);
  if (!anyMarks) return;

  const int newCount = source.Count();
  TRowMarks all = 0;
  for (TRowMarks marks : oldMarks) all = static_cast<TRowMarks>(all | marks);
  if (newCount == 0) {
    MergeDeletedMarks(all, startRow);
    return;
  }
  // Rows kept in front of the change stay where they were, rows kept behind it stay at the end, and the
  // rows whose text was replaced hand their marks to the row where the new text begins (pushed down
  // with the text when lines were typed in at the start of a row).
  const int added = std::max(0, newCount - rowCount);
  std::vector<TRowMarks> newMarks(static_cast<std::size_t>(newCount), 0);
  for (int j = 0; j < rowCount; ++j) {
    int target;
    if (j < keptBefore) {
      target = j;
    } else if (j >= rowCount - keptAfter) {
      target = newCount - (rowCount - j);
    } else {
      target = keptBefore + (pushDown ? added : 0);
    }
    target = std::clamp(target, 0, newCount - 1);
    newMarks[static_cast<std::size_t>(target)] |= oldMarks[static_cast<std::size_t>(j)];
  }
  for (int i = 0; i < newCount; ++i) SetRowMarks(startRow + i, newMarks[static_cast<std::size_t>(i)]);
}

}  // namespace editor
