// The tokenizer's scanners, the rule and scanner tables it dispatches on, and the row-to-row state.
#include "editor/syntax/fountain_parser.h"

#include <algorithm>
#include <cstring>

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

bool IsLead(unsigned char c) { return platform::IsLeadByte(c); }

// The kinds whose tokens may hold a blank: a region, a comment and quoted text.
constexpr TTokenKinds kBlankHoldingKinds = {tokBracket, tokComment, tokSingleQuoted, tokDoubleQuoted, tokQuoted};

// Where a scan of text may begin and still find the token that runs on past its end, when no token
// holds a blank: just after the last blank at or past `from`. A blank is skipped between tokens, or is
// the trail byte that ends a double-byte symbol, so a token starts after it either way. 0 when there is
// no such blank, or when a zero byte before it would have ended the scan there.
std::size_t RestartAfterBlank(std::string_view text, std::size_t from) {
  for (std::size_t i = text.size(); i-- > from;) {
    if (Blanks.Contains(static_cast<unsigned char>(text[i]))) return text.find('\0') < i ? 0 : i + 1;
  }
  return 0;
}

// The end of the part of text a carried-over token of `remain` bytes takes: it begins after the blanks.
std::size_t CarriedPartEnd(std::string_view text, int remain) {
  std::size_t i = 0;
  while (i < text.size() && Blanks.Contains(static_cast<unsigned char>(text[i]))) ++i;
  return i + static_cast<std::size_t>(std::max(remain, 0));
}

// The end of the run of bytes of set that starts at p.
const unsigned char* SkipRun(const unsigned char* p, const TByteSet& set) {
  while (set.Contains(*p)) ++p;
  return p;
}

struct TByteScanner {
  unsigned char First;
  unsigned char Last;
  TScanner Scan;
};

// The scanner that starts a token, by its first byte; every byte not listed is a symbol.
constexpr TByteScanner kCharScanners[] = {
    {0x00, 0x00, TScanner::Null},       {0x09, 0x09, TScanner::Tab},
    {0x0A, 0x0A, TScanner::LineFeed},   {0x0D, 0x0D, TScanner::Return},
    {'0', '9', TScanner::Number},       {'A', 'Z', TScanner::Ank},
    {'a', 'z', TScanner::Ank},          {'_', '_', TScanner::Ank},
    {0x81, 0x81, TScanner::WideSymbol}, {0x84, 0x87, TScanner::WideSymbol},
    {0x82, 0x83, TScanner::WideWord},   {0x88, 0x9F, TScanner::Kanji},
    {0xE0, 0xFC, TScanner::Kanji},      {0xA1, 0xA5, TScanner::HalfKanaSymbol},
    {0xA6, 0xDF, TScanner::HalfKana},
};

constexpr std::array<TScanner, 256> kCharTable = [] {
  std::array<TScanner, 256> table{};
  table.fill(TScanner::Symbol);
  for (const TByteScanner& entry : kCharScanners)
    for (int c = entry.First; c <= entry.Last; ++c) table[static_cast<std::size_t>(c)] = entry.Scan;
  return table;
}();

struct TKindScanner {
  TTokenKind First;
  TTokenKind Last;
  TScanner Scan;
};

// The scanner that goes on with a token carried over from the previous row, by its kind; every kind not
// listed goes on as a symbol.
constexpr TKindScanner kResumeScanners[] = {
    {tokInteger, tokFloat, TScanner::Number},
    {tokBracket, tokBracket, TScanner::Bracket},
    {tokComment, tokComment, TScanner::Comment},
    {tokReserved, tokReserved, TScanner::ReserveWord},
    {tokAnk, tokAnk, TScanner::Ank},
    {tokWideSymbol, tokWideSymbol, TScanner::WideSymbol},
    {tokWideDigits, tokKatakana, TScanner::WideWord},
    {tokKanji, tokKanji, TScanner::Kanji},
    {tokHalfKanaSymbol, tokHalfKanaSymbol, TScanner::HalfKanaSymbol},
    {tokHalfKana, tokHalfKana, TScanner::HalfKana},
    {tokUrl, tokUrl, TScanner::Url},
    {tokMail, tokMail, TScanner::Mail},
    {tokHex, tokHex, TScanner::Hex},
    {tokSingleQuoted, tokSingleQuoted, TScanner::SingleQuoted},
    {tokDoubleQuoted, tokDoubleQuoted, TScanner::DoubleQuoted},
};

