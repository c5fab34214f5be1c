// Word wrap: where rows are cut under each line-breaking rule, and what re-cutting all rows does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/control/editor.h"
#include "editor/text/editor_screen_strings.h"
#include "editor/text/editor_undo_obj.h"
#include "editor/text/editor_wrap_option.h"
#include "support/editor_test_support.h"

namespace editor {
namespace {

using test::kA;
using test::kIdeoComma;
using test::kIdeoStop;
using test::kOpenBracket;
using test::Repeat;
using test::RowDump;
using test::RowLengths;
using Lengths = std::vector<std::size_t>;

// The note window's settings: word wrap on, WrapByte 80, every rule off.
class WrapTest : public ::testing::Test {
 protected:
  WrapTest() { editor.SetWordWrap(true); }
  Lengths Cut(const std::string& line) {
    editor.Lines().SetText(line + "\r\n");
    return RowLengths(editor.ListInfo());
  }
  TEditorWrapOption& Option() { return editor.WrapOption(); }
  TEditor editor;
};

TEST_F(WrapTest, RowsHoldUpToWrapByteColumns) {
  EXPECT_EQ(Cut(std::string(79, 'x')), (Lengths{79}));
  EXPECT_EQ(RowDump(editor), (std::vector<std::string>{std::string(79, 'x') + "|B"}));
  EXPECT_EQ(Cut(std::string(80, 'x')), (Lengths{80, 0}));
  EXPECT_EQ(RowDump(editor)[0].back(), 'W');
  EXPECT_EQ(Cut(std::string(81, 'x')), (Lengths{80, 1}));
  EXPECT_EQ(Cut(std::string(250, 'x')), (Lengths{80, 80, 80, 10}));
}

TEST_F(WrapTest, ADoubleByteCharacterIsNeverSplit) {
  EXPECT_EQ(Cut(std::string(79, 'x') + std::string(kA)), (Lengths{79, 2}));
  EXPECT_EQ(Cut(Repeat(kA, 40)), (Lengths{80, 0}));
  EXPECT_EQ(Cut("x" + Repeat(kA, 40)), (Lengths{79, 2}));
  // A lone lead byte at the end of the line stays with its line.
  EXPECT_EQ(Cut(std::string(80, 'x') + "\x82"), (Lengths{80, 1}));
}

TEST_F(WrapTest, ATabFillsOnlyToTheRowEndAndTheNextRowCountsItsOwnStops) {
  Option().SetWrapByte(75);
  editor.Lines().SetText(std::string(73, 'a') + "\t" + std::string(10, 'b') + "\tc\r\n");
  EXPECT_EQ(RowLengths(editor.ListInfo()), (Lengths{74, 12}));
  EXPECT_EQ(editor.RowWidth(0), 75);  // the tab's stop at 80 lies past the row end
  EXPECT_EQ(editor.RowWidth(1), 17);  // its tab at column 10 runs to the stop at 16
}

TEST_F(WrapTest, FollowRetMarkKeepsTheLineEndOnAFullRow) {
  Option().SetFollowRetMark(true);
  EXPECT_EQ(Cut(std::string(80, 'x')), (Lengths{80}));
  EXPECT_EQ(RowDump(editor)[0].back(), 'B');
  EXPECT_EQ(Cut(std::string(160, 'x')), (Lengths{80, 80}));
}

TEST_F(WrapTest, PunctuationHangsPastTheLimitOneCharacterAtATime) {
  Option().SetFollowPunctuation(true);
  const std::string stop(kIdeoStop);
  EXPECT_EQ(Cut(std::string(80, 'x') + stop + stop), (Lengths{82, 2}));
  // A single-byte comma and then a double-byte stop: three columns, the most a row ever grows.
  EXPECT_EQ(Cut(std::string(80, 'x') + "," + stop + "y"), (Lengths{83, 1}));
  EXPECT_EQ(Cut(std::string(80, 'x') + ",,,y"), (Lengths{82, 2}));
  Option().SetFollowPunctuation(false);
  EXPECT_EQ(Cut(std::string(80, 'x') + stop), (Lengths{80, 2}));
}

TEST_F(WrapTest, LeadingKeepsOpeningBracketsOffTheRowEnd) {
  Option().SetLeading(true);
  const std::string open(kOpenBracket);
  EXPECT_EQ(Cut(std::string(78, 'x') + open + "yyyy"), (Lengths{78, 6}));
  // A run of brackets gives up at column 64.
  EXPECT_EQ(Cut(std::string(60, 'x') + Repeat(open, 20)), (Lengths{64, 36}));
  Option().SetLeading(false);
  EXPECT_EQ(Cut(std::string(78, 'x') + open + "yyyy"), (Lengths{80, 4}));
}

TEST_F(WrapTest, LeadingCarriesAClosingMarkToTheNextRowWithTheCharacterBeforeIt) {
  Option().SetLeading(true);
  const std::string comma(kIdeoComma);
  EXPECT_EQ(Cut(std::string(80, 'x') + comma + "yyy"), (Lengths{79, 6}));
  EXPECT_EQ(Cut(std::string(80, 'x') + ")yy"), (Lengths{79, 4}));
  // Only down to column 64: a run of closing marks stops there.
  EXPECT_EQ(Cut(std::string(64, 'x') + Repeat(comma, 20)), (Lengths{64, 40}));
}

TEST_F(WrapTest, WordBreakCutsAtTheLastDelimiterButNoFurtherBackThanAThird) {
  Option().SetWordBreak(true);
  EXPECT_EQ(Cut(std::string(100, 'x')), (Lengths{26, 74}));
  EXPECT_EQ(Cut(std::string(50, 'x') + " " + std::string(49, 'y')), (Lengths{51, 49}));
  // A double-byte character is a place to break too.
  EXPECT_EQ(Cut(std::string(40, 'x') + std::string(kA) + std::string(60, 'y')), (Lengths{42, 60}));
}

TEST_F(WrapTest, WrapByteIsClampedAndAnUnchangedValueKeepsTheHistory) {
  editor.Lines().SetText("abc");
  test::Type(editor, "x");
  ASSERT_TRUE(editor.CanUndo());
  Option().SetWrapByte(80);
  EXPECT_TRUE(editor.CanUndo());
  Option().SetWrapByte(10);
  EXPECT_EQ(Option().WrapByte(), 20);
  EXPECT_FALSE(editor.CanUndo());
  Option().SetWrapByte(1000);
  EXPECT_EQ(Option().WrapByte(), 250);
}

TEST_F(WrapTest, RowsNeededCountsWhatSplitToRowsMakes) {
  TEditorScreenStrings& rows = editor.ListInfo();
  EXPECT_EQ(rows.RowsNeeded(std::string(79, 'x')), 1);
  EXPECT_EQ(rows.RowsNeeded(std::string(80, 'x')), 2);
  EXPECT_EQ(rows.RowsNeeded(std::string(161, 'x')), 3);
  Option().SetFollowRetMark(true);
  EXPECT_EQ(rows.RowsNeeded(std::string(160, 'x')), 2);
  editor.SetWordWrap(false);
  EXPECT_EQ(rows.RowsNeeded(std::string(500, 'x')), 1);
}

TEST_F(WrapTest, SplitToRowsCutsEveryLineAndAnEmptyTextIsOneEmptyRow) {
  TEditorStringList target;
  editor.ListInfo().SplitToRows("", target);
  EXPECT_EQ(RowDump(target), (std::vector<std::string>{"|B"}));
  editor.ListInfo().SplitToRows(std::string(85, 'a') + "\rb\nc\r\n", target);
  EXPECT_EQ(RowDump(target), (std::vector<std::string>{std::string(80, 'a') + "|W", "aaaaa|B", "b|B", "c|B"}));
}

// Re-cutting all rows.

TEST(WrapLines, SwitchingWrapRecutsEveryLineAndKeepsTheText) {
  TEditor editor;
  const std::string text = std::string(170, 'a') + "\r\n\r\nshort\r\n" + std::string(90, 'b');
  editor.Lines().SetText(text);
  editor.SetWordWrap(true);
  EXPECT_EQ(RowDump(editor), (std::vector<std::string>{std::string(80, 'a') + "|W", std::string(80, 'a') + "|W",
                                                       std::string(10, 'a') + "|B", "|B", "short|B",
                                                       std::string(80, 'b') + "|W", std::string(10, 'b') + "|E"}));
  EXPECT_EQ(editor.Lines().Text(), text);
  EXPECT_EQ(editor.Lines().Count(), 4);
  editor.SetWordWrap(false);
  EXPECT_EQ(RowDump(editor),
            (std::vector<std::string>{std::string(170, 'a') + "|B", "|B", "short|B", std::string(90, 'b') + "|E"}));
  EXPECT_EQ(editor.Lines().Text(), text);
}

TEST(WrapLines, AFullLastRowWithoutABreakKeepsItsEmptyEndRow) {
  TEditor editor;
  editor.Lines().SetText(std::string(80, 'a'));
  editor.SetWordWrap(true);
  EXPECT_EQ(RowDump(editor), (std::vector<std::string>{std::string(80, 'a') + "|W", "|E"}));
  EXPECT_EQ(editor.Lines().Text(), std::string(80, 'a'));
  editor.SetWordWrap(false);
  EXPECT_EQ(RowDump(editor), (std::vector<std::string>{std::string(80, 'a') + "|E"}));
}

TEST(WrapLines, MarksFollowTheirRowsAndSurplusRowsHandTheirsToTheLastNewRow) {
  TEditor editor;
  editor.Lines().SetText(std::string(190, 'a') + "\r\nb\r\n");
  editor.SetWordWrap(true);  // rows 80, 80, 30, b
  TEditorScreenStrings& rows = editor.ListInfo();
  rows.SetRowMarks(0, 1);
  rows.SetRowMarks(1, 2);
  rows.SetRowMarks(2, 4);
  rows.SetRowMarks(3, 8);
  editor.WrapOption().SetWrapByte(100);  // rows 100, 90, b
  ASSERT_EQ(RowLengths(rows), (Lengths{100, 90, 1}));
  EXPECT_EQ(rows.RowMarks(0), 1);
  EXPECT_EQ(rows.RowMarks(1), 2 | 4);
  EXPECT_EQ(rows.RowMarks(2), 8);
  editor.SetWordWrap(false);
  EXPECT_EQ(rows.RowMarks(0), 1 | 2 | 4);
  EXPECT_EQ(rows.RowMarks(1), 8);
}

TEST(WrapLines, SwitchingClearsUndoClampsTheCaretAndPutsItsColumnAtZero) {
  TEditor editor;
  editor.Lines().SetText(std::string(400, 'a') + "\r\nxyz");
  editor.SetWordWrap(true);  // five full rows, an empty one, xyz
  editor.SetRow(5);
  editor.SetCol(2);
  test::Type(editor, "!");
  ASSERT_TRUE(editor.CanUndo());
  editor.SetWordWrap(false);
  EXPECT_FALSE(editor.CanUndo());
  EXPECT_EQ(editor.Row(), 1);  // clamped to the last row of a text without a final break
  EXPECT_EQ(editor.Col(), 0);
  editor.SetWordWrap(true);
  EXPECT_EQ(editor.Row(), 1);
}

TEST(WrapLines, OptionChangesWhileWrapIsOffLeaveRowsAndHistoryAlone) {
  TEditor editor;
  editor.Lines().SetText(std::string(100, 'a'));
  test::Type(editor, "x");
  editor.WrapOption().SetWrapByte(30);
  editor.WrapOption().SetWordBreak(true);
  EXPECT_TRUE(editor.CanUndo());
  EXPECT_EQ(editor.ListInfo().Count(), 1);
}

TEST(WrapLines, AssigningOptionsRecutsOnceWithAllOfThem) {
  TEditor editor;
  editor.SetWordWrap(true);
  editor.Lines().SetText(std::string(100, 'a'));
  TEditorWrapOption options;
  options.SetWrapByte(40);
  options.SetFollowRetMark(true);
  editor.WrapOption().Assign(options);
  EXPECT_EQ(RowLengths(editor.ListInfo()), (Lengths{40, 40, 20}));
  EXPECT_TRUE(editor.WrapOption().FollowRetMark());
}

TEST(WrapOption, DefaultsAreTheStoredCodePage932Strings) {
  TEditorWrapOption option;
  EXPECT_EQ(option.WrapByte(), 80);
  EXPECT_FALSE(option.FollowRetMark() || option.FollowPunctuation() || option.Leading() || option.WordBreak());
  EXPECT_EQ(option.LeadStr(), "\x81\x69\x81\x6D\x81\x6F\x81\x75\x81\x77([{\xA2");
  EXPECT_EQ(option.PunctuationStr(), "\x81\x41\x81\x42\x81\x43\x81\x44,.\xA1\xA4");
  EXPECT_EQ(option.FollowStr().size(), 56u);
  EXPECT_EQ(option.FollowStr().substr(0, 4), "\x81\x41\x81\x42");
  EXPECT_EQ(option.FollowStr().substr(40), "!),.:;?]}\xA1\xA3\xA4\xA5\xB0\xDE\xDF");
}

}  // namespace
}  // namespace editor
