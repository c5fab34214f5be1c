// The parser's interface beyond token spans: colours by kind, reserved words, reuse through SetSource,
// the kind sets and the edges of NextRowState.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/syntax/editor_parser.h"
#include "editor/syntax/fountain.h"
#include "support/token_test_support.h"

namespace editor {
namespace {

using test::Sjis;

// The colour record of every token of text, in order.
std::vector<const TFountainColor*> Colours(TFountainParser& parser, const std::string& text,
                                           const TRowAttributeData& state = {}) {
  std::vector<const TFountainColor*> colours;
  parser.SetSource(text, state);
  while (parser.NextToken() != tokEnd) colours.push_back(parser.TokenColor());
  return colours;
}

class EditorParserColours : public ::testing::Test {
 protected:
  EditorParserColours() {
    Fountain.SetUrl(true);
    Fountain.SetMail(true);
    Fountain.SetControlCode(true);
    Fountain.SetCommenter("//");
    Fountain.SetQuotation("\"");
    Fountain.SetHexPrefix("0x");
    Bracket = Fountain.Brackets().Add();
    Bracket->SetLeftBracket("(");
    Bracket->SetRightBracket(")");
    Fountain.SetReserveWordList({"begin"});
  }
  TEditorFountain Fountain;
  TFountainBracketItem* Bracket;
};

TEST_F(EditorParserColours, EachKindTakesItsRecordAndTabsTakeNone) {
  auto parser = Fountain.CreateParser();
  TEditorColors& c = Fountain.Colors();
  const std::string text = "BEGIN x 12 1.5 0x1F http://a a@b.c \"q\" #12 #$1F (x) + " + Sjis("あ漢、ｱ") + "\t// c";
  const std::vector<const TFountainColor*> expected = {&Fountain.Reserve(),
                                                       &c.Ank(),
                                                       &c.Int(),
                                                       &c.Int(),
                                                       &c.Int(),
                                                       &c.Url(),
                                                       &c.Mail(),
                                                       &c.Str(),
                                                       &c.Str(),
                                                       &c.Str(),
                                                       &Bracket->ItemColor(),
                                                       &c.Symbol(),
                                                       &c.DBCS(),
                                                       &c.DBCS(),
                                                       &c.DBCS(),
                                                       &c.DBCS(),
                                                       nullptr,
                                                       &c.Comment()};
  EXPECT_EQ(Colours(*parser, text), expected);
}

TEST_F(EditorParserColours, ACarriedOverWordIsNoReservedWordButACarriedReservedWordKeepsItsColour) {
  auto parser = Fountain.CreateParser();
  TRowAttributeData carried;
  carried.StartToken = tokAnk;
  carried.Remain = 5;
  EXPECT_EQ(Colours(*parser, "begin begin", carried),
            (std::vector<const TFountainColor*>{&Fountain.Colors().Ank(), &Fountain.Reserve()}));
  carried.StartToken = tokReserved;
  carried.Remain = 2;
  EXPECT_EQ(Colours(*parser, "in", carried), std::vector<const TFountainColor*>{&Fountain.Reserve()});
}

TEST_F(EditorParserColours, TheBaseParserColoursOnlyReservedWordsAndBracketsAndTheTokenParserNothing) {
  TFountainParser base(&Fountain);
  EXPECT_EQ(Colours(base, "begin x (y)"),
            (std::vector<const TFountainColor*>{&Fountain.Reserve(), nullptr, &Bracket->ItemColor()}));
  TTokenParser token;
  EXPECT_EQ(Colours(token, "begin x (y)"), (std::vector<const TFountainColor*>(5, nullptr)));
}

TEST(Parser, SetSourceLoadsTheStateAndStartsAFreshScan) {
  TEditorFountain fountain;
  fountain.Brackets().Add()->SetLeftBracket("(");
  fountain.Brackets().Items(0)->SetRightBracket(")");
  auto parser = fountain.CreateParser();
  parser->SetSource("(a) b", {});
  EXPECT_EQ(parser->TokenBracket(), BracketNotComputed);
  EXPECT_EQ(parser->NextToken(), tokBracket);
  EXPECT_EQ(parser->TokenBracket(), 0);
  EXPECT_EQ(parser->BracketIndex(), BracketNone);

  TRowAttributeData state;
  state.BracketIndex = 0;
  state.StartToken = tokAnk;
  state.Remain = 2;
  const std::string text = "  xy) z";
  parser->SetSource(text, state);
  EXPECT_TRUE(parser->TokenBracket() == BracketNotComputed && parser->BracketIndex() == 0);
  EXPECT_TRUE(parser->StartToken() == tokAnk && parser->Remain() == 2);
  EXPECT_EQ(parser->NextToken(), tokAnk);
  EXPECT_TRUE(parser->InContinuation() && parser->StartToken() == tokEnd);
  const std::string copy = parser->TokenString();
  EXPECT_EQ(parser->NextToken(), tokBracket);  // still inside the region
  EXPECT_FALSE(parser->InContinuation());
  EXPECT_EQ(parser->NextToken(), tokAnk);
  EXPECT_EQ(parser->NextToken(), tokEnd);
  EXPECT_EQ(parser->NextToken(), tokEnd);
  EXPECT_EQ(copy, "xy");
}

TEST(NextRowState, PassThroughFieldsSurviveAndOutOfRangeRowsChangeNothing) {
  TEditorFountain fountain;
  auto parser = fountain.CreateParser();
  test::TRows rows{{"abc def", RowAttrWrap}, {"gh ij", RowAttrEnd}};
  TRowAttributeData state;
  state.RowAttribute = RowAttrWrap;
  state.ScanState1 = 5;
  state.ScanState2 = 6;
  state.ScanState3 = 7;
  state.ScanText = "kept";
  TRowAttributeData before = state;
  parser->NextRowState(2, rows, state);
  parser->NextRowState(-1, rows, state);
  EXPECT_EQ(state, before);

  parser->NextRowState(0, rows, state);
  EXPECT_EQ(state.StartToken, tokAnk);
  EXPECT_EQ(state.Remain, 2);
  EXPECT_EQ(state.ScanState1, 5);
  EXPECT_EQ(state.ScanState2, 6);
  EXPECT_EQ(state.ScanState3, 7);
  EXPECT_EQ(state.ScanText, "kept");
}

TEST(NextRowState, RemainNeverExceedsWhatTheRowStoreKeeps) {
  TEditorFountain fountain;
  auto parser = fountain.CreateParser();
  test::TRows rows{{"x a", RowAttrWrap}, {std::string(300, 'a'), RowAttrEnd}};
  TRowAttributeData state;
  state.RowAttribute = RowAttrWrap;
  parser->NextRowState(0, rows, state);
  EXPECT_EQ(state.StartToken, tokAnk);
  EXPECT_EQ(state.Remain, MaxRemain);
}

TEST(NextRowState, ABracketRegionPassesThroughBlankRowsAndLineBreaks) {
  TEditorFountain fountain;
  TFountainBracketItem* item = fountain.Brackets().Add();
  item->SetLeftBracket("{");
  item->SetRightBracket("}");
  auto parser = fountain.CreateParser();
  test::TRows rows{{"a {", RowAttrBreak}, {"", RowAttrBreak}, {"   ", RowAttrBreak}, {"}", RowAttrEnd}};
  TRowAttributeData state;
  for (int row = 0; row < 3; ++row) {
    state.RowAttribute = rows.RowAttribute(row);
    parser->NextRowState(row, rows, state);
    EXPECT_EQ(state.BracketIndex, 0) << row;
  }
  state.RowAttribute = rows.RowAttribute(3);
  parser->NextRowState(3, rows, state);
  EXPECT_EQ(state.BracketIndex, BracketNone);
}

}  // namespace
}  // namespace editor
