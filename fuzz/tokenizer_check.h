// The tokenizer's fuzz property, shared by the fuzz target and the test that makes its seeds: after any
// edit, undo or redo of any bytes, the start states the editor's rows keep up to date one change at a time
// are the states a computation from the top gives.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "editor/control/editor.h"
#include "editor/syntax/fountain.h"
#include "editor/syntax/token_row_states.h"
#include "editor/text/editor_screen_strings.h"
#include "editor/text/editor_wrap_option.h"
#include "program.h"

namespace fuzz {

namespace detail {

// A scheme with the rules the input's first byte switches on: each carries state from row to row.
inline void ConfigureScheme(editor::TEditorFountain& fountain, unsigned rules) {
  fountain.SetUrl((rules & 1) != 0);
  fountain.SetMail((rules & 2) != 0);
  if (rules & 4) fountain.SetCommenter("//");
  if (rules & 8) fountain.SetQuotation("\"");
  if (rules & 16) fountain.SetControlCode(true);
  if (rules & 32) fountain.SetReserveWordList({"abc", "end"});
  const char* const pairs[][2] = {{"(*", "*)"}, {"<<", ">>"}, {"\x82\xA0", "\x81\x42"}, {"[", ""}};
  for (unsigned i = 0; i < 4; ++i) {
    if ((rules & (64u << (i / 2))) == 0) continue;
    editor::TFountainBracketItem* item = fountain.Brackets().Add();
    item->SetLeftBracket(pairs[i][0]);
    item->SetRightBracket(pairs[i][1]);
  }
}

inline std::vector<editor::TRowAttributeData> States(const editor::TEditorScreenStrings& rows) {
  std::vector<editor::TRowAttributeData> states;
  for (int row = 0; row < rows.Count(); ++row) states.push_back(rows.RowAttributeData(row));
  return states;
}

}  // namespace detail

// Empty when the property holds for `bytes`, else what broke.
inline std::string CheckTokenizer(std::string_view bytes) {
  TProgram program(bytes);
  editor::TEditorFountain fountain;
  detail::ConfigureScheme(fountain, program.Next());
  editor::TTokenRowStates states;
  states.SetFountain(&fountain);
  editor::TEditor editor;
  editor::TEditorScreenStrings& rows = editor.ListInfo();
  rows.SetRowStates(&states);
  editor.SetVisibleRows(program.Below(4));
  editor.WrapOption().SetWrapByte(program.Below(40) + 8);
  editor.SetWordWrap((program.Next() & 1) != 0);
  editor.Lines().SetText(program.Text(200));
  std::string broken;
  for (int step = 0; step < 32 && !program.AtEnd() && broken.empty(); ++step) {
    const unsigned action = program.Below(8u);
    if (action == 0) {
      editor.Undo();
    } else if (action == 1) {
      editor.Redo();
    } else {
      const int start = program.Below(rows.Count() + 1);
      const int count = program.Below(std::min(4, rows.Count() - start + 1));
      rows.ReplaceText(start, count, program.Text(40));
    }
    // Drawing the whole text computes the rows still waiting, top down, without notification.
    for (int row = 0; row < rows.Count(); ++row) {
      if (!rows.StateComputed(row)) rows.UpdateStates(row, false);
    }
    const std::vector<editor::TRowAttributeData> incremental = detail::States(rows);
    states.SetInitBracketsFull(true);
    rows.ResetStates();
    states.SetInitBracketsFull(false);
    if (incremental != detail::States(rows))
      broken = "the states kept up to date differ from a computation from the top after step " + std::to_string(step);
  }
  rows.SetRowStates(nullptr);
  return broken;
}

}  // namespace fuzz
