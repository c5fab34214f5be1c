// The editor's fuzz property, shared by the fuzz target and the test that makes its seeds: the note
// window's editor, driven by keys, typed characters, input-method results, pastes, cuts, box edits, undo,
// redo and wrap changes, against a model of its text. Plain edits must change the text exactly as the
// model says; box edits, which the model does not follow, must keep every double-byte character whole;
// undo and redo must only ever give back texts the editor held before; and the rows must always be the
// ones a fresh load of the text gives.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "app/note_editor_preset.h"
#include "editor/control/editor.h"
#include "editor/control/editor_key.h"
#include "editor/text/editor_screen_strings.h"
#include "editor/text/editor_wrap_option.h"
#include "platform/cp932.h"
#include "program.h"
#include "support/editor_test_support.h"
#include "support/windowed_editor.h"

namespace fuzz {

namespace detail {

// Whole characters only: single bytes, full-width ones, a half-width kana and two line breaks.
inline constexpr std::array<std::string_view, 10> kPieces = {
    "a", "b ", "xyz", ",", "\x82\xA0", "\x88\x9F", "\x81\x42", "\xB1", "http://a.jp ", "x@y.jp"};
inline constexpr std::array<editor::TEditorKey, 9> kKeys = {
    editor::TEditorKey::Left,   editor::TEditorKey::Right,    editor::TEditorKey::Up,
    editor::TEditorKey::Down,   editor::TEditorKey::Home,     editor::TEditorKey::End,
    editor::TEditorKey::PageUp, editor::TEditorKey::PageDown, editor::TEditorKey::Delete};

// The length of the character at `at`: CR LF and a double-byte character are two bytes.
inline std::size_t CharLength(std::string_view text, std::size_t at) {
  if (at + 1 < text.size() &&
      (text.substr(at, 2) == "\r\n" || platform::IsLeadByte(static_cast<unsigned char>(text[at]))))
    return 2;
  return 1;
}

// The start of the character that ends at `end`.
inline std::size_t PreviousChar(std::string_view text, std::size_t end) {
  std::size_t at = 0;
  std::size_t last = 0;
  while (at < end) {
    last = at;
    at += CharLength(text, at);
  }
  return last;
}

// The text as the model expects it after an edit: the selection (or, with `erase`, the character before or
// after the caret when nothing is selected) replaced by `insert`.
struct TModelEdit {
  std::string_view Insert;
  int Erase = 0;  // -1 the character before the caret, 1 the one after it, 0 none
};

inline std::string Apply(const std::string& text, int selStart, int selLength, const TModelEdit& edit) {
  auto start = static_cast<std::size_t>(selStart);
  std::size_t length = static_cast<std::size_t>(selLength);
  if (length == 0 && edit.Erase < 0 && start > 0) {
    const std::size_t previous = PreviousChar(text, start);
    length = start - previous;
    start = previous;
  } else if (length == 0 && edit.Erase > 0 && start < text.size()) {
    length = CharLength(text, start);
  }
  return text.substr(0, start) + std::string(edit.Insert) + text.substr(start + length);
}

// Every lead byte followed by a trail byte: an edit never splits a character.
inline bool WholeCharacters(std::string_view text) {
  for (std::size_t at = 0; at < text.size(); at += CharLength(text, at)) {
    if (platform::IsLeadByte(static_cast<unsigned char>(text[at])) &&
        (at + 1 >= text.size() || static_cast<unsigned char>(text[at + 1]) < 0x40))
      return false;
  }
  return true;
}

// The texts the editor held, in order, and where undo and redo stand among them.
class THistory {
 public:
  explicit THistory(std::string start) : FTexts{std::move(start)} {}
  const std::string& Current() const { return FTexts[FAt]; }
  // A new text ends every redo.
  void Edited(const std::string& text) {
    if (text == Current()) return;
    FTexts.resize(FAt + 1);
    FTexts.push_back(text);
    ++FAt;
  }
  // An undo goes back to a text held before (the latest such), a redo forward (the nearest).
  bool Undone(const std::string& text) {
    for (std::size_t i = FAt + 1; i-- > 0;) {
      if (FTexts[i] == text) {
        FAt = i;
        return true;
      }
    }
    return false;
  }
  bool Redone(const std::string& text) {
    for (std::size_t i = FAt; i < FTexts.size(); ++i) {
      if (FTexts[i] == text) {
        FAt = i;
        return true;
      }
    }
    return false;
  }
  // An edit that left the text as it was (a box typed over with the same characters) still ends every redo.
  void RedoDropped() { FTexts.resize(FAt + 1); }
  const std::string& First() const { return FTexts.front(); }
  const std::string& Last() const { return FTexts.back(); }

