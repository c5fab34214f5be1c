// Drawing rows on a recording canvas with 8 x 16 cells: text outputs per row and token, selection
// parts, rows past the end, the 1,000-cell limit, transparent drawing, the dotted underline and marks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/syntax/fountain.h"
#include "editor/syntax/token_row_states.h"
#include "editor/text/editor_screen_strings.h"
#include "editor/view/editor_painter.h"
#include "support/recording_canvas.h"

namespace editor {
namespace {

using test::TRecordingCanvas;

constexpr TColor kBlack = 0x000000;
constexpr TColor kWhite = 0xFFFFFF;
constexpr TColor kBlue = 0xFF0000;
constexpr TColor kNavy = 0x800000;
constexpr TColor kGray = 0x808080;

// The note window's scheme and metrics: URL and mail blue on white, white on navy for the selection.
class PaintTest : public ::testing::Test {
 protected:
  PaintTest() {
    Fountain.SetUrl(true);
    Fountain.SetMail(true);
    for (TFountainColor* record : {&Fountain.Colors().Url(), &Fountain.Colors().Mail()}) {
      record->SetColor(kBlue);
      record->SetBkColor(kWhite);
    }
    TPaintMetrics& m = Context.Metrics;
    m.FontHeight = 16;
    m.ColWidth = 8;
    m.RowHeight = 16;
    m.TextLeft = 8;
    m.TopMargin = 2;
    m.VisibleRows = 12;
    m.VisibleCols = 78;
    m.ClientWidth = 640;
    m.ClientHeight = 200;
    Context.Color = kWhite;
    Context.Font.Color = kBlack;
    Context.Fountain = &Fountain;
    States.SetFountain(&Fountain);
    States.SetInitBracketsFull(true);
    Rows.SetRowStates(&States);
  }

  void Load(const std::string& text) {
    Rows.LoadText(text);
    Rows.ResetStates();
  }
  void AddRow(const std::string& text, TRowAttribute attribute) { Rows.AppendRow(text, attribute); }
  void Paint(const TRect& rect = {0, 0, 640, 200}) {
    Canvas.Clear();
    TEditorPainter painter(Rows, Context, Canvas, Hooks);
    painter.PaintRect(rect);
  }
  static int RowTop(int row) { return 2 + row * 16; }
  void Select(int startRow, int startCol, int endRow, int endCol, bool box = false) {
    Context.Selection = {TPaintSelectionKind::Selected, startRow, startCol, endRow, endCol, box};
  }

  TEditorFountain Fountain;
  TTokenRowStates States;
  TEditorScreenStrings Rows;
  TPaintContext Context;
  TRecordingCanvas Canvas;
  TPaintHooks Hooks;
};

TEST_F(PaintTest, PlainRowIsOneOpaqueTextOutput) {
  Load("hello world\r\nsecond");
  Paint();
  const auto texts = Canvas.TextsAt(RowTop(0));
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].Text, "hello world");
  EXPECT_EQ(texts[0].X, 8);
  EXPECT_EQ(texts[0].Options, etoOpaque | etoClipped);
  EXPECT_EQ(texts[0].Clip, (TRect{8, 2, 640, 18}));
  EXPECT_EQ(texts[0].CellWidth, 8);
  EXPECT_EQ(texts[0].Color, kBlack);
  EXPECT_EQ(texts[0].BkColor, kWhite);
  EXPECT_EQ(Canvas.TextsAt(RowTop(1)).size(), 1u);
}

TEST_F(PaintTest, UrlAndMailAreDrawnASecondTimeInTheirColours) {
  Load("see http://a.jp/x and me@b.jp now");
  Paint();
  const auto texts = Canvas.TextsAt(RowTop(0));
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[1].Text, "http://a.jp/x");
  EXPECT_EQ(texts[1].X, 8 + 4 * 8);
  EXPECT_EQ(texts[1].Options, etoClipped);
  EXPECT_EQ(texts[1].Color, kBlue);
  EXPECT_EQ(texts[1].BkColor, kWhite);
  EXPECT_EQ(texts[2].Text, "me@b.jp");
  EXPECT_EQ(texts[2].X, 8 + 22 * 8);
}

