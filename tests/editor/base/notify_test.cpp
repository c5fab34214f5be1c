// The base layer: change notification (folding nested updates, listener identity and order, listeners
// that take themselves out), notifying collections, and the plain string list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/base/collection.h"
#include "editor/base/notify.h"
#include "editor/base/strings.h"
#include "support/change_listener.h"

namespace editor {
namespace {

using TRecorder = test::TChangeListener;

// A setting as the editor's option classes are built: stores only a real change, then reports it.
class TSample : public TNotifyPersistent {
 public:
  void SetValue(int value) { Store(FValue, value); }

 private:
  int FValue = 0;
};

TEST(NotifyPersistent, NestedUpdatesFoldIntoOneChangeAtTheOuterEnd) {
  TRecorder recorder;
  TSample sample;
  sample.OnChange = recorder.Event();
  sample.BeginUpdate();
  sample.SetValue(1);
  sample.BeginUpdate();
  sample.SetValue(2);
  sample.EndUpdate();
  sample.SetValue(3);
  EXPECT_EQ(recorder.Count, 0);
  sample.EndUpdate();
  EXPECT_EQ(recorder.Count, 1);
  EXPECT_EQ(recorder.LastSender, &sample);
  sample.SetValue(3);           // the value it already holds
  sample.ChangedProc(&sample);  // its own change echoed back
  EXPECT_EQ(recorder.Count, 1);
  sample.ChangedProc(&recorder);
  EXPECT_EQ(recorder.Count, 2);
  sample.EndUpdate();  // unmatched: it must not leave the object deaf
  sample.SetValue(5);
  EXPECT_EQ(sample.UpdateCount(), 0);
  EXPECT_EQ(recorder.Count, 4);
}

TEST(NotifyEventList, CallsListenersInOrderWithTheOwnerAndRemovesTheLatestOfAPair) {
  std::vector<std::string> log;
  TRecorder a("a", &log), b("b", &log), owner("owner", &log);
  TNotifyEventList list(&owner);
  list.Changed();  // no listener: nothing happens
  list.Add(a.Event());
  list.Add(b.Event());
  list.Add(a.Event());
  list.Changed();
  EXPECT_EQ(log, (std::vector<std::string>{"a", "b", "a"}));
  EXPECT_EQ(a.LastSender, &owner);
  log.clear();
  list.Remove(owner.Event());              // same code, another object: not there
  list.Remove(TNotifyEvent{&a, nullptr});  // same object, other code
  list.Remove(a.Event());                  // only the later of the two goes
  list.Changed();
  EXPECT_EQ(log, (std::vector<std::string>{"a", "b"}));
  log.clear();
  list.BeginUpdate();
  list.Changed();
  EXPECT_TRUE(log.empty());
  list.EndUpdate();
  EXPECT_EQ(log.size(), 2u);
}

// A listener that takes itself out while the list is calling it must not break the walk.
struct TSelfRemover : TObject {
  TNotifyEventList* List = nullptr;
  int Calls = 0;
  void Heard(TObject*) {
    ++Calls;
    List->Remove(MethodEvent<&TSelfRemover::Heard>(this));
  }
};

TEST(NotifyEventList, AListenerMayRemoveItselfWhileCalled) {
  TRecorder after;
  TNotifyEventList list(nullptr);
  TSelfRemover remover;
  remover.List = &list;
  list.Add(MethodEvent<&TSelfRemover::Heard>(&remover));
  list.Add(after.Event());
  list.Changed();
  list.Changed();
  EXPECT_EQ(remover.Calls, 1);
  EXPECT_EQ(list.Count(), 1u);
  EXPECT_GE(after.Count, 1);
}

class TSampleItem : public TCollectionItem {
 public:
  using TCollectionItem::TCollectionItem;
  void Touch() { Changed(false); }
};

class TSampleCollection : public TNotifyCollection {
 protected:
  std::unique_ptr<TCollectionItem> NewItem() override { return std::make_unique<TSampleItem>(this); }
};

TEST(NotifyCollection, ReportsAddsDeletesAndItemChangesOutsideUpdates) {
  TRecorder recorder;
  TSampleCollection collection;
  collection.OnChange = recorder.Event();
  auto* item = static_cast<TSampleItem*>(collection.Add());
  item->Touch();
  EXPECT_EQ(recorder.Count, 2);
  EXPECT_EQ(recorder.LastSender, &collection);
  collection.BeginUpdate();
  collection.Add();
  item->Touch();
  collection.Delete(0);
  EXPECT_EQ(recorder.Count, 2);
  collection.EndUpdate();
  EXPECT_EQ(recorder.Count, 3);
  EXPECT_EQ(collection.Count(), 1);
  collection.ChangedProc(&collection);
  EXPECT_EQ(recorder.Count, 3);
  EXPECT_THROW(collection.Delete(5), std::out_of_range);
}

TEST(StringList, InsertDeleteAndTextKeepTheirLinesInOrder) {
  TStringList list;
  list.SetText("a\r\nb\nc");
  list.Insert(1, "x");
  list.Delete(2);
  list.Add("d");
  EXPECT_EQ(list.Text(), "a\r\nx\r\nc\r\nd\r\n");
  EXPECT_THROW(list.Delete(4), EListError);
  EXPECT_THROW(list.Insert(5, "y"), EListError);
}

}  // namespace
}  // namespace editor
