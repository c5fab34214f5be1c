// The word-wrap settings' clamping and assignment.
#include "editor/text/editor_wrap_option.h"

#include <algorithm>

namespace editor {

void TEditorWrapOption::Assign(const TPersistent& source) {
  const auto* option = dynamic_cast<const TEditorWrapOption*>(&source);
  if (!option) {
    TPersistent::Assign(source);
    return;
  }
  FFollowRetMark = option->FFollowRetMark;
  FFollowPunctuation = option->FFollowPunctuation;
  FFollowStr = option->FFollowStr;
  FLeading = option->FLeading;
  FLeadStr = option->FLeadStr;
  FPunctuationStr = option->FPunctuationStr;
  FWordBreak = option->FWordBreak;
  FWrapByte = option->FWrapByte;
  Changed();
}

void TEditorWrapOption::SetWrapByte(int value) { Store(FWrapByte, std::clamp(value, MinWrapByte, MaxWrapByte)); }

void TEditorWrapOption::StoreText(std::string& field, std::string_view value) {
  if (field == value) return;
  field = value;
  Changed();
}

}  // namespace editor