TEST_F(PaintTest, TabsAreDrawnAsTheSpacesOfTheirCells) {
  Load("a\tb");
  Paint();
  const auto texts = Canvas.TextsAt(RowTop(0));
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].Text, "a       b");
}

TEST_F(PaintTest, RowsPastTheEndAreFilledWithTheControlColour) {
  Load("a\r\nb");
  Paint();
  int filled = 0;
  for (const auto& fill : Canvas.Fills) {
    if (fill.Rect.Top >= RowTop(2)) {
      EXPECT_EQ(fill.Color, kWhite);
      EXPECT_EQ(fill.Rect.Left, 8);
      EXPECT_EQ(fill.Rect.Right, 640);
      ++filled;
    }
  }
  EXPECT_EQ(filled, (200 - 2 + 15) / 16 - 2);  // every band down to the bottom edge
  for (const auto& text : Canvas.Texts) EXPECT_LT(text.Y, RowTop(2));
  EXPECT_TRUE(Canvas.Lines.empty());
}

TEST_F(PaintTest, EofMarkGoesOnTheFirstRowPastTheEndOrOnARowWithoutABreak) {
  Context.Marks.EofMark.Visible = true;
  Load("a\r\n");
  Paint();
  auto marks = Canvas.TextsAt(RowTop(1));
  ASSERT_EQ(marks.size(), 1u);
  EXPECT_EQ(marks[0].Text, "[EOF]");
  EXPECT_EQ(marks[0].Clip, (TRect{8, RowTop(1), 8 + 48, RowTop(1) + 16}));
  EXPECT_EQ(marks[0].Color, kGray);

  Load("a\r\nbc");
  Paint();
  marks = Canvas.TextsAt(RowTop(1));
  ASSERT_EQ(marks.size(), 2u);
  EXPECT_EQ(marks[1].Text, "[EOF]");
  EXPECT_EQ(marks[1].X, 8 + 2 * 8);
  EXPECT_TRUE(Canvas.TextsAt(RowTop(2)).empty());
}

TEST_F(PaintTest, SelectedUrlIsDrawnInTheSelectionColours) {
  Load("see http://a.jp now");
  Select(0, 0, 0, 19);
  Paint();
  const auto texts = Canvas.TextsAt(RowTop(0));
  ASSERT_EQ(texts.size(), 2u);  // the selected part and the plain rest of the band
  EXPECT_EQ(texts[0].Clip, (TRect{8, 2, 8 + 19 * 8, 18}));
  EXPECT_EQ(texts[0].Color, kWhite);
  EXPECT_EQ(texts[0].BkColor, kNavy);
  EXPECT_EQ(texts[1].Clip, (TRect{8 + 19 * 8, 2, 640, 18}));
  EXPECT_EQ(texts[1].BkColor, kWhite);
  for (const auto& text : Canvas.Texts) EXPECT_NE(text.Color, kBlue);
}

TEST_F(PaintTest, UnsetSelectionColoursGiveInverseVideoAndHitUsesItsOwnRecord) {
  Load("abc");
  Context.Select = {};
  Select(0, 0, 0, 3);
  Paint();
  EXPECT_EQ(Canvas.TextsAt(RowTop(0))[0].Color, kWhite);
  EXPECT_EQ(Canvas.TextsAt(RowTop(0))[0].BkColor, kBlack);

  Context.Selection.Kind = TPaintSelectionKind::Hit;
  Context.Hit = {0x00FF00, 0x0000FF, 0};
  Paint();
  EXPECT_EQ(Canvas.TextsAt(RowTop(0))[0].Color, 0x00FF00u);
  EXPECT_EQ(Canvas.TextsAt(RowTop(0))[0].BkColor, 0x0000FFu);
}

// The clip rectangles of the row's opaque outputs, with whether each was selected.
std::vector<std::pair<TRect, bool>> Parts(const TRecordingCanvas& canvas, int y) {
  std::vector<std::pair<TRect, bool>> parts;
  for (const auto& text : canvas.TextsAt(y))
    if (text.Options & etoOpaque) parts.push_back({text.Clip, text.BkColor == kNavy});
  return parts;
}

