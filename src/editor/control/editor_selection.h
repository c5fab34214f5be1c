// The editor's selection as a part object: its state, the anchor, and the selected range in rows, bytes
// and columns, worked out from the anchor and the caret.
#pragma once

#include <cstdint>
#include <functional>

namespace editor {

class TEditor;

enum TSelectionState : std::uint8_t {
  sstNone,         // nothing selected
  sstAnchored,     // a selection was begun but not yet extended
  sstSelected,     // extended by keys or by the mouse
  sstHitSelected,  // a hit highlight: drawn, but no selection to the editing commands
};

// A position of the caret as the selection remembers it: row, byte index (limited to the row's length)
// and display column.
struct TSelectionPos {
  int Row = 0;
  int Index = 0;
  int Col = 0;
  bool operator==(const TSelectionPos&) const = default;
};

// The selected range in text order. EndIndex is the last selected byte of EndRow (inclusive), so it is
// -1 when the range ends at the start of EndRow.
struct TSelectionRange {
  int StartRow = 0;
  int EndRow = 0;
  int StartIndex = 0;
  int EndIndex = -1;
  int StartCol = 0;
  int EndCol = 0;
  bool operator==(const TSelectionRange&) const = default;
};

// Raised after every update of the selection with the state it now has.
using TSelectionChangeEvent = std::function<void(TEditor& sender, TSelectionState state)>;

class TEditorSelection {
 public:
  TSelectionState State() const { return FState; }
  const TSelectionPos& Anchor() const { return FAnchor; }
  const TSelectionRange& Range() const { return FRange; }
  // Rectangular selection mode: kept and handed to the clipboard; editing treats the range as a stream.
  bool BoxMode() const { return FBoxMode; }
  void SetBoxMode(bool value) { FBoxMode = value; }

  // Starts a selection at the caret (anchored, empty).
  void Begin(const TSelectionPos& caret);
  // Runs the range from the earlier to the later of anchor and caret and makes the state selected.
  void Extend(const TSelectionPos& caret);
  // Marks a range as a hit highlight.
  void SetHit(const TSelectionPos& from, const TSelectionPos& to);
  void Clear();
  // True when the range holds no byte (anchor and caret on the same position).
  bool Empty() const;

 private:
  TSelectionState FState = sstNone;
  TSelectionPos FAnchor;
  TSelectionRange FRange;
  bool FBoxMode = false;
};

}  // namespace editor
