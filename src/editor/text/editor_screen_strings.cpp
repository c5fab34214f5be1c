// The row list's bookkeeping: attached editors, the update bracket that notifies them, reading rows and
// lines, clearing and loading, and which start states are up to date.
#include "editor/text/editor_screen_strings.h"

#include <algorithm>
#include <array>
#include <utility>

#include "editor/text/editor_undo_obj.h"
#include "editor/text/row_cutter.h"
#include "editor/text/row_recut.h"
#include "platform/line_split.h"

namespace editor {

TEditorScreenStrings::TEditorScreenStrings()
    : FUndoObj(std::make_unique<TEditorUndoObj>(*this)), FWrapOption(std::make_unique<TEditorWrapOption>()) {
  OnChange = MethodEvent<&TEditorScreenStrings::NotifyWatchers>(this);
  FWrapOption->OnChange = MethodEvent<&TEditorScreenStrings::WrapOptionChanged>(this);
}

TEditorScreenStrings::~TEditorScreenStrings() = default;

void TEditorScreenStrings::AttachWatcher(TRowsWatcher* watcher) {
  if (watcher && std::find(FWatchers.begin(), FWatchers.end(), watcher) == FWatchers.end())
    FWatchers.push_back(watcher);
}

void TEditorScreenStrings::DetachWatcher(TRowsWatcher* watcher) {
  const bool wasFirst = !FWatchers.empty() && FWatchers.front() == watcher;
  FWatchers.erase(std::remove(FWatchers.begin(), FWatchers.end(), watcher), FWatchers.end());
  // The start states belong to the first watcher: the next one takes over, so none dangles.
  if (wasFirst) SetRowStates(FWatchers.empty() ? nullptr : &FWatchers.front()->StartStates());
}

TRowsWatcher* TEditorScreenStrings::ActiveWatcher() const {
  for (TRowsWatcher* watcher : FWatchers)
    if (watcher->HasFocus()) return watcher;
  return FWatchers.empty() ? nullptr : FWatchers.front();
}

TColumnRules TEditorScreenStrings::ColumnRules() const {
  TColumnRules rules;
  if (!FWatchers.empty()) rules = FWatchers.front()->ColumnRules();
  rules.WordWrap = FWordWrap;
  rules.WrapByte = FWrapOption->WrapByte();
  return rules;
}

void TEditorScreenStrings::NotifyWatchers(TObject* sender) {
  (void)sender;
  // An editor's handler may raise OnChange, whose handler may detach editors: walk a copy, kept on the
  // stack for the usual few editors (this runs at every keystroke).
  constexpr std::size_t kOnStack = 8;
  std::array<TRowsWatcher*, kOnStack> few{};
  std::vector<TRowsWatcher*> many;
  TRowsWatcher* const* watchers = few.data();
  if (FWatchers.size() <= kOnStack) {
    std::copy(FWatchers.begin(), FWatchers.end(), few.begin());
  } else {
    many = FWatchers;
    watchers = many.data();
  }
  const std::size_t count = FWatchers.size();
  for (std::size_t i = 0; i < count; ++i) watchers[i]->RowsChanged();
}

void TEditorScreenStrings::SetUpdateState(bool updating) {
  TEditorStringList::SetUpdateState(updating);
  if (updating) return;
  FLastUpdate = TLastUpdate{};
  for (TRowsWatcher* watcher : FWatchers) watcher->RowsUpdateEnded();
}

int TEditorScreenStrings::LineStartRow(int row) const {
  if (row > Count()) return row;
  while (row > 0 && RowAttribute(row - 1) == raWrap) --row;
  return row;
}

int TEditorScreenStrings::LineEndRow(int row) const {
  if (row < 0) return row;
  const int last = Count() - 1;
  while (row < last && RowAttribute(row) == raWrap) ++row;
  return row;
}

int TEditorScreenStrings::EditAnchorRow(int row) const {
  const int count = Count();
  if (row >= count) {
    // Appending after a text without a final break continues its last line.
    if (count == 0 || RowAttribute(count - 1) != raEnd) return count;
    row = count - 1;
  }
  if (row <= 0) return 0;
  // The row before belongs to the same line: text may flow back into it.
  if (RowAttribute(row - 1) != raWrap) return row;
  int first = row - 1;
  if (!FWordWrap) return first;
  // A row's cut looks at most WrapByte + 3 columns (bytes, at the least) from its start, one more for the
  // partner of a lead byte. Rows of the same line that close to the edit may be cut differently now, so
  // re-wrap them too; WordBreak can leave rows as short as WrapByte / 3, so this can be a few rows.
  const std::size_t reach = static_cast<std::size_t>(FWrapOption->WrapByte()) + 4;
  std::size_t bytes = RowText(first).size();
  while (first > 0 && RowAttribute(first - 1) == raWrap) {
    const std::size_t withPrevious = bytes + RowText(first - 1).size();
    if (withPrevious >= reach) break;
    --first;
    bytes = withPrevious;
  }
  return first;
}

void TEditorScreenStrings::GetRowsText(int startRow, int rowCount, TRowAttribute& lastAttribute, int& rowsTaken,
                                       std::string& text) const {
  text.clear();
  lastAttribute = raNone;
  rowsTaken = 0;
  const int count = Count();
  if (startRow < 0 || startRow >= count) return;
  const int endRow = rowCount < 0 ? LineEndRow(startRow) : std::min(count, startRow + rowCount) - 1;
  std::size_t size = 0;
  for (int row = startRow; row <= endRow; ++row) size += RowText(row).size() + 2;
  text.reserve(size);
  for (int row = startRow; row <= endRow; ++row) {
    text += RowText(row);
    lastAttribute = RowAttribute(row);
    if (lastAttribute == raBreak) text += "\r\n";
  }
  rowsTaken = std::max(0, endRow - startRow + 1);
}

std::string TEditorScreenStrings::RowsText(int startRow, int rowCount) const {
  TRowAttribute attribute;
  int taken;
  std::string text;
  GetRowsText(startRow, rowCount, attribute, taken, text);
  return text;
}

int TEditorScreenStrings::CaretRowLimit() const {
  const int count = Count();
  return count > 0 && LastRowAttribute() == raEnd ? count - 1 : count;
}

int TEditorScreenStrings::LineToRow(int line) const {
  if (!FWordWrap) return line;
  if (line < 1) return 0;
  const int count = Count();
  int row = 0;
  for (int ends = 0; ends < line; ++row) {
    if (row >= count) throw EListError(row);
    if (RowAttribute(row) != raWrap || row == count - 1) ++ends;
  }
  return row;
}

int TEditorScreenStrings::RowToLine(int row) const {
  if (!FWordWrap) return row;
  const int end = std::min(row, Count());
  int line = 0;
  for (int r = 0; r < end; ++r)
    if (RowAttribute(r) == raBreak) ++line;
  return line;
}

int TEditorScreenStrings::LineCount() const {
  const int count = Count();
  if (!FWordWrap) return count;
  int lines = 0;
  for (int row = 0; row < count; ++row)
    if (RowAttribute(row) != raWrap) ++lines;
  if (count > 0 && RowAttribute(count - 1) == raWrap) ++lines;
  return lines;
}

std::string TEditorScreenStrings::GetTextStr() const {
  const int count = Count();
  std::size_t size = 0;
  for (int row = 0; row < count; ++row) size += RowText(row).size() + (RowAttribute(row) == raBreak ? 2 : 0);
  std::string text;
  text.reserve(size);
  for (int row = 0; row < count; ++row) {
    text += RowText(row);
    if (RowAttribute(row) == raBreak) text += "\r\n";
  }
  return text;
}

void TEditorScreenStrings::NoteUpdate(int startRow, int oldRows, int newRows, int changedRows) {
  FLastUpdate = TLastUpdate{startRow, oldRows, newRows, changedRows, true};
}

void TEditorScreenStrings::Clear() {
  for (TRowsWatcher* watcher : FWatchers) watcher->RowsReplacingAll();
  FUndoObj->Clear();
  FLastUpdate = TLastUpdate{};
  TEditorStringList::Clear();
  for (TRowsWatcher* watcher : FWatchers) watcher->RowsCleared();
  FListMarks = 0;
}

void TEditorScreenStrings::LoadText(std::string_view text) {
  text = CutAtNul(text);
  BeginUpdate();
  Clear();
  TRowStore store;
  {
    TRowStoreLoader loader(store);
    const bool endsWithBreak = !text.empty() && (text.back() == '\n' || text.back() == '\r');
    std::size_t consumed = 0;
    if (!FWordWrap) {
      platform::ForEachLine(text, [&](std::string_view line) {
        consumed = static_cast<std::size_t>(line.data() - text.data()) + line.size();
        loader.Add(line, {consumed == text.size() && !endsWithBreak ? raEnd : raBreak, 0});
      });
    } else {
      TRowCutter cutter(*FWrapOption, ColumnRules());
      std::vector<std::size_t> lengths;
      platform::ForEachLine(text, [&](std::string_view line) {
        cutter.Cut(line, lengths);
        const bool lastLine = static_cast<std::size_t>(line.data() - text.data()) + line.size() == text.size();
        std::size_t offset = 0;
        for (std::size_t i = 0; i < lengths.size(); ++i) {
          const bool lastRow = i + 1 == lengths.size();
          const TRowAttribute attribute = !lastRow ? raWrap : lastLine && !endsWithBreak ? raEnd : raBreak;
          loader.Add(line.substr(offset, lengths[i]), {attribute, 0});
          offset += lengths[i];
        }
      });
    }
  }
  TakeStore(store);
  EndUpdate();
}

void TEditorScreenStrings::AppendRow(std::string_view text, TRowAttribute attribute) {
  TRowChunk row;
  row.Add(text, {attribute, 0});
  ReplaceItems(Count(), 0, row);
}

void TEditorScreenStrings::Undo() { FUndoObj->Undo(); }

void TEditorScreenStrings::Redo() { FUndoObj->Redo(); }

// ---- start states ----------------------------------------------------------------------------------------

int TEditorScreenStrings::UncomputedRunStart(int row) const {
  if (row <= 0 || StateComputed(row - 1)) return std::max(row, 0);
  if (row - 1 >= FStatesValidTo) return FStatesValidTo;
  return FHoleStart;  // the row before lies in the hole
}

void TEditorScreenStrings::StoreRowState(int row, const TRowAttributeData& data) {
  SetRowAttributeData(row, data);
  if (FHoleEnd > FHoleStart) {
    if (row == FHoleStart && ++FHoleStart == FHoleEnd) FHoleStart = FHoleEnd = 0;
  } else if (row == FStatesValidTo) {
    ++FStatesValidTo;
  }
}

void TEditorScreenStrings::DropStatesFrom(int row) {
  FStatesValidTo = std::clamp(row, 0, FStatesValidTo);
  if (FHoleEnd > FHoleStart && FHoleEnd >= FStatesValidTo) {
    FStatesValidTo = std::min(FStatesValidTo, FHoleStart);
    FHoleStart = FHoleEnd = 0;
  }
}

void TEditorScreenStrings::RowsReplaced(int at, int removed, int added) {
  if (FHoleEnd > FHoleStart) {
    // A second change before the first one's states were brought up to date: keep only what lies
    // before both.
    FStatesValidTo = std::min(FStatesValidTo, FHoleStart);
    FHoleStart = FHoleEnd = 0;
  }
  if (at >= FStatesValidTo) return;
  if (at + removed >= FStatesValidTo) {
    FStatesValidTo = at;
    return;
  }
  FStatesValidTo += added - removed;
  if (added > 0) {
    FHoleStart = at;
    FHoleEnd = at + added;
  }
}

}  // namespace editor
