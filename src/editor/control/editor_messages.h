// The edit-control messages the editor answers (cut, copy, selection, line queries, points and offsets,
// modify and undo flags), as calls with the results the messages return: the one place where results
// are packed into words as the messages deliver them.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace editor {

class TEditor;

// A view of an editor that answers its messages; holds no state of its own, so make one where needed.
class TEditorMessages {
 public:
  explicit TEditorMessages(TEditor& editor) : FEditor(editor) {}

  // WM_CUT, WM_COPY: without selected text (or, for cut, when read-only) the clipboard gets empty text.
  void Cut();
  void Copy();
  void Paste();
  void Clear();
  // WM_GETTEXT: copies at most buffer.size() - 1 bytes and a NUL; returns the bytes copied.
  int GetText(std::span<char> buffer) const;
  int GetTextLength() const;
  void SetText(std::string_view text);
  // EM_GETSEL: start and end, also written through the pointers given; returns end << 16 | start.
  std::uint32_t GetSel(int* start, int* end) const;
  // EM_SETSEL: (0, -1) selects all; a start of -1 removes the selection; an end of -1 means the text end.
  void SetSel(int start, int end);
  void ReplaceSel(std::string_view text);
  // EM_CHARFROMPOS: offset in the low word and row in the high word; -1 outside the client area.
  std::int32_t CharFromPos(int x, int y) const;
  // EM_POSFROMCHAR: the client position of the character at offset, x in the low word and y in the high.
  std::int32_t PosFromChar(int offset) const;
  // EM_GETLINE: copies row `row` into buffer (no NUL); returns the count.
  int GetLine(int row, std::span<char> buffer) const;
  int GetLineCount() const;
  // EM_LINEINDEX: the offset of row's start (-1: the caret row); -1 for a row that does not exist.
  int LineIndex(int row) const;
  // EM_LINEFROMCHAR: the row holding offset (-1: the caret row or the selection's start row).
  int LineFromChar(int offset) const;
  // EM_LINELENGTH: the length of the row holding offset (-1: see the source).
  int LineLength(int offset) const;
  bool GetModify() const;
  void SetModify(bool value);
  void SetReadOnly(bool value);
  bool CanUndo() const;
  bool Undo();
  void EmptyUndoBuffer();

 private:
  // The row PlaceCaret would reach from row 0 by offset bytes.
  int RowOfOffset(int offset) const;

  TEditor& FEditor;
};

}  // namespace editor
