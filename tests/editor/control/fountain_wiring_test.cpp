// The editor's colour scheme wired to its rows: the start states the editor installs (and an editor
// without a window), their hand-over
// when editors sharing the rows go, the Fountain property cleared when the scheme goes (setting it is a
// case of editing.txt), and row repaints in every attached editor.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "editor/control/editor.h"
#include "editor/syntax/fountain.h"
#include "editor/text/editor_screen_strings.h"
#include "support/change_listener.h"
#include "support/fake_window.h"

namespace editor {
namespace {

std::string Rows(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "row " + std::to_string(i) + "\r\n";
  return text;
}

// An editor without a window: its screen is the rows it was told it shows, so start states are computed
// two of those screens down (with a window, and how InitBracketsFull changes it, are cases of editing.txt);
// it finds no cell under a point, and the top row is only stored, with no change reported.
TEST(FountainWiring, WithoutAWindowTheStatesAreComputedTwoOfItsScreensDown) {
  TEditor editor;
  test::TChangeListener topRows;
  editor.OnTopRowChange = topRows.Event();
  editor.SetVisibleRows(5);
  editor.Lines().SetText(Rows(50));
  EXPECT_TRUE(editor.ListInfo().StateComputed(10));
  EXPECT_FALSE(editor.ListInfo().StateComputed(11));
  int row = 0, index = 0;
  EXPECT_FALSE(editor.TextPosFromPoint({10, 10}, row, index));
  editor.SetTopRow(99);
  EXPECT_EQ(editor.TopRow(), 50);
  EXPECT_EQ(topRows.Count, 0);
}

TEST(FountainWiring, WhenTheFirstEditorGoesTheNextOneKeepsTheStates) {
  auto first = std::make_unique<TEditor>();
  TEditor second(*first);
  second.SetVisibleRows(100);
  first->Lines().SetText(Rows(20));
  first.reset();  // the rows must not keep the states it owned
  TEditorScreenStrings& rows = second.ListInfo();
  rows.ReplaceText(0, 1, "changed\r\n");
  rows.ResetStates();
  EXPECT_TRUE(rows.StateComputed(19));
  second.View().Brackets().Add()->SetLeftBracket("(*");
  EXPECT_TRUE(rows.StateComputed(0));
}

TEST(FountainWiring, DestroyingTheExternalFountainClearsThePropertyAndAGoneEditorLeavesNoListener) {
  TEditor editor;
  editor.Lines().SetText(Rows(5));
  auto external = std::make_unique<TEditorFountain>();
  editor.SetFountain(external.get());
  editor.ListInfo().DropStatesFrom(0);
  external.reset();
  EXPECT_EQ(editor.Fountain(), nullptr);
  EXPECT_EQ(editor.ActiveFountain(), &editor.View().Fountain());
  EXPECT_EQ(editor.TokenRowStates().Fountain(), &editor.View().Fountain());
  EXPECT_TRUE(editor.ListInfo().StateComputed(0)) << "the states were reset";
  editor.ListInfo().ReplaceText(0, 1, "x\r\n");  // computes with View's scheme, nothing dangles

  TEditorFountain scheme;
  {
    TEditor gone;
    gone.SetFountain(&scheme);
    EXPECT_EQ(scheme.ListenerCount(), 1);
  }
  EXPECT_EQ(scheme.ListenerCount(), 0);
  scheme.SetUrl(true);  // would call the gone editor otherwise
}

TEST(FountainWiring, ARowWhoseStateChangesIsRepaintedInEveryAttachedEditor) {
  test::TFakeWindow firstWindow, secondWindow;
  TEditor first;
  TEditor second(first);
  first.SetWindow(&firstWindow);
  second.SetWindow(&secondWindow);
  first.View().Brackets().Add()->SetLeftBracket("(*");
  first.View().Brackets().Items(0)->SetRightBracket("*)");
  first.Lines().SetText(Rows(10));
  firstWindow.Invalidated.clear();
  secondWindow.Invalidated.clear();
  // Opening a bracket region on row 0 changes the start state of every row after it.
  first.ListInfo().ReplaceText(0, 1, "(* open\r\n");
  const int rowTop = 2 + 16;  // row 1 of a window with the default top margin
  auto hasRow1 = [rowTop](const test::TFakeWindow& window) {
    return std::any_of(window.Invalidated.begin(), window.Invalidated.end(),
                       [rowTop](const TRect& r) { return r.Top == rowTop && r.Bottom == rowTop + 16; });
  };
  EXPECT_TRUE(hasRow1(firstWindow));
  EXPECT_TRUE(hasRow1(secondWindow));
}

}  // namespace
}  // namespace editor
