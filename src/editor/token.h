// Token kinds of the editor's tokenizer and the start state each row carries for tokens that run on.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace editor {

// One byte naming a token's class. The values are fixed: stored start states and the note window's
// link test (tokUrl, tokMail) rely on them. 2, 5, 10 and 13 are never produced.
enum TTokenKind : std::uint8_t {
  tokEnd = 0,  // end of text, line feed, carriage return
  tokSymbol = 1,
  tokInteger = 3,
  tokFloat = 4,
  tokBracket = 6,
  tokComment = 7,
  tokReserved = 8,
  tokTab = 9,
  tokAnk = 11,
  tokWideSymbol = 12,
  tokWideDigits = 14,
  tokWideLatin = 15,
  tokHiragana = 16,
  tokKatakana = 17,
  tokKanji = 18,
  tokHalfKanaSymbol = 19,
  tokHalfKana = 20,
  tokUrl = 21,
  tokMail = 22,
  tokHex = 23,
  tokSingleQuoted = 24,
  tokDoubleQuoted = 25,
  tokQuoted = 26,
  tokControlCode = 27,
  tokHexControlCode = 28,
};

inline constexpr int TokenKindCount = 29;  // kinds are below this

// The kind's name ("tokUrl"), or "" for a byte that names no kind.
std::string_view TokenKindName(std::uint8_t kind);
// The kind named name ("tokUrl"); false when there is none.
bool TokenKindByName(std::string_view name, TTokenKind& kind);

// A set of token kinds. A byte above the known kinds (a damaged stored state) is in no set.
class TTokenKinds {
 public:
  constexpr TTokenKinds() = default;
  constexpr TTokenKinds(std::initializer_list<TTokenKind> kinds) {
    for (TTokenKind kind : kinds) FBits |= std::uint32_t{1} << kind;
  }
  constexpr bool Contains(std::uint8_t kind) const { return kind < 32 && ((FBits >> kind) & 1u) != 0; }
  constexpr TTokenKinds operator+(TTokenKinds other) const {
    TTokenKinds result;
    result.FBits = FBits | other.FBits;
    return result;
  }

 private:
  std::uint32_t FBits = 0;
};

// A row's end attribute, as the row store keeps it in two bits.
inline constexpr std::uint8_t RowAttrBreak = 0;
inline constexpr std::uint8_t RowAttrWrap = 1;
inline constexpr std::uint8_t RowAttrEnd = 2;

// BracketIndex of a row whose start state has not been computed yet.
inline constexpr std::int32_t BracketNotComputed = -2;
// BracketIndex outside any bracket region.
inline constexpr std::int32_t BracketNone = -1;
// The row store keeps Remain in one byte.
inline constexpr std::int32_t MaxRemain = 255;

// The tokenizer's state at the start of one row. The default value is the state of the first row.
// ScanState1..3 and ScanText belong to no parser of this editor; they are only carried along.
struct TRowAttributeData {
  std::uint8_t RowAttribute = 0;      // this row's end attribute
  std::uint8_t PrevRowAttribute = 0;  // the previous row's end attribute
  std::int32_t BracketIndex = BracketNone;
  std::int32_t ScanState1 = 0;
  std::int32_t Remain = 0;  // bytes at the row start that finish the carried-over token; 0 = rescan it
  std::int32_t ScanState2 = 0;
  std::uint8_t StartToken = 0;  // kind carried over from the previous row; 0 = none
  std::uint8_t ScanState3 = 0;
  std::string ScanText;

  bool operator==(const TRowAttributeData&) const = default;
};

// True when a stored start state already says what a fresh computation says. The row's own end
// attribute is not part of the state: it belongs to the row.
bool SameStartState(const TRowAttributeData& stored, const TRowAttributeData& computed);

}  // namespace editor
