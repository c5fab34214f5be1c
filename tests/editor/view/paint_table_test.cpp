// Painting, case by case from tests/data/painting.txt: rows and a paint context in, and every call the
// painter makes on the canvas, in order, out.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "editor/syntax/fountain.h"
#include "editor/syntax/token_row_states.h"
#include "editor/text/editor_screen_strings.h"
#include "editor/view/editor_images.h"
#include "editor/view/editor_painter.h"
#include "support/recording_canvas.h"
#include "support/table.h"

namespace editor {
namespace {

const std::map<TColor, std::string> kColorNames = {{0x000000, "black"}, {0xFFFFFF, "white"}, {0xFF0000, "blue"},
                                                   {0x800000, "navy"},  {0x808080, "gray"},  {0xC0C0C0, "silver"},
                                                   {0x0000FF, "red"},   {clNone, "none"}};

std::string ColorName(TColor color) {
  const auto named = kColorNames.find(color);
  if (named != kColorNames.end()) return named->second;
  std::ostringstream hex;
  hex << std::hex << color;
  return hex.str();
}

TColor ColorOf(const std::string& name) {
  for (const auto& [color, known] : kColorNames)
    if (known == name) return color;
  return static_cast<TColor>(std::stoul(name, nullptr, 16));
}

std::string Rect(const TRect& r) {
  return "[" + std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
         std::to_string(r.Bottom) + "]";
}

std::string Style(TFontStyles style) {
  return std::string(style & fsBold ? " bold" : "") + (style & fsItalic ? " italic" : "") +
         (style & fsUnderline ? " underline" : "");
}

// Every call as the table writes it.
std::vector<std::string> Calls(const test::TRecordingCanvas& canvas) {
  std::vector<std::string> calls;
  std::size_t text = 0, fill = 0, line = 0, dotted = 0, invert = 0, image = 0;
  for (const auto kind : canvas.Calls) {
    using K = test::TRecordingCanvas::TKind;
    if (kind == K::Text) {
      const auto& t = canvas.Texts[text++];
      const std::string options = std::string(t.Options & etoOpaque ? "o" : "") + (t.Options & etoClipped ? "c" : "");
      calls.push_back("text " + std::to_string(t.X) + "," + std::to_string(t.Y) + " " + Rect(t.Clip) + " " +
                      (options.empty() ? "-" : options) + " " + test::ShowMarked({t.Text}) + " " + ColorName(t.Color) +
                      "/" + ColorName(t.BkColor) + Style(t.Style) +
                      (t.CellWidth == 8 ? "" : " cell" + std::to_string(t.CellWidth)));
    } else if (kind == K::Fill) {
      const auto& f = canvas.Fills[fill++];
      calls.push_back("fill " + Rect(f.Rect) + " " + ColorName(f.Color));
    } else if (kind == K::Line) {
      const auto& l = canvas.Lines[line++];
      calls.push_back("line " + std::to_string(l.From.X) + "," + std::to_string(l.From.Y) + "-" +
                      std::to_string(l.To.X) + "," + std::to_string(l.To.Y) + " " + ColorName(l.Color));
    } else if (kind == K::Dotted) {
      const auto& d = canvas.Dotted[dotted++];
      calls.push_back("dots " + std::to_string(d.X1) + "-" + std::to_string(d.X2) + "," + std::to_string(d.Y) + " " +
                      ColorName(d.Color) + "/" + ColorName(d.BkColor));
    } else if (kind == K::Invert) {
      calls.push_back("invert " + Rect(canvas.Inverted[invert++]));
    } else {
      const auto& i = canvas.Images[image++];
      calls.push_back("image " + std::to_string(i.X) + "," + std::to_string(i.Y) + " " +
                      (i.List == &BuiltInDigitImages() ? "digit " : "mark ") + std::to_string(i.Index));
    }
  }
  return calls;
}

// One case: the note window's scheme and an 8 x 16 cell grid from (8, 2) in a 640 x 50 client; the
// text area is painted unless the case says otherwise.
class TPaintCase {
 public:
  TPaintCase() {
    FFountain.SetUrl(true);
    FFountain.SetMail(true);
    for (TFountainColor* record : {&FFountain.Colors().Url(), &FFountain.Colors().Mail()}) {
      record->SetColor(0xFF0000);
      record->SetBkColor(0xFFFFFF);
    }
    TPaintMetrics& m = FContext.Metrics;
    m.FontHeight = m.RowHeight = 16;
    m.ColWidth = 8;
    m.TextLeft = 8;
    m.TopMargin = 2;
    m.VisibleRows = 3;
    m.VisibleCols = 78;
    m.ClientWidth = 640;
    m.ClientHeight = 50;
    FContext.Font.Color = 0x000000;
    FContext.Fountain = &FFountain;
    FContext.Digits = &BuiltInDigitImages();
    FContext.MarkImages = &BuiltInMarkImages();
    FStates.SetFountain(&FFountain);
    FStates.SetInitBracketsFull(true);
    FRows.SetRowStates(&FStates);
  }

