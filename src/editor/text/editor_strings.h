// The editor's Lines: its text as logical lines, in the shape of a string list, over the row list.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "editor/base/strings.h"

namespace editor {

class TEditorScreenStrings;
class TRowsWatcher;

// Translates line indexes to rows and turns every change into one ReplaceText, then puts the caret at
// the end of the text it handed over. Setting Text, Assign, Clear and LoadFromFile replace the whole
// text without recording a change (Modified stays, the undo history is emptied).
class TEditorStrings : public TStrings {
 public:
  // The lines of `rows` as `owner` shows them; the owner places its caret after every change.
  TEditorStrings(TEditorScreenStrings& rows, TRowsWatcher& owner) : FRows(rows), FOwner(owner) {}

  // Returns the old line count. After a text without a final break, s goes after a new break and the
  // text still ends without one.
  int Add(std::string_view s) override;
  // Inserts s and a line break before line index (0 .. Count; Count acts as Add). Insert and Delete
  // ignore a line that is not there, as every edit out of range is ignored.
  void Insert(int index, std::string_view s) override;
  void Delete(int index) override;
  void Clear() override;
  // From any string list: its text, then the caret on the last row, column 0.
  void Assign(const TPersistent& source) override;
  // Reads the file in blocks of 8192 bytes: lines end at LF, CR or CR LF; byte 26 (Ctrl+Z) ends the file;
  // a NUL skips the rest of its block. False, and the text untouched, when the file cannot be opened.
  bool LoadFromFile(const std::filesystem::path& fileName) override;

 protected:
  std::string Get(int index) const override;
  int GetCount() const override;
  void Put(int index, std::string_view s) override;
  std::string GetTextStr() const override;
  void SetTextStr(std::string_view text) override;
  void SetUpdateState(bool updating) override;

 private:
  // ReplaceText with the caret hidden, then the caret placed after the handed text.
  void ReplaceAndPlace(int row, int rowCount, const std::string& text);
  // The whole-text replacements share this: clear, fill, re-wrap, reset states.
  template <class Fill>
  void ReloadRows(Fill&& fill);

  TEditorScreenStrings& Rows() const { return FRows; }

  TEditorScreenStrings& FRows;
  TRowsWatcher& FOwner;
};

}  // namespace editor
