// Lines: logical-line operations, whole-text loads and the bad input the store must survive.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "editor/control/editor.h"
#include "editor/text/editor_screen_strings.h"
#include "support/editor_test_support.h"

namespace editor {
namespace {

using test::kA;
using test::RowDump;
using Dump = std::vector<std::string>;

class LinesTest : public ::testing::Test {
 protected:
  TEditorStrings& Lines() { return editor.Lines(); }
  TEditor editor;
};

TEST_F(LinesTest, TextRoundTripsWithoutATrailingEmptyRow) {
  Lines().SetText("");
  EXPECT_EQ(editor.ListInfo().Count(), 0);
  EXPECT_EQ(Lines().Count(), 0);
  EXPECT_EQ(Lines().Text(), "");

  Lines().SetText("abc");
  EXPECT_EQ(RowDump(editor), (Dump{"abc|E"}));
  EXPECT_EQ(Lines().Text(), "abc");

  Lines().SetText("abc\r\n");
  EXPECT_EQ(RowDump(editor), (Dump{"abc|B"}));
  EXPECT_EQ(Lines().Count(), 1);
  EXPECT_EQ(Lines().Text(), "abc\r\n");

  Lines().SetText("a\nb\rc");
  EXPECT_EQ(Lines().Text(), "a\r\nb\r\nc");
  Lines().SetText("\r\n\r\n");
  EXPECT_EQ(RowDump(editor), (Dump{"|B", "|B"}));
}

TEST_F(LinesTest, SettingTheTextEmptiesTheHistoryAndPutsTheCaretAtTheStart) {
  Lines().SetText("abc\r\ndef\r\n");
  editor.SetRow(1);
  editor.SetCol(2);
  test::Type(editor, "x");
  Lines().SetText("new\r\ntext\r\n");
  EXPECT_FALSE(editor.CanUndo());
  EXPECT_EQ(editor.Row(), 0);
  EXPECT_EQ(editor.Col(), 0);

  TStringList source;
  source.Add("one");
  source.Add("two");
  Lines().Assign(source);
  EXPECT_EQ(Lines().Text(), "one\r\ntwo\r\n");
  EXPECT_EQ(editor.Row(), 2);  // the virtual row after the final break
  EXPECT_EQ(editor.Col(), 0);
}

TEST_F(LinesTest, AddKeepsATextWithoutAFinalBreakWithoutOne) {
  Lines().SetText("abc");
  EXPECT_EQ(Lines().Add("x"), 1);
  EXPECT_EQ(Lines().Text(), "abc\r\nx");
  Lines().SetText("abc\r\n");
  EXPECT_EQ(Lines().Add("x"), 1);
  EXPECT_EQ(Lines().Text(), "abc\r\nx\r\n");
  EXPECT_EQ(editor.Row(), 2);
  Lines().SetText("");
  EXPECT_EQ(Lines().Add("first"), 0);
  EXPECT_EQ(Lines().Text(), "first\r\n");
}

TEST_F(LinesTest, InsertDeleteAndPutWorkOnWholeLinesAndPlaceTheCaret) {
  Lines().SetText("a\r\nb\r\nc");
  Lines().Insert(1, "new");
  EXPECT_EQ(Lines().Text(), "a\r\nnew\r\nb\r\nc");
  EXPECT_EQ(editor.Row(), 2);  // at the start of the line that moved down
  EXPECT_EQ(editor.Col(), 0);
  Lines().Insert(4, "end");  // the line count: acts as Add
  EXPECT_EQ(Lines().Text(), "a\r\nnew\r\nb\r\nc\r\nend");
  Lines().Delete(1);
  EXPECT_EQ(Lines().Text(), "a\r\nb\r\nc\r\nend");
  EXPECT_EQ(editor.Row(), 1);
  Lines().SetStrings(0, "A");
  Lines().SetStrings(3, "END");
  EXPECT_EQ(Lines().Text(), "A\r\nb\r\nc\r\nEND");
  Lines().Delete(3);
  EXPECT_EQ(Lines().Text(), "A\r\nb\r\nc\r\n");
  // Edits of lines that are not there are ignored, with word wrap off as on; reading one is an error.
  for (const bool wrap : {false, true}) {
    editor.SetWordWrap(wrap);
    Lines().SetText("A\r\nb\r\nc\r\n");
    Lines().Delete(3);
    Lines().Delete(-1);
    Lines().Insert(5, "x");
    Lines().Insert(-1, "x");
    EXPECT_EQ(Lines().Text(), "A\r\nb\r\nc\r\n");
    EXPECT_FALSE(editor.CanUndo());
  }
  EXPECT_THROW(Lines().Strings(3), EListError);
  EXPECT_THROW(Lines().SetStrings(-1, "x"), EListError);
}

TEST_F(LinesTest, WithWordWrapALineOfSeveralRowsIsOneLine) {
  editor.SetWordWrap(true);
  Lines().SetText("head\r\n" + std::string(200, 'x') + "\r\ntail\r\n");
  EXPECT_EQ(editor.ListInfo().Count(), 5);
  EXPECT_EQ(Lines().Count(), 3);
  EXPECT_EQ(Lines().Strings(1), std::string(200, 'x'));
  EXPECT_EQ(Lines().Strings(2), "tail");
  Lines().SetStrings(1, "short");
  EXPECT_EQ(RowDump(editor), (Dump{"head|B", "short|B", "tail|B"}));
  Lines().Insert(1, std::string(90, 'y'));
  EXPECT_EQ(Lines().Count(), 4);
  EXPECT_EQ(editor.Row(), 3);  // the caret went after the inserted two rows
  Lines().Delete(1);
  EXPECT_EQ(Lines().Text(), "head\r\nshort\r\ntail\r\n");
}

TEST_F(LinesTest, ChangesThroughLinesHideTheCaretOnlyWhileTheyRun) {
  Lines().BeginUpdate();
  EXPECT_TRUE(editor.CaretHidden());
  Lines().Add("x");
  Lines().BeginUpdate();
  Lines().EndUpdate();
  EXPECT_TRUE(editor.CaretHidden());
  Lines().EndUpdate();
  EXPECT_FALSE(editor.CaretHidden());
  Lines().EndUpdate();  // unmatched: harmless
  EXPECT_FALSE(editor.CaretHidden());
}

// Bad input: the store never reads past a buffer, never splits a character it can see whole, and gives
// back what it kept.

TEST_F(LinesTest, LeadBytesWithoutTheirPartnerRoundTrip) {
  for (const std::string& text :
       {std::string("abc\x82"), std::string("abc\x82\r\ndef"), std::string("\x82\n"), std::string("\x82\r\x82\r\n")}) {
    for (bool wrap : {false, true}) {
      editor.SetWordWrap(wrap);
      Lines().SetText(text);
      std::string expected;
      for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        expected += text[i] == '\r' || text[i] == '\n' ? "\r\n" : std::string(1, text[i]);
      }
      EXPECT_EQ(Lines().Text(), expected) << wrap;
    }
  }
}

TEST_F(LinesTest, ANulEndsALoadedText) {
  Lines().SetText(std::string_view("ab\x82\0cd\r\nef", 10));
  EXPECT_EQ(RowDump(editor), (Dump{"ab\x82|E"}));
  Lines().SetText(std::string_view("ab\r\n\0cd\r\nef", 11));
  EXPECT_EQ(RowDump(editor), (Dump{"ab|B"}));
  Lines().SetText(std::string_view("\0abc", 4));
  EXPECT_EQ(editor.ListInfo().Count(), 0);
}

TEST_F(LinesTest, ARowHoldingANulIsReCutWithoutLosingWhatFollows) {
  // Rows filled directly can hold any byte; an edit that re-cuts them keeps it all.
  Lines().SetText("x\r\n");
  editor.ListInfo().SetStrings(0, std::string_view("a\0b", 3));
  editor.ListInfo().ReplaceText(0, 0, "new\r\n");
  EXPECT_EQ(Lines().Text(), std::string("new\r\na\0b\r\n", 10));
}

TEST_F(LinesTest, LoneCrsAndCrCrLfBecomeOneBreakEach) {
  Lines().SetText("a\rb\r\rc\r\r\nd");
  EXPECT_EQ(Lines().Text(), "a\r\nb\r\n\r\nc\r\n\r\nd");
  EXPECT_EQ(Lines().Count(), 6);
}

TEST_F(LinesTest, AMegabyteLineLoadsWrapsAndEditsWhole) {
  std::string line;
  for (int i = 0; line.size() < (1u << 20); ++i) line += (i % 7 == 0) ? std::string(kA) : std::string("ab\t");
  Lines().SetText(line);
  EXPECT_EQ(Lines().Text(), line);
  editor.SetWordWrap(true);
  EXPECT_GT(editor.ListInfo().Count(), 10000);
  EXPECT_EQ(Lines().Text(), line);
  for (int row = 0; row + 1 < editor.ListInfo().Count(); ++row) {
    // No wrapped row ends on the first byte of a double-byte character.
    const std::string map = editor.RowMap(row);
    ASSERT_NE(map.back(), colLead) << row;
  }
  std::size_t offset = 0;
  for (int row = 0; row < 5000; ++row) offset += editor.ListInfo().RowText(row).size();
  const std::size_t replaced = editor.ListInfo().RowText(5000).size();
  editor.ListInfo().ReplaceText(5000, 1, "!");
  EXPECT_EQ(Lines().Text(), line.substr(0, offset) + "!" + line.substr(offset + replaced));
  editor.Undo();
  EXPECT_EQ(Lines().Text(), line);
}

// LoadFromFile reads in blocks of 8192 bytes.

class LoadFromFileTest : public LinesTest {
 protected:
  LoadFromFileTest()
      : path(std::filesystem::temp_directory_path() / ("tacknote_lines_" + std::to_string(::getpid()))) {}
  ~LoadFromFileTest() override { std::filesystem::remove(path); }
  void Write(const std::string& bytes) {
    std::ofstream file(path, std::ios::binary);
    file << bytes;
  }
  std::filesystem::path path;
};

TEST_F(LoadFromFileTest, ReadsLinesAcrossBlockEnds) {
  std::string bytes = std::string(8191, 'a') + "\r\n" + std::string(10000, 'b') + "\rc\n";
  Write(bytes);
  ASSERT_TRUE(Lines().LoadFromFile(path));
  EXPECT_EQ(RowDump(editor), (Dump{std::string(8191, 'a') + "|B", std::string(10000, 'b') + "|B", "c|B"}));
  Write("last line");
  ASSERT_TRUE(Lines().LoadFromFile(path));
  EXPECT_EQ(RowDump(editor), (Dump{"last line|E"}));
}

TEST_F(LoadFromFileTest, CtrlZEndsTheFileAndANulSkipsTheRestOfItsBlock) {
  Write("one\r\ntwo\x1Ahidden\r\n");
  ASSERT_TRUE(Lines().LoadFromFile(path));
  EXPECT_EQ(RowDump(editor), (Dump{"one|B", "two|E"}));
  // The NUL's block ends right before "cd": "ab" waits for the next block's first line.
  Write("ab" + std::string(1, '\0') + "skipped\r\n" + std::string(8180, 's') + "cd\r\nef");
  ASSERT_TRUE(Lines().LoadFromFile(path));
  EXPECT_EQ(RowDump(editor), (Dump{"abcd|B", "ef|E"}));
}

TEST_F(LoadFromFileTest, AFileThatCannotBeOpenedLeavesTheTextAlone) {
  Lines().SetText("keep\r\n");
  test::Type(editor, "x");
  EXPECT_FALSE(Lines().LoadFromFile(path / "missing"));
  EXPECT_EQ(Lines().Text(), "xkeep\r\n");
  EXPECT_TRUE(editor.CanUndo());
  Write("loaded\r\n");
  ASSERT_TRUE(Lines().LoadFromFile(path));
  EXPECT_FALSE(editor.CanUndo());
  editor.SetWordWrap(true);
  Write(std::string(100, 'w'));
  ASSERT_TRUE(Lines().LoadFromFile(path));
  EXPECT_EQ(RowDump(editor), (Dump{std::string(80, 'w') + "|W", std::string(20, 'w') + "|E"}));
}

}  // namespace
}  // namespace editor
