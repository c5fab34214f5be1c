// Runs the table of tokenizer cases in tests/data/tokens.txt: each row's tokens (kind, text, position)
// and, where given, the start state a row gets from the rows above it.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "editor/syntax/editor_parser.h"
#include "editor/syntax/fountain.h"
#include "support/token_test_support.h"

namespace editor {
namespace {

using test::Sjis;

// What a case expects of one token.
struct TExpectedToken {
  TTokenKind Kind;
  std::string Text;
};

// Start-state fields a case sets or checks; unset fields are left alone.
struct TStateFields {
  std::optional<int> Start;
  std::optional<int> Remain;
  std::optional<int> Bracket;
};

struct TRowCase {
  int Line = 0;
  std::uint8_t Attribute = RowAttrEnd;
  std::string Text;
  std::optional<TStateFields> Forced;
  std::optional<TStateFields> Check;
  std::vector<TExpectedToken> Tokens;
};

// The scheme and parser class that an "@" line selects.
struct TScheme {
  std::unique_ptr<TEditorFountain> Fountain = std::make_unique<TEditorFountain>();
  std::string Parser = "editor";

  std::unique_ptr<TFountainParser> CreateParser() const {
    if (Parser == "token") return std::make_unique<TTokenParser>();
    if (Parser == "base") return std::make_unique<TFountainParser>(Fountain.get());
    return Fountain->CreateParser();
  }
};

// Reads the pieces of one line of the data file.
class TLineReader {
 public:
  explicit TLineReader(std::string_view line) : FLine(line) {}

  bool AtEnd() {
    SkipSpace();
    return FPos >= FLine.size();
  }
  char Peek() {
    SkipSpace();
    return FPos < FLine.size() ? FLine[FPos] : '\0';
  }
  void Skip() { ++FPos; }

  // A run of characters up to a blank, a quote or one of the stop characters.
  std::string Word(std::string_view stops = "") {
    SkipSpace();
    const std::size_t start = FPos;
    while (FPos < FLine.size() && FLine[FPos] != ' ' && FLine[FPos] != '"' && stops.find(FLine[FPos]) == stops.npos)
      ++FPos;
    return std::string(FLine.substr(start, FPos - start));
  }

  // A quoted string: UTF-8 text becomes code page 932, escapes (\" \\ \t \r \n \xHH) give raw bytes.
  std::string Quoted() {
    SkipSpace();
    if (FPos >= FLine.size() || FLine[FPos] != '"') throw std::runtime_error("a quoted string expected");
    ++FPos;
    std::string bytes, utf8;
    for (;;) {
      if (FPos >= FLine.size()) throw std::runtime_error("unterminated string");
      const char c = FLine[FPos++];
      if (c == '"') break;
      if (c != '\\') {
        utf8 += c;
        continue;
      }
      bytes += Sjis(utf8);
      utf8.clear();
      bytes += Escape();
    }
    return bytes + Sjis(utf8);
  }

  // An option value: like a quoted string's content, up to the next blank.
  static std::string Value(std::string_view text) {
    std::string quoted = "\"";
    for (char c : text) quoted += c == '"' ? std::string("\\\"") : std::string(1, c);
    quoted += '"';
    TLineReader reader(quoted);
    return reader.Quoted();
  }

 private:
  void SkipSpace() {
    while (FPos < FLine.size() && FLine[FPos] == ' ') ++FPos;
  }
  std::string Escape() {
    if (FPos >= FLine.size()) throw std::runtime_error("bad escape");
    const char c = FLine[FPos++];
    switch (c) {
      case 't':
        return "\t";
      case 'r':
        return "\r";
      case 'n':
        return "\n";
      case 'x': {
        if (FPos + 2 > FLine.size()) throw std::runtime_error("bad \\x escape");
        const std::string hex(FLine.substr(FPos, 2));
        FPos += 2;
        return std::string(1, static_cast<char>(std::stoi(hex, nullptr, 16)));
      }
      default:
        return std::string(1, c);
    }
  }

