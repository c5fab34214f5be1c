// The component base of colour schemes: a sorted list of the file extensions a scheme suits, and a way
// for users of the component to hear that it is being destroyed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "editor/base/notify.h"

namespace editor {

class TFileExtComponent : public TPersistent {
 public:
  TFileExtComponent() = default;
  // Tells every party that asked (FreeNotification) that this component goes away, so none keeps a
  // dangling reference to it.
  ~TFileExtComponent() override;

  // The extensions (as ".txt"), sorted and without duplicates, letter case ignored.
  const std::vector<std::string>& FileExtList() const { return FFileExtList; }
  void SetFileExtList(std::vector<std::string> extensions);
  bool HasFileExt(std::string_view extension) const;

  // listener(this) is called once when the component is destroyed, unless removed before.
  void FreeNotification(TNotifyEvent listener) { FFreeNotifies.Add(listener); }
  void RemoveFreeNotification(TNotifyEvent listener) { FFreeNotifies.Remove(listener); }

 private:
  std::vector<std::string> FFileExtList;
  TMethodList FFreeNotifies;
};

// Orders two byte strings ignoring ASCII letter case; other bytes (code page 932 included) compare as
// unsigned values. Returns <0, 0 or >0.
int CompareTextAscii(std::string_view a, std::string_view b);

}  // namespace editor
