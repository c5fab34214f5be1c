// Painting the editor's client area from a snapshot of what the paint needs (metrics, colours, marks,
// selection), so the painter can be driven by a recording canvas without a whole control behind it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "editor/base/editor_font.h"
#include "editor/base/geometry.h"
#include "editor/text/column_map.h"
#include "editor/view/editor_canvas.h"
#include "editor/view/editor_metrics.h"

namespace editor {

class TEditorImageList;
class TEditorScreenStrings;
class TFountain;
class TFountainParser;

// No row is drawn beyond this many cells, and one text output holds at most this many bytes (one more
// when the last would split a double-byte character).
inline constexpr int kMaxDrawCells = 1000;

// The control's pixel metrics and view position.
struct TPaintMetrics {
  int FontHeight = 16;
  int ColWidth = 8;
  int RowHeight = 16;  // FontHeight + Margin.Line + UnderlineSpace
  int UnderlineSpace = 0;
  int TextLeft = 8;
  int TopMargin = 2;
  int TopRow = 0;
  int TopCol = 0;
  int VisibleRows = 1;
  int VisibleCols = 1;
  int HOffset = 0;  // TopCol * ColWidth
  int ClientWidth = 0;
  int ClientHeight = 0;

  int RowTop(int row) const { return TopMargin + (row - TopRow) * RowHeight; }
  // The last row the client area shows, whole or in part.
  int LastShownRow() const { return TopRow + RowsShown(ClientHeight, TopMargin, RowHeight, VisibleRows) - 1; }
};

// One mark: drawn only when Visible; clNone draws it in the font colour.
struct TPaintMark {
  bool Visible = false;
  TColor Color = 0x808080;
};

struct TPaintMarks {
  TPaintMark EofMark, RetMark, WrapMark, HideMark, Underline;
};

// A colour record as the painter reads it: clNone falls back to a colour the painter chooses.
struct TPaintColor {
  TColor Color = clNone;
  TColor BkColor = clNone;
  TFontStyles Style = 0;
};

// What is highlighted. Columns are display columns; EndCol is the first column after the range.
enum class TPaintSelectionKind : std::uint8_t { None, Selected, Hit };
struct TPaintSelection {
  TPaintSelectionKind Kind = TPaintSelectionKind::None;
  int StartRow = 0;
  int StartCol = 0;
  int EndRow = 0;
  int EndCol = 0;
  bool Box = false;
};

// The bars beside and above the text; all hidden in the note window.
struct TPaintBars {
  bool RulerVisible = false;
  bool RulerEdge = true;
  int RulerHeight = 0;
  int GaugeRange = 10;
  TColor RulerColor = 0x000000;
  TColor RulerBkColor = 0xC0C0C0;
  TColor RulerMarkColor = 0x000000;
  bool LeftbarVisible = false;
  bool LeftbarEdge = true;
  int LeftbarWidth = 0;
  int LeftbarRightMargin = 4;
  bool LeftbarShowNumber = true;
  bool LeftbarLineNumbers = false;  // numbers of logical lines (nmLine) rather than of rows
  bool LeftbarZeroBase = false;
  TColor LeftbarColor = 0x000000;
  TColor LeftbarBkColor = 0xC0C0C0;
  bool ImagebarVisible = false;
  int ImagebarWidth = 0;
  int ImagebarLeftMargin = 2;
  int ImagebarDigitWidth = 8;
  int ImagebarMarkWidth = 0;
};

// Everything a paint pass reads of the control, taken once per pass.
struct TPaintContext {
  TPaintMetrics Metrics;
  bool Showing = true;  // nothing is drawn while the control is not showing
  TColor Color = 0xFFFFFF;
  TEditorFont Font;
  TPaintMarks Marks;
  TPaintColor Select{0xFFFFFF, 0x800000, 0};
  TPaintColor Hit;
  TPaintSelection Selection;
  // The font or any token colour record is italic: tokens are drawn over a background filled once.
  bool TransparentTokens = false;
  TColumnRules ColumnRules;
  // The active colour scheme (not owned); without one the rows are drawn in the control's colours.
  const TFountain* Fountain = nullptr;
  int CaretRow = 0;
  int CaretCol = 0;
  int UnderlineHideCount = 0;
  TPaintBars Bars;
  // The image bar's pictures: a digit for row marks 0 to 9, a mark for row marks 10 to 15 (not owned).
  const TEditorImageList* Digits = nullptr;
  const TEditorImageList* MarkImages = nullptr;
  // The caret, drawn last over everything (inverted) when it shows.
  bool CaretDrawn = false;
  TRect CaretRect;
};

// Raised after a row's text was drawn: the row's display text, its left edge and top, its index, the
// rectangle drawn and whether it was drawn as selected.
using TDrawLineEvent =
    std::function<void(std::string_view lineStr, int x, int y, int index, const TRect& rect, bool selected)>;

// What the painter tells its control besides drawing on the canvas.
struct TPaintHooks {
  TDrawLineEvent OnDrawLine;
};

// A row as drawn: every tab replaced by the spaces of its cells, so each byte is one cell.
std::string DisplayText(std::string_view rowText, const TColumnRules& rules);
// How many bytes of text one output takes: all of it up to kMaxDrawCells, one more when the character
// starting at the last of those bytes is a double-byte one.
int CellOutputLength(std::string_view text);
// True when the font or any colour record of the scheme is italic.
bool HasItalicColors(TFountain* fountain, TFontStyles fontStyle);

// One paint pass over a canvas. The painter only reads the rows, except that a row whose start state
// was not computed yet gets it computed (without repaint notification) before it is drawn.
class TEditorPainter {
 public:
  TEditorPainter(TEditorScreenStrings& rows, const TPaintContext& context, TEditorCanvas& canvas,
                 TPaintHooks hooks = {});
  ~TEditorPainter();
  TEditorPainter(const TEditorPainter&) = delete;
  TEditorPainter& operator=(const TEditorPainter&) = delete;

