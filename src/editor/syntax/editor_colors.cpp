// The editor's colour set and the mass setters of its bracket collection.
#include "editor/syntax/editor_colors.h"

#include "editor/syntax/fountain.h"

namespace editor {
namespace {

constexpr std::array<std::string_view, EditorColorCount> kRecordNames = {
    "Ank", "Comment", "DBCS", "Hit", "Int", "Mail", "Reserve", "Select", "Str", "Symbol", "Url",
};

constexpr TColor kSelectColor = 0xFFFFFF;    // white text
constexpr TColor kSelectBkColor = 0x800000;  // on navy

}  // namespace

TEditorColors::TEditorColors(TFountain* fountain) : FFountain(fountain) {
  Select().SetColor(kSelectColor);
  Select().SetBkColor(kSelectBkColor);
  for (TEditorColor& color : FColors) color.OnChange = MethodEvent<&TEditorColors::ChangedProc>(this);
}

std::string_view TEditorColors::RecordName(TEditorColorIndex index) {
  return kRecordNames[static_cast<std::size_t>(index)];
}

TFountainColor& TEditorColors::Record(TEditorColorIndex index) {
  if (index == TEditorColorIndex::Reserve && FFountain) return FFountain->Reserve();
  return FColors[static_cast<std::size_t>(index)];
}

const TFountainColor& TEditorColors::Record(TEditorColorIndex index) const {
  if (index == TEditorColorIndex::Reserve && FFountain) return FFountain->Reserve();
  return FColors[static_cast<std::size_t>(index)];
}

std::array<TNamedColor, EditorColorCount> TEditorColors::Records() {
  std::array<TNamedColor, EditorColorCount> entries;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const auto index = static_cast<TEditorColorIndex>(i);
    entries[i] = TNamedColor{kRecordNames[i], &Record(index)};
  }
  return entries;
}

void TEditorColors::Assign(const TPersistent& source) {
  const auto* colors = dynamic_cast<const TEditorColors*>(&source);
  if (!colors) return TNotifyPersistent::Assign(source);
  if (colors == this) return;
  // Reserve reports straight to the scheme, so the scheme's listeners are held too.
  if (FFountain) FFountain->BeginUpdate();
  BeginUpdate();
  for (std::size_t i = 0; i < FColors.size(); ++i) {
    const auto index = static_cast<TEditorColorIndex>(i);
    Record(index).Assign(colors->Record(index));
  }
  EndUpdate();
  if (FFountain) FFountain->EndUpdate();
}

void TEditorBracketCollection::SetAllBkColors(TColor value) {
  BeginUpdate();
  for (int i = 0; i < Count(); ++i) Items(i)->ItemColor().SetBkColor(value);
  EndUpdate();
}

void TEditorBracketCollection::SetAllColors(TColor value) {
  BeginUpdate();
  for (int i = 0; i < Count(); ++i) Items(i)->ItemColor().SetColor(value);
  EndUpdate();
}

void TEditorBracketCollection::SetAllStyles(TFontStyles value) {
  BeginUpdate();
  for (int i = 0; i < Count(); ++i) Items(i)->ItemColor().SetStyle(value);
  EndUpdate();
}

}  // namespace editor
