// Rows of one kind from a case table in tests/data: each row starts with its kind's word, and its runner
// reads the words after it as numbers and quoted texts.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "support/table.h"

namespace test_support {

struct TRow {
  std::vector<std::string> Words;  // after the kind
  int Number = 0;

  const std::string& operator[](std::size_t i) const { return Words.at(i); }
  std::size_t Size() const { return Words.size(); }
  // A number in C form: decimal, 0x hexadecimal, a sign.
  int Int(std::size_t i) const { return static_cast<int>(std::stoll(Words.at(i), nullptr, 0)); }
  // A quoted text as bytes, the characters as written (UTF-8), with the escapes of table.h.
  std::string Text(std::size_t i) const { return editor::test::ParseQuoted(Words.at(i), false, false).Text; }
  std::string Where() const { return "table line " + std::to_string(Number); }
};

// Every row of `kind` in tests/data/`file`; a kind with no row fails the test.
inline std::vector<TRow> Rows(const std::string& file, std::string_view kind) {
  std::vector<TRow> rows;
  for (editor::test::TTableLine& line : editor::test::ReadTable(file)) {
    if (line.Words.front() != kind) continue;
    line.Words.erase(line.Words.begin());
    rows.push_back({std::move(line.Words), line.Number});
  }
  if (rows.empty()) ADD_FAILURE() << "no " << kind << " rows in " << file;
  return rows;
}

// The first quoted text of every row of `kind`.
inline std::vector<std::string> FirstTexts(const std::string& file, std::string_view kind) {
  std::vector<std::string> texts;
  for (const TRow& row : Rows(file, kind)) texts.push_back(row.Text(0));
  return texts;
}

}  // namespace test_support
