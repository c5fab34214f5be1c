// ReplaceText, the one operation every edit of the text ends in, the change it is made of, and the row
// moves beside it.
#include <algorithm>

#include "editor/text/editor_screen_strings.h"
#include "editor/text/editor_undo_obj.h"
#include "editor/text/row_recut.h"

namespace editor {

namespace {

// The text with every line break as CR LF, as the rows store it (a view of text when it has no other).
std::string_view StoredBreaks(std::string_view text, std::string& buffer) {
  bool other = false;
  for (std::size_t i = 0; i < text.size() && !other; ++i) {
    if (text[i] == '\n') other = i == 0 || text[i - 1] != '\r';
    if (text[i] == '\r') other = i + 1 == text.size() || text[i + 1] != '\n';
  }
  if (!other) return text;
  buffer.clear();
  buffer.reserve(text.size() + 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      buffer += "\r\n";
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      buffer += text[i];
    }
  }
  return buffer;
}

constexpr std::uint32_t kMarksShift = 16;

TRowMarks MarksOf(const TRowWords& words) { return static_cast<TRowMarks>(words.Attribute2 >> kMarksShift); }

void SetMarks(TRowWords& words, TRowMarks marks) {
  words.Attribute2 = (words.Attribute2 & 0xFFFFu) | (std::uint32_t{marks} << kMarksShift);
}

}  // namespace

TTextPos TEditorScreenStrings::Advance(TTextPos from, int bytes) const {
  const int count = Count();
  TTextPos pos = from;
  int rest = std::max(bytes, 0);
  while (pos.Row < count) {
    const int length = static_cast<int>(RowText(pos.Row).size());
    if (rest <= length - pos.Index) {
      pos.Index += rest;
      return pos;
    }
    const TRowAttribute attribute = RowAttribute(pos.Row);
    if (attribute != raBreak && pos.Row == count - 1) {
      pos.Index = length;  // the end of a text without a final break
      return pos;
    }
    rest -= length - pos.Index + (attribute == raBreak ? 2 : 0);
    pos = {pos.Row + 1, 0};
    if (rest < 0) return pos;  // inside a CR LF: the break goes whole
  }
  return {count, 0};
}

std::string TEditorScreenStrings::TextBetween(TTextPos from, TTextPos to) const {
  std::string text;
  for (TTextPos pos = from; pos.Row < Count() && (pos.Row < to.Row || (pos.Row == to.Row && pos.Index < to.Index));
       pos = {pos.Row + 1, 0}) {
    const std::string_view row = RowText(pos.Row);
    const std::size_t end = pos.Row < to.Row ? row.size() : static_cast<std::size_t>(to.Index);
    text.append(row.substr(static_cast<std::size_t>(pos.Index), end - static_cast<std::size_t>(pos.Index)));
    if (pos.Row < to.Row && RowAttribute(pos.Row) == raBreak) text += "\r\n";
  }
  return text;
}

void TEditorScreenStrings::ReplaceText(int startRow, int rowCount, std::string_view text) {
  text = CutAtNul(text);
  const int count = Count();
  if (startRow < 0 || rowCount < 0 || startRow + rowCount > count || (rowCount == 0 && text.empty())) return;

  // Only what differs from the rows' own text changes: the bytes they share at both ends stay.
  const std::string old = RowsText(startRow, rowCount);
  std::string buffer;
  const std::string_view now = StoredBreaks(text, buffer);
  std::size_t prefix = 0;
  const std::size_t shorter = std::min(old.size(), now.size());
  while (prefix < shorter && old[prefix] == now[prefix]) ++prefix;
  std::size_t suffix = 0;
  while (suffix < shorter - prefix && old[old.size() - 1 - suffix] == now[now.size() - 1 - suffix]) ++suffix;
  // Never between the CR and the LF of a break.
  if (prefix > 0 && old[prefix - 1] == '\r') --prefix;
  if (suffix > 0 && old[old.size() - suffix] == '\n') --suffix;

  const TTextPos start = Advance({startRow, 0}, static_cast<int>(prefix));
  RecordChange(start, Advance(start, static_cast<int>(old.size() - prefix - suffix)),
               now.substr(prefix, now.size() - prefix - suffix));
}

