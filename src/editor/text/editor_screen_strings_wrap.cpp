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
  TRowChunk rows;
  if (text.empty()) {
    rows.Add({}, {raBreak, 0});
  } else if (!FWordWrap) {
    ForEachStoredLine(text, [&rows](std::string_view line) { rows.Add(line, {raBreak, 0}); });
  } else {
    TRowCutter cutter(*FWrapOption, ColumnRules());
    std::vector<std::size_t> lengths;
    ForEachStoredLine(text, [&](std::string_view line) {
      cutter.Cut(line, lengths);
      std::size_t offset = 0;
      for (std::size_t i = 0; i < lengths.size(); ++i) {
        rows.Add(line.substr(offset, lengths[i]), {i + 1 < lengths.size() ? raWrap : raBreak, 0});
        offset += lengths[i];
      }
    });
  }
  target.BeginUpdate();
  target.AssignRows(rows);
  target.EndUpdate();
}

int TEditorScreenStrings::RowsNeeded(std::string_view line) const {
  if (!FWordWrap) return 1;
  TRowCutter cutter(*FWrapOption, ColumnRules());
  return cutter.RowsNeeded(line);
}

void TEditorScreenStrings::RecutEveryRow(void (TEditorScreenStrings::*recut)(TRowAttribute lastAttribute)) {
  const int count = Count();
  if (count == 0) return;
  // A re-cut is no edit: selections go, and OnChange stays silent while the rows are replaced.
  for (TRowsWatcher* watcher : FWatchers) watcher->RowsReplacingAll();
  const TNotifyEvent onChange = OnChange;
  OnChange = {};
  BeginUpdate();
  TRowAttribute lastAttribute = RowAttribute(count - 1);
  if (lastAttribute == raWrap) lastAttribute = raEnd;
  (this->*recut)(lastAttribute);
  EndUpdate();
  OnChange = onChange;
}

void TEditorScreenStrings::WrapLines() { RecutEveryRow(&TEditorScreenStrings::WrapRows); }

void TEditorScreenStrings::UnwrapLines() { RecutEveryRow(&TEditorScreenStrings::UnwrapRows); }

void TEditorScreenStrings::WrapRows(TRowAttribute lastAttribute) {
  // The new rows go into a store of their own, chunk by chunk, and take the old ones' place whole:
  // text, attribute word (states not computed) and marks; marks go position by position, those of
  // surplus old rows into the last new row.
  const int count = Count();
  TRowStore store;
  {
    TRowStoreLoader loader(store);
    TRowCutter cutter(*FWrapOption, ColumnRules());
    std::vector<std::size_t> lengths;
    std::string joined;
    for (int first = 0; first < count;) {
      const int last = LineEndRow(first);
      const std::string_view line = LineText(*this, first, last, joined);
      cutter.Cut(line, lengths);
      const int newRows = static_cast<int>(lengths.size());
      std::vector<TRowMarks> marks(lengths.size(), 0);
      for (int row = first; row <= last; ++row) {
        const int target = std::min(row - first, newRows - 1);
        marks[static_cast<std::size_t>(target)] |= RowMarks(row);
      }
      const bool lastLine = last == count - 1;
      std::size_t offset = 0;
      for (int i = 0; i < newRows; ++i) {
        const TRowAttribute attribute = i + 1 < newRows ? raWrap : lastLine ? lastAttribute : raBreak;
        const auto index = static_cast<std::size_t>(i);
        loader.Add(line.substr(offset, lengths[index]), {attribute, std::uint32_t{marks[index]} << 16});
        offset += lengths[index];
      }
      first = last + 1;
    }
  }
  TakeStore(store);
}

void TEditorScreenStrings::UnwrapRows(TRowAttribute lastAttribute) {
  const int count = Count();
  TRowStore store;
  {
    TRowStoreLoader loader(store);
    std::string joined;
    for (int first = 0; first < count;) {
      const int last = LineEndRow(first);
      TRowMarks marks = 0;
      for (int row = first; row <= last; ++row) marks = static_cast<TRowMarks>(marks | RowMarks(row));
      const TRowAttribute attribute = last == count - 1 ? lastAttribute : raBreak;
      loader.Add(LineText(*this, first, last, joined), {attribute, std::uint32_t{marks} << 16});
      first = last + 1;
    }
  }
  TakeStore(store);
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
