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
  // The colour record of every token of text by name: "-" for none, "Bracket" for the pair's own.
  std::string Colours(TFountainParser& parser, const std::string& text, const TRowAttributeData& state = {}) {
    std::string names;
    parser.SetSource(text, state);
    while (parser.NextToken() != tokEnd) {
      const TFountainColor* colour = parser.TokenColor();
      std::string name = colour == nullptr ? "-" : colour == &Bracket->ItemColor() ? "Bracket" : "?";
      for (const TNamedColor& record : Fountain.Colors().Records())
        if (record.Color == colour) name = record.Name;
      names += (names.empty() ? "" : " ") + name;
    }
    return names;
  }
  TEditorFountain Fountain;
  TFountainBracketItem* Bracket;
};

TEST_F(EditorParserColours, EachKindTakesItsRecordAndTabsTakeNone) {
  auto parser = Fountain.CreateParser();
  const std::string text = "BEGIN x 12 1.5 0x1F http://a a@b.c \"q\" #12 #$1F (x) + " + Sjis("あ漢、ｱ") + "\t// c";
  EXPECT_EQ(Colours(*parser, text),
            "Reserve Ank Int Int Int Url Mail Str Str Str Bracket Symbol DBCS DBCS DBCS DBCS - Comment");
}

TEST_F(EditorParserColours, ACarriedOverWordIsNoReservedWordButACarriedReservedWordKeepsItsColour) {
  auto parser = Fountain.CreateParser();
  TRowAttributeData carried;
  carried.StartToken = tokAnk;
  carried.Remain = 5;
  EXPECT_EQ(Colours(*parser, "begin begin", carried), "Ank Reserve");
  carried.StartToken = tokReserved;
  carried.Remain = 2;
  EXPECT_EQ(Colours(*parser, "in", carried), "Reserve");
}

TEST_F(EditorParserColours, TheBaseParserColoursOnlyReservedWordsAndBracketsAndTheTokenParserNothing) {
  TFountainParser base(&Fountain);
  EXPECT_EQ(Colours(base, "begin x (y)"), "Reserve - Bracket");
  TTokenParser token;
  EXPECT_EQ(Colours(token, "begin x (y)"), "- - - - -");
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

// The scan states belong to no parser here: they pass through. (Remain's cap and bracket regions over
// blank rows are cases of tokens.txt.)
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
  TRowAttributeData expected = state;
  parser->NextRowState(2, rows, state);
  parser->NextRowState(-1, rows, state);
  EXPECT_EQ(state, expected);
  parser->NextRowState(0, rows, state);
  expected.StartToken = tokAnk;
  expected.Remain = 2;
  EXPECT_EQ(state, expected);
}

}  // namespace
}  // namespace editor
