// Lines: logical-line operations turned into row replacements, and the whole-text loads.
#include "editor/text/editor_strings.h"

#include <array>
#include <fstream>

#include "editor/text/editor_screen_strings.h"

namespace editor {

namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::size_t kLoadBlockSize = 8192;
constexpr char kCtrlZ = 26;

// The length text has in the row store: up to its first NUL, every line break counted as CR LF.
int StoredLength(std::string_view text) {
  text = CutAtNul(text);
  int length = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      length += 2;
      ++i;
    } else {
      length += text[i] == '\r' || text[i] == '\n' ? 2 : 1;
    }
  }
  return length;
}

}  // namespace

int TEditorStrings::GetCount() const { return Rows().LineCount(); }

std::string TEditorStrings::Get(int index) const {
  const TEditorScreenStrings& rows = Rows();
  if (!rows.WordWrap()) return rows.RowText(index);
  const int row = index < 0 ? index : rows.LineToRow(index);
  if (row < 0 || row >= rows.Count()) throw EListError(index);
  std::string line;
  for (int r = row, end = rows.LineEndRow(row); r <= end; ++r) line += rows.RowText(r);
  return line;
}

void TEditorStrings::ReplaceAndPlace(int row, int rowCount, const std::string& text) {
  FOwner.DropSelection();
  FOwner.HideCaret();
  Rows().ReplaceText(row, rowCount, text);
  FOwner.PlaceCaret(row, StoredLength(text));
  FOwner.ShowCaret();
}

void TEditorStrings::Put(int index, std::string_view s) {
  TEditorScreenStrings& rows = Rows();
  const int row = index < 0 ? index : rows.LineToRow(index);
  if (row < 0 || row >= rows.Count()) throw EListError(index);
  const int end = rows.LineEndRow(row);
  std::string text(CutAtNul(s));
  if (rows.RowAttribute(end) == raBreak) text += kCrLf;
  ReplaceAndPlace(row, end - row + 1, text);
}

int TEditorStrings::Add(std::string_view s) {
  TEditorScreenStrings& rows = Rows();
  const int lines = rows.LineCount();
  const int count = rows.Count();
  if (count > 0 && rows.RowAttribute(count - 1) != raBreak) {
    // The text ends without a break: its last line gets one, and s becomes the new unterminated last line.
    const int start = rows.LineStartRow(count - 1);
    std::string text = rows.RowsText(start, count - start);
    text += kCrLf;
    text += CutAtNul(s);
    ReplaceAndPlace(start, count - start, text);
  } else {
    std::string text(CutAtNul(s));
    text += kCrLf;
    ReplaceAndPlace(count, 0, text);
  }
  return lines;
}

void TEditorStrings::Insert(int index, std::string_view s) {
  TEditorScreenStrings& rows = Rows();
  if (index < 0 || index > rows.LineCount()) return;  // an edit out of range is ignored, as ReplaceText's
  const int row = rows.LineToRow(index);
  if (row >= rows.Count()) {
    Add(s);
    return;
  }
  std::string text(CutAtNul(s));
  text += kCrLf;
  ReplaceAndPlace(row, 0, text);
}

void TEditorStrings::Delete(int index) {
  TEditorScreenStrings& rows = Rows();
  if (index < 0 || index >= rows.LineCount()) return;
  const int row = rows.LineToRow(index);
  ReplaceAndPlace(row, rows.LineEndRow(row) - row + 1, std::string());
}

void TEditorStrings::Clear() { Rows().Clear(); }

std::string TEditorStrings::GetTextStr() const { return Rows().Text(); }

template <class Fill>
void TEditorStrings::ReloadRows(Fill&& fill) {
  TEditorScreenStrings& rows = Rows();
  BeginUpdate();
  rows.Clear();
  fill(rows);
  if (rows.WordWrap()) rows.WrapLines();
  rows.ResetStates();
  EndUpdate();
}

void TEditorStrings::SetTextStr(std::string_view text) {
  ReloadRows([text](TEditorScreenStrings& rows) { rows.LoadText(text); });
}

void TEditorStrings::Assign(const TPersistent& source) {
  const auto* strings = dynamic_cast<const TStrings*>(&source);
  if (!strings) {
    TStrings::Assign(source);
    return;
  }
  SetTextStr(strings->Text());
  FOwner.MoveCaret({Rows().Count(), 0});
}

bool TEditorStrings::LoadFromFile(const std::filesystem::path& fileName) {
  // Opened before anything is cleared: a file that cannot be read leaves the text as it was.
  std::ifstream file(fileName, std::ios::binary);
  if (!file) return false;
  ReloadRows([&file](TEditorScreenStrings& rows) {
    std::array<char, kLoadBlockSize> block;
    std::string pending;  // a line not yet ended, carried over block ends and NUL bytes
    bool afterCr = false;
    bool ended = false;
    while (!ended) {
      file.read(block.data(), static_cast<std::streamsize>(block.size()));
      const auto size = static_cast<std::size_t>(file.gcount());
      if (size == 0) break;
      for (std::size_t i = 0; i < size; ++i) {
        const char c = block[i];
        if (c == '\0') {
          afterCr = false;
          break;  // the rest of this block is skipped
        }
        if (c == kCtrlZ) {
          ended = true;
          break;
        }
        if (c == '\n' && afterCr) {
          afterCr = false;  // the LF of a CR LF pair, also across a block end
          continue;
        }
        afterCr = c == '\r';
        if (c == '\r' || c == '\n') {
          rows.AppendRow(pending, raBreak);
          pending.clear();
        } else {
          pending += c;
        }
      }
    }
    if (!pending.empty()) rows.AppendRow(pending, raEnd);
  });
  return true;
}

void TEditorStrings::SetUpdateState(bool updating) {
  if (updating) {
    Rows().BeginUpdate();
    FOwner.HideCaret();
  } else {
    FOwner.ShowCaret();
    Rows().EndUpdate();
  }
}

}  // namespace editor
