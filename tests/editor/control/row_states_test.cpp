// Row start states: incremental propagation after edits agrees with a computation from the top, stops
// where states agree again, stays within two screens, and reaches the editor's real row list, whose
// computed rows always hold the states a computation from the top gives. (An edit among a hundred thousand
// rows that rewrites no state is a case of editing.txt.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/control/editor.h"
#include "editor/syntax/fountain.h"
#include "editor/syntax/token_row_states.h"
#include "editor/text/editor_screen_strings.h"
#include "editor/text/editor_wrap_option.h"
#include "support/random_text.h"
#include "support/token_test_support.h"

namespace editor {
namespace {

using test::Sjis;

// A row store in memory, with a state per row.
class TFakeRows : public TRowStateStore {
 public:
  struct TRow {
    std::string Text;
    std::uint8_t Attribute;
    TRowAttributeData State;
  };
  std::vector<TRow> Rows;

  int RowCount() const override { return static_cast<int>(Rows.size()); }
  std::string_view RowText(int row) const override { return Rows.at(static_cast<std::size_t>(row)).Text; }
  std::uint8_t RowAttribute(int row) const override { return Rows.at(static_cast<std::size_t>(row)).Attribute; }
  TRowAttributeData RowState(int row) const override {
    TRowAttributeData data = Rows.at(static_cast<std::size_t>(row)).State;
    data.RowAttribute = RowAttribute(row);
    return data;
  }
  void SetRowState(int row, const TRowAttributeData& data) override {
    TRow& target = Rows.at(static_cast<std::size_t>(row));
    target.State = data;
    target.State.RowAttribute = target.Attribute;
  }
  bool Computed(int row) const {
    return Rows.at(static_cast<std::size_t>(row)).State.BracketIndex != BracketNotComputed;
  }
};

// A scheme with every rule that carries state from row to row (written as tokens.txt writes schemes).
const char* const kBusyScheme = R"(bracket=(*,*) bracket=<<,>> commenter=// quotation=\" url mail reserve=abc)";

// Pieces that open, close and carry tokens, glued at random.
std::string RandomRowText(test::TRandomText& random, int maxPieces) {
  static const std::vector<std::string> pieces = {"abc",        "12",         "3.5",      "(*", "*)", "//", "\"",
                                                  "http://a.b", "a@b.c",      " ",        "  ", "<<", ">>", "\t",
                                                  Sjis("漢字"), Sjis("カタ"), Sjis("ｱｲ"), "x",  "*",  ")",
                                                  std::string(25, 'x')};
  return random.Glue(pieces, maxPieces);
}

// A row not computed yet that is not the last: one time in three it ends a line, else it wraps on.
TFakeRows::TRow FreshRow(test::TRandomText& random) {
  TFakeRows::TRow row{RandomRowText(random, 6), random.Between(0, 2) == 0 ? RowAttrBreak : RowAttrWrap, {}};
  row.State.BracketIndex = BracketNotComputed;
  return row;
}

TEST(RowStates, IncrementalUpdatesAfterRandomEditsEqualAComputationFromTheTop) {
  const test::TScheme scheme = test::SchemeOf(kBusyScheme);
  auto parser = scheme.CreateParser();
  test::TRandomText random(4711);
  for (int text = 0; text < 300; ++text) {
    TFakeRows rows;
    const int count = random.Between(1, 30);
    for (int i = 0; i < count; ++i) rows.Rows.push_back(FreshRow(random));
    rows.Rows.back().Attribute = RowAttrEnd;
    ResetRowStates(rows, *parser, rows.RowCount() - 1);

    for (int edit = 0; edit < 12; ++edit) {
      const int size = rows.RowCount();
      const int first = random.Between(0, size);
      const int removed = random.Between(0, std::min(3, size - first));
      const int added = random.Between(removed == size ? 1 : 0, 3);
      std::vector<TFakeRows::TRow> fresh;
      for (int i = 0; i < added; ++i) fresh.push_back(FreshRow(random));
      rows.Rows.erase(rows.Rows.begin() + first, rows.Rows.begin() + first + removed);
      rows.Rows.insert(rows.Rows.begin() + first, fresh.begin(), fresh.end());
      int changedFrom = first;
      if (rows.Rows.back().Attribute == RowAttrWrap) {
        // The last row never wraps; its change makes it an edited row too.
        rows.Rows.back().Attribute = RowAttrEnd;
        rows.Rows.back().State.BracketIndex = BracketNotComputed;
        changedFrom = std::min(changedFrom, rows.RowCount() - 1);
      }
      const int screenRows = random.Between(0, 4);
      int heard = 0;
      const int counted = UpdateRowStates(rows, *parser, changedFrom, screenRows, [&heard](int) { ++heard; });
      EXPECT_EQ(counted, heard);
      EXPECT_LE(counted, rows.RowCount() - changedFrom);
      // Every row still not computed, computed top down, as drawing the whole text would.
      for (int row = 0; row < rows.RowCount(); ++row) {
        if (!rows.Computed(row)) UpdateRowStates(rows, *parser, row, screenRows, {});
      }

      TFakeRows fromTop = rows;
      ResetRowStates(fromTop, *parser, fromTop.RowCount() - 1);
      for (int row = 0; row < rows.RowCount(); ++row) {
        ASSERT_EQ(rows.RowState(row), fromTop.RowState(row)) << "text " << text << " edit " << edit << " row " << row;
      }
    }
  }
}

// One hundred rows walked through a partial reset, an edit that opens a region, one that closes it and one
// that leaves every state alone.
TEST(RowStates, ResetsAndEditsComputeOnlyAsFarAsTheyMust) {
  const test::TScheme scheme = test::SchemeOf(kBusyScheme);
  auto parser = scheme.CreateParser();
  TFakeRows rows;  // "x" a hundred times
  for (int i = 0; i < 100; ++i) rows.Rows.push_back({"x", RowAttrBreak, {}});
  rows.Rows.back().Attribute = RowAttrEnd;

  // A reset computes the rows asked for and marks the rest.
  rows.Rows[5].State.StartToken = tokAnk;  // stale
  ResetRowStates(rows, *parser, 9);
  for (int row = 0; row < 10; ++row) {
    ASSERT_EQ(rows.RowState(row).BracketIndex, BracketNone);
    ASSERT_EQ(rows.RowState(row).StartToken, 0);
  }
  for (int row = 10; row < 100; ++row) ASSERT_FALSE(rows.Computed(row));
  EXPECT_EQ(rows.RowState(1).PrevRowAttribute, RowAttrBreak);
  ResetRowStates(rows, *parser, 99);

  // A change travels at most two screens, and the rest is left for drawing.
  rows.Rows[10].Text = "(* open";
  rows.Rows[10].State.BracketIndex = BracketNotComputed;
  std::vector<int> heard;
  const int counted = UpdateRowStates(rows, *parser, 10, 3, [&heard](int row) { heard.push_back(row); });
  EXPECT_EQ(counted, 7);  // rows 10 .. 16: the edited row and two screens of three rows
  EXPECT_EQ(heard, (std::vector<int>{10, 11, 12, 13, 14, 15, 16}));
  EXPECT_EQ(rows.RowState(16).BracketIndex, 0);
  for (int row = 17; row < 100; ++row) {
    ASSERT_FALSE(rows.Computed(row)) << row;
    ASSERT_EQ(rows.RowState(row).StartToken, 0);
  }
  EXPECT_EQ(rows.RowState(9).BracketIndex, BracketNone);

  // Drawing row 50 computes from the nearest computed row above it, without notification.
  EXPECT_EQ(UpdateRowStates(rows, *parser, 50, 3, {}), 0);
  for (int row = 17; row <= 56; ++row) ASSERT_EQ(rows.RowState(row).BracketIndex, 0) << row;
  EXPECT_FALSE(rows.Computed(57));

  // Closing the region again: the rows after it fall back to "outside" and propagation stops where the
  // stored states agree.
  rows.Rows[12].Text = "*)";
  rows.Rows[12].State.BracketIndex = BracketNotComputed;
  EXPECT_EQ(UpdateRowStates(rows, *parser, 12, 50, [](int) {}), 88);  // rows 12 .. 99: the limit is the end

  // An edit that leaves the state alone rewrites only its own row.
  rows.Rows[40].Text = "xy";
  rows.Rows[40].State.BracketIndex = BracketNotComputed;
  EXPECT_EQ(UpdateRowStates(rows, *parser, 40, 20, [](int) {}), 1);
  for (int row = 0; row < 100; ++row) ASSERT_TRUE(rows.Computed(row)) << row;
  // Out-of-range rows do nothing.
  EXPECT_EQ(UpdateRowStates(rows, *parser, 100, 20, [](int) {}), 0);
  EXPECT_EQ(UpdateRowStates(rows, *parser, -1, 20, [](int) {}), 0);
}

// ---- the editor's row list ----------------------------------------------------------------------------

// An editor whose rows keep their states with the busy scheme.
struct TStatefulEditor {
  TStatefulEditor() {
    States.SetFountain(Scheme.Fountain.get());
    Editor.ListInfo().SetRowStates(&States);
    Editor.SetVisibleRows(30);
  }
  ~TStatefulEditor() { Editor.ListInfo().SetRowStates(nullptr); }