  // Paints the canvas's clip rectangle.
  void Paint();
  // Paints every area that intersects rect.
  void PaintRect(const TRect& rect);

  // Draw one row clipped to rect, its left edge at x (TextLeft - HOffset) and its top at y.
  void DrawRow(const TRect& rect, int x, TFountainParser* parser, int row, const std::string& text, int y);
  void DrawSelectedRow(const TRect& rect, int x, TFountainParser* parser, int row, const std::string& text, int y);
  void DrawRowWithSelection(const TRect& rect, int x, TFountainParser* parser, int row, const std::string& text, int y);
  // Outputs at most kMaxDrawCells bytes (never half a double-byte character); an underlined style is
  // drawn as a dotted line on the cells' last pixel row instead of the font's underline.
  void TextOutCells(const TRect& rect, int x, TTextOutOptions options, std::string_view text, int y, TColor color,
                    TColor bkColor, TFontStyles style);

  // The marks, each at a cell's left edge x and a row's top y; selected variants draw on the selection.
  void DrawEofMark(int x, int y);
  void DrawRetMark(int x, int y, bool selected);
  void DrawWrapMark(int x, int y, bool selected);
  void DrawHideMark(int x, int y, bool selected);
  // The caret-row underline across the text area, and its erasure in the control's colour.
  void DrawUnderline(int row);
  void EraseUnderline(int row);

 private:
  struct TRowColors {
    TColor Color;
    TColor BkColor;
    TFontStyles Style;
  };
  // Shared body of DrawRow and DrawSelectedRow.
  void DrawRowIn(const TRect& rect, int x, TFountainParser* parser, int row, const std::string& text, int y,
                 bool selected);
  // Tokens of the row over the background already drawn.
  void DrawTokens(const TRect& rect, int x, TFountainParser& parser, int row, const std::string& text, int y,
                  const TRowColors& defaults, bool selected);
  // The mark after the row's last cell.
  void DrawRowEndMark(const TRect& rect, int x, int row, std::string_view text, int y, bool selected);
  void DrawBars(const TRect& rect, int firstRow, int lastRow);
  // The image bar's pictures of the rows' marks.
  void DrawRowMarks(int firstRow, int lastRow);
  // The corner in the control's colour, continuing the ruler's band and the line-number bar's column
  // (with their edges) where those bars show.
  void DrawCorner();
  // What no area covers (the band under the ruler, the margin right of the bars) in the control's colour.
  void FillUncovered(const TRect& paintRect);
  void DrawChevron(int x, int y, bool pointsLeft, TColor color);
  TColor MarkColor(const TPaintMark& mark, bool selected) const;
  // The caret over what the pass drew, where it meets the painted rectangle.
  void DrawCaret(const TRect& paintRect);
  TRowColors SelectionColors() const;
  // The x of display column col, never left of the text area.
  int ColumnX(int col) const;

  TEditorScreenStrings& FRows;
  const TPaintContext& FContext;
  const TPaintMetrics& FMetrics;
  TEditorCanvas& FCanvas;
  TPaintHooks FHooks;
};

}  // namespace editor
