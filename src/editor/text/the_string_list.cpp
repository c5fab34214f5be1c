// The row array: growth, bulk shifts and the held-back change events.
#include "editor/text/the_string_list.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace editor {

int TheStringList::GrownCapacity(int capacity) {
  if (capacity > 64) return capacity + capacity / 4;
  if (capacity > 8) return capacity + 16;
  return capacity + 4;
}

void TheStringList::SetCapacity(int capacity) {
  if (capacity < GetCount()) throw std::out_of_range("List capacity out of bounds (" + std::to_string(capacity) + ")");
  if (capacity == FCapacity) return;
  if (capacity > FCapacity) {
    FItems.reserve(static_cast<std::size_t>(capacity));
  } else {
    std::vector<TheStringItem> items;
    items.reserve(static_cast<std::size_t>(capacity));
    std::move(FItems.begin(), FItems.end(), std::back_inserter(items));
    FItems.swap(items);
  }
  FCapacity = capacity;
}

void TheStringList::EnsureCapacity(int count) {
  if (count > FCapacity) SetCapacity(std::max(count, GrownCapacity(FCapacity)));
}

int TheStringList::Add(std::string_view s) {
  const int index = GetCount();
  Insert(index, s);
  return index;
}

void TheStringList::Insert(int index, std::string_view s) {
  if (index < 0 || index > GetCount()) throw EListError(index);
  Changing();
  EnsureCapacity(GetCount() + 1);
  TheStringItem item;
  item.Text = s;
  FItems.insert(FItems.begin() + index, std::move(item));
  Changed();
}

void TheStringList::Delete(int index) {
  if (index < 0 || index >= GetCount()) throw EListError(index);
  Changing();
  FItems.erase(FItems.begin() + index);
  Changed();
}

void TheStringList::Clear() {
  if (FItems.empty() && FCapacity == 0) return;
  Changing();
  FItems.clear();
  SetCapacity(0);
  Changed();
}

void TheStringList::Exchange(int index1, int index2) {
  if (index1 < 0 || index1 >= GetCount()) throw EListError(index1);
  if (index2 < 0 || index2 >= GetCount()) throw EListError(index2);
  Changing();
  std::swap(FItems[static_cast<std::size_t>(index1)], FItems[static_cast<std::size_t>(index2)]);
  Changed();
}

void TheStringList::TakeRows(TheStringList& source) {
  if (&source == this) return;
  Changing();
  source.Changing();
  FItems = std::move(source.FItems);
  FCapacity = source.FCapacity;
  source.FItems.clear();
  source.FItems.shrink_to_fit();
  source.FCapacity = 0;
  source.Changed();
  Changed();
}

void TheStringList::Put(int index, std::string_view s) {
  TheStringItem& item = ItemAt(index);
  Changing();
  item.Text = s;
  Changed();
}

void TheStringList::SetUpdateState(bool updating) {
  if (updating) {
    Changing();
    ++FUpdateLevel;
  } else {
    if (FUpdateLevel > 0) --FUpdateLevel;
    Changed();
  }
}

void TheStringList::Changed() {
  if (FUpdateLevel == 0 && OnChange) OnChange(this);
}

void TheStringList::Changing() {
  if (FUpdateLevel == 0 && OnChanging) OnChanging(this);
}

void TheStringList::InsertItems(int index, int count) {
  if (index < 0 || index > GetCount()) throw EListError(index);
  if (count <= 0) return;
  Changing();
  EnsureCapacity(GetCount() + count);
  FItems.insert(FItems.begin() + index, static_cast<std::size_t>(count), TheStringItem{});
  Changed();
}

void TheStringList::DeleteItems(int index, int count) {
  if (count <= 0) return;
  if (index < 0 || index >= GetCount()) throw EListError(index);
  if (count > GetCount() - index) throw EListError(index + count - 1);
  Changing();
  FItems.erase(FItems.begin() + index, FItems.begin() + index + count);
  Changed();
}

}  // namespace editor
