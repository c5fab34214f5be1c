// The editor scheme's parser (quotation marks, comment leader, hex prefix, control codes, colours) and a
// parser that needs no scheme.
#pragma once

#include "editor/syntax/fountain_parser.h"

namespace editor {

class TEditorFountain;

// The parser class of TEditorFountain. Given a scheme of another class it applies none of the editor
// scheme's switches and strings.
class TEditorParser : public TFountainParser {
 public:
  // Raises EFountainError("TFountainParser.Create need instance of TFountain") without a fountain.
  explicit TEditorParser(const TFountain* fountain);

  const TFountainColor* TokenColor() const override;

 protected:
  void Configure(TRuleTable& rules) override;
  bool MatchQuotation() override;
  bool MatchCommenter() override;
  bool MatchHexPrefix() override;
  bool MatchHexControlCode() override;
  bool MatchControlCode() override;
  int QuotationMark() const override;

 private:
  const TEditorFountain* FEditorFountain;
};

// A parser without a scheme, for queries that want the plain token classes (no colours, no brackets).
class TTokenParser : public TFountainParser {
 public:
  TTokenParser();
  const TFountainColor* TokenColor() const override { return nullptr; }
};

}  // namespace editor
