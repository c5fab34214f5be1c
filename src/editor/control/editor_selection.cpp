// The selection: the part object's range arithmetic, and the editor's selection surface (SelStart,
// SelLength, SelectAll, CleanSelection, the selected text).
#include "editor/control/editor_selection.h"

#include <algorithm>

#include "editor/control/editor.h"
#include "editor/text/editor_screen_strings.h"

namespace editor {

namespace {

bool Before(const TSelectionPos& a, const TSelectionPos& b) {
  return a.Row < b.Row || (a.Row == b.Row && a.Index < b.Index);
}

TSelectionRange RangeBetween(const TSelectionPos& a, const TSelectionPos& b) {
  const TSelectionPos& first = Before(b, a) ? b : a;
  const TSelectionPos& last = Before(b, a) ? a : b;
  return {first.Row, last.Row, first.Index, last.Index - 1, first.Col, last.Col};
}

}  // namespace

void TEditorSelection::Begin(const TSelectionPos& caret) {
  FState = sstAnchored;
  FAnchor = caret;
  FRange = RangeBetween(caret, caret);
}

void TEditorSelection::Extend(const TSelectionPos& caret) {
  if (FState == sstNone || FState == sstHitSelected) Begin(caret);
  FState = sstSelected;
  FRange = RangeBetween(FAnchor, caret);
}

void TEditorSelection::SetHit(const TSelectionPos& from, const TSelectionPos& to) {
  FState = sstHitSelected;
  FAnchor = from;
  FRange = RangeBetween(from, to);
}

void TEditorSelection::Clear() {
  FState = sstNone;
  FRange = RangeBetween(FAnchor, FAnchor);
}

bool TEditorSelection::Empty() const { return FRange.StartRow == FRange.EndRow && FRange.EndIndex < FRange.StartIndex; }

// --- The editor's selection surface.

TSelectionPos TEditor::CaretSelectionPos() const { return {FCaret.Row, CaretIndex(), FCaret.Col}; }

int TEditor::RowLength(int row) const {
  return row >= 0 && row < FRows->Count() ? static_cast<int>(FRows->RowText(row).size()) : 0;
}

int TEditor::RowSpan(int row) const { return editor::RowSpan(*FRows, row); }

int TEditor::CaretIndex() const {
  return std::min(ByteIndexOfColumn(RowMap(FCaret.Row), FCaret.Col), RowLength(FCaret.Row));
}

bool TEditor::SelectionActive() const { return FSelection.State() == sstSelected && SelLength() > 0; }

void TEditor::SelectionChanged() {
  // The painter draws the selection from the range; the whole client is cheap next to a keystroke.
  if (FWindow) FWindow->InvalidateAll();
  if (OnSelectionChange) OnSelectionChange(*this, FSelection.State());
}

void TEditor::BeginSelection() {
  FSelection.Begin(CaretSelectionPos());
  SelectionChanged();
}

void TEditor::ExtendSelection() {
  FSelection.Extend(CaretSelectionPos());
  SelectionChanged();
}

void TEditor::SetHitSelection(int startOffset, int length) {
  CleanSelection();
  PlaceCaret(0, std::max(startOffset, 0));
  const TSelectionPos from = CaretSelectionPos();
  PlaceCaret(FCaret.Row, from.Index + std::max(length, 0));
  FSelection.SetHit(from, CaretSelectionPos());
  SelectionChanged();
}

void TEditor::CleanSelection() {
  if (FSelection.State() == sstNone) return;
  FSelection.Clear();
  SelectionChanged();
}

int TEditor::SelStart() const {
  if (FSelection.State() != sstSelected) return CaretOffset(0, FCaret.Row, FCaret.Col);
  if (BoxSelected()) {
    const TBoxRect box = BoxRect();
    return OffsetFrom(0, box.Top, BoxPart(box.Top, box.Left, box.Right).Start);
  }
  const TSelectionRange& range = FSelection.Range();
  int offset = range.StartIndex;
  for (int row = 0; row < range.StartRow; ++row) offset += RowSpan(row);
  return offset;
}

int TEditor::SelLength() const {
  if (FSelection.State() != sstSelected) return 0;
  if (BoxSelected()) return static_cast<int>(BoxText().size());
  const TSelectionRange& range = FSelection.Range();
  int length = range.EndIndex + 1 - range.StartIndex;
  for (int row = range.StartRow; row < range.EndRow; ++row) length += RowSpan(row);
  return std::max(length, 0);
}

void TEditor::SetSelStart(int offset) {
  CleanSelection();
  PlaceCaret(0, std::max(offset, 0));
  ScrollCaret();
}

void TEditor::SetSelLength(int length) {
  if (FSelection.State() != sstNone) {
    const TSelectionRange range = FSelection.Range();
    if (FSelection.State() == sstSelected) {
      FCaret.Row = range.StartRow;
      FCaret.Col = range.StartCol;
    }
    CleanSelection();
  }
  if (length >= 1) {
    BeginSelection();
    PlaceCaret(FCaret.Row, CaretIndex() + length);
    ExtendSelection();
  }
  ScrollCaret();
}

void TEditor::SelectAll() {
  HideCaret();
  if (BoxMode()) {
    SelectAllAsBox();
  } else {
    SetSelStart(0);
    SetSelLength(TextLength());
  }
  ShowCaret();
}

void TEditor::SetBoxMode(bool value) {
  FAltBox = false;
  if (value == FSelection.BoxMode()) return;
  FSelection.SetBoxMode(value);
  if (FSelection.State() == sstSelected) SelectionChanged();  // the same range, another shape
  if (!value) SetCol(FCaret.Col);                             // a caret that stood past its row's end comes back to it
}

int TEditor::TextLength() const {
  int length = 0;
  for (int row = 0; row < FRows->Count(); ++row)
    length += RowLength(row) + (FRows->RowAttribute(row) == raBreak ? 2 : 0);
  return length;
}

std::string TEditor::SelText() const {
  if (!SelectionActive()) return {};
  if (BoxSelected()) return BoxText();
  const TSelectionRange& range = FSelection.Range();
  const int lastRow = std::min(range.EndRow, FRows->Count() - 1);
  std::string text = FRows->RowsText(range.StartRow, lastRow - range.StartRow + 1);
  return text.substr(static_cast<std::size_t>(range.StartIndex), static_cast<std::size_t>(SelLength()));
}

void TEditor::SetSelText(std::string_view text) { SetSelTextBuf(text); }

}  // namespace editor
