// The property objects on their own: a setter reports only a real change, a contained object's change
// is its container's, Assign copies everything and reports once, View forwards to its scheme. (The
// margin's, and a colour of View's scheme set twice, seen as the control's repaints, are cases of
// editing.txt.)
#include <gtest/gtest.h>

#include "editor/props/editor_properties.h"
#include "support/change_listener.h"

namespace editor {
namespace {

using test::TChangeListener;

TEST(EditorProps, SettersReportRealChangesAndAssignReportsOnce) {
  TChangeListener count;
  TEditorMarks marks;
  marks.OnChange = count.Event();
  marks.RetMark().SetVisible(true);  // a mark's change is a change of Marks
  EXPECT_EQ(count.Count, 1);
  TEditorMarks other;
  other.EofMark().SetColor(1);
  other.HideMark().SetVisible(true);
  marks.Assign(other);
  EXPECT_EQ(count.Count, 2) << "five marks copied, one report";
  EXPECT_TRUE(marks.HideMark().Visible());
  EXPECT_FALSE(marks.RetMark().Visible());

  TEditorCaret caret;
  caret.OnChange = count.Event();
  TEditorCaret source;
  source.SetTabSpaceCount(4);
  source.Cursors().SetInSelCursor(5);
  caret.Assign(source);
  EXPECT_EQ(count.Count, 3);
  EXPECT_EQ(caret.Cursors().InSelCursor(), 5);
  EXPECT_EQ(caret.TabSpaceCount(), 4);
}

TEST(EditorProps, ViewForwardsToItsSchemeAndReportsItsChanges) {
  TChangeListener count;
  TEditorViewInfo view;
  view.OnChange = count.Event();
  view.Fountain().SetReserveWordList({"begin"});
  EXPECT_EQ(count.Count, 1);
  view.SetQuotation("'abc");
  EXPECT_EQ(view.Quotation(), "'");
  view.SetQuotation("\x81\x75rest");  // 「 stays whole
  EXPECT_EQ(view.Fountain().Quotation(), "\x81\x75");

  TEditorViewInfo copy;
  view.Brackets().Add()->SetLeftBracket("(*");
  copy.SetUrl(true);
  copy.SetMail(true);
  const int before = count.Count;
  view.Assign(copy);
  EXPECT_EQ(count.Count, before + 1);
  EXPECT_TRUE(view.Url() && view.Mail());
  EXPECT_EQ(view.Brackets().Count(), 0);
  EXPECT_EQ(view.Quotation(), "");
  view.Assign(view);
  EXPECT_EQ(count.Count, before + 2);
}

}  // namespace
}  // namespace editor
