// The page list: adding, deleting and exchanging pages without ever leaving the list empty.
#include "store/note_store.h"

#include <exception>
#include <utility>

#include "platform/clock.h"

namespace store {

namespace {

bool InRange(const std::vector<TMemoData>& pages, int32_t index) {
  return index >= 0 && static_cast<std::size_t>(index) < pages.size();
}

// A copy of the default record stamped with one reading of the clock (Created = Updated).
TMemoData FreshPage(const TMemoData& defaultMemo, const platform::Clock& clock) {
  TMemoData page = defaultMemo;
  page.Created = platform::FormatStamp(clock.Now());
  page.Updated = page.Created;
  return page;
}

}  // namespace

TNoteStore::TNoteStore(const platform::Clock& clock) : FClock(clock) { InitDefaultMemo(); }

void TNoteStore::InitDefaultMemo() { DefaultMemo = BuiltInDefaultMemo(); }

bool TNoteStore::AddNewPage() {
  // The record is finished before it joins the list, so a failure (memory) leaves Pages as it was.
  try {
    TMemoData page = FreshPage(DefaultMemo, FClock);
    Pages.push_back(std::move(page));
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool TNoteStore::DeletePage(int32_t index) {
  // An index outside the list deletes nothing: removing some other page instead would lose a page the
  // user never chose.
  if (!InRange(Pages, index)) return false;
  try {
    if (Pages.size() == 1) {
      // Replacing in place rather than emptying first keeps the list non-empty even if the fresh page
      // cannot be made.
      TMemoData fresh = FreshPage(DefaultMemo, FClock);
      Pages.front() = std::move(fresh);
      return true;
    }
    Pages.erase(Pages.begin() + index);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void TNoteStore::SwapPages(int32_t a, int32_t b) {
  if (!InRange(Pages, a) || !InRange(Pages, b) || a == b) return;
  std::swap(Pages[static_cast<std::size_t>(a)], Pages[static_cast<std::size_t>(b)]);
}

}  // namespace store
