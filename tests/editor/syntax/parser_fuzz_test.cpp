// Random rows through every parser class: tokens never read past the terminating zero byte, never come
// out empty, and tile the text with nothing but blanks between them. Under AddressSanitizer each row
// sits in a buffer of exactly its size, so a read past the zero byte is caught.
// The note window's link rules are checked against a model of them too.
// Rows: TACKNOTE_FUZZ_ROWS, or 1,000,000 with TACKNOTE_FULL_FUZZ set (the sanitizer run), else 20,000.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/syntax/editor_parser.h"
#include "editor/syntax/fountain.h"
#include "support/random_text.h"
#include "support/token_test_support.h"

namespace editor {
namespace {

long FuzzRowCount() {
  if (const char* rows = std::getenv("TACKNOTE_FUZZ_ROWS")) return std::strtol(rows, nullptr, 10);
  return std::getenv("TACKNOTE_FULL_FUZZ") ? 1'000'000 : 20'000;
}

bool IsProducedKind(int kind) { return kind >= 1 && kind <= 28 && kind != 2 && kind != 5 && kind != 10 && kind != 13; }

// Makes rows that hit every scanner: words and prefixes the rules look for, lead bytes with and without
// trail bytes (also at the very end), zero bytes, line ends and plain random bytes.
class TRowGenerator {
 public:
  explicit TRowGenerator(std::uint32_t seed) : FRandom(seed) {}

  std::string Row() {
    // Mostly short rows, now and then one of up to 64 KB.
    const int roll = Pick(0, 999);
    const auto length = static_cast<std::size_t>(roll == 0   ? Pick(1000, 65536)
                                                 : roll < 20 ? Pick(100, 1000)
                                                             : Pick(0, 80));
    std::string row;
    while (row.size() < length) AppendPiece(row);
    row.resize(length);
    if (!row.empty() && Pick(0, 7) == 0)
      row.back() = static_cast<char>(Pick(0x81, 0x9F));  // a lone lead byte at the end
    return row;
  }

  TRowAttributeData State() {
    TRowAttributeData state;
    if (Pick(0, 2) != 0) return state;
    state.StartToken = static_cast<std::uint8_t>(Pick(0, 3) == 0 ? Pick(0, 255) : Pick(0, 30));
    state.Remain = Pick(0, 3) == 0 ? Pick(-5, 300) : 0;
    state.BracketIndex = Pick(-2, 16);
    return state;
  }

  int Pick(int low, int high) { return FRandom.Between(low, high); }

 private:
  void AppendPiece(std::string& row) {
    static const char* const words[] = {"http:", "https://", "ftp:", "www.", "a@b.", "@",  ".",  "//",    "(*",  "*)",
                                        "<<",    ">>",       "\"",   "'",    "#$",   "#",  "0x", "1.5e+", "12.", "E",
                                        "rem",   "begin",    " ",    "\t",   "\r\n", "\r", "\n", ",",     "~"};
    switch (Pick(0, 6)) {
      case 0:
        row += words[Pick(0, static_cast<int>(std::size(words)) - 1)];
        break;
      case 1:  // a double-byte character, or a lead byte with any byte after it
        row += static_cast<char>(Pick(0, 1) ? Pick(0x81, 0x9F) : Pick(0xE0, 0xFC));
        row += static_cast<char>(Pick(0, 3) ? Pick(0x40, 0xFC) : Pick(0, 255));
        break;
      case 2:
        row += static_cast<char>(Pick(0, 1) ? 0x82 : 0x83);
        row += static_cast<char>(Pick(0, 255));
        break;
      case 3:
        row += static_cast<char>(Pick(0xA1, 0xDF));
        break;
      case 4:
        row += static_cast<char>(Pick(0, 20) == 0 ? 0 : Pick('0', 'z'));
        break;
      default:
        row += static_cast<char>(Pick(0, 255));
        break;
    }
  }

