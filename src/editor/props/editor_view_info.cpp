// The View property object: forwarding to the built-in scheme and turning its changes into View's.
#include "editor/props/editor_view_info.h"

#include "platform/cp932.h"

namespace editor {
namespace {

bool SameColor(const TFountainColor& a, const TFountainColor& b) {
  return a.Color() == b.Color() && a.BkColor() == b.BkColor() && a.Style() == b.Style();
}

bool SameBrackets(const TFountainBracketCollection& a, const TFountainBracketCollection& b) {
  if (a.Count() != b.Count()) return false;
  for (int i = 0; i < a.Count(); ++i) {
    const TFountainBracketItem& x = *a.Items(i);
    const TFountainBracketItem& y = *b.Items(i);
    if (x.LeftBracket() != y.LeftBracket() || x.RightBracket() != y.RightBracket() ||
        !SameColor(x.ItemColor(), y.ItemColor()))
      return false;
  }
  return true;
}

}  // namespace

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

bool TEditorViewInfo::SameValues(const TEditorViewInfo& other) const {
  if (Commenter() != other.Commenter() || ControlCode() != other.ControlCode() || HexPrefix() != other.HexPrefix() ||
      Mail() != other.Mail() || Quotation() != other.Quotation() || Url() != other.Url())
    return false;
  for (int i = 0; i < EditorColorCount; ++i) {
    const auto index = static_cast<TEditorColorIndex>(i);
    if (!SameColor(Colors().Record(index), other.Colors().Record(index))) return false;
  }
  return SameBrackets(Brackets(), other.Brackets());
}

void TEditorViewInfo::Assign(const TPersistent& source) {
  const auto* view = dynamic_cast<const TEditorViewInfo*>(&source);
  if (!view) return TNotifyPersistent::Assign(source);
  if (view == this || SameValues(*view)) return;
  // One report for the whole copy: the scheme folds its own, View reports once at the end.
  BeginUpdate();
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
  EndUpdate();
}

}  // namespace editor