  // "@ name values...": the settings of the case.
  void Set(const std::vector<std::string>& w) {
    TPaintMetrics& m = FContext.Metrics;
    TPaintBars& bars = FContext.Bars;
    const auto n = [&w](std::size_t i) { return std::stoi(w.at(i)); };
    const std::string& name = w.at(1);
    if (name == "text") {
      FRows.LoadText(test::ParseQuoted(w.at(2)).Text);
    } else if (name == "rows") {  // "text|W" rows with their ends: W wrapped, B a break, E the end
      FRows.SetWordWrap(true);
      for (std::size_t i = 2; i < w.size(); ++i) {
        const std::string row = test::ParseQuoted(w[i]).Text;
        const char end = row.back();
        FRows.AppendRow(row.substr(0, row.size() - 2), end == 'W' ? raWrap : end == 'B' ? raBreak : raEnd);
      }
    } else if (name == "clip") {
      FClip = {n(2), n(3), n(4), n(5)};
    } else if (name == "client") {
      m.ClientWidth = n(2);
      m.ClientHeight = n(3);
    } else if (name == "select" || name == "box" || name == "hit") {
      const TPaintSelectionKind kind = name == "hit" ? TPaintSelectionKind::Hit : TPaintSelectionKind::Selected;
      FContext.Selection = {kind, n(2), n(3), n(4), n(5), name == "box"};
    } else if (name == "colors") {  // select and hit records: color/bk color/bk
      FContext.Select = {ColorOf(w.at(2)), ColorOf(w.at(3)), 0};
      FContext.Hit = {ColorOf(w.at(4)), ColorOf(w.at(5)), 0};
    } else if (name == "mark") {  // a visible mark and its colour
      const std::map<std::string, TPaintMark*> marks = {{"eof", &FContext.Marks.EofMark},
                                                        {"ret", &FContext.Marks.RetMark},
                                                        {"wrap", &FContext.Marks.WrapMark},
                                                        {"hide", &FContext.Marks.HideMark},
                                                        {"underline", &FContext.Marks.Underline}};
      *marks.at(w.at(2)) = {true, ColorOf(w.at(3))};
      if (w.at(2) == "underline") m.UnderlineSpace = 1, m.RowHeight = 17;
    } else if (name == "caret") {  // caret row and, when drawn, its rectangle
      FContext.CaretRow = n(2);
      FContext.CaretDrawn = w.size() > 3;
      if (FContext.CaretDrawn) FContext.CaretRect = {n(3), n(4), n(5), n(6)};
    } else if (name == "hidden-underline") {
      FContext.UnderlineHideCount = 1;
    } else if (name == "style") {  // the font's style; "records" gives every colour record the same
      const TFontStyles style = w.at(2) == "italic" ? fsItalic : fsUnderline;
      FContext.Font.Style = style;
      if (w.size() > 3) FFountain.SetAllStyles(style);
      FContext.TransparentTokens = HasItalicColors(&FFountain, style);
    } else if (name == "url-bk") {
      FFountain.Colors().Url().SetBkColor(ColorOf(w.at(2)));
    } else if (name == "not-showing") {
      FContext.Showing = false;
    } else if (name == "margin-line") {
      m.RowHeight += n(2);
    } else if (name == "ruler") {  // height, edge
      bars.RulerVisible = true;
      bars.RulerHeight = n(2);
      bars.RulerEdge = w.at(3) == "edge";
      m.TopMargin += n(2);
    } else if (name == "leftbar") {  // width, edge, [lines] [zerobase]
      bars.LeftbarVisible = true;
      bars.LeftbarWidth = n(2);
      bars.LeftbarEdge = w.at(3) == "edge";
      for (std::size_t i = 4; i < w.size(); ++i)
        (w[i] == "lines" ? bars.LeftbarLineNumbers : bars.LeftbarZeroBase) = true;
      m.TextLeft += n(2);
    } else if (name == "imagebar") {  // width, digit width, mark width
      bars.ImagebarVisible = true;
      bars.ImagebarWidth = n(2);
      bars.ImagebarDigitWidth = n(3);
      bars.ImagebarMarkWidth = n(4);
      m.TextLeft += n(2);
    } else if (name == "rowmarks") {
      FRows.SetRowMarks(n(2), static_cast<TRowMarks>(std::stoi(w.at(3), nullptr, 16)));
    } else {
      FAIL() << "unknown setting " << name;
    }
  }

  std::vector<std::string> Paint() {
    FRows.ResetStates();
    test::TRecordingCanvas canvas;
    canvas.Clip = FClip;
    TEditorPainter(FRows, FContext, canvas).Paint();
    return Calls(canvas);
  }

 private:
  TEditorFountain FFountain;
  TTokenRowStates FStates;
  TEditorScreenStrings FRows;
  TPaintContext FContext;
  TRect FClip{8, 2, 640, 50};  // the text area
};

TEST(PaintTable, EveryCaseDrawsItsCalls) {
  std::unique_ptr<TPaintCase> paint;
  std::string name;
  std::vector<std::string> expected;
  int cases = 0;
  const auto finish = [&] {
    if (!paint) return;
    SCOPED_TRACE("painting.txt: " + name);
    EXPECT_EQ(paint->Paint(), expected);
    ++cases;
  };
  for (const test::TTableLine& line : test::ReadTable("painting.txt")) {
    const std::vector<std::string>& w = line.Words;
    if (w[0] == "case") {
      finish();
      paint = std::make_unique<TPaintCase>();
      name = std::to_string(line.Number) + " " + w.at(1);
      expected.clear();
    } else if (w[0] == "@") {
      paint->Set(w);
    } else {  // a call; its text is written as the other tables write texts
      std::string call;
      for (const std::string& word : w)
        call += (call.empty() ? "" : " ") + (word[0] == '"' ? test::ShowMarked(test::ParseQuoted(word)) : word);
      expected.push_back(call);
    }
  }
  finish();
  EXPECT_GT(cases, 0);
}

}  // namespace
}  // namespace editor
