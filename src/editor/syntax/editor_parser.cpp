// The editor scheme's token rules and token colours.
#include "editor/syntax/editor_parser.h"

#include <array>

#include "editor/syntax/fountain.h"
#include "editor/syntax/parser_tables.h"

namespace editor {
namespace {

using namespace parser_tables;

struct TKindColor {
  TTokenKind Kind;
  TEditorColorIndex Color;
};

// The colour record of each token kind; kinds not listed (tabs, line ends, the base parser's quoted
// kinds) have none.
constexpr TKindColor kKindColors[] = {
    {tokSymbol, TEditorColorIndex::Symbol},
    {tokInteger, TEditorColorIndex::Int},
    {tokFloat, TEditorColorIndex::Int},
    {tokComment, TEditorColorIndex::Comment},
    {tokReserved, TEditorColorIndex::Reserve},
    {tokAnk, TEditorColorIndex::Ank},
    {tokWideSymbol, TEditorColorIndex::DBCS},
    {tokWideDigits, TEditorColorIndex::DBCS},
    {tokWideLatin, TEditorColorIndex::DBCS},
    {tokHiragana, TEditorColorIndex::DBCS},
    {tokKatakana, TEditorColorIndex::DBCS},
    {tokKanji, TEditorColorIndex::DBCS},
    {tokHalfKanaSymbol, TEditorColorIndex::DBCS},
    {tokHalfKana, TEditorColorIndex::DBCS},
    {tokUrl, TEditorColorIndex::Url},
    {tokMail, TEditorColorIndex::Mail},
    {tokHex, TEditorColorIndex::Int},
    {tokQuoted, TEditorColorIndex::Str},
    {tokControlCode, TEditorColorIndex::Str},
    {tokHexControlCode, TEditorColorIndex::Str},
};

constexpr int kNoColor = -1;

// kKindColors unfolded by kind, so TokenColor is one load.
constexpr std::array<int, TokenKindCount> kColorOfKind = [] {
  std::array<int, TokenKindCount> table{};
  table.fill(kNoColor);
  for (const TKindColor& entry : kKindColors) table[entry.Kind] = static_cast<int>(entry.Color);
  return table;
}();

// The base resume table plus the kinds only this parser makes.
const std::array<TScanner, 256>& EditorResumeTable(const std::array<TScanner, 256>& base) {
  static const std::array<TScanner, 256> table = [&base] {
    std::array<TScanner, 256> result = base;
    result[tokQuoted] = TScanner::Quoted;
    result[tokControlCode] = TScanner::ControlCode;
    result[tokHexControlCode] = TScanner::HexControlCode;
    return result;
  }();
  return table;
}

// The first bytes a string can match at: itself, and its other letter case when the case is ignored.
void AddFirstByte(std::array<std::uint8_t, 256>& rules, const std::string& text, std::uint8_t rule, bool ignoreCase) {
  if (text.empty()) return;
  const auto c = static_cast<unsigned char>(text.front());
  rules[c] |= rule;
  if (!ignoreCase) return;
  if (c >= 'a' && c <= 'z') rules[c - ('a' - 'A')] |= rule;
  if (c >= 'A' && c <= 'Z') rules[c + ('a' - 'A')] |= rule;
}

}  // namespace

TEditorParser::TEditorParser(const TFountain* fountain)
    : TFountainParser(fountain), FEditorFountain(dynamic_cast<const TEditorFountain*>(fountain)) {
  FResume = &EditorResumeTable(*FResume);
  FRescanKinds = FRescanKinds + TTokenKinds{tokQuoted};
}

void TEditorParser::Configure(TRuleTable& rules) {
  TFountainParser::Configure(rules);
  if (!FEditorFountain) return;
  const TEditorFountain& scheme = *FEditorFountain;
  if (scheme.Mail()) {
    for (int c = 0; c < 256; ++c)
      if (c != '@' && MailChars.Contains(static_cast<unsigned char>(c))) rules[static_cast<std::size_t>(c)] |= ruleMail;
  }
  if (scheme.Url()) {
    for (const char c : {'f', 'h', 'w'}) rules[static_cast<unsigned char>(c)] |= ruleUrl;
  }
  AddFirstByte(rules, scheme.Commenter(), ruleCommenter, false);
  AddFirstByte(rules, scheme.Quotation(), ruleQuotation, false);
  if (scheme.ControlCode()) rules['#'] |= ruleHexControlCode | ruleControlCode;
  AddFirstByte(rules, scheme.HexPrefix(), ruleHexPrefix, true);
}

int TEditorParser::QuotationMark() const {
  if (!FEditorFountain || FEditorFountain->Quotation().empty()) return -1;
  return static_cast<unsigned char>(FEditorFountain->Quotation().front());
}

bool TEditorParser::MatchQuotation() {
  const int mark = QuotationMark();
  if (mark < 0) return false;
  const char opening = static_cast<char>(mark);
  return MatchText(std::string_view(&opening, 1));
}

bool TEditorParser::MatchCommenter() {
  return FEditorFountain && !FEditorFountain->Commenter().empty() && MatchText(FEditorFountain->Commenter());
}

bool TEditorParser::MatchHexPrefix() {
  return FEditorFountain && !FEditorFountain->HexPrefix().empty() && MatchText(FEditorFountain->HexPrefix(), true);
}

bool TEditorParser::MatchHexControlCode() {
  return FEditorFountain && FEditorFountain->ControlCode() && MatchText("#$");
}

bool TEditorParser::MatchControlCode() { return FEditorFountain && FEditorFountain->ControlCode() && MatchText("#"); }

const TFountainColor* TEditorParser::TokenColor() const {
  if (!FFountain) return nullptr;
  if (IsReserveWord()) return &FFountain->Reserve();
  if (TokenKind() == tokBracket) return TFountainParser::TokenColor();
  if (!FEditorFountain || TokenKind() >= TokenKindCount) return nullptr;
  const int color = kColorOfKind[TokenKind()];
  return color == kNoColor ? nullptr : &FEditorFountain->Colors().Record(static_cast<TEditorColorIndex>(color));
}

TTokenParser::TTokenParser() : TFountainParser(TNoFountain{}) {}

}  // namespace editor
