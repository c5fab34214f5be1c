// Tests of the page list: new pages and their stamps, deleting without ever emptying the list, swapping.
#include <gtest/gtest.h>

#include <new>

#include "store_test_support.h"
#include "support/case_table.h"

namespace store {
namespace {

using namespace store_test;

using NoteStoreTest = StoreTest;

// A new page is a stamped copy of the default page as it is at that moment.
TEST_F(NoteStoreTest, NewPageIsAStampedCopyOfTheDefault) {
  ASSERT_TRUE(FStore.AddNewPage());
  FStore.DefaultMemo.FontName = "Mono";
  FClock.Set({2026, 12, 31, 0, 0, 0});
  ASSERT_TRUE(FStore.AddNewPage());
  ASSERT_EQ(FStore.Pages.size(), 2u);
  // The first page's every field is pinned by the example block of memo_file_format_test.cpp.
  EXPECT_EQ(FStore.Pages[1], (TMemoData{0, kDefaultTitle, 0, 0, 0, 0, true, false, 16777215, 0, "Mono", 10, 0, false,
                                        255, "20261231000000", "20261231000000", ""}));
}

TEST_F(NoteStoreTest, DeleteAndSwapMoveWholePagesAndIgnoreIndexesOutsideTheList) {
  for (const TRow& row : Rows("store.txt", "pages")) {
    SetPages({"a", "b", "c"});
    for (TMemoData& page : FStore.Pages) page.Title = page.Text;
    if (row[0] == "delete") {
      EXPECT_EQ(FStore.DeletePage(row.Int(1)), row.Int(2) != 0) << row.Where();
    } else {
      FStore.SwapPages(row.Int(1), row.Int(2));
    }
    std::string titles, texts;
    for (const TMemoData& page : FStore.Pages) {
      titles += page.Title;
      texts += page.Text;
    }
    EXPECT_EQ(titles, row.Text(3)) << row.Where();
    EXPECT_EQ(texts, row.Text(3)) << row.Where();
  }
  // Deleting the only page leaves one fresh page.
  SetPages({"mine"});
  ASSERT_TRUE(FStore.DeletePage(0));
  TMemoData fresh = BuiltInDefaultMemo();
  fresh.Created = fresh.Updated = "20240506070809";
  EXPECT_EQ(FStore.Pages, std::vector<TMemoData>{fresh});
}

// A clock whose reading fails as an allocation does, to drive the out-of-memory paths.
class TFailingClock : public platform::Clock {
 public:
  platform::LocalTime Now() const override { throw std::bad_alloc(); }
};

TEST(NoteStoreFailureTest, FailedAddAndDeleteLeaveThePagesAsTheyWere) {
  TFailingClock clock;
  TNoteStore store(clock);
  store.Pages = {Page("only")};
  EXPECT_FALSE(store.AddNewPage());
  // Deleting the only page needs a fresh page; when none can be made the list must not end up empty.
  EXPECT_FALSE(store.DeletePage(0));
  EXPECT_EQ(store.Pages, std::vector<TMemoData>{Page("only")});
}

}  // namespace
}  // namespace store
