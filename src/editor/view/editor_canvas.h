// The surface the editor paints on: cell-by-cell text output, fills and one-pixel lines; the Qt layer
// implements it over QPainter and tests record its calls.
#pragma once

#include <cstdint>
#include <string_view>

#include "editor/base/editor_font.h"
#include "editor/base/geometry.h"

namespace editor {

class TEditorImageList;

// Output options of a text output, as ExtTextOutA takes them.
using TTextOutOptions = std::uint8_t;
inline constexpr TTextOutOptions etoClipped = 1;  // nothing is drawn outside Clip
inline constexpr TTextOutOptions etoOpaque = 2;   // Clip is filled with BkColor before the glyphs

// One text output. Byte i of Text occupies the cell from X + i * CellWidth, one cell wide, so a
// double-byte character spans two cells and the canvas never measures glyphs to place them. Text is
// code page 932 and is converted only by the canvas. Without etoOpaque, a BkColor other than clNone
// fills the cells behind the text (an opaque brush); clNone leaves them alone (a clear brush).
struct TTextOut {
  int X = 0;
  int Y = 0;
  TRect Clip;
  TTextOutOptions Options = 0;
  std::string_view Text;
  int CellWidth = 0;
  TColor Color = 0;
  TColor BkColor = clNone;
  TFontStyles Style = 0;
};

class TEditorCanvas {
 public:
  virtual ~TEditorCanvas() = default;

  // The rectangle the window asks to be painted.
  virtual TRect ClipRect() const = 0;
  // The face and size every following text output uses; style and colours come with each output.
  virtual void SetFont(const TEditorFont& font) = 0;
  virtual void TextOut(const TTextOut& out) = 0;
  virtual void FillRect(const TRect& rect, TColor color) = 0;
  // A solid one-pixel line from `from` up to, but not including, `to` (as MoveTo and LineTo draw it).
  virtual void Line(TPoint from, TPoint to, TColor color) = 0;
  // A one-pixel-high line on pixel row y from x1 up to x2: the pixels x1, x1 + 2, ... in color and
  // the pixels between in bkColor (left alone when bkColor is clNone).
  virtual void DottedLine(int x1, int x2, int y, TColor color, TColor bkColor) = 0;
  // Inverts every pixel of rect (how the caret is drawn over the text).
  virtual void InvertRect(const TRect& rect) = 0;
  // Draws picture index of the list with its top-left pixel at (x, y), leaving its transparent pixels.
  virtual void DrawImage(int x, int y, const TEditorImageList& list, int index) = 0;
};

}  // namespace editor
