// The owning item collection and its notifying form.
#include "editor/base/collection.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace editor {

int TCollectionItem::Index() const { return FCollection ? FCollection->IndexOf(this) : -1; }

void TCollectionItem::Changed(bool allItems) {
  if (FCollection) FCollection->ItemChanged(allItems ? nullptr : this);
}

int TCollection::IndexOf(const TCollectionItem* item) const {
  auto it = std::find_if(FItems.begin(), FItems.end(), [item](const auto& p) { return p.get() == item; });
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TCollectionItem* TCollection::Add() {
  FItems.push_back(NewItem());
  Changed();
  return FItems.back().get();
}

void TCollection::Delete(int index) {
  if (index < 0 || index >= Count())
    throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
  FItems.erase(FItems.begin() + index);
  Changed();
}

void TCollection::Clear() {
  if (FItems.empty()) return;
  FItems.clear();
  Changed();
}

void TCollection::EndUpdate() {
  if (FUpdateCount > 0) --FUpdateCount;
  Changed();
}

void TCollection::ItemChanged(TCollectionItem* item) {
  if (FUpdateCount == 0) Update(item);
}

void TCollection::Changed() {
  if (FUpdateCount == 0) Update(nullptr);
}

void TNotifyCollection::ChangedProc(TObject* sender) {
  if (sender != this) Changed();
}

void TNotifyCollection::Update(TCollectionItem* item) {
  (void)item;
  if (OnChange) OnChange(this);
}

}  // namespace editor
