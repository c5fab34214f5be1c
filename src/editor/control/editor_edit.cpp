// Text changes at the caret or over the selection: inserting, deleting the selection, Delete, Backspace,
// Tab and Return. Each rebuilds the text of the rows it touches, hands it to ReplaceText and places the
// caret by a byte offset from the first row of the caret's logical line, which a re-wrap never moves.
#include <algorithm>
#include <string>

#include "editor/base/strings.h"
#include "editor/control/editor.h"
#include "editor/control/editor_key.h"
#include "editor/text/editor_screen_strings.h"
#include "editor/text/editor_wrap_option.h"
#include "platform/cp932.h"

namespace editor {

namespace {

bool IsTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// The text as the rows will store it: up to its first NUL, every line break (CR LF, lone CR, lone LF)
// as CR LF, so that the caret lands after exactly the bytes inserted, and every lead byte without a
// partner inside the text turned into "?" (left alone it would pair with the byte after the insertion
// point and split the character there).
std::string Insertable(std::string_view text) {
  text = CutAtNul(text);
  std::string result;
  result.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      result += "\r\n";
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (!platform::IsLeadByte(c)) {
      result += c;
    } else if (i + 1 < text.size() && IsTrailByte(static_cast<unsigned char>(text[i + 1]))) {
      result += c;
      result += text[++i];
    } else {
      result += '?';
    }
  }
  return result;
}

// The byte length of the character starting at index (a lead byte with its partner counts 2).
int CharLength(std::string_view text, std::size_t index) {
  return platform::IsLeadByte(text[index]) && index + 1 < text.size() ? 2 : 1;
}

}  // namespace

int TEditor::OffsetFrom(int fromRow, int row, int index) const {
  int offset = index;
  for (int r = fromRow; r < row; ++r) offset += RowSpan(r);
  return offset;
}

void TEditor::EditRows(int startRow, int rowCount, std::string_view text, int fromRow, int offset) {
  HideCaret();
  FRows->ReplaceText(startRow, rowCount, text);
  PlaceCaret(fromRow, offset);
  ShowCaret();
  ScrollCaret();
}

void TEditor::PutText(std::string_view text) {
  if (FReadOnly) return;
  const std::string s = Insertable(text);
  if (s.empty()) return;
  const int size = static_cast<int>(s.size());
  if (FSelection.State() == sstHitSelected) CleanSelection();
  if (BoxSelected()) {  // a line goes into every row of the box, lines one a row
    if (s.find('\r') == std::string::npos) {
      ReplaceBox(s);
    } else {
      PasteBox(s);
    }
    return;
  }
  if (SelectionActive()) {
    ReplaceSelection(s);
    return;
  }
  CleanSelection();  // begun but holding nothing

  const int count = FRows->Count();
  if (FCaret.Row >= count) {  // the virtual row, or an empty text
    EditRows(count, 0, s, count, size);
    return;
  }
  std::string row = FRows->RowText(FCaret.Row);
  const int index = ByteIndexOfColumn(RowMap(FCaret.Row), FCaret.Col);
  const int from = FRows->LineStartRow(FCaret.Row);
  const int offset = OffsetFrom(from, FCaret.Row, index);
  if (index > static_cast<int>(row.size())) row.append(static_cast<std::size_t>(index) - row.size(), ' ');
  if (FOvertype) {
    Overwrite(index, s);
    return;
  }
  row.insert(static_cast<std::size_t>(index), s);
  if (FRows->RowAttribute(FCaret.Row) == raBreak) row += "\r\n";
  EditRows(FCaret.Row, 1, row, from, offset + size);
}

void TEditor::Overwrite(int index, const std::string& s) {
  // The rest of the logical line from the caret row: overwriting runs on into its wrapped rows.
  const int lastRow = FRows->LineEndRow(FCaret.Row);
  std::string text = FRows->RowsText(FCaret.Row, lastRow - FCaret.Row + 1);
  std::size_t lineEnd = text.size();
  if (FRows->RowAttribute(lastRow) == raBreak) lineEnd -= 2;
  text.resize(std::max(lineEnd, static_cast<std::size_t>(index)), ' ');
  if (FRows->RowAttribute(lastRow) == raBreak) text += "\r\n";
  // Whole characters only: a double-byte character half covered goes entirely.
  std::size_t end = static_cast<std::size_t>(index);
  while (end < lineEnd && end < static_cast<std::size_t>(index) + s.size())
    end += static_cast<std::size_t>(CharLength(text, end));
  end = std::min(end, std::max(lineEnd, static_cast<std::size_t>(index)));
  text.replace(static_cast<std::size_t>(index), end - static_cast<std::size_t>(index), s);
  const int from = FRows->LineStartRow(FCaret.Row);
  EditRows(FCaret.Row, lastRow - FCaret.Row + 1, text, from,
           OffsetFrom(from, FCaret.Row, index) + static_cast<int>(s.size()));
}

