// Loading a skin file over the skin image, with the BMP decoder behind a seam so this layer needs no toolkit.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "image/skin_image.h"

namespace image {

// Decodes a whole Windows BMP file (1 to 32 bits per pixel, RLE4, RLE8, bit fields), stored bottom-up,
// whose headers CheckBmp has accepted. Nothing for a file it cannot decode.
class TBmpDecoder {
 public:
  virtual ~TBmpDecoder() = default;
  virtual std::optional<TBitmap> Decode(std::string_view bytes) const = 0;
};

enum class TSkinLoad {
  Missing,  // no file at the path: the skin is left as it was, and nobody is told
  Loaded,   // drawn over the skin at (0, 0)
  Failed,   // the file could not be read or decoded: the skin is left as it was
};

// The picture in a skin file's bytes: checked first, so a damaged file is refused whole instead of
// painting half a skin; top-down files are turned bottom-up for the decoder.
std::optional<TBitmap> DecodeSkinFile(std::string_view bytes, const TBmpDecoder& decoder);

// Draws the skin file at `path` over `skin`. A folder at the path counts as no file.
TSkinLoad LoadSkinFile(const std::filesystem::path& path, const TBmpDecoder& decoder, TSkinImage& skin);

}  // namespace image