  test::TRandomText FRandom;
};

// A scheme with every switch, string and bracket set, an empty right bracket included.
const char* const kFullScheme = R"x(url mail controlcode commenter=// quotation=' hexprefix=0x reserve=begin,end,rem
    bracket=(*,*) bracket=<<,>> bracket=\",\" bracket=[, bracket=\x82\xA0,\x81\x42)x";

// Checks one row: the first broken rule, or "" when it keeps them all.
std::string CheckRow(TFountainParser& parser, const char* text, std::size_t textLength,
                     const TRowAttributeData& state) {
  const int stop = static_cast<int>(std::strlen(text));  // the first zero byte ends the row
  parser.SetSource(text, state);
  int end = 0;
  for (std::size_t tokens = 0; tokens <= textLength + 1; ++tokens) {
    const TTokenKind kind = parser.NextToken();
    const int pos = parser.TokenPos();
    const int length = parser.TokenLength();
    if (kind == tokEnd) return "";
    // A carried-over token keeps the kind the state names, whatever a damaged state says.
    const bool carried = parser.InContinuation() && kind == state.StartToken;
    if (!(IsProducedKind(kind) || carried) || length <= 0 || pos < end || pos + length > stop) {
      return "bad token kind " + std::to_string(kind) + " at " + std::to_string(pos) + " length " +
             std::to_string(length) + " after " + std::to_string(end) + " in a row of " + std::to_string(stop);
    }
    for (int i = end; i < pos; ++i) {
      if (!test::IsBlank(text[i])) return "byte " + std::to_string(i) + " belongs to no token";
    }
    if (kind == tokBracket && parser.TokenBracket() < 0 && state.StartToken != tokBracket)
      return "a bracket token without its pair";
    end = pos + length;
  }
  return "NextToken did not come to an end";
}

TEST(ParserFuzz, RandomRowsNeverBreakTheTokenRules) {
  const test::TScheme full = test::SchemeOf(kFullScheme);
  TEditorFountain plain;
  std::vector<std::unique_ptr<TFountainParser>> parsers;
  parsers.push_back(full.CreateParser());
  parsers.push_back(plain.CreateParser());
  parsers.push_back(std::make_unique<TFountainParser>(full.Fountain.get()));
  parsers.push_back(std::make_unique<TTokenParser>());

  TRowGenerator generator(20240607);
  const long rowCount = FuzzRowCount();
  for (long n = 0; n < rowCount; ++n) {
    const std::string row = generator.Row();
    // Exactly the row and its zero byte (make_unique zeroes the buffer), so ASan sees any read past it.
    auto buffer = std::make_unique<char[]>(row.size() + 1);
    std::memcpy(buffer.get(), row.data(), row.size());
    const TRowAttributeData state = generator.State();
    TFountainParser& parser = *parsers[static_cast<std::size_t>(n % static_cast<long>(parsers.size()))];
    ASSERT_EQ(CheckRow(parser, buffer.get(), row.size(), state), "") << "row " << n;
  }
}

TEST(ParserFuzz, RowStatesFromRandomRowsStayInsideTheirFields) {
  const test::TScheme full = test::SchemeOf(kFullScheme);
  auto parser = full.CreateParser();
  TRowGenerator generator(77);
  const long texts = std::max(1L, FuzzRowCount() / 20);
  for (long n = 0; n < texts; ++n) {
    test::TRows rows;
    const int count = generator.Pick(1, 6);
    for (int i = 0; i < count; ++i) {
      std::string text = generator.Row();
      text = text.substr(0, text.find('\0'));  // rows hold no zero bytes
      rows.Add(text, static_cast<std::uint8_t>(i + 1 == count ? RowAttrEnd : generator.Pick(0, 1)));
    }
    TRowAttributeData state;
    if (generator.Pick(0, 1) == 0) {  // a start state as a row above could have left it
      state.StartToken = static_cast<std::uint8_t>(generator.Pick(0, 28));
      state.Remain = generator.Pick(0, MaxRemain);
      state.BracketIndex = generator.Pick(BracketNone, full.Fountain->Brackets().Count() - 1);
    }
    for (int row = 0; row < count; ++row) {
      state.RowAttribute = rows.RowAttribute(row);
      parser->NextRowState(row, rows, state);
      ASSERT_GE(state.Remain, 0);
      ASSERT_LE(state.Remain, MaxRemain);
      ASSERT_GE(state.BracketIndex, BracketNone);
      ASSERT_LT(state.BracketIndex, full.Fountain->Brackets().Count());
      ASSERT_LT(state.StartToken, TokenKindCount);
    }
  }
}

// The note window's scheme looks for the token that runs on into the next row from the row's last blank
// on. The same scheme with a quotation mark (a token that may hold blanks, here never in the rows) scans
// every row from its start: both must leave the next row the same start state. Every fourth text is read
// with a bracket pair added to both, one that only a state carried from above holds open.
TEST(ParserFuzz, NoteSchemeCarriesTheTokenAFullScanWouldCarry) {
  const test::TScheme schemes[] = {test::SchemeOf("url mail"), test::SchemeOf("url mail quotation='"),
                                   test::SchemeOf("url mail bracket=,*)"),
                                   test::SchemeOf("url mail bracket=,*) quotation='")};
  const std::unique_ptr<TFountainParser> parsers[] = {schemes[0].CreateParser(), schemes[1].CreateParser(),
                                                      schemes[2].CreateParser(), schemes[3].CreateParser()};
  // Words, links and addresses broken anywhere, blanks after single- and double-byte characters,
  // lead bytes whose trail byte is a blank, the pair's closing and now and then a zero byte.
  const std::string pieces[] = {"someone@exa", "mple.jp", "http://a", "b/c", "www.", "3.1", "4e-",  "9",
                                "word",        " ",       "  ",       "\t",  "\r",   "\x81", "\x84", "\x82\xA0",
                                "\x93",        "\xFA",    "\xB1",     ",",   "(",    "*)",  std::string(1, '\0')};
  test::TRandomText random(8080);
  for (int n = 0; n < 20'000; ++n) {
    test::TRows rows;
    rows.Add(random.Glue(pieces, 24), random.Chance(80) ? RowAttrWrap : RowAttrBreak);
    rows.Add(random.Glue(pieces, 12), random.Chance(50) ? RowAttrWrap : RowAttrEnd);
    rows.Add(random.Glue(pieces, 12), RowAttrEnd);
    TRowAttributeData state;
    if (random.Chance(50)) {  // a carried-over token, or a region open
      // Any kind but the quoted text only the quoting scheme goes on with.
      do state.StartToken = static_cast<std::uint8_t>(random.Between(0, TokenKindCount - 1));
      while (state.StartToken == tokQuoted);
      state.Remain = random.Between(0, 12);
      if (random.Chance(20)) state.BracketIndex = 0;
    }
    const std::size_t first = n % 4 == 0 ? 2 : 0;
    for (int row = 0; row < 2; ++row) {
      state.RowAttribute = rows.RowAttribute(row);
      TRowAttributeData expected = state;
      parsers[first + 1]->NextRowState(row, rows, expected);
      parsers[first]->NextRowState(row, rows, state);
      ASSERT_EQ(state, expected) << "text " << n << " row " << row << ": " << rows.RowText(row) << "|"
                                 << rows.RowText(row + 1);
    }
  }
}

// The note window's scheme (address and URL detection on) against a model that decides at each token
// start, from the text after it alone, whether an address or a URL starts there, and leaves every other
// token to the scheme-less parser: the tokenizer's look-ahead caches must never change a token.
// An ASCII letter or one of the other characters the rule allows.
bool IsLetterOr(std::string_view others, char c) {
  return others.find(c) != std::string_view::npos || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsMailChar(char c) { return IsLetterOr("!$%&*,-./0123456789;=?@^_~", c); }
bool IsUrlChar(char c) { return IsLetterOr("#%&+-./0123456789:=?_~", c); }

// The length of the address at the start of text, or 0: a mail character other than "@", then mail
// characters holding an "@" and after it a full stop; the address runs on over every mail character.
std::size_t MailAt(std::string_view text) {
  if (!IsMailChar(text[0]) || text[0] == '@') return 0;
  bool seenAt = false;
  for (std::size_t i = 1; i < text.size() && IsMailChar(text[i]); ++i) {
    if (text[i] == '@') seenAt = true;
    if (text[i] == '.' && seenAt) {
      while (i < text.size() && IsMailChar(text[i])) ++i;
      return i;
    }
  }
  return 0;
}

std::size_t UrlAt(std::string_view text) {
  for (std::string_view prefix : {"ftp:", "http:", "https:", "www."}) {
    if (text.substr(0, prefix.size()) != prefix) continue;
    std::size_t i = prefix.size();
    while (i < text.size() && IsUrlChar(text[i])) ++i;
    return i;
  }
  return 0;
}

std::vector<test::TToken> ModelTokens(const std::string& row) {
  TTokenParser plain;
  std::vector<test::TToken> tokens;
  std::size_t pos = 0;
  while (true) {
    while (pos < row.size() && test::IsBlank(row[pos])) ++pos;
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
    ASSERT_EQ(CheckRow(*parser, row.c_str(), row.size(), {}), "") << "row " << n;
  }
}

}  // namespace
}  // namespace editor
