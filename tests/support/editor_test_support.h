// Shared helpers of the editor core tests: reading rows as compact strings and editing as typing does.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "editor/control/editor.h"
#include "editor/text/editor_screen_strings.h"
#include "editor/text/editor_wrap_option.h"

namespace editor::test {

// Full-width characters in code page 932.
inline constexpr std::string_view kA = "\x82\xA0";            // あ
inline constexpr std::string_view kIdeoStop = "\x81\x42";     // 。
inline constexpr std::string_view kIdeoComma = "\x81\x41";    // 、
inline constexpr std::string_view kOpenBracket = "\x81\x75";  // 「

inline char AttributeLetter(TRowAttribute attribute) {
  switch (attribute) {
    case raBreak:
      return 'B';
    case raWrap:
      return 'W';
    case raEnd:
      return 'E';
    default:
      return '?';
  }
}

// Every row as "text|B", "text|W" or "text|E".
inline std::vector<std::string> RowDump(const TRowAttributeStringList& rows) {
  std::vector<std::string> dump;
  for (int i = 0; i < rows.Count(); ++i) dump.push_back(rows.RowText(i) + "|" + AttributeLetter(rows.RowAttribute(i)));
  return dump;
}

inline std::vector<std::string> RowDump(TEditor& editor) { return RowDump(editor.ListInfo()); }

// The rows a full re-wrap gives: the editor's text loaded into a fresh editor with the same tab width,
// wrap options and word wrap. Incremental edits and re-cuts must always come out as this.
inline std::vector<std::string> FullRewrapRows(TEditor& editor) {
  TEditor fresh;
  fresh.Caret().SetTabSpaceCount(editor.CaretOptions().TabSpaceCount);
  fresh.WrapOption().Assign(editor.WrapOption());
  fresh.SetWordWrap(editor.WordWrap());
  fresh.Lines().SetText(editor.Lines().Text());
  return RowDump(fresh);
}

// The lengths of the rows.
inline std::vector<std::size_t> RowLengths(const TRowAttributeStringList& rows) {
  std::vector<std::size_t> lengths;
  for (int i = 0; i < rows.Count(); ++i) lengths.push_back(rows.RowText(i).size());
  return lengths;
}

// Inserts s at the caret the way typing does: the caret row with s put in at the caret's byte index
// (and its line break) replaces the row, then the caret goes after s.
inline void Type(TEditor& editor, std::string_view s) {
  TEditorScreenStrings& rows = editor.ListInfo();
  const int row = editor.Row();
  const int from = std::max(rows.LineStartRow(row), row - 1);
  const int offset = editor.CaretOffset(from, row, editor.Col());
  if (row >= rows.Count()) {
    rows.ReplaceText(rows.Count(), 0, s);
  } else {
    std::string text = rows.RowText(row);
    const int index = std::min<int>(static_cast<int>(text.size()), ByteIndexOfColumn(editor.RowMap(row), editor.Col()));
    text.insert(static_cast<std::size_t>(index), s);
    if (rows.RowAttribute(row) == raBreak) text += "\r\n";
    rows.ReplaceText(row, 1, text);
  }
  editor.PlaceCaret(from, offset + static_cast<int>(s.size()));
}

// Repeats a string.
inline std::string Repeat(std::string_view s, int times) {
  std::string result;
  for (int i = 0; i < times; ++i) result += s;
  return result;
}

}  // namespace editor::test
