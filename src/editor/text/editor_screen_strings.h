// The editor's row list: the text as screen rows, the one place every edit goes through (ReplaceText),
// and the owner of the undo history and the wrap options that editors sharing the rows share too.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/text/column_map.h"
#include "editor/text/editor_wrap_option.h"
#include "editor/text/row_attribute_string_list.h"
#include "editor/text/row_states.h"
#include "editor/text/rows_watcher.h"

namespace editor {

class TEditorUndoObj;
struct TRecut;

// What the last change did, for the editors to repaint and to set Modified by.
struct TLastUpdate {
  int StartRow = 0;
  int OldRows = 0;
  int NewRows = 0;
  int ChangedRows = 0;  // rows whose tokenizer state was rewritten
  bool Recorded = false;
};

// A place in the text: byte Index of row Row's text; Index equal to the row's length is its end, before
// its line break. (Count, 0) is the place after a final line break.
struct TTextPos {
  int Row = 0;
  int Index = 0;
  bool operator==(const TTextPos&) const = default;
};

// Rows are numbered from 0; "text" is bytes with CR LF after every raBreak row. Out-of-range requests
// to the row operations are ignored; reading a field of a row outside the list raises EListError.
class TEditorScreenStrings : public TEditorStringList {
 public:
  TEditorScreenStrings();
  ~TEditorScreenStrings() override;
  TEditorScreenStrings(const TEditorScreenStrings&) = delete;
  TEditorScreenStrings& operator=(const TEditorScreenStrings&) = delete;

  // --- Attached editors, as watchers. The first is the one that created the list.
  void AttachWatcher(TRowsWatcher* watcher);
  void DetachWatcher(TRowsWatcher* watcher);
  int WatcherCount() const { return static_cast<int>(FWatchers.size()); }
  TRowsWatcher* Watchers(int index) const { return FWatchers.at(static_cast<std::size_t>(index)); }
  // The watcher whose caret undo records: the first attached one with the focus, else the first.
  TRowsWatcher* ActiveWatcher() const;

  // --- Settings shared by the attached editors.
  bool WordWrap() const { return FWordWrap; }
  // Re-cuts every row (WrapLines or UnwrapLines) when the value changes; clears the undo history.
  void SetWordWrap(bool value);
  TEditorWrapOption& WrapOption() { return *FWrapOption; }
  const TEditorWrapOption& WrapOption() const { return *FWrapOption; }
  TEditorUndoObj& UndoObj() { return *FUndoObj; }
  const TEditorUndoObj& UndoObj() const { return *FUndoObj; }
  // The map rules wrapping uses: the wrap flag and width, and the first editor's tab width and delimiters.
  TColumnRules ColumnRules() const;

  // --- Reading rows.
  // First row of the logical line holding row: steps back while the row before is raWrap.
  int LineStartRow(int row) const;
  // Last row of the logical line holding row: steps forward while the row is raWrap and not the last.
  // A negative row comes back unchanged.
  int LineEndRow(int row) const;
  // The first row an edit that begins in `row` may cut again: the rows before it keep their text and
  // place, so a caret placed by an offset from it lands where the edit meant. At most a few rows back.
  int EditAnchorRow(int row) const;
  // Joins rowCount rows from startRow (-1: to the end of the logical line), CR LF after raBreak rows.
  // A start row outside the list gives "", 0 rows and raNone.
  void GetRowsText(int startRow, int rowCount, TRowAttribute& lastAttribute, int& rowsTaken, std::string& text) const;
  std::string RowsText(int startRow, int rowCount) const;
  // The highest row a caret may stand on: the row count (the virtual row after a final break), or the
  // last row when the text ends without a break.
  int CaretRowLimit() const;
  // Logical line <-> row. LineToRow of the line count is the row count; beyond it, EListError; with
  // word wrap on, a line before the first gives row 0.
  int LineToRow(int line) const;
  int RowToLine(int row) const;
  // The number of logical lines.
  int LineCount() const;

  // --- Changing rows. All edits end in ReplaceText (or ReplaceBytes), which re-cuts the rows the change
  // reaches, records one undo step and notifies the editors.
  void ReplaceText(int startRow, int rowCount, std::string_view text);
  // Replaces `count` bytes at byte `index` of the text that begins at row `row` (CR LF counting 2; the bytes
  // may run on over rows) with text: the change ReplaceText of those rows with the edited text makes,
  // without handing their whole text over.
  void ReplaceBytes(int row, int index, int count, std::string_view text);
  // Overwrites rowCount rows from startRow with every row of source (text, words, scan text, row data).
  void ReplaceRows(int startRow, int rowCount, const TEditorStringList& source);
  // Removes rows; returns the union of their marks.
  TRowMarks DeleteRows(int startRow, int rowCount);
  void NoteUpdate(int startRow, int oldRows, int newRows, int changedRows);
  const TLastUpdate& LastUpdate() const { return FLastUpdate; }
  // Removes the selection in every editor, empties the undo history, the rows and the list marks, and
  // puts every editor's caret at row 0, column 0. Records no change.
  void Clear() override;
  // Replaces all rows with the text: with word wrap off one raBreak row per line (raEnd for a last line
  // without a break), with it on each line cut by the wrap rules. A NUL ends the text.
  void LoadText(std::string_view text);
  // Appends a fresh row (the loading form of Add: no change is recorded).
  void AppendRow(std::string_view text, TRowAttribute attribute);

