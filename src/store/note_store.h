// The page list and the default record new pages are made from.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/clock.h"
#include "store/memo_data.h"

namespace store {

class TNoteStore {
 public:
  explicit TNoteStore(const platform::Clock& clock);
  TNoteStore(const TNoteStore&) = delete;
  TNoteStore& operator=(const TNoteStore&) = delete;

  // The pages in the order they are shown and saved; at least one after start-up.
  std::vector<TMemoData> Pages;
  // New pages are copies of this record; the settings override its font and word-wrap fields.
  TMemoData DefaultMemo;

  // Sets every field of DefaultMemo to the built-in defaults.
  void InitDefaultMemo();
  // Appends a copy of DefaultMemo stamped with the current time (Created = Updated). False, with Pages
  // unchanged, when memory runs out.
  bool AddNewPage();
  // Removes the page at `index`; deleting the only page leaves one fresh page. False for an index
  // outside the list.
  bool DeletePage(int32_t index);
  // Exchanges two pages; indexes outside the list are ignored.
  void SwapPages(int32_t a, int32_t b);

  const platform::Clock& GetClock() const { return FClock; }

 private:
  const platform::Clock& FClock;
};

}  // namespace store
