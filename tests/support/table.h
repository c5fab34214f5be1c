// Reading the tests' case tables (tests/data/*.txt): one case a line, words and quoted texts, texts
// written in UTF-8 with escapes and stored as code page 932, a caret "|" and an anchor "^" inside them.
#pragma once

#include <algorithm>
#include <fstream>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/cp932.h"

namespace editor::test {

// One line of a table: its number (for messages) and its words; a quoted text stays one word with
// its quotes, so 'abc' and "a b" and ime'x y' each come back whole.
struct TTableLine {
  int Number = 0;
  std::vector<std::string> Words;
};

// Splits a line into words at blanks outside quotes ("..." and '...', a backslash escaping the next
// character inside them).
inline std::vector<std::string> SplitWords(std::string_view line) {
  std::vector<std::string> words;
  std::string word;
  char quote = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quote == 0 && (c == ' ' || c == '\t')) {
      if (!word.empty()) words.push_back(std::move(word));
      word.clear();
      continue;
    }
    word += c;
    if (quote != 0 && c == '\\' && i + 1 < line.size()) {
      word += line[++i];
    } else if (quote == 0 && (c == '"' || c == '\'')) {
      quote = c;
    } else if (c == quote) {
      quote = 0;
    }
  }
  if (!word.empty()) words.push_back(std::move(word));
  return words;
}

// Every line of a table in tests/data that is not blank and not a "#" comment.
inline std::vector<TTableLine> ReadTable(const std::string& name) {
  const std::string path = std::string(TACKNOTE_TEST_DATA) + "/" + name;
  std::ifstream file(path);
  if (!file) throw std::runtime_error("cannot read " + path);
  std::vector<TTableLine> lines;
  std::string line;
  for (int number = 1; std::getline(file, line); ++number) {
    const std::vector<std::string> words = SplitWords(line);
    if (!words.empty() && words.front()[0] != '#') lines.push_back({number, words});
  }
  return lines;
}

// A scripted scenario of a table: a "scenario NAME" line, then its steps up to the next scenario.
struct TScenario {
  std::string Name;
  std::vector<TTableLine> Steps;
  std::string File;  // the table's name
};
inline void PrintTo(const TScenario& scenario, std::ostream* out) { *out << scenario.Name; }

inline std::vector<TScenario> Scenarios(const std::string& name) {
  std::vector<TScenario> scenarios;
  for (TTableLine& line : ReadTable(name)) {
    if (line.Words[0] == "scenario") {
      scenarios.push_back({line.Words.at(1), {}, name});
    } else if (scenarios.empty()) {
      throw std::runtime_error(name + ":" + std::to_string(line.Number) + ": a step before the first scenario");
    } else {
      scenarios.back().Steps.push_back(std::move(line));
    }
  }
  return scenarios;
}

// A quoted text as code page 932 bytes with the places of its markers (-1 when absent).
struct TMarkedText {
  std::string Text;
  int Caret = -1;
  int SelStart = -1;  // the selection runs from SelStart up to SelEnd
  int SelEnd = -1;
};

// Repeats what the text asks for: "\(...\)*N" the group N times, "c\*N" the character c N times in
// all (a ";" after N is dropped, so a digit may follow).
inline std::string ExpandRepeats(std::string_view body) {
  std::string out;
  const auto count = [&body](std::size_t& i) {
    std::size_t used = 0;
    const int n = std::stoi(std::string(body.substr(i)), &used);
    i += used;
    if (i < body.size() && body[i] == ';') ++i;
    return n;
  };
  for (std::size_t i = 0; i < body.size();) {
    if (body.compare(i, 2, "\\(") == 0) {
      const std::size_t close = body.find("\\)*", i);
      const std::string_view group = body.substr(i + 2, close - i - 2);
      i = close + 3;
      for (int n = count(i); n > 0; --n) out += group;
    } else if (body.compare(i, 2, "\\*") == 0) {
      std::size_t last = out.size() - 1;  // the whole last UTF-8 character
      while (last > 0 && (static_cast<unsigned char>(out[last]) & 0xC0) == 0x80) --last;
      const std::string c = out.substr(last);
      i += 2;
      for (int n = count(i); n > 1; --n) out += c;
    } else {
      if (body[i] == '\\' && i + 1 < body.size()) out += body[i++];
      out += body[i++];
    }
  }
  return out;
}

