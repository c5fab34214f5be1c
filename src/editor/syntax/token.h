// Token kinds of the editor's tokenizer and the sets of them that its rules test.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "editor/text/row_attribute_data.h"

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

}  // namespace editor