TEST_F(PaintTest, StreamSelectionSplitsEachRowAsItsPlaceInTheRangeSays) {
  Load("0123456789\r\n0123456789\r\n0123456789\r\n0123456789\r\n0123456789");
  Select(0, 2, 2, 3);
  Paint();
  using P = std::vector<std::pair<TRect, bool>>;
  EXPECT_EQ(Parts(Canvas, RowTop(0)), (P{{{8, 2, 24, 18}, false}, {{24, 2, 640, 18}, true}}));
  EXPECT_EQ(Parts(Canvas, RowTop(1)), (P{{{8, 18, 640, 34}, true}}));
  EXPECT_EQ(Parts(Canvas, RowTop(2)), (P{{{8, 34, 32, 50}, true}, {{32, 34, 640, 50}, false}}));
  EXPECT_EQ(Parts(Canvas, RowTop(3)), (P{{{8, 50, 640, 66}, false}}));

  Select(4, 1, 4, 4);
  Paint();
  EXPECT_EQ(Parts(Canvas, RowTop(4)),
            (P{{{8, 66, 16, 82}, false}, {{16, 66, 40, 82}, true}, {{40, 66, 640, 82}, false}}));
}

TEST_F(PaintTest, BoxSelectionMovesAnEdgeInsideADoubleByteCharacterRight) {
  Load(
      "0123456\r\n\x82\xA0\x82\xA0"
      "456");
  Select(0, 1, 1, 3, true);
  Paint();
  using P = std::vector<std::pair<TRect, bool>>;
  EXPECT_EQ(Parts(Canvas, RowTop(0)), (P{{{8, 2, 16, 18}, false}, {{16, 2, 32, 18}, true}, {{32, 2, 640, 18}, false}}));
  // Columns 1 and 3 are second bytes on this row: the box covers columns 2 to 3, the second character.
  EXPECT_EQ(Parts(Canvas, RowTop(1)),
            (P{{{8, 18, 24, 34}, false}, {{24, 18, 40, 34}, true}, {{40, 18, 640, 34}, false}}));
}

TEST_F(PaintTest, PaintRectIsSnappedToCellsAndRowBands) {
  Load("row0\r\nrow1\r\nrow2");
  Paint({13, 20, 30, 25});
  ASSERT_EQ(Canvas.Texts.size(), 1u);
  EXPECT_EQ(Canvas.Texts[0].Text, "row1");
  EXPECT_EQ(Canvas.Texts[0].Clip, (TRect{8, 18, 30, 34}));
  EXPECT_TRUE(Canvas.Fills.empty());  // the corner lies outside
  Paint({0, 0, 4, 2});
  ASSERT_EQ(Canvas.Fills.size(), 1u);
  EXPECT_EQ(Canvas.Fills[0].Rect, (TRect{0, 0, 8, 2}));
  EXPECT_TRUE(Canvas.Texts.empty());
}

TEST_F(PaintTest, NothingIsDrawnWhileTheControlIsNotShowing) {
  Load("abc");
  Context.Showing = false;
  Paint();
  EXPECT_TRUE(Canvas.Calls.empty());
}

