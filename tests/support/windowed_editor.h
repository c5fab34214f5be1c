// The preamble most control tests share: an editor living in a fake window with a fixed-cell font, with
// a fake clipboard, optionally with the window sized to a number of whole rows; and the window painted.
#pragma once

#include "editor/control/editor.h"
#include "editor/control/editor_paint.h"
#include "support/fake_window.h"
#include "support/recording_canvas.h"

namespace editor::test {

struct TWindowedEditor {
  // visibleRows > 0: the window is that many 16-pixel rows high (with the top margin and the slack
  // under the last row); otherwise it keeps the fake window's 640 x 480.
  explicit TWindowedEditor(int visibleRows = 0) {
    if (visibleRows > 0) Window.Height = 2 + 5 + visibleRows * 16;
    Editor.SetWindow(&Window);
    Editor.SetClipboard(&Clipboard);
  }

  // The whole window painted.
  TRecordingCanvas Paint() {
    TRecordingCanvas canvas;
    canvas.Clip = {0, 0, Window.Width, Window.Height};
    PaintEditor(Editor, canvas);
    return canvas;
  }

  TFakeWindow Window;
  TFakeClipboard Clipboard;
  TEditor Editor;  // after the window and clipboard it points to, so it goes first
};

}  // namespace editor::test
