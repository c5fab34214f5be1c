// Colour schemes: defaults, the change chain up to the scheme's listeners, the bracket limit, the mass
// setters and the reserved-word list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/syntax/editor_parser.h"
#include "editor/syntax/fountain.h"
#include "support/change_listener.h"

namespace editor {
namespace {

using TListener = test::TChangeListener;

TEST(FountainColor, StartsAsTheControlsOwnColoursAndReportsOnlyRealChanges) {
  TFountainColor color;
  EXPECT_TRUE(color.Color() == 0x1FFFFFFFu && color.BkColor() == clNone && color.Style() == 0);
  TListener listener;
  color.OnChange = MethodEvent<&TListener::Heard>(&listener);
  color.SetColor(clNone);
  color.SetBkColor(clNone);
  color.SetStyle(0);
  EXPECT_EQ(listener.Count, 0);
  color.SetColor(0xFF0000);
  color.SetBkColor(0xFFFFFF);
  color.SetStyle(fsBold | fsUnderline);
  EXPECT_EQ(listener.Count, 3);
  EXPECT_EQ(listener.LastSender, &color);

  TFountainColor copy;
  copy.OnChange = MethodEvent<&TListener::Heard>(&listener);
  copy.Assign(color);
  EXPECT_EQ(listener.Count, 4) << "Assign reports all three fields at once";
  EXPECT_EQ(copy.Color(), 0xFF0000u);
  EXPECT_EQ(copy.BkColor(), 0xFFFFFFu);
  EXPECT_EQ(copy.Style(), fsBold | fsUnderline);
}

// The text of the scheme error that make() throws, or "no exception".
template <class F>
std::string ErrorOf(F make) {
  try {
    make();
  } catch (const EFountainError& error) {
    return error.what();
  }
  return "no exception";
}

TEST(FountainBrackets, TheFifteenthPairIsRefusedWithTheExactText) {
  TFountain fountain;
  for (int i = 0; i < 14; ++i) fountain.Brackets().Add();
  EXPECT_EQ(ErrorOf([&] { fountain.Brackets().Add(); }), "TFountainBracketCollection\r\nYou can not add item over 14");
  EXPECT_EQ(fountain.Brackets().Count(), 14);
}

TEST(EditorFountain, EveryChangeOfAPairOrARecordReachesTheSchemesListenersOnce) {
  TEditorFountain fountain;
  TListener listener;
  fountain.Add(MethodEvent<&TListener::Heard>(&listener));

  TFountainBracketItem* item = fountain.Brackets().Add();
  EXPECT_EQ(listener.Count, 1);
  EXPECT_EQ(listener.LastSender, &fountain);
  item->SetLeftBracket("(*");
  item->SetRightBracket("*)");
  item->SetRightBracket("*)");
  item->ItemColor().SetColor(0x00FF00);
  EXPECT_EQ(listener.Count, 4);

  // Mass setters of the editor's collection: one report, every pair changed.
  fountain.Brackets().Add()->SetLeftBracket("<<");
  listener.Count = 0;
  fountain.Brackets().SetAllColors(0x123456);
  fountain.Brackets().SetAllBkColors(0x654321);
  fountain.Brackets().SetAllStyles(fsItalic);
  EXPECT_EQ(listener.Count, 3);
  for (int i = 0; i < fountain.Brackets().Count(); ++i) {
    EXPECT_EQ(fountain.Brackets().Items(i)->ItemColor().Color(), 0x123456u);
    EXPECT_EQ(fountain.Brackets().Items(i)->ItemColor().BkColor(), 0x654321u);
    EXPECT_EQ(fountain.Brackets().Items(i)->ItemColor().Style(), fsItalic);
  }

  fountain.Brackets().Delete(0);
  EXPECT_EQ(listener.Count, 4);

  // A record's change. (Every listener hears it, and one removed no more: the notify list's cases and
  // the scheme switches of editing.txt.)
  fountain.Colors().Url().SetColor(0xFF0000);
  fountain.Colors().Reserve().SetStyle(fsBold);
  EXPECT_EQ(listener.Count, 6);
  EXPECT_EQ(listener.LastSender, &fountain);
  fountain.BeginUpdate();
  fountain.Colors().Mail().SetColor(1);
  fountain.SetUrl(true);
  fountain.Brackets().Add();
  fountain.EndUpdate();
  EXPECT_EQ(listener.Count, 7);
}

TEST(EditorFountain, AssigningPairsOrColoursCopiesEachInOneReport) {
  TEditorFountain source;
  TFountainBracketItem* item = source.Brackets().Add();
  item->SetLeftBracket("(");
  item->SetRightBracket(")");
  item->ItemColor().SetColor(7);
  source.Brackets().Add()->SetLeftBracket("[");
  source.Colors().Url().SetColor(0xFF0000);
  source.Colors().Reserve().SetBkColor(0x00FF00);
  source.Colors().Select().SetColor(3);

  TEditorFountain target;
  target.Brackets().Add()->SetLeftBracket("old");
  TListener listener;
  target.Add(MethodEvent<&TListener::Heard>(&listener));
  target.SetBrackets(source.Brackets());
  target.SetColors(source.Colors());
  EXPECT_EQ(listener.Count, 2);
  EXPECT_EQ(target.Colors().Url().Color(), 0xFF0000u);
  EXPECT_EQ(target.Reserve().BkColor(), 0x00FF00u);
  EXPECT_EQ(target.Colors().Select().Color(), 3u);
  ASSERT_EQ(target.Brackets().Count(), 2);
  EXPECT_EQ(target.Brackets().Items(0)->LeftBracket(), "(");
  EXPECT_EQ(target.Brackets().Items(0)->RightBracket(), ")");
  EXPECT_EQ(target.Brackets().Items(0)->ItemColor().Color(), 7u);
  EXPECT_EQ(target.Brackets().Items(1)->LeftBracket(), "[");
  // The copies are the target's own: changing the source leaves them alone.
  item->SetLeftBracket("{");
  EXPECT_EQ(target.Brackets().Items(0)->LeftBracket(), "(");
}

// One walk over the records: their names in published order, and the mass setters' reach (the setters walk
// ColorRecords, the list the drawing code's italic test walks too).
TEST(EditorColors, ElevenRecordsInOrderAndMassSettersChangeAllButSelectAndHitReportingOnce) {
  TEditorFountain fountain;
  TListener listener;
  fountain.Add(MethodEvent<&TListener::Heard>(&listener));

  fountain.SetAllStyles(fsItalic | fsBold);
  EXPECT_EQ(listener.Count, 1);
  fountain.SetAllColors(0x0000FF);
  fountain.SetAllBkColors(0xFFFFFF);
  EXPECT_EQ(listener.Count, 3);

  std::vector<std::string> names;
  for (const TNamedColor& record : fountain.Colors().Records()) {
    names.emplace_back(record.Name);
    const bool skipped = record.Name == "Select" || record.Name == "Hit";
    EXPECT_EQ(record.Color->Style() == (fsItalic | fsBold), !skipped) << record.Name;
    EXPECT_EQ(record.Color->Color() == 0x0000FFu, !skipped) << record.Name;
    EXPECT_EQ(record.Color->BkColor() == 0xFFFFFFu, !skipped) << record.Name;
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Ank", "Comment", "DBCS", "Hit", "Int", "Mail", "Reserve", "Select", "Str",
                                             "Symbol", "Url"}));
  // Select keeps its white on navy. (That the Reserve record is the scheme's own shows in the colour
  // cases of tokens.txt, which name a reserved word's colour by the records.)
  EXPECT_TRUE(fountain.Colors().Select().Color() == 0xFFFFFFu && fountain.Colors().Select().BkColor() == 0x800000u);
}