TEST_F(PaintTest, RowsAreCutAtColumn1000WithoutSplittingADoubleByteCharacter) {
  const std::string kanji = "\x88\x9F";  // its second byte also lies in the lead-byte range
  std::string plain(1500, 'a');
  std::string leadAtLimit = std::string(999, 'a') + kanji + "bb";
  // Here byte 999 is a second byte that looks like a lead byte: the cut stays at 1000.
  std::string trailAtLimit = "aa";
  while (trailAtLimit.size() < 1010) trailAtLimit += kanji;
  Load(plain + "\r\n" + leadAtLimit + "\r\n" + trailAtLimit);
  Context.Metrics.ClientWidth = 9000;
  Context.Marks.HideMark.Visible = true;
  Paint({0, 0, 9000, 200});
  EXPECT_EQ(Canvas.TextsAt(RowTop(0))[0].Text.size(), 1000u);
  EXPECT_EQ(Canvas.TextsAt(RowTop(1))[0].Text.size(), 1001u);
  EXPECT_EQ(Canvas.TextsAt(RowTop(2))[0].Text.size(), 1000u);
  EXPECT_EQ(CellOutputLength(std::string(1000, 'a')), 1000);
  EXPECT_EQ(CellOutputLength(std::string(999, 'a') + "\x88"), 1000);  // a lone lead byte at the end

  // The hidden-text mark stands after the last cell drawn (one further after a whole character).
  int hideMarks = 0;
  for (const auto& line : Canvas.Lines) {
    if (line.From.Y >= RowTop(0) && line.From.Y < RowTop(1)) {
      EXPECT_GE(line.From.X, 8 + 1000 * 8);
    }
    if (line.From.Y >= RowTop(1) && line.From.Y < RowTop(2)) {
      EXPECT_GE(line.From.X, 8 + 1001 * 8);
    }
    ++hideMarks;
  }
  EXPECT_EQ(hideMarks, 3 * 2);
}

TEST_F(PaintTest, ItalicSwitchesToTransparentTokensOverOneFillPerRow) {
  Fountain.Colors().Url().SetBkColor(0x00FFFF);
  Context.Font.Style = fsItalic;
  Context.TransparentTokens = HasItalicColors(&Fountain, Context.Font.Style);
  ASSERT_TRUE(Context.TransparentTokens);
  Load("see http://a.jp now");
  Paint();
  const auto texts = Canvas.TextsAt(RowTop(0));
  ASSERT_EQ(texts.size(), 3u);
  for (const auto& text : texts) EXPECT_EQ(text.Options, etoClipped);
  EXPECT_EQ(texts[0].BkColor, clNone);  // the row's own background shows through
  EXPECT_EQ(texts[1].BkColor, 0x00FFFFu);
  int rowFills = 0;
  for (const auto& fill : Canvas.Fills) rowFills += fill.Rect.Top == RowTop(0) ? 1 : 0;
  EXPECT_EQ(rowFills, 1);
}

TEST_F(PaintTest, ItalicIsFoundInTheFontOrAnyColourRecord) {
  EXPECT_FALSE(HasItalicColors(&Fountain, fsBold));
  EXPECT_TRUE(HasItalicColors(nullptr, fsItalic));
  Fountain.Colors().Comment().SetStyle(fsItalic);
  EXPECT_TRUE(HasItalicColors(&Fountain, 0));
  Fountain.Colors().Comment().SetStyle(0);
  Fountain.Brackets().Add()->ItemColor().SetStyle(fsItalic | fsBold);
  EXPECT_TRUE(HasItalicColors(&Fountain, 0));
}

TEST_F(PaintTest, UnderlinedTextGetsADottedLineInsteadOfTheFontUnderline) {
  Context.Font.Style = fsUnderline;
  Fountain.SetAllStyles(fsUnderline);  // as the note window gives every record the page font's style
  Load("abc");
  Paint({0, 0, 20, 200});
  const auto texts = Canvas.TextsAt(RowTop(0));
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].Style & fsUnderline, 0);
  ASSERT_EQ(Canvas.Dotted.size(), 1u);
  // Clipped to the paint rectangle on the right.
  EXPECT_EQ(Canvas.Dotted[0].X1, 8);
  EXPECT_EQ(Canvas.Dotted[0].X2, 20);
  EXPECT_EQ(Canvas.Dotted[0].Y, RowTop(0) + 15);
  EXPECT_EQ(Canvas.Dotted[0].Color, kBlack);
  EXPECT_EQ(Canvas.Dotted[0].BkColor, kWhite);
}

TEST_F(PaintTest, AUrlRunningOverAWrapKeepsItsKindButStaysInItsRow) {
  Rows.SetWordWrap(true);
  Rows.Clear();
  AddRow("see http://ab", raWrap);
  AddRow("c.jp now", raBreak);
  Rows.ResetStates();
  Paint();
  auto first = Canvas.TextsAt(RowTop(0));
  ASSERT_EQ(first.size(), 2u);
  EXPECT_EQ(first[1].Text, "http://abc.jp");
  EXPECT_EQ(first[1].Clip.Right, 8 + 13 * 8);
  auto second = Canvas.TextsAt(RowTop(1));
  ASSERT_EQ(second.size(), 2u);
  EXPECT_EQ(second[1].Text, "c.jp");
  EXPECT_EQ(second[1].Color, kBlue);
}

