// The property objects' wiring to the control's change handler.
#include "editor/props/editor_properties.h"

namespace editor {

TEditorProperties::TEditorProperties(TNotifyEvent onChange) {
  FView.OnChange = onChange;
  FCaret.OnChange = onChange;
  FMarks.OnChange = onChange;
  FMargin.OnChange = onChange;
  FImagebar.OnChange = onChange;
  FLeftbar.OnChange = onChange;
  FRuler.OnChange = onChange;
}

}  // namespace editor
