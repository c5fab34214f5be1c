// Change notification: folding of nested updates, listener identity and order, collections.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/base/collection.h"
#include "editor/base/notify.h"
#include "support/change_listener.h"

namespace editor {
namespace {

// A setting object as the editor's option classes are built: stores only a real change, then reports it.
class TSample : public TNotifyPersistent {
 public:
  int Value() const { return FValue; }
  void SetValue(int value) {
    if (value == FValue) return;
    FValue = value;
    Changed();
  }

 private:
  int FValue = 0;
};

// Records every notification it hears, with its name, so order and sender can be checked.
using TRecorder = test::TChangeListener;

TEST(NotifyPersistent, NestedUpdatesFoldIntoOneChangeAtTheOuterEnd) {
  std::vector<std::string> log;
  TRecorder recorder("r", &log);
  TSample sample;
  sample.OnChange = MethodEvent<&TRecorder::Heard>(&recorder);

  sample.BeginUpdate();
  sample.SetValue(1);
  sample.BeginUpdate();
  sample.SetValue(2);
  sample.EndUpdate();
  EXPECT_TRUE(log.empty());
  sample.SetValue(3);
  sample.EndUpdate();
  EXPECT_EQ(log.size(), 1u);
  EXPECT_EQ(recorder.LastSender, &sample);

  sample.SetValue(3);  // the value it already holds
  EXPECT_EQ(log.size(), 1u);
  sample.ChangedProc(&sample);  // its own change echoed back
  EXPECT_EQ(log.size(), 1u);
  sample.ChangedProc(&recorder);
  EXPECT_EQ(log.size(), 2u);
}

TEST(NotifyPersistent, UnmatchedEndUpdateDoesNotSilenceLaterChanges) {
  std::vector<std::string> log;
  TRecorder recorder("r", &log);
  TSample sample;
  sample.OnChange = MethodEvent<&TRecorder::Heard>(&recorder);
  sample.EndUpdate();
  sample.SetValue(5);
  EXPECT_EQ(sample.UpdateCount(), 0);
  EXPECT_EQ(log.size(), 2u);
}

TEST(NotifyEventList, CallsListenersInRegistrationOrderWithTheOwnerAsSender) {
  std::vector<std::string> log;
  TRecorder a("a", &log), b("b", &log), owner("owner", &log);
  TNotifyEventList list(&owner);
  list.Changed();  // no listener: nothing happens
  list.Add(MethodEvent<&TRecorder::Heard>(&a));
  list.Add(MethodEvent<&TRecorder::Heard>(&b));
  list.Add(MethodEvent<&TRecorder::Heard>(&a));
  list.Changed();
  EXPECT_EQ(log, (std::vector<std::string>{"a", "b", "a"}));
  EXPECT_EQ(a.LastSender, &owner);

  log.clear();
  list.Remove(MethodEvent<&TRecorder::Heard>(&a));  // only the later registration goes
  list.Changed();
  EXPECT_EQ(log, (std::vector<std::string>{"a", "b"}));

  log.clear();
  list.BeginUpdate();
  list.Changed();
  EXPECT_TRUE(log.empty());
  list.EndUpdate();
  EXPECT_EQ(log.size(), 2u);
}

TEST(NotifyEventList, RemoveMatchesObjectAndCodeBoth) {
  std::vector<std::string> log;
  TRecorder a("a", &log), b("b", &log);
  TNotifyEventList list(nullptr);
  list.Add(MethodEvent<&TRecorder::Heard>(&a));
  list.Remove(MethodEvent<&TRecorder::Heard>(&b));  // same code, other object
  EXPECT_EQ(list.Count(), 1u);
  list.Remove(TNotifyEvent{&a, nullptr});  // same object, other code
  EXPECT_EQ(list.Count(), 1u);
  list.Remove(MethodEvent<&TRecorder::Heard>(&a));
  EXPECT_EQ(list.Count(), 0u);
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

TEST(NotifyEventList, ListenerMayRemoveItselfWhileCalled) {
  std::vector<std::string> log;
  TRecorder after("after", &log);
  TNotifyEventList list(nullptr);
  TSelfRemover remover;
  remover.List = &list;
  list.Add(MethodEvent<&TSelfRemover::Heard>(&remover));
  list.Add(MethodEvent<&TRecorder::Heard>(&after));
  list.Changed();
  list.Changed();
  EXPECT_EQ(remover.Calls, 1);
  EXPECT_EQ(list.Count(), 1u);
  EXPECT_FALSE(log.empty());
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
  std::vector<std::string> log;
  TRecorder recorder("r", &log);
  TSampleCollection collection;
  collection.OnChange = MethodEvent<&TRecorder::Heard>(&recorder);

  auto* item = static_cast<TSampleItem*>(collection.Add());
  EXPECT_EQ(log.size(), 1u);
  EXPECT_EQ(recorder.LastSender, &collection);
  item->Touch();
  EXPECT_EQ(log.size(), 2u);
  EXPECT_EQ(item->Index(), 0);

  collection.BeginUpdate();
  collection.Add();
  item->Touch();
  collection.Delete(0);
  EXPECT_EQ(log.size(), 2u);
  collection.EndUpdate();
  EXPECT_EQ(log.size(), 3u);
  EXPECT_EQ(collection.Count(), 1);

  collection.ChangedProc(&collection);
  EXPECT_EQ(log.size(), 3u);
  EXPECT_THROW(collection.Delete(5), std::out_of_range);
}

}  // namespace
}  // namespace editor
