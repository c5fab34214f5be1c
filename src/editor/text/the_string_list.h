// The growable row array under the editor's row store: one fixed-size item per screen row, with change
// events folded by an update count.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editor/base/notify.h"
#include "editor/base/strings.h"

namespace editor {

// One screen row. The two words are packed as TRowAttributeStringList lays them out.
struct TheStringItem {
  std::string Text;      // the row's bytes, never a line break
  std::string ScanText;  // the tokenizer's state text at the row start
  std::int32_t RowData = 0;
  std::uint32_t Attribute = 0;
  std::uint32_t Attribute2 = 0;
};

// A plain, unsorted list of rows. Every Insert, Delete, Put, Exchange and Clear is bracketed by Changing
// and Changed; inside BeginUpdate/EndUpdate the events are held back until the outermost EndUpdate.
class TheStringList : public TStrings {
 public:
  TheStringList() = default;

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

  int Capacity() const { return FCapacity; }
  // Reallocates to exactly `capacity` items; a capacity below the count is a list error.
  void SetCapacity(int capacity);

  // The row's text without copying it.
  const std::string& RowText(int index) const { return ItemAt(index).Text; }
  // The whole row, all five fields.
  const TheStringItem& Item(int index) const { return ItemAt(index); }

  int Add(std::string_view s) override;
  void Insert(int index, std::string_view s) override;
  void Delete(int index) override;
  void Clear() override;
  // Swaps all five fields of the two rows.
  void Exchange(int index1, int index2) override;
  // Takes over every row of source (and its capacity) without copying; source is left empty.
  void TakeRows(TheStringList& source);

 protected:
  std::string Get(int index) const override { return ItemAt(index).Text; }
  int GetCount() const override { return static_cast<int>(FItems.size()); }
  // Sets the text only; the other fields stay.
  void Put(int index, std::string_view s) override;
  void SetUpdateState(bool updating) override;
  virtual void Changed();
  virtual void Changing();

  const TheStringItem& ItemAt(int index) const {
    if (index < 0 || index >= GetCount()) throw EListError(index);
    return FItems[static_cast<std::size_t>(index)];
  }
  TheStringItem& ItemAt(int index) {
    if (index < 0 || index >= GetCount()) throw EListError(index);
    return FItems[static_cast<std::size_t>(index)];
  }

  // Bulk forms for the row store: one shift of the rows behind, one Changing/Changed pair.
  // InsertItems opens `count` fresh rows (both words zero) at index (0 .. Count).
  void InsertItems(int index, int count);
  void DeleteItems(int index, int count);
  // Makes room for `count` rows in all without reallocating more than once.
  void EnsureCapacity(int count);

 private:
  // The platform list's growth: by 4 while below 9, by 16 while below 65, else by a quarter.
  static int GrownCapacity(int capacity);

  std::vector<TheStringItem> FItems;
  int FCapacity = 0;
  int FUpdateLevel = 0;
};

}  // namespace editor