constexpr std::array<TScanner, 256> kBaseResumeTable = [] {
  std::array<TScanner, 256> table{};
  table.fill(TScanner::Symbol);
  for (const TKindScanner& entry : kResumeScanners)
    for (int kind = entry.First; kind <= entry.Last; ++kind) table[static_cast<std::size_t>(kind)] = entry.Scan;
  return table;
}();

}  // namespace

TFountainParser::TFountainParser(const TFountain* fountain)
    : FFountain(fountain), FResume(&kBaseResumeTable), FRescanKinds{tokComment, tokSingleQuoted, tokDoubleQuoted} {
  if (!fountain) throw EFountainError(kNoFountainMessage);
}

TFountainParser::TFountainParser(TNoFountain)
    : FResume(&kBaseResumeTable), FRescanKinds{tokComment, tokSingleQuoted, tokDoubleQuoted} {}

void TFountainParser::Configure(TRuleTable& rules) {
  if (!FFountain) return;
  const TFountainBracketCollection& brackets = FFountain->Brackets();
  for (int i = 0; i < brackets.Count(); ++i) {
    const std::string& left = brackets.Items(i)->LeftBracket();
    if (!left.empty()) rules[static_cast<unsigned char>(left.front())] |= ruleBracket;
  }
}

void TFountainParser::Refresh() {
  const std::uint64_t changes = FFountain ? FFountain->ChangeCount() : 0;
  if (changes == FSchemeChanges) return;
  FSchemeChanges = changes;
  FRules.fill(0);
  Configure(FRules);
  FRegionsSpanLines =
      std::any_of(FRules.begin(), FRules.end(), [](std::uint8_t rule) { return (rule & ruleBracket) != 0; });
  // Addresses, links and control codes are made of fixed bytes, none of them a blank; a scheme with a
  // bracket pair could hold a region open from a row above.
  constexpr std::uint8_t kBlankFreeRules = ruleMail | ruleUrl | ruleHexControlCode | ruleControlCode;
  FBlanksEndTokens = !BracketItem(0) && std::all_of(FRules.begin(), FRules.end(), [](std::uint8_t rule) {
    return (rule & ~kBlankFreeRules) == 0;
  });
}

bool TFountainParser::RegionsSpanLines() {
  Refresh();
  return FRegionsSpanLines;
}

void TFountainParser::SetSource(const char* text, const TRowAttributeData& data) {
  Refresh();
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
  FMailFailEnd = nullptr;
  FNextAt = FText;  // not looked for yet
  FActiveRules = 0xFF;
}

TTokenKind TFountainParser::NextToken() {
  const unsigned char* p = FSourcePtr;
  while (Blanks.Contains(*p)) ++p;
  FP = FTokenPtr = p;
  FInContinuation = FStartToken != tokEnd;
  if (RowEnds.Contains(*FP)) {
    FTokenKind = tokEnd;
  } else if (FStartToken != tokEnd) {
    ResumeToken();
  } else if (FBracketIndex < 0) {
    const std::uint8_t rules = FRules[*FP] & FActiveRules;
    if (rules == 0 || !TryRules(rules)) Scan(kCharTable[*FP]);
  } else {
    ScanBracket();
  }
  FSourcePtr = FP;
  return FTokenKind;
}