void TEditorScreenStrings::ReplaceBytes(int row, int index, int count, std::string_view text) {
  text = CutAtNul(text);
  if (row < 0 || row > Count() || index < 0 || count < 0 || (count == 0 && text.empty())) return;
  std::string buffer;
  const std::string_view now = StoredBreaks(text, buffer);
  const TTextPos start = Advance({row, 0}, index);
  RecordChange(start, Advance(start, count), now);
}

void TEditorScreenStrings::RecordChange(TTextPos start, TTextPos end, std::string_view inserted) {
  BeginUpdate();
  // The record takes the active editor's caret before the change moves anything.
  TUndoData& record = FUndoObj->NewRecord();
  const TRowsWatcher* active = ActiveWatcher();
  TAppliedChange applied = ApplyChange(start, end, inserted, active && active->CaretPos().Col == 0);
  record.StartRow = applied.StartRow;
  record.Offset = applied.Offset;
  record.NewLength = applied.InsertedLength;
  record.Text = std::move(applied.Removed);
  EndUpdate();
}

bool TEditorScreenStrings::StaysOneRow(int anchor, TTextPos start, TTextPos end, std::string_view inserted) const {
  // Without a tab a byte is one column, and a line of fewer columns than the wrap width is never cut.
  if (anchor != start.Row || RowAttribute(start.Row) == raWrap) return false;
  const std::size_t length = RowText(start.Row).size();
  const std::size_t bytes = length - static_cast<std::size_t>(end.Index - start.Index) + inserted.size();
  return bytes < static_cast<std::size_t>(std::max(FWrapOption->WrapByte(), 0)) &&
         inserted.find('\t') == std::string_view::npos && RowTabFree(start.Row, length);
}

TEditorScreenStrings::TAppliedChange TEditorScreenStrings::ApplyChange(TTextPos start, TTextPos end,
                                                                       std::string_view inserted, bool pushMarksDown) {
  const int count = Count();
  const int anchor = EditAnchorRow(start.Row);
  TAppliedChange applied;
  applied.StartRow = anchor;
  applied.Offset = start.Index;
  for (int row = anchor; row < start.Row; ++row) applied.Offset += static_cast<int>(RowText(row).size());
  applied.Removed = TextBetween(start, end);
  applied.InsertedLength = static_cast<int>(inserted.size());

  // A change inside one row, bringing no break, changes only that row's bytes (unless it empties a last
  // row without a break: a text has no such row) when word wrap is off, or when the row is a whole line
  // that still fits one row.
  const bool inPlace = start.Row == end.Row && start.Row < count && inserted.find('\r') == std::string_view::npos &&
                       !(RowAttribute(start.Row) == raEnd && inserted.empty() &&
                         end.Index - start.Index == static_cast<int>(RowText(start.Row).size())) &&
                       (!FWordWrap || StaysOneRow(anchor, start, end, inserted));
  if (!FRecut) FRecut = std::make_unique<TRecut>();
  TRecut& recut = *FRecut;
  recut.Rows.Clear();
  if (inPlace) {
    recut.OldEnd = start.Row + 1;
  } else {
    RecutRows(*this, anchor, start, end, inserted, recut);
  }
  TRowChunk& rows = recut.Rows;
  const int oldCount = recut.OldEnd - anchor;
  const int newCount = inPlace ? 1 : rows.Count();
  // The first row starts where it did, after the same rows, so its start state holds; but a token carried
  // over from a wrapped row before it is measured against this row's bytes and end, so after a wrap the
  // state holds only while the row keeps both.
  const bool afterWrap = anchor > 0 && RowAttribute(anchor - 1) == raWrap;
  const bool keepFirstState =
      oldCount > 0 && newCount > 0 && StateComputed(anchor) &&
      (!afterWrap || (!inPlace && RowText(anchor) == rows.Text(0) &&
                      (Store().Words(anchor).Attribute & 3u) == (rows.Words(0).Attribute & 3u)));

  if (inPlace) {
    ReplaceRowBytes(start.Row, static_cast<std::size_t>(start.Index), static_cast<std::size_t>(end.Index - start.Index),
                    inserted);
  } else {
    // The rows whose text the change touched run from the one it begins in to the one it ends in; an
    // insertion at a row's start, or a removal up to one, leaves that row to the rows after the change.
    const int lastTouched = end.Index == 0 && (end.Row > start.Row || start == end) ? end.Row - 1 : end.Row;
    const TRowMarks unplaced = MoveMarks(anchor, oldCount, rows, start.Row - anchor,
                                         std::max(0, recut.OldEnd - 1 - lastTouched), pushMarksDown);
    std::string scanText;
    if (keepFirstState) {
      const TRowWords& old = Store().Words(anchor);
      TRowWords& first = rows.Words(0);
      first.Attribute = (old.Attribute & ~3u) | (first.Attribute & 3u);
      first.Attribute2 = (old.Attribute2 & 0xFFFFu) | (first.Attribute2 & ~0xFFFFu);
      scanText = ScanText(anchor);
    }
    ReplaceItems(anchor, oldCount, rows);
    if (!scanText.empty()) SetScanText(anchor, std::move(scanText));
    MergeDeletedMarks(unplaced, anchor);
  }
  if (keepFirstState) {
    // The replaced rows from the second on wait for their states; the first has its own.
    if (FHoleEnd > FHoleStart && FHoleStart == anchor) {
      if (++FHoleStart == FHoleEnd) FHoleStart = FHoleEnd = 0;
    } else if (FStatesValidTo == anchor) {
      ++FStatesValidTo;
    }
  }

  int changed = 0;
  if (keepFirstState) {
    const int after = UpdateStates(anchor + 1, true);
    changed = after > 0 ? after + 1 : 0;
  } else {
    changed = UpdateStates(anchor, true);
  }
  NoteUpdate(anchor, oldCount, newCount, changed);
  return applied;
}

