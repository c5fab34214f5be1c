// Tests of the page list: new pages and their stamps, deleting without ever emptying the list, swapping.
#include <gtest/gtest.h>

#include <new>

#include "platform/clock.h"
#include "store/note_store.h"

namespace store {
namespace {

// A clock whose reading fails as an allocation does, to drive the out-of-memory paths.
class TFailingClock : public platform::Clock {
 public:
  platform::LocalTime Now() const override { throw std::bad_alloc(); }
};

TMemoData NamedPage(const char* title) {
  TMemoData page = BuiltInDefaultMemo();
  page.Title = title;
  return page;
}

class NoteStoreTest : public ::testing::Test {
 protected:
  platform::FixedClock FClock{{2025, 3, 2, 12, 5, 9}};
  TNoteStore FStore{FClock};

  void FillThree() { FStore.Pages = {NamedPage("a"), NamedPage("b"), NamedPage("c")}; }
  std::string Titles() const {
    std::string titles;
    for (const TMemoData& page : FStore.Pages) titles += page.Title;
    return titles;
  }
};

// A new page is a stamped copy of the default page as it is at that moment.
TEST_F(NoteStoreTest, NewPageIsAStampedCopyOfTheDefault) {
  ASSERT_TRUE(FStore.AddNewPage());
  TMemoData expected = BuiltInDefaultMemo();
  expected.Created = expected.Updated = "20250302120509";
  FStore.DefaultMemo.FontName = "Mono";
  FClock.Set({2026, 12, 31, 0, 0, 0});
  ASSERT_TRUE(FStore.AddNewPage());
  ASSERT_EQ(FStore.Pages.size(), 2u);
  EXPECT_EQ(FStore.Pages[0], expected);
  expected.FontName = "Mono";
  expected.Created = expected.Updated = "20261231000000";
  EXPECT_EQ(FStore.Pages[1], expected);
}

TEST_F(NoteStoreTest, DeleteMovesLaterPagesUpAndIgnoresIndexesOutsideTheList) {
  const std::pair<int32_t, std::string> cases[] = {{0, "bc"},  {1, "ac"},          {2, "ab"},         {-1, "abc"},
                                                   {3, "abc"}, {INT32_MIN, "abc"}, {INT32_MAX, "abc"}};
  for (const auto& [index, left] : cases) {
    FillThree();
    EXPECT_EQ(FStore.DeletePage(index), left != "abc") << index;
    EXPECT_EQ(Titles(), left) << index;
  }
  FStore.Pages.clear();
  EXPECT_FALSE(FStore.DeletePage(0));
  EXPECT_TRUE(FStore.Pages.empty());
}

TEST_F(NoteStoreTest, DeletingTheOnlyPageLeavesOneFreshPage) {
  FStore.Pages = {NamedPage("mine")};
  FStore.Pages[0].Text = "text";
  ASSERT_TRUE(FStore.DeletePage(0));
  ASSERT_EQ(FStore.Pages.size(), 1u);
  TMemoData expected = BuiltInDefaultMemo();
  expected.Created = expected.Updated = "20250302120509";
  EXPECT_EQ(FStore.Pages[0], expected);
}

TEST(NoteStoreFailureTest, FailedAddAndDeleteLeaveThePagesAsTheyWere) {
  TFailingClock clock;
  TNoteStore store(clock);
  store.Pages = {NamedPage("only")};
  const std::vector<TMemoData> before = store.Pages;
  EXPECT_FALSE(store.AddNewPage());
  EXPECT_EQ(store.Pages, before);
  // Deleting the only page needs a fresh page; when none can be made the list must not end up empty.
  EXPECT_FALSE(store.DeletePage(0));
  EXPECT_EQ(store.Pages, before);
}

TEST_F(NoteStoreTest, SwapExchangesWholeRecordsAndIgnoresBadIndexes) {
  FillThree();
  FStore.Pages[0].Text = "first";
  FStore.SwapPages(0, 2);
  EXPECT_EQ(Titles(), "cba");
  EXPECT_EQ(FStore.Pages[2].Text, "first");
  FStore.SwapPages(1, 1);
  FStore.SwapPages(-1, 0);
  FStore.SwapPages(0, 3);
  EXPECT_EQ(Titles(), "cba");
}

}  // namespace
}  // namespace store
