// Random sessions at the keyboard: key commands, typed single- and double-byte characters, pastes, cuts
// and undos, with word wrap on and off, checked against the caret, selection and undo invariants.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/editor_test_support.h"
#include "support/key_driver.h"
#include "support/random_text.h"

namespace editor {
namespace {

using test::TKeyDriver;

constexpr int kSequences = 10000;
constexpr int kStepsPerSequence = 24;

const std::string kPieces[] = {"a", "b ", "\x82\xA0", "\x88\x9F", "\t", ",", "\x81\x42", "\xB1", "xyz"};
const std::string kPastes[] = {"p\r\nq", "\x82\xA0\x82\xA2", "\r\r\n", "lone\x82", std::string("n\0ul", 4), "\n"};
const TEditorKey kKeys[] = {TEditorKey::Left,   TEditorKey::Right,    TEditorKey::Up,
                            TEditorKey::Down,   TEditorKey::Home,     TEditorKey::End,
                            TEditorKey::PageUp, TEditorKey::PageDown, TEditorKey::Delete};

std::string Describe(const TKeyDriver& d) {
  return "caret (" + std::to_string(d.Editor.Row()) + "," + std::to_string(d.Editor.Col()) + ") text \"" + d.Text() +
         "\"";
}

void CheckInvariants(TKeyDriver& d, const std::string& history) {
  TEditor& editor = d.Editor;
  const TEditorScreenStrings& rows = editor.ListInfo();
  ASSERT_GE(editor.Row(), 0) << history;
  ASSERT_LE(editor.Row(), rows.CaretRowLimit()) << history;
  const std::string map = editor.RowMap(editor.Row());
  ASSERT_LE(editor.Col(), static_cast<int>(map.size())) << history << Describe(d);
  if (editor.Col() < static_cast<int>(map.size())) {
    const char code = map[static_cast<std::size_t>(editor.Col())];
    ASSERT_NE(code, colTrail) << history << Describe(d);
    ASSERT_NE(code, colTabFill) << history << Describe(d);
  }
  if (rows.WordWrap() && editor.Row() < rows.Count() && rows.RowAttribute(editor.Row()) == raWrap) {
    ASSERT_LT(editor.Col(), static_cast<int>(map.size())) << history << Describe(d);
  }
  const int start = editor.SelStart();
  const int length = editor.SelLength();
  ASSERT_GE(length, 0);
  ASSERT_LE(start + length, editor.TextLength()) << history << Describe(d);
  const std::string text = d.Text();
  ASSERT_EQ(editor.SelText(), text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length)))
      << history << Describe(d);
  // No row starts inside a double-byte character.
  for (int row = 0; row < rows.Count(); ++row) {
    const std::string rowMap = editor.RowMap(row);
    ASSERT_TRUE(rowMap.empty() || rowMap.front() != colTrail) << history << Describe(d);
  }
}

void RunSequence(test::TRandomText& random, bool wordWrap) {
  TKeyDriver d(wordWrap, 20);
  d.Editor.SetUndoListMax(1000);
  std::string start;
  const int pieces = random.Below(12);
  for (int i = 0; i < pieces; ++i) {
    start += random.Pick(kPieces);
    if (random.Below(4) == 0) start += "\r\n";
  }
  d.Load(start);
  std::string history = std::string(wordWrap ? "wrap " : "") + "start \"" + start + "\": ";
  for (int step = 0; step < kStepsPerSequence; ++step) {
    const int op = random.Below(16);
    if (op < 6) {
      const TEditorKey key = random.Pick(kKeys);
      const TShiftState shift =
          static_cast<TShiftState>((random.Below(3) == 0 ? ssShift : 0) | (random.Below(4) == 0 ? ssCtrl : 0));
      d.Key(key, shift, 1, random.Below(5) == 0);
      history += "key " + std::to_string(static_cast<int>(key)) + "/" + std::to_string(shift) + " ";
    } else if (op < 10) {
      const std::string& piece = random.Pick(kPieces);
      d.Type(piece);
      history += "type \"" + piece + "\" ";
    } else if (op < 12) {
      static constexpr unsigned char kControls[] = {kCharBackspace, kCharReturn, kCharTab};
      const unsigned char code = random.Pick(kControls);
      d.Char(code, random.Below(4) == 0 ? ssShift : 0);
      history += "char " + std::to_string(code) + " ";
    } else if (op == 12) {
      d.Clipboard.SetText(random.Pick(kPastes), false);
      d.Editor.PasteFromClipboard();
      history += "paste ";
    } else if (op == 13) {
      d.Editor.CutToClipboard();
      history += "cut ";
    } else if (op == 14) {
      d.Editor.Undo();
      history += "undo ";
    } else {
      d.Editor.ImeResult(random.Pick(kPieces));
      history += "ime ";
    }
    CheckInvariants(d, history);
    if (::testing::Test::HasFatalFailure()) return;
  }
  while (d.Editor.CanUndo()) d.Editor.Undo();
  ASSERT_EQ(d.Text(), start) << history;
}

TEST(EditProperty, RandomSessionsKeepTheCaretSelectionAndUndoInvariants) {
  // TACKNOTE_FULL_FUZZ multiplies the count for a long soak.
  const char* full = std::getenv("TACKNOTE_FULL_FUZZ");
  const int sequences = kSequences * (full && *full ? std::max(1, std::atoi(full)) : 1);
  test::TRandomText random(20240605);
  for (int i = 0; i < sequences; ++i) {
    RunSequence(random, i % 2 == 1);
    if (::testing::Test::HasFatalFailure()) return;
  }
}

}  // namespace
}  // namespace editor
