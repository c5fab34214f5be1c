// What the editor control needs of the window it lives in; the Qt widget implements it, tests fake it.
#pragma once

#include <string>

#include "editor/geometry.h"

namespace editor {

// The control's font as the core knows it: code page 932 face name, size in points, style bits, colour.
struct TEditorFont {
  std::string Name;
  int Size = 10;
  TFontStyles Style = 0;
  TColor Color = 0;
  bool operator==(const TEditorFont&) const = default;
};

// What GetTextMetricsA reports of a font, in pixels.
struct TFontMetrics {
  int Height = 0;  // ascent + descent
  int ExternalLeading = 0;
  int AveCharWidth = 0;  // the width of one half-width cell
  int Ascent = 0;
};

// The mouse cursors the control shows.
enum class TCursorKind { Arrow, IBeam, Hand, DragMove, DragCopy, No, SizeAll };

class TEditorWindow {
 public:
  virtual ~TEditorWindow() = default;

  // Client area size in pixels.
  virtual int ClientWidth() const = 0;
  virtual int ClientHeight() const = 0;
  // Metrics of the given font as the window would draw it.
  virtual TFontMetrics MeasureFont(const TEditorFont& font) const = 0;

  // Invalidation and scrolling. Scroll moves the pixels of `area` by (dx, dy) and invalidates what it uncovers.
  virtual void Invalidate(const TRect& area) = 0;
  virtual void InvalidateAll() = 0;
  virtual void Scroll(int dx, int dy, const TRect& area) = 0;
  // Paints whatever is invalid now, before returning.
  virtual void Update() = 0;

  // The caret, which the window draws and blinks.
  virtual void CreateCaret(int width, int height) = 0;
  virtual void DestroyCaret() = 0;
  virtual void SetCaretPos(TPoint position) = 0;
  virtual void ShowCaret() = 0;
  virtual void HideCaret() = 0;

  virtual void SetCursor(TCursorKind cursor) = 0;
  virtual void SetMouseCapture(bool capture) = 0;
  virtual bool Focused() const = 0;
  virtual void SetFocus() = 0;
  // Where the input method shows its composition window (client coordinates of the caret).
  virtual void SetCompositionWindow(TPoint position) = 0;

  // The scroll bars of the control (it shows none in the note window, but keeps their ranges).
  virtual void SetScrollRange(bool vertical, int min, int max, int page, int position) = 0;
};

// The clipboard: code page 932 text (ends at its first NUL) and the private box-selection flag.
class TEditorClipboard {
 public:
  virtual ~TEditorClipboard() = default;
  // Puts text on the clipboard; with `box`, also the "TEditor Box Type" format.
  virtual void SetText(const std::string& text, bool box) = 0;
  virtual bool HasText() const = 0;
  virtual std::string GetText() const = 0;
  // True when the clipboard holds the "TEditor Box Type" format.
  virtual bool HasBoxFormat() const = 0;
};

}  // namespace editor