// The text inside a word's quotes (after an optional prefix such as ime or clip). UTF-8 becomes code
// page 932 (stays UTF-8 without cp932); \n is CR LF, \r a lone CR, \l a lone LF, \t, \0, \xHH a raw
// byte, and a backslash before any other sign is that sign. With markers, an unescaped | is the caret and
// [ ] the selection.
inline TMarkedText ParseQuoted(std::string_view word, bool markers = false, bool cp932 = true) {
  const std::size_t open = word.find_first_of("\"'");
  if (open == std::string_view::npos || word.size() < open + 2 || word.back() != word[open])
    throw std::runtime_error("not a quoted text: " + std::string(word));
  const std::string body = ExpandRepeats(word.substr(open + 1, word.size() - open - 2));
  TMarkedText result;
  std::string utf8;  // a run of plain text, converted as a whole
  const auto flush = [&] {
    result.Text += cp932 ? platform::Utf8ToCp932(utf8) : utf8;
    utf8.clear();
  };
  for (std::size_t i = 0; i < body.size(); ++i) {
    const char c = body[i];
    if (markers && (c == '|' || c == '[' || c == ']')) {
      flush();
      (c == '|' ? result.Caret : c == '[' ? result.SelStart : result.SelEnd) = static_cast<int>(result.Text.size());
      continue;
    }
    if (c != '\\' || i + 1 == body.size()) {
      utf8 += c;
      continue;
    }
    flush();
    const char e = body[++i];
    // \n \r \l \t \0 in that order; \x takes two hex digits.
    static constexpr std::string_view kEscapes = "nrlt0";
    static constexpr std::string_view kBytes[] = {"\r\n", "\r", "\n", "\t", {"\0", 1}};
    if (e == 'x') {
      result.Text += static_cast<char>(std::stoi(body.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else if (const std::size_t k = kEscapes.find(e); k != std::string_view::npos) {
      result.Text += kBytes[k];
    } else {
      result.Text += e;
    }
  }
  flush();
  return result;
}

// A code page 932 text as the tables write it, markers put back, for failure messages.
inline std::string ShowMarked(const TMarkedText& marked) {
  const std::string& text = marked.Text;
  std::string shown = "\"";
  std::string run;
  const auto flush = [&] {
    shown += platform::Cp932ToUtf8(run);
    run.clear();
  };
  for (std::size_t i = 0; i <= text.size(); ++i) {
    const int at = static_cast<int>(i);
    if (at == marked.SelStart || at == marked.SelEnd || at == marked.Caret) flush();
    if (at == marked.SelStart) shown += '[';
    if (at == marked.SelEnd) shown += ']';
    if (at == marked.Caret) shown += '|';
    if (i == text.size()) break;
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      flush();
      shown += "\\n";
      ++i;
    } else if (c < 0x20 || c == '\\' || c == '"' || c == '|' || c == '[' || c == ']') {
      flush();
      static constexpr char kHex[] = "0123456789ABCDEF";
      shown += c == '\t' ? std::string("\\t") : std::string("\\x") + kHex[c >> 4] + kHex[c & 15];
    } else {
      run += static_cast<char>(c);
    }
  }
  flush();
  return shown + "\"";
}

// The comma-separated words inside "name(a,b)"; none for "name".
inline std::vector<std::string> Arguments(std::string_view word) {
  std::vector<std::string> items;
  const std::size_t open = word.find('(');
  if (open == std::string_view::npos) return items;
  const std::string_view inner = word.substr(open + 1, word.find(')', open) - open - 1);
  for (std::size_t at = 0; at <= inner.size();) {
    const std::size_t comma = std::min(inner.find(',', at), inner.size());
    items.emplace_back(inner.substr(at, comma - at));
    at = comma + 1;
  }
  return items;
}

}  // namespace editor::test
