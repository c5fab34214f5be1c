// The row list and its packed words: held-back events, the list-index error, and each field in its own
// bits. (What Put and Exchange move is checked by the random walk of row_store_test.cpp.)
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "editor/base/strings.h"
#include "editor/text/row_attribute_string_list.h"
#include "support/case_table.h"
#include "support/change_listener.h"

namespace editor {
namespace {

TEST(TheStringList, EventsAreHeldBackUntilTheOutermostUpdateEnds) {
  TEditorStringList list;
  std::vector<std::string> log;
  test::TChangeListener changed("changed", &log), changing("changing", &log);
  list.OnChange = changed.Event();
  list.OnChanging = changing.Event();

  list.Add("a");
  EXPECT_EQ(log, (std::vector<std::string>{"changing", "changed"}));
  log.clear();

  list.BeginUpdate();
  list.BeginUpdate();
  list.Add("b");
  list.SetStrings(0, "x");
  list.Exchange(0, 1);
  list.Delete(0);
  list.EndUpdate();
  EXPECT_EQ(log, (std::vector<std::string>{"changing"}));
  list.EndUpdate();
  EXPECT_EQ(log, (std::vector<std::string>{"changing", "changed"}));
  EXPECT_EQ(list.Text(), "x\r\n");
}

TEST(TheStringList, IndexesOutsideTheListRaiseTheListIndexError) {
  TEditorStringList list;
  list.Add("a");
  try {
    list.RowAttribute(1);
    FAIL() << "no error";
  } catch (const EListError& error) {
    EXPECT_STREQ(error.what(), "List index out of bounds (1)");
  }
  EXPECT_THROW(list.SetBracketIndex(-1, 0), EListError);
  EXPECT_THROW(list.Strings(5), EListError);
  EXPECT_THROW(list.Insert(2, "x"), EListError);
  EXPECT_NO_THROW(list.Insert(1, "x"));  // Insert accepts the count itself
  EXPECT_THROW(list.Delete(2), EListError);
  EXPECT_THROW(list.Exchange(0, 2), EListError);
}

const std::map<std::string, TRowField> kFields = {
    {"RowAttribute", kRowAttributeField}, {"PrevRowAttribute", kPrevRowAttributeField},
    {"BracketIndex", kBracketIndexField}, {"ScanState1", kScanState1Field},
    {"Remain", kRemainField},             {"ScanState2", kScanState2Field},
    {"StartToken", kStartTokenField},     {"ScanState3", kScanState3Field},
    {"RowMarks", kRowMarksField}};

// The field cases of tests/data/text.txt.
TEST(RowAttributeStringList, EachFieldSitsInItsOwnBitsAndAFreshRowReadsAsNotComputed) {
  TEditorStringList list;
  list.Add("row");
  EXPECT_EQ(list.RowAttribute(0), raBreak);
  EXPECT_EQ(list.BracketIndex(0), BracketNotComputed);
  for (const test_support::TRow& row : test_support::Rows("text.txt", "field")) {
    const TRowField field = kFields.at(row[0]);
    const int value = row.Int(1);
    const auto attribute = static_cast<std::uint32_t>(row.Int(2)), second = static_cast<std::uint32_t>(row.Int(3));
    list.SetAttributeWord(0, 0);
    list.SetSecondWord(0, 0);
    list.SetField(0, field, value);
    EXPECT_EQ(list.AttributeWord(0), attribute) << row.Where();
    EXPECT_EQ(list.SecondWord(0), second) << row.Where();
    // Into words of all ones: only the field's own bits change.
    list.SetAttributeWord(0, 0xFFFFFFFFu);
    list.SetSecondWord(0, 0xFFFFFFFFu);
    list.SetField(0, field, value);
    const std::uint32_t mask = ((1u << field.Width) - 1u) << field.Shift;
    EXPECT_EQ(list.AttributeWord(0), field.Word == 0 ? (~mask | attribute) : 0xFFFFFFFFu) << row.Where();
    EXPECT_EQ(list.SecondWord(0), field.Word == 1 ? (~mask | second) : 0xFFFFFFFFu) << row.Where();
  }
}

TEST(RowAttributeStringList, TheStateRecordRoundTripsButLeavesTheRowAttribute) {
  TEditorStringList list;
  list.Add("row");
  list.SetRowAttribute(0, raWrap);
  TRowAttributeData data;
  data.RowAttribute = raEnd;  // not the tokenizer's to change
  data.PrevRowAttribute = raWrap;
  data.BracketIndex = 0;
  data.ScanState1 = 1;
  data.Remain = 255;
  data.ScanState2 = 3;
  data.StartToken = 22;
  data.ScanState3 = 4;
  data.ScanText = "state";
  list.SetRowAttributeData(0, data);

  const TRowAttributeData read = list.RowAttributeData(0);
  EXPECT_EQ(read.RowAttribute, raWrap);
  EXPECT_TRUE(SameStartState(read, data));
  EXPECT_EQ(list.BracketIndex(0), 0);
}

}  // namespace
}  // namespace editor
