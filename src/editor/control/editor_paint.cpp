// Filling the painter's snapshot from the editor's viewport, property objects and selection.
#include "editor/control/editor_paint.h"

#include "editor/control/editor.h"
#include "editor/text/editor_screen_strings.h"
#include "editor/view/editor_images.h"

namespace editor {

namespace {

TPaintMark MarkOf(const TEditorMark& mark) { return {mark.Visible(), mark.Color()}; }

TPaintColor ColorOf(const TFountainColor& record) { return {record.Color(), record.BkColor(), record.Style()}; }

TPaintMetrics MetricsOf(const TEditor& editor) {
  const TEditorViewport& view = editor.Viewport();
  const TEditorMetrics& m = view.Metrics();
  TPaintMetrics metrics;
  metrics.FontHeight = m.FontHeight;
  metrics.ColWidth = m.ColWidth;
  metrics.RowHeight = m.RowHeight;
  metrics.UnderlineSpace = m.UnderlineSpace;
  metrics.TextLeft = m.TextLeft;
  metrics.TopMargin = m.TopMargin;
  metrics.TopRow = view.TopRow();
  metrics.TopCol = view.TopCol();
  metrics.VisibleRows = m.VisibleRows;
  metrics.VisibleCols = m.VisibleCols;
  metrics.HOffset = view.HOffset();
  if (const TEditorWindow* window = editor.Window()) {
    metrics.ClientWidth = window->ClientWidth();
    metrics.ClientHeight = window->ClientHeight();
  }
  return metrics;
}

TPaintBars BarsOf(TEditor& editor) {
  const TEditorMetrics& m = editor.Viewport().Metrics();
  TPaintBars bars;
  const TEditorRuler& ruler = editor.Ruler();
  bars.RulerVisible = ruler.Visible();
  bars.RulerEdge = ruler.Edge();
  bars.RulerHeight = m.RulerHeight;
  bars.GaugeRange = ruler.GaugeRange();
  bars.RulerColor = ruler.Color();
  bars.RulerBkColor = ruler.BkColor();
  bars.RulerMarkColor = ruler.MarkColor();
  const TEditorLeftbar& leftbar = editor.Leftbar();
  bars.LeftbarVisible = leftbar.Visible();
  bars.LeftbarEdge = leftbar.Edge();
  bars.LeftbarWidth = m.LeftbarWidth;
  bars.LeftbarRightMargin = leftbar.RightMargin();
  bars.LeftbarShowNumber = leftbar.ShowNumber();
  bars.LeftbarLineNumbers = leftbar.ShowNumberMode() == nmLine;
  bars.LeftbarZeroBase = leftbar.ZeroBase();
  bars.LeftbarColor = leftbar.Color();
  bars.LeftbarBkColor = leftbar.BkColor();
  const TEditorImagebar& imagebar = editor.Imagebar();
  bars.ImagebarVisible = imagebar.Visible();
  bars.ImagebarWidth = m.ImagebarWidth;
  bars.ImagebarLeftMargin = imagebar.LeftMargin();
  bars.ImagebarDigitWidth = imagebar.DigitWidth();
  bars.ImagebarMarkWidth = imagebar.MarkWidth();
  return bars;
}

TEditorInvalidator InvalidatorOf(TEditor& editor) {
  return TEditorInvalidator(editor.Window(), MetricsOf(editor), BarsOf(editor));
}

}  // namespace

TPaintContext MakePaintContext(TEditor& editor) {
  TPaintContext context;
  context.Metrics = MetricsOf(editor);
  context.Showing = editor.Window() != nullptr;
  context.Color = editor.Color();
  context.Font = editor.Font();
  const TEditorMarks& marks = editor.Marks();
  context.Marks = {MarkOf(marks.EofMark()), MarkOf(marks.RetMark()), MarkOf(marks.WrapMark()), MarkOf(marks.HideMark()),
                   MarkOf(marks.Underline())};
  const TEditorColors& colors = editor.View().Colors();
  context.Select = ColorOf(colors.Record(TEditorColorIndex::Select));
  context.Hit = ColorOf(colors.Record(TEditorColorIndex::Hit));

  const TEditorSelection& selection = editor.Selection();
  const TSelectionRange& range = selection.Range();
  TPaintSelectionKind kind = TPaintSelectionKind::None;
  if (selection.State() == sstSelected) kind = TPaintSelectionKind::Selected;
  if (selection.State() == sstHitSelected && editor.HitStyle() == hsDraw) kind = TPaintSelectionKind::Hit;
  context.Selection = {kind, range.StartRow, range.StartCol, range.EndRow, range.EndCol, selection.BoxMode()};

  context.TransparentTokens = editor.Viewport().TransparentTokens();
  context.ColumnRules = editor.ColumnRules();
  context.Fountain = editor.ActiveFountain();
  context.CaretRow = editor.Row();
  context.CaretCol = editor.Col();
  context.Bars = BarsOf(editor);
  context.Digits = editor.ImageDigits() ? editor.ImageDigits() : &BuiltInDigitImages();
  context.MarkImages = editor.ImageMarks() ? editor.ImageMarks() : &BuiltInMarkImages();
  context.UnderlineHideCount = editor.UnderlineHideCount();
  context.CaretDrawn = editor.CaretModel().Drawn();
  context.CaretRect = editor.CaretModel().Rect();
  return context;
}

void PaintEditor(TEditor& editor, TEditorCanvas& canvas, const TDrawLineEvent& onDrawLine) {
  const TPaintContext context = MakePaintContext(editor);
  TPaintHooks hooks;
  hooks.OnDrawLine = onDrawLine;
  TEditorPainter(editor.ListInfo(), context, canvas, std::move(hooks)).Paint();
}

void TEditor::RepaintAfterChange() {
  if (!FWindow) return;
  const TLastUpdate& update = FRows->LastUpdate();
  if (!update.Recorded) {
    FWindow->InvalidateAll();
    return;
  }
  // The rows below the change move by their pixels; the caret's pixels must not go with them.
  const int dy = (update.NewRows - update.OldRows) * FViewport.RowHeight();
  TRepaintHooks hooks;
  hooks.BeginCaretHide = [this, dy] { KeepCaretOutOfScroll(0, dy); };
  hooks.BeginUnderlineHide = [this] { BeginUnderlineHide(); };
  hooks.EndUnderlineHide = [this] { EndUnderlineHide(); };
  InvalidatorOf(*this).RepaintAfterChange(update, FRows->Count(), hooks);
}

}  // namespace editor