// Reserved words: their order is what the colour cases of tokens.txt look words up in, and setting them
// is a change that EditorProps.ViewForwardsToItsSchemeAndReportsItsChanges hears.

TEST(Fountain, PartiesAreToldWhenTheSchemeIsDestroyed) {
  TListener listener, removed;
  auto fountain = std::make_unique<TEditorFountain>();
  TObject* sender = fountain.get();
  fountain->FreeNotification(MethodEvent<&TListener::Heard>(&listener));
  fountain->FreeNotification(MethodEvent<&TListener::Heard>(&removed));
  fountain->RemoveFreeNotification(MethodEvent<&TListener::Heard>(&removed));
  fountain.reset();
  EXPECT_EQ(removed.Count, 0);
  EXPECT_EQ(listener.Count, 1);
  EXPECT_EQ(listener.LastSender, sender);
}

TEST(Fountain, FileExtensionsAreKeptSortedOnceEach) {
  TFountain fountain;
  fountain.SetFileExtList({".txt", ".PAS", ".pas", ".c"});
  EXPECT_EQ(fountain.FileExtList().size(), 3u);
  EXPECT_TRUE(fountain.HasFileExt(".TXT"));
  EXPECT_TRUE(fountain.HasFileExt(".pas"));
  EXPECT_FALSE(fountain.HasFileExt(".cpp"));
}

TEST(Fountain, NoParserWithoutASchemeClassAndTheMissingFountainError) {
  TFountain plain;
  EXPECT_EQ(plain.CreateParser(), nullptr);
  // The editor scheme's parser class is the one every editor-scheme case of tokens.txt runs.

  const std::string missing = "TFountainParser.Create need instance of TFountain";
  EXPECT_EQ(ErrorOf([] { TFountainParser base(nullptr); }), missing);
  EXPECT_EQ(ErrorOf([] { TEditorParser editorParser(nullptr); }), missing);
  // The scheme-less parser needs none: the random rows of parser_fuzz_test.cpp run through one.
}

}  // namespace
}  // namespace editor
