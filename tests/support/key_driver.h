// A user at the keyboard for editor tests: feeds key and character events to a TEditor living in a fake
// window with a fixed-cell font and a fake clipboard, and reads back text, caret and selection.
#pragma once

#include <string>
#include <string_view>

#include "editor/control/editor.h"
#include "editor/control/editor_key.h"
#include "editor/props/editor_caret.h"
#include "editor/text/editor_screen_strings.h"
#include "editor/text/editor_wrap_option.h"
#include "support/windowed_editor.h"

namespace editor::test {

class TKeyDriver : public TWindowedEditor {
 public:
  // The note window's editor: its caret options; word wrap as asked, at wrapByte columns; ten rows.
  explicit TKeyDriver(bool wordWrap = false, int wrapByte = 20) : TWindowedEditor(10) {
    Editor.SetFocused(true);
    // The caret options the note window's form sets.
    TEditorCaret& caret = Editor.Caret();
    caret.SetFreeCaret(false);
    caret.SetNextLine(true);
    caret.SetAutoIndent(false);
    caret.SetBackSpaceUnIndent(false);
    Editor.WrapOption().SetWrapByte(wrapByte);
    Editor.SetWordWrap(wordWrap);
  }

  // Loads a text (not an edit: no undo step) and puts the caret at the start.
  TKeyDriver& Load(std::string_view text) {
    Editor.Lines().SetText(text);
    Editor.SetRow(0);
    Editor.SetCol(0);
    return *this;
  }
  // A key pressed and released, through the filter a held button or a drag sets, as the window does.
  TKeyDriver& Key(TEditorKey key, TShiftState shift = 0, bool repeat = false) {
    if (Editor.PassKeyDown(key, shift)) Editor.KeyDown(key, shift, repeat);
    if (Editor.PassKeyUp(key)) Editor.KeyUp();
    return *this;
  }
  // Types bytes one character message each, as the window delivers them (a double-byte character as
  // its lead byte, then its trail byte).
  TKeyDriver& Type(std::string_view bytes) {
    for (const char c : bytes) Char(static_cast<unsigned char>(c));
    return *this;
  }
  TKeyDriver& Char(unsigned char code, TShiftState shift = 0) {
    if (Editor.PassChar()) Editor.KeyChar(code, shift);
    return *this;
  }
  TKeyDriver& At(int row, int col) {
    Editor.SetRow(row);
    Editor.SetCol(col);
    return *this;
  }

  // The whole text, CR LF after every raBreak row.
  std::string Text() const { return Editor.ListInfo().RowsText(0, Editor.ListInfo().Count()); }
};

}  // namespace editor::test
