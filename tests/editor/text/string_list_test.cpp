// The row array and its packed words: growth, held-back events, field isolation and the list-index error.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/base/strings.h"
#include "editor/text/row_attribute_string_list.h"

namespace editor {
namespace {

struct TEventLog : TObject {
  void Changed(TObject*) { Log.push_back("changed"); }
  void Changing(TObject*) { Log.push_back("changing"); }
  std::vector<std::string> Log;
};

TEST(TheStringList, CapacityFollowsThePlatformGrowthRule) {
  TEditorStringList list;
  std::vector<int> capacities;
  for (int i = 0; i < 120; ++i) {
    list.Add("row");
    if (capacities.empty() || capacities.back() != list.Capacity()) capacities.push_back(list.Capacity());
  }
  EXPECT_EQ(capacities, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95, 118, 147}));
  list.SetCapacity(list.Count());
  EXPECT_EQ(list.Capacity(), 120);
  EXPECT_THROW(list.SetCapacity(119), std::out_of_range);
  list.Clear();
  EXPECT_EQ(list.Capacity(), 0);
}

TEST(TheStringList, EventsAreHeldBackUntilTheOutermostUpdateEnds) {
  TEditorStringList list;
  TEventLog log;
  list.OnChange = MethodEvent<&TEventLog::Changed>(&log);
  list.OnChanging = MethodEvent<&TEventLog::Changing>(&log);

  list.Add("a");
  EXPECT_EQ(log.Log, (std::vector<std::string>{"changing", "changed"}));
  log.Log.clear();

  list.BeginUpdate();
  list.BeginUpdate();
  list.Add("b");
  list.SetStrings(0, "x");
  list.Exchange(0, 1);
  list.Delete(0);
  list.EndUpdate();
  EXPECT_EQ(log.Log, (std::vector<std::string>{"changing"}));
  list.EndUpdate();
  EXPECT_EQ(log.Log, (std::vector<std::string>{"changing", "changed"}));
  EXPECT_EQ(list.Text(), "x\r\n");
}

TEST(TheStringList, PutChangesOnlyTheTextAndExchangeSwapsAllFiveFields) {
  TEditorStringList list;
  list.Add("first");
  list.Add("second");
  list.SetScanText(0, "scan");
  list.SetRowData(0, 7);
  list.SetAttributeWord(0, 0x12345678u);
  list.SetSecondWord(0, 0x9ABCDEF0u);

  list.SetStrings(0, "changed");
  EXPECT_EQ(list.ScanText(0), "scan");
  EXPECT_EQ(list.RowData(0), 7);
  EXPECT_EQ(list.AttributeWord(0), 0x12345678u);

  list.Exchange(0, 1);
  EXPECT_EQ(list.RowText(1), "changed");
  EXPECT_EQ(list.ScanText(1), "scan");
  EXPECT_EQ(list.RowData(1), 7);
  EXPECT_EQ(list.AttributeWord(1), 0x12345678u);
  EXPECT_EQ(list.SecondWord(1), 0x9ABCDEF0u);
  EXPECT_EQ(list.AttributeWord(0), 0u);
  EXPECT_EQ(list.ScanText(0), "");
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

TEST(RowAttributeStringList, FreshRowReadsBreakWithStateNotComputed) {
  TEditorStringList list;
  list.Add("row");
  EXPECT_EQ(list.AttributeWord(0), 0u);
  EXPECT_EQ(list.SecondWord(0), 0u);
  EXPECT_EQ(list.RowAttribute(0), raBreak);
  EXPECT_EQ(list.PrevRowAttribute(0), raBreak);
  EXPECT_EQ(list.BracketIndex(0), BracketNotComputed);
  EXPECT_FALSE(list.StateComputed(0));
  EXPECT_EQ(list.RowMarks(0), 0);
}

TEST(RowAttributeStringList, FieldsSitInTheirBitsAndWritesLeaveTheOthersAlone) {
  TEditorStringList list;
  list.Add("row");
  list.SetRowAttribute(0, raEnd);
  list.SetPrevRowAttribute(0, raWrap);
  list.SetBracketIndex(0, 13);
  list.SetScanState1(0, 0xAB);
  list.SetRemain(0, 0xCD);
  list.SetScanState2(0, 0xEF);
  EXPECT_EQ(list.AttributeWord(0), 0xEFCDAB00u | (15u << 4) | (1u << 2) | 2u);

  list.SetStartToken(0, 21);
  list.SetScanState3(0, 0x5A);
  list.SetRowMarks(0, 0x8001);
  EXPECT_EQ(list.SecondWord(0), 0x80015A15u);

  // Rewriting one field changes only its bits, in both directions.
  list.SetBracketIndex(0, -1);
  EXPECT_EQ(list.AttributeWord(0), 0xEFCDAB00u | (1u << 4) | (1u << 2) | 2u);
  list.SetAttributeWord(0, 0xFFFFFFFFu);
  list.SetRowAttribute(0, raBreak);
  EXPECT_EQ(list.AttributeWord(0), 0xFFFFFFFCu);
  list.SetRemain(0, 0);
  EXPECT_EQ(list.AttributeWord(0), 0xFF00FFFCu);
  // A value too wide for its field cannot spill into the next one.
  list.SetRemain(0, 0x1FF);
  EXPECT_EQ(list.AttributeWord(0), 0xFFFFFFFCu);
  list.SetSecondWord(0, 0);
  list.SetScanState3(0, 0xFF);
  EXPECT_EQ(list.SecondWord(0), 0x0000FF00u);
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
  EXPECT_TRUE(list.StateComputed(0));
  list.SetStateNotComputed(0);
  EXPECT_EQ(list.RowAttributeData(0).BracketIndex, -2);
  EXPECT_EQ(list.RowAttributeData(0).Remain, 255);
}

}  // namespace
}  // namespace editor
