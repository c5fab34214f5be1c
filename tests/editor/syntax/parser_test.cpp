// The parser's interface beyond token spans: reuse through SetSource and the edges of NextRowState.
// (Colours by kind and reserved words are cases of tokens.txt.)
#include <gtest/gtest.h>

#include "editor/syntax/editor_parser.h"
#include "editor/syntax/fountain.h"
#include "support/token_test_support.h"

namespace editor {
namespace {

TEST(Parser, SetSourceLoadsTheStateAndStartsAFreshScan) {
  const test::TScheme scheme = test::SchemeOf("bracket=(,)");
  auto parser = scheme.CreateParser();
  parser->SetSource("(a) b", {});
  EXPECT_EQ(parser->TokenBracket(), BracketNotComputed);
  EXPECT_EQ(parser->NextToken(), tokBracket);
  EXPECT_EQ(parser->TokenBracket(), 0);  // that the region closed shows in the tokens after it (tokens.txt)

  TRowAttributeData state;
  state.BracketIndex = 0;
  state.StartToken = tokAnk;
  state.Remain = 2;
  parser->SetSource("  xy) z", state);
  EXPECT_TRUE(parser->TokenBracket() == BracketNotComputed && parser->BracketIndex() == 0);
  EXPECT_FALSE(parser->InContinuation());  // until the carried-over token is read
  EXPECT_TRUE(parser->StartToken() == tokAnk && parser->Remain() == 2);
  // The tokens themselves are a case of tokens.txt; here the continuation flag and the end repeating.
  EXPECT_EQ(parser->NextToken(), tokAnk);
  EXPECT_TRUE(parser->InContinuation() && parser->StartToken() == tokEnd);
  parser->NextToken();
  EXPECT_FALSE(parser->InContinuation());
  parser->NextToken();
  parser->NextToken();
  EXPECT_EQ(parser->NextToken(), tokEnd);
}

// The scan states belong to no parser here: they pass through. (Remain's cap and bracket regions over
// blank rows are cases of tokens.txt.)
TEST(NextRowState, PassThroughFieldsSurviveAndOutOfRangeRowsChangeNothing) {
  TEditorFountain fountain;
  auto parser = fountain.CreateParser();
  test::TRows rows{{"abc def", RowAttrWrap}, {"gh ij", RowAttrEnd}};
  TRowAttributeData state{
      .RowAttribute = RowAttrWrap, .ScanState1 = 5, .ScanState2 = 6, .ScanState3 = 7, .ScanText = "kept"};
  TRowAttributeData expected = state;
  parser->NextRowState(2, rows, state);
  parser->NextRowState(-1, rows, state);
  EXPECT_EQ(state, expected);
  parser->NextRowState(0, rows, state);
  expected.StartToken = tokAnk;
  expected.Remain = 2;
  EXPECT_EQ(state, expected);
}

// A parser reads its scheme's change before the next row's state: with comments on, the comment runs on
// over the wrap instead of the word "cd".
TEST(NextRowState, SeesASchemeChangedSinceTheLastRow) {
  TEditorFountain fountain;
  auto parser = fountain.CreateParser();
  const test::TRows rows{{"a // b c", RowAttrWrap}, {"d", RowAttrEnd}};
  for (const TTokenKind kind : {tokAnk, tokComment}) {
    TRowAttributeData state;
    state.RowAttribute = RowAttrWrap;
    parser->NextRowState(0, rows, state);
    EXPECT_EQ(state.StartToken, kind);
    fountain.SetCommenter("//");
  }
}

}  // namespace
}  // namespace editor
