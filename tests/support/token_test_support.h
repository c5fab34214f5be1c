// Helpers the tokenizer tests share: readable code page 932 literals and an in-memory list of rows.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "editor/syntax/fountain_parser.h"
#include "editor/syntax/token.h"
#include "platform/cp932.h"

namespace editor::test {

// The code page 932 bytes of UTF-8 text (tests write Japanese readably and scan the real bytes).
inline std::string Sjis(std::string_view utf8) { return platform::Utf8ToCp932(utf8); }

// Rows of a text with their end attributes, as the row store would hold them.
class TRows : public editor::TRowSource {
 public:
  TRows() = default;
  TRows(std::initializer_list<std::pair<std::string, std::uint8_t>> rows) {
    for (const auto& row : rows) Add(row.first, row.second);
  }
  void Add(std::string text, std::uint8_t attribute) { FRows.push_back({std::move(text), attribute}); }
  int RowCount() const override { return static_cast<int>(FRows.size()); }
  std::string_view RowText(int row) const override { return FRows.at(static_cast<std::size_t>(row)).first; }
  std::uint8_t RowAttribute(int row) const override { return FRows.at(static_cast<std::size_t>(row)).second; }

 private:
  std::vector<std::pair<std::string, std::uint8_t>> FRows;
};

// One token as read from a parser.
struct TToken {
  editor::TTokenKind Kind;
  int Pos;
  std::string Text;
  bool operator==(const TToken&) const = default;
};

// All tokens up to the end of the row.
inline std::vector<TToken> ReadTokens(editor::TFountainParser& parser, const std::string& text,
                                      const editor::TRowAttributeData& state = {}) {
  parser.SetSource(text, state);
  std::vector<TToken> tokens;
  while (parser.NextToken() != editor::tokEnd && tokens.size() <= text.size()) {
    tokens.push_back({parser.TokenKind(), parser.TokenPos(), parser.TokenString()});
  }
  return tokens;
}

inline std::string Describe(const TToken& token) {
  return std::string(editor::TokenKindName(token.Kind)) + "@" + std::to_string(token.Pos) + "\"" + token.Text + "\"";
}

inline std::string Describe(const std::vector<TToken>& tokens) {
  std::string out;
  for (const TToken& token : tokens) out += Describe(token) + " ";
  return out;
}

// Lets GoogleTest print tokens readably.
inline void PrintTo(const TToken& token, std::ostream* os) { *os << Describe(token); }

}  // namespace editor::test