void TFountainParser::ResumeToken() {
  if (FRemain <= 0) {
    Scan((*FResume)[FStartToken]);
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
  const std::uint8_t rules = FRules[*FP] & FActiveRules;
  if (rules == 0 || !TryRules(rules)) Scan(kCharTable[*FP]);
}

bool TFountainParser::TryRules(std::uint8_t rules) {
  // Only the rules switched on, and only those whose first byte this is, are tried, in their order; a
  // rule that matches has stepped over what it matched. Mail comes before URL, so "www.a@b.c" is an
  // address.
  if ((rules & ruleBracket) && FBracketIndex == BracketNone && MatchBracket()) {
    ScanBracket();
    return true;
  }
  TScanner scanner;
  if ((rules & ruleMail) && MatchMail()) {
    scanner = TScanner::Mail;
  } else if ((rules & ruleUrl) && MatchUrl()) {
    scanner = TScanner::Url;
  } else if ((rules & ruleCommenter) && MatchCommenter()) {
    scanner = TScanner::Comment;
  } else if ((rules & ruleQuotation) && MatchQuotation()) {
    scanner = TScanner::Quoted;
  } else if ((rules & ruleHexControlCode) && MatchHexControlCode()) {
    scanner = TScanner::HexControlCode;
  } else if ((rules & ruleControlCode) && MatchControlCode()) {
    scanner = TScanner::ControlCode;
  } else if ((rules & ruleHexPrefix) && MatchHexPrefix()) {
    scanner = TScanner::Hex;
  } else {
    return false;
  }
  Scan(scanner);
  return true;
}

[[gnu::always_inline]] inline void TFountainParser::Scan(TScanner scanner) {
  switch (scanner) {
    case TScanner::Null:
      FTokenKind = tokEnd;
      return;
    case TScanner::Tab:
      FTokenKind = tokTab;
      if (*FP == '\t') ++FP;
      return;
    case TScanner::LineFeed:
      FTokenKind = tokEnd;
      if (*FP == '\n') ++FP;
      return;
    case TScanner::Return:
      FTokenKind = tokEnd;
      if (*FP == '\r') ++FP;
      if (*FP == '\n') ++FP;
      return;
    case TScanner::Number:
      return ScanNumber();
    case TScanner::Ank:
      FTokenKind = tokAnk;
      FP = SkipRun(FP, AnkChars);
      return;
    case TScanner::WideSymbol:
      return ScanWideSymbol();
    case TScanner::WideWord:
      return ScanWideWord();
    case TScanner::Kanji: {
      FTokenKind = tokKanji;
      const unsigned char* p = FP;
      while (KanjiLeads.Contains(*p)) {
        ++p;
        if (*p >= 0x40) ++p;
      }
      FP = p;
      return;
    }
    case TScanner::HalfKanaSymbol:
      FTokenKind = tokHalfKanaSymbol;
      if (HalfKanaSymbols.Contains(*FP)) ++FP;
      return;
    case TScanner::HalfKana:
      FTokenKind = tokHalfKana;
      FP = SkipRun(FP, HalfKanas);
      return;
    case TScanner::Symbol:
      FTokenKind = tokSymbol;
      if (!RowEnds.Contains(*FP)) ++FP;
      return;
    case TScanner::Bracket:
      return ScanBracket();
    case TScanner::Comment:
      FTokenKind = tokComment;
      while (!RowEnds.Contains(*FP)) ++FP;
      return;
    case TScanner::ReserveWord:
      return ScanReserveWord();
    case TScanner::Url:
      FTokenKind = tokUrl;
      FP = SkipRun(FP, UrlChars);
      return;
    case TScanner::Mail:
      FTokenKind = tokMail;
      FP = SkipRun(FP, MailChars);
      return;
    case TScanner::Hex:
      FTokenKind = tokHex;
      FP = SkipRun(FP, HexDigits);
      return;
    case TScanner::SingleQuoted:
      FTokenKind = tokSingleQuoted;
      if (!FInContinuation && *FP == '\'') ++FP;
      return ScanQuotedBody('\'');
    case TScanner::DoubleQuoted:
      FTokenKind = tokDoubleQuoted;
      if (!FInContinuation && *FP == '"') ++FP;
      return ScanQuotedBody('"');
    case TScanner::Quoted: {
      const int mark = QuotationMark();
      if (mark < 0) {
        FTokenKind = tokEnd;
        return;
      }
      FTokenKind = tokQuoted;
      return ScanQuotedBody(static_cast<unsigned char>(mark));
    }
    case TScanner::ControlCode:
      FTokenKind = tokControlCode;
      while (Digits.Contains(*FP)) ++FP;
      return;
    case TScanner::HexControlCode:
      FTokenKind = tokHexControlCode;
      while (HexDigits.Contains(*FP)) ++FP;
      return;
  }
}

void TFountainParser::ScanReserveWord() {
  Scan(kCharTable[*FP]);
  FTokenKind = tokReserved;
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
    FP += (IsLead(*FP) && FP[1] != 0) ? 2 : 1;
  }
}

