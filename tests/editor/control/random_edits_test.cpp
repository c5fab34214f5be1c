// Random edit sequences against simple models: the row store's edits, undo, redo and new wrap settings
// against a plain text (the rows well formed and cut exactly as a full re-wrap cuts them, so a re-wrap
// that stops where a new row lines up with an old one never stops too early; undo and redo walking the
// history exactly), and sessions at the keyboard, box edits among them, whose undo leads back to the start.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/text/editor_undo_obj.h"
#include "platform/cp932.h"
#include "support/editor_test_support.h"
#include "support/key_driver.h"
#include "support/random_text.h"
#include "support/table.h"

namespace editor {
namespace {

using test::RowDump;
using test::ShowMarked;

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

// Random code page 932 text, rich in what wrapping reacts to, and random wrap settings.
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
      case 6:  // a long run, so lines wrap several times, or just a row or two of the narrowest wrap
        return test::Repeat(Chance(50) ? "x" : (Chance(50) ? "\x82\xA0" : "ab "),
                            Chance(30) ? 20 * Between(1, 2) : 20 + Below(120));
      case 7: {  // double-byte characters at odd and even places, so they reach over row ends
        std::string run;
        for (int i = Between(5, 40); i > 0; --i) run += Chance(60) ? "\x82\xA0" : "ab";
        return run;
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

  // New wrap settings; with tabs also a new tab width, which re-cuts the rows too.
  void RandomizeWrap(TEditor& editor, bool tabs) {
    if (tabs) editor.Caret().SetTabSpaceCount(2 * (1 + Below(4)));
    TEditorWrapOption& option = editor.WrapOption();
    option.BeginUpdate();
    option.SetWrapByte(Chance(10) ? 250 : 20 + Below(Chance(50) ? 21 : 80));
    option.SetFollowRetMark(Chance(30));
    option.SetFollowPunctuation(Chance(30));
    option.SetLeading(Chance(30));
    option.SetWordBreak(Chance(30));
    option.EndUpdate();
    editor.SetWordWrap(Chance(70));
  }
};

// The rows' own rules, whatever the text.
void ExpectRowInvariants(TEditor& editor) {
  const TEditorScreenStrings& rows = editor.ListInfo();
  const int count = rows.Count();
  for (int row = 0; row < count; ++row) {
    const TRowAttribute attribute = rows.RowAttribute(row);
    const std::string text(rows.RowText(row));
    ASSERT_TRUE(attribute == raBreak || attribute == (row + 1 < count ? raWrap : raEnd)) << row;
    ASSERT_EQ(text.find_first_of("\r\n"), std::string::npos) << row;
    if (!rows.WordWrap()) {
      ASSERT_NE(attribute, raWrap) << row;
      continue;
    }
    ASSERT_LE(editor.RowWidth(row), rows.WrapOption().WrapByte() + 3) << row;
    if (attribute == raWrap) {
      // A wrapped row never keeps the first byte of a character whose second byte went on.
      std::size_t i = 0;
      while (i + 1 < text.size()) i += platform::IsLeadByte(text[i]) ? 2u : 1u;
      ASSERT_FALSE(i + 1 == text.size() && platform::IsLeadByte(text[i]) && !rows.RowText(row + 1).empty()) << row;
    }
  }
  if (count > 0 && rows.RowAttribute(count - 1) == raEnd && rows.RowText(count - 1).empty()) {
    ASSERT_GE(count, 2);  // an empty last row without a break only follows a row the wrap filled exactly
    ASSERT_EQ(rows.RowAttribute(count - 2), raWrap);
  }
  ASSERT_LE(editor.Row(), rows.CaretRowLimit());
}

int RowOffset(const TEditorScreenStrings& rows, int row) {
  int offset = 0;
  for (int r = 0; r < row && r < rows.Count(); ++r)
    offset += static_cast<int>(rows.RowText(r).size()) + (rows.RowAttribute(r) == raBreak ? 2 : 0);
  return offset;
}

// One random edit through Lines, ReplaceBytes or ReplaceText, applied to the model too. False when the store must
// ignore it (the model then stays as it was).
bool RandomEdit(TEditor& editor, TTextGenerator& random, std::string& model, std::string& log) {
  TEditorScreenStrings& rows = editor.ListInfo();
  TEditorStrings& lines = editor.Lines();
  const int count = rows.Count();
  const int choice = random.Below(10);
  if (choice == 0) {  // Lines.Insert
    const int lineCount = lines.Count();
    const int line = random.Below(lineCount + 1);
    const std::string s = random.Text(3, true);
    if (line == lineCount) {
      const bool open = !model.empty() && model.back() != '\n';
      model += open ? std::string(kCrLf) + Stored(s) : Stored(s) + std::string(kCrLf);
    } else {
      model.insert(static_cast<std::size_t>(RowOffset(rows, rows.LineToRow(line))), Stored(s) + std::string(kCrLf));
    }
    log += "Insert(" + std::to_string(line) + ", " + ShowMarked({s}) + ") ";
    lines.Insert(line, s);
    return true;
  }
  if (choice == 1) {  // Lines.Delete or Lines.Strings[] :=
    if (count == 0) return false;
    const int line = random.Below(lines.Count());
    const int first = rows.LineToRow(line);
    const int last = rows.LineEndRow(first);
    const int start = RowOffset(rows, first);
    const int contentEnd = RowOffset(rows, last) + static_cast<int>(rows.RowText(last).size());
    if (random.Chance(50)) {
      const int end = contentEnd + (rows.RowAttribute(last) == raBreak ? 2 : 0);
      model.erase(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
      log += "Delete(" + std::to_string(line) + ") ";
      lines.Delete(line);
    } else {
      const std::string s = random.Text(3, true);
      model.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(contentEnd - start), Stored(s));
      log += "Put(" + std::to_string(line) + ", " + ShowMarked({s}) + ") ";
      lines.SetStrings(line, s);
    }
    return true;
  }
  if (choice < 4) {  // ReplaceBytes, as typing does: bytes at a place in one row (or the text's end)
    const int row = random.Below(count + 1);
    const int length = row < count ? static_cast<int>(rows.RowText(row).size()) : 0;
    const int index = random.Below(length + 1);
    const int removed = random.Below(length - index + 1);
    const std::string text = random.Chance(20) ? std::string(kCrLf) : random.Text(2, false);
    if (removed == 0 && text.empty()) return false;
    log += "ReplaceBytes(" + std::to_string(row) + ", " + std::to_string(index) + ", " + std::to_string(removed) +
           ", " + ShowMarked({text}) + ") ";
    const auto at = std::min(static_cast<std::size_t>(RowOffset(rows, row) + index), model.size());
    model.replace(at, static_cast<std::size_t>(removed), Stored(text));
    rows.ReplaceBytes(row, index, removed, text);
    return true;
  }
  const int start = random.Below(count + 1);
  const int rowCount = random.Below(std::min(count - start, 3) + 1);
  const std::string text = random.Text(4, true);
  log += "ReplaceText(" + std::to_string(start) + ", " + std::to_string(rowCount) + ", " + ShowMarked({text}) + ") ";
  const bool ignored = rowCount == 0 && CutAtNul(text).empty();
  if (!ignored) {
    const int from = RowOffset(rows, start);
    model.replace(static_cast<std::size_t>(from), static_cast<std::size_t>(RowOffset(rows, start + rowCount) - from),
                  Stored(text));
  }
  rows.ReplaceText(start, rowCount, text);
  return !ignored;
}

std::string Describe(TEditor& editor) {
  const TEditorWrapOption& option = editor.WrapOption();
  return std::string("wrap ") + (editor.WordWrap() ? "on " : "off ") + std::to_string(option.WrapByte()) +
         (option.FollowRetMark() ? " retmark" : "") + (option.FollowPunctuation() ? " punct" : "") +
         (option.Leading() ? " leading" : "") + (option.WordBreak() ? " wordbreak" : "") + " tabs " +
         std::to_string(editor.CaretOptions().TabSpaceCount) + " text " + ShowMarked({editor.Lines().Text()}) + " | ";
}

// Edits, undo, redo and new wrap settings: after each, the rows hold the model's text, cut as a full
// re-wrap cuts them, and each recorded edit is one undo step. A new setting that re-cuts the rows empties
// the history, which then starts again from there. At the end, undoing everything gives the start back
// and redoing everything the end.
TEST(RandomEdits, EditsUndoRedoAndNewWrapSettingsKeepTheRowsEqualToTheModelAndToAFullRewrap) {
  for (int sequence = 0; sequence < 8000; ++sequence) {
    SCOPED_TRACE("sequence " + std::to_string(sequence));
    TTextGenerator random(1000u + static_cast<std::uint32_t>(sequence));
    TEditor editor;
    // Room for every undo step, random wrap settings and a random text, which is the model too.
    editor.SetUndoListMax(1000);
    random.RandomizeWrap(editor, true);
    std::string model = Stored(random.Text(12, false));
    editor.Lines().SetText(model);
    std::vector<std::string> startRows = RowDump(editor);
    std::string startText = model;
    std::string log = Describe(editor);
    std::vector<std::string> undoTexts, redoTexts;  // the model's own history
    for (int step = 0, edits = 6 + random.Below(20); step < edits; ++step) {
      if (random.Chance(12)) {
        random.RandomizeWrap(editor, false);
        log += "Settings(" + Describe(editor) + ") ";
        if (!editor.CanUndo() && !editor.CanRedo()) {
          undoTexts.clear();
          redoTexts.clear();
          startRows = RowDump(editor);
          startText = model;
        }
      } else if (random.Chance(20) && !undoTexts.empty()) {
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
        const std::size_t records = editor.ListInfo().UndoObj().UndoList().size();
        const bool recorded = RandomEdit(editor, random, model, log);
        ASSERT_EQ(editor.ListInfo().UndoObj().UndoList().size(), records + (recorded ? 1 : 0)) << log;
        if (recorded) {
          undoTexts.push_back(before);
          redoTexts.clear();
        }
      }
      ASSERT_NO_FATAL_FAILURE(ExpectRowInvariants(editor)) << log;
      ASSERT_EQ(editor.Lines().Text(), model) << log;
      ASSERT_EQ(editor.CanUndo(), !undoTexts.empty()) << log;
      ASSERT_EQ(editor.CanRedo(), !redoTexts.empty()) << log;
      ASSERT_EQ(RowDump(editor), test::FullRewrapRows(editor)) << log;
    }
    while (editor.CanRedo()) editor.Redo();
    const std::vector<std::string> endRows = RowDump(editor);
    const std::string endText = editor.Lines().Text();
    while (editor.CanUndo()) editor.Undo();
    ASSERT_EQ(editor.Lines().Text(), startText) << log;
    ASSERT_EQ(RowDump(editor), startRows) << log;
    while (editor.CanRedo()) editor.Redo();
    ASSERT_EQ(editor.Lines().Text(), endText) << log;
    ASSERT_EQ(RowDump(editor), endRows) << log;
  }
}

// ---- sessions at the keyboard ------------------------------------------------------------------

const std::string kPieces[] = {"a", "b ", "\x82\xA0", "\x88\x9F", "\t", ",", "\x81\x42", "\xB1", "xyz"};
const std::string kPastes[] = {"p\r\nq", "\x82\xA0\x82\xA2", "\r\r\n", "lone\x82", std::string("n\0ul", 4), "\n"};
const TEditorKey kKeys[] = {TEditorKey::Left,   TEditorKey::Right,    TEditorKey::Up,
                            TEditorKey::Down,   TEditorKey::Home,     TEditorKey::End,
                            TEditorKey::PageUp, TEditorKey::PageDown, TEditorKey::Delete};

// The caret on a character boundary of its row (never past the end of a wrapped row outside box mode),
// the selected text a piece of the text, and no row starting inside a character.
void ExpectSessionInvariants(test::TKeyDriver& d, const std::string& log) {
  TEditor& e = d.Editor;
  const TEditorScreenStrings& rows = e.ListInfo();
  ASSERT_LE(e.Row(), rows.CaretRowLimit()) << log;
  const std::string map = e.RowMap(e.Row());
  if (e.Col() < static_cast<int>(map.size())) {
    ASSERT_NE(map[static_cast<std::size_t>(e.Col())], colTrail) << log;
    ASSERT_NE(map[static_cast<std::size_t>(e.Col())], colTabFill) << log;
  } else if (!e.BoxMode()) {
    ASSERT_EQ(e.Col(), static_cast<int>(map.size())) << log;
    ASSERT_FALSE(rows.WordWrap() && e.Row() < rows.Count() && rows.RowAttribute(e.Row()) == raWrap) << log;
  }
  if (!e.BoxSelected()) {
    const std::string text = d.Text();
    ASSERT_LE(e.SelStart() + e.SelLength(), e.TextLength()) << log;
    ASSERT_EQ(e.SelText(), text.substr(static_cast<std::size_t>(e.SelStart()), static_cast<std::size_t>(e.SelLength())))
        << log;
  }
  for (int row = 0; row < rows.Count(); ++row) {
    const std::string first = e.RowMap(row, 1);
    ASSERT_TRUE(first.empty() || first[0] != colTrail) << log;
  }
}

void RunSession(test::TRandomText& random, bool wordWrap) {
  test::TKeyDriver d(wordWrap, 20);
  d.Editor.SetUndoListMax(1000);
  std::string start;
  for (int i = random.Below(12); i > 0; --i) start += random.Pick(kPieces) + (random.Below(4) == 0 ? "\r\n" : "");
  d.Load(start);
  std::string log = std::string(wordWrap ? "wrap " : "") + ShowMarked({start}) + ": ";
  for (int step = 0; step < 24; ++step) {
    const int op = random.Below(18);
    if (op < 6) {
      const TEditorKey key = random.Pick(kKeys);
      const auto shift = static_cast<TShiftState>((random.Chance(33) ? ssShift : 0) | (random.Chance(25) ? ssCtrl : 0));
      d.Key(key, shift, random.Chance(20));
      log += "key " + std::to_string(static_cast<int>(key)) + "/" + std::to_string(shift) + " ";
    } else if (op < 10) {
      const std::string& piece = random.Pick(kPieces);
      d.Type(piece);
      log += "type " + ShowMarked({piece}) + " ";
    } else if (op < 12) {
      static constexpr unsigned char kControls[] = {kCharBackspace, kCharReturn, kCharTab};
      const unsigned char code = random.Pick(kControls);
      d.Char(code, random.Chance(25) ? ssShift : 0);
      log += "char " + std::to_string(code) + " ";
    } else if (op == 12) {
      d.Clipboard.SetText(random.Pick(kPastes), random.Chance(30));
      d.Editor.PasteFromClipboard();
      log += d.Clipboard.Box ? "boxpaste " : "paste ";
    } else if (op == 13) {
      d.Editor.CutToClipboard();
      log += "cut ";
    } else if (op == 14) {
      d.Editor.Undo();
      log += "undo ";
    } else if (op == 15) {
      d.Editor.ImeResult(random.Pick(kPieces));
      log += "ime ";
    } else {  // a box from the caret to a random cell
      d.Editor.SetBoxMode(random.Chance(70));
      const int row = random.Below(d.Editor.ListInfo().CaretRowLimit() + 1);
      const int col = random.Below(12);
      const TEditorViewport& v = d.Editor.Viewport();
      d.Editor.MouseDown(TMouseButton::Left, ssShift, v.TextLeft() + (col - v.TopCol()) * 8 + 1,
                         v.TopMargin() + (row - v.TopRow()) * 16 + 8);
      d.Editor.MouseUp(TMouseButton::Left, ssShift, 0, 0);
      log += std::string(d.Editor.BoxMode() ? "box" : "stream") + "(" + std::to_string(row) + "," +
             std::to_string(col) + ") ";
    }
    ExpectSessionInvariants(d, log);
    if (::testing::Test::HasFatalFailure()) return;
  }
  while (d.Editor.CanUndo()) d.Editor.Undo();
  ASSERT_EQ(d.Text(), start) << log;
}

TEST(RandomEdits, SessionsAtTheKeyboardKeepTheCaretAndSelectionWholeAndUndoToTheStart) {
  test::TRandomText random(20240605);
  for (int i = 0; i < 10000; ++i) {
    RunSession(random, i % 2 == 1);
    if (::testing::Test::HasFatalFailure()) return;
  }
}

}  // namespace
}  // namespace editor
