// The tokenizer: splits one row of code page 932 text into tokens, dispatching on the token's first byte
// through a 256-entry table after trying only the rules the scheme has switched on, and carries a token's
// state from one row to the next.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "editor/syntax/token.h"

namespace editor {

class TFountain;
class TFountainColor;
class TFountainBracketItem;

// The rows NextRowState reads: text (without line breaks) and end attribute by row index.
class TRowSource {
 public:
  virtual ~TRowSource() = default;
  virtual int RowCount() const = 0;
  virtual std::string_view RowText(int row) const = 0;
  virtual std::uint8_t RowAttribute(int row) const = 0;
};

// The scanners, as the tables name them.
enum class TScanner : std::uint8_t {
  Null,
  Tab,
  LineFeed,
  Return,
  Number,
  Ank,
  WideSymbol,
  WideWord,
  Kanji,
  HalfKanaSymbol,
  HalfKana,
  Symbol,
  Bracket,
  Comment,
  ReserveWord,
  Url,
  Mail,
  Hex,
  SingleQuoted,
  DoubleQuoted,
  Quoted,
  ControlCode,
  HexControlCode,
};

// A parser of one colour scheme. It is made for one drawing pass, query or state run and scans one
// NUL-terminated text at a time; it never reads past the terminating zero byte. It reads the scheme's
// switches and strings when the scheme has changed since it last looked.
class TFountainParser {
 public:
  // Raises EFountainError("TFountainParser.Create need instance of TFountain") without a fountain.
  explicit TFountainParser(const TFountain* fountain);
  virtual ~TFountainParser() = default;
  TFountainParser(const TFountainParser&) = delete;
  TFountainParser& operator=(const TFountainParser&) = delete;

  // Starts scanning text from the state data. The text is not copied: it must stay unchanged while
  // tokens are read (a std::string holds the terminating zero this needs).
  void SetSource(const std::string& text, const TRowAttributeData& data) { SetSource(text.c_str(), data); }
  void SetSource(const char* text, const TRowAttributeData& data);
  void SetSource(std::string&&, const TRowAttributeData&) = delete;

  // Scans the next token and returns its kind; tokEnd ends the row. A token of another kind is never empty.
  TTokenKind NextToken();
  TTokenKind TokenKind() const { return FTokenKind; }
  int TokenPos() const { return static_cast<int>(FTokenPtr - FText); }
  int TokenLength() const { return static_cast<int>(FP - FTokenPtr); }
  std::string TokenString() const { return std::string(TokenView()); }
  std::string_view TokenView() const {
    return {reinterpret_cast<const char*>(FTokenPtr), static_cast<std::size_t>(FP - FTokenPtr)};
  }
  // The colour record of the current token, or nullptr for the control's own colours.
  virtual const TFountainColor* TokenColor() const;

  // Given the start state of row `row` of rows, makes data the start state of the row after it.
  void NextRowState(int row, const TRowSource& rows, TRowAttributeData& data);

  // Kinds whose carried-over part is always rescanned from the next row's start.
  TTokenKinds RescanKinds() const { return FRescanKinds; }
  // Kinds that run to the end of the row and so cover a whole wrapped row.
  TTokenKinds LineBoundKinds() const { return {tokComment}; }
  // Whether a token can run on over a line break: a bracket region is the only one that does.
  bool RegionsSpanLines();

  int BracketIndex() const { return FBracketIndex; }
  int TokenBracket() const { return FTokenBracket; }
  TTokenKind StartToken() const { return FStartToken; }
  int Remain() const { return FRemain; }
  bool InContinuation() const { return FInContinuation; }
  const TFountain* Fountain() const { return FFountain; }

 protected:
  // The rules a token's first byte may start, tried in this order.
  enum TRule : std::uint8_t {
    ruleBracket = 1,
    ruleMail = 2,
    ruleUrl = 4,
    ruleCommenter = 8,
    ruleQuotation = 16,
    ruleHexControlCode = 32,
    ruleControlCode = 64,
    ruleHexPrefix = 128,
  };
  using TRuleTable = std::array<std::uint8_t, 256>;
  using TResumeTable = std::array<TScanner, 256>;

  // For parsers that work without a scheme.
  struct TNoFountain {};
  explicit TFountainParser(TNoFountain);

  // Reads the scheme into the rule table (the base parser knows only bracket regions).
  virtual void Configure(TRuleTable& rules);
  // The scheme's strings and switches the editor parser's rules read.
  virtual bool MatchQuotation() { return false; }
  virtual bool MatchCommenter() { return false; }
  virtual bool MatchHexPrefix() { return false; }
  virtual bool MatchHexControlCode() { return false; }
  virtual bool MatchControlCode() { return false; }
  // The quotation mark quoted text begins and ends with, or -1 without one.
  virtual int QuotationMark() const { return -1; }

  // Steps over text equal to s here (byte for byte, or ignoring ASCII letter case); false leaves FP alone.
  bool MatchText(std::string_view s, bool ignoreCase = false);
  // The bracket pair at index, or nullptr when there is none.
  const TFountainBracketItem* BracketItem(int index) const;
  bool IsReserveWord() const;

  const TFountain* FFountain = nullptr;
  const TResumeTable* FResume;  // the scanner that goes on with a carried-over token, by kind
  TTokenKinds FRescanKinds;

 private:
  void Scan(TScanner scanner);
  void ResumeToken();
  void ScanToken();
  // Tries the rules whose bits are set; false when none matched (nothing has moved).
  bool TryRules(std::uint8_t rules);
  void ScanBracket();
  bool MatchBracket();
  bool MatchMail();
  bool MatchUrl();
  void ScanNumber();
  void ScanReserveWord();
  void ScanWideSymbol();
  void ScanWideWord();
  void ScanQuotedBody(unsigned char mark);
  // Reads the scheme again when it changed since the rule table was made.
  void Refresh();

  TRuleTable FRules{};
  bool FRegionsSpanLines = false;    // some bracket pair can open
  bool FBlanksEndTokens = false;     // no rule or bracket pair makes a token that holds a blank
  std::uint8_t FActiveRules = 0xFF;  // the rules that may still match in this row
  std::uint64_t FSchemeChanges = ~std::uint64_t{0};

  const unsigned char* FText = nullptr;       // the text
  const unsigned char* FTokenPtr = nullptr;   // the current token's start
  const unsigned char* FP = nullptr;          // the scan position
  const unsigned char* FSourcePtr = nullptr;  // where the last token ended
  TTokenKind FTokenKind = tokEnd;
  std::int32_t FBracketIndex = BracketNone;
  std::int32_t FTokenBracket = BracketNotComputed;
  TTokenKind FStartToken = tokEnd;
  std::int32_t FRemain = 0;
  bool FInContinuation = false;
  // Carried along for the row store, not interpreted here.
  std::int32_t FScanState1 = 0;
  std::int32_t FScanState2 = 0;
  std::uint8_t FScanState3 = 0;
  // MatchMail found no address in the run of mail characters that ends here: a later start inside the
  // same run cannot find one either. Keeps a long run of short tokens ("a,a,a,...") linear.
  const unsigned char* FMailFailEnd = nullptr;
  // The next "@" after the scan position, found when an address is first looked for in the row (and
  // again once passed): a row without one holds no address, and its words are not walked twice.
  const unsigned char* FNextAt = nullptr;
  // The row text NextRowState scans, kept so its capacity is reused from row to row.
  std::string FRowBuffer;
};

}  // namespace editor
