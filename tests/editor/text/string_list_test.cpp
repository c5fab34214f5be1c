// The row list and its packed words: held-back events, the list-index error, and each field in its own
// bits. (What Put and Exchange move is checked by the random walk of row_store_test.cpp.)
#include <gtest/gtest.h>

#include <cstdint>
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

// One field written into a row whose words are all zeros, and into one whose words are all ones.
struct TFieldCase {
  TRowField Field;
  int Value;
  std::uint32_t Attribute;  // the words it leaves in the row of zeros
  std::uint32_t Second;
};

// BracketIndex is stored as value + 2; a value too wide for its field cannot spill into the next one.
constexpr TFieldCase kFieldCases[] = {
    {kRowAttributeField, raEnd, 0x00000002u, 0},    {kPrevRowAttributeField, raWrap, 0x00000004u, 0},
    {kBracketIndexField, 13, 0x000000F0u, 0},       {kBracketIndexField, BracketNone, 0x00000010u, 0},
    {kBracketIndexField, BracketNotComputed, 0, 0}, {kScanState1Field, 0xAB, 0x0000AB00u, 0},
    {kRemainField, 0xCD, 0x00CD0000u, 0},           {kRemainField, 0x1FF, 0x00FF0000u, 0},
    {kScanState2Field, 0xEF, 0xEF000000u, 0},       {kStartTokenField, 21, 0, 0x00000015u},
    {kScanState3Field, 0x5A, 0, 0x00005A00u},       {kRowMarksField, 0x8001, 0, 0x80010000u},
};

TEST(RowAttributeStringList, EachFieldSitsInItsOwnBitsAndAFreshRowReadsAsNotComputed) {
  TEditorStringList list;
  list.Add("row");
  EXPECT_EQ(list.RowAttribute(0), raBreak);
  EXPECT_EQ(list.BracketIndex(0), BracketNotComputed);
  for (const TFieldCase& c : kFieldCases) {
    list.SetAttributeWord(0, 0);
    list.SetSecondWord(0, 0);
    list.SetField(0, c.Field, c.Value);
    EXPECT_EQ(list.AttributeWord(0), c.Attribute) << c.Value;
    EXPECT_EQ(list.SecondWord(0), c.Second) << c.Value;
    // Into words of all ones: only the field's own bits change.
    list.SetAttributeWord(0, 0xFFFFFFFFu);
    list.SetSecondWord(0, 0xFFFFFFFFu);
    list.SetField(0, c.Field, c.Value);
    const std::uint32_t mask = ((1u << c.Field.Width) - 1u) << c.Field.Shift;
    EXPECT_EQ(list.AttributeWord(0), c.Field.Word == 0 ? (~mask | c.Attribute) : 0xFFFFFFFFu) << c.Value;
    EXPECT_EQ(list.SecondWord(0), c.Field.Word == 1 ? (~mask | c.Second) : 0xFFFFFFFFu) << c.Value;
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
