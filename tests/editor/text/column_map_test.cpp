// Column maps, the cursor over them, the delimiter set and character-boundary membership.
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "editor/text/column_map.h"
#include "support/case_table.h"

namespace editor {
namespace {

std::string Map(std::string_view text, bool wordWrap = false, int wrapByte = 80, int tabs = 8,
                std::size_t limit = 1000) {
  const TColumnRules rules{.WordWrap = wordWrap, .WrapByte = wrapByte, .TabSpaceCount = tabs};
  std::string map;
  BuildColumnMap(text, rules, limit, map);
  return map;
}

// The delimiter cases of tests/data/text.txt.
TEST(Delimiters, WordBytesAreDigitsLettersUnderscoreLeadBytesAndKanaLetters) {
  for (const test_support::TRow& row : test_support::Rows("text.txt", "delimiter")) {
    for (const char c : row.Text(1))
      EXPECT_EQ(kDefaultDelimiters[static_cast<unsigned char>(c)], row[0] == "yes") << row.Where() << " " << int{c};
  }
}

// The map cases of tests/data/text.txt.
TEST(ColumnMap, CodesEveryColumn) {
  for (const test_support::TRow& row : test_support::Rows("text.txt", "map")) {
    std::size_t limit = 1000;
    if (row.Size() > 5) limit = row[5] == "all" ? std::numeric_limits<std::size_t>::max() : std::stoul(row[5]);
    EXPECT_EQ(Map(row.Text(0), row[2] == "on", row.Int(3), row.Int(4), limit), test::ExpandRepeats(row[1]))
        << row.Where();
  }
}

// The cursor cases of tests/data/text.txt: moves over a text's column map (wrap off, tabs of 8), each
// check made where the cursor stands.
TEST(AttributeArray, EveryCursorCaseReadsWhatItSays) {
  for (const test_support::TRow& row : test_support::Rows("text.txt", "cursor")) {
    const std::string text = row.Text(0);
    const std::string map = Map(text);
    TEditorAttributeArray cursor;
    cursor.Reset(text, map);
    for (std::size_t i = 1; i < row.Size(); ++i) {
      const std::string name = row[i].substr(0, row[i].find('('));
      const std::vector<std::string> a = test::Arguments(row[i]);
      const std::string where = row.Where() + " word " + std::to_string(i);
      const auto n = [&a] { return std::stoi(a.at(0)); };
      const auto bytes = [&a] { return test::ParseQuoted(a.at(0), false, false).Text; };
      const std::map<std::string, std::function<void()>> words = {
          {"move", [&] { cursor.MoveTo(n()); }},
          {"fwd", [&] { cursor.StepForward(); }},
          {"back", [&] { cursor.StepBack(); }},
          {"backchar", [&] { cursor.StepBackChar(); }},
          {"col", [&] { EXPECT_EQ(cursor.Column(), n()) << where; }},
          {"bytes", [&] { EXPECT_EQ(cursor.ByteCount(), n()) << where; }},
          {"code", [&] { EXPECT_EQ(cursor.Code(), a.at(0)[0]) << where; }},
          {"char", [&] { EXPECT_EQ(cursor.CurrentChar(), bytes()) << where; }},
          {"next", [&] { EXPECT_EQ(cursor.NextChar(), bytes()) << where; }},
          {"end", [&] { EXPECT_TRUE(cursor.OnTerminator()) << where; }},
      };
      ASSERT_TRUE(words.contains(name)) << where << ": unknown word " << row[i];
      words.at(name)();
    }
  }
}

// The character-set cases of tests/data/text.txt.
TEST(InCharSet, MatchesOnlyAtCharacterBoundariesOfTheSet) {
  for (const test_support::TRow& row : test_support::Rows("text.txt", "incharset"))
    EXPECT_EQ(InCharSet(row.Text(1), row.Text(2)), row[0] == "yes") << row.Where();
}

}  // namespace
}  // namespace editor
