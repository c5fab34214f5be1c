// Tests of the page list: new pages and their stamps, deleting without ever emptying the list, swapping.
#include <gtest/gtest.h>

#include <new>

#include "store_test_support.h"

namespace store {
namespace {

using namespace store_test;

class NoteStoreTest : public StoreTest {
 protected:
  void FillThree() {
    SetPages({"a", "b", "c"});
    for (TMemoData& page : FStore.Pages) page.Title = page.Text;
  }
  std::string Titles() const {
    std::string titles;
    for (const TMemoData& page : FStore.Pages) titles += page.Title;
    return titles;
  }
};

// A new page is a stamped copy of the default page as it is at that moment.
TEST_F(NoteStoreTest, NewPageIsAStampedCopyOfTheDefault) {
  ASSERT_TRUE(FStore.AddNewPage());
  FStore.DefaultMemo.FontName = "Mono";
  FClock.Set({2026, 12, 31, 0, 0, 0});
  ASSERT_TRUE(FStore.AddNewPage());
  ASSERT_EQ(FStore.Pages.size(), 2u);
  const std::string font = kDefaultFontName;
  EXPECT_EQ(FStore.Pages[0], (TMemoData{0, kDefaultTitle, 0, 0, 0, 0, true, false, 16777215, 0, font, 10, 0, false, 255,
                                        "20240506070809", "20240506070809", ""}));
  EXPECT_EQ(FStore.Pages[1], (TMemoData{0, kDefaultTitle, 0, 0, 0, 0, true, false, 16777215, 0, "Mono", 10, 0, false,
                                        255, "20261231000000", "20261231000000", ""}));
}

TEST_F(NoteStoreTest, DeleteMovesLaterPagesUpAndIgnoresIndexesOutsideTheList) {
  const std::pair<int32_t, std::string> cases[] = {{0, "bc"}, {1, "ac"}, {2, "ab"}, {-1, "abc"}, {3, "abc"}};
  for (const auto& [index, left] : cases) {
    FillThree();
    EXPECT_EQ(FStore.DeletePage(index), left != "abc") << index;
    EXPECT_EQ(Titles(), left) << index;
  }
  // Deleting the only page leaves one fresh page.
  SetPages({"mine"});
  ASSERT_TRUE(FStore.DeletePage(0));
  TMemoData fresh = BuiltInDefaultMemo();
  fresh.Created = fresh.Updated = "20240506070809";
  EXPECT_EQ(FStore.Pages, std::vector<TMemoData>{fresh});
}

TEST_F(NoteStoreTest, SwapExchangesWholeRecordsAndIgnoresBadIndexes) {
  FillThree();
  FStore.SwapPages(0, 2);
  EXPECT_EQ(Titles(), "cba");
  EXPECT_EQ(FStore.Pages[2].Text, "a");
  for (const auto& [a, b] : {std::pair{1, 1}, {-1, 0}, {0, 3}, {3, 0}}) FStore.SwapPages(a, b);
  EXPECT_EQ(Titles(), "cba");
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
