// The row list's one "computed up to here" mark against states computed from the top: whatever edits,
// undos, partial draws and resets come, every row the mark calls computed holds the state a computation
// from the first row gives it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/syntax/editor_parser.h"
#include "editor/syntax/fountain.h"
#include "editor/syntax/token_row_states.h"
#include "editor/text/editor_screen_strings.h"
#include "support/random_text.h"
#include "support/token_test_support.h"

namespace editor {
namespace {

// Every row's state from the first row on.
std::vector<TRowAttributeData> StatesFromTheTop(const TEditorScreenStrings& rows, TFountainParser& parser) {
  test::TRows copy;
  for (int row = 0; row < rows.Count(); ++row) copy.Add(std::string(rows.RowText(row)), rows.RowAttribute(row));
  std::vector<TRowAttributeData> states;
  TRowAttributeData state;
  for (int row = 0; row < rows.Count(); ++row) {
    state.PrevRowAttribute = row > 0 ? static_cast<std::uint8_t>(rows.RowAttribute(row - 1)) : RowAttrBreak;
    state.RowAttribute = rows.RowAttribute(row);
    states.push_back(state);
    parser.NextRowState(row, copy, state);
  }
  return states;
}

std::string RandomRowText(test::TRandomText& random) {
  static const char* const kPieces[] = {"abc",
                                        "(*",
                                        "*)",
                                        "//",
                                        "\"",
                                        "http://a.b",
                                        "a@b.c",
                                        " ",
                                        "<<",
                                        ">>",
                                        "\r\n",
                                        "\r\n",
                                        "xxxxxxxxxxxxxxxxxxxxxxxxx"};
  return random.Glue(kPieces, 8);
}

TEST(RowStatesMark, EveryRowMarkedComputedHoldsTheStateComputedFromTheTop) {
  TEditorFountain fountain;
  for (const auto& [left, right] : {std::pair{"(*", "*)"}, std::pair{"<<", ">>"}}) {
    TFountainBracketItem* item = fountain.Brackets().Add();
    item->SetLeftBracket(left);
    item->SetRightBracket(right);
  }
  fountain.SetCommenter("//");
  fountain.SetQuotation("\"");
  fountain.SetUrl(true);
  fountain.SetMail(true);
  auto parser = fountain.CreateParser();
  TTokenRowStates states;
  states.SetFountain(&fountain);
  test::TRandomText random(5150);
  for (int sequence = 0; sequence < 300; ++sequence) {
    TEditorScreenStrings rows;
    rows.SetRowStates(&states);
    rows.WrapOption().SetWrapByte(20);
    rows.SetWordWrap(random.Chance(50));
    std::string text;
    for (int i = random.Below(30); i > 0; --i) text += RandomRowText(random);
    rows.LoadText(text);
    rows.ResetStates();
    for (int step = 0; step < 30; ++step) {
      const int count = rows.Count();
      switch (random.Below(6)) {
        case 0:  // drawing a row computes up to it
          if (count > 0) rows.UpdateStates(random.Below(count), false);
          break;
        case 1:
          rows.Undo();
          break;
        case 2:
          rows.Redo();
          break;
        case 3:
          states.SetInitBracketsFull(random.Chance(50));
          rows.ResetStates();
          break;
        default: {
          const int start = random.Below(count + 1);
          rows.ReplaceText(start, random.Below(std::min(count - start, 3) + 1), RandomRowText(random));
          break;
        }
      }
      const std::vector<TRowAttributeData> expected = StatesFromTheTop(rows, *parser);
      for (int row = 0; row < rows.Count(); ++row) {
        if (!rows.StateComputed(row)) continue;
        const TRowAttributeData stored = rows.RowAttributeData(row);
        ASSERT_TRUE(SameStartState(stored, expected[static_cast<std::size_t>(row)]))
            << "sequence " << sequence << " step " << step << " row " << row;
      }
    }
  }
}

}  // namespace
}  // namespace editor
