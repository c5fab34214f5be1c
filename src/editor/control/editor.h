// The text editor control as a controller: it owns (or shares) the row list and its Lines view, turns the
// window's events into calls on its parts (caret, selection, viewport, colour-scheme link, properties)
// and watches its rows through the text layer's watcher interface.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/base/notify.h"
#include "editor/control/caret_model.h"
#include "editor/control/caret_rules.h"
#include "editor/control/editor_box.h"
#include "editor/control/editor_clipboard.h"
#include "editor/control/editor_key.h"
#include "editor/control/editor_mouse.h"
#include "editor/control/editor_selection.h"
#include "editor/props/editor_properties.h"
#include "editor/syntax/editor_fountain_link.h"
#include "editor/syntax/token.h"
#include "editor/text/column_map.h"
#include "editor/text/editor_strings.h"
#include "editor/text/rows_watcher.h"
#include "editor/view/editor_viewport.h"
#include "editor/view/editor_window.h"
#include "editor/view/hit_test.h"

namespace editor {

class TEditorImageList;
class TEditorScreenStrings;
class TEditorWrapOption;

// A token found under a point.
struct TTokenHit {
  std::string Text;  // its bytes; empty when nothing was hit
  TTokenKind Kind = tokEnd;
  int LineStartRow = -1;  // the first row of the logical line it lies in
  int Pos = -1;           // its byte offset in that logical line
};

// What EM_CHARFROMPOS finds under a point: a byte offset in the text and the row holding it.
struct TCharPos {
  int Offset = 0;
  int Row = 0;
  bool operator==(const TCharPos&) const = default;
};

class TEditor : public TObject, public TRowsWatcher {
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
  // The row list (the screen rows the text is cut into), shared with every editor made from this one.
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
  int Row() const { return FCaret.Row; }
  void SetRow(int row);
  int Col() const { return FCaret.Col; }
  void SetCol(int col);
  // Walks the rows from fromRow by offset bytes (CR LF counting 2) and puts the caret there. An offset
  // that falls on a wrap boundary lands at the start of the next row.
  void PlaceCaret(int fromRow, int offset) override;
  // The byte offset of (row, col) counted from fromRow, as PlaceCaret counts it.
  int CaretOffset(int fromRow, int row, int col) const;
  // The Caret property's values (editor_props_caret.h); change them through Caret().
  const TCaretOptions& CaretOptions() const { return FProps.Caret().Options(); }
  // Counted: the caret is hidden from the first HideCaret until the matching last ShowCaret.
  void HideCaret() override;
  void ShowCaret() override;
  bool CaretHidden() const { return FCaretModel.Hidden(); }
  // The caret as it shows: existence (focus), shape, pixel place and blink phase.
  const TCaretModel& CaretModel() const { return FCaretModel; }
  // The window's blink timer fired.
  void CaretTick() { FCaretModel.Tick(); }
  // Counted like the caret's: the caret-row underline is not drawn from the first BeginUnderlineHide
  // until the matching last EndUnderlineHide (around scrolls, which would carry its pixels along).
  void BeginUnderlineHide();
  void EndUnderlineHide();
  int UnderlineHideCount() const { return FUnderlineHideCount; }

  // --- The window the control lives in and the clipboard; not owned, null until attached.
  TEditorWindow* Window() const { return FWindow; }
  // Attaching a window computes the metrics and scroll ranges (what creating the window handle does).
  void SetWindow(TEditorWindow* window);
  TEditorClipboard* Clipboard() const { return FClipboard; }
  void SetClipboard(TEditorClipboard* clipboard) { FClipboard = clipboard; }

  // --- Focus. Without a window, SetFocused stands in for it (tests, the active-editor rule).
  bool Focused() const { return FFocused; }
  void SetFocused(bool value) { FFocused = value; }
  // WM_SETFOCUS and WM_KILLFOCUS: the caret exists only while the control has the focus.
  void FocusIn();
  void FocusOut();