  test::TScheme Scheme = test::SchemeOf(kBusyScheme);
  TTokenRowStates States;
  TEditor Editor;
};

// Every row's state from the first row on, by the parser alone.
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

// The row list's one "computed up to here" mark: whatever edits, undos, partial draws and resets come,
// every row it calls computed holds the state a computation from the first row gives, and a full draw
// leaves every row computed.
TEST(RowStatesInEditor, EveryRowMarkedComputedHoldsTheStateComputedFromTheTop) {
  test::TRandomText random(99);
  for (int round = 0; round < 300; ++round) {
    TStatefulEditor stateful;
    TEditor& editor = stateful.Editor;
    const auto parser = stateful.Scheme.CreateParser();
    editor.SetVisibleRows(random.Between(0, 3));
    editor.SetWordWrap(random.Chance(50));
    editor.WrapOption().SetWrapByte(20);
    TEditorScreenStrings& rows = editor.ListInfo();
    std::string text;
    for (int i = random.Below(15); i > 0; --i) text += RandomRowText(random, 8) + "\r\n";
    editor.Lines().SetText(text);
    for (int step = 0; step < 30; ++step) {
      const int count = rows.Count();
      switch (random.Below(8)) {
        case 0:
          editor.Undo();
          break;
        case 1:
          editor.Redo();
          break;
        case 2:  // drawing a row computes up to it
          if (count > 0) rows.UpdateStates(random.Below(count), false);
          break;
        case 3:
          stateful.States.SetInitBracketsFull(random.Chance(50));
          rows.ResetStates();
          break;
        case 4:  // drawing everything: rows not computed yet are computed top down, without notification
          for (int row = 0; row < count; ++row) {
            if (!rows.StateComputed(row)) rows.UpdateStates(row, false);
            ASSERT_TRUE(rows.StateComputed(row)) << "round " << round << " step " << step << " row " << row;
          }
          break;
        default: {
          const int start = random.Below(count + 1);
          std::string insert = RandomRowText(random, 5);
          if (random.Chance(33)) insert += "\r\n" + RandomRowText(random, 5);
          if (random.Chance(50)) insert += "\r\n";
          rows.ReplaceText(start, random.Below(std::min(count - start, 3) + 1), insert);
        }
      }
      const std::vector<TRowAttributeData> expected = StatesFromTheTop(rows, *parser);
      for (int row = 0; row < rows.Count(); ++row) {
        if (rows.StateComputed(row)) {
          ASSERT_EQ(rows.RowAttributeData(row), expected[static_cast<std::size_t>(row)])
              << "round " << round << " step " << step << " row " << row;
        }
      }
    }
  }
}

}  // namespace
}  // namespace editor
