// The property objects on their own: one report per real change, Assign folding its changes, View
// forwarding to its scheme.
#include <gtest/gtest.h>

#include "editor/props/editor_properties.h"
#include "support/change_listener.h"

namespace editor {
namespace {

using test::TChangeListener;

TEST(EditorProps, ObjectsReportOncePerRealChange) {
  TChangeListener count;
  TEditorMargin margin;
  margin.OnChange = MethodEvent<&TChangeListener::Heard>(&count);
  margin.SetLeft(8);
  margin.SetLeft(8);
  margin.SetLeft(-1);
  margin.SetLeft(-7);  // clamps to the 0 it already holds
  EXPECT_EQ(count.Count, 2);
  TEditorMargin copy;
  copy.Assign(margin);
  margin.Assign(copy);
  EXPECT_EQ(count.Count, 2);

  TEditorMarks marks;
  marks.OnChange = MethodEvent<&TChangeListener::Heard>(&count);
  marks.RetMark().SetVisible(true);  // a mark's change is a change of Marks
  EXPECT_EQ(count.Count, 3);
  TEditorMarks other;
  other.EofMark().SetColor(1);
  other.HideMark().SetVisible(true);
  marks.Assign(other);
  EXPECT_EQ(count.Count, 4);
  EXPECT_TRUE(marks.HideMark().Visible());
  EXPECT_FALSE(marks.RetMark().Visible());

  TEditorCaret caret;
  caret.OnChange = MethodEvent<&TChangeListener::Heard>(&count);
  TEditorCaret source;
  source.SetNextLine(true);
  source.SetTabSpaceCount(4);
  source.Cursors().SetInSelCursor(5);
  caret.Assign(source);
  caret.Assign(source);
  EXPECT_EQ(count.Count, 5);
  EXPECT_EQ(caret.Cursors().InSelCursor(), 5);
}

TEST(EditorProps, ViewForwardsToItsSchemeAndReportsItsChanges) {
  TChangeListener count;
  TEditorViewInfo view;
  view.OnChange = MethodEvent<&TChangeListener::Heard>(&count);
  view.Colors().Url().SetColor(0xFF);
  view.Colors().Url().SetColor(0xFF);
  view.Fountain().SetReserveWordList({"begin"});
  EXPECT_EQ(count.Count, 2);
  view.SetQuotation("'abc");
  EXPECT_EQ(view.Quotation(), "'");
  view.SetQuotation("\x81\x75rest");  // 「 stays whole
  EXPECT_EQ(view.Quotation(), "\x81\x75");
  EXPECT_EQ(view.Fountain().Quotation(), "\x81\x75");

  TEditorViewInfo copy;
  view.Brackets().Add()->SetLeftBracket("(*");
  copy.Assign(view);
  EXPECT_TRUE(copy.SameValues(view));
  const int before = count.Count;
  view.Assign(copy);
  EXPECT_EQ(count.Count, before) << "assigning equal values reports nothing";
  copy.SetUrl(true);
  copy.SetMail(true);
  view.Assign(copy);
  EXPECT_EQ(count.Count, before + 1);
  EXPECT_TRUE(view.Url() && view.Mail());
}

}  // namespace
}  // namespace editor
