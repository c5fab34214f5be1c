// The editor's active scheme: View's own until Fountain is set, listener moved on every change, the
// property cleared when the external scheme is destroyed, start states reset each time.
#include <gtest/gtest.h>

#include <memory>

#include "editor/syntax/editor_fountain_link.h"
#include "editor/syntax/fountain.h"

namespace editor {
namespace {

struct TEditorStandIn : TObject {
  void PropertyChanged(TObject* sender) {
    ++Changes;
    LastSender = sender;
  }
  int Changes = 0;
  TObject* LastSender = nullptr;
  int Resets = 0;
};

TEST(FountainLink, TheActiveSchemeFollowsTheFountainPropertyAndItsListenerMovesAlong) {
  TEditorFountain view;
  TEditorStandIn editor;
  TEditorFountainLink link(&view, MethodEvent<&TEditorStandIn::PropertyChanged>(&editor),
                           [&editor] { ++editor.Resets; });
  EXPECT_EQ(link.ActiveFountain(), &view);
  EXPECT_EQ(link.RowStates().Fountain(), &view);
  EXPECT_EQ(link.Fountain(), nullptr);

  TEditorFountain first, second;
  link.SetFountain(&first);
  EXPECT_EQ(link.ActiveFountain(), &first);
  EXPECT_EQ(link.RowStates().Fountain(), &first);
  EXPECT_EQ(editor.Resets, 1);
  first.SetUrl(true);
  EXPECT_EQ(editor.Changes, 1);
  EXPECT_EQ(editor.LastSender, &first);

  link.SetFountain(&first);  // the same scheme again: nothing happens
  EXPECT_EQ(editor.Resets, 1);
  EXPECT_EQ(first.ListenerCount(), 1);

  link.SetFountain(&second);
  EXPECT_EQ(first.ListenerCount(), 0);
  EXPECT_EQ(second.ListenerCount(), 1);
  first.SetMail(true);
  EXPECT_EQ(editor.Changes, 1);
  second.SetMail(true);
  EXPECT_EQ(editor.Changes, 2);

  link.SetFountain(nullptr);
  EXPECT_EQ(link.ActiveFountain(), &view);
  EXPECT_EQ(second.ListenerCount(), 0);
  EXPECT_EQ(editor.Resets, 3);
}

TEST(FountainLink, DestroyingTheExternalSchemeClearsThePropertyAndResetsTheStates) {
  TEditorFountain view;
  TEditorStandIn editor;
  TEditorFountainLink link(&view, MethodEvent<&TEditorStandIn::PropertyChanged>(&editor),
                           [&editor] { ++editor.Resets; });
  auto external = std::make_unique<TEditorFountain>();
  link.SetFountain(external.get());
  external.reset();
  EXPECT_EQ(link.Fountain(), nullptr);
  EXPECT_EQ(link.ActiveFountain(), &view);
  EXPECT_EQ(link.RowStates().Fountain(), &view);
  EXPECT_EQ(editor.Resets, 2);
}

TEST(FountainLink, ALinkThatGoesFirstLeavesTheSchemeWithoutDanglingListeners) {
  TEditorFountain view;
  TEditorFountain external;
  TEditorStandIn editor;
  {
    TEditorFountainLink link(&view, MethodEvent<&TEditorStandIn::PropertyChanged>(&editor), {});
    link.SetFountain(&external);
    EXPECT_EQ(external.ListenerCount(), 1);
  }
  EXPECT_EQ(external.ListenerCount(), 0);
  external.SetUrl(true);  // would call the dead link's editor otherwise
  EXPECT_EQ(editor.Changes, 0);
}

}  // namespace
}  // namespace editor
