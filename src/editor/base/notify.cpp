// Change notification: update counting, folding and the listener list.
#include "editor/base/notify.h"

#include <stdexcept>
#include <typeinfo>

namespace editor {

void TPersistent::Assign(const TPersistent& source) {
  throw std::invalid_argument(std::string("Cannot assign a ") + typeid(source).name() + " to a " +
                              typeid(*this).name());
}

void TNotifyPersistent::Changed() {
  if (FUpdateCount == 0 && OnChange) OnChange(this);
}

void TNotifyPersistent::BeginUpdate() { ++FUpdateCount; }

void TNotifyPersistent::EndUpdate() {
  // An unmatched EndUpdate must not leave the object deaf to every later change.
  if (FUpdateCount > 0) --FUpdateCount;
  Changed();
}

void TNotifyPersistent::ChangedProc(TObject* sender) {
  if (sender != this) Changed();
}

void TMethodList::Remove(TNotifyEvent method) {
  for (std::size_t i = FItems.size(); i-- > 0;) {
    if (FItems[i] == method) {
      FItems.erase(FItems.begin() + static_cast<std::ptrdiff_t>(i));
      return;
    }
  }
}

void TNotifyEventList::Changed() {
  if (FUpdateCount != 0) return;
  // Indexed, re-checking the count: a listener may take itself (or another) out while being called.
  for (std::size_t i = 0; i < FList.Count(); ++i) FList.Items(i)(FOwner);
}

}  // namespace editor
