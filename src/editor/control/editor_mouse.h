// The mouse side of the editor: which cursor it shows, the state of a press, a row selection and a drag
// of the selection, and the cursor each state shows.
#pragma once

#include <cstdint>
#include <functional>

#include "editor/base/geometry.h"
#include "editor/control/editor_key.h"
#include "editor/props/editor_caret.h"
#include "editor/view/editor_window.h"

namespace editor {

class TEditor;

// The keys a drag of the selection listens to.

enum class TMouseButton : std::uint8_t { Left, Right, Middle };

// Which cursor the control shows; the owner reads it back (the note window restores it off a link).
enum TCursorState : std::uint8_t {
  curText,         // over the text, outside any selection that can be dragged
  curLeftMargin,   // left of the text area
  curTopMargin,    // above the text area
  curInSelection,  // over a selection that can be dragged
  curDragMove,     // dragging the selection to move it
  curDragCopy,     // dragging the selection with Ctrl held, to copy it
};

enum TSelDragState : std::uint8_t {
  sdNone,      // no drag
  sdPending,   // a press inside the selection waits to become a drag
  sdDragging,  // the selection is being dragged
};

// The cursor index of Caret.Cursors that a cursor state shows.
int CursorIndexOf(const TCursorIndices& cursors, TCursorState state);
// The platform cursor a cursor index stands for; indices that name no cursor of ours give the arrow.
TCursorKind CursorKindOf(int cursorIndex);

// A press, release or move as the platform reports it, after the control has handled it.
using TMouseEvent = std::function<void(TEditor& sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TEditor& sender, TShiftState shift, int x, int y)>;

// What the editor remembers between mouse messages.
struct TEditorMouseState {
  TCursorState CursorState = curText;
  TSelDragState SelDragState = sdNone;
  TPoint DownPoint;           // the last left press without Shift
  bool ButtonHeld = false;    // a left press the control follows (not one handed over to a drag)
  bool RowSelecting = false;  // whole rows follow the mouse
  int RowSelectRow = 0;       // the row the row selection started on

  // A held button or a drag holds the keyboard and the other buttons off.
  bool Busy() const { return ButtonHeld || SelDragState != sdNone; }
};

}  // namespace editor
