// The base tokenizer: scanner tables, the scanners every scheme shares, and the row-to-row state.
#include "editor/syntax/fountain_parser.h"

#include <algorithm>

#include "editor/syntax/fountain.h"
#include "editor/syntax/parser_tables.h"
#include "platform/cp932.h"

namespace editor {
namespace {

using namespace parser_tables;

constexpr char kNoFountainMessage[] = "TFountainParser.Create need instance of TFountain";

// The URL prefixes, tried in this order; a prefix is compared only when its first byte is here.
constexpr std::string_view kUrlPrefixes[] = {"ftp:", "http:", "https:", "www."};

constexpr unsigned char LowerAscii(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

bool IsAllSpaces(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

}  // namespace

TFountainParser::TFountainParser(const TFountain* fountain) : FFountain(fountain) {
  if (!fountain) throw EFountainError(kNoFountainMessage);
  TFountainParser::InitScanTables();
}

TFountainParser::TFountainParser(TNoFountain) { TFountainParser::InitScanTables(); }

bool TFountainParser::IsLead(unsigned char c) { return platform::IsLeadByte(c); }

void TFountainParser::InitScanTables() {
  struct TCharRule {
    unsigned char First;
    unsigned char Last;
    TScanProc Scan;
  };
  // The scanner that starts a token, by its first byte; every byte not listed is a symbol.
  static constexpr TCharRule kCharTable[] = {
      {0x00, 0x00, &TFountainParser::ScanNull},       {0x09, 0x09, &TFountainParser::ScanTab},
      {0x0A, 0x0A, &TFountainParser::ScanLineFeed},   {0x0D, 0x0D, &TFountainParser::ScanReturn},
      {'0', '9', &TFountainParser::ScanNumber},       {'A', 'Z', &TFountainParser::ScanAnk},
      {'a', 'z', &TFountainParser::ScanAnk},          {'_', '_', &TFountainParser::ScanAnk},
      {0x81, 0x81, &TFountainParser::ScanWideSymbol}, {0x84, 0x87, &TFountainParser::ScanWideSymbol},
      {0x82, 0x83, &TFountainParser::ScanWideWord},   {0x88, 0x9F, &TFountainParser::ScanKanji},
      {0xE0, 0xFC, &TFountainParser::ScanKanji},      {0xA1, 0xA5, &TFountainParser::ScanHalfKanaSymbol},
      {0xA6, 0xDF, &TFountainParser::ScanHalfKana},
  };
  struct TKindRule {
    TTokenKind First;
    TTokenKind Last;
    TScanProc Scan;
  };
  // The scanner that goes on with a token carried over from the previous row, by its kind; every kind
  // not listed goes on as a symbol.
  static constexpr TKindRule kResumeTable[] = {
      {tokInteger, tokFloat, &TFountainParser::ScanNumber},
      {tokBracket, tokBracket, &TFountainParser::ScanBracket},
      {tokComment, tokComment, &TFountainParser::ScanComment},
      {tokReserved, tokReserved, &TFountainParser::ScanReserveWord},
      {tokAnk, tokAnk, &TFountainParser::ScanAnk},
      {tokWideSymbol, tokWideSymbol, &TFountainParser::ScanWideSymbol},
      {tokWideDigits, tokKatakana, &TFountainParser::ScanWideWord},
      {tokKanji, tokKanji, &TFountainParser::ScanKanji},
      {tokHalfKanaSymbol, tokHalfKanaSymbol, &TFountainParser::ScanHalfKanaSymbol},
      {tokHalfKana, tokHalfKana, &TFountainParser::ScanHalfKana},
      {tokUrl, tokUrl, &TFountainParser::ScanUrl},
      {tokMail, tokMail, &TFountainParser::ScanMail},
      {tokHex, tokHex, &TFountainParser::ScanHex},
      {tokSingleQuoted, tokSingleQuoted, &TFountainParser::ScanSingleQuoted},
      {tokDoubleQuoted, tokDoubleQuoted, &TFountainParser::ScanDoubleQuoted},
  };
  FMethodTable.fill(&TFountainParser::ScanSymbol);
  for (const TCharRule& rule : kCharTable) {
    for (int c = rule.First; c <= rule.Last; ++c) FMethodTable[static_cast<std::size_t>(c)] = rule.Scan;
  }
  FTokenMethodTable.fill(&TFountainParser::ScanSymbol);
  for (const TKindRule& rule : kResumeTable) {
    for (int kind = rule.First; kind <= rule.Last; ++kind)
      FTokenMethodTable[static_cast<std::size_t>(kind)] = rule.Scan;
  }
}

void TFountainParser::SetSource(const char* text, const TRowAttributeData& data) {
  FText = reinterpret_cast<const unsigned char*>(text ? text : "");
  FTokenPtr = FP = FSourcePtr = FText;
  FTokenKind = tokEnd;
  FBracketIndex = data.BracketIndex;
  FTokenBracket = BracketNotComputed;
  FRemain = data.Remain;
  FStartToken = static_cast<TTokenKind>(data.StartToken);
  FInContinuation = false;
  FScanState1 = data.ScanState1;
  FScanState2 = data.ScanState2;
  FScanState3 = data.ScanState3;
  FScanText = data.ScanText;
  FRowAttribute = data.RowAttribute;
  FPrevRowAttribute = data.PrevRowAttribute;
  FMailFailEnd = nullptr;
}

TTokenKind TFountainParser::NextToken() {
  FP = FSourcePtr;
  SkipBlanks();
  FTokenPtr = FP;
  FInContinuation = FStartToken != tokEnd;
  if (RowEnds.Contains(*FP)) {
    FTokenKind = tokEnd;
  } else if (FStartToken != tokEnd) {
    ResumeToken();
  } else if (FBracketIndex < 0) {
    ScanToken();
  } else {
    ScanBracket();
  }
  FSourcePtr = FP;
  return FTokenKind;
}

void TFountainParser::ResumeToken() {
  if (FRemain <= 0) {
    (this->*FTokenMethodTable[FStartToken])();
  } else {
    FTokenKind = FStartToken;
    // The carried part is the row's first Remain bytes, but never more than the row holds.
    for (std::int32_t i = 0; i < FRemain && !RowEnds.Contains(*FP); ++i) ++FP;
    if (FTokenKind == tokBracket) {
      FTokenBracket = FBracketIndex;
      FBracketIndex = BracketNone;  // the region's closing string ends in these bytes
    }
  }
  FStartToken = tokEnd;
  FRemain = 0;
  if (FP == FTokenPtr && FTokenKind != tokEnd) {
    // The carried-over token does not go on here (its scanner took nothing): rather than an empty
    // token, scan the row as if nothing had been carried over.
    FInContinuation = false;
    if (FBracketIndex < 0) {
      ScanToken();
    } else {
      ScanBracket();
    }
  }
}

void TFountainParser::ScanToken() {
  if (FBracketIndex == BracketNone && MatchBracket()) {
    ScanBracket();
  } else {
    (this->*FMethodTable[*FP])();
  }
}

void TFountainParser::SkipBlanks() {
  while (Blanks.Contains(*FP)) ++FP;
}

bool TFountainParser::MatchText(std::string_view s, bool ignoreCase) {
  const unsigned char* p = FP;
  for (char ch : s) {
    const auto c = static_cast<unsigned char>(ch);
    // The zero byte ends the text even where s holds one.
    if (*p == 0) return false;
    if (ignoreCase ? LowerAscii(*p) != LowerAscii(c) : *p != c) return false;
    ++p;
  }
  FP = p;
  return true;
}

bool TFountainParser::IsReserveWord() const {
  if (FInContinuation || !FFountain) return false;
  if (FTokenKind == tokEnd || FTokenKind == tokBracket || FTokenKind == tokComment) return false;
  return !FFountain->ReserveWordList().empty() && FFountain->IsReserveWord(TokenView());
}

void TFountainParser::RefineReserveWord(TTokenKind& kind) const {
  if (IsReserveWord()) kind = tokReserved;
}

const TFountainBracketItem* TFountainParser::BracketItem(int index) const {
  if (!FFountain || index < 0 || index >= FFountain->Brackets().Count()) return nullptr;
  return FFountain->Brackets().Items(index);
}

bool TFountainParser::MatchBracket() {
  if (!FFountain) return false;
  const TFountainBracketCollection& brackets = FFountain->Brackets();
  for (int i = 0; i < brackets.Count(); ++i) {
    const std::string& left = brackets.Items(i)->LeftBracket();
    if (!left.empty() && MatchText(left)) {
      FBracketIndex = i;
      return true;
    }
  }
  return false;
}

void TFountainParser::ScanBracket() {
  const TFountainBracketItem* item = BracketItem(FBracketIndex);
  if (!item || item->RightBracket().empty()) {
    FTokenKind = tokEnd;
    return;
  }
  FTokenKind = tokBracket;
  FTokenBracket = FBracketIndex;
  const std::string& right = item->RightBracket();
  while (!RowEnds.Contains(*FP)) {
    if (MatchText(right)) {
      FBracketIndex = BracketNone;
      return;
    }
    StepCharacter();
  }
}

bool TFountainParser::MatchMail() {
  if (FP < FMailFailEnd) return false;
  const unsigned char* p = FP;
  if (*p == '@' || !MailChars.Contains(*p)) return false;
  bool seenAt = false;
  for (++p; MailChars.Contains(*p); ++p) {
    if (*p == '@') {
      seenAt = true;
    } else if (*p == '.' && seenAt) {
      FP = p + 1;
      return true;
    }
  }
  FMailFailEnd = p;
  return false;
}

void TFountainParser::ScanMail() {
  FTokenKind = tokMail;
  while (MailChars.Contains(*FP)) ++FP;
}

bool TFountainParser::MatchUrl() {
  for (std::string_view prefix : kUrlPrefixes) {
    if (static_cast<unsigned char>(prefix.front()) == *FP && MatchText(prefix)) return true;
  }
  return false;
}

void TFountainParser::ScanUrl() {
  FTokenKind = tokUrl;
  while (UrlChars.Contains(*FP)) ++FP;
}

void TFountainParser::ScanReserveWord() {
  (this->*FMethodTable[*FP])();
  FTokenKind = tokReserved;
}

void TFountainParser::ScanNull() { FTokenKind = tokEnd; }

void TFountainParser::ScanTab() {
  FTokenKind = tokTab;
  if (*FP == '\t') ++FP;
}

void TFountainParser::ScanLineFeed() {
  FTokenKind = tokEnd;
  if (*FP == '\n') ++FP;
}

void TFountainParser::ScanReturn() {
  FTokenKind = tokEnd;
  if (*FP == '\r') ++FP;
  if (*FP == '\n') ++FP;
}

void TFountainParser::ScanComment() {
  FTokenKind = tokComment;
  while (!RowEnds.Contains(*FP)) ++FP;
}

void TFountainParser::ScanHex() {
  FTokenKind = tokHex;
  while (HexDigits.Contains(*FP)) ++FP;
}

void TFountainParser::ScanNumber() {
  auto skipDigits = [this] {
    while (Digits.Contains(*FP)) ++FP;
  };
  auto isExponent = [](unsigned char c) { return c == 'E' || c == 'e'; };
  auto scanExponent = [&] {
    ++FP;  // over the E
    if (*FP == '+' || *FP == '-') {
      ++FP;
      skipDigits();
    } else if (Digits.Contains(*FP)) {
      skipDigits();
    }
  };
  FTokenKind = tokInteger;
  skipDigits();
  if (*FP == '.') {
    FTokenKind = tokFloat;
    ++FP;
    if (!Digits.Contains(*FP) && !isExponent(*FP)) {
      --FP;  // a full stop after a number is not its fraction
      return;
    }
    skipDigits();
    if (isExponent(*FP)) scanExponent();
  } else if (isExponent(*FP)) {
    FTokenKind = tokFloat;
    scanExponent();
  }
}

void TFountainParser::ScanAnk() {
  FTokenKind = tokAnk;
  while (AnkChars.Contains(*FP)) ++FP;
}

void TFountainParser::ScanWideSymbol() {
  FTokenKind = tokWideSymbol;
  const unsigned char lead = *FP;
  if (WideSymbolLeads.Contains(lead)) {
    FP += FP[1] != 0 ? 2 : 1;
  } else if ((lead == 0x82 || lead == 0x83) && WidePairClasses.StartKind(lead, FP[1]) == tokWideSymbol) {
    FP += 2;
  }
}

void TFountainParser::ScanWideWord() {
  const unsigned char lead = *FP;
  // Any other lead byte only comes here from a carried-over state; taking nothing makes ResumeToken
  // scan the row afresh.
  FTokenKind = tokSymbol;
  if (lead != 0x82 && lead != 0x83) return;
  const TTokenKind kind = WidePairClasses.StartKind(lead, FP[1]);
  if (kind == tokEnd) {
    // A trail byte outside every range (0x00-0x3F; for 0x83 also 0xF1-0xFF): the lead byte alone is
    // a tokSymbol, like any other byte that starts no token of its own.
    ++FP;
    return;
  }
  FTokenKind = kind;
  FP += 2;
  if (kind == tokWideSymbol) return;
  while (*FP >= 0x81 && *FP <= 0x83 && WidePairClasses.Continues(*FP, FP[1], kind)) FP += 2;
}

void TFountainParser::ScanKanji() {
  FTokenKind = tokKanji;
  while (KanjiLeads.Contains(*FP)) {
    ++FP;
    if (*FP >= 0x40) ++FP;
  }
}

void TFountainParser::ScanHalfKanaSymbol() {
  FTokenKind = tokHalfKanaSymbol;
  if (HalfKanaSymbols.Contains(*FP)) ++FP;
}

void TFountainParser::ScanHalfKana() {
  FTokenKind = tokHalfKana;
  while (HalfKanas.Contains(*FP)) ++FP;
}

void TFountainParser::ScanSymbol() {
  FTokenKind = tokSymbol;
  if (!RowEnds.Contains(*FP)) ++FP;
}

void TFountainParser::ScanQuotedBody(unsigned char mark) {
  while (!RowEnds.Contains(*FP)) {
    if (*FP == mark) {
      ++FP;
      if (*FP != mark) return;
      ++FP;  // a doubled mark stands for itself
    } else {
      StepCharacter();
    }
  }
}

void TFountainParser::ScanSingleQuoted() {
  FTokenKind = tokSingleQuoted;
  if (!FInContinuation && *FP == '\'') ++FP;
  ScanQuotedBody('\'');
}

void TFountainParser::ScanDoubleQuoted() {
  FTokenKind = tokDoubleQuoted;
  if (!FInContinuation && *FP == '"') ++FP;
  ScanQuotedBody('"');
}

const TFountainColor* TFountainParser::TokenColor() const {
  if (!FFountain) return nullptr;
  if (IsReserveWord()) return &FFountain->Reserve();
  if (FTokenKind == tokBracket) {
    const TFountainBracketItem* item = BracketItem(FTokenBracket);
    return item ? &item->ItemColor() : nullptr;
  }
  return nullptr;
}

TTokenKinds TFountainParser::RescanKinds() const { return {tokComment, tokSingleQuoted, tokDoubleQuoted}; }

TTokenKinds TFountainParser::LineBoundKinds() const { return {tokComment}; }

void TFountainParser::NextRowState(int row, const TRowSource& rows, TRowAttributeData& data) {
  if (row < 0 || row >= rows.RowCount()) return;
  // A token that runs to the row's end covers the whole wrapped row, and ends at a line break.
  if (LineBoundKinds().Contains(data.StartToken)) {
    if (data.RowAttribute != RowAttrWrap) data.StartToken = tokEnd;
    data.Remain = 0;
    return;
  }
  const std::string_view text = rows.RowText(row);
  const int len = static_cast<int>(text.size());
  if (IsAllSpaces(text)) {
    // Nothing here changes the state, but a carried-over token never crosses a line break.
    if (data.RowAttribute != RowAttrWrap) {
      data.StartToken = tokEnd;
      data.Remain = 0;
    }
    return;
  }
  // A token that runs on into the next row is seen whole.
  FRowBuffer.assign(text);
  const bool nextRowExists = row + 1 < rows.RowCount();
  if (data.RowAttribute == RowAttrWrap && nextRowExists) FRowBuffer.append(rows.RowText(row + 1));

  std::int32_t savedBracket = data.BracketIndex;
  std::int32_t savedState1 = data.ScanState1;
  TTokenKind lastKind = tokEnd;
  SetSource(FRowBuffer, data);
  TTokenKind kind;
  while ((kind = NextToken()) != tokEnd) {
    lastKind = kind;
    data.BracketIndex = FBracketIndex;
    if (kind == tokBracket) savedBracket = FTokenBracket;
    savedState1 = FScanState1;
    if (TokenPos() + TokenLength() > len) break;
    data.ScanState1 = FScanState1;
    data.ScanState3 = FScanState3;
  }
  data.Remain = 0;
  data.StartToken = tokEnd;
  if (kind != tokEnd && TokenPos() >= len) {
    data.BracketIndex = BracketNone;  // the row ended between tokens
    return;
  }
  const int end = TokenPos() + TokenLength();
  // Only a token that starts in this row and ends in the next carries over.
  if (kind == tokEnd || !(TokenPos() < len && len < end)) return;
  data.ScanState1 = savedState1;
  if (lastKind == tokBracket) {
    if (data.BracketIndex == BracketNone) {
      // The region closes in the next row; when its closing string is split, the next row starts with
      // the rest of it.
      data.BracketIndex = savedBracket;
      const TFountainBracketItem* item = BracketItem(savedBracket);
      if (item && static_cast<int>(item->RightBracket().size()) > end - len) {
        data.StartToken = tokBracket;
        data.Remain = std::min(end - len, MaxRemain);
      }
    }
    return;
  }
  RefineReserveWord(lastKind);
  data.StartToken = lastKind;
  if (RescanKinds().Contains(lastKind)) return;
  if (end >= static_cast<int>(FRowBuffer.size()) && nextRowExists && rows.RowAttribute(row + 1) == RowAttrWrap) return;
  data.Remain = std::min(end - len, MaxRemain);
}

}  // namespace editor
