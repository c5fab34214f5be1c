// The colour records of a colour scheme, and the bracket pairs that mark regions with a colour of their own.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "editor/base/collection.h"
#include "editor/base/geometry.h"
#include "editor/base/notify.h"

namespace editor {

// What the colour scheme and its parsers raise for a misuse that the text names.
class EFountainError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TFountainColor;

// A colour record with the name of the property that publishes it.
struct TNamedColor {
  std::string_view Name;
  TFountainColor* Color;
};

// One token class's colours and style; clNone leaves the control's own colour in force.
class TFountainColor : public TNotifyPersistent {
 public:
  TColor BkColor() const { return FBkColor; }
  TColor Color() const { return FColor; }
  TFontStyles Style() const { return FStyle; }
  void SetBkColor(TColor value);
  void SetColor(TColor value);
  void SetStyle(TFontStyles value);

  // Copies all three values and reports one change.
  void Assign(const TPersistent& source) override;

 private:
  TColor FBkColor = clNone;
  TColor FColor = clNone;
  TFontStyles FStyle = 0;
};

// A collection item that owns one colour record and reports its changes as its own.
class TFountainColorItem : public TCollectionItem {
 public:
  explicit TFountainColorItem(TCollection* collection);

  TFountainColor& ItemColor() { return FItemColor; }
  const TFountainColor& ItemColor() const { return FItemColor; }
  void SetItemColor(const TFountainColor& value) { FItemColor.Assign(value); }
  void Assign(const TPersistent& source) override;

 private:
  void ItemColorChanged(TObject* sender);

  TFountainColor FItemColor;
};

// A bracket pair: text from LeftBracket to RightBracket forms one tokBracket region, even across rows.
class TFountainBracketItem : public TFountainColorItem {
 public:
  using TFountainColorItem::TFountainColorItem;

  const std::string& LeftBracket() const { return FLeftBracket; }
  const std::string& RightBracket() const { return FRightBracket; }
  void SetLeftBracket(const std::string& value);
  void SetRightBracket(const std::string& value);
  void Assign(const TPersistent& source) override;

 private:
  std::string FLeftBracket;
  std::string FRightBracket;
};

// The bracket pairs of a scheme, in match order. A row stores its bracket index in four bits, so
// there are at most MaxBrackets pairs.
class TFountainBracketCollection : public TNotifyCollection {
 public:
  static constexpr int MaxBrackets = 14;

  // Raises EFountainError when the collection is full.
  TFountainBracketItem* Add() override;
  TFountainBracketItem* Items(int index) const { return static_cast<TFountainBracketItem*>(TCollection::Items(index)); }
  // Replaces all items by copies of the source's, reporting one change.
  void Assign(const TPersistent& source) override;

 protected:
  std::unique_ptr<TCollectionItem> NewItem() override;
};

}  // namespace editor
