// Recording, undoing and redoing changes of the row list.
#include "editor/text/editor_undo_obj.h"

#include <utility>

#include "editor/text/editor_screen_strings.h"

namespace editor {

TUndoData& TEditorUndoObj::NewRecord() {
  TUndoData record;
  if (const TRowsWatcher* watcher = FOwner.ActiveWatcher()) {
    record.CaretRow = watcher->CaretPos().Row;
    record.CaretCol = watcher->CaretPos().Col;
  }
  FUndoList.push_back(std::move(record));
  while (static_cast<int>(FUndoList.size()) > FListMax) FUndoList.pop_front();
  if (!FReRecording) FRedoList.clear();
  return FUndoList.back();
}

void TEditorUndoObj::PushRedo(const TUndoData& record) {
  TUndoData copy = record;
  if (const TRowsWatcher* watcher = FOwner.ActiveWatcher()) {
    copy.CaretRow = watcher->CaretPos().Row;
    copy.CaretCol = watcher->CaretPos().Col;
  }
  FRedoList.push_back(std::move(copy));
}

void TEditorUndoObj::Clear() {
  FRedoList.clear();
  FUndoList.clear();
}

void TEditorUndoObj::Undo() {
  if (FUndoList.empty()) return;
  // Taken off its list first: a change handler running inside the restore may itself undo or redo.
  TUndoData record = std::move(FUndoList.back());
  FUndoList.pop_back();
  Restore(record, true);
}

void TEditorUndoObj::Redo() {
  if (FRedoList.empty()) return;
  TUndoData record = std::move(FRedoList.back());
  FRedoList.pop_back();
  Restore(record, false);
}

void TEditorUndoObj::Restore(const TUndoData& record, bool undoing) {
  TRowsWatcher* watcher = FOwner.ActiveWatcher();
  if (watcher) watcher->HideCaret();
  FOwner.BeginUpdate();

  // What stands there now becomes the inverse record. A start row that no longer fits (no edit of the
  // rows' own leaves one) changes nothing.
  if (record.StartRow >= 0 && record.StartRow <= FOwner.Count()) {
    const TTextPos start = FOwner.Advance({record.StartRow, 0}, record.Offset);
    const TTextPos end = FOwner.Advance(start, record.NewLength);
    TEditorScreenStrings::TAppliedChange applied = FOwner.ApplyChange(start, end, record.Text, false);
    TUndoData inverse;
    inverse.CaretRow = record.CaretRow;
    inverse.CaretCol = record.CaretCol;
    inverse.StartRow = applied.StartRow;
    inverse.Offset = applied.Offset;
    inverse.NewLength = applied.InsertedLength;
    inverse.Text = std::move(applied.Removed);
    if (undoing) {
      PushRedo(inverse);
    } else {
      FReRecording = true;
      TUndoData& redone = NewRecord();
      FReRecording = false;
      redone.StartRow = inverse.StartRow;
      redone.Offset = inverse.Offset;
      redone.NewLength = inverse.NewLength;
      redone.Text = std::move(inverse.Text);
    }
  }
  FOwner.EndUpdate();

  if (watcher) {
    watcher->MoveCaret({record.CaretRow, record.CaretCol});
    watcher->ShowCaret();
  }
}

}  // namespace editor