  std::string_view FLine;
  std::size_t FPos = 0;
};

int KindValue(const std::string& name) {
  if (name == "End") return tokEnd;
  TTokenKind kind;
  if (TokenKindByName("tok" + name, kind)) return kind;
  return std::stoi(name);  // a raw byte, for kinds no scanner produces
}

TStateFields ReadFields(TLineReader& reader, char close) {
  TStateFields fields;
  while (reader.Peek() != close) {
    if (reader.AtEnd()) throw std::runtime_error("unclosed state");
    const std::string item = reader.Word(std::string(1, close));
    const auto eq = item.find('=');
    if (eq == std::string::npos) throw std::runtime_error("bad state field " + item);
    const std::string key = item.substr(0, eq), value = item.substr(eq + 1);
    if (key == "start") {
      fields.Start = KindValue(value);
    } else if (key == "remain") {
      fields.Remain = std::stoi(value);
    } else if (key == "bracket") {
      fields.Bracket = std::stoi(value);
    } else {
      throw std::runtime_error("unknown state field " + key);
    }
  }
  reader.Skip();
  return fields;
}

TRowCase ReadRow(std::string_view line, int lineNumber) {
  TRowCase row;
  row.Line = lineNumber;
  row.Attribute = line[0] == '~' ? RowAttrWrap : line[0] == '|' ? RowAttrBreak : RowAttrEnd;
  TLineReader reader(line.substr(1));
  row.Text = reader.Quoted();
  while (!reader.AtEnd()) {
    if (reader.Peek() == '{') {
      reader.Skip();
      row.Forced = ReadFields(reader, '}');
    } else if (reader.Peek() == '[') {
      reader.Skip();
      row.Check = ReadFields(reader, ']');
    } else {
      const std::string name = reader.Word();
      TTokenKind kind;
      if (!TokenKindByName("tok" + name, kind)) throw std::runtime_error("unknown kind " + name);
      row.Tokens.push_back({kind, reader.Quoted()});
    }
  }
  return row;
}

void ApplyOptions(std::string_view line, TScheme& scheme) {
  scheme = TScheme{};
  TEditorFountain& fountain = *scheme.Fountain;
  std::vector<std::string> reserved;
  std::istringstream words{std::string(line)};
  std::string word;
  while (words >> word) {
    const auto eq = word.find('=');
    const std::string key = word.substr(0, eq);
    const std::string value = eq == std::string::npos ? "" : TLineReader::Value(word.substr(eq + 1));
    if (key == "url") {
      fountain.SetUrl(true);
    } else if (key == "mail") {
      fountain.SetMail(true);
    } else if (key == "controlcode") {
      fountain.SetControlCode(true);
    } else if (key == "commenter") {
      fountain.SetCommenter(value);
    } else if (key == "quotation") {
      fountain.SetQuotation(value);
    } else if (key == "hexprefix") {
      fountain.SetHexPrefix(value);
    } else if (key == "bracket") {
      const auto comma = value.find(',');
      TFountainBracketItem* item = fountain.Brackets().Add();
      item->SetLeftBracket(value.substr(0, comma));
      item->SetRightBracket(comma == std::string::npos ? "" : value.substr(comma + 1));
    } else if (key == "reserve") {
      std::istringstream list(value);
      for (std::string item; std::getline(list, item, ',');) reserved.push_back(item);
    } else if (key == "parser") {
      scheme.Parser = value;
    } else {
      throw std::runtime_error("unknown option " + key);
    }
  }
  fountain.SetReserveWordList(reserved);
}

void CheckFields(const TStateFields& want, const TRowAttributeData& state) {
  if (want.Start) {
    EXPECT_EQ(state.StartToken, *want.Start) << "StartToken";
  }
  if (want.Remain) {
    EXPECT_EQ(state.Remain, *want.Remain) << "Remain";
  }
  if (want.Bracket) {
    EXPECT_EQ(state.BracketIndex, *want.Bracket) << "BracketIndex";
  }
}

// Tokenizes the rows as the drawing code does: a wrapped row sees the next row's text too, and its
// tokens run until one starts past the row's own end. Each row's start state comes from the row above.
void RunBlock(const std::vector<TRowCase>& block, const TScheme& scheme) {
  test::TRows rows;
  for (const TRowCase& row : block) rows.Add(row.Text, row.Attribute);
  std::unique_ptr<TFountainParser> parser = scheme.CreateParser();
  TRowAttributeData state;
  for (int r = 0; r < rows.RowCount(); ++r) {
    const TRowCase& row = block[static_cast<std::size_t>(r)];
    SCOPED_TRACE("tokens.txt:" + std::to_string(row.Line));
    if (row.Forced) {
      state = TRowAttributeData{};
      if (row.Forced->Start) state.StartToken = static_cast<std::uint8_t>(*row.Forced->Start);
      if (row.Forced->Remain) state.Remain = *row.Forced->Remain;
      if (row.Forced->Bracket) state.BracketIndex = *row.Forced->Bracket;
    }
    state.RowAttribute = row.Attribute;
    state.PrevRowAttribute = r > 0 ? rows.RowAttribute(r - 1) : 0;
    if (row.Check) CheckFields(*row.Check, state);

    std::string text = row.Text;
    if (row.Attribute == RowAttrWrap && r + 1 < rows.RowCount()) text += rows.RowText(r + 1);
    parser->SetSource(text, state);
    std::vector<test::TToken> actual;
    while (parser->NextToken() != tokEnd && parser->TokenPos() < static_cast<int>(row.Text.size())) {
      actual.push_back({parser->TokenKind(), parser->TokenPos(), parser->TokenString()});
      if (actual.size() > text.size()) break;
    }
    std::vector<test::TToken> expected;
    std::size_t pos = 0;
    for (const TExpectedToken& token : row.Tokens) {
      while (pos < text.size() && text[pos] != '\t' && static_cast<unsigned char>(text[pos]) >= 1 &&
             static_cast<unsigned char>(text[pos]) <= 0x20) {
        ++pos;
      }
      expected.push_back({token.Kind, static_cast<int>(pos), token.Text});
      pos += token.Text.size();
    }
    EXPECT_EQ(actual, expected) << "actual:   " << test::Describe(actual) << "\nexpected: " << test::Describe(expected);
    parser->NextRowState(r, rows, state);
  }
}

TEST(TokenTable, EveryCaseOfTheDataFileScansAsWritten) {
  std::ifstream file(TACKNOTE_TEST_DATA "/tokens.txt");
  ASSERT_TRUE(file) << "missing " TACKNOTE_TEST_DATA "/tokens.txt";
  TScheme scheme;
  std::vector<TRowCase> block;
  int lineNumber = 0, cases = 0;
  std::string line;
  while (std::getline(file, line)) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    try {
      if (line.empty() || line[0] == '#') continue;
      if (line[0] == '@') {
        if (!block.empty())
          ADD_FAILURE() << "tokens.txt:" << lineNumber << ": rows before this line were not closed with '-'";
        block.clear();
        ApplyOptions(std::string_view(line).substr(1), scheme);
        continue;
      }
      if (line[0] != '-' && line[0] != '~' && line[0] != '|') throw std::runtime_error("unknown line");
      block.push_back(ReadRow(line, lineNumber));
      if (line[0] == '-') {
        RunBlock(block, scheme);
        block.clear();
        ++cases;
      }
    } catch (const std::exception& error) {
      ADD_FAILURE() << "tokens.txt:" << lineNumber << ": " << error.what();
      block.clear();
    }
  }
  EXPECT_TRUE(block.empty()) << "the last rows were not closed with '-'";
  EXPECT_GE(cases, 100) << "the data file lost its cases";
}

}  // namespace
}  // namespace editor
