// The skin on the Qt side: BMP files decoded with Qt's BMP reader, and the skin image as a QImage to paint from.
#pragma once

#include <QImage>

#include "image/skin_file.h"

namespace qtui {

// Qt's BMP reader behind the image layer's seam. A file is refused, not partly decoded, when its header
// promises more pixel data than it holds or a picture beyond what a skin could sensibly be.
class TQtBmpDecoder final : public image::TBmpDecoder {
 public:
  std::optional<image::TBitmap> Decode(std::string_view bytes) const override;
};

// The skin's pixels as a 24-bit QImage.
QImage ToQImage(const image::TSkinImage& skin);

}  // namespace qtui
