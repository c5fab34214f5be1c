// The row list's bookkeeping: attached editors, the update bracket that notifies them, reading rows and
// lines, clearing and loading.
#include "editor/screen_strings.h"

#include <algorithm>

#include "editor/editor.h"
#include "editor/undo.h"

namespace editor {

TEditorScreenStrings::TEditorScreenStrings()
    : FUndoObj(std::make_unique<TEditorUndoObj>(*this)), FWrapOption(std::make_unique<TEditorWrapOption>()) {
  OnChange = MethodEvent<&TEditorScreenStrings::NotifyEditors>(this);
  FWrapOption->OnChange = MethodEvent<&TEditorScreenStrings::WrapOptionChanged>(this);
}

TEditorScreenStrings::~TEditorScreenStrings() = default;

void TEditorScreenStrings::AttachEditor(TEditor* editor) {
  if (editor && std::find(FEditors.begin(), FEditors.end(), editor) == FEditors.end()) FEditors.push_back(editor);
}

void TEditorScreenStrings::DetachEditor(TEditor* editor) {
  const bool wasFirst = !FEditors.empty() && FEditors.front() == editor;
  FEditors.erase(std::remove(FEditors.begin(), FEditors.end(), editor), FEditors.end());
  // The start states belong to the first editor: the next one takes over, so none dangles.
  if (wasFirst) SetRowStates(FEditors.empty() ? nullptr : &FEditors.front()->TokenRowStates());
}

TEditor* TEditorScreenStrings::ActiveEditor() const {
  for (TEditor* editor : FEditors)
    if (editor->Focused()) return editor;
  return FEditors.empty() ? nullptr : FEditors.front();
}

TColumnRules TEditorScreenStrings::ColumnRules() const {
  TColumnRules rules;
  if (!FEditors.empty()) rules = FEditors.front()->ColumnRules();
  rules.WordWrap = FWordWrap;
  rules.WrapByte = FWrapOption->WrapByte();
  return rules;
}

void TEditorScreenStrings::NotifyEditors(TObject* sender) {
  (void)sender;
  // An editor's handler may raise OnChange, whose handler may detach editors: walk a copy.
  const std::vector<TEditor*> editors = FEditors;
  for (TEditor* editor : editors) editor->RowsChanged();
}

void TEditorScreenStrings::SetUpdateState(bool updating) {
  TEditorStringList::SetUpdateState(updating);
  if (updating) return;
  FLastUpdate = TLastUpdate{};
  for (TEditor* editor : FEditors) editor->ClampRows();
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
  if (!FWordWrap || line < 1) return line;
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
  for (TEditor* editor : FEditors) editor->CleanSelection();
  FUndoObj->Clear();
  FLastUpdate = TLastUpdate{};
  TEditorStringList::Clear();
  for (TEditor* editor : FEditors) editor->ResetCaret();
  FListMarks = 0;
}

void TEditorScreenStrings::LoadText(std::string_view text) {
  text = CutAtNul(text);
  BeginUpdate();
  Clear();
  // Sized first, so a large text is one allocation of the row array.
  int lines = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) ++lines;
  }
  if (!text.empty() && text.back() != '\n' && text.back() != '\r') ++lines;
  EnsureCapacity(lines);
  InsertItems(0, lines);
  int row = 0;
  ForEachLine(text, [this, &row](std::string_view line) { ItemAt(row++).Text = line; });
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