void TEditor::ReplaceSelection(const std::string& s) {
  const TSelectionRange range = FSelection.Range();
  const int length = SelLength();
  const int lastRow = std::min(range.EndRow, FRows->Count() - 1);
  std::string text = FRows->RowsText(range.StartRow, lastRow - range.StartRow + 1);
  text.replace(static_cast<std::size_t>(range.StartIndex), static_cast<std::size_t>(length), s);
  const int from = FRows->LineStartRow(range.StartRow);
  const int offset = OffsetFrom(from, range.StartRow, range.StartIndex) + static_cast<int>(s.size());
  FSelection.Clear();
  SelectionChanged();
  EditRows(range.StartRow, lastRow - range.StartRow + 1, text, from, offset);
}

void TEditor::SetSelTextBuf(std::string_view text) {
  if (FReadOnly) return;
  if (CutAtNul(text).empty()) {
    DeleteSelection();
  } else {
    PutText(text);
  }
}

void TEditor::DeleteSelection() {
  if (FReadOnly || !SelectionActive()) return;
  if (BoxSelected()) {
    ReplaceBox({});
  } else {
    ReplaceSelection({});
  }
}

// Delete and Backspace first take out a selection; a hit highlight is only cleared. False when that
// was all the key had to do (or the text is read-only).
bool TEditor::DeleteKeyNeedsText() {
  if (FReadOnly) return false;
  if (FSelection.State() == sstHitSelected) CleanSelection();
  if (SelectionActive()) {
    DeleteSelection();
    return false;
  }
  if (!BoxSelected()) CleanSelection();  // a column of carets takes the key on every row
  return true;
}

void TEditor::DeleteKey() {
  if (!DeleteKeyNeedsText()) return;
  if (BoxSelected()) {
    BoxCharKey(false);
    return;
  }
  const int count = FRows->Count();
  if (FCaret.Row >= count) return;
  std::string text = FRows->RowText(FCaret.Row);
  const int length = static_cast<int>(text.size());
  const std::string map = RowMap(FCaret.Row);
  const int index = ByteIndexOfColumn(map, FCaret.Col);
  const TRowAttribute attribute = FRows->RowAttribute(FCaret.Row);
  const int from = FRows->LineStartRow(FCaret.Row);
  const int offset = OffsetFrom(from, FCaret.Row, index);
  if (index >= length) {
    if (attribute == raEnd) return;
    // Join with the next row; the row is first padded to the caret, so text after it stays where it showed.
    text.append(static_cast<std::size_t>(index - length), ' ');
    if (FCaret.Row + 1 < count) {
      text += FRows->RowText(FCaret.Row + 1);
      if (FRows->RowAttribute(FCaret.Row + 1) == raBreak) text += "\r\n";
      EditRows(FCaret.Row, 2, text, from, offset);
    } else {
      EditRows(FCaret.Row, 1, text, from, offset);  // removes the final line break
    }
    return;
  }
  text.erase(static_cast<std::size_t>(index),
             static_cast<std::size_t>(CharLength(text, static_cast<std::size_t>(index))));
  if (attribute == raBreak) text += "\r\n";
  EditRows(FCaret.Row, 1, text, from, offset);
}

