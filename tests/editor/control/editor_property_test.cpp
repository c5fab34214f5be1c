// Randomized edit sequences against a plain-text model: the rows stay well formed, match a full re-wrap,
// and undo and redo walk the history back and forth exactly.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "editor/control/editor.h"
#include "editor/text/editor_screen_strings.h"
#include "editor/text/editor_undo_obj.h"
#include "editor/text/editor_wrap_option.h"
#include "platform/cp932.h"
#include "support/editor_test_support.h"
#include "support/random_text.h"

namespace editor {
namespace {

using test::RowDump;

constexpr std::string_view kCrLf = "\r\n";

// The text the store keeps for a handed text: cut at its first NUL, every line break as CR LF.
std::string Stored(std::string_view text) {
  text = CutAtNul(text);
  std::string result;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      result += kCrLf;
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      result += text[i];
    }
  }
  return result;
}

// Random code page 932 text, rich in what wrapping reacts to.
class TTextGenerator : public test::TRandomText {
 public:
  using TRandomText::TRandomText;

  std::string Piece(bool allowNul) {
    static constexpr std::string_view kSpecial[] = {"\x81\x42", "\x81\x41", "\x81\x75", "\x81\x76", ",", ".", "(",
                                                    ")",        "\xA1",     "\xA4",     "\xA2",     " ", "\t"};
    switch (Below(20)) {
      case 0:
        return std::string(kCrLf);
      case 1:
        return Chance(50) ? "\r" : "\n";
      case 2:
        return std::string(Pick(kSpecial));
      case 3:
        return DoubleByte();
      case 4:  // a lone lead byte, often right before a line break or at the end
        return Chance(50) ? "\x82\r\n" : "\x82";
      case 5:
        return allowNul && Chance(20) ? std::string(1, '\0') : std::string(1, static_cast<char>(0xA6 + Below(0x3A)));
      case 6: {  // a long run, so lines wrap several times
        const std::string unit = Chance(50) ? "x" : (Chance(50) ? "\x82\xA0" : "ab ");
        return test::Repeat(unit, 20 + Below(120));
      }
      default:
        return Word(8);
    }
  }

  std::string Text(int maxPieces, bool allowNul) {
    std::string text;
    for (int i = Below(maxPieces + 1); i > 0; --i) text += Piece(allowNul);
    return text;
  }

  // New wrap settings; with tabs also a new tab width, which only a fresh load cuts rows by.
  void RandomizeWrap(TEditor& editor, bool tabs) {
    if (tabs) editor.Caret().SetTabSpaceCount(2 * (1 + Below(4)));
    TEditorWrapOption& option = editor.WrapOption();
    option.BeginUpdate();
    option.SetWrapByte(Chance(10) ? 250 : 20 + Below(80));
    option.SetFollowRetMark(Chance(30));
    option.SetFollowPunctuation(Chance(30));
    option.SetLeading(Chance(30));
    option.SetWordBreak(Chance(30));
    option.EndUpdate();
    editor.SetWordWrap(Chance(70));
  }
};

// A row's bytes, printable, for failure messages.
std::string Shown(std::string_view text) {
  std::string shown;
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 0x20 && c < 0x7F) {
      shown += static_cast<char>(c);
    } else {
      static constexpr char kHex[] = "0123456789ABCDEF";
      shown += "\\x";
      shown += kHex[c >> 4];
      shown += kHex[c & 15];
    }
  }
  return shown;
}

// The rows' own rules, whatever the text.
void ExpectRowInvariants(TEditor& editor) {
  const TEditorScreenStrings& rows = editor.ListInfo();
  const int count = rows.Count();
  const bool wrap = rows.WordWrap();
  const int wrapByte = rows.WrapOption().WrapByte();
  for (int row = 0; row < count; ++row) {
    const TRowAttribute attribute = rows.RowAttribute(row);
    const std::string& text = rows.RowText(row);
    if (row + 1 < count) {
      ASSERT_TRUE(attribute == raBreak || attribute == raWrap) << row;
    } else {
      ASSERT_TRUE(attribute == raBreak || attribute == raEnd) << row;
    }
    ASSERT_EQ(text.find_first_of("\r\n"), std::string::npos) << row;
    if (!wrap) {
      ASSERT_NE(attribute, raWrap) << row;
      continue;
    }
    std::string map;
    BuildColumnMap(text, editor.ColumnRules(), text.size() * 8 + 8, map);
    ASSERT_LE(static_cast<int>(map.size()), wrapByte + 3) << row;
    if (attribute == raWrap) {
      ASSERT_FALSE(text.empty()) << row;
      // A wrapped row never keeps the first byte of a character whose second byte went on (a lead byte
      // that ends its line has no second byte: the empty row after it holds nothing).
      std::size_t i = 0;
      while (i + 1 < text.size()) i += platform::IsLeadByte(text[i]) ? 2u : 1u;
      const bool endsWithLead = i + 1 == text.size() && platform::IsLeadByte(text[i]);
      ASSERT_FALSE(endsWithLead && !rows.RowText(row + 1).empty())
          << row << " " << Shown(text) << " / " << Shown(rows.RowText(row + 1));
    }
  }
  if (count > 0 && rows.RowAttribute(count - 1) == raEnd && rows.RowText(count - 1).empty()) {
    // An empty last row without a break only follows a row that the wrap filled exactly.
    ASSERT_GE(count, 2);
    ASSERT_EQ(rows.RowAttribute(count - 2), raWrap);
  }
  ASSERT_LE(editor.Row(), rows.CaretRowLimit());
}

