// The editor's ownership of its rows, its change reporting and its wrap and undo surface.
#include "editor/editor.h"

#include <algorithm>

#include "editor/editor_paint_editor.h"  // --- Drawing
#include "editor/screen_strings.h"
#include "editor/undo.h"

namespace editor {

TEditor::TEditor() : FRows(std::make_shared<TEditorScreenStrings>()) {
  FRows->AttachEditor(this);
  ConnectParts(true);  // --- View and scrolling; Properties
}

TEditor::TEditor(TEditor& sharedWith) : FRows(sharedWith.FRows) {
  FRows->AttachEditor(this);
  ConnectParts(false);  // --- View and scrolling; Properties
}

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
  rules.TabSpaceCount = CaretOptions().TabSpaceCount;
  rules.Delimiters = &FDelimiters;
  return rules;
}

void TEditor::RowsChanged() {
  // --- Selection and editing: a text change leaves no range over rows that moved.
  CleanSelection();
  FViewport.UpdateScrollBars();     // --- View and scrolling: the ranges follow the rows
  RepaintEditorAfterChange(*this);  // --- Drawing: changed rows repainted, the rows below scrolled
  if (!FRows->LastUpdate().Recorded) return;
  FModified = true;
  if (OnChange) OnChange(this);
}

void TEditor::ClampRows() {
  const int limit = FRows->CaretRowLimit();
  if (FRow > limit) SetRow(limit);
  FViewport.ClampTopRow(limit);  // --- View and scrolling
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

}  // namespace editor
