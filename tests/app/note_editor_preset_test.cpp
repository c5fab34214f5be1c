// The note window's editor preset reaches a control: the form's values, seen through the control. (That
// addresses are shown is a scenario of tests/data/note_window.txt; the selection's navy is seen on the
// picture of tests/qt/editor_widget_test.cpp.)
#include <gtest/gtest.h>

#include <string>

#include "app/note_editor_preset.h"
#include "editor/control/editor.h"
#include "editor/text/editor_screen_strings.h"
#include "editor/text/editor_wrap_option.h"
#include "support/fake_window.h"

namespace app {
namespace {

using namespace editor;

TEST(NoteWindowPreset, GivesTheFormsValues) {
  editor::test::TFakeWindow window;
  TEditor editor;
  editor.SetWindow(&window);
  editor.Lines().SetText(std::string(100, 'x') + "\r\n");
  ApplyNoteWindowEditorSettings(editor);
  EXPECT_EQ(editor.BorderStyle(), bsNone);
  EXPECT_EQ(editor.Font().Name, "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E");
  const TCaretOptions& caret = editor.CaretOptions();
  EXPECT_FALSE(caret.FreeCaret || caret.AutoIndent || caret.BackSpaceUnIndent);
  EXPECT_TRUE(caret.NextLine);
  EXPECT_EQ(editor.Caret().Cursors().DragSelCopyCursor(), 2);
  EXPECT_EQ(editor.Caret().Cursors().LeftMarginCursor(), 1);
  EXPECT_FALSE(editor.Leftbar().Edge());
  EXPECT_FALSE(editor.Ruler().Edge());
  EXPECT_FALSE(editor.Imagebar().Visible());
  EXPECT_EQ(editor.View().Colors().Url().Color(), clBlue);
  EXPECT_EQ(editor.View().Colors().Mail().BkColor(), clWhite);
  EXPECT_EQ(editor.View().Colors().Hit().Color(), clNone);
  EXPECT_EQ(editor.WrapOption().WrapByte(), 80);
  EXPECT_EQ(editor.ListInfo().Count(), 2) << "a hundred bytes wrap at 80";
  EXPECT_EQ(editor.Viewport().TextLeft(), 8);
  EXPECT_EQ(editor.VisibleCols(), 78);  // 640 pixels less the margins, in 8-pixel cells
}

}  // namespace
}  // namespace app
