// The bridge from a live editor to the painter and the invalidator: a snapshot of its metrics,
// property objects, colours and selection, and the repaint after a change of its rows.
#pragma once

#include "editor/view/editor_invalidator.h"
#include "editor/view/editor_painter.h"

namespace editor {

class TEditor;

// What a paint pass of the editor reads, as it stands now.
TPaintContext MakePaintContext(TEditor& editor);
// Paints the canvas's clip rectangle of the editor, the caret last.
void PaintEditor(TEditor& editor, TEditorCanvas& canvas, const TDrawLineEvent& onDrawLine = {});

}  // namespace editor
