// The caret as the control shows it: whether it exists (the control has the focus), the counted hiding,
// its shape and place in pixels, and the blink phase. The control draws it at the end of every paint;
// the model tells its owner which pixels to repaint and how often to tick.
#pragma once

#include <functional>

#include "editor/base/geometry.h"

namespace editor {

class TCaretModel {
 public:
  // Pixels to repaint because the caret appeared, went or moved there.
  std::function<void(const TRect& area)> OnInvalidate;
  // How often the caret wants a Tick, in milliseconds; 0 when it needs none.
  std::function<void(int interval)> OnTimer;

  // The desktop's blink phase length; 0 keeps the caret on.
  void SetBlinkTime(int milliseconds) { FBlinkTime = milliseconds < 0 ? 0 : milliseconds; }
  int BlinkTime() const { return FBlinkTime; }

  // The caret exists while the control has the focus, in the shape given (a bar or a block).
  void Create(int width, int height);
  void Destroy();
  bool Exists() const { return FExists; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }

  // Counted: hidden from the first Hide until the matching last Show; an unmatched Show does nothing.
  void Hide();
  void Show();
  bool Hidden() const { return FHideCount > 0; }
  int HideCount() const { return FHideCount; }

  // The top-left pixel of the caret's cell, and whether that cell lies in the view: a caret scrolled
  // out of view is never drawn. A new place starts a new blink cycle, so a moving caret stays on.
  void SetPlace(TPoint position, bool inView);
  TPoint Position() const { return FPosition; }
  bool InView() const { return FInView; }

  // One blink: the phase flips.
  void Tick();
  bool PhaseOn() const { return FPhaseOn; }

  // Whether a paint draws the caret now, and where.
  bool Drawn() const { return FExists && FHideCount == 0 && FInView && FPhaseOn; }
  TRect Rect() const { return {FPosition.X, FPosition.Y, FPosition.X + FWidth, FPosition.Y + FHeight}; }

 private:
  // Runs a change and repaints what it changed on screen; restarts the blink when asked.
  template <class Change>
  void Apply(Change&& change, bool restartBlink);
  bool Showing() const { return FExists && FHideCount == 0; }

  int FBlinkTime = 0;
  bool FExists = false;
  int FWidth = 0;
  int FHeight = 0;
  int FHideCount = 0;
  TPoint FPosition;
  bool FInView = false;
  bool FPhaseOn = true;
  int FTimer = 0;  // the interval last asked for
};

}  // namespace editor
