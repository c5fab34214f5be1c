// Scrolling the editor's view: the viewport computes where to, this moves the window's pixels, the
// scroll bars, the caret and the composition window along and raises the change events.
#include <algorithm>

#include "editor/control/editor.h"
#include "editor/syntax/fountain.h"
#include "editor/text/editor_screen_strings.h"

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

bool TEditor::VerticalBar() const { return ScrollBars() == ssVertical || ScrollBars() == ssBoth; }

bool TEditor::HorizontalBar() const { return ScrollBars() == ssHorizontal || ScrollBars() == ssBoth; }

int TEditor::ScreenRows() const {
  if (!FWindow) return VisibleRows();
  return FWindow->ScreenHeight() / std::max(FViewport.RowHeight(), 1);
}

void TEditor::SetVisibleRows(int rows) {
  // A window measures its own client area; InitMetrics replaces this once there is one.
  if (!FWindow) FViewport.SetWindowlessVisibleRows(rows);
}

void TEditor::InitMetrics() {
  if (!FWindow) return;
  const TEditorFont& font = Font();
  TMetricsInput input;
  input.Font = FWindow->MeasureFont(font);
  const TEditorMargin& margin = FProps.Margin();
  input.MarginCharacter = margin.Character();
  input.MarginLine = margin.Line();
  input.MarginLeft = margin.Left();
  input.MarginTop = margin.Top();
  input.UnderlineSpace = margin.UnderlineSpace();
  input.ImagebarWidth = FProps.Imagebar().Width();
  const TEditorLeftbar& leftbar = FProps.Leftbar();
  if (leftbar.Visible()) {
    input.LeftbarWidth = LeftbarWidthFor(leftbar.LeftMargin(), leftbar.Column(), leftbar.RightMargin(),
                                         input.MarginCharacter + input.Font.AveCharWidth);
  }
  if (FProps.Ruler().Visible()) input.RulerHeight = RulerHeightFor(input.Font.Height + input.Font.ExternalLeading);
  input.ClientWidth = FWindow->ClientWidth();
  input.ClientHeight = FWindow->ClientHeight();
  input.HorzScrollBarHeight = HorizontalBar() ? kScrollBarSize : 0;
  input.VertScrollBarWidth = VerticalBar() ? kScrollBarSize : 0;
  FViewport.SetMetrics(ComputeMetrics(input), (font.Style & fsItalic) != 0 || AnyItalic(ActiveFountain()));
}

void TEditor::UpdateScrollBars() {
  FViewport.UpdateRanges(FRows->Count());
  if (!FWindow) return;
  const TEditorMetrics& m = FViewport.Metrics();
  if (VerticalBar()) FWindow->SetScrollRange(true, 0, FViewport.VerticalRangeMax(), m.VisibleRows, TopRow());
  if (HorizontalBar()) FWindow->SetScrollRange(false, 0, FViewport.HorizontalRangeMax(), m.VisibleCols, TopCol());
}

void TEditor::KeepCaretOutOfScroll(int dx, int dy) {
  // The caret is drawn into the pixels: its old place and the place its pixels travel to are both
  // painted again (whether or not the window carries pending repaints along with a scroll).
  if (!FWindow || !FCaretModel.Drawn()) return;
  const TRect caret = FCaretModel.Rect();
  FWindow->Invalidate(caret);
  FWindow->Invalidate({caret.Left + dx, caret.Top + dy, caret.Right + dx, caret.Bottom + dy});
}

void TEditor::ScrollPixels(int dx, int dy, const TRect& area) {
  KeepCaretOutOfScroll(dx, dy);
  FWindow->Scroll(dx, dy, area);
  FWindow->Update();
}

void TEditor::SetTopRow(int row) {
  const int newTop = FViewport.TopRowFor(row, FRows->Count());
  if (!FWindow) {
    FViewport.StoreTopRow(newTop);
    return;
  }
  HideCaret();
  BeginUnderlineHide();
  const int delta = FViewport.TopRow() - newTop;
  FViewport.StoreTopRow(newTop);
  // A jump of more than a page scrolls everything away: the whole text area is repainted. That takes
  // as many rows as the area shows even in part, the slack under the last whole row included.
  const TEditorMetrics& m = FViewport.Metrics();
  const int limit = RowsShown(FWindow->ClientHeight(), m.TopMargin, m.RowHeight, m.VisibleRows);
  const int pixels = std::clamp(delta, -limit, limit) * m.RowHeight;
  if (pixels != 0) {
    ScrollPixels(0, pixels, TRect{0, m.TopMargin, FWindow->ClientWidth(), FWindow->ClientHeight()});
    if (VerticalBar()) FWindow->SetScrollRange(true, 0, FViewport.VerticalRangeMax(), m.VisibleRows, TopRow());
    PlaceCaretModel();
    CompositionAfterScroll();
    if (OnTopRowChange) OnTopRowChange(this);
  }
  EndUnderlineHide();
  ShowCaret();
}

