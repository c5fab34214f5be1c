// The paint pass: which rows a rectangle covers, and each row's text, token colours and selection.
#include "editor/view/editor_painter.h"

#include <algorithm>

#include "editor/syntax/fountain_color.h"
#include "editor/syntax/fountain_parser.h"
#include "editor/syntax/token_row_states.h"
#include "editor/text/editor_screen_strings.h"
#include "editor/view/hit_test.h"

namespace editor {

namespace {

TRect Intersect(const TRect& a, const TRect& b) {
  return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
}

bool Intersects(const TRect& a, const TRect& b) { return !Intersect(a, b).IsEmpty(); }

}  // namespace

TEditorPainter::TEditorPainter(TEditorScreenStrings& rows, const TPaintContext& context, TEditorCanvas& canvas,
                               TPaintHooks hooks)
    : FRows(rows), FContext(context), FMetrics(context.Metrics), FCanvas(canvas), FHooks(std::move(hooks)) {}

TEditorPainter::~TEditorPainter() = default;

void TEditorPainter::Paint() { PaintRect(FCanvas.ClipRect()); }

void TEditorPainter::PaintRect(const TRect& paintRect) {
  const TPaintMetrics& m = FMetrics;
  if (!FContext.Showing || m.RowHeight <= 0 || m.ColWidth <= 0) return;
  const TRect textArea{m.TextLeft, m.TopMargin, m.ClientWidth, m.ClientHeight};
  const bool cornerHit = Intersects(paintRect, {0, 0, m.TextLeft, m.TopMargin});
  const bool textHit = Intersects(paintRect, textArea);
  const bool drawUnderline = FContext.Marks.Underline.Visible && FContext.UnderlineHideCount == 0 &&
                             FContext.Selection.Kind == TPaintSelectionKind::None && FContext.CaretRow >= m.TopRow &&
                             FContext.CaretRow <= m.TopRow + m.VisibleRows;

  // Whole cells and whole row bands, so every row is drawn from its first cell in view.
  TRect rect = paintRect;
  rect.Left = std::max(m.TextLeft, m.TextLeft + (rect.Left - m.TextLeft) / m.ColWidth * m.ColWidth);
  rect.Top = std::max(m.TopMargin, rect.Top);
  rect.Top = m.TopMargin + (rect.Top - m.TopMargin) / m.RowHeight * m.RowHeight;
  if (rect.Bottom > rect.Top)
    rect.Bottom = rect.Top + (rect.Bottom - rect.Top + m.RowHeight - 1) / m.RowHeight * m.RowHeight;
  const int firstRow = (rect.Top - m.TopMargin) / m.RowHeight + m.TopRow;
  const int lastRow = (rect.Bottom - rect.Top) / m.RowHeight + firstRow - 1;

  FCanvas.SetFont(FContext.Font);
  if (cornerHit) DrawCorner();
  FillUncovered(paintRect);
  DrawBars(paintRect, firstRow, lastRow);

  if (textHit && rect.Right > rect.Left) {
    // The underline pixel of every band is painted too: the caret-row underline is drawn over it last.
    TRect rowRect{rect.Left, rect.Top, rect.Right, rect.Top + m.FontHeight + m.UnderlineSpace};
    std::unique_ptr<TFountainParser> parser = CreateStateParser(FContext.Fountain);
    const int count = FRows.Count();
    const bool highlight = FContext.Selection.Kind != TPaintSelectionKind::None;
    const int x = m.TextLeft - m.HOffset;
    for (int row = firstRow; row <= lastRow; ++row) {
      if (row < count) {
        const std::string text = DisplayText(FRows.RowText(row), FContext.ColumnRules);
        if (highlight)
          DrawRowWithSelection(rowRect, x, parser.get(), row, text, rowRect.Top);
        else
          DrawRow(rowRect, x, parser.get(), row, text, rowRect.Top);
      } else {
        FCanvas.FillRect(rowRect, FContext.Color);
        // A text ending without a line break carries the mark on its last row.
        if (row == count && FContext.Marks.EofMark.Visible && (count == 0 || FRows.RowAttribute(count - 1) == raBreak))
          DrawEofMark(x, rowRect.Top);
      }
      // Margin.Line leaves a gap under every row.
      const TRect gap{rowRect.Left, rowRect.Bottom, rowRect.Right, rowRect.Top + m.RowHeight};
      if (!gap.IsEmpty()) FCanvas.FillRect(gap, FContext.Color);
      rowRect.Top += m.RowHeight;
      rowRect.Bottom += m.RowHeight;
    }
  }

  if (drawUnderline) DrawUnderline(FContext.CaretRow);
  DrawCaret(paintRect);
}

void TEditorPainter::DrawCaret(const TRect& paintRect) {
  if (!FContext.CaretDrawn) return;
  const TRect caret = Intersect(FContext.CaretRect, paintRect);
  if (!caret.IsEmpty()) FCanvas.InvertRect(caret);
}

void TEditorPainter::DrawRow(const TRect& rect, int x, TFountainParser* parser, int row, const std::string& text,
                             int y) {
  DrawRowIn(rect, x, parser, row, text, y, false);
}

void TEditorPainter::DrawSelectedRow(const TRect& rect, int x, TFountainParser* parser, int row,
                                     const std::string& text, int y) {
  DrawRowIn(rect, x, parser, row, text, y, true);
}

TEditorPainter::TRowColors TEditorPainter::SelectionColors() const {
  const TPaintColor& record = FContext.Selection.Kind == TPaintSelectionKind::Hit ? FContext.Hit : FContext.Select;
  // Unset selection colours give inverse video.
  return {record.Color != clNone ? record.Color : FContext.Color,
          record.BkColor != clNone ? record.BkColor : FContext.Font.Color, FContext.Font.Style};
}

void TEditorPainter::DrawRowIn(const TRect& rect, int x, TFountainParser* parser, int row, const std::string& text,
                               int y, bool selected) {
  const TPaintMetrics& m = FMetrics;
  if (row >= 0 && row < FRows.Count() && !FRows.StateComputed(row)) FRows.UpdateStates(row, false);

  const TRowColors defaults =
      selected ? SelectionColors() : TRowColors{FContext.Font.Color, FContext.Color, FContext.Font.Style};
  if (FContext.TransparentTokens)
    FCanvas.FillRect(rect, defaults.BkColor);
  else
    TextOutCells(rect, x, etoOpaque | etoClipped, text, y, defaults.Color, defaults.BkColor, defaults.Style);

  const int length = static_cast<int>(text.size());
  if ((length + 5) * m.ColWidth < m.HOffset) return;
  const int maxX = m.TextLeft + kMaxDrawCells * m.ColWidth - m.HOffset;
  TRect clip = rect;
  clip.Right = std::min(clip.Right, maxX);

  if (!text.empty() && parser) DrawTokens(clip, x, *parser, row, text, y, defaults, selected);
  if (FHooks.OnDrawLine) FHooks.OnDrawLine(text, x, y, row, rect, selected);
  DrawRowEndMark(rect, x, row, text, y, selected);
}

void TEditorPainter::DrawTokens(const TRect& rect, int x, TFountainParser& parser, int row, const std::string& text,
                                int y, const TRowColors& defaults, bool selected) {
  const TPaintMetrics& m = FMetrics;
  const int length = static_cast<int>(text.size());
  TRowAttributeData state;
  if (FRows.StateComputed(row)) state = FRows.RowAttributeData(row);
  state.RowAttribute = FRows.RowAttribute(row);

  // A token that runs on over a wrap gets its whole kind from the joined text, but is drawn only
  // within this row's own cells.
  std::string source = text;
  TRect clip = rect;
  if (FRows.RowAttribute(row) == raWrap && row + 1 < FRows.Count()) {
    source += DisplayText(FRows.RowText(row + 1), FContext.ColumnRules);
    clip.Right = std::min(clip.Right, x + length * m.ColWidth);
  }

  parser.SetSource(source, state);
  while (parser.NextToken() != tokEnd) {
    const int pos = parser.TokenPos();
    if (pos >= length) break;
    const int left = x + pos * m.ColWidth;
    const int right = left + parser.TokenLength() * m.ColWidth;
    if (right <= std::max(m.TextLeft, clip.Left)) continue;  // nothing of it would show
    if (left >= clip.Right) break;

    const TFountainColor* record = parser.TokenColor();
    TRowColors colors = defaults;
    if (record) {
      colors.Style = record->Style();
      if (!selected) {
        if (record->BkColor() != clNone) colors.BkColor = record->BkColor();
        if (record->Color() != clNone) colors.Color = record->Color();
      }
    }
    if (!FContext.TransparentTokens) {
      // Tokens in the row's own colours were drawn with the row.
      if (colors.Color == defaults.Color && colors.BkColor == defaults.BkColor && colors.Style == defaults.Style)
        continue;
      TextOutCells(clip, left, etoClipped, parser.TokenView(), y, colors.Color, colors.BkColor, colors.Style);
    } else {
      const TColor brush = colors.BkColor == defaults.BkColor ? clNone : colors.BkColor;
      TextOutCells(clip, left, etoClipped, parser.TokenView(), y, colors.Color, brush, colors.Style);
    }
  }
}

void TEditorPainter::DrawRowEndMark(const TRect& rect, int x, int row, std::string_view text, int y, bool selected) {
  const TPaintMetrics& m = FMetrics;
  const int length = static_cast<int>(text.size());
  const int maxX = m.TextLeft + kMaxDrawCells * m.ColWidth - m.HOffset;
  const int shown = CellOutputLength(text);
  const int endX = shown > kMaxDrawCells ? maxX + m.ColWidth : std::min(x + length * m.ColWidth, maxX);
  // The mark belongs to the part of a split row that holds its cell.
  if (endX < rect.Left || endX >= rect.Right) return;
  const TRowAttribute attribute = FRows.RowAttribute(row);
  if (length > shown) {
    if (FContext.Marks.HideMark.Visible) DrawHideMark(endX, y, selected);
  } else if (attribute == raEnd) {
    if (FContext.Marks.EofMark.Visible) DrawEofMark(endX, y);
  } else if (attribute == raBreak) {
    if (FContext.Marks.RetMark.Visible) DrawRetMark(endX, y, selected);
  } else if (attribute == raWrap) {
    if (FContext.Marks.WrapMark.Visible) DrawWrapMark(endX, y, selected);
  }
}

int TEditorPainter::ColumnX(int col) const {
  return std::max(FMetrics.TextLeft, FMetrics.TextLeft + (col - FMetrics.TopCol) * FMetrics.ColWidth);
}

void TEditorPainter::DrawRowWithSelection(const TRect& rect, int x, TFountainParser* parser, int row,
                                          const std::string& text, int y) {
  const TPaintSelection& s = FContext.Selection;
  if (row < s.StartRow || row > s.EndRow) {
    DrawRow(rect, x, parser, row, text, y);
    return;
  }
  // The row splits into a normal part, a selected part and a normal part at two x positions.
  int selLeft = rect.Left;
  int selRight = rect.Right;
  if (s.Box) {
    std::string map;
    BuildColumnMap(FRows.RowText(row), FContext.ColumnRules, std::string::npos, map);
    selLeft = ColumnX(BoxEdgeColumn(map, std::min(s.StartCol, s.EndCol)));
    selRight = ColumnX(BoxEdgeColumn(map, std::max(s.StartCol, s.EndCol)));
  } else {
    if (row == s.StartRow) selLeft = ColumnX(s.StartCol);
    if (row == s.EndRow) selRight = ColumnX(s.EndCol);
  }
  selLeft = std::clamp(selLeft, rect.Left, rect.Right);
  selRight = std::clamp(selRight, selLeft, rect.Right);
  const TRect before{rect.Left, rect.Top, selLeft, rect.Bottom};
  const TRect inside{selLeft, rect.Top, selRight, rect.Bottom};
  const TRect after{selRight, rect.Top, rect.Right, rect.Bottom};
  if (!before.IsEmpty()) DrawRow(before, x, parser, row, text, y);
  if (!inside.IsEmpty()) DrawSelectedRow(inside, x, parser, row, text, y);
  if (!after.IsEmpty()) DrawRow(after, x, parser, row, text, y);
}

}  // namespace editor