 private:
  std::vector<std::string> FTexts;
  std::size_t FAt = 0;
};

// The rules every state of the editor keeps; empty when they hold. The rows are compared with a fresh
// load's only after a step that may have changed them (a fresh load costs more than the step).
inline std::string CheckState(editor::TEditor& editor, const std::string& text, bool rowsMayHaveChanged) {
  if (editor.Lines().Text() != text) return "the text is not the model's";
  if (!WholeCharacters(text)) return "a double-byte character was split";
  if (rowsMayHaveChanged && editor::test::RowDump(editor) != editor::test::FullRewrapRows(editor))
    return "the rows differ from a fresh load of the text";
  const editor::TEditorScreenStrings& rows = editor.ListInfo();
  if (editor.Row() < 0 || editor.Row() > rows.CaretRowLimit()) return "the caret left the rows";
  const std::string map = editor.RowMap(editor.Row());
  if (editor.Col() > static_cast<int>(map.size())) return "the caret is past the end of its row";
  if (editor.Col() < static_cast<int>(map.size())) {
    const char code = map[static_cast<std::size_t>(editor.Col())];
    if (code == editor::colTrail || code == editor::colTabFill) return "the caret is inside a character";
  }
  if (editor.BoxMode()) return {};
  const int start = editor.SelStart();
  const int length = editor.SelLength();
  if (start < 0 || length < 0 || start + length > static_cast<int>(text.size())) return "the selection left the text";
  if (editor.SelText() != text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length)))
    return "the selected text is not the text at the selection";
  return {};
}

}  // namespace detail

