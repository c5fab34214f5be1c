// The Caret property object of the editor: caret and selection behaviour and the cursor for each cursor state.
#pragma once

#include <cstdint>

#include "editor/base/notify.h"

namespace editor {

enum TCaretStyle : std::uint8_t { csDefault, csBrief };
enum TSelDragMode : std::uint8_t { dmManual, dmAutomatic };

// Cursor indices of the platform's cursor table, as the control's form stores them.
inline constexpr int crDefault = 0;
inline constexpr int crIBeam = -4;
inline constexpr int crDrag = -12;
// The control's own cursors, registered under these indices at start-up.
inline constexpr int crRightArrow = 1958;
inline constexpr int crDragSelCopy = 1959;

// The values of TEditorCaret as one plain record, so the caret and editing code reads them as fields.
// Construction defaults; the note window's values are in editor_props_preset.cpp.
struct TCaretOptions {
  bool AutoCursor = true;  // the control sets its mouse cursor from its cursor state
  bool AutoIndent = true;
  bool BackSpaceUnIndent = true;
  bool FreeCaret = true;    // the caret may stand beyond the end of a row
  bool FreeRow = false;     // with FreeCaret off, a vertical move still keeps the column
  bool InTab = false;       // the caret may stand inside a tab's fill
  bool KeepCaret = false;   // remember the column a vertical move had to give up
  bool LockScroll = false;  // scrolling with the scroll bar moves the caret by as many rows
  bool NextLine = false;
  bool PrevSpaceIndent = false;
  bool RowSelect = true;  // a press in the left margin selects whole rows
  TSelDragMode SelDragMode = dmAutomatic;
  bool SelMove = true;  // the selection may be dragged at all
  bool SoftTab = false;
  TCaretStyle Style = csDefault;
  bool TabIndent = false;
  int TabSpaceCount = 8;  // 2, 4, 6 or 8
  bool TokenEndStop = false;
  bool operator==(const TCaretOptions&) const = default;
};

// The cursor each cursor state shows. Plain values: a change shows with the next cursor state change.
struct TCursorIndices {
  int DefaultCursor = crIBeam;
  int DragSelCursor = crDrag;
  int DragSelCopyCursor = crDragSelCopy;
  int InSelCursor = crDefault;
  int LeftMarginCursor = crRightArrow;
  int TopMarginCursor = crDefault;
  bool operator==(const TCursorIndices&) const = default;
};

class TEditorCursors : public TPersistent {
 public:
  const TCursorIndices& Values() const { return FValues; }
  int DefaultCursor() const { return FValues.DefaultCursor; }
  int DragSelCursor() const { return FValues.DragSelCursor; }
  int DragSelCopyCursor() const { return FValues.DragSelCopyCursor; }
  int InSelCursor() const { return FValues.InSelCursor; }
  int LeftMarginCursor() const { return FValues.LeftMarginCursor; }
  int TopMarginCursor() const { return FValues.TopMarginCursor; }
  void SetDefaultCursor(int value) { FValues.DefaultCursor = value; }
  void SetDragSelCursor(int value) { FValues.DragSelCursor = value; }
  void SetDragSelCopyCursor(int value) { FValues.DragSelCopyCursor = value; }
  void SetInSelCursor(int value) { FValues.InSelCursor = value; }
  void SetLeftMarginCursor(int value) { FValues.LeftMarginCursor = value; }
  void SetTopMarginCursor(int value) { FValues.TopMarginCursor = value; }
  void SetValues(const TCursorIndices& values) { FValues = values; }
  // Copies all six.
  void Assign(const TPersistent& source) override;

 private:
  TCursorIndices FValues;
};

// Every setter reports a change only when the value changes; Assign reports once, even when every value
// was equal already (the owner treats an assignment as a change: a Caret assignment empties the undo history).
class TEditorCaret : public TNotifyPersistent {
 public:
  static constexpr int MinTabSpaceCount = 2;
  static constexpr int MaxTabSpaceCount = 8;

  const TCaretOptions& Options() const { return FOptions; }
  // All values at once (TabSpaceCount clamped), one report when anything changed.
  void SetOptions(const TCaretOptions& value);

  bool AutoCursor() const { return FOptions.AutoCursor; }
  bool AutoIndent() const { return FOptions.AutoIndent; }
  bool BackSpaceUnIndent() const { return FOptions.BackSpaceUnIndent; }
  bool FreeCaret() const { return FOptions.FreeCaret; }
  bool FreeRow() const { return FOptions.FreeRow; }
  bool InTab() const { return FOptions.InTab; }
  bool KeepCaret() const { return FOptions.KeepCaret; }
  bool LockScroll() const { return FOptions.LockScroll; }
  bool NextLine() const { return FOptions.NextLine; }
  bool PrevSpaceIndent() const { return FOptions.PrevSpaceIndent; }
  bool RowSelect() const { return FOptions.RowSelect; }
  TSelDragMode SelDragMode() const { return FOptions.SelDragMode; }
  bool SelMove() const { return FOptions.SelMove; }
  bool SoftTab() const { return FOptions.SoftTab; }
  TCaretStyle Style() const { return FOptions.Style; }
  bool TabIndent() const { return FOptions.TabIndent; }
  int TabSpaceCount() const { return FOptions.TabSpaceCount; }
  bool TokenEndStop() const { return FOptions.TokenEndStop; }

  void SetAutoCursor(bool value) { Store(FOptions.AutoCursor, value); }
  void SetAutoIndent(bool value) { Store(FOptions.AutoIndent, value); }
  void SetBackSpaceUnIndent(bool value) { Store(FOptions.BackSpaceUnIndent, value); }
  void SetFreeCaret(bool value) { Store(FOptions.FreeCaret, value); }
  void SetFreeRow(bool value) { Store(FOptions.FreeRow, value); }
  void SetInTab(bool value) { Store(FOptions.InTab, value); }
  void SetKeepCaret(bool value) { Store(FOptions.KeepCaret, value); }
  void SetLockScroll(bool value) { Store(FOptions.LockScroll, value); }
  void SetNextLine(bool value) { Store(FOptions.NextLine, value); }
  void SetPrevSpaceIndent(bool value) { Store(FOptions.PrevSpaceIndent, value); }
  void SetRowSelect(bool value) { Store(FOptions.RowSelect, value); }
  void SetSelDragMode(TSelDragMode value) { Store(FOptions.SelDragMode, value); }
  void SetSelMove(bool value) { Store(FOptions.SelMove, value); }
  void SetSoftTab(bool value) { Store(FOptions.SoftTab, value); }
  void SetStyle(TCaretStyle value) { Store(FOptions.Style, value); }
  void SetTabIndent(bool value) { Store(FOptions.TabIndent, value); }
  // Limited to 2 .. 8 and made even (an odd value goes one down).
  void SetTabSpaceCount(int value) { Store(FOptions.TabSpaceCount, ClampTabSpaceCount(value)); }
  void SetTokenEndStop(bool value) { Store(FOptions.TokenEndStop, value); }
  static int ClampTabSpaceCount(int value);

  TEditorCursors& Cursors() { return FCursors; }
  const TEditorCursors& Cursors() const { return FCursors; }
  void SetCursors(const TEditorCursors& value) { FCursors.Assign(value); }

  // Copies every value and the cursors.
  void Assign(const TPersistent& source) override;

 private:
  TCaretOptions FOptions;
  TEditorCursors FCursors;
};

}  // namespace editor
