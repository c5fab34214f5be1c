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

}  // namespace

TEditorParser::TEditorParser(const TFountain* fountain)
    : TFountainParser(fountain), FEditorFountain(dynamic_cast<const TEditorFountain*>(fountain)) {
  TEditorParser::InitScanTables();
}

void TEditorParser::InitScanTables() {
  TFountainParser::InitScanTables();
  FTokenMethodTable[tokQuoted] = static_cast<TScanProc>(&TEditorParser::ScanQuoted);
  FTokenMethodTable[tokControlCode] = static_cast<TScanProc>(&TEditorParser::ScanControlCode);
  FTokenMethodTable[tokHexControlCode] = static_cast<TScanProc>(&TEditorParser::ScanHexControlCode);
}

void TEditorParser::ScanToken() {
  struct TRule {
    bool (TEditorParser::*Match)();
    TScanProc Scan;
  };
  // Tried in this order; the first rule whose match succeeds (and has stepped over what it matched)
  // chooses the scanner. Mail comes before URL, so "www.a@b.c" is an address.
  static constexpr TRule kRules[] = {
      {&TEditorParser::MatchBracketOutside, &TEditorParser::ScanBracket},
      {&TEditorParser::MatchMailWhenOn, &TEditorParser::ScanMail},
      {&TEditorParser::MatchUrlWhenOn, &TEditorParser::ScanUrl},
      {&TEditorParser::MatchCommenter, &TEditorParser::ScanComment},
      {&TEditorParser::MatchQuotation, static_cast<TScanProc>(&TEditorParser::ScanQuoted)},
      {&TEditorParser::MatchHexControlCode, static_cast<TScanProc>(&TEditorParser::ScanHexControlCode)},
      {&TEditorParser::MatchControlCode, static_cast<TScanProc>(&TEditorParser::ScanControlCode)},
      {&TEditorParser::MatchHexPrefix, &TEditorParser::ScanHex},
  };
  for (const TRule& rule : kRules) {
    if ((this->*rule.Match)()) {
      (this->*rule.Scan)();
      return;
    }
  }
  (this->*FMethodTable[*FP])();
}

bool TEditorParser::MatchBracketOutside() { return FBracketIndex == BracketNone && MatchBracket(); }

bool TEditorParser::MatchMailWhenOn() { return FEditorFountain && FEditorFountain->Mail() && MatchMail(); }

bool TEditorParser::MatchUrlWhenOn() { return FEditorFountain && FEditorFountain->Url() && MatchUrl(); }

bool TEditorParser::MatchQuotation() {
  if (!FEditorFountain || FEditorFountain->Quotation().empty()) return false;
  if (*FP != static_cast<unsigned char>(FEditorFountain->Quotation().front())) return false;
  ++FP;
  return true;
}

void TEditorParser::ScanQuoted() {
  if (!FEditorFountain || FEditorFountain->Quotation().empty()) {
    FTokenKind = tokEnd;
    return;
  }
  FTokenKind = tokQuoted;
  ScanQuotedBody(static_cast<unsigned char>(FEditorFountain->Quotation().front()));
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

void TEditorParser::ScanHexControlCode() {
  FTokenKind = tokHexControlCode;
  while (HexDigits.Contains(*FP)) ++FP;
}

bool TEditorParser::MatchControlCode() { return FEditorFountain && FEditorFountain->ControlCode() && MatchText("#"); }

void TEditorParser::ScanControlCode() {
  FTokenKind = tokControlCode;
  while (Digits.Contains(*FP)) ++FP;
}

const TFountainColor* TEditorParser::TokenColor() const {
  if (!FFountain) return nullptr;
  if (IsReserveWord()) return &FFountain->Reserve();
  if (FTokenKind == tokBracket) return TFountainParser::TokenColor();
  if (!FEditorFountain || FTokenKind >= TokenKindCount) return nullptr;
  const int color = kColorOfKind[FTokenKind];
  return color == kNoColor ? nullptr : &FEditorFountain->Colors().Record(static_cast<TEditorColorIndex>(color));
}

TTokenKinds TEditorParser::RescanKinds() const { return TFountainParser::RescanKinds() + TTokenKinds{tokQuoted}; }

TTokenParser::TTokenParser() : TFountainParser(TNoFountain{}) {}

}  // namespace editor
