// The values the note window's form gives its editor control (colours, margins, bars, marks, caret,
// speed, scheme, wrap options, word wrap on). No Qt: the editor core's tests and benchmarks use it too.
#pragma once

namespace editor {
class TEditor;
}

namespace app {

// Gives a control the note window's settings; each property object reports at most once.
void ApplyNoteWindowEditorSettings(editor::TEditor& editor);

}  // namespace app
