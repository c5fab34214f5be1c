// The editor's active colour scheme: its Fountain property when set, else the scheme View owns; keeps the
// listener registration, the destruction notice and the row start states in step with it.
#pragma once

#include <functional>

#include "editor/base/notify.h"
#include "editor/syntax/token_row_states.h"

namespace editor {

class TFountain;

class TEditorFountainLink {
 public:
  // builtIn: View's own scheme, alive as long as the editor. onChanged: the editor's change handler,
  // registered with an external scheme. onReset: resets every row start state and repaints.
  TEditorFountainLink(TFountain* builtIn, TNotifyEvent onChanged, std::function<void()> onReset);
  // Takes the editor out of an external scheme's listeners and destruction notices.
  ~TEditorFountainLink();
  TEditorFountainLink(const TEditorFountainLink&) = delete;
  TEditorFountainLink& operator=(const TEditorFountainLink&) = delete;

  // The Fountain property: an external scheme, or nullptr for View's own.
  TFountain* Fountain() const { return FFountain; }
  // Moves the editor's listener from the old scheme to the new one, asks to hear of the new one's
  // destruction (which clears the property), and resets all start states.
  void SetFountain(TFountain* fountain);
  TFountain* ActiveFountain() const { return FFountain ? FFountain : FBuiltIn; }

  // The start states computed with the active scheme; the editor installs them on its row list.
  TTokenRowStates& RowStates() { return FRowStates; }

 private:
  void Detach();
  void FountainDestroyed(TObject* sender);
  TNotifyEvent DestroyedEvent() { return MethodEvent<&TEditorFountainLink::FountainDestroyed>(this); }

  TFountain* FBuiltIn;
  TFountain* FFountain = nullptr;
  TNotifyEvent FOnChanged;
  std::function<void()> FOnReset;
  TTokenRowStates FRowStates;
};

}  // namespace editor
