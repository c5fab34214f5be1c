// Runs the table of tokenizer cases in tests/data/tokens.txt: each row's tokens (kind, text, position)
// and, where given, the start state a row gets from the rows above it; and the colour of each token.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/syntax/editor_parser.h"
#include "editor/syntax/fountain.h"
#include "support/table.h"
#include "support/token_test_support.h"

namespace editor {
namespace {

// Start-state fields a case sets or checks by name (start, remain, bracket); unnamed fields are left alone.
using TStateFields = std::map<std::string, int>;

int Get(const TRowAttributeData& state, const std::string& key) {
  return key == "start" ? state.StartToken : key == "remain" ? state.Remain : state.BracketIndex;
}
void Set(TRowAttributeData& state, const std::string& key, int value) {
  if (key == "start") {
    state.StartToken = static_cast<std::uint8_t>(value);
  } else {
    (key == "remain" ? state.Remain : state.BracketIndex) = value;
  }
}

struct TRowCase {
  int Line = 0;
  std::uint8_t Attribute = RowAttrEnd;
  std::string Text;
  std::optional<TStateFields> Forced;
  TStateFields Check;
  std::vector<test::TToken> Tokens;  // positions are filled in when the row runs
  std::vector<std::string> Colours;  // of a colour case ("=")
};

int KindValue(const std::string& name) {
  TTokenKind kind;
  if (TokenKindByName("tok" + name, kind)) return kind;
  return std::stoi(name);  // a raw byte, for kinds no scanner produces
}

// The words of "{start=K remain=N}" or "[...]" from words[at] on; leaves `at` on the closing word.
TStateFields ReadFields(const std::vector<std::string>& words, std::size_t& at) {
  const char close = words[at][0] == '{' ? '}' : ']';
  TStateFields fields;
  for (std::string item = words[at].substr(1);; item = words[at]) {
    const bool last = !item.empty() && item.back() == close;
    if (last) item.pop_back();
    const auto eq = item.find('=');
    if (eq == std::string::npos) throw std::runtime_error("bad state field " + item);
    const std::string key = item.substr(0, eq), value = item.substr(eq + 1);
    if (key != "start" && key != "remain" && key != "bracket") throw std::runtime_error("unknown state field " + key);
    fields[key] = key == "start" ? KindValue(value) : std::stoi(value);
    if (last) return fields;
    if (++at == words.size()) throw std::runtime_error("unclosed state");
  }
}

TRowCase ReadRow(const test::TTableLine& line) {
  const std::vector<std::string>& words = line.Words;
  TRowCase row;
  row.Line = line.Number;
  row.Attribute = words[0] == "~" ? RowAttrWrap : words[0] == "|" ? RowAttrBreak : RowAttrEnd;
  if (words.size() < 2) throw std::runtime_error("a quoted row expected");
  row.Text = test::ParseQuoted(words[1]).Text;
  for (std::size_t at = 2; at < words.size(); ++at) {
    const char first = words[at][0];
    if (first == '{' || first == '[') {
      (first == '{' ? row.Forced.emplace() : row.Check) = ReadFields(words, at);
      continue;
    }
    if (words[0] == "=") {
      row.Colours.push_back(words[at]);
      continue;
    }
    const std::size_t quote = words[at].find('"');
    TTokenKind kind;
    if (quote == std::string::npos || !TokenKindByName("tok" + words[at].substr(0, quote), kind))
      throw std::runtime_error("unknown token " + words[at]);
    row.Tokens.push_back({kind, 0, test::ParseQuoted(words[at]).Text});
  }
  return row;
}

// Tokenizes the rows as the drawing code does: a wrapped row sees the next row's text too, and its
// tokens run until one starts past the row's own end. Each row's start state comes from the row above.
void RunBlock(const std::vector<TRowCase>& block, const test::TScheme& scheme) {
  test::TRows rows;
  for (const TRowCase& row : block) rows.Add(row.Text, row.Attribute);
  std::unique_ptr<TFountainParser> parser = scheme.CreateParser();
  TRowAttributeData state;
  for (int r = 0; r < rows.RowCount(); ++r) {
    const TRowCase& row = block[static_cast<std::size_t>(r)];
    SCOPED_TRACE("tokens.txt:" + std::to_string(row.Line));
    if (row.Forced) state = TRowAttributeData{};
    for (const auto& [key, value] : row.Forced.value_or(TStateFields{})) Set(state, key, value);
    state.RowAttribute = row.Attribute;
    state.PrevRowAttribute = r > 0 ? rows.RowAttribute(r - 1) : 0;
    for (const auto& [key, value] : row.Check) EXPECT_EQ(Get(state, key), value) << key;

    std::string text = row.Text;
    if (row.Attribute == RowAttrWrap && r + 1 < rows.RowCount()) text += rows.RowText(r + 1);
    parser->SetSource(text, state);
    std::vector<test::TToken> actual;
    while (parser->NextToken() != tokEnd && parser->TokenPos() < static_cast<int>(row.Text.size())) {
      actual.push_back({parser->TokenKind(), parser->TokenPos(), parser->TokenString()});
      if (actual.size() > text.size()) break;
    }
    std::vector<test::TToken> expected = row.Tokens;
    std::size_t pos = 0;
    for (test::TToken& token : expected) {
      while (pos < text.size() && test::IsBlank(text[pos])) ++pos;
      token.Pos = static_cast<int>(pos);
      pos += token.Text.size();
    }
    EXPECT_EQ(actual, expected) << "actual:   " << test::Describe(actual) << "\nexpected: " << test::Describe(expected);
    parser->NextRowState(r, rows, state);
  }
}

// "= "row" {state} Colour...": the colour record each token of a one-row text takes, by name ("-" for
// none, "Bracket" for a pair's own).
void CheckColours(const TRowCase& row, const test::TScheme& scheme) {
  TRowAttributeData state;
  for (const auto& [key, value] : row.Forced.value_or(TStateFields{})) Set(state, key, value);
  std::unique_ptr<TFountainParser> parser = scheme.CreateParser();
  parser->SetSource(row.Text, state);
  std::vector<std::string> names;
  while (parser->NextToken() != tokEnd && names.size() <= row.Colours.size()) {
    const TFountainColor* colour = parser->TokenColor();
    names.emplace_back(colour == nullptr ? "-" : "?");
    for (const TNamedColor& record : scheme.Fountain->Colors().Records())
      if (record.Color == colour) names.back() = record.Name;
    for (int i = 0; i < scheme.Fountain->Brackets().Count(); ++i)
      if (colour == &scheme.Fountain->Brackets().Items(i)->ItemColor()) names.back() = "Bracket";
  }
  EXPECT_EQ(names, row.Colours) << "tokens.txt:" << row.Line;
}

TEST(TokenTable, EveryCaseOfTheDataFileScansAsWritten) {
  test::TScheme scheme;
  std::vector<TRowCase> block;
  int cases = 0;
  for (const test::TTableLine& line : test::ReadTable("tokens.txt")) {
    const std::string& first = line.Words[0];
    try {
      if (first == "@") {
        if (!block.empty()) ADD_FAILURE() << "tokens.txt:" << line.Number << ": rows above were not closed with '-'";
        block.clear();
        // A quote in a value may have glued the words after it together, so the words of the options
        // are joined and split at blanks again.
        std::string options;
        for (std::size_t i = 1; i < line.Words.size(); ++i) options += line.Words[i] + " ";
        scheme = test::SchemeOf(options);
        continue;
      }
      if (first != "-" && first != "~" && first != "|" && first != "=") throw std::runtime_error("unknown line");
      if (first == "=" && !block.empty()) throw std::runtime_error("a colour case inside rows");
      block.push_back(ReadRow(line));
      // "-" closes a case of rows, "=" is a case of its own.
      if (first == "-") RunBlock(block, scheme);
      if (first == "=") CheckColours(block.back(), scheme);
      if (first == "-" || first == "=") {
        block.clear();
        ++cases;
      }
    } catch (const std::exception& error) {
      ADD_FAILURE() << "tokens.txt:" << line.Number << ": " << error.what();
      block.clear();
    }
  }
  EXPECT_TRUE(block.empty()) << "the last rows were not closed with '-'";
  EXPECT_GE(cases, 100) << "the data file lost its cases";
}

}  // namespace
}  // namespace editor
