// Cutting text into rows, and re-cutting every row when word wrap or its options change.
#include <algorithm>

#include "editor/text/editor_screen_strings.h"
#include "editor/text/editor_undo_obj.h"
#include "editor/text/row_cutter.h"

namespace editor {

namespace {

// Splits on CR LF, CR and LF only: inside the row store a NUL is an ordinary byte (the texts handed in
// were cut at their first NUL already), so re-splitting rows can never lose what follows one.
template <class F>
void ForEachStoredLine(std::string_view text, F&& line) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = pos;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    line(text.substr(pos, end - pos));
    pos = end;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
  }
}

// A logical line's text: a view of its row when it has one, else its rows joined into `joined`.
std::string_view LineText(const TEditorScreenStrings& rows, int first, int last, std::string& joined) {
  if (first == last) return rows.RowText(first);
  joined.clear();
  for (int row = first; row <= last; ++row) joined += rows.RowText(row);
  return joined;
}

}  // namespace

void TEditorScreenStrings::SplitToRows(std::string_view text, TEditorStringList& target) const {
  target.BeginUpdate();
  target.Clear();
  if (text.empty()) {
    target.AddRow(std::string(), raBreak);
  } else if (!FWordWrap) {
    ForEachStoredLine(text, [&target](std::string_view line) { target.AddRow(std::string(line), raBreak); });
  } else {
    TRowCutter cutter(*FWrapOption, ColumnRules());
    std::vector<std::size_t> lengths;
    ForEachStoredLine(text, [&](std::string_view line) {
      cutter.Cut(line, lengths);
      std::size_t offset = 0;
      for (std::size_t i = 0; i < lengths.size(); ++i) {
        target.AddRow(std::string(line.substr(offset, lengths[i])), i + 1 < lengths.size() ? raWrap : raBreak);
        offset += lengths[i];
      }
    });
  }
  target.EndUpdate();
}

int TEditorScreenStrings::RowsNeeded(std::string_view line) const {
  if (!FWordWrap) return 1;
  TRowCutter cutter(*FWrapOption, ColumnRules());
  return cutter.RowsNeeded(line);
}

void TEditorScreenStrings::RecutEveryRow(void (TEditorScreenStrings::*recut)(int count, TRowAttribute lastAttribute)) {
  const int count = Count();
  if (count == 0) return;
  // A re-cut is no edit: selections go, and OnChange stays silent while the rows are replaced.
  for (TRowsWatcher* watcher : FWatchers) watcher->RowsReplacingAll();
  const TNotifyEvent onChange = OnChange;
  OnChange = {};
  BeginUpdate();
  TRowAttribute lastAttribute = RowAttribute(count - 1);
  if (lastAttribute == raWrap) lastAttribute = raEnd;
  (this->*recut)(count, lastAttribute);
  EndUpdate();
  OnChange = onChange;
}

void TEditorScreenStrings::WrapLines() { RecutEveryRow(&TEditorScreenStrings::WrapRows); }

void TEditorScreenStrings::UnwrapLines() { RecutEveryRow(&TEditorScreenStrings::UnwrapRows); }

void TEditorScreenStrings::WrapRows(int count, TRowAttribute lastAttribute) {
  // First pass: cut every line, keeping only the row lengths, so the new rows are allocated once.
  TRowCutter cutter(*FWrapOption, ColumnRules());
  std::vector<std::size_t> lengths;  // every new row's length, line after line
  std::vector<int> rowsPerLine;      // how many of them each line has
  std::vector<std::size_t> lineLengths;
  std::string joined;
  for (int first = 0; first < count;) {
    const int last = LineEndRow(first);
    const std::string_view line = LineText(*this, first, last, joined);
    cutter.Cut(line, lineLengths);
    lengths.insert(lengths.end(), lineLengths.begin(), lineLengths.end());
    rowsPerLine.push_back(static_cast<int>(lineLengths.size()));
    first = last + 1;
  }

  // Second pass: build the rows; marks go position by position, surplus old rows into the last new row.
  TEditorStringList rows;
  rows.SetCapacity(static_cast<int>(lengths.size()));
  std::size_t next = 0;
  std::size_t lineIndex = 0;
  for (int first = 0; first < count; ++lineIndex) {
    const int last = LineEndRow(first);
    const std::string_view line = LineText(*this, first, last, joined);
    const int newRows = rowsPerLine[lineIndex];
    const int firstNew = rows.Count();
    std::size_t offset = 0;
    for (int i = 0; i < newRows; ++i, ++next) {
      rows.AddRow(std::string(line.substr(offset, lengths[next])), i + 1 < newRows ? raWrap : raBreak);
      offset += lengths[next];
    }
    for (int row = first; row <= last; ++row) {
      const TRowMarks marks = RowMarks(row);
      if (marks == 0) continue;
      const int target = firstNew + std::min(row - first, newRows - 1);
      rows.SetRowMarks(target, static_cast<TRowMarks>(rows.RowMarks(target) | marks));
    }
    first = last + 1;
  }
  rows.SetRowAttribute(rows.Count() - 1, lastAttribute);

  // The new rows take the old ones' place whole: text, attribute word (states not computed) and marks.
  TakeRows(rows);
}

void TEditorScreenStrings::UnwrapRows(int count,
                                      TRowAttribute lastAttribute) {  // Compacts in place: the line being joined never
                                                                      // starts before the row it is written to.
  int target = 0;
  std::string joined;
  for (int first = 0; first < count; ++target) {
    const int last = LineEndRow(first);
    TRowMarks marks = 0;
    for (int row = first; row <= last; ++row) marks = static_cast<TRowMarks>(marks | RowMarks(row));
    std::string text(LineText(*this, first, last, joined));
    TheStringItem& item = ItemAt(target);
    item = TheStringItem{};
    item.Text = std::move(text);
    SetRowMarks(target, marks);
    first = last + 1;
  }
  DeleteItems(target, count - target);
  SetRowAttribute(target - 1, lastAttribute);
}

void TEditorScreenStrings::SetWordWrap(bool value) {
  if (FWordWrap == value) return;
  FWordWrap = value;
  RebuildRows();
}

void TEditorScreenStrings::WrapOptionChanged(TObject* sender) {
  (void)sender;
  if (FWordWrap) RebuildRows();
}

void TEditorScreenStrings::RebuildRows() {
  FUndoObj->Clear();
  if (FWordWrap) {
    WrapLines();
  } else {
    UnwrapLines();
  }
  ResetStates();
  for (TRowsWatcher* watcher : FWatchers) watcher->RowsRebuilt();
}

}  // namespace editor
