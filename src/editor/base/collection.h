// An owning, ordered collection of items that tells its owner when items are added, removed or changed.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "editor/base/notify.h"

namespace editor {

class TCollection;

// One item of a collection. It knows its collection and reports its own changes to it.
class TCollectionItem : public TPersistent {
 public:
  explicit TCollectionItem(TCollection* collection) : FCollection(collection) {}
  TCollection* Collection() const { return FCollection; }
  int Index() const;

 protected:
  // Reports a change of this item (or, with allItems, of the whole collection).
  void Changed(bool allItems);

 private:
  TCollection* FCollection;
};

// The items in order. Update(item) is called for every change made outside BeginUpdate/EndUpdate:
// with the item for a change of one item, with nullptr for adds, deletes and batches.
class TCollection : public TPersistent {
 public:
  TCollection() = default;
  ~TCollection() override = default;

  int Count() const { return static_cast<int>(FItems.size()); }
  TCollectionItem* Items(int index) const { return FItems.at(static_cast<std::size_t>(index)).get(); }
  int IndexOf(const TCollectionItem* item) const;

  // Appends a new item made by NewItem.
  virtual TCollectionItem* Add();
  void Delete(int index);
  void Clear();

  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

  // Called by an item whose value changed.
  void ItemChanged(TCollectionItem* item);

 protected:
  // Makes one item of the collection's item class.
  virtual std::unique_ptr<TCollectionItem> NewItem() = 0;
  // The collection's change notification; nullptr means more than one item may have changed.
  virtual void Update(TCollectionItem* item) { (void)item; }
  void Changed();

 private:
  std::vector<std::unique_ptr<TCollectionItem>> FItems;
  int FUpdateCount = 0;
};

// A collection whose changes raise OnChange with the collection as sender.
class TNotifyCollection : public TCollection {
 public:
  TNotifyEvent OnChange;
  // The change sink for contained objects: their change is the collection's change.
  virtual void ChangedProc(TObject* sender);

 protected:
  void Update(TCollectionItem* item) override;
};

}  // namespace editor
