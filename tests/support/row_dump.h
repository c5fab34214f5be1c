// Reading rows as compact strings, and the rows a full re-wrap gives, for the tests of the text layer
// (which have no editor).
#pragma once

#include <string>
#include <vector>

#include "editor/text/editor_screen_strings.h"
#include "editor/text/editor_wrap_option.h"

namespace editor::test {

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
  for (int i = 0; i < rows.Count(); ++i)
    dump.push_back(std::string(rows.RowText(i)) + "|" + AttributeLetter(rows.RowAttribute(i)));
  return dump;
}

// The rows of the text loaded afresh with the same word wrap and wrap options (and no editor attached,
// so the default tab width). Incremental edits must always come out as this.
inline std::vector<std::string> FullRewrapRows(const TEditorScreenStrings& rows) {
  TEditorScreenStrings fresh;
  fresh.WrapOption().Assign(rows.WrapOption());
  fresh.SetWordWrap(rows.WordWrap());
  fresh.LoadText(rows.Text());
  return RowDump(fresh);
}

}  // namespace editor::test