  // --- View and scrolling (view/editor_viewport.h holds the arithmetic, editor_scroll.cpp applies it).
  const TEditorViewport& Viewport() const { return FViewport; }
  int TopRow() const override { return FViewport.TopRow(); }
  // Scrolls the view to a row (0 .. row count), moving the window's pixels and raising OnTopRowChange
  // when it changed. Without a window the value is only stored.
  void SetTopRow(int row);
  int TopCol() const { return FViewport.TopCol(); }
  // Scrolls to a column (0 .. MaxCols - VisibleCols div 2), raising OnTopColChange when it changed.
  void SetTopCol(int col);
  int VisibleRows() const override { return FViewport.VisibleRows(); }
  int VisibleCols() const { return FViewport.VisibleCols(); }
  // Without a window: the visible row count a window would give (tests, a control kept off screen).
  void SetVisibleRows(int rows);
  // The view and the caret move together by delta rows (the page keys).
  void ScrollRows(int delta);
  // WM_VSCROLL and WM_HSCROLL; position: the thumb's track position for the thumb requests.
  void VScroll(TScrollRequest request, int position);
  void HScroll(TScrollRequest request, int position);
  // EM_SCROLLCARET: a caret outside the view brings it to a third of the view.
  void ScrollCaretMessage();
  // After a caret move: scrolls just enough rows to show the caret row (the caret column, when out of
  // view, goes to a third of the view as EM_SCROLLCARET puts it) and puts the caret on its cell.
  void ScrollCaret();
  // The view scrolled while a key repeated: the input method's composition window waits for the key's
  // release (or the next typed character) to follow the caret.
  bool CompositionPending() const { return FCompositionPending; }
  // The window was resized: new metrics and scroll ranges, everything repainted.
  void Resize();
  // Raised after the top row or column changed and the window was scrolled; the sender is the editor.
  TNotifyEvent OnTopRowChange;
  TNotifyEvent OnTopColChange;

  // --- Properties (editor_props*.cpp). Assigning to a property object copies values into the editor's own.
  TEditorProperties& Properties() { return FProps; }
  TEditorCaret& Caret() { return FProps.Caret(); }
  const TEditorCaret& Caret() const { return FProps.Caret(); }
  TEditorViewInfo& View() { return FProps.View(); }
  TEditorMargin& Margin() { return FProps.Margin(); }
  TEditorMarks& Marks() { return FProps.Marks(); }
  TEditorLeftbar& Leftbar() { return FProps.Leftbar(); }
  TEditorRuler& Ruler() { return FProps.Ruler(); }
  TEditorImagebar& Imagebar() { return FProps.Imagebar(); }
  TEditorSpeed& Speed() { return FProps.Speed(); }
  const TEditorSpeed& Speed() const { return FProps.Speed(); }
  TBorderStyle BorderStyle() const { return FProps.Settings().BorderStyle; }
  void SetBorderStyle(TBorderStyle value);
  TColor Color() const { return FProps.Settings().Color; }
  void SetColor(TColor value);
  const TEditorFont& Font() const { return FProps.Settings().Font; }
  void SetFont(const TEditorFont& value);
  TEditorHitStyle HitStyle() const { return FProps.Settings().HitStyle; }
  // A change clears any selection.
  void SetHitStyle(TEditorHitStyle value);
  TScrollStyle ScrollBars() const { return FProps.Settings().ScrollBars; }
  void SetScrollBars(TScrollStyle value);
  // Marks length bytes from the caret as a hit, as HitStyle says.
  int HitLength() const { return FProps.Settings().HitLength; }
  void SetHitLength(int length);
  // The image bar's pictures (not owned): digits for row marks 0 to 9, marks for 10 to 15; nullptr
  // (the default) draws the built-in ones. A list that is destroyed clears its property and repaints.
  TEditorImageList* ImageDigits() const { return FImageDigits; }
  void SetImageDigits(TEditorImageList* images) { SetImages(FImageDigits, images); }
  TEditorImageList* ImageMarks() const { return FImageMarks; }
  void SetImageMarks(TEditorImageList* images) { SetImages(FImageMarks, images); }
  // The reserved words of View's scheme; a different list resets the start states and repaints.
  const std::vector<std::string>& ReserveWordList() const;
  void SetReserveWordList(std::vector<std::string> words);
  // An external colour scheme (not owned), or nullptr for View's own; the active one colours the text.
  TFountain* Fountain() const { return FFountainLink.Fountain(); }
  void SetFountain(TFountain* fountain) { FFountainLink.SetFountain(fountain); }
  TFountain* ActiveFountain() const { return FFountainLink.ActiveFountain(); }
  // The start states this editor computes (installed on the rows by the editor that made them).
  TTokenRowStates& TokenRowStates() { return FFountainLink.RowStates(); }
  // The change handler of every property object and of an external scheme.
  void PropertyChanged(TObject* sender);

