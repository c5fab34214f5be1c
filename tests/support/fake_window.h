// A window and a clipboard for editor tests: a fixed-cell font, a client area of a set size, and a log
// of what the control asked of them.
#pragma once

#include <string>
#include <vector>

#include "editor/control/editor_clipboard.h"
#include "editor/view/editor_window.h"

namespace editor::test {

class TFakeWindow : public TEditorWindow {
 public:
  // A font of 8 x 16 pixel cells unless a test says otherwise.
  TFontMetrics Metrics{16, 0, 8, 13};
  int Width = 640;
  int Height = 480;
  int Screen = 1024;
  bool HasFocus = true;

  std::vector<TRect> Invalidated;
  int InvalidateAllCount = 0;
  int Updates = 0;  // paints asked for at once
  struct TScrollCall {
    int Dx, Dy;
    TRect Area;
    int UpdatesBefore;
  };
  std::vector<TScrollCall> Scrolls;
  int CaretTimer = 0;  // the tick interval last asked for, 0 when stopped
  TCursorKind Cursor = TCursorKind::Arrow;
  bool Captured = false;
  struct TScrollRange {
    int Min = 0, Max = 0, Page = 0, Position = 0;
  };
  TScrollRange VerticalBar, HorizontalBar;

  int ClientWidth() const override { return Width; }
  int ClientHeight() const override { return Height; }
  int ScreenHeight() const override { return Screen; }
  TFontMetrics MeasureFont(const TEditorFont&) const override { return Metrics; }
  void Invalidate(const TRect& area) override { Invalidated.push_back(area); }
  void InvalidateAll() override { ++InvalidateAllCount; }
  void Scroll(int dx, int dy, const TRect& area) override { Scrolls.push_back({dx, dy, area, Updates}); }
  void Update() override { ++Updates; }
  void SetCaretTimer(int interval) override { CaretTimer = interval; }
  int CaretBlinkTime() const override { return 500; }
  void SetCursor(TCursorKind cursor) override { Cursor = cursor; }
  void SetMouseCapture(bool capture) override { Captured = capture; }
  bool Focused() const override { return HasFocus; }
  void SetFocus() override { HasFocus = true; }
  void SetCompositionWindow(TPoint) override {}
  void SetScrollRange(bool vertical, int min, int max, int page, int position) override {
    (vertical ? VerticalBar : HorizontalBar) = {min, max, page, position};
  }
};

class TFakeClipboard : public TEditorClipboard {
 public:
  std::string Text;
  bool Box = false;
  bool Filled = false;

  void SetText(const std::string& text, bool box) override {
    Text = text;
    Box = box;
    Filled = true;
  }
  bool HasText() const override { return Filled; }
  std::string GetText() const override { return Text.substr(0, Text.find('\0')); }
  bool HasBoxFormat() const override { return Filled && Box; }
};

}  // namespace editor::test