// Byte offsets of the model text that rows and lines start at, read from the rows (whose text is checked
// against the model after every step).
int RowOffset(const TEditorScreenStrings& rows, int row) {
  int offset = 0;
  for (int r = 0; r < row && r < rows.Count(); ++r)
    offset += static_cast<int>(rows.RowText(r).size()) + (rows.RowAttribute(r) == raBreak ? 2 : 0);
  return offset;
}

// One random edit, applied to the editor and to the model text. Returns false when the edit was one the
// store must ignore (the model then stays as it was).
bool RandomEdit(TEditor& editor, TTextGenerator& random, std::string& model, std::string& log) {
  TEditorScreenStrings& rows = editor.ListInfo();
  TEditorStrings& lines = editor.Lines();
  const int count = rows.Count();
  switch (random.Below(8)) {
    case 0: {  // Lines.Insert
      const int lineCount = lines.Count();
      const int line = random.Below(lineCount + 1);
      const std::string s = random.Text(3, true);
      if (line == lineCount) {
        const bool open = !model.empty() && model.back() != '\n';
        model += open ? std::string(kCrLf) + Stored(s) : Stored(s) + std::string(kCrLf);
      } else {
        model.insert(static_cast<std::size_t>(RowOffset(rows, rows.LineToRow(line))), Stored(s) + std::string(kCrLf));
      }
      log += "Insert(" + std::to_string(line) + ", " + Shown(s) + ") ";
      lines.Insert(line, s);
      return true;
    }
    case 1: {  // Lines.Delete or Lines.Strings[] :=
      if (count == 0) return false;
      const int line = random.Below(lines.Count());
      const int first = rows.LineToRow(line);
      const int last = rows.LineEndRow(first);
      const int start = RowOffset(rows, first);
      const int contentEnd = RowOffset(rows, last) + static_cast<int>(rows.RowText(last).size());
      const int end = contentEnd + (rows.RowAttribute(last) == raBreak ? 2 : 0);
      if (random.Chance(50)) {
        model.erase(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
        log += "Delete(" + std::to_string(line) + ") ";
        lines.Delete(line);
      } else {
        const std::string s = random.Text(3, true);
        model.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(contentEnd - start), Stored(s));
        log += "Put(" + std::to_string(line) + ", " + Shown(s) + ") ";
        lines.SetStrings(line, s);
      }
      return true;
    }
    default: {  // ReplaceText of a few rows
      const int start = random.Below(count + 1);
      const int rowCount = random.Below(std::min(count - start, 3) + 1);
      const std::string text = random.Text(4, true);
      log += "ReplaceText(" + std::to_string(start) + ", " + std::to_string(rowCount) + ", " + Shown(text) + ") ";
      if (rowCount == 0 && CutAtNul(text).empty()) {
        rows.ReplaceText(start, rowCount, text);
        return false;
      }
      const int from = RowOffset(rows, start);
      const int to = RowOffset(rows, start + rowCount);
      model.replace(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from), Stored(text));
      rows.ReplaceText(start, rowCount, text);
      return true;
    }
  }
}

// The settings and the starting text, for failure messages.
std::string Describe(TEditor& editor) {
  const TEditorWrapOption& option = editor.WrapOption();
  return std::string("wrap ") + (editor.WordWrap() ? "on" : "off") + " " + std::to_string(option.WrapByte()) +
         (option.FollowRetMark() ? " retmark" : "") + (option.FollowPunctuation() ? " punct" : "") +
         (option.Leading() ? " leading" : "") + (option.WordBreak() ? " wordbreak" : "") + " tabs " +
         std::to_string(editor.CaretOptions().TabSpaceCount) + " text " + Shown(editor.Lines().Text()) + " | ";
}

std::string NewText(TTextGenerator& random) {
  std::string text = random.Text(12, false);
  return Stored(text);
}

// Readies an editor for a random sequence: room for every undo step, random wrap settings and a random
// starting text, which is returned as the model the edits are checked against.
std::string StartSequence(TEditor& editor, TTextGenerator& random) {
  editor.SetUndoListMax(1000);
  random.RandomizeWrap(editor, true);
  std::string model = NewText(random);
  editor.Lines().SetText(model);
  return model;
}

