// Column maps, the cursor over them, the delimiter set and character-boundary membership.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "editor/text/column_map.h"
#include "support/case_table.h"
#include "support/editor_test_support.h"

namespace editor {
namespace {

using test::kA;

std::string Map(std::string_view text, bool wordWrap = false, int wrapByte = 80, int tabs = 8,
                std::size_t limit = 1000) {
  TColumnRules rules;
  rules.WordWrap = wordWrap;
  rules.WrapByte = wrapByte;
  rules.TabSpaceCount = tabs;
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
  for (const test_support::TRow& row : test_support::Rows("text.txt", "map"))
    EXPECT_EQ(Map(row.Text(0), row[2] == "on", row.Int(3), row.Int(4)), row[1]) << row.Where();
}

TEST(ColumnMap, StopsOnceItHoldsEnoughColumns) {
  const std::string line(1 << 20, 'x');  // a 1 MB line costs only the columns asked for
  EXPECT_EQ(Map(line, true, 80, 8, 83).size(), 83u);
  EXPECT_EQ(Map(line, false, 80, 8, 1000).size(), 1000u);
  // No limit at all: the whole text.
  EXPECT_EQ(Map("a\tb", false, 80, 8, std::numeric_limits<std::size_t>::max()), "123333331");
  // A double-byte character is never cut in half by the limit.
  EXPECT_EQ(Map(test::Repeat(kA, 10), true, 80, 8, 5).size(), 6u);
}

TEST(AttributeArray, ByteCountSkipsFillColumnsAndStepsBackExactly) {
  const std::string text = "a\t" + std::string(kA) + "b";
  const std::string map = Map(text);  // 1 2333333 45 1
  TEditorAttributeArray cursor;
  cursor.Reset(text, map);
  EXPECT_EQ(cursor.Column(), 1);
  EXPECT_EQ(cursor.ByteCount(), 1);
  EXPECT_EQ(cursor.CurrentChar(), "a");
  EXPECT_EQ(cursor.NextChar(), "\t");
  EXPECT_EQ(cursor.Column(), 1);

  cursor.MoveTo(8);
  EXPECT_EQ(cursor.Code(), colTabFill);
  EXPECT_EQ(cursor.ByteCount(), 2);
  EXPECT_EQ(cursor.CurrentChar(), "\t");
  EXPECT_EQ(cursor.NextChar(), kA);
  cursor.StepForward();
  EXPECT_EQ(cursor.Code(), colLead);
  EXPECT_EQ(cursor.CurrentChar(), kA);
  cursor.StepForward();
  EXPECT_EQ(cursor.Code(), colTrail);
  EXPECT_EQ(cursor.ByteCount(), 4);
  EXPECT_EQ(cursor.CurrentChar(), kA);
  cursor.StepForward();
  cursor.StepForward();
  EXPECT_TRUE(cursor.OnTerminator());
  EXPECT_EQ(cursor.CurrentChar(), "");
  EXPECT_EQ(cursor.NextChar(), "");
  cursor.StepForward();  // stays on the terminator
  EXPECT_EQ(cursor.Column(), 12);

  // Every step back undoes a step forward.
  for (int column = 11; column >= 1; --column) {
    cursor.StepBack();
    TEditorAttributeArray fresh;
    fresh.Reset(text, map);
    fresh.MoveTo(column);
    EXPECT_EQ(cursor.ByteCount(), fresh.ByteCount()) << column;
  }
  cursor.StepBack();
  EXPECT_EQ(cursor.Column(), 1);

  cursor.MoveTo(11);
  cursor.StepBackChar();  // off "b", onto the end of the double-byte character
  EXPECT_EQ(cursor.Column(), 10);
  cursor.StepBackChar();  // over both of its columns
  EXPECT_EQ(cursor.Column(), 8);
}

// The character-set cases of tests/data/text.txt.
TEST(InCharSet, MatchesOnlyAtCharacterBoundariesOfTheSet) {
  for (const test_support::TRow& row : test_support::Rows("text.txt", "incharset"))
    EXPECT_EQ(InCharSet(row.Text(1), row.Text(2)), row[0] == "yes") << row.Where();
}

}  // namespace
}  // namespace editor
