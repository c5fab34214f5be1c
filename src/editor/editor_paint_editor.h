// The bridge from a live editor to the painter and the invalidator: a snapshot of its metrics,
// property objects, colours and selection, and the repaint after a change of its rows.
#pragma once

#include "editor/editor_paint.h"
#include "editor/editor_paint_invalidate.h"

namespace editor {

class TEditor;

// What a paint pass of the editor reads, as it stands now.
TPaintContext MakePaintContext(TEditor& editor);
// Paints the canvas's clip rectangle of the editor, hiding the caret meanwhile.
void PaintEditor(TEditor& editor, TEditorCanvas& canvas, const TDrawLineEvent& onDrawLine = {});
// Repaints after the editor's rows changed: from the row store's record of a recorded change, or
// everything after a change that left no record (a loaded text).
void RepaintEditorAfterChange(TEditor& editor);

}  // namespace editor
