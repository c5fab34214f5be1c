// Colour records and bracket pairs: setters that report only real changes, and the bracket limit.
#include "editor/syntax/fountain_color.h"

#include <string>

namespace editor {

void TFountainColor::SetBkColor(TColor value) {
  if (value == FBkColor) return;
  FBkColor = value;
  Changed();
}

void TFountainColor::SetColor(TColor value) {
  if (value == FColor) return;
  FColor = value;
  Changed();
}

void TFountainColor::SetStyle(TFontStyles value) {
  if (value == FStyle) return;
  FStyle = value;
  Changed();
}

void TFountainColor::Assign(const TPersistent& source) {
  const auto* color = dynamic_cast<const TFountainColor*>(&source);
  if (!color) return TNotifyPersistent::Assign(source);
  FBkColor = color->FBkColor;
  FColor = color->FColor;
  FStyle = color->FStyle;
  Changed();
}

TFountainColorItem::TFountainColorItem(TCollection* collection) : TCollectionItem(collection) {
  FItemColor.OnChange = MethodEvent<&TFountainColorItem::ItemColorChanged>(this);
}

void TFountainColorItem::ItemColorChanged(TObject* sender) {
  (void)sender;
  Changed(false);
}

void TFountainColorItem::Assign(const TPersistent& source) {
  const auto* item = dynamic_cast<const TFountainColorItem*>(&source);
  if (!item) return TCollectionItem::Assign(source);
  FItemColor.Assign(item->FItemColor);
}

void TFountainBracketItem::SetLeftBracket(const std::string& value) {
  if (value == FLeftBracket) return;
  FLeftBracket = value;
  Changed(false);
}

void TFountainBracketItem::SetRightBracket(const std::string& value) {
  if (value == FRightBracket) return;
  FRightBracket = value;
  Changed(false);
}

void TFountainBracketItem::Assign(const TPersistent& source) {
  const auto* item = dynamic_cast<const TFountainBracketItem*>(&source);
  if (!item) return TFountainColorItem::Assign(source);
  // The strings are set without a report of their own: the colour's Assign reports the item once.
  FLeftBracket = item->FLeftBracket;
  FRightBracket = item->FRightBracket;
  TFountainColorItem::Assign(source);
}

TFountainBracketItem* TFountainBracketCollection::Add() {
  if (Count() >= MaxBrackets) {
    throw EFountainError("TFountainBracketCollection\r\nYou can not add item over " + std::to_string(MaxBrackets));
  }
  return static_cast<TFountainBracketItem*>(TNotifyCollection::Add());
}

void TFountainBracketCollection::Assign(const TPersistent& source) {
  const auto* brackets = dynamic_cast<const TFountainBracketCollection*>(&source);
  if (!brackets) return TNotifyCollection::Assign(source);
  if (brackets == this) return;
  BeginUpdate();
  try {
    Clear();
    for (int i = 0; i < brackets->Count(); ++i) Add()->Assign(*brackets->Items(i));
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

std::unique_ptr<TCollectionItem> TFountainBracketCollection::NewItem() {
  return std::make_unique<TFountainBracketItem>(this);
}

}  // namespace editor
