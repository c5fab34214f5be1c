// The note window's editor settings: the values its form gives every published property.
#include "app/note_editor_preset.h"

#include "editor/control/editor.h"
#include "editor/props/editor_properties.h"
#include "editor/text/editor_wrap_option.h"

namespace app {

using namespace editor;

namespace {

// "ＭＳ ゴシック" in code page 932, at 13 pixels (10 points).
constexpr std::string_view kNoteFontName = "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E";
constexpr int kNoteFontSize = 10;

// The note window's cursor indices: 1 and 2 are not registered, so those states show the default arrow.
constexpr TCursorIndices kNoteCursors{crIBeam, crDrag, 2, crDefault, 1, crDefault};

constexpr TCaretOptions kNoteCaret{
    .AutoCursor = true,
    .AutoIndent = false,
    .BackSpaceUnIndent = false,
    .FreeCaret = false,
    .FreeRow = false,
    .InTab = false,
    .KeepCaret = false,
    .LockScroll = false,
    .NextLine = true,
    .PrevSpaceIndent = false,
    .RowSelect = true,
    .SelDragMode = dmAutomatic,
    .SelMove = true,
    .SoftTab = false,
    .Style = csDefault,
    .TabIndent = false,
    .TabSpaceCount = 8,
    .TokenEndStop = false,
};

constexpr TLeftbarValues kNoteLeftbar{clSilver, clBlack, 4, false, 8, 4, true, nmRow, false, false, false};
constexpr TRulerValues kNoteRuler{clSilver, clBlack, false, 10, clBlack, false};
constexpr TImagebarValues kNoteImagebar{8, 2, 0, 2, false};

// Margin: Character, Left, Line, Top.
constexpr int kNoteMargin[] = {0, 8, 0, 2};

void NoteWindowView(TEditorViewInfo& view) {
  view.Brackets().Clear();
  view.SetControlCode(false);
  view.SetMail(true);
  view.SetUrl(true);
  for (const TNamedColor& record : view.Colors().Records()) {
    record.Color->SetColor(clNone);
    record.Color->SetBkColor(clNone);
    record.Color->SetStyle(0);
  }
  view.Colors().Url().SetColor(clBlue);
  view.Colors().Url().SetBkColor(clWhite);
  view.Colors().Mail().SetColor(clBlue);
  view.Colors().Mail().SetBkColor(clWhite);
  view.Colors().Select().SetColor(clWhite);
  view.Colors().Select().SetBkColor(clNavy);
}

void NoteWindowWrap(TEditorWrapOption& option) {
  option.SetFollowRetMark(false);
  option.SetFollowPunctuation(false);
  option.SetFollowStr(TEditorWrapOption::DefaultFollowStr);
  option.SetLeading(false);
  option.SetLeadStr(TEditorWrapOption::DefaultLeadStr);
  option.SetPunctuationStr(TEditorWrapOption::DefaultPunctuationStr);
  option.SetWordBreak(false);
  option.SetWrapByte(TEditorWrapOption::DefaultWrapByte);
}

}  // namespace

void ApplyNoteWindowEditorSettings(TEditor& editor) {
  editor.SetBorderStyle(bsNone);
  editor.SetColor(clWhite);
  editor.SetFont(TEditorFont{std::string(kNoteFontName), kNoteFontSize, 0, clBlack});
  editor.SetHitStyle(hsSelect);
  editor.SetScrollBars(ssNone);
  editor.SetReadOnly(false);
  editor.SetUndoListMax(64);
  editor.SetWantReturns(true);
  editor.SetWantTabs(true);

  // Each object is filled as a copy and assigned, so each reports at most once.
  TEditorCaret caret;
  caret.SetOptions(kNoteCaret);
  caret.Cursors().SetValues(kNoteCursors);
  editor.Caret().Assign(caret);

  TEditorMargin margin;
  margin.SetCharacter(kNoteMargin[0]);
  margin.SetLeft(kNoteMargin[1]);
  margin.SetLine(kNoteMargin[2]);
  margin.SetTop(kNoteMargin[3]);
  editor.Margin().Assign(margin);

  TEditorMarks marks;
  for (TEditorMark* mark :
       {&marks.EofMark(), &marks.RetMark(), &marks.WrapMark(), &marks.HideMark(), &marks.Underline()}) {
    mark->SetColor(TEditorMark::DefaultColor);
    mark->SetVisible(false);
  }
  editor.Marks().Assign(marks);

  TEditorLeftbar leftbar;
  leftbar.SetValues(kNoteLeftbar);
  editor.Leftbar().Assign(leftbar);
  TEditorRuler ruler;
  ruler.SetValues(kNoteRuler);
  editor.Ruler().Assign(ruler);
  TEditorImagebar imagebar;
  imagebar.SetValues(kNoteImagebar);
  editor.Imagebar().Assign(imagebar);

  TEditorSpeed speed;  // the construction defaults are the note window's
  editor.Speed().Assign(speed);

  TEditorViewInfo view;
  NoteWindowView(view);
  editor.View().Assign(view);

  TEditorWrapOption& option = editor.WrapOption();
  option.BeginUpdate();
  NoteWindowWrap(option);
  option.EndUpdate();
  editor.SetWordWrap(true);
}

}  // namespace app
