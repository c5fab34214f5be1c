// Shared helpers of the editor core tests: rows read as compact strings, the rows a full re-wrap gives,
// and repeated text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "editor/control/editor.h"
#include "editor/text/editor_screen_strings.h"
#include "editor/text/editor_wrap_option.h"

namespace editor::test {

// Every row as "text|B", "text|W" or "text|E" (B a line break, W wrapped on, E the text's end).
inline std::vector<std::string> RowDump(TEditor& editor) {
  const TEditorScreenStrings& rows = editor.ListInfo();
  std::vector<std::string> dump;
  for (int i = 0; i < rows.Count(); ++i)
    dump.push_back(std::string(rows.RowText(i)) + "|" + "BWEN"[rows.RowAttribute(i)]);
  return dump;
}

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

inline std::string Repeat(std::string_view s, int times) {
  std::string result;
  for (int i = 0; i < times; ++i) result += s;
  return result;
}

}  // namespace editor::test
