// The painter's cell output: display text, the 1,000-cell limit, the dotted underline, the marks and
// the bars beside the text.
#include <algorithm>
#include <limits>
#include <string>

#include "editor/syntax/fountain.h"
#include "editor/text/editor_screen_strings.h"
#include "editor/view/editor_images.h"
#include "editor/view/editor_painter.h"
#include "platform/cp932.h"

namespace editor {

std::string DisplayText(std::string_view rowText, const TColumnRules& rules) {
  if (rowText.find('\t') == std::string_view::npos) return std::string(rowText);
  std::string map;
  BuildColumnMap(rowText, rules, std::numeric_limits<std::size_t>::max(), map);
  std::string display;
  display.reserve(map.size());
  std::size_t byte = 0;
  for (char code : map) {
    if (code == colTabFill || byte >= rowText.size()) {
      display += ' ';
      continue;
    }
    const char c = rowText[byte++];
    display += c == '\t' ? ' ' : c;
  }
  return display;
}

int CellOutputLength(std::string_view text) {
  const int size = static_cast<int>(text.size());
  if (size <= kMaxDrawCells) return size;
  // Walk whole characters: a trail byte may lie in the lead-byte range, so the byte at the limit alone
  // does not tell whether a character starts there.
  int i = 0;
  while (i < kMaxDrawCells) i += platform::IsLeadByte(text[static_cast<std::size_t>(i)]) && i + 1 < size ? 2 : 1;
  return std::min(i, size);
}

bool HasItalicColors(TFountain* fountain, TFontStyles fontStyle) {
  if ((fontStyle & fsItalic) != 0) return true;
  if (!fountain) return false;
  for (const TNamedColor& record : fountain->ColorRecords())
    if (record.Color && (record.Color->Style() & fsItalic) != 0) return true;
  for (int i = 0; i < fountain->Brackets().Count(); ++i)
    if ((fountain->Brackets().Items(i)->ItemColor().Style() & fsItalic) != 0) return true;
  return false;
}

void TEditorPainter::TextOutCells(const TRect& rect, int x, TTextOutOptions options, std::string_view text, int y,
                                  TColor color, TColor bkColor, TFontStyles style) {
  if (!FContext.Showing) return;
  const TPaintMetrics& m = FMetrics;
  const std::string_view shown = text.substr(0, static_cast<std::size_t>(CellOutputLength(text)));
  TTextOut out;
  out.X = x;
  out.Y = y;
  out.Clip = rect;
  out.Options = options;
  out.Text = shown;
  out.CellWidth = m.ColWidth;
  out.Color = color;
  out.BkColor = bkColor;
  // The font's own underline would run across cell boundaries at the glyphs' whim; a dotted line on the
  // cells' last pixel row keeps to the grid.
  out.Style = static_cast<TFontStyles>(style & ~fsUnderline);
  FCanvas.TextOut(out);
  if ((style & fsUnderline) == 0) return;
  const int left = std::max(x, rect.Left);
  const int right = std::min(x + static_cast<int>(shown.size()) * m.ColWidth, rect.Right);
  if (left < right) FCanvas.DottedLine(left, right, y + m.FontHeight - 1, color, bkColor);
}

TColor TEditorPainter::MarkColor(const TPaintMark& mark, bool selected) const {
  if (selected) return SelectionColors().Color;
  return mark.Color != clNone ? mark.Color : FContext.Font.Color;
}

void TEditorPainter::DrawEofMark(int x, int y) {
  const TPaintMetrics& m = FMetrics;
  if (x < m.TextLeft) return;
  static constexpr std::string_view kEof = "[EOF]";
  const TRect clip{x, y, x + 6 * m.ColWidth, y + m.FontHeight};
  TextOutCells(clip, x, etoOpaque | etoClipped, kEof, y, MarkColor(FContext.Marks.EofMark, false), FContext.Color,
               FContext.Font.Style);
}

void TEditorPainter::DrawRetMark(int x, int y, bool selected) {
  const TPaintMetrics& m = FMetrics;
  if (x < m.TextLeft) return;
  const TColor color = MarkColor(FContext.Marks.RetMark, selected);
  const int unit = std::max(1, m.FontHeight / 8);
  const int head = std::max(unit, 3);
  const int cx = x + m.ColWidth / 2;
  const int top = y + 2 * unit;
  const int bottom = y + m.FontHeight - 2 * unit;
  FCanvas.Line({cx, top}, {cx, bottom + 1}, color);
  FCanvas.Line({cx, bottom}, {cx - head, bottom - head}, color);
  FCanvas.Line({cx, bottom}, {cx + head, bottom - head}, color);
}

void TEditorPainter::DrawChevron(int x, int y, bool pointsLeft, TColor color) {
  const TPaintMetrics& m = FMetrics;
  const int size = std::max(2, m.ColWidth * 3 / 5);
  const int cy = y + m.FontHeight / 2;
  // The open side of the chevron stands at the cell's right edge for "<" and at its left for ">".
  const int open = pointsLeft ? x + m.ColWidth - 1 : x + 1;
  const int tip = pointsLeft ? open - size : open + size;
  FCanvas.Line({open, cy - size}, {tip, cy}, color);
  FCanvas.Line({tip, cy}, {open, cy + size}, color);
}

void TEditorPainter::DrawWrapMark(int x, int y, bool selected) {
  if (x < FMetrics.TextLeft) return;
  DrawChevron(x, y, true, MarkColor(FContext.Marks.WrapMark, selected));
}

void TEditorPainter::DrawHideMark(int x, int y, bool selected) {
  if (x < FMetrics.TextLeft) return;
  DrawChevron(x, y, false, MarkColor(FContext.Marks.HideMark, selected));
}

void TEditorPainter::DrawUnderline(int row) {
  const TPaintMetrics& m = FMetrics;
  const int y = m.RowTop(row) + m.FontHeight;
  FCanvas.Line({m.TextLeft, y}, {m.ClientWidth, y}, MarkColor(FContext.Marks.Underline, false));
}

void TEditorPainter::EraseUnderline(int row) {
  const TPaintMetrics& m = FMetrics;
  const int y = m.RowTop(row) + m.FontHeight;
  FCanvas.Line({m.TextLeft, y}, {m.ClientWidth, y}, FContext.Color);
}

void TEditorPainter::DrawRowMarks(int firstRow, int lastRow) {
  const TPaintBars& bars = FContext.Bars;
  // The lowest mark of each kind a row carries: a digit for marks 0 to 9, a picture for 10 to 15.
  const auto lowest = [](TRowMarks marks, int from, int to) {
    for (int bit = from; bit <= to; ++bit)
      if (marks & (1u << bit)) return bit - from;
    return -1;
  };
  const auto draw = [this](const TEditorImageList* list, int x, int y, int index) {
    if (list && index >= 0 && index < list->Count()) FCanvas.DrawImage(x, y, *list, index);
  };
  for (int row = std::max(firstRow, 0); row <= lastRow && row < FRows.Count(); ++row) {
    const TRowMarks marks = FRows.RowMarks(row);
    if (marks == 0) continue;
    const int y = FMetrics.RowTop(row);
    if (bars.ImagebarDigitWidth > 0) draw(FContext.Digits, bars.ImagebarLeftMargin, y, lowest(marks, 0, 9));
    if (bars.ImagebarMarkWidth > 0)
      draw(FContext.MarkImages, bars.ImagebarLeftMargin + bars.ImagebarDigitWidth, y, lowest(marks, 10, 15));
  }
}

void TEditorPainter::DrawCorner() {
  const TPaintMetrics& m = FMetrics;
  const TPaintBars& bars = FContext.Bars;
  FCanvas.FillRect({0, 0, m.TextLeft, m.TopMargin}, FContext.Color);
  if (bars.RulerVisible) {
    FCanvas.FillRect({0, 0, m.TextLeft, bars.RulerHeight}, bars.RulerBkColor);
    if (bars.RulerEdge) FCanvas.Line({0, bars.RulerHeight - 1}, {m.TextLeft, bars.RulerHeight - 1}, bars.RulerColor);
  }
  if (bars.LeftbarVisible) {
    const int right = bars.ImagebarWidth + bars.LeftbarWidth;
    FCanvas.FillRect({bars.ImagebarWidth, 0, right, m.TopMargin}, bars.LeftbarBkColor);
    if (bars.LeftbarEdge) FCanvas.Line({right - 1, 0}, {right - 1, m.TopMargin}, bars.LeftbarColor);
  }
}

void TEditorPainter::FillUncovered(const TRect& paintRect) {
  const TPaintMetrics& m = FMetrics;
  const TPaintBars& bars = FContext.Bars;
  const int barsRight = bars.ImagebarWidth + (bars.LeftbarVisible ? bars.LeftbarWidth : 0);
  const TRect areas[] = {{m.TextLeft, bars.RulerVisible ? bars.RulerHeight : 0, m.ClientWidth, m.TopMargin},
                         {barsRight, m.TopMargin, m.TextLeft, m.ClientHeight}};
  for (const TRect& area : areas) {
    const TRect part{std::max(area.Left, paintRect.Left), std::max(area.Top, paintRect.Top),
                     std::min(area.Right, paintRect.Right), std::min(area.Bottom, paintRect.Bottom)};
    if (!part.IsEmpty()) FCanvas.FillRect(part, FContext.Color);
  }
}

void TEditorPainter::DrawBars(const TRect& rect, int firstRow, int lastRow) {
  // The bars are hidden in the note window; they are drawn plainly: a background, the ruler's gauge
  // ticks and the line-number bar's row numbers.
  const TPaintMetrics& m = FMetrics;
  const TPaintBars& bars = FContext.Bars;
  auto hits = [&rect](const TRect& area) {
    return !area.IsEmpty() && std::max(area.Left, rect.Left) < std::min(area.Right, rect.Right) &&
           std::max(area.Top, rect.Top) < std::min(area.Bottom, rect.Bottom);
  };
  if (bars.ImagebarVisible) {
    const TRect area{0, m.TopMargin, bars.ImagebarWidth, m.ClientHeight};
    if (hits(area)) {
      FCanvas.FillRect(area, FContext.Color);
      DrawRowMarks(firstRow, lastRow);
    }
  }
  if (bars.LeftbarVisible) {
    const TRect area{bars.ImagebarWidth, m.TopMargin, bars.ImagebarWidth + bars.LeftbarWidth, m.ClientHeight};
    if (hits(area)) {
      FCanvas.FillRect(area, bars.LeftbarBkColor);
      if (bars.LeftbarEdge) FCanvas.Line({area.Right - 1, area.Top}, {area.Right - 1, area.Bottom}, bars.LeftbarColor);
      const int count = FRows.Count();
      for (int row = std::max(firstRow, 0); bars.LeftbarShowNumber && row <= lastRow && row < count; ++row) {
        // Line numbers stand on the first row of each line; row numbers on every row.
        if (bars.LeftbarLineNumbers && row > 0 && FRows.RowAttribute(row - 1) == raWrap) continue;
        const int index = bars.LeftbarLineNumbers ? FRows.RowToLine(row) : row;
        const std::string number = std::to_string(bars.LeftbarZeroBase ? index : index + 1);
        const int right = area.Right - bars.LeftbarRightMargin;
        const int x = right - static_cast<int>(number.size()) * m.ColWidth;
        const int y = m.RowTop(row);
        TextOutCells({area.Left, y, right, y + m.FontHeight}, x, etoClipped, number, y, bars.LeftbarColor, clNone,
                     FContext.Font.Style);
      }
    }
  }
  if (bars.RulerVisible) {
    const TRect area{m.TextLeft, 0, m.ClientWidth, bars.RulerHeight};
    if (hits(area)) {
      FCanvas.FillRect(area, bars.RulerBkColor);
      if (bars.RulerEdge) FCanvas.Line({area.Left, area.Bottom - 1}, {area.Right, area.Bottom - 1}, bars.RulerColor);
      // A long stroke every GaugeRange columns, a middle one half-way, short ones between.
      const int range = std::max(2, bars.GaugeRange);
      for (int col = m.TopCol; m.TextLeft + (col - m.TopCol) * m.ColWidth < m.ClientWidth; ++col) {
        const int x = m.TextLeft + (col - m.TopCol) * m.ColWidth;
        const int tick = col % range == 0 ? bars.RulerHeight / 2 : col % (range / 2) == 0 ? 4 : 2;
        FCanvas.Line({x, bars.RulerHeight - 1 - tick}, {x, bars.RulerHeight - 1}, bars.RulerColor);
      }
      const int caretX = m.TextLeft + (FContext.CaretCol - m.TopCol) * m.ColWidth;
      if (caretX >= m.TextLeft) FCanvas.Line({caretX, 0}, {caretX, bars.RulerHeight}, bars.RulerMarkColor);
    }
  }
}

}  // namespace editor
