// The Margin and Marks property objects: clamping, copying and the change reports of the marks.
#include "editor/props/editor_margin.h"

#include <algorithm>

namespace editor {

void TEditorMargin::Store(int& field, int value) {
  value = std::clamp(value, 0, MaxMargin);
  if (field == value) return;
  field = value;
  Changed();
}

void TEditorMargin::Assign(const TPersistent& source) {
  const auto* margin = dynamic_cast<const TEditorMargin*>(&source);
  if (!margin) return TNotifyPersistent::Assign(source);
  FCharacter = margin->FCharacter;
  FLeft = margin->FLeft;
  FLine = margin->FLine;
  FTop = margin->FTop;
  Changed();
}

void TEditorMark::SetColor(TColor value) {
  if (FColor == value) return;
  FColor = value;
  Changed();
}

void TEditorMark::SetVisible(bool value) {
  if (FVisible == value) return;
  FVisible = value;
  Changed();
}

void TEditorMark::Assign(const TPersistent& source) {
  const auto* mark = dynamic_cast<const TEditorMark*>(&source);
  if (!mark) return TNotifyPersistent::Assign(source);
  FColor = mark->FColor;
  FVisible = mark->FVisible;
  Changed();
}

TEditorMarks::TEditorMarks() {
  for (int i = 0; i < 5; ++i) Marks(i)->OnChange = MethodEvent<&TEditorMarks::ChangedProc>(this);
}

TEditorMark* TEditorMarks::Marks(int index) {
  TEditorMark* const marks[] = {&FEofMark, &FRetMark, &FWrapMark, &FHideMark, &FUnderline};
  return marks[index];
}

const TEditorMark* TEditorMarks::Marks(int index) const { return const_cast<TEditorMarks*>(this)->Marks(index); }

void TEditorMarks::Assign(const TPersistent& source) {
  const auto* marks = dynamic_cast<const TEditorMarks*>(&source);
  if (!marks) return TNotifyPersistent::Assign(source);
  BeginUpdate();
  for (int i = 0; i < 5; ++i) Marks(i)->Assign(*marks->Marks(i));
  EndUpdate();
}

}  // namespace editor
