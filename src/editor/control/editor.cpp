// The editor's ownership of its rows, its wiring of the parts, what the rows tell it, and its wrap and
// undo surface.
#include "editor/control/editor.h"

#include <algorithm>

#include "editor/text/editor_screen_strings.h"
#include "editor/text/editor_undo_obj.h"

namespace editor {

TEditor::TEditor() : FRows(std::make_shared<TEditorScreenStrings>()) {
  FRows->AttachWatcher(this);
  ConnectParts(true);
}

TEditor::TEditor(TEditor& sharedWith) : FRows(sharedWith.FRows) {
  FRows->AttachWatcher(this);
  ConnectParts(false);
}

TEditor::~TEditor() {
  SetImageDigits(nullptr);
  SetImageMarks(nullptr);
  FRows->DetachWatcher(this);
}

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
  // A text change leaves no selection over rows that moved.
  CleanSelection();
  UpdateScrollBars();
  RepaintAfterChange();
  if (!FRows->LastUpdate().Recorded) return;
  FModified = true;
  if (OnChange) OnChange(this);
}

void TEditor::RowsUpdateEnded() {
  const int limit = FRows->CaretRowLimit();
  if (FCaret.Row > limit) SetRow(limit);
  const int top = TopRow();
  FViewport.ClampTopRow(limit);
  if (TopRow() != top) {
    // The text shrank above the top row: the view shows other rows, all of them drawn afresh.
    if (FWindow) FWindow->InvalidateAll();
    UpdateScrollBars();
    if (OnTopRowChange) OnTopRowChange(this);
  }
  PlaceCaretModel();  // a loaded or cleared text moved the caret without a caret command
}

void TEditor::RowsRebuilt() {
  FCaret.RememberedCol = -1;
  FCaret.Col = 0;
  RowsUpdateEnded();
  // Every row was cut anew: the whole view and the scroll ranges change. The caret's new column is
  // scrolled into view as any column set is, so a view scrolled sideways comes back to the rows' start.
  UpdateScrollBars();
  ScrollCaret();
  if (FWindow) FWindow->InvalidateAll();
}

void TEditor::RowsCleared() { FCaret = TCaret{}; }

}  // namespace editor
