// Cutting one logical line into screen rows under the word-wrap rules.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "editor/text/column_map.h"
#include "editor/text/editor_wrap_option.h"

namespace editor {

// Cuts lines into rows of at most WrapByte columns (a few more with hanging punctuation). Only the first
// WrapByte + 3 columns of the rest of a line are ever mapped, so a long line costs no more per row than
// a short one. Holds its map buffer between calls.
class TRowCutter {
 public:
  // rules.WordWrap is taken as on whatever it says; rules.WrapByte as the option's.
  TRowCutter(const TEditorWrapOption& option, const TColumnRules& rules);

  // Bytes of the rest of a line a row's cut ever looks at: its columns, the partner of a lead byte, and
  // the characters the line-start rules peek at.
  std::size_t Lookahead() const { return static_cast<std::size_t>(FRules.WrapByte) + 8; }

  // The row that begins `rest`: a window of the rest of a line, at least Lookahead() bytes of it unless
  // restIsWhole says it holds all that is left. Last: the rest fits this row, which ends the line.
  struct TRowCut {
    std::size_t Length;
    bool Last;
  };
  TRowCut NextRow(std::string_view rest, bool restIsWhole);

  // Replaces `lengths` with the byte lengths of the rows, in order. Every row but the last is wrapped;
  // the last ends the line and may be empty (a line that fills its last row exactly, FollowRetMark off).
  void Cut(std::string_view line, std::vector<std::size_t>& lengths);
  // How many rows Cut would make.
  int RowsNeeded(std::string_view line);
  bool FollowRetMark() const { return FOption.FollowRetMark(); }

 private:
  // Where the row that begins the text in the cursor ends: the cursor's column after the break rules.
  void FindBreak(TEditorAttributeArray& cursor) const;

  const TEditorWrapOption& FOption;
  TColumnRules FRules;
  // No rule looks at the characters (WordBreak, FollowPunctuation and Leading off): a row without a tab
  // ends at its WrapByte-th column, one earlier when a double-byte character would straddle it.
  bool FPlain;
  std::string FMap;
  std::vector<std::size_t> FScratch;
};

}  // namespace editor
