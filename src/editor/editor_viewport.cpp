// The view's metrics and scroll ranges: measuring the font through the window and sizing the text area.
#include "editor/editor_viewport.h"

#include <algorithm>

#include "editor/editor.h"
#include "editor/fountain.h"
#include "editor/screen_strings.h"

namespace editor {
namespace {

// The system's scroll bar thickness (SM_CYHSCROLL, SM_CYVSCROLL) at 96 dots per inch.
constexpr int kScrollBarSize = 17;

bool AnyItalic(TFountain* fountain) {
  if (!fountain) return false;
  for (const TNamedColor& record : fountain->ColorRecords())
    if (record.Color->Style() & fsItalic) return true;
  return false;
}

}  // namespace

void TEditorViewport::SetWindowlessVisibleRows(int rows) {
  if (FEditor.Window()) return;
  FMetrics.VisibleRows = std::max(0, rows);
}

bool TEditorViewport::VerticalBar() const {
  const TScrollStyle bars = FEditor.ScrollBars();
  return bars == ssVertical || bars == ssBoth;
}

bool TEditorViewport::HorizontalBar() const {
  const TScrollStyle bars = FEditor.ScrollBars();
  return bars == ssHorizontal || bars == ssBoth;
}

void TEditorViewport::InitMetrics() {
  TEditorWindow* window = FEditor.Window();
  if (!window) return;
  const TEditorFont& font = FEditor.Font();
  TMetricsInput input;
  input.Font = window->MeasureFont(font);
  const TEditorMargin& margin = FEditor.Margin();
  input.MarginCharacter = margin.Character();
  input.MarginLine = margin.Line();
  input.MarginLeft = margin.Left();
  input.MarginTop = margin.Top();
  input.UnderlineSpace = margin.UnderlineSpace();
  input.ImagebarWidth = FEditor.Imagebar().Width();
  const TEditorLeftbar& leftbar = FEditor.Leftbar();
  if (leftbar.Visible()) {
    input.LeftbarWidth = LeftbarWidthFor(leftbar.LeftMargin(), leftbar.Column(), leftbar.RightMargin(),
                                         input.MarginCharacter + input.Font.AveCharWidth);
  }
  if (FEditor.Ruler().Visible()) input.RulerHeight = RulerHeightFor(input.Font.Height + input.Font.ExternalLeading);
  input.ClientWidth = window->ClientWidth();
  input.ClientHeight = window->ClientHeight();
  input.HorzScrollBarHeight = HorizontalBar() ? kScrollBarSize : 0;
  input.VertScrollBarWidth = VerticalBar() ? kScrollBarSize : 0;
  FMetrics = ComputeMetrics(input);
  FCellAdvance.assign(kCellAdvanceCount, FMetrics.ColWidth);
  FTransparentTokens = (font.Style & fsItalic) != 0 || AnyItalic(FEditor.ActiveFountain());
}

void TEditorViewport::UpdateScrollBars() {
  const int count = FEditor.ListInfo().Count();
  FMaxRow = std::max(0, count + FMetrics.VisibleRows - 1);
  FTopRow = std::min(FTopRow, FMaxRow);
  FMaxCols = MaxColsExtent;
  FTopCol = std::min(FTopCol, FMaxCols - FMetrics.VisibleCols / 2);
  FTopCol = std::max(FTopCol, 0);
  FHOffset = FTopCol * FMetrics.ColWidth;
  TEditorWindow* window = FEditor.Window();
  if (!window) return;
  if (VerticalBar())
    window->SetScrollRange(true, 0, std::max(FMetrics.VisibleRows, FMaxRow), FMetrics.VisibleRows, FTopRow);
  if (HorizontalBar())
    window->SetScrollRange(false, 0, FMetrics.VisibleCols / 2 + FMaxCols, FMetrics.VisibleCols, FTopCol);
}

void TEditorViewport::ClampTopRow(int limit) { FTopRow = std::clamp(FTopRow, 0, std::max(limit, 0)); }

TPoint TEditorViewport::CaretPoint() const {
  return TPoint{FMetrics.TextLeft + (FEditor.Col() - FTopCol) * FMetrics.ColWidth,
                (FEditor.Row() - FTopRow) * FMetrics.RowHeight + FMetrics.TopMargin};
}

void TEditorViewport::PlaceWindowCaret() {
  if (TEditorWindow* window = FEditor.Window()) window->SetCaretPos(CaretPoint());
}

void TEditorViewport::InvalidateRow(int row) {
  TEditorWindow* window = FEditor.Window();
  if (!window || row < FTopRow || row > FTopRow + FMetrics.VisibleRows) return;
  const int top = (row - FTopRow) * FMetrics.RowHeight + FMetrics.TopMargin;
  window->Invalidate(TRect{FMetrics.TextLeft, top, window->ClientWidth(), top + FMetrics.FontHeight});
}

void TEditorViewport::MoveCompositionWindow() {
  FCompositionPending = false;
  if (TEditorWindow* window = FEditor.Window()) window->SetCompositionWindow(CaretPoint());
}

void TEditorViewport::CompositionAfterScroll() {
  if (FEditor.KeyRepeating()) {
    FCompositionPending = true;
  } else {
    MoveCompositionWindow();
  }
}

}  // namespace editor