TEST_F(PaintTest, RowEndMarksFollowTheRowAttributeAndSelection) {
  Context.Marks.RetMark = {true, 0x0000FF};
  Context.Marks.WrapMark = {true, clNone};
  Rows.Clear();
  AddRow("ab", raWrap);
  AddRow("cd", raBreak);
  Paint();
  ASSERT_EQ(Canvas.Lines.size(), 5u);  // a chevron of two strokes, an arrow of three
  EXPECT_EQ(Canvas.Lines[0].Color, kBlack);
  EXPECT_GE(Canvas.Lines[0].From.X, 8 + 16);
  EXPECT_LT(Canvas.Lines[0].From.X, 8 + 24);
  EXPECT_EQ(Canvas.Lines[2].Color, 0x0000FFu);
  // The arrow: a vertical stem in the middle of the cell, from 2u to FontHeight - 2u (u = 2).
  EXPECT_EQ(Canvas.Lines[2].From, (TPoint{8 + 16 + 4, RowTop(1) + 4}));
  EXPECT_EQ(Canvas.Lines[2].To, (TPoint{8 + 16 + 4, RowTop(1) + 13}));

  Select(1, 0, 1, 5);
  Paint();
  EXPECT_EQ(Canvas.Lines[2].Color, kWhite);  // on the selection, in its text colour
  EXPECT_EQ(Canvas.Lines.size(), 5u);        // drawn once, by the part that holds the cell
}

TEST_F(PaintTest, OnDrawLineReportsEachDrawnPart) {
  std::vector<std::pair<int, bool>> calls;
  Hooks.OnDrawLine = [&calls](std::string_view, int x, int, int index, const TRect&, bool selected) {
    EXPECT_EQ(x, 8);
    calls.push_back({index, selected});
  };
  Load("abc\r\ndef");
  Select(1, 1, 1, 2);
  Paint();
  EXPECT_EQ(calls, (std::vector<std::pair<int, bool>>{{0, false}, {1, false}, {1, true}, {1, false}}));
}

TEST_F(PaintTest, TheUnderlineComesAfterTheTextAndTheCaretLastOverIt) {
  Context.Marks.Underline = {true, clNone};
  Context.Metrics.UnderlineSpace = 1;
  Context.Metrics.RowHeight = 17;
  Context.CaretRow = 1;
  Context.CaretDrawn = true;
  Context.CaretRect = {16, 19, 18, 35};
  Load("abc\r\ndef");
  Paint();
  ASSERT_FALSE(Canvas.Lines.empty());
  ASSERT_GE(Canvas.Calls.size(), 2u);
  EXPECT_EQ(Canvas.Calls[Canvas.Calls.size() - 2], TRecordingCanvas::TKind::Line);
  EXPECT_EQ(Canvas.Calls.back(), TRecordingCanvas::TKind::Invert);
  EXPECT_EQ(Canvas.Inverted, (std::vector<TRect>{{16, 19, 18, 35}}));
  EXPECT_EQ(Canvas.Lines.back().From, (TPoint{8, 2 + 17 + 16}));
  EXPECT_EQ(Canvas.Lines.back().To, (TPoint{640, 2 + 17 + 16}));

  // Only the part inside the painted rectangle is inverted, and a caret that does not show is not drawn.
  Canvas.Clear();
  Paint(TRect{0, 0, 640, 25});
  EXPECT_EQ(Canvas.Inverted, (std::vector<TRect>{{16, 19, 18, 25}}));
  Context.CaretDrawn = false;
  Canvas.Clear();
  Paint();
  EXPECT_TRUE(Canvas.Inverted.empty());
  Context.CaretDrawn = true;

  Select(0, 0, 0, 1);  // no underline while a selection shows
  Paint();
  EXPECT_TRUE(Canvas.Lines.empty());
}

}  // namespace
}  // namespace editor
