// The note window's scheme (address and URL detection on) against a model that decides at each token
// start, from the text after it alone, whether an address or a URL starts there, and leaves every other
// token to the scheme-less parser: the tokenizer's look-ahead caches must never change a token.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "editor/syntax/editor_parser.h"
#include "editor/syntax/fountain.h"
#include "support/random_text.h"
#include "support/token_test_support.h"

namespace editor {
namespace {

using test::TToken;

bool IsBlank(unsigned char c) { return c >= 0x01 && c <= 0x20 && c != 0x09; }

bool IsMailChar(unsigned char c) {
  return std::string_view("!$%&*,-./0123456789;=?@^_~").find(static_cast<char>(c)) != std::string_view::npos ||
         (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsUrlChar(unsigned char c) {
  return std::string_view("#%&+-./0123456789:=?_~").find(static_cast<char>(c)) != std::string_view::npos ||
         (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The length of the address at the start of text, or 0: a mail character other than "@", then mail
// characters holding an "@" and after it a full stop; the address runs on over every mail character.
std::size_t MailAt(std::string_view text) {
  if (!IsMailChar(static_cast<unsigned char>(text[0])) || text[0] == '@') return 0;
  bool seenAt = false;
  for (std::size_t i = 1; i < text.size() && IsMailChar(static_cast<unsigned char>(text[i])); ++i) {
    if (text[i] == '@') seenAt = true;
    if (text[i] == '.' && seenAt) {
      while (i < text.size() && IsMailChar(static_cast<unsigned char>(text[i]))) ++i;
      return i;
    }
  }
  return 0;
}

std::size_t UrlAt(std::string_view text) {
  for (std::string_view prefix : {"ftp:", "http:", "https:", "www."}) {
    if (text.substr(0, prefix.size()) != prefix) continue;
    std::size_t i = prefix.size();
    while (i < text.size() && IsUrlChar(static_cast<unsigned char>(text[i]))) ++i;
    return i;
  }
  return 0;
}

std::vector<TToken> ModelTokens(const std::string& row) {
  TTokenParser plain;
  std::vector<TToken> tokens;
  std::size_t pos = 0;
  while (true) {
    while (pos < row.size() && IsBlank(static_cast<unsigned char>(row[pos]))) ++pos;
    if (pos >= row.size()) return tokens;
    const std::string_view rest = std::string_view(row).substr(pos);
    if (const std::size_t length = MailAt(rest)) {
      tokens.push_back({tokMail, static_cast<int>(pos), std::string(rest.substr(0, length))});
    } else if (const std::size_t urlLength = UrlAt(rest)) {
      tokens.push_back({tokUrl, static_cast<int>(pos), std::string(rest.substr(0, urlLength))});
    } else {
      const std::string tail(rest);
      plain.SetSource(tail, {});
      plain.NextToken();
      tokens.push_back({plain.TokenKind(), static_cast<int>(pos), plain.TokenString()});
    }
    pos += tokens.back().Text.size();
  }
}

TEST(LinkRules, RandomRowsTokenizeAsTheModelSays) {
  TEditorFountain note;
  note.SetUrl(true);
  note.SetMail(true);
  auto parser = note.CreateParser();
  // Pieces that start, break and nearly make addresses and URLs, among words, numbers, double-byte
  // characters (whose trail bytes can be ASCII letters) and half-width kana.
  const std::string pieces[] = {"someone", "a",     "@",    "@@",   ".",       ",",    "-",    "example.co.jp",
                                "http:",   "https", "ftp:", "www.", "//a?b=1", "3.14", "1e-9", " ",
                                "\t",      ":",     "(",    "h",    "w",       "f",    "_",    "\x82\xA0",
                                "\x83\x65", "\x93\xFA\x96\x7B", "\x81\x41", "\x82\x60", "\xB1\xB2", "~", "!", "#"};
  test::TRandomText random(4242);
  for (int n = 0; n < 20'000; ++n) {
    std::string row = random.Glue(pieces, 30);
    if (random.Chance(20)) row += random.DoubleByte();
    ASSERT_EQ(test::ReadTokens(*parser, row), ModelTokens(row)) << "row " << n << ": " << row;
  }
}

}  // namespace
}  // namespace editor
