// The control's published properties: the change handler every property object reports to, the plain
// properties with their effects, and the wiring of the parts (colour scheme, start states, caret).
#include "editor/props/editor_properties.h"

#include <algorithm>

#include "editor/control/editor.h"
#include "editor/syntax/fountain.h"
#include "editor/text/column_map.h"
#include "editor/text/editor_screen_strings.h"
#include "editor/text/editor_undo_obj.h"
#include "editor/view/editor_images.h"

namespace editor {
namespace {

// Caret widths by shape: a thin bar, or a block over the cell.
constexpr int kBarCaretWidth = 2;
constexpr int kMinHitCaretWidth = 2;

}  // namespace

void TEditor::ConnectParts(bool ownsRows) {
  TTokenRowStates& states = FFountainLink.RowStates();
  states.OnInvalidateRow = [](TEditorScreenStrings& rows, int row) {
    for (int i = 0; i < rows.WatcherCount(); ++i) rows.Watchers(i)->RowRestyled(row);
  };
  FCaretModel.OnInvalidate = [this](const TRect& area) {
    if (FWindow) FWindow->Invalidate(area);
  };
  FCaretModel.OnTimer = [this](int interval) {
    if (FWindow) FWindow->SetCaretTimer(interval);
  };
  FProps.Speed().SetInitBracketsFullSink([&states](bool value) { states.SetInitBracketsFull(value); });
  FProps.Settings().CutTabSpaceCount = FProps.Caret().TabSpaceCount();
  // The editor that makes a row list computes its start states; editors that share it use the same.
  if (ownsRows) FRows->SetRowStates(&states);
  UpdateScrollBars();
}

void TEditor::ResetFountainStates() {
  FRows->ResetStates();
  if (FWindow) FWindow->InvalidateAll();
}

void TEditor::SetWindow(TEditorWindow* window) {
  if (FWindow && window != FWindow) FCaretModel.Destroy();  // the old window's caret goes with it
  FWindow = window;
  if (!FWindow) return;
  // What creating the window handle computes.
  FCaretModel.SetBlinkTime(FWindow->CaretBlinkTime());
  InitMetrics();
  UpdateScrollBars();
}

void TEditor::Resize() {
  if (!FWindow) return;
  InitMetrics();
  UpdateScrollBars();
  FWindow->InvalidateAll();
}

void TEditor::PropertyChanged(TObject* sender) {
  TEditorProperties& props = FProps;
  if (sender == &props.Marks()) props.Margin().SetUnderlineSpace(props.Marks().Underline().Visible());
  if (sender == &props.View() || dynamic_cast<TFountain*>(sender)) FRows->ResetStates();
  // Rows are cut by the first editor's tab width: a new width must re-cut them as a new wrap option does.
  if (sender == &props.Caret() && props.Caret().TabSpaceCount() != props.Settings().CutTabSpaceCount) {
    props.Settings().CutTabSpaceCount = props.Caret().TabSpaceCount();
    const TRowsWatcher* self = this;
    if (FRows->WordWrap() && FRows->WatcherCount() > 0 && FRows->Watchers(0) == self) WrapOption().Changed();
  }
  if (!FWindow) return;
  InitMetrics();
  UpdateScrollBars();
  FWindow->InvalidateAll();
  if (sender == &props.Caret()) {
    FRows->UndoObj().Clear();
    ResetWindowCaret();
  } else {
    ScrollCaret();
  }
}

void TEditor::ResetWindowCaret() {
  // Recreated where it stands: the view stays where the user scrolled it.
  if (!FWindow || !FWindow->Focused()) return;
  const int width = Caret().Style() == csBrief ? std::max(kBarCaretWidth, FViewport.ColWidth()) : kBarCaretWidth;
  FCaretModel.Create(width, FViewport.FontHeight());
  PlaceCaretModel();
  MoveCompositionWindow();
}

void TEditor::SetImages(TEditorImageList*& property, TEditorImageList* images) {
  if (property == images) return;
  const TNotifyEvent destroyed = MethodEvent<&TEditor::ImagesDestroyed>(this);
  // One notice per property holding the list: a list set as both keeps one while either holds it.
  if (property) property->RemoveFreeNotification(destroyed);
  property = images;
  if (images) images->FreeNotification(destroyed);
  if (FWindow) FWindow->InvalidateAll();
}

void TEditor::ImagesDestroyed(TObject* sender) {
  if (sender == FImageDigits) FImageDigits = nullptr;
  if (sender == FImageMarks) FImageMarks = nullptr;
  if (FWindow) FWindow->InvalidateAll();
}

void TEditor::SetBorderStyle(TBorderStyle value) {
  if (FProps.Settings().BorderStyle == value) return;
  FProps.Settings().BorderStyle = value;
  // A new border is a new window: what creating its handle computes.
  Resize();
}

void TEditor::SetColor(TColor value) {
  if (FProps.Settings().Color == value) return;
  FProps.Settings().Color = value;
  if (FWindow) FWindow->InvalidateAll();
}

void TEditor::SetFont(const TEditorFont& value) {
  if (FProps.Settings().Font == value) return;
  FProps.Settings().Font = value;
  if (!FWindow) return;
  InitMetrics();
  UpdateScrollBars();
  if (FViewport.TopCol() > 0) SetCol(0);
  FWindow->InvalidateAll();
  ScrollCaret();
}

void TEditor::SetHitStyle(TEditorHitStyle value) {
  if (FProps.Settings().HitStyle == value) return;
  FProps.Settings().HitStyle = value;
  CleanSelection();
}

void TEditor::SetScrollBars(TScrollStyle value) {
  if (FProps.Settings().ScrollBars == value) return;
  FProps.Settings().ScrollBars = value;
  if (!FWindow) return;
  // A bar taken away keeps no stale range in the window.
  if (value == ssNone || value == ssHorizontal) FWindow->SetScrollRange(true, 0, 0, 0, 0);
  if (value == ssNone || value == ssVertical) FWindow->SetScrollRange(false, 0, 0, 0, 0);
  Resize();
}

const std::vector<std::string>& TEditor::ReserveWordList() const { return FProps.View().Fountain().ReserveWordList(); }

void TEditor::SetReserveWordList(std::vector<std::string> words) {
  std::vector<std::string> sorted = words;
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const std::string& a, const std::string& b) { return CompareTextAscii(a, b) < 0; });
  if (sorted == ReserveWordList()) return;
  // The scheme reports the new list to View, which resets the start states and repaints.
  FProps.View().Fountain().SetReserveWordList(std::move(words));
}

