// The Caret property object: clamping the tab width and copying values.
#include "editor/props/editor_caret.h"

#include <algorithm>

namespace editor {

void TEditorCursors::Assign(const TPersistent& source) {
  const auto* cursors = dynamic_cast<const TEditorCursors*>(&source);
  if (!cursors) return TPersistent::Assign(source);
  FValues = cursors->FValues;
}

int TEditorCaret::ClampTabSpaceCount(int value) {
  value = std::clamp(value, MinTabSpaceCount, MaxTabSpaceCount);
  return value - value % 2;
}

void TEditorCaret::SetOptions(const TCaretOptions& value) {
  TCaretOptions clamped = value;
  clamped.TabSpaceCount = ClampTabSpaceCount(value.TabSpaceCount);
  if (clamped == FOptions) return;
  FOptions = clamped;
  Changed();
}

void TEditorCaret::Assign(const TPersistent& source) {
  const auto* caret = dynamic_cast<const TEditorCaret*>(&source);
  if (!caret) return TNotifyPersistent::Assign(source);
  FCursors.Assign(caret->FCursors);
  FOptions = caret->FOptions;
  FOptions.TabSpaceCount = ClampTabSpaceCount(FOptions.TabSpaceCount);
  Changed();
}

}  // namespace editor
