// What the editor control needs of the window it lives in; the Qt widget implements it, tests fake it.
#pragma once

#include "editor/base/editor_font.h"
#include "editor/base/geometry.h"

namespace editor {

// The mouse cursors the control shows.
// RightArrow and DragSelCopy are the control's own: an arrow pointing right over the left margin, and
// an arrow with a copy sign for dragging a copy of the selection.
enum class TCursorKind { Arrow, IBeam, Hand, DragMove, No, SizeAll, RightArrow, DragSelCopy };

class TEditorWindow {
 public:
  virtual ~TEditorWindow() = default;

  // Client area size in pixels.
  virtual int ClientWidth() const = 0;
  virtual int ClientHeight() const = 0;
  // The height of the screen the window is on, in pixels.
  virtual int ScreenHeight() const = 0;
  // Metrics of the given font as the window would draw it.
  virtual TFontMetrics MeasureFont(const TEditorFont& font) const = 0;

  // Invalidation and scrolling. Scroll moves the pixels of `area` by (dx, dy) and invalidates what it uncovers.
  virtual void Invalidate(const TRect& area) = 0;
  virtual void InvalidateAll() = 0;
  virtual void Scroll(int dx, int dy, const TRect& area) = 0;
  // Paints whatever is invalid now, before returning.
  virtual void Update() = 0;

  // The caret is the control's own: it draws it in its paint and only asks the window for a tick every
  // `interval` milliseconds to blink it (0 stops the ticks). Each tick reaches TEditor::CaretTick.
  virtual void SetCaretTimer(int interval) = 0;
  // How long the desktop shows (and hides) a blinking caret, in milliseconds; 0 when it does not blink.
  virtual int CaretBlinkTime() const = 0;

  virtual void SetCursor(TCursorKind cursor) = 0;
  virtual void SetMouseCapture(bool capture) = 0;
  virtual bool Focused() const = 0;
  virtual void SetFocus() = 0;
  // Where the input method shows its composition window (client coordinates of the caret).
  virtual void SetCompositionWindow(TPoint position) = 0;

  // The scroll bars of the control (it shows none in the note window, but keeps their ranges).
  virtual void SetScrollRange(bool vertical, int min, int max, int page, int position) = 0;
};

}  // namespace editor
