// A user with a mouse for editor tests: the note window's editor in a fake window, pressed, moved and
// released at the pixels of given cells (the left or right half of a cell), as the window reports them.
#pragma once

#include "app/note_editor_preset.h"
#include "editor/control/editor.h"
#include "editor/props/editor_properties.h"
#include "support/key_driver.h"

namespace editor::test {

class TMouseDriver : public TKeyDriver {
 public:
  explicit TMouseDriver(bool wordWrap = false, int wrapByte = 20) : TKeyDriver(wordWrap, wrapByte) {
    app::ApplyNoteWindowEditorSettings(Editor);
    Editor.WrapOption().SetWrapByte(wrapByte);
    Editor.SetWordWrap(wordWrap);
  }

  // A pixel inside a cell of the view: one pixel in from its left edge, or one from its right edge.
  TPoint Cell(int row, int col, bool rightHalf = false) const {
    const TEditorViewport& v = Editor.Viewport();
    const int x = v.TextLeft() + (col - v.TopCol()) * v.ColWidth() + (rightHalf ? v.ColWidth() - 2 : 1);
    return {x, v.TopMargin() + (row - v.TopRow()) * v.RowHeight() + v.RowHeight() / 2};
  }
  // A pixel in the left margin beside a row.
  TPoint Margin(int row) const {
    const TEditorViewport& v = Editor.Viewport();
    return {v.TextLeft() - 2, v.TopMargin() + (row - v.TopRow()) * v.RowHeight() + 3};
  }

  TMouseDriver& Press(TPoint p, TShiftState shift = 0) {
    Editor.MouseDown(TMouseButton::Left, shift, p.X, p.Y);
    return *this;
  }
  TMouseDriver& Move(TPoint p, TShiftState shift = 0) {
    Editor.MouseMove(shift, p.X, p.Y);
    return *this;
  }
  TMouseDriver& Release(TPoint p, TShiftState shift = 0) {
    Editor.MouseUp(TMouseButton::Left, shift, p.X, p.Y);
    return *this;
  }
};

}  // namespace editor::test
