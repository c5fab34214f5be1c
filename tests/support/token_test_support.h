// Helpers the tokenizer tests share: readable code page 932 literals, an in-memory list of rows and a
// scheme written as the token table writes one.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "editor/syntax/editor_parser.h"
#include "editor/syntax/fountain.h"
#include "editor/syntax/fountain_parser.h"
#include "editor/syntax/token.h"
#include "platform/cp932.h"
#include "support/table.h"

namespace editor::test {

// The code page 932 bytes of UTF-8 text (tests write Japanese readably and scan the real bytes).
inline std::string Sjis(std::string_view utf8) { return platform::Utf8ToCp932(utf8); }

// A byte the tokenizers skip between tokens: a control byte or a blank, but not a tab (a token of its own).
inline bool IsBlank(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 0x01 && byte <= 0x20 && byte != 0x09;
}

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

// The scheme and parser class of options as tokens.txt writes them after "@" (each starting from the
// defaults): url mail controlcode commenter=S quotation=S hexprefix=S bracket=LEFT,RIGHT reserve=W1,W2
// parser=editor|base|token. Values are read as the tables read quoted text (\xHH a raw byte).
struct TScheme {
  std::unique_ptr<editor::TEditorFountain> Fountain = std::make_unique<editor::TEditorFountain>();
  std::string Parser = "editor";

  std::unique_ptr<editor::TFountainParser> CreateParser() const {
    if (Parser == "token") return std::make_unique<editor::TTokenParser>();
    if (Parser == "base") return std::make_unique<editor::TFountainParser>(Fountain.get());
    return Fountain->CreateParser();
  }
};

inline TScheme SchemeOf(const std::string& options) {
  TScheme scheme;
  editor::TEditorFountain& fountain = *scheme.Fountain;
  std::vector<std::string> reserved;
  std::istringstream in(options);
  for (std::string word; in >> word;) {
    const auto eq = word.find('=');
    const std::string key = word.substr(0, eq);
    const std::string value = eq == std::string::npos ? "" : ParseQuoted("\"" + word.substr(eq + 1) + "\"").Text;
    const std::map<std::string, std::function<void()>> setters = {
        {"url", [&] { fountain.SetUrl(true); }},
        {"mail", [&] { fountain.SetMail(true); }},
        {"controlcode", [&] { fountain.SetControlCode(true); }},
        {"commenter", [&] { fountain.SetCommenter(value); }},
        {"quotation", [&] { fountain.SetQuotation(value); }},
        {"hexprefix", [&] { fountain.SetHexPrefix(value); }},
        {"parser", [&] { scheme.Parser = value; }},
        {"bracket",
         [&] {
           const auto comma = value.find(',');
           editor::TFountainBracketItem* item = fountain.Brackets().Add();
           item->SetLeftBracket(value.substr(0, comma));
           item->SetRightBracket(comma == std::string::npos ? "" : value.substr(comma + 1));
         }},
        {"reserve",
         [&] {
           std::istringstream list(value);
           for (std::string item; std::getline(list, item, ',');) reserved.push_back(item);
         }},
    };
    if (!setters.contains(key)) throw std::runtime_error("unknown option " + key);
    setters.at(key)();
  }
  fountain.SetReserveWordList(reserved);
  return scheme;
}

// Lets GoogleTest print tokens readably.
inline void PrintTo(const TToken& token, std::ostream* os) { *os << Describe(token); }

}  // namespace editor::test
