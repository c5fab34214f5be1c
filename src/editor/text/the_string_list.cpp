// The row list's operations over the store, the side table of row extras and the held-back change events.
#include "editor/text/the_string_list.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace editor {

int TheStringList::Add(std::string_view s) {
  const int index = GetCount();
  Insert(index, s);
  return index;
}

void TheStringList::Insert(int index, std::string_view s) {
  if (index < 0 || index > GetCount()) throw EListError(index);
  TRowChunk row;
  row.Add(s);
  ReplaceItems(index, 0, row);
}

void TheStringList::Delete(int index) {
  CheckIndex(index);
  DeleteItems(index, 1);
}

void TheStringList::Clear() {
  if (FStore.Count() == 0 && FExtras.empty()) return;
  Changing();
  const int count = FStore.Count();
  FStore.Clear();
  FExtras.clear();
  RowsReplaced(0, count, 0);
  Changed();
}

void TheStringList::Exchange(int index1, int index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  Changing();
  const std::string text1(FStore.Text(index1));
  const std::string text2(FStore.Text(index2));
  FStore.ReplaceBytes(index1, 0, text1.size(), text2);
  FStore.ReplaceBytes(index2, 0, text2.size(), text1);
  std::swap(FStore.Words(index1), FStore.Words(index2));
  const auto extra1 = FExtras.extract(index1);
  const auto extra2 = FExtras.extract(index2);
  if (!extra1.empty()) FExtras[index2] = extra1.mapped();
  if (!extra2.empty()) FExtras[index1] = extra2.mapped();
  RowsReplaced(std::min(index1, index2), std::abs(index1 - index2) + 1, std::abs(index1 - index2) + 1);
  Changed();
}

void TheStringList::Put(int index, std::string_view s) {
  CheckIndex(index);
  Changing();
  FStore.ReplaceBytes(index, 0, FStore.Text(index).size(), s);
  RowsReplaced(index, 1, 1);
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
  ++FChangeCount;
  if (FUpdateLevel == 0 && OnChanging) OnChanging(this);
}

const TRowExtra* TheStringList::Extra(int index) const {
  if (FExtras.empty()) return nullptr;
  const auto found = FExtras.find(index);
  return found == FExtras.end() ? nullptr : &found->second;
}

void TheStringList::DropExtraIfEmpty(int index) {
  const auto found = FExtras.find(index);
  if (found != FExtras.end() && found->second.Empty()) FExtras.erase(found);
}

void TheStringList::ShiftExtras(int at, int removed, int added) {
  if (FExtras.empty() || (removed == 0 && added == 0)) return;
  std::map<int, TRowExtra> shifted;
  for (auto& [row, extra] : FExtras) {
    if (row < at) {
      shifted.emplace_hint(shifted.end(), row, std::move(extra));
    } else if (row >= at + removed) {
      shifted.emplace_hint(shifted.end(), row - removed + added, std::move(extra));
    }
  }
  FExtras.swap(shifted);
}

void TheStringList::ReplaceItems(int index, int count, const TRowChunk& rows) {
  if (index < 0 || index > GetCount()) throw EListError(index);
  if (count < 0 || count > GetCount() - index) throw EListError(index + count - 1);
  if (count == 0 && rows.Empty()) return;
  Changing();
  FStore.Replace(index, count, rows);
  ShiftExtras(index, count, rows.Count());
  RowsReplaced(index, count, rows.Count());
  Changed();
}

void TheStringList::DeleteItems(int index, int count) {
  if (count <= 0) return;
  if (index < 0 || index >= GetCount()) throw EListError(index);
  ReplaceItems(index, count, TRowChunk());
}

void TheStringList::ReplaceRowBytes(int index, std::size_t at, std::size_t length, std::string_view bytes) {
  CheckIndex(index);
  Changing();
  FStore.ReplaceBytes(index, at, length, bytes);
  RowsReplaced(index, 1, 1);
  Changed();
}

void TheStringList::TakeStore(TRowStore& store) {
  Changing();
  const int count = FStore.Count();
  FStore.Swap(store);
  store.Clear();
  FExtras.clear();
  RowsReplaced(0, count, FStore.Count());
  Changed();
}

}  // namespace editor
