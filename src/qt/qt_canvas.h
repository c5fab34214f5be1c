// The editor's canvas over a QPainter: code page 932 text placed glyph by glyph in its cells.
#pragma once

#include <QFont>
#include <QPainter>

#include "editor/view/editor_canvas.h"

namespace qtui {

class TQtCanvas final : public editor::TEditorCanvas {
 public:
  // Paints with `painter`, whose device asked for `clip` to be painted.
  TQtCanvas(QPainter& painter, const editor::TRect& clip);

  editor::TRect ClipRect() const override { return FClip; }
  void SetFont(const editor::TEditorFont& font) override;
  void TextOut(const editor::TTextOut& out) override;
  void FillRect(const editor::TRect& rect, editor::TColor color) override;
  void Line(editor::TPoint from, editor::TPoint to, editor::TColor color) override;
  void DottedLine(int x1, int x2, int y, editor::TColor color, editor::TColor bkColor) override;
  void InvertRect(const editor::TRect& rect) override;
  void DrawImage(int x, int y, const editor::TEditorImageList& list, int index) override;

 private:
  QPainter& FPainter;
  editor::TRect FClip;
  QFont FFont;
  int FAscent = 0;
  int FHeight = 0;
};

// The characters of a code page 932 text with the cell each starts in: a lead byte and a valid trail
// byte are one character over two cells; every other byte is one character in one cell. Bytes that do
// not decode come back as "?", so every cell of the text is accounted for.
struct TCellGlyph {
  int Cell;
  char32_t Char;
};
std::vector<TCellGlyph> CellGlyphs(std::string_view bytes);

}  // namespace qtui
