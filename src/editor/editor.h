// The text editor control as a controller: it owns (or shares) the row list and its Lines view, keeps
// the caret, and will receive the window's events and paint through interfaces that later parts add.
#pragma once

#include <memory>
#include <string>

#include "editor/column_map.h"
#include "editor/editor_strings.h"
#include "editor/editor_window.h"
#include "editor/notify.h"

namespace editor {

class TEditorScreenStrings;
class TEditorWrapOption;

// The caret rules the column adjustment follows. Construction defaults; the note window turns FreeCaret off.
struct TCaretOptions {
  bool FreeCaret = true;  // the caret may stand beyond the end of a row
  bool FreeRow = false;   // with FreeCaret off, a vertical move still keeps the column
  bool InTab = false;     // the caret may stand inside a tab's fill
  bool KeepCaret = false; // remember the column a vertical move had to give up
  int TabSpaceCount = 8;  // 2, 4, 6 or 8
};

class TEditor : public TObject {
 public:
  // An editor with a row list of its own.
  TEditor();
  // An editor that shows the same rows as `sharedWith` (and shares its undo history and wrap options).
  explicit TEditor(TEditor& sharedWith);
  ~TEditor() override;
  TEditor(const TEditor&) = delete;
  TEditor& operator=(const TEditor&) = delete;

  // --- Text.
  TEditorStrings& Lines() { return FLines; }
  TEditorScreenStrings& ListInfo() { return *FRows; }
  const TEditorScreenStrings& ListInfo() const { return *FRows; }
  bool WordWrap() const;
  void SetWordWrap(bool value);
  TEditorWrapOption& WrapOption();
  // Set by every change through ReplaceText, undo and redo; not by loading a whole text.
  bool Modified() const { return FModified; }
  void SetModified(bool value) { FModified = value; }
  // Raised with this editor as sender after every recorded change, once the outermost update ends.
  TNotifyEvent OnChange;

  // --- Undo.
  int UndoListMax() const;
  // Values below 64 become 64.
  void SetUndoListMax(int value);
  bool CanUndo() const;
  bool CanRedo() const;
  void Undo();
  void Redo();

  // --- Caret. Row runs 0 .. CaretRowLimit (the row count is the virtual row after a final break);
  // Col is a column of the row's column map and never rests on a second byte or (without InTab) in a
  // tab's fill.
  int Row() const { return FRow; }
  void SetRow(int row);
  int Col() const { return FCol; }
  void SetCol(int col);
  // Walks the rows from fromRow by offset bytes (CR LF counting 2) and puts the caret there. An offset
  // that falls on a wrap boundary lands at the start of the next row.
  void PlaceCaret(int fromRow, int offset);
  // The byte offset of (row, col) counted from fromRow, as PlaceCaret counts it.
  int CaretOffset(int fromRow, int row, int col) const;
  TCaretOptions& CaretOptions() { return FCaretOptions; }
  // Counted: the caret is hidden from the first HideCaret until the matching last ShowCaret.
  void HideCaret() { ++FCaretHideCount; }
  void ShowCaret();
  bool CaretHidden() const { return FCaretHideCount > 0; }

  // --- The window the control lives in and the clipboard; not owned, null until attached.
  TEditorWindow* Window() const { return FWindow; }
  void SetWindow(TEditorWindow* window) { FWindow = window; }
  TEditorClipboard* Clipboard() const { return FClipboard; }
  void SetClipboard(TEditorClipboard* clipboard) { FClipboard = clipboard; }

  // --- Scrolling (editor_scroll.cpp): brings the caret's cell into view after a caret move.
  void ScrollCaret();

  // --- Stand-ins for the window until it is attached: focus, the top row and the visible row count.
  bool Focused() const { return FFocused; }
  void SetFocused(bool value) { FFocused = value; }
  int TopRow() const { return FTopRow; }
  void SetTopRow(int row);
  int VisibleRows() const { return FVisibleRows; }
  void SetVisibleRows(int rows) { FVisibleRows = rows < 0 ? 0 : rows; }

  // --- Measuring rows.
  const TDelimiters& Delimiters() const { return FDelimiters; }
  TColumnRules ColumnRules() const;
  // The column map of a row (empty for the virtual row), as far as a caret ever needs it.
  std::string RowMap(int row) const;
  int RowWidth(int row) const { return static_cast<int>(RowMap(row).size()); }

  // --- Selection (none yet): removes the highlight without touching the text.
  void CleanSelection() {}

  // --- Called by the row list.
  // The text changed: a recorded change sets Modified and raises OnChange.
  void RowsChanged();
  // After the outermost update: caret row and top row back inside the rows.
  void ClampRows();
  // After every row was re-cut (wrap switched or options changed): rows clamped, caret column 0.
  void RowsRebuilt();
  // After the rows were cleared: caret at row 0, column 0.
  void ResetCaret();

 private:
  // Moves the column off second bytes and tab fills, towards `direction` (vertical moves go left).
  void AdjustCol(int direction, bool vertical);

  std::shared_ptr<TEditorScreenStrings> FRows;
  TEditorWindow* FWindow = nullptr;
  TEditorClipboard* FClipboard = nullptr;
  TEditorStrings FLines{*this};
  TDelimiters FDelimiters = kDefaultDelimiters;
  TCaretOptions FCaretOptions;
  bool FModified = false;
  bool FFocused = false;
  int FRow = 0;
  int FCol = 0;
  int FRememberedCol = -1;  // KeepCaret's column, -1 when none
  int FCaretHideCount = 0;
  int FTopRow = 0;
  int FVisibleRows = 0;
};

}  // namespace editor