  // --- Wrapping.
  // Cuts text into rows into target: one empty raBreak row for an empty text; with word wrap off one row
  // per line; with it on, each line cut by the wrap rules. Line breaks inside text are CR LF, CR or LF.
  void SplitToRows(std::string_view text, TEditorStringList& target) const;
  // How many rows SplitToRows makes of one line.
  int RowsNeeded(std::string_view line) const;
  // Re-cuts every logical line (word wrap on); marks follow their rows.
  void WrapLines();
  // Joins every logical line into one row (word wrap off).
  void UnwrapLines();

  // --- Undo (forwarded to the undo object).
  void Undo();
  void Redo();

  // --- Row marks in use in the text.
  TRowMarks ListMarks() const { return FListMarks; }
  void IncludeListMarks(TRowMarks marks) { FListMarks = static_cast<TRowMarks>(FListMarks | marks); }
  void ExcludeListMarks(TRowMarks marks) { FListMarks = static_cast<TRowMarks>(FListMarks & ~marks); }

  // --- Tokenizer start states (see row_states.h). States is not owned; nullptr restores the lazy default.
  void SetRowStates(TRowStates* states) { FRowStates = states ? states : &FLazyStates; }
  int UpdateStates(int fromRow, bool notify) { return FRowStates->UpdateStates(*this, fromRow, notify); }
  void ResetStates() { FRowStates->ResetStates(*this); }
  // Which stored start states are up to date: one mark, the rows below it, less the rows a change has
  // just replaced (until UpdateStates reaches them). A change, a load or a re-cut moves the mark, so
  // nothing has to be written into the rows that fall out of date.
  bool StateComputed(int row) const {
    return row >= 0 && row < FStatesValidTo && (row < FHoleStart || row >= FHoleEnd);
  }
  // The first row of the run of rows not computed that ends just before row (row itself when the row
  // before it is computed or there is none).
  int UncomputedRunStart(int row) const;
  // Stores a computed start state. Rows are stored in order from the first one not computed, and each
  // stored that way becomes computed.
  void StoreRowState(int row, const TRowAttributeData& data);
  // Every row from row on counts as not computed.
  void DropStatesFrom(int row);

 protected:
  std::string GetTextStr() const override;
  void SetUpdateState(bool updating) override;

 private:
  friend class TEditorUndoObj;  // restores its records through ApplyChange

  // What a change did, for its undo record: from StartRow's start, Offset bytes on, the text now holds
  // InsertedLength new bytes where it held Removed.
  struct TAppliedChange {
    int StartRow = 0;
    int Offset = 0;
    int InsertedLength = 0;
    std::string Removed;
  };

  void NotifyWatchers(TObject* sender);
  void WrapOptionChanged(TObject* sender);
  // After the wrap flag or a wrap option changed: clear undo, re-cut all rows, reset states, tell editors.
  void RebuildRows();
  // Runs recut over every row inside one silent update (selections cleared); recut gets the attribute
  // the last row must end with.
  void RecutEveryRow(void (TEditorScreenStrings::*recut)(TRowAttribute lastAttribute));
  void WrapRows(TRowAttribute lastAttribute);
  void UnwrapRows(TRowAttribute lastAttribute);
  void RowsReplaced(int at, int removed, int added) override;

  // The text position `bytes` after (row, index); CR LF counts 2. A position past a raBreak row's break
  // is the next row's start; the end of the text is the last row's end, or (Count, 0) after a final break.
  TTextPos Advance(TTextPos from, int bytes) const;
  // The bytes between two positions, CR LF for each break.
  std::string TextBetween(TTextPos from, TTextPos to) const;
  // The one change every edit, undo and redo is made of: the bytes between start and end give way to
  // inserted (line breaks as CR LF). Re-cuts from EditAnchorRow of start's row until a new row starts
  // where an old one did (a change that keeps its row's cut changes only the row's bytes), moves the
  // marks with their rows, brings the start states up to date and notes the update. pushMarksDown: marks
  // of a row whose text was pushed down go with it.
  TAppliedChange ApplyChange(TTextPos start, TTextPos end, std::string_view inserted, bool pushMarksDown);
  // With word wrap on: whether the change leaves its row, a whole line, one row of the same line.
  bool StaysOneRow(int anchor, TTextPos start, TTextPos end, std::string_view inserted) const;
  // ApplyChange as an edit: one undo record with the active editor's caret, marks pushed down with the
  // text when that caret stands at column 0.
  void RecordChange(TTextPos start, TTextPos end, std::string_view inserted);
  // The marks of old rows [first, first + oldCount) given to the new rows: rows before the change row
  // keep their place, rows after the change's last row keep theirs from the end, and the changed rows
  // hand theirs to the row where the change begins (pushed down with added rows when pushDown). Returns
  // the marks no new row took (there is none).
  TRowMarks MoveMarks(int first, int oldCount, TRowChunk& rows, int keptBefore, int keptAfter, bool pushDown) const;
  // Marks of deleted rows go to the row now at min(row, last row), or leave the list when no row is left.
  void MergeDeletedMarks(TRowMarks marks, int row);

  std::vector<TRowsWatcher*> FWatchers;
  bool FWordWrap = false;
  TLastUpdate FLastUpdate;
  TRowMarks FListMarks = 0;
  std::unique_ptr<TEditorUndoObj> FUndoObj;
  std::unique_ptr<TEditorWrapOption> FWrapOption;
  TLazyRowStates FLazyStates;
  TRowStates* FRowStates = &FLazyStates;
  std::unique_ptr<TRecut> FRecut;  // ApplyChange's buffers, kept from edit to edit
  int FStatesValidTo = 0;
  int FHoleStart = 0;
  int FHoleEnd = 0;
};

}  // namespace editor
