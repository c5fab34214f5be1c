// Switching the editor's active colour scheme.
#include "editor/syntax/editor_fountain_link.h"

#include "editor/syntax/fountain.h"

namespace editor {

TEditorFountainLink::TEditorFountainLink(TFountain* builtIn, TNotifyEvent onChanged, std::function<void()> onReset)
    : FBuiltIn(builtIn), FOnChanged(onChanged), FOnReset(std::move(onReset)) {
  FRowStates.SetFountain(ActiveFountain());
}

TEditorFountainLink::~TEditorFountainLink() { Detach(); }

void TEditorFountainLink::Detach() {
  if (!FFountain) return;
  FFountain->Remove(FOnChanged);
  FFountain->RemoveFreeNotification(DestroyedEvent());
  FFountain = nullptr;
}

void TEditorFountainLink::SetFountain(TFountain* fountain) {
  if (fountain == FFountain) return;
  Detach();
  FFountain = fountain;
  if (FFountain) {
    FFountain->Add(FOnChanged);
    FFountain->FreeNotification(DestroyedEvent());
  }
  FRowStates.SetFountain(ActiveFountain());
  if (FOnReset) FOnReset();
}

void TEditorFountainLink::FountainDestroyed(TObject* sender) {
  if (sender != FFountain) return;
  // The scheme is going away: it must not be called any more.
  FFountain = nullptr;
  FRowStates.SetFountain(ActiveFountain());
  if (FOnReset) FOnReset();
}

}  // namespace editor
