// The seam through which the tokenizer keeps each row's start state: the row store says when, the
// installed TRowStates says what.
#pragma once

namespace editor {

class TEditorScreenStrings;

// Maintains the tokenizer start states stored in a row list. The row list calls UpdateStates after every
// change of its rows (from the first changed row) and ResetStates after the whole text was loaded or
// re-wrapped.
class TRowStates {
 public:
  virtual ~TRowStates() = default;
  // Brings the states up to date from fromRow on; with notify, rows whose state changed are repainted in
  // every attached editor. Returns the number of rows whose stored state was rewritten.
  virtual int UpdateStates(TEditorScreenStrings& rows, int fromRow, bool notify) = 0;
  // Recomputes (or drops) the start state of every row.
  virtual void ResetStates(TEditorScreenStrings& rows) = 0;
};

// The row store's own states while no tokenizer is installed: nothing is computed eagerly. A change moves
// the store's computed mark back to its first row; a reader computes forward from there.
class TLazyRowStates final : public TRowStates {
 public:
  int UpdateStates(TEditorScreenStrings& rows, int fromRow, bool notify) override;
  void ResetStates(TEditorScreenStrings& rows) override;
};

}  // namespace editor
