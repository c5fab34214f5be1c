// Copy, cut and paste through the clipboard, and pasted text that could break the rows: NULs, lone
// lead bytes, mixed line breaks, a very large paste.
#include <gtest/gtest.h>

#include <string>

#include "support/editor_test_support.h"
#include "support/key_driver.h"

namespace editor {
namespace {

using test::kA;
using test::TKeyDriver;
using Pair = std::pair<int, int>;

const std::string A(kA);

// Every row: no lead byte without its partner except at a row end, and no caret-column trouble.
void ExpectRowsWhole(TEditor& editor) {
  const TEditorScreenStrings& rows = editor.ListInfo();
  for (int row = 0; row < rows.Count(); ++row) {
    const std::string map = editor.RowMap(row);
    const std::string& text = rows.RowText(row);
    EXPECT_EQ(text.find_first_of(std::string("\r\n\0", 3)), std::string::npos) << "row " << row;
    if (!map.empty()) {
      EXPECT_NE(map.front(), colTrail) << "row " << row;
    }
  }
}

TEST(Clipboard, CopyCutAndPasteMoveTheSelectedText) {
  TKeyDriver d;
  d.Load("one\r\ntwo\r\n").At(0, 1).Key(TEditorKey::Down, ssShift);
  d.Editor.CopyToClipboard();
  EXPECT_EQ(d.Clipboard.GetText(), "ne\r\nt");
  EXPECT_FALSE(d.Clipboard.HasBoxFormat());
  d.Editor.CutToClipboard();
  EXPECT_EQ(d.Text(), "owo\r\n");
  EXPECT_EQ(d.Caret(), Pair(0, 1));
  d.Key(TEditorKey::End).Editor.PasteFromClipboard();
  EXPECT_EQ(d.Text(), "owone\r\nt\r\n");
  EXPECT_EQ(d.Caret(), Pair(1, 1));
  d.Editor.Undo();
  d.Editor.Undo();
  EXPECT_EQ(d.Text(), "one\r\ntwo\r\n");
}

TEST(Clipboard, NothingSelectedOrNothingOnTheClipboardDoesNothing) {
  TKeyDriver d;
  d.Load("abc");
  d.Editor.CopyToClipboard();
  d.Editor.CutToClipboard();
  EXPECT_FALSE(d.Clipboard.HasText());
  d.Editor.PasteFromClipboard();
  d.Clipboard.SetText("", false);
  d.Editor.PasteFromClipboard();
  EXPECT_EQ(d.Text(), "abc");
  EXPECT_FALSE(d.Editor.CanUndo());
}

TEST(Clipboard, BoxModeMarksTheCopyWithThePrivateFormat) {
  TKeyDriver d;
  d.Load("abc\r\ndef\r\n").Key(TEditorKey::Down, ssShift);
  d.Editor.SetBoxMode(true);
  d.Editor.CopyToClipboard();
  EXPECT_TRUE(d.Clipboard.HasBoxFormat());
  // A box on the clipboard is pasted as a stream: no byte of it is lost.
  d.Key(TEditorKey::End, ssCtrl).Editor.PasteFromClipboard();
  EXPECT_EQ(d.Text(), "abc\r\ndef\r\nabc\r\n");
}

TEST(Clipboard, PastedTextEndsAtItsFirstNul) {
  TKeyDriver d;
  d.Load("[]").At(0, 1);
  d.Clipboard.SetText(std::string("ab\0cd", 5), false);
  d.Editor.PasteFromClipboard();
  EXPECT_EQ(d.Text(), "[ab]");
  d.Editor.SetSelTextBuf(std::string("\0x", 2));  // empty up to the NUL: deletes the (absent) selection
  d.Editor.PutText(std::string("q\0r", 3));
  EXPECT_EQ(d.Text(), "[abq]");
}

TEST(Clipboard, LoneLeadBytesNeverPairWithTheTextAroundThem) {
  TKeyDriver d;
  d.Load(A + A).At(0, 2);
  d.Clipboard.SetText("x\x82", false);  // a lead byte that ends the paste
  d.Editor.PasteFromClipboard();
  EXPECT_EQ(d.Text(), A + "x?" + A);
  d.Clipboard.SetText("\x82\r\n\xE0", false);  // before a break, and alone
  d.Editor.PasteFromClipboard();
  EXPECT_EQ(d.Text(), A + "x??\r\n?" + A);
  EXPECT_EQ(d.Caret(), Pair(1, 1));
  ExpectRowsWhole(d.Editor);
}

TEST(Clipboard, MixedLineBreaksBecomeRowsAndOffsetsCountThemAsTheyAreStored) {
  TKeyDriver d;
  d.Load("");
  d.Clipboard.SetText("a\r\r\nb\nc\rd", false);
  d.Editor.PasteFromClipboard();
  EXPECT_EQ(d.Text(), "a\r\n\r\nb\r\nc\r\nd");
  EXPECT_EQ(d.Caret(), Pair(4, 1));
  d.Editor.SelectAll();
  EXPECT_EQ(d.Sel(), Pair(0, 12));
}

TEST(Clipboard, ATenMegabytePasteKeepsEveryByteAndTheRowsWhole) {
  TKeyDriver d(true, 80);
  std::string big;
  const std::string line = "abc " + A + "def\t" + A + A + "0123456789 ";
  while (big.size() < 10u * 1024 * 1024) big += line + (big.size() % 7 == 0 ? "\r\n" : "");
  d.Load("<>").At(0, 1);
  d.Clipboard.SetText(big, false);
  d.Editor.PasteFromClipboard();
  EXPECT_EQ(d.Text(), "<" + big + ">");
  EXPECT_EQ(d.Editor.SelStart(), static_cast<int>(big.size()) + 1);
  d.Editor.Undo();
  EXPECT_EQ(d.Text(), "<>");
}

}  // namespace
}  // namespace editor
