// The one change listener of the editor tests: counts what a notifying object reports, remembers the
// last sender and, given a name and a shared log, the order in which listeners heard.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "editor/base/notify.h"

namespace editor::test {

struct TChangeListener : TObject {
  TChangeListener() = default;
  TChangeListener(std::string name, std::vector<std::string>* log) : Name(std::move(name)), Log(log) {}

  void Heard(TObject* sender) {
    ++Count;
    LastSender = sender;
    if (Log) Log->push_back(Name);
  }
  // The listener as an event to register.
  TNotifyEvent Event() { return MethodEvent<&TChangeListener::Heard>(this); }

  int Count = 0;
  TObject* LastSender = nullptr;
  std::string Name;
  std::vector<std::string>* Log = nullptr;
};

}  // namespace editor::test
