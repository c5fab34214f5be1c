// The View property object: forwarding to the built-in scheme and turning its changes into View's.
#include "editor/props/editor_view_info.h"

#include "platform/cp932.h"

namespace editor {
TEditorViewInfo::TEditorViewInfo() { FFountain.Add(MethodEvent<&TEditorViewInfo::FountainChanged>(this)); }

TEditorViewInfo::~TEditorViewInfo() { FFountain.Remove(MethodEvent<&TEditorViewInfo::FountainChanged>(this)); }

void TEditorViewInfo::FountainChanged(TObject* sender) {
  (void)sender;
  Changed();
}

void TEditorViewInfo::SetQuotation(const std::string& value) {
  std::size_t length = value.empty() ? 0 : 1;
  if (length == 1 && value.size() >= 2 && platform::IsLeadByte(value[0])) length = 2;
  FFountain.SetQuotation(value.substr(0, length));
}

void TEditorViewInfo::Assign(const TPersistent& source) {
  const auto* view = dynamic_cast<const TEditorViewInfo*>(&source);
  if (!view) return TNotifyPersistent::Assign(source);
  // One report for the whole copy (even of equal values): the scheme folds its own, View reports once.
  BeginUpdate();
  if (view != this) {
    FFountain.BeginUpdate();
    FFountain.SetBrackets(view->Brackets());
    FFountain.SetColors(view->Colors());
    FFountain.SetCommenter(view->Commenter());
    FFountain.SetControlCode(view->ControlCode());
    FFountain.SetHexPrefix(view->HexPrefix());
    FFountain.SetMail(view->Mail());
    FFountain.SetQuotation(view->Quotation());
    FFountain.SetUrl(view->Url());
    FFountain.EndUpdate();
  }
  EndUpdate();
}

}  // namespace editor
