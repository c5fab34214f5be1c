// Showing, hiding, moving and blinking the caret, with the repaints each needs.
#include "editor/control/caret_model.h"

#include <utility>

namespace editor {

template <class Change>
void TCaretModel::Apply(Change&& change, bool restartBlink) {
  const bool wasDrawn = Drawn();
  const TRect before = Rect();
  std::forward<Change>(change)();
  if (restartBlink) FPhaseOn = true;
  const bool drawn = Drawn();
  if (OnInvalidate) {
    if (wasDrawn && (!drawn || !(before == Rect()))) OnInvalidate(before);
    if (drawn && (!wasDrawn || !(before == Rect()))) OnInvalidate(Rect());
  }
  // The timer runs while the caret could show; it is asked again on a restart so the phase that just
  // began lasts a whole blink time.
  const int timer = Showing() && FBlinkTime > 0 ? FBlinkTime : 0;
  if (timer != FTimer || (restartBlink && timer != 0)) {
    FTimer = timer;
    if (OnTimer) OnTimer(timer);
  }
}

void TCaretModel::Create(int width, int height) {
  Apply(
      [&] {
        FExists = true;
        FWidth = width;
        FHeight = height;
      },
      true);
}

void TCaretModel::Destroy() {
  Apply([&] { FExists = false; }, false);
}

void TCaretModel::Hide() {
  Apply([&] { ++FHideCount; }, false);
}

void TCaretModel::Show() {
  if (FHideCount == 0) return;
  Apply([&] { --FHideCount; }, FHideCount == 1);
}

void TCaretModel::SetPlace(TPoint position, bool inView) {
  const bool moved = !(position == FPosition) || inView != FInView;
  Apply(
      [&] {
        FPosition = position;
        FInView = inView;
      },
      moved);
}

void TCaretModel::Tick() {
  if (!Showing()) return;
  Apply([&] { FPhaseOn = !FPhaseOn; }, false);
}

}  // namespace editor
