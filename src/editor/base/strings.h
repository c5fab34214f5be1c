// The abstract string list the editor's row store and line view are shaped after, a plain list of strings
// to assign from, and the list-index error both raise.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "editor/base/notify.h"

namespace editor {

// An index outside a list: "List index out of bounds (%d)".
class EListError : public std::out_of_range {
 public:
  explicit EListError(int index);
};

// An ordered list of byte strings. Updates nest: only the outermost BeginUpdate/EndUpdate pair reaches
// SetUpdateState. Text is the lines, each followed by CR LF.
class TStrings : public TPersistent {
 public:
  int Count() const { return GetCount(); }
  std::string Strings(int index) const { return Get(index); }
  void SetStrings(int index, std::string_view s) { Put(index, s); }
  std::string Text() const { return GetTextStr(); }
  void SetText(std::string_view text) { SetTextStr(text); }

  // Appends s and returns its index.
  virtual int Add(std::string_view s);
  virtual void Insert(int index, std::string_view s) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;
  virtual void Exchange(int index1, int index2);

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

  // From another TStrings: its lines replace these.
  void Assign(const TPersistent& source) override;
  // Replaces the lines with the file's text; false (lines untouched) when the file cannot be read.
  virtual bool LoadFromFile(const std::filesystem::path& fileName);

 protected:
  virtual std::string Get(int index) const = 0;
  virtual int GetCount() const = 0;
  virtual void Put(int index, std::string_view s);
  virtual std::string GetTextStr() const;
  // Lines end at CR LF, a lone CR or a lone LF; a NUL ends the text.
  virtual void SetTextStr(std::string_view text);
  virtual void SetUpdateState(bool updating) { (void)updating; }

 private:
  int FUpdateCount = 0;
};

// The plain list of strings: what the note window fills from a file and hands to Lines.Assign.
class TStringList : public TStrings {
 public:
  void Insert(int index, std::string_view s) override;
  void Delete(int index) override;
  void Clear() override { FItems.clear(); }

 protected:
  std::string Get(int index) const override;
  int GetCount() const override { return static_cast<int>(FItems.size()); }
  void Put(int index, std::string_view s) override;

 private:
  std::vector<std::string> FItems;
};

// The text up to its first NUL: what every text handed to the editor stands for.
inline std::string_view CutAtNul(std::string_view text) { return text.substr(0, text.find('\0')); }

}  // namespace editor
