// The shapes box editing works with: a box selection's rows and columns, the bytes of a row it covers,
// and one edit of every row of a box.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace editor {

// A box selection: its rows and its columns (Right is the first column after it).
struct TBoxRect {
  int Top = 0;
  int Bottom = 0;
  int Left = 0;
  int Right = 0;
};

// The bytes [Start, End) of one row that an edit replaces.
struct TBoxPart {
  int Start = 0;
  int End = 0;
};

// One edit of Rows rows from Top: on each row the bytes Part gives are replaced by that row's line
// ("" past the lines). A row that ends before column Col is padded with spaces up to it when its line
// is not empty; lines past the last row make new rows. The caret goes after the line of row CaretRow.
struct TBoxEdit {
  int Top = 0;
  int Rows = 0;
  int Col = 0;
  std::function<TBoxPart(int row)> Part;
  std::vector<std::string> Lines;
  int CaretRow = 0;
};

}  // namespace editor
