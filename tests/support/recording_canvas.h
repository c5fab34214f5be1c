// A canvas for drawing tests: it keeps every call in order, so a test can read back what a paint drew.
#pragma once

#include <string>
#include <vector>

#include "editor/view/editor_canvas.h"

namespace editor::test {

class TRecordingCanvas : public TEditorCanvas {
 public:
  // A text output with its bytes copied.
  struct TText {
    int X, Y;
    TRect Clip;
    TTextOutOptions Options;
    std::string Text;
    int CellWidth;
    TColor Color, BkColor;
    TFontStyles Style;
  };
  struct TFill {
    TRect Rect;
    TColor Color;
  };
  struct TLine {
    TPoint From, To;
    TColor Color;
  };
  struct TDotted {
    int X1, X2, Y;
    TColor Color, BkColor;
  };
  struct TImage {
    int X, Y;
    const TEditorImageList* List;
    int Index;
  };
  enum class TKind { Text, Fill, Line, Dotted, Invert, Image };

  TRect Clip{0, 0, 640, 480};
  TEditorFont Font;
  std::vector<TKind> Calls;
  std::vector<TText> Texts;
  std::vector<TFill> Fills;
  std::vector<TLine> Lines;
  std::vector<TDotted> Dotted;
  std::vector<TRect> Inverted;
  std::vector<TImage> Images;

  TRect ClipRect() const override { return Clip; }
  void SetFont(const TEditorFont& font) override { Font = font; }
  void TextOut(const TTextOut& out) override {
    Calls.push_back(TKind::Text);
    Texts.push_back(
        {out.X, out.Y, out.Clip, out.Options, std::string(out.Text), out.CellWidth, out.Color, out.BkColor, out.Style});
  }
  void FillRect(const TRect& rect, TColor color) override {
    Calls.push_back(TKind::Fill);
    Fills.push_back({rect, color});
  }
  void Line(TPoint from, TPoint to, TColor color) override {
    Calls.push_back(TKind::Line);
    Lines.push_back({from, to, color});
  }
  void DottedLine(int x1, int x2, int y, TColor color, TColor bkColor) override {
    Calls.push_back(TKind::Dotted);
    Dotted.push_back({x1, x2, y, color, bkColor});
  }
  void InvertRect(const TRect& rect) override {
    Calls.push_back(TKind::Invert);
    Inverted.push_back(rect);
  }
  void DrawImage(int x, int y, const TEditorImageList& list, int index) override {
    Calls.push_back(TKind::Image);
    Images.push_back({x, y, &list, index});
  }
};

}  // namespace editor::test