void TEditor::SetHitLength(int length) {
  FProps.Settings().HitLength = length;
  switch (FProps.Settings().HitStyle) {
    case hsSelect:
      SetSelLength(length);
      return;
    case hsDraw:
      SetHitSelection(CaretOffset(0, Row(), Col()), length);
      return;
    case hsCaret:
      break;
  }
  if (length <= 0) return;
  const int start = CaretOffset(0, Row(), Col());
  SetHitSelection(start, length);
  if (!FWindow || !FWindow->Focused()) return;
  PlaceCaret(0, start);
  // The block covers the hit's text on its first row, or runs to that row's end when the hit goes on.
  const int startCol = Col();
  const std::string map = RowMap(Row());
  const int rowWidth = static_cast<int>(map.size());
  const int endIndex = ByteIndexOfColumn(map, startCol) + length;
  const int rowLength = Row() < FRows->Count() ? static_cast<int>(FRows->RowText(Row()).size()) : 0;
  const int endCol = endIndex <= rowLength ? ColumnOfByteIndex(map, endIndex) : rowWidth;
  const int width = std::max(kMinHitCaretWidth, (endCol - startCol) * FViewport.ColWidth());
  FCaretModel.Create(width, FViewport.FontHeight());
  PlaceCaretModel();
}

}  // namespace editor