void TEditor::BackspaceChar() {
  if (!DeleteKeyNeedsText()) return;
  if (BoxSelected()) {
    BoxCharKey(true);
    return;
  }
  const int count = FRows->Count();
  if (count == 0) {
    SetCol(FCaret.Col - 1);
    ScrollCaret();
    return;
  }
  const int index = FCaret.Row < count ? ByteIndexOfColumn(RowMap(FCaret.Row), FCaret.Col) : 0;
  if (index == 0) {
    if (FCaret.Row == 0) return;
    const int previous = FCaret.Row - 1;
    std::string text = FRows->RowText(previous);
    const int from = FRows->LineStartRow(previous);
    if (FRows->RowAttribute(previous) == raWrap) {
      // No line break between the rows: the previous row's last character goes.
      const std::string map = RowMap(previous);
      const int removed = !map.empty() && map.back() == colTrail ? 2 : 1;
      text.resize(text.size() - static_cast<std::size_t>(std::min<int>(removed, static_cast<int>(text.size()))));
      EditRows(previous, 1, text, from, OffsetFrom(from, previous, static_cast<int>(text.size())));
      return;
    }
    const int offset = OffsetFrom(from, previous, static_cast<int>(text.size()));
    if (FCaret.Row < count) {
      text += FRows->RowText(FCaret.Row);
      if (FRows->RowAttribute(FCaret.Row) == raBreak) text += "\r\n";
      EditRows(previous, 2, text, from, offset);
    } else {
      EditRows(previous, 1, text, from, offset);
    }
    return;
  }
  std::string text = FRows->RowText(FCaret.Row);
  if (index > static_cast<int>(text.size())) {  // beyond the text (a free caret): only the caret moves
    SetCol(FCaret.Col - 1);
    ScrollCaret();
    return;
  }
  if (CaretOptions().BackSpaceUnIndent && UnIndentBack(text, index)) return;
  const std::string map = RowMap(FCaret.Row);
  const int removed = FCaret.Col >= 1 && FCaret.Col - 1 < static_cast<int>(map.size()) &&
                              map[static_cast<std::size_t>(FCaret.Col - 1)] == colTrail
                          ? 2
                          : 1;
  text.erase(static_cast<std::size_t>(index - removed), static_cast<std::size_t>(removed));
  if (FRows->RowAttribute(FCaret.Row) == raBreak) text += "\r\n";
  const int from = FRows->LineStartRow(FCaret.Row);
  EditRows(FCaret.Row, 1, text, from, OffsetFrom(from, FCaret.Row, index - removed));
}

void TEditor::TabChar(TShiftState shift) {
  if ((shift & (ssShift | ssCtrl)) != 0 || FReadOnly || !FWantTabs) return;
  const int tab = CaretOptions().TabSpaceCount;
  int n = tab - FCaret.Col % tab;
  if (WordWrap()) {
    const int wrapByte = WrapOption().WrapByte();
    n = std::min(n, wrapByte - FCaret.Col % wrapByte);
  }
  if (FOvertype) {
    SetCol(FCaret.Col + n);
    ScrollCaret();
    return;
  }
  // A tab byte's fill is the column map's business; SoftTab types the spaces themselves.
  PutText(CaretOptions().SoftTab ? std::string(static_cast<std::size_t>(n), ' ') : std::string("\t"));
}

void TEditor::ReturnChar(bool shift) {
  if (FReadOnly) return;
  if (FSelection.State() == sstHitSelected) CleanSelection();
  if (SelectionActive()) {
    if (shift) return;
    DeleteSelection();
  }
  CleanSelection();
  const int count = FRows->Count();
  if (FCaret.Row >= count) {
    EditRows(count, 0, "\r\n", count, 2);
    return;
  }
  if (FOvertype) {
    SetRow(FCaret.Row + 1);
    SetCol(0);
    ScrollCaret();
    return;
  }
  const std::string indent = NewLineIndent();
  const int indentSize = static_cast<int>(indent.size());
  const int from = FRows->LineStartRow(FCaret.Row);
  if (shift) {
    EditRows(FCaret.Row, 0, indent + "\r\n", from, OffsetFrom(from, FCaret.Row, 0) + indentSize);
    return;
  }
  const std::string text = FRows->RowText(FCaret.Row);
  const int index = std::min(ByteIndexOfColumn(RowMap(FCaret.Row), FCaret.Col), static_cast<int>(text.size()));
  std::string rows = text.substr(0, static_cast<std::size_t>(index));
  rows += "\r\n";
  rows += indent;
  rows += text.substr(static_cast<std::size_t>(index));
  if (FRows->RowAttribute(FCaret.Row) == raBreak) rows += "\r\n";
  EditRows(FCaret.Row, 1, rows, from, OffsetFrom(from, FCaret.Row, index) + 2 + indentSize);
}

}  // namespace editor
