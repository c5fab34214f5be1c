// The undo and redo history of a row list: one record per change, holding where it was and the bytes it
// took out.
#pragma once

#include <deque>
#include <string>

#include "editor/text/row_attribute_string_list.h"

namespace editor {

class TEditorScreenStrings;

// One step: where the change was, what it took out and how much it put in, so that putting the old bytes
// back costs what the change did, however long its line.
struct TUndoData {
  int CaretRow = 0;  // the active editor's caret when the record was made
  int CaretCol = 0;
  int StartRow = -1;  // a row the change left in place (as the rows stand after it) ...
  int Offset = 0;     // ... and the change's start, this many bytes after that row's start (CR LF counting 2)
  int NewLength = 0;  // bytes the change put in
  std::string Text;   // bytes it took out, CR LF for each line break
};

// The records, oldest first. Records are values, so clearing or dropping one disposes of it.
using TUndoDataList = std::deque<TUndoData>;

// The history of a row list, shared by every editor attached to it. Undo puts a record's text back and
// turns the record into a redo record; Redo does the reverse. No two records are ever merged.
class TEditorUndoObj {
 public:
  static constexpr int DefaultListMax = 64;

  explicit TEditorUndoObj(TEditorScreenStrings& owner) : FOwner(owner) {}
  TEditorUndoObj(const TEditorUndoObj&) = delete;
  TEditorUndoObj& operator=(const TEditorUndoObj&) = delete;

  // The most undo records kept; the oldest is dropped beyond it.
  int ListMax() const { return FListMax; }
  void SetListMax(int value) { FListMax = value < 1 ? 1 : value; }

  // Appends a fresh record holding the active editor's caret, for the caller to fill. A new change
  // empties the redo list (not while Redo re-records its inverse).
  TUndoData& NewRecord();
  bool CanUndo() const { return !FUndoList.empty(); }
  bool CanRedo() const { return !FRedoList.empty(); }
  void Undo();
  void Redo();
  // Appends a copy of record to the redo list, with the active editor's current caret.
  void PushRedo(const TUndoData& record);
  void Clear();

  const TUndoDataList& UndoList() const { return FUndoList; }
  const TUndoDataList& RedoList() const { return FRedoList; }

 private:
  // Puts record's bytes back in their place; undoing turns it into a redo record, redoing into an undo one.
  void Restore(const TUndoData& record, bool undoing);

  TEditorScreenStrings& FOwner;
  int FListMax = DefaultListMax;
  bool FReRecording = false;
  TUndoDataList FRedoList;
  TUndoDataList FUndoList;
};

}  // namespace editor
