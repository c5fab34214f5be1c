// Names of the token kinds, for tests, test data and diagnostics.
#include "editor/syntax/token.h"

#include <array>

namespace editor {
namespace {

constexpr std::array<std::string_view, TokenKindCount> kKindNames = {
    "tokEnd",
    "tokSymbol",
    "",
    "tokInteger",
    "tokFloat",
    "",
    "tokBracket",
    "tokComment",
    "tokReserved",
    "tokTab",
    "",
    "tokAnk",
    "tokWideSymbol",
    "",
    "tokWideDigits",
    "tokWideLatin",
    "tokHiragana",
    "tokKatakana",
    "tokKanji",
    "tokHalfKanaSymbol",
    "tokHalfKana",
    "tokUrl",
    "tokMail",
    "tokHex",
    "tokSingleQuoted",
    "tokDoubleQuoted",
    "tokQuoted",
    "tokControlCode",
    "tokHexControlCode",
};

}  // namespace

std::string_view TokenKindName(std::uint8_t kind) { return kind < kKindNames.size() ? kKindNames[kind] : ""; }

bool TokenKindByName(std::string_view name, TTokenKind& kind) {
  for (std::size_t i = 0; i < kKindNames.size(); ++i) {
    if (!kKindNames[i].empty() && kKindNames[i] == name) {
      kind = static_cast<TTokenKind>(i);
      return true;
    }
  }
  return false;
}

}  // namespace editor