  // --- Measuring rows.
  const TDelimiters& Delimiters() const { return FDelimiters; }
  TColumnRules ColumnRules() const override;
  // The column map of a row (empty for the virtual row); with columns, at least that far. Kept until the
  // rows change or another row is asked for, and reused while it reaches far enough.
  const std::string& RowMap(int row, std::size_t columns = std::string::npos) const;
  // The byte index of column col of a row (past the last byte for a column past the end), reading the
  // row's map only as far as that column.
  int ByteIndexOfCol(int row, int col) const;
  // Whether a row's first `bytes` bytes hold no tab, so that there a column and its byte index are one
  // number; false for the virtual row.
  bool TabFreeBefore(int row, int bytes) const;
  int RowWidth(int row) const { return static_cast<int>(RowMap(row).size()); }

  // --- Selection and editing (editor_selection.cpp, editor_edit.cpp, editor_keys.cpp,
  // editor_chars.cpp, editor_clipboard.cpp; the edit messages are TEditorMessages).
  const TEditorSelection& Selection() const { return FSelection; }
  // Box mode: selections are rectangles of rows and columns, and the edits act on each row's part.
  void SetBoxMode(bool value);
  bool BoxMode() const { return FSelection.BoxMode(); }
  // A box selection is there (over more than one cell boundary: a column of carets after an edit too).
  bool BoxSelected() const;
  // Row marks "0" to "9" of the control's own menu: a mark stands on one row at a time and follows it
  // through edits; jumping puts the caret at the start of the marked row (nothing when unset).
  void PutRowMark(int mark);
  void GotoRowMark(int mark);
  bool RowMarkSet(int mark) const;
  // True when text is selected (a selection holding at least one byte; a hit highlight is none).
  bool SelectionActive() const;
  // Removes the selection highlight without changing the text; the caret stays.
  void CleanSelection();
  // Byte offsets, CR LF counting 2. Writing SelStart removes the selection and moves the caret;
  // writing SelLength selects that many bytes from the selection's start (or the caret).
  int SelStart() const;
  void SetSelStart(int offset);
  int SelLength() const;
  void SetSelLength(int length);
  void SelectAll();
  // Marks length bytes from startOffset as a hit highlight; the caret goes to its end.
  void SetHitSelection(int startOffset, int length);
  std::string SelText() const;
  void SetSelText(std::string_view text);
  void DeleteSelection();
  // Inserts at the caret or replaces the selection (typed characters and input-method results).
  void PutText(std::string_view text);
  // The same for pasted text; an empty text deletes the selection.
  void SetSelTextBuf(std::string_view text);
  void CopyToClipboard();
  void CutToClipboard();
  // A box on the clipboard is pasted as a box, anything else as text.
  void PasteFromClipboard();
  // The clipboard's text as a box: one line a row from the caret's column (or in the box's place).
  void BoxPasteFromClipboard();
  TSelectionChangeEvent OnSelectionChange;
  // The window's key and character events. repeat: the key was already down (auto-repeat).
  void KeyDown(TEditorKey key, TShiftState shift, bool repeat);
  void KeyUp();
  bool KeyRepeating() const { return FKeyRepeating; }
  // One WM_CHAR: a lead byte waits for the trail byte of the next call; a lead byte followed by
  // anything else (or by a key press) is dropped.
  void KeyChar(unsigned char code, TShiftState shift = 0);
  // The input method's result string; the character messages repeating it are then dropped.
  void ImeResult(std::string_view text);
  // The candidate window opened (the caret hides) or closed (it shows again).
  void ImeNotify(bool candidateOpen);
  bool ReadOnly() const { return FReadOnly; }
  // Ignored while the selection is being dragged; switching it on over a selection shows the text
  // cursor at once, since the selection can no longer be dragged.
  void SetReadOnly(bool value);
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool value) { FWantTabs = value; }
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool value) { FWantReturns = value; }
  bool Overtype() const { return FOvertype; }
  void SetOvertype(bool value) { FOvertype = value; }
  // Row lengths and offsets: the text's length (CR LF counting 2), a row's length (0 for the virtual
  // row), what a row adds to an offset, and the offset of byte index of row counted from fromRow.
  int TextLength() const;
  int RowLength(int row) const;
  int RowSpan(int row) const;
  int OffsetFrom(int fromRow, int row, int index) const;

  // --- Hit testing and mouse (editor_hittest.cpp, editor_mouse.cpp, editor_mouse_drop.cpp). Points
  // are client coordinates.
  // The screen column and row under a point; with nearest, the cell boundary nearest to it.
  TColRow PointToColRow(int x, int y, bool nearest) const;
  // The row and byte index under a point; false (with -1 for what was not found) off the text.
  bool TextPosFromPoint(TPoint point, int& row, int& index) const;
  // The token under a point (kind 0 and empty text for none), parsed with the active scheme from its
  // line's start state when useFountain; brackets count only with useBrackets.
  TTokenHit FindTokenAt(TPoint point, bool useFountain, bool useBrackets);
  TTokenKind TokenKindAtPoint(TPoint point);
  std::string TokenAtPoint(TPoint point);
  // The same at the left edge of the caret's cell: the token at or running through the next character.
  TTokenKind TokenKindAtCaret();
  std::string TokenAtCaret();
  // Selects the token under a point; false when there is none.
  bool SelectTokenAt(TPoint point, bool useFountain, bool useBrackets);
  // Whether a screen row and column lie inside the current selection.
  bool IsInSelection(int row, int col) const;
  bool CanDragSelection() const;
  TCursorState CursorState() const { return FMouse.CursorState; }
  // Applies the state's cursor (only with Caret.AutoCursor); nothing when the state is unchanged.
  void SetCursorState(TCursorState state);
  TSelDragState SelDragState() const { return FMouse.SelDragState; }
  bool RowSelecting() const { return FMouse.RowSelecting; }
  // The window's mouse messages; each raises the matching event after the control's own handling.
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void MouseMove(TShiftState shift, int x, int y);
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  // The second press of a double click (the control takes it as no press of its own).
  void DoubleClick(TMouseButton button, TShiftState shift, int x, int y);
  // While the left button is held or a drag is pending or active, keys, characters and the wheel are
  // filtered: each returns false when the message is to be dropped instead of handled.
  bool PassKeyDown(TEditorKey key, TShiftState shift);
  bool PassKeyUp(TEditorKey key);
  bool PassChar() const;
  bool PassMouseWheel() const;
  // EM_CHARFROMPOS: the offset and row under a client point (the nearest row outside the rows); false
  // for a point outside the client area.
  bool CharFromPos(int x, int y, TCharPos& found) const;
  // EM_POSFROMCHAR: the client position of the character at offset.
  TPoint PosFromChar(int offset) const;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnDblClick;

 private:
  // --- TRowsWatcher: what the row list tells this editor and asks of it (editor.cpp).
  // The text changed: a recorded change sets Modified and raises OnChange.
  void RowsChanged() override;
  // After the outermost update: caret row and top row back inside the rows.
  void RowsUpdateEnded() override;
  void RowsReplacingAll() override { CleanSelection(); }
  // After the rows were cleared: caret at row 0, column 0.
  void RowsCleared() override;
  // After every row was re-cut (wrap switched or options changed): rows clamped, caret column 0.
  void RowsRebuilt() override;
  void RowRestyled(int row) override { InvalidateRow(row); }
  TCaretPos CaretPos() const override { return {FCaret.Row, FCaret.Col}; }
  // The rows of the screen's height (the view's rows without a window): start states are computed two
  // such screens ahead.
  int ScreenRows() const override;
  void MoveCaret(TCaretPos caret) override;
  void DropSelection() override { CleanSelection(); }
  bool HasFocus() const override { return FFocused; }
  TRowStates& StartStates() override { return FFountainLink.RowStates(); }

  // The rules that keep a caret on whole characters, with this editor's options and rows.
  TCaretRules CaretRules() const;
  // Moves the column off second bytes and tab fills, towards `direction` (vertical moves go left).
  void AdjustCol(int direction, bool vertical);

  std::shared_ptr<TEditorScreenStrings> FRows;
  TEditorWindow* FWindow = nullptr;
  TEditorClipboard* FClipboard = nullptr;
  TEditorStrings FLines{*FRows, *this};
  TDelimiters FDelimiters = kDefaultDelimiters;
  bool FModified = false;
  bool FFocused = false;
  TCaret FCaret;
  // RowMap's last map: its row, the columns asked for, the rows' change count and the rules it was built
  // with.
  mutable std::string FMap;
  mutable std::size_t FMapColumns = 0;
  mutable int FMapRow = -1;
  mutable std::uint64_t FMapChanges = 0;
  mutable TColumnRules FMapRules;
  TCaretModel FCaretModel;

  // --- View and scrolling; Properties
  // Installs the start states (ownsRows: this editor made the rows) and wires the property objects.
  void ConnectParts(bool ownsRows);
  // The active scheme changed: every start state again, everything repainted.
  void ResetFountainStates();
  // Recreates the caret in the Caret style (while the control has the focus) and puts it on its cell.
  void ResetWindowCaret();
  void SetImages(TEditorImageList*& property, TEditorImageList* images);
  void ImagesDestroyed(TObject* sender);
  TEditorImageList* FImageDigits = nullptr;
  TEditorImageList* FImageMarks = nullptr;
  // Measures the font through the window and lays out the view (what creating the window computes).
  void InitMetrics();
  // The scroll ranges follow the rows; the window's scroll bars show them.
  void UpdateScrollBars();
  bool VerticalBar() const;
  bool HorizontalBar() const;
  // Moves the window's pixels, keeping the caret's pixels out of them, and paints what they uncover.
  void ScrollPixels(int dx, int dy, const TRect& area);
  // Before pixels move by (dx, dy): the caret's place and the place its pixels go to are painted again.
  void KeepCaretOutOfScroll(int dx, int dy);
  // The pixels of a row's caret-row underline are painted again (drawn or erased), when it shows at all.
  void InvalidateUnderline(int row);
  // Repaints after the rows changed: from the row store's record of a recorded change, or everything
  // after a change that left no record (a loaded text).
  void RepaintAfterChange();
  // The column the caret shows in: its own, or the view's last one while it stands further on a long row.
  int ShownCol() const;
  // Puts the caret model on the caret's cell.
  void PlaceCaretModel();
  // Repaints one row when it is on screen.
  void InvalidateRow(int row);
  // After a scroll: the composition window follows now, or once the repeating key is released.
  void CompositionAfterScroll();
  void MoveCompositionWindow();
  TEditorProperties FProps{MethodEvent<&TEditor::PropertyChanged>(this)};
  TEditorViewport FViewport;
  bool FCompositionPending = false;
  int FUnderlineHideCount = 0;
  int FUnderlineRow = 0;  // the row the caret-row underline was last drawn on
  TEditorFountainLink FFountainLink{&FProps.View().Fountain(), MethodEvent<&TEditor::PropertyChanged>(this),
                                    [this] { ResetFountainStates(); }};

  // --- Selection and editing
  // The caret as the selection remembers it: row, byte index and column.
  TSelectionPos CaretSelectionPos() const;
  int CaretIndex() const;
  void SelectionChanged();
  void BeginSelection();
  void ExtendSelection();
  void MoveKey(TEditorKey key, TShiftState shift);
  void ScrollLines(int delta);
  std::vector<int> WordStops(int row) const;
  void WordLeft();
  void WordRight();
  bool DeleteKeyNeedsText();
  void DeleteKey();
  void BackspaceChar();
  void TabChar(TShiftState shift);
  void ReturnChar(bool shift);
  // editor_indent.cpp: the white space a new line opened at the caret starts with (empty without
  // AutoIndent), and Backspace's un-indent of the caret row's text at byte index (false when it
  // does not apply and an ordinary Backspace should run).
  std::string NewLineIndent() const;
  bool UnIndentBack(const std::string& text, int index);
  void TypeChars(std::string_view chars);
  // editor_box.cpp: the box selection's rectangle, the bytes of a row between two box edges, the text
  // a box copies (its rows' parts joined by CR LF, empty when they all are), and the box edits.
  TBoxRect BoxRect() const;
  TBoxPart BoxPart(int row, int left, int right) const;
  std::string BoxText() const;
  void EditBox(const TBoxEdit& edit);
  // After an edit: a box from row top to bottom at the caret's column.
  void KeepColumnCaret(int top, int bottom);
  // Every row's part of the box becomes line (typing; "" deletes).
  void ReplaceBox(std::string_view line);
  // Backspace or Delete on every row of a column of carets.
  void BoxCharKey(bool backspace);
  void PasteBox(std::string_view text);
  void SelectAllAsBox();
  void ReplaceSelection(const std::string& s);
  void Overwrite(int index, const std::string& s);
  // ReplaceText with the caret hidden, then the caret offset bytes after the start of fromRow.
  void EditRows(int startRow, int rowCount, std::string_view text, int fromRow, int offset);
  TEditorSelection FSelection;
  bool FReadOnly = false;
  bool FWantTabs = true;
  bool FWantReturns = true;
  bool FOvertype = false;
  bool FKeyRepeating = false;
  bool FImeCandidateOpen = false;
  unsigned char FPendingLead = 0;  // a lead byte waiting for its trail byte
  int FImeCount = 0;               // bytes of character messages still to drop after an IME result
  bool FAltBox = false;            // box mode is on for a selection made with Alt, not by the menu

  // --- Hit testing and mouse
  // Puts the caret on a cell (clamped; off second bytes and tab fills towards direction) and into view.
  void MoveCaretToCell(int row, int col, int direction);
  void LeftButtonDown(TShiftState shift, int x, int y);
  void SelectRowAt(int row);
  void ExtendRowSelection(int row);
  // The selection as anchor and caret when whole rows from `from` to `to` are selected.
  void SelectWholeRows(int from, int to);
  void Drop(TShiftState shift, int x, int y);
  void MoveSelectionToCaret();
  void CopySelectionToCaret();
  void UpdateCursorState(int x, int y);
  void CancelDrag();
  TEditorMouseState FMouse;
};

}  // namespace editor