void TEditorScreenStrings::ReplaceRows(int startRow, int rowCount, const TEditorStringList& source) {
  const int count = Count();
  if (startRow < 0 || startRow > count || rowCount < 0) return;
  rowCount = std::min(rowCount, count - startRow);
  BeginUpdate();
  ReplaceItems(startRow, rowCount, source.Rows());
  for (int i = 0; i < source.Count(); ++i) {
    if (!source.ScanText(i).empty()) SetScanText(startRow + i, source.ScanText(i));
    if (source.RowData(i) != 0) SetRowData(startRow + i, source.RowData(i));
  }
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

TRowMarks TEditorScreenStrings::MoveMarks(int first, int oldCount, TRowChunk& rows, int keptBefore, int keptAfter,
                                          bool pushDown) const {
  const int newCount = rows.Count();
  TRowMarks all = 0;
  for (int j = 0; j < oldCount; ++j) all = static_cast<TRowMarks>(all | MarksOf(Store().Words(first + j)));
  if (all == 0 || newCount == 0) return all;
  // Rows kept in front of the change stay where they were, rows kept behind it stay at the end, and the
  // rows whose text was replaced hand their marks to the row where the new text begins (pushed down
  // with the text when lines were typed in at the start of a row).
  const int added = std::max(0, newCount - oldCount);
  for (int j = 0; j < oldCount; ++j) {
    const TRowMarks marks = MarksOf(Store().Words(first + j));
    if (marks == 0) continue;
    int target;
    if (j < keptBefore) {
      target = j;
    } else if (j >= oldCount - keptAfter) {
      target = newCount - (oldCount - j);
    } else {
      target = keptBefore + (pushDown ? added : 0);
    }
    target = std::clamp(target, 0, newCount - 1);
    SetMarks(rows.Words(target), static_cast<TRowMarks>(MarksOf(rows.Words(target)) | marks));
  }
  return 0;
}

}  // namespace editor
