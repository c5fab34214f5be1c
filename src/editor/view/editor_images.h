// Image lists for the image bar: same-sized pictures given pixel by pixel with one colour that stays
// transparent, the built-in digits and marks, and the notice a list gives when it goes away.
#pragma once

#include <vector>

#include "editor/base/geometry.h"
#include "editor/base/notify.h"

namespace editor {

class TEditorImageList : public TObject {
 public:
  TEditorImageList(int width, int height, TColor transparent)
      : FWidth(width), FHeight(height), FTransparent(transparent) {}
  // Tells every party that asked (FreeNotification) that the list goes, so none keeps a dangling pointer.
  ~TEditorImageList() override;
  TEditorImageList(const TEditorImageList&) = delete;
  TEditorImageList& operator=(const TEditorImageList&) = delete;

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  TColor Transparent() const { return FTransparent; }
  int Count() const { return static_cast<int>(FImages.size()); }
  // Adds a picture of Width x Height pixels, row after row (missing pixels are transparent).
  void Add(std::vector<TColor> pixels);
  // The pixels of picture index, row after row.
  const std::vector<TColor>& Pixels(int index) const { return FImages.at(static_cast<std::size_t>(index)); }

  // listener(this) is called once when the list is destroyed, unless removed before.
  void FreeNotification(TNotifyEvent listener) { FFreeNotifies.Add(listener); }
  void RemoveFreeNotification(TNotifyEvent listener) { FFreeNotifies.Remove(listener); }

 private:
  int FWidth;
  int FHeight;
  TColor FTransparent;
  std::vector<std::vector<TColor>> FImages;
  TMethodList FFreeNotifies;
};

// The pictures the image bar shows when the control is given none of its own: the digits 0 to 9
// (8 x 11 pixels, transparent red) for row marks 0 to 9, and six marks (11 x 11 pixels, transparent
// white) for row marks 10 to 15. Made once, never changed.
const TEditorImageList& BuiltInDigitImages();
const TEditorImageList& BuiltInMarkImages();

}  // namespace editor
