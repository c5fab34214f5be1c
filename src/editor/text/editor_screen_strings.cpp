// The row list's bookkeeping: attached editors, the update bracket that notifies them, reading rows and
// lines, clearing and loading.
#include "editor/text/editor_screen_strings.h"

#include <algorithm>
#include <utility>

#include "editor/text/editor_undo_obj.h"
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
  // An editor's handler may raise OnChange, whose handler may detach editors: walk a copy.
  const std::vector<TRowsWatcher*> watchers = FWatchers;
  for (TRowsWatcher* watcher : watchers) watcher->RowsChanged();
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
  return count > 0 && RowAttribute(count - 1) == raEnd ? count - 1 : count;
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
  // Counted first, so a large text is one allocation of the row array.
  const int count = static_cast<int>(platform::ForEachLine(text, [](std::string_view) {}));
  EnsureCapacity(count);
  InsertItems(0, count);
  int row = 0;
  platform::ForEachLine(text, [this, &row](std::string_view line) { ItemAt(row++).Text = line; });
  if (!text.empty() && text.back() != '\n' && text.back() != '\r') SetRowAttribute(Count() - 1, raEnd);
  EndUpdate();
}

void TEditorScreenStrings::AppendRow(std::string_view text, TRowAttribute attribute) {
  const int row = Count();
  InsertItems(row, 1);
  ItemAt(row).Text = text;
  SetRowAttribute(row, attribute);
}

void TEditorScreenStrings::Undo() { FUndoObj->Undo(); }

void TEditorScreenStrings::Redo() { FUndoObj->Redo(); }

}  // namespace editor
