// Tests of the page list: new pages and their stamps, deleting without ever emptying the list, swapping.
#include <gtest/gtest.h>

#include <new>

#include "platform/clock.h"
#include "store/note_store.h"

namespace store {
namespace {

constexpr platform::LocalTime kMarch2 = {2025, 3, 2, 12, 5, 9};

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
  platform::FixedClock FClock{kMarch2};
  TNoteStore FStore{FClock};

  void FillThree() { FStore.Pages = {NamedPage("a"), NamedPage("b"), NamedPage("c")}; }
  std::string Titles() const {
    std::string titles;
    for (const TMemoData& page : FStore.Pages) titles += page.Title;
    return titles;
  }
};

TEST_F(NoteStoreTest, NewPageIsStampedDefaultCopy) {
  ASSERT_TRUE(FStore.AddNewPage());
  ASSERT_EQ(FStore.Pages.size(), 1u);
  TMemoData expected = BuiltInDefaultMemo();
  expected.Created = "20250302120509";
  expected.Updated = "20250302120509";
  EXPECT_EQ(FStore.Pages[0], expected);
}

TEST_F(NoteStoreTest, DefaultChangesReachOnlyLaterPages) {
  ASSERT_TRUE(FStore.AddNewPage());
  FStore.DefaultMemo.FontName = "Mono";
  FStore.DefaultMemo.WordWrap = true;
  FClock.Set({2026, 12, 31, 0, 0, 0});
  ASSERT_TRUE(FStore.AddNewPage());
  EXPECT_EQ(FStore.Pages[0].FontName, kDefaultFontName);
  EXPECT_FALSE(FStore.Pages[0].WordWrap);
  EXPECT_EQ(FStore.Pages[1].FontName, "Mono");
  EXPECT_TRUE(FStore.Pages[1].WordWrap);
  EXPECT_EQ(FStore.Pages[1].Created, "20261231000000");
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

TEST_F(NoteStoreTest, DeletingTheOnlyPageLeavesOneFreshPage) {
  FStore.Pages = {NamedPage("mine")};
  FStore.Pages[0].Text = "text";
  FStore.Pages[0].Created = FStore.Pages[0].Updated = "20000101000000";
  ASSERT_TRUE(FStore.DeletePage(0));
  ASSERT_EQ(FStore.Pages.size(), 1u);
  EXPECT_EQ(FStore.Pages[0].Title, kDefaultTitle);
  EXPECT_EQ(FStore.Pages[0].Text, "");
  EXPECT_EQ(FStore.Pages[0].Created, "20250302120509");
  EXPECT_EQ(FStore.Pages[0].Updated, FStore.Pages[0].Created);
}

TEST_F(NoteStoreTest, DeleteMovesLaterPagesUp) {
  FillThree();
  ASSERT_TRUE(FStore.DeletePage(0));
  EXPECT_EQ(Titles(), "bc");
  FillThree();
  ASSERT_TRUE(FStore.DeletePage(1));
  EXPECT_EQ(Titles(), "ac");
  FillThree();
  ASSERT_TRUE(FStore.DeletePage(2));
  EXPECT_EQ(Titles(), "ab");
}

TEST_F(NoteStoreTest, DeleteOutsideTheListDeletesNothing) {
  FillThree();
  for (const int32_t index : {-1, 3, 1000, INT32_MIN, INT32_MAX}) {
    EXPECT_FALSE(FStore.DeletePage(index)) << index;
    EXPECT_EQ(Titles(), "abc") << index;
  }
  FStore.Pages.clear();
  EXPECT_FALSE(FStore.DeletePage(0));
  EXPECT_TRUE(FStore.Pages.empty());
}

TEST_F(NoteStoreTest, SwapExchangesWholeRecords) {
  FillThree();
  FStore.Pages[0].Text = "first";
  FStore.SwapPages(0, 2);
  EXPECT_EQ(Titles(), "cba");
  EXPECT_EQ(FStore.Pages[2].Text, "first");
  FStore.SwapPages(2, 0);
  EXPECT_EQ(Titles(), "abc");
  FStore.SwapPages(1, 1);
  EXPECT_EQ(Titles(), "abc");
  FStore.SwapPages(-1, 0);
  FStore.SwapPages(0, 3);
  EXPECT_EQ(Titles(), "abc");
}

}  // namespace
}  // namespace store
