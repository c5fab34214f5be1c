// The edit-control messages as calls: each answers from the editor's rows, caret and selection.
#include "editor/control/editor_messages.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "editor/control/editor.h"
#include "editor/control/editor_key.h"
#include "editor/text/editor_screen_strings.h"
#include "editor/text/editor_undo_obj.h"

namespace editor {

void TEditorMessages::Cut() {
  if (!FEditor.ReadOnly() && FEditor.SelLength() > 0) {
    FEditor.CutToClipboard();
  } else if (FEditor.Clipboard()) {
    FEditor.Clipboard()->SetText({}, false);
  }
}

void TEditorMessages::Copy() {
  if (FEditor.SelLength() > 0) {
    FEditor.CopyToClipboard();
  } else if (FEditor.Clipboard()) {
    FEditor.Clipboard()->SetText({}, false);
  }
}

void TEditorMessages::Paste() {
  if (!FEditor.ReadOnly()) FEditor.PasteFromClipboard();
}

void TEditorMessages::Clear() {
  if (!FEditor.ReadOnly()) FEditor.DeleteSelection();
}

int TEditorMessages::GetText(std::span<char> buffer) const {
  if (buffer.empty()) return 0;
  const std::string text = FEditor.Lines().Text();
  const std::size_t copied = std::min(text.size(), buffer.size() - 1);
  std::memcpy(buffer.data(), text.data(), copied);
  buffer[copied] = '\0';
  return static_cast<int>(copied);
}

int TEditorMessages::GetTextLength() const { return FEditor.TextLength(); }

void TEditorMessages::SetText(std::string_view text) {
  if (!FEditor.ReadOnly()) FEditor.Lines().SetText(text);
}

std::uint32_t TEditorMessages::GetSel(int* start, int* end) const {
  const int first = FEditor.SelStart();
  const int last = first + FEditor.SelLength();
  if (start) *start = first;
  if (end) *end = last;
  return (static_cast<std::uint32_t>(last) << 16) | (static_cast<std::uint32_t>(first) & 0xFFFF);
}

void TEditorMessages::SetSel(int start, int end) {
  if (start == 0 && end == -1) {
    FEditor.SelectAll();
    return;
  }
  if (start == -1) {
    FEditor.CleanSelection();
    return;
  }
  // An end of -1 stands for the end of the text, as the system's edit control reads it.
  if (end < 0) end = FEditor.TextLength();
  FEditor.SetSelStart(std::min(start, end));
  FEditor.SetSelLength(std::max(start, end) - std::min(start, end));
}

void TEditorMessages::ReplaceSel(std::string_view text) {
  if (!FEditor.ReadOnly()) FEditor.SetSelTextBuf(text);
}

int TEditorMessages::GetLine(int row, std::span<char> buffer) const {
  const TEditorScreenStrings& rows = FEditor.ListInfo();
  if (row < 0 || row >= rows.Count()) return 0;
  const std::string& text = rows.RowText(row);
  const std::size_t copied = std::min(text.size(), buffer.size());
  std::memcpy(buffer.data(), text.data(), copied);
  return static_cast<int>(copied);
}

int TEditorMessages::GetLineCount() const { return FEditor.ListInfo().Count(); }

int TEditorMessages::LineIndex(int row) const {
  const TEditorScreenStrings& rows = FEditor.ListInfo();
  if (row == -1) row = FEditor.Row();
  const int count = rows.Count();
  if (row < 0 || row > count) return -1;
  if (row == count && (count == 0 || rows.RowAttribute(count - 1) == raEnd)) return row == 0 ? 0 : -1;
  return FEditor.OffsetFrom(0, row, 0);
}

int TEditorMessages::RowOfOffset(int offset) const { return RowAtOffset(FEditor.ListInfo(), 0, offset).Row; }

namespace {

// Two 16-bit words in one result, as EM_CHARFROMPOS and EM_POSFROMCHAR deliver them.
std::int32_t PackWords(int low, int high) {
  return static_cast<std::int32_t>((static_cast<std::uint32_t>(high) & 0xFFFFu) << 16 |
                                   (static_cast<std::uint32_t>(low) & 0xFFFFu));
}

}  // namespace

std::int32_t TEditorMessages::CharFromPos(int x, int y) const {
  TCharPos found;
  if (!FEditor.CharFromPos(x, y, found)) return -1;
  return PackWords(found.Offset, found.Row);
}

std::int32_t TEditorMessages::PosFromChar(int offset) const {
  const TPoint point = FEditor.PosFromChar(offset);
  return PackWords(point.X, point.Y);
}

int TEditorMessages::LineFromChar(int offset) const {
  if (offset != -1) return RowOfOffset(offset);
  return FEditor.SelLength() > 0 ? FEditor.Selection().Range().StartRow : FEditor.Row();
}

int TEditorMessages::LineLength(int offset) const {
  if (offset != -1) return FEditor.RowLength(RowOfOffset(offset));
  if (FEditor.SelLength() == 0) return FEditor.RowLength(FEditor.Row());
  const TSelectionRange& range = FEditor.Selection().Range();
  return FEditor.RowLength(range.EndRow) + range.StartIndex - range.EndIndex - 1;
}

bool TEditorMessages::GetModify() const { return FEditor.Modified(); }

void TEditorMessages::SetModify(bool value) {
  if (!FEditor.ReadOnly()) FEditor.SetModified(value);
}

void TEditorMessages::SetReadOnly(bool value) { FEditor.SetReadOnly(value); }

bool TEditorMessages::CanUndo() const { return !FEditor.ReadOnly() && FEditor.CanUndo(); }

bool TEditorMessages::Undo() {
  if (FEditor.ReadOnly() || !FEditor.CanUndo()) return false;
  FEditor.Undo();
  return true;
}

void TEditorMessages::EmptyUndoBuffer() {
  if (!FEditor.ReadOnly()) FEditor.ListInfo().UndoObj().Clear();
}

}  // namespace editor
