// The tokenizer: splits one row of code page 932 text into tokens with a scanner table, and carries a
// token's state from one row to the next.
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

// A parser of one colour scheme. It is made for one drawing pass, query or state run and scans one
// NUL-terminated text at a time; it never reads past the terminating zero byte.
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
  virtual TTokenKinds RescanKinds() const;
  // Kinds that run to the end of the row and so cover a whole wrapped row.
  virtual TTokenKinds LineBoundKinds() const;

  int BracketIndex() const { return FBracketIndex; }
  int TokenBracket() const { return FTokenBracket; }
  TTokenKind StartToken() const { return FStartToken; }
  int Remain() const { return FRemain; }
  bool InContinuation() const { return FInContinuation; }
  const TFountain* Fountain() const { return FFountain; }

 protected:
  using TScanProc = void (TFountainParser::*)();

  // For parsers that work without a scheme.
  struct TNoFountain {};
  explicit TFountainParser(TNoFountain);

  virtual void InitScanTables();
  virtual void SkipBlanks();
  virtual bool IsReserveWord() const;
  virtual bool MatchBracket();
  virtual void ScanBracket();
  virtual bool MatchMail();
  virtual void ScanMail();
  virtual bool MatchUrl();
  virtual void ScanUrl();
  virtual void ScanReserveWord();
  virtual void ScanNull();
  virtual void ScanTab();
  virtual void ScanLineFeed();
  virtual void ScanReturn();
  virtual void ScanComment();
  virtual void ScanHex();
  virtual void ScanNumber();
  virtual void ScanAnk();
  virtual void ScanWideSymbol();
  virtual void ScanWideWord();
  virtual void ScanKanji();
  virtual void ScanHalfKanaSymbol();
  virtual void ScanHalfKana();
  virtual void ScanSymbol();
  virtual void ScanSingleQuoted();
  virtual void ScanDoubleQuoted();
  virtual void ResumeToken();
  virtual void ScanToken();
  virtual void RefineReserveWord(TTokenKind& kind) const;

  // Steps over text equal to s here (byte for byte, or ignoring ASCII letter case); false leaves FP alone.
  bool MatchText(std::string_view s, bool ignoreCase = false);
  // Quoted text after its opening mark: up to the line end, or over the closing mark (a doubled mark
  // stands for itself). A lead byte takes its trail byte along.
  void ScanQuotedBody(unsigned char mark);
  // Steps over one character: a lead byte with its trail byte, unless the trail is the terminating zero.
  void StepCharacter() { FP += (IsLead(*FP) && FP[1] != 0) ? 2 : 1; }
  static bool IsLead(unsigned char c);
  // The bracket pair at index, or nullptr when there is none.
  const TFountainBracketItem* BracketItem(int index) const;

  const TFountain* FFountain = nullptr;
  // The character table (scanner of a token's first byte) and the resume table (scanner that goes on
  // with a carried-over token, by kind).
  std::array<TScanProc, 256> FMethodTable{};
  std::array<TScanProc, 256> FTokenMethodTable{};

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
  std::string FScanText;
  std::uint8_t FRowAttribute = 0;
  std::uint8_t FPrevRowAttribute = 0;
  // MatchMail found no address in the run of mail characters that ends here: a later start inside the
  // same run cannot find one either. Keeps a long run of short tokens ("a,a,a,...") linear.
  const unsigned char* FMailFailEnd = nullptr;

 private:
  // The row text NextRowState scans, kept so its capacity is reused from row to row.
  std::string FRowBuffer;
};

}  // namespace editor
