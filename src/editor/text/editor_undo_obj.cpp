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

  // What stands there now becomes the inverse record.
  std::string currentText;
  TRowAttribute currentAttribute = raNone;
  int currentRows = 0;
  if (record.NewRowCount > 0)
    FOwner.GetRowsText(record.StartRow, record.NewRowCount, currentAttribute, currentRows, currentText);

  int newRows = 0;
  if (record.LastAttribute != raNone) {
    TEditorStringList rows;
    FOwner.SplitToRows(record.Text, rows);
    if (record.LastAttribute == raWrap && rows.Count() > 1 && rows.RowText(rows.Count() - 1).empty())
      rows.Delete(rows.Count() - 1);
    rows.SetRowAttribute(rows.Count() - 1, record.LastAttribute);
    FOwner.ReplaceRowsKeepingMarks(record.StartRow, currentRows, rows, 0, 0, false);
    newRows = rows.Count();
  } else {
    // The change had only inserted rows.
    FOwner.MergeDeletedMarks(FOwner.DeleteRows(record.StartRow, currentRows), record.StartRow);
  }
  const int changed = FOwner.UpdateStates(record.StartRow, true);
  FOwner.NoteUpdate(record.StartRow, currentRows, newRows, changed);

  TUndoData inverse = record;
  inverse.NewRowCount = newRows;
  inverse.LastAttribute = currentAttribute;
  inverse.Text = std::move(currentText);
  if (undoing) {
    PushRedo(inverse);
  } else {
    FReRecording = true;
    TUndoData& redone = NewRecord();
    FReRecording = false;
    redone.StartRow = inverse.StartRow;
    redone.NewRowCount = inverse.NewRowCount;
    redone.LastAttribute = inverse.LastAttribute;
    redone.Text = std::move(inverse.Text);
  }
  FOwner.EndUpdate();

  if (watcher) {
    watcher->MoveCaret({record.CaretRow, record.CaretCol});
    watcher->ShowCaret();
  }
}

}  // namespace editor
