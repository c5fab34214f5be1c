// Edits of the row list against a model text: after every ReplaceText, ReplaceBytes, undo and redo the
// rows hold the model's text and are cut exactly as a full re-wrap of it (the re-wrap that stops where
// a new row lines up with an old one may never stop too early), and the undo history walks the model's
// texts back and forth.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/text/editor_screen_strings.h"
#include "editor/text/editor_undo_obj.h"
#include "editor/text/editor_wrap_option.h"
#include "support/random_text.h"
#include "support/row_dump.h"

namespace editor {
namespace {

// Text pieces that make rows wrap, hang, break at words and carry double-byte characters over row ends.
std::string RandomPiece(test::TRandomText& random) {
  static const char* const kPieces[] = {"\r\n", "\r\n\r\n", "\r", "\n", " ", "\t", ",", "\x81\x42", "\x81\x75", "\xB1"};
  switch (random.Below(6)) {
    case 0:
      return random.Pick(kPieces);
    case 1:
      return random.DoubleByte();
    case 2:  // often exactly a row or two of the widths below, so a line ends where a row does
      return std::string(
          static_cast<std::size_t>(random.Chance(50) ? 20 * random.Between(1, 2) : random.Between(10, 90)), 'x');
    case 3: {
      std::string run;
      for (int i = random.Between(5, 40); i > 0; --i) run += random.Chance(60) ? "\x82\xA0" : "ab";
      return run;
    }
    default:
      return random.Word(8);
  }
}

std::string RandomText(test::TRandomText& random, int maxPieces) {
  std::string text;
  for (int i = random.Below(maxPieces + 1); i > 0; --i) text += RandomPiece(random);
  return text;
}

// The text as the rows store it: every line break as CR LF.
std::string Stored(const std::string& text) {
  std::string stored;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      stored += "\r\n";
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      stored += text[i];
    }
  }
  return stored;
}

// The offset of a row's start in the model text.
int RowOffset(const TEditorScreenStrings& rows, int row) {
  int offset = 0;
  for (int r = 0; r < row; ++r)
    offset += static_cast<int>(rows.RowText(r).size()) + (rows.RowAttribute(r) == raBreak ? 2 : 0);
  return offset;
}

void RandomizeWrap(test::TRandomText& random, TEditorScreenStrings& rows) {
  TEditorWrapOption& option = rows.WrapOption();
  option.SetWrapByte(random.Chance(50) ? 20 : random.Between(21, 40));
  option.SetWordBreak(random.Chance(25));
  option.SetFollowPunctuation(random.Chance(25));
  option.SetLeading(random.Chance(25));
  option.SetFollowRetMark(random.Chance(50));
  rows.SetWordWrap(random.Chance(80));
}

TEST(EditProperty, EveryChangeLeavesTheModelTextCutAsAFullRewrapAndUndoWalksItBack) {
  test::TRandomText random(777);
  for (int sequence = 0; sequence < 3000; ++sequence) {
    TEditorScreenStrings rows;
    rows.UndoObj().SetListMax(1000);
    RandomizeWrap(random, rows);
    std::string model = Stored(RandomText(random, 8));
    rows.LoadText(model);
    std::vector<std::string> undone{model};  // the model after each recorded change, oldest first
    std::vector<std::string> redone;
    std::string log;
    for (int step = 0; step < 30; ++step) {
      const int count = rows.Count();
      const int op = random.Below(10);
      if (op == 0 && undone.size() > 1) {
        rows.Undo();
        redone.push_back(undone.back());
        undone.pop_back();
        model = undone.back();
        log += "undo ";
      } else if (op == 1 && !redone.empty()) {
        rows.Redo();
        model = redone.back();
        redone.pop_back();
        undone.push_back(model);
        log += "redo ";
      } else if (op < 6) {
        // Typing's form: bytes at a place inside one row (or at the text's end), a few removed.
        const int row = random.Below(count + 1);
        const int length = row < count ? static_cast<int>(rows.RowText(row).size()) : 0;
        const int index = random.Below(length + 1);
        const int removed = random.Below(length - index + 1);
        const std::string text = random.Chance(20) ? "\r\n" : RandomText(random, 2);
        if (removed == 0 && text.empty()) continue;
        log += "bytes(" + std::to_string(row) + "," + std::to_string(index) + "," + std::to_string(removed) + ") ";
        const auto at =
            static_cast<std::size_t>(std::min(RowOffset(rows, row) + index, static_cast<int>(model.size())));
        model.replace(at, static_cast<std::size_t>(removed), Stored(text));
        rows.ReplaceBytes(row, index, removed, text);
        undone.push_back(model);
        redone.clear();
      } else {
        const int start = random.Below(count + 1);
        const int rowCount = random.Below(std::min(count - start, 3) + 1);
        const std::string text = RandomText(random, 3);
        if (rowCount == 0 && text.empty()) continue;
        log += "rows(" + std::to_string(start) + "," + std::to_string(rowCount) + ") ";
        const auto from = static_cast<std::size_t>(RowOffset(rows, start));
        model.replace(from, static_cast<std::size_t>(RowOffset(rows, start + rowCount)) - from, Stored(text));
        rows.ReplaceText(start, rowCount, text);
        undone.push_back(model);
        redone.clear();
      }
      ASSERT_EQ(rows.Text(), model) << "sequence " << sequence << ": " << log;
      ASSERT_EQ(test::RowDump(rows), test::FullRewrapRows(rows)) << "sequence " << sequence << ": " << log;
    }
  }
}

}  // namespace
}  // namespace editor