bool TFountainParser::MatchMail() {
  if (FP < FMailFailEnd || *FP == '@') return false;
  // An address needs an "@" after its first byte.
  if (FNextAt <= FP) {
    FNextAt = reinterpret_cast<const unsigned char*>(std::strchr(reinterpret_cast<const char*>(FP + 1), '@'));
    if (!FNextAt) {
      FActiveRules &= static_cast<std::uint8_t>(~ruleMail);  // no address in the rest of the row
      return false;
    }
  }
  const unsigned char* p = FP;
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

bool TFountainParser::MatchUrl() {
  for (std::string_view prefix : kUrlPrefixes) {
    if (static_cast<unsigned char>(prefix.front()) == *FP && MatchText(prefix)) return true;
  }
  return false;
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

void TFountainParser::ScanQuotedBody(unsigned char mark) {
  while (!RowEnds.Contains(*FP)) {
    if (*FP == mark) {
      ++FP;
      if (*FP != mark) return;
      ++FP;  // a doubled mark stands for itself
    } else {
      FP += (IsLead(*FP) && FP[1] != 0) ? 2 : 1;
    }
  }
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

void TFountainParser::NextRowState(int row, const TRowSource& rows, TRowAttributeData& data) {
  if (row < 0 || row >= rows.RowCount()) return;
  Refresh();
  // Only a bracket region carries over a line break: without one open or able to open, the row after a
  // break starts afresh, whatever the row holds.
  if (data.RowAttribute != RowAttrWrap && data.BracketIndex == BracketNone && !FRegionsSpanLines) {
    data.StartToken = tokEnd;
    data.Remain = 0;
    return;
  }
  // A token that runs to the row's end covers the whole wrapped row, and ends at a line break.
  if (LineBoundKinds().Contains(data.StartToken)) {
    if (data.RowAttribute != RowAttrWrap) data.StartToken = tokEnd;
    data.Remain = 0;
    return;
  }
  const std::string_view text = rows.RowText(row);
  if (IsAllSpaces(text)) {
    // Nothing here changes the state, but a carried-over token never crosses a line break.
    if (data.RowAttribute != RowAttrWrap) {
      data.StartToken = tokEnd;
      data.Remain = 0;
    }
    return;
  }
  // Only the token that runs on into the next row matters. When no token can hold a blank, the scan
  // starts after the row's last blank instead of at its start: what lies before it ends before it.
  TRowAttributeData startState = data;
  std::size_t restart = 0;
  if (FBlanksEndTokens && !kBlankHoldingKinds.Contains(data.StartToken)) {
    restart = RestartAfterBlank(text, data.StartToken == tokEnd ? 0 : CarriedPartEnd(text, data.Remain));
    if (restart > 0) startState.StartToken = tokEnd;
  }
  const int len = static_cast<int>(text.size() - restart);
  // A token that runs on into the next row is seen whole.
  FRowBuffer.assign(text.substr(restart));
  const bool nextRowExists = row + 1 < rows.RowCount();
  if (data.RowAttribute == RowAttrWrap && nextRowExists) FRowBuffer.append(rows.RowText(row + 1));

  std::int32_t savedBracket = data.BracketIndex;
  std::int32_t savedState1 = data.ScanState1;
  TTokenKind lastKind = tokEnd;
  SetSource(FRowBuffer, startState);
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
  if (IsReserveWord()) lastKind = tokReserved;
  data.StartToken = lastKind;
  if (RescanKinds().Contains(lastKind)) return;
  if (end >= static_cast<int>(FRowBuffer.size()) && nextRowExists && rows.RowAttribute(row + 1) == RowAttrWrap) return;
  data.Remain = std::min(end - len, MaxRemain);
}

}  // namespace editor
