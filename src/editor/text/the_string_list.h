// The row list under the editor's row store: the rows' bytes and packed words in a chunked store, the
// rarely set per-row scan text and row data in a side table, and change events folded by an update count.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "editor/base/notify.h"
#include "editor/base/strings.h"
#include "editor/text/row_store.h"

namespace editor {

// What a row carries besides its text and words; almost every row has none.
struct TRowExtra {
  std::string ScanText;  // the tokenizer's state text at the row start
  std::int32_t RowData = 0;
  bool Empty() const { return ScanText.empty() && RowData == 0; }
};

// A plain, unsorted list of rows. Every Insert, Delete, Put, Exchange and Clear is bracketed by Changing
// and Changed; inside BeginUpdate/EndUpdate the events are held back until the outermost EndUpdate.
class TheStringList : public TStrings {
 public:
  TheStringList() = default;

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

  // Grows with every change of the rows' text, so a reader can tell whether what it computed from them
  // still holds.
  std::uint64_t ChangeCount() const { return FChangeCount; }

  // The row's text, valid until the rows change.
  std::string_view RowText(int index) const {
    CheckIndex(index);
    return FStore.Text(index);
  }
  // Whether the row's first `bytes` bytes (all of a shorter row) hold no tab: each of them then takes one
  // column. Cheap however long the row when the rows near it hold no tab.
  bool RowTabFree(int index, std::size_t bytes) const {
    CheckIndex(index);
    return FStore.TabFree(index, bytes);
  }

  int Add(std::string_view s) override;
  void Insert(int index, std::string_view s) override;
  void Delete(int index) override;
  void Clear() override;
  // Swaps the rows whole: text, words, scan text and row data.
  void Exchange(int index1, int index2) override;

 protected:
  std::string Get(int index) const override { return std::string(RowText(index)); }
  int GetCount() const override { return FStore.Count(); }
  // Sets the text only; the other fields stay.
  void Put(int index, std::string_view s) override;
  void SetUpdateState(bool updating) override;
  virtual void Changed();
  virtual void Changing();
  // Rows [at, at + removed) were replaced by `added` rows (or, with removed == added, rewritten).
  virtual void RowsReplaced(int at, int removed, int added) {
    (void)at;
    (void)removed;
    (void)added;
  }

  void CheckIndex(int index) const {
    if (index < 0 || index >= FStore.Count()) throw EListError(index);
  }
  TRowStore& Store() { return FStore; }
  const TRowStore& Store() const { return FStore; }

  // The side table: the row's extra (nullptr when it has none), and the one to write.
  const TRowExtra* Extra(int index) const;
  TRowExtra& ExtraFor(int index) { return FExtras[index]; }
  void DropExtraIfEmpty(int index);
  bool HasExtras() const { return !FExtras.empty(); }

  // Bulk forms for the row store, one Changing/Changed pair each: ReplaceItems puts all rows of `rows`
  // (text and words) in place of rows [index, index + count) (0 <= index <= Count); the replaced rows' extras
  // go, later rows keep theirs.
  void ReplaceItems(int index, int count, const TRowChunk& rows);
  void DeleteItems(int index, int count);
  // Replaces `length` bytes at byte `index` of a row's text; the row's words and extras stay.
  void ReplaceRowBytes(int index, std::size_t at, std::size_t length, std::string_view bytes);
  // Replaces every row with the store's rows (and no extras), one Changing/Changed pair.
  void TakeStore(TRowStore& store);

 private:
  // Rows [at, at + removed) became `added` rows: their extras go, the later ones move.
  void ShiftExtras(int at, int removed, int added);

  TRowStore FStore;
  std::map<int, TRowExtra> FExtras;
  int FUpdateLevel = 0;
  std::uint64_t FChangeCount = 0;
};

}  // namespace editor
