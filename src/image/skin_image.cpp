// Drawing a decoded skin file over the skin image.
#include "image/skin_image.h"

#include <algorithm>

namespace image {

void TSkinImage::DrawOver(const TBitmap& picture) {
  // A picture whose pixel list does not match its size is drawn only as far as it holds pixels.
  const int rows = std::min(picture.Height, Height);
  const int cols = std::min(picture.Width, Width);
  for (int y = 0; y < rows; ++y) {
    for (int x = 0; x < cols; ++x) {
      const auto source =
          static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.Width) + static_cast<std::size_t>(x);
      if (source >= picture.Pixels.size()) return;
      FPixels[Index(x, y)] = picture.Pixels[source];
    }
  }
}

}  // namespace image
