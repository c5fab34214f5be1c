// Change notification for the editor's option objects, colour records and colour schemes: an object with a
// change event and an update count, a listener list, and a list that calls every listener.
#pragma once

#include <cstddef>
#include <vector>

namespace editor {

// The root of the editor's objects: what a change event reports as its sender.
class TObject {
 public:
  virtual ~TObject() = default;
};

// A listener: the object and the code, compared as a pair (as a method pointer is), called with a sender.
struct TNotifyEvent {
  using TCode = void (*)(void* object, TObject* sender);
  void* Object = nullptr;
  TCode Code = nullptr;

  explicit operator bool() const { return Code != nullptr; }
  bool operator==(const TNotifyEvent&) const = default;
  void operator()(TObject* sender) const {
    if (Code) Code(Object, sender);
  }
};

namespace detail {
template <auto Method, class C>
void InvokeMethod(void* object, TObject* sender) {
  (static_cast<C*>(object)->*Method)(sender);
}
}  // namespace detail

// The listener for `object->Method(sender)`. Two events made from the same method and object compare equal.
template <auto Method, class C>
TNotifyEvent MethodEvent(C* object) {
  return TNotifyEvent{object, &detail::InvokeMethod<Method, C>};
}

// An object that can take another's values. Assigning from an unrelated class is a programming error.
class TPersistent : public TObject {
 public:
  TPersistent() = default;
  TPersistent(const TPersistent&) = delete;
  TPersistent& operator=(const TPersistent&) = delete;

  virtual void Assign(const TPersistent& source);
};

// A persistent object that reports its changes through OnChange, folded between BeginUpdate and EndUpdate.
class TNotifyPersistent : public TPersistent {
 public:
  TNotifyEvent OnChange;

  // Calls OnChange with this object as sender, unless an update is open.
  virtual void Changed();
  virtual void BeginUpdate();
  // Closes one update and reports the batch once the outermost one is closed.
  virtual void EndUpdate();
  // The change sink for contained objects: their change is this object's change.
  virtual void ChangedProc(TObject* sender);

  int UpdateCount() const { return FUpdateCount; }

 protected:
  // The setters' convention: store a value only when it differs, then report the change.
  template <class T>
  void Store(T& field, const T& value) {
    if (field == value) return;
    field = value;
    Changed();
  }

  int FUpdateCount = 0;
};

// The registered listeners, in registration order; the same listener may stand more than once.
class TMethodList {
 public:
  void Add(TNotifyEvent method) { FItems.push_back(method); }
  // Takes out the latest registration of the method (same code and same object); nothing when none.
  void Remove(TNotifyEvent method);
  void Clear() { FItems.clear(); }
  std::size_t Count() const { return FItems.size(); }
  const TNotifyEvent& Items(std::size_t index) const { return FItems.at(index); }

 private:
  std::vector<TNotifyEvent> FItems;
};

// A notifying object that calls every listener, first registered first, with its owner as sender.
class TNotifyEventList : public TNotifyPersistent {
 public:
  explicit TNotifyEventList(TObject* owner) : FOwner(owner) {}

  void Changed() override;
  void Add(TNotifyEvent method) { FList.Add(method); }
  void Remove(TNotifyEvent method) { FList.Remove(method); }
  std::size_t Count() const { return FList.Count(); }
  TObject* Owner() const { return FOwner; }

 private:
  TMethodList FList;
  TObject* FOwner;
};

}  // namespace editor