void TEditor::SetTopCol(int col) {
  const int newCol = FViewport.TopColFor(col);
  if (!FWindow) {
    FViewport.StoreTopCol(newCol);
    return;
  }
  HideCaret();
  BeginUnderlineHide();
  const int delta = FViewport.TopCol() - newCol;
  FViewport.StoreTopCol(newCol);
  const TEditorMetrics& m = FViewport.Metrics();
  const int pixels = delta * m.ColWidth;
  if (pixels != 0) {
    ScrollPixels(pixels, 0, TRect{m.TextLeft, 0, FWindow->ClientWidth(), FWindow->ClientHeight()});
    if (HorizontalBar()) FWindow->SetScrollRange(false, 0, FViewport.HorizontalRangeMax(), m.VisibleCols, TopCol());
    PlaceCaretModel();
    CompositionAfterScroll();
    if (OnTopColChange) OnTopColChange(this);
  }
  EndUnderlineHide();
  ShowCaret();
}

void TEditor::ScrollRows(int delta) {
  const int top = TopRow();
  if (top == 0 && delta < 0) {
    SetRow(0);
    return;
  }
  if (delta > 0 && top < FRows->Count() && FRows->RowAttribute(top) == raEnd) return;
  const int offset = FCaret.Row - top;
  SetTopRow(std::clamp(top + delta, 0, FRows->Count()));
  SetRow(TopRow() + offset);
}

void TEditor::VScroll(TScrollRequest request, int position) {
  const int delta = FViewport.VScrollDelta(request, position);
  if (delta == 0) return;
  SetTopRow(TopRow() + delta);
  if (Caret().LockScroll()) SetRow(FCaret.Row + delta);
}

void TEditor::HScroll(TScrollRequest request, int position) {
  const int delta = FViewport.HScrollDelta(request, position);
  if (delta != 0) SetTopCol(TopCol() + delta);
}

void TEditor::ScrollCaretMessage() {
  const int rows = VisibleRows();
  const int cols = VisibleCols();
  if (FCaret.Row < TopRow() || FCaret.Row > TopRow() + rows - 1) SetTopRow(FCaret.Row - rows / 3);
  if (FCaret.Col < TopCol() || FCaret.Col > TopCol() + cols - 1) SetTopCol(FCaret.Col - cols / 3);
}

void TEditor::ScrollCaret() {
  const int rows = VisibleRows();
  const int cols = VisibleCols();
  if (FCaret.Row < TopRow()) {
    SetTopRow(FCaret.Row);
  } else if (rows > 0 && FCaret.Row >= TopRow() + rows) {
    SetTopRow(FCaret.Row - rows + 1);
  }
  // Columns only matter where there are some to show.
  const int col = ShownCol();
  if (cols > 0 && (col < TopCol() || col >= TopCol() + cols)) SetTopCol(col - cols / 3);
  PlaceCaretModel();
}

int TEditor::ShownCol() const { return std::min(FCaret.Col, kShownCols); }

void TEditor::PlaceCaretModel() {
  FCaretModel.SetPlace(FViewport.CellPoint(FCaret.Row, ShownCol()), FViewport.CellInView(FCaret.Row, ShownCol()));
  // The caret-row underline follows the caret to its row.
  if (FCaret.Row != FUnderlineRow) {
    InvalidateUnderline(FUnderlineRow);
    FUnderlineRow = FCaret.Row;
    InvalidateUnderline(FUnderlineRow);
  }
}

void TEditor::InvalidateUnderline(int row) {
  if (!FWindow || !Marks().Underline().Visible() || row < TopRow() || row > TopRow() + VisibleRows()) return;
  const TEditorMetrics& m = FViewport.Metrics();
  const int y = (row - TopRow()) * m.RowHeight + m.TopMargin + m.FontHeight;
  FWindow->Invalidate({m.TextLeft, y, FWindow->ClientWidth(), y + 1});
}

void TEditor::BeginUnderlineHide() {
  if (FUnderlineHideCount++ == 0) InvalidateUnderline(FUnderlineRow);
}

void TEditor::EndUnderlineHide() {
  if (FUnderlineHideCount == 0) return;
  if (--FUnderlineHideCount == 0) InvalidateUnderline(FUnderlineRow);
}

void TEditor::InvalidateRow(int row) {
  const TEditorMetrics& m = FViewport.Metrics();
  if (!FWindow || row < TopRow() || row > TopRow() + m.VisibleRows) return;
  const int top = (row - TopRow()) * m.RowHeight + m.TopMargin;
  FWindow->Invalidate(TRect{m.TextLeft, top, FWindow->ClientWidth(), top + m.FontHeight});
}

void TEditor::MoveCompositionWindow() {
  FCompositionPending = false;
  if (FWindow) FWindow->SetCompositionWindow(FViewport.CellPoint(FCaret.Row, ShownCol()));
}

void TEditor::CompositionAfterScroll() {
  if (FKeyRepeating) {
    FCompositionPending = true;
  } else {
    MoveCompositionWindow();
  }
}

}  // namespace editor
