// What the text layer tells the editors that show its rows, and the little it asks of them: the rows
// report through this interface and never call a controller.
#pragma once

#include "editor/text/column_map.h"

namespace editor {

class TRowStates;

// A caret position as the rows see it: a screen row and a column of that row's column map.
struct TCaretPos {
  int Row = 0;
  int Col = 0;
  bool operator==(const TCaretPos&) const = default;
};

// An editor that shows a row list. The row list calls it; the first watcher attached is the one that
// made the rows, whose tab width the rows are cut with and whose start states they keep.
class TRowsWatcher {
 public:
  virtual ~TRowsWatcher() = default;

  // --- Told.
  // The rows changed (once the outermost update of the change has ended).
  virtual void RowsChanged() = 0;
  // The outermost update ended: the caret and the view must lie inside the rows again.
  virtual void RowsUpdateEnded() = 0;
  // Every row is about to be replaced (cleared or re-cut): a selection over them means nothing any more.
  virtual void RowsReplacingAll() = 0;
  // The rows were cleared: the caret goes to the start.
  virtual void RowsCleared() = 0;
  // Every row was re-cut for new wrap settings.
  virtual void RowsRebuilt() = 0;
  // A row's start state changed, so its colours may have: repaint it where it shows.
  virtual void RowRestyled(int row) = 0;

  // --- The caret, for the undo history and the line view.
  virtual TCaretPos CaretPos() const = 0;
  // Counted hiding around a change the caret must not be drawn during.
  virtual void HideCaret() = 0;
  virtual void ShowCaret() = 0;
  // Puts the caret on a row and column (as an undo step restores it).
  virtual void MoveCaret(TCaretPos caret) = 0;
  // Puts the caret `offset` bytes after the start of `fromRow`, CR LF counting 2.
  virtual void PlaceCaret(int fromRow, int offset) = 0;
  // Drops the selection (the line view replaces text under it).
  virtual void DropSelection() = 0;

  // --- Asked.
  // The editor with the focus records its caret in the undo history.
  virtual bool HasFocus() const = 0;
  // The tab width and delimiters rows are measured with.
  virtual TColumnRules ColumnRules() const = 0;
  // The view, for how far ahead of an edit the start states are computed: two screens of ScreenRows
  // (the rows the screen's height holds) below the top row.
  virtual int TopRow() const = 0;
  virtual int VisibleRows() const = 0;
  virtual int ScreenRows() const { return VisibleRows(); }
  // The start states this watcher computes (taken over by the rows when the first watcher leaves).
  virtual TRowStates& StartStates() = 0;
};

}  // namespace editor