// Empty when the property holds for `bytes`, else what broke and at which step. With `trace`, each step's
// action and the text after it are written there, to follow a failing input.
inline std::string CheckEditor(std::string_view bytes, std::string* trace = nullptr) {
  using editor::TEditorKey;
  TProgram program(bytes);
  editor::test::TWindowedEditor windowed(program.Below(12) + 1);
  editor::TEditor& editor = windowed.Editor;
  app::ApplyNoteWindowEditorSettings(editor);
  editor.SetFocused(true);
  editor.SetUndoListMax(100000);
  editor.WrapOption().SetWrapByte(program.Below(40) + 20);
  editor.SetWordWrap((program.Next() & 1) != 0);
  std::string start;
  for (int pieces = program.Below(12); pieces > 0; --pieces) {
    start += program.Pick(detail::kPieces);
    if (program.Below(3u) == 0) start += "\r\n";
  }
  editor.Lines().SetText(start);
  detail::THistory history(start);
  auto piece = [&program] { return program.Pick(detail::kPieces); };

  for (int step = 0; step < 24 && !program.AtEnd(); ++step) {
    const std::string before = history.Current();
    const int selStart = editor.SelStart();
    const int selLength = editor.SelLength();
    auto expect = [&](detail::TModelEdit edit) { return detail::Apply(before, selStart, selLength, edit); };
    // The texts the step goes through, each an undo step of its own: a selection typed or pasted over goes
    // first, and typing inserts one character at a time.
    std::vector<std::string> steps;
    auto replaceSelection = [&](std::string_view insert, bool perCharacter) {
      if (selLength > 0) steps.push_back(expect({""}));
      if (!perCharacter) {
        steps.push_back(expect({insert}));
        return;
      }
      for (std::size_t at = 0; at < insert.size(); at += detail::CharLength(insert, at))
        steps.push_back(expect({insert.substr(0, at + detail::CharLength(insert, at))}));
    };
    const unsigned action = program.Below(12u);
    if (action <= 2) {  // a key, with or without Shift and Ctrl
      const TEditorKey key = program.Pick(detail::kKeys);
      const unsigned how = program.Next();
      editor::TShiftState modifiers = 0;
      if (how & 1) modifiers |= editor::ssShift;
      if (how & 2) modifiers |= editor::ssCtrl;
      editor.KeyDown(key, modifiers, (how & 4) != 0);
      editor.KeyUp();
      if (key == TEditorKey::Delete) steps.push_back(expect({"", 1}));
    } else if (action == 3) {  // a piece typed character by character
      const std::string_view typed = piece();
      for (const char c : typed) editor.KeyChar(static_cast<unsigned char>(c));
      replaceSelection(typed, true);
    } else if (action == 4) {
      const bool back = (program.Next() & 1) != 0;
      editor.KeyChar(back ? editor::kCharBackspace : editor::kCharReturn);
      if (back) {
        steps.push_back(expect({"", -1}));
      } else {
        replaceSelection("\r\n", false);
      }
    } else if (action == 5) {  // an input-method result and the character messages that repeat it
      const std::string_view result = piece();
      editor.ImeResult(result);
      for (const char c : result) editor.KeyChar(static_cast<unsigned char>(c));
      replaceSelection(result, false);
    } else if (action == 6) {  // a paste of plain text, line breaks included
      std::string pasted(piece());
      if (program.Next() & 1) pasted += "\r\n" + std::string(piece());
      windowed.Clipboard.SetText(pasted, false);
      editor.PasteFromClipboard();
      replaceSelection(pasted, false);
    } else if (action == 7) {
      editor.CutToClipboard();
      steps.push_back(expect({""}));
      if (selLength > 0 && windowed.Clipboard.Text !=
                               before.substr(static_cast<std::size_t>(selStart), static_cast<std::size_t>(selLength)))
        return "a cut put other text on the clipboard at step " + std::to_string(step);
    } else if (action == 8) {  // a box: selected with Shift and the arrows, then cut, copied, pasted or typed over
      editor.SetBoxMode(true);
      editor.SetModified(false);  // tells afterwards whether the edit recorded anything, even a text as it was
      for (int moves = program.Below(4) + 1; moves > 0; --moves) {
        editor.KeyDown(detail::kKeys[program.Below(4u)], editor::ssShift, false);
        editor.KeyUp();
      }
      switch (program.Below(4u)) {
        case 0:
          editor.CutToClipboard();
          break;
        case 1:
          editor.CopyToClipboard();
          break;
        case 2:
          editor.PasteFromClipboard();
          break;
        default:
          for (const char c : piece()) editor.KeyChar(static_cast<unsigned char>(c));
          break;
      }
      editor.SetBoxMode(false);
      editor.CleanSelection();
      // The model does not follow box edits, but their undo steps must lead back to the text before them
      // and their redo steps forward again: walking them both ways gives the texts it went through.
      const std::string after = editor.Lines().Text();
      std::vector<std::string> undone;
      while ((editor.Lines().Text() != before || (editor.Modified() && undone.empty())) && editor.CanUndo()) {
        editor.Undo();
        undone.push_back(editor.Lines().Text());
      }
      if (editor.Lines().Text() != before) return "undoing a box edit does not give the text before it back";
      for (std::size_t i = 0; i < undone.size(); ++i) editor.Redo();
      if (editor.Lines().Text() != after) return "redoing a box edit does not give its text back";
      for (std::size_t i = undone.size(); i-- > 1;) steps.push_back(undone[i - 1]);
      steps.push_back(after);
    } else if (action == 9) {
      const bool undo = (program.Next() & 1) != 0;
      undo ? editor.Undo() : editor.Redo();
      const std::string now = editor.Lines().Text();
      if (!(undo ? history.Undone(now) : history.Redone(now)))
        return std::string(undo ? "an undo" : "a redo") + " gave a text the editor never held, at step " +
               std::to_string(step);
    } else if (action == 10) {
      editor.SelectAll();
    } else {  // the window resized, or word wrap switched
      if (program.Next() & 1) {
        editor.WrapOption().SetWrapByte(program.Below(40) + 20);
      } else {
        editor.SetWordWrap(!editor.WordWrap());
      }
    }
    for (const std::string& text : steps) history.Edited(text);
    if (action != 9 && !editor.CanRedo()) history.RedoDropped();
    const std::string expected = history.Current();
    // A change of the wrap re-cuts every row, which ends the undo history: it starts again from here.
    if (action == 11 && !editor.CanUndo() && !editor.CanRedo()) history = detail::THistory(expected);
    if (trace) *trace += std::to_string(step) + ": action " + std::to_string(action) + " -> \"" + expected + "\"\n";
    const bool rowsMayHaveChanged = expected != before || action == 8 || action == 9 || action == 11;
    if (const std::string broken = detail::CheckState(editor, expected, rowsMayHaveChanged); !broken.empty())
      return broken + " after step " + std::to_string(step) + " (action " + std::to_string(action) + ")";
  }
  // Undoing everything gives the text the session started with, redoing everything the last one edited.
  while (editor.CanUndo()) {
    editor.Undo();
    if (trace) *trace += "undo -> \"" + editor.Lines().Text() + "\"\n";
  }
  if (editor.Lines().Text() != history.First()) return "undoing everything does not give the first text back";
  while (editor.CanRedo()) {
    editor.Redo();
    if (trace) *trace += "redo -> \"" + editor.Lines().Text() + "\"\n";
  }
  if (editor.Lines().Text() != history.Last()) return "redoing everything does not give the last text back";
  return {};
}

}  // namespace fuzz