TEST(EditorProperties, EveryEditKeepsTheRowsWellFormedEqualToTheModelAndToAFullRewrap) {
  constexpr int kSequences = 4000;
  constexpr int kEdits = 20;
  for (int sequence = 0; sequence < kSequences; ++sequence) {
    SCOPED_TRACE("sequence " + std::to_string(sequence));
    TTextGenerator random(1000u + static_cast<std::uint32_t>(sequence));
    TEditor editor;
    std::string model = StartSequence(editor, random);
    std::string log = Describe(editor);
    for (int edit = 0; edit < kEdits; ++edit) {
      const std::size_t records = editor.ListInfo().UndoObj().UndoList().size();
      const bool recorded = RandomEdit(editor, random, model, log);
      ASSERT_EQ(editor.ListInfo().UndoObj().UndoList().size(), records + (recorded ? 1 : 0)) << log;
      ASSERT_NO_FATAL_FAILURE(ExpectRowInvariants(editor)) << log;
      ASSERT_EQ(editor.Lines().Text(), model) << log;
      ASSERT_EQ(RowDump(editor), test::FullRewrapRows(editor)) << log;
    }
  }
}

TEST(EditorProperties, UndoingEverythingRestoresTheStartAndRedoingEverythingTheEnd) {
  constexpr int kSequences = 4000;
  for (int sequence = 0; sequence < kSequences; ++sequence) {
    SCOPED_TRACE("sequence " + std::to_string(sequence));
    TTextGenerator random(500000u + static_cast<std::uint32_t>(sequence));
    TEditor editor;
    std::string model = StartSequence(editor, random);
    const std::vector<std::string> startRows = RowDump(editor);
    const std::string startText = model;
    std::string log = Describe(editor);

    // Edits with undo and redo mixed in; the model keeps its own history of texts.
    std::vector<std::string> undoTexts, redoTexts;
    for (int step = 0, edits = 6 + random.Below(20); step < edits; ++step) {
      if (random.Chance(20) && !undoTexts.empty()) {
        redoTexts.push_back(model);
        model = undoTexts.back();
        undoTexts.pop_back();
        log += "Undo ";
        editor.Undo();
      } else if (random.Chance(10) && !redoTexts.empty()) {
        undoTexts.push_back(model);
        model = redoTexts.back();
        redoTexts.pop_back();
        log += "Redo ";
        editor.Redo();
      } else {
        const std::string before = model;
        if (RandomEdit(editor, random, model, log)) {
          undoTexts.push_back(before);
          redoTexts.clear();
        }
      }
      ASSERT_NO_FATAL_FAILURE(ExpectRowInvariants(editor)) << log;
      ASSERT_EQ(editor.Lines().Text(), model) << log;
      ASSERT_EQ(editor.CanUndo(), !undoTexts.empty()) << log;
      ASSERT_EQ(editor.CanRedo(), !redoTexts.empty()) << log;
    }
    while (!redoTexts.empty()) {  // everything redone first, so the end state is the latest text
      editor.Redo();
      model = redoTexts.back();
      redoTexts.pop_back();
      undoTexts.push_back(model);
    }
    const std::vector<std::string> endRows = RowDump(editor);
    const std::string endText = editor.Lines().Text();
    ASSERT_EQ(endText, model) << log;

    while (editor.CanUndo()) editor.Undo();
    ASSERT_EQ(editor.Lines().Text(), startText) << log;
    ASSERT_EQ(RowDump(editor), startRows) << log;
    ASSERT_NO_FATAL_FAILURE(ExpectRowInvariants(editor)) << log;
    while (editor.CanRedo()) editor.Redo();
    ASSERT_EQ(editor.Lines().Text(), endText) << log;
    ASSERT_EQ(RowDump(editor), endRows) << log;
  }
}

TEST(EditorProperties, RecuttingForNewWrapSettingsKeepsTheTextAndMatchesAFullRewrap) {
  constexpr int kSequences = 2000;
  for (int sequence = 0; sequence < kSequences; ++sequence) {
    SCOPED_TRACE("sequence " + std::to_string(sequence));
    TTextGenerator random(900000u + static_cast<std::uint32_t>(sequence));
    TEditor editor;
    random.RandomizeWrap(editor, true);
    std::string model = NewText(random);
    editor.Lines().SetText(model);
    std::string log = Describe(editor);
    for (int step = 0; step < 10; ++step) {
      if (random.Chance(50)) {
        RandomEdit(editor, random, model, log);
      } else {
        random.RandomizeWrap(editor, false);
        log += "Settings(" + Describe(editor) + ") ";
      }
      ASSERT_NO_FATAL_FAILURE(ExpectRowInvariants(editor)) << log;
      ASSERT_EQ(editor.Lines().Text(), model) << log;
      ASSERT_EQ(RowDump(editor), test::FullRewrapRows(editor)) << log;
    }
  }
}

}  // namespace
}  // namespace editor
