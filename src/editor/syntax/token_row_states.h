// Start states computed by the tokenizer: the propagation that keeps every row's carried-over token and
// bracket region up to date after an edit, and the reset after a change of scheme.
#pragma once

#include <functional>
#include <memory>

#include "editor/syntax/fountain_parser.h"
#include "editor/syntax/token.h"
#include "editor/text/row_states.h"

namespace editor {

class TFountain;

// What the propagation needs of a row store besides the rows themselves. A state not computed reads with
// BracketIndex -2.
class TRowStateStore : public TRowSource {
 public:
  // The row's stored start state; RowAttribute is the row's own end attribute.
  virtual TRowAttributeData RowState(int row) const = 0;
  // Stores the state fields (the row's own end attribute is left alone); rows are stored in order.
  virtual void SetRowState(int row, const TRowAttributeData& data) = 0;
  // The first row of the run of rows not computed that ends just before row (row when the row before
  // it is computed or there is none). By default found by walking back.
  virtual int UncomputedRunStart(int row) const;
  // Makes every row from row on not computed. By default by storing the not-computed state in each.
  virtual void DropStatesFrom(int row);
};

// Brings the states up to date from fromRow: starts from the nearest computed row above it (or from the
// top), computes forward until a stored state already agrees or two screens (screenRows each) past
// fromRow, and marks every row past that limit not computed. rowChanged (when set) hears each row whose
// stored state was rewritten; those rows are counted. Returns the count (0 without rowChanged).
// With rowChanged (an edit), rows after rows not computed are left alone: no computed state depends on
// them, and drawing computes them when it needs them.
int UpdateRowStates(TRowStateStore& rows, TFountainParser& parser, int fromRow, int screenRows,
                    const std::function<void(int row)>& rowChanged);
// Marks every row not computed, then computes rows 0 .. lastRow from the initial state.
void ResetRowStates(TRowStateStore& rows, TFountainParser& parser, int lastRow);

// A parser that computes states for the scheme: its parser class, the base parser for a scheme that names
// none, and the scheme-less token parser without a scheme.
std::unique_ptr<TFountainParser> CreateStateParser(const TFountain* fountain);

// The row store's start states computed with the active scheme of the editors that show the rows.
// Install it with TEditorScreenStrings::SetRowStates; it is not owned by the rows.
class TTokenRowStates final : public TRowStates {
 public:
  // The scheme whose parser computes the states (the first attached editor's active fountain); not owned.
  const TFountain* Fountain() const { return FFountain; }
  void SetFountain(const TFountain* fountain) {
    FFountain = fountain;
    FParser.reset();
  }
  // Compute every row at a reset instead of two screens below the top row (Speed.InitBracketsFull).
  bool InitBracketsFull() const { return FInitBracketsFull; }
  void SetInitBracketsFull(bool value) { FInitBracketsFull = value; }
  // Called for each row whose state an edit rewrote, to have every attached editor repaint it.
  std::function<void(TEditorScreenStrings& rows, int row)> OnInvalidateRow;

  int UpdateStates(TEditorScreenStrings& rows, int fromRow, bool notify) override;
  void ResetStates(TEditorScreenStrings& rows) override;

 private:
  // The parser of the scheme, made once (and again after the scheme changed).
  TFountainParser& Parser();

  const TFountain* FFountain = nullptr;
  bool FInitBracketsFull = false;
  std::unique_ptr<TFountainParser> FParser;
};

}  // namespace editor
