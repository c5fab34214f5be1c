// The editor's ownership of its rows, its change reporting and its wrap and undo surface.
#include "editor/editor.h"

#include <algorithm>

#include "editor/screen_strings.h"
#include "editor/undo.h"

namespace editor {

TEditor::TEditor() : FRows(std::make_shared<TEditorScreenStrings>()) { FRows->AttachEditor(this); }

TEditor::TEditor(TEditor& sharedWith) : FRows(sharedWith.FRows) { FRows->AttachEditor(this); }

TEditor::~TEditor() { FRows->DetachEditor(this); }

bool TEditor::WordWrap() const { return FRows->WordWrap(); }

void TEditor::SetWordWrap(bool value) { FRows->SetWordWrap(value); }

TEditorWrapOption& TEditor::WrapOption() { return FRows->WrapOption(); }

int TEditor::UndoListMax() const { return FRows->UndoObj().ListMax(); }

void TEditor::SetUndoListMax(int value) {
  FRows->UndoObj().SetListMax(std::max(TEditorUndoObj::DefaultListMax, value));
}

bool TEditor::CanUndo() const { return FRows->UndoObj().CanUndo(); }

bool TEditor::CanRedo() const { return FRows->UndoObj().CanRedo(); }

void TEditor::Undo() { FRows->Undo(); }

void TEditor::Redo() { FRows->Redo(); }

TColumnRules TEditor::ColumnRules() const {
  TColumnRules rules;
  rules.WordWrap = FRows->WordWrap();
  rules.WrapByte = FRows->WrapOption().WrapByte();
  rules.TabSpaceCount = FCaretOptions.TabSpaceCount;
  rules.Delimiters = &FDelimiters;
  return rules;
}

void TEditor::RowsChanged() {
  // The screen information and scroll ranges are refreshed here once the editor draws.
  if (!FRows->LastUpdate().Recorded) return;
  FModified = true;
  if (OnChange) OnChange(this);
}

void TEditor::ClampRows() {
  const int limit = FRows->CaretRowLimit();
  if (FRow > limit) SetRow(limit);
  if (FTopRow > limit) FTopRow = limit;
}

void TEditor::RowsRebuilt() {
  ClampRows();
  FRememberedCol = -1;
  FCol = 0;
}

void TEditor::ResetCaret() {
  FRow = 0;
  FCol = 0;
  FRememberedCol = -1;
}

void TEditor::SetTopRow(int row) { FTopRow = std::clamp(row, 0, FRows->CaretRowLimit()); }

}  // namespace editor
