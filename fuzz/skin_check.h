// The skin loader's fuzz property, shared by the fuzz target and the test that makes its seeds: the BMP check
// hands a decoder only files whose every byte it promised is there, a top-down file turned bottom-up is
// the same picture, and a decoded skin is the picture the headers describe, pixel for pixel where the
// file's bytes say so plainly (24 bits, no compression).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "image/bmp_check.h"
#include "image/skin_file.h"
#include "image/skin_image.h"

namespace fuzz {

// Empty when the property holds for `bytes`, else what broke. Without a decoder only the check is tried.
inline std::string CheckSkin(std::string_view bytes, const image::TBmpDecoder* decoder) {
  const std::optional<image::TBmpLayout> layout = image::CheckBmp(bytes);
  if (!layout) return {};
  if (layout->Width < 1 || layout->Height < 1 || layout->Width > image::kMaxBmpSide ||
      layout->Height > image::kMaxBmpSide)
    return "a size out of range passed";
  if (layout->PixelOffset > bytes.size()) return "pixel data beyond the file passed";
  const bool compressed = layout->Compression == 1 || layout->Compression == 2;
  const std::size_t pixelBytes = layout->RowBytes * static_cast<std::size_t>(layout->Height);
  if (!compressed && bytes.size() - layout->PixelOffset < pixelBytes) return "missing pixel rows passed";

  std::string bottomUp;
  if (layout->TopDown) {
    bottomUp = image::BottomUpCopy(bytes, *layout);
    const std::optional<image::TBmpLayout> turned = image::CheckBmp(bottomUp);
    if (!turned || turned->TopDown || turned->Width != layout->Width || turned->Height != layout->Height ||
        turned->BitCount != layout->BitCount || turned->PixelOffset != layout->PixelOffset)
      return "the file turned bottom-up does not check as the same picture";
    for (std::size_t row = 0; row < static_cast<std::size_t>(layout->Height); ++row) {
      const std::size_t mirrored = static_cast<std::size_t>(layout->Height) - 1 - row;
      if (bottomUp.compare(layout->PixelOffset + mirrored * layout->RowBytes, layout->RowBytes, bytes,
                           layout->PixelOffset + row * layout->RowBytes, layout->RowBytes) != 0)
        return "a row moved to the wrong place when turning the file";
    }
  }
  if (decoder == nullptr) return {};

  const std::optional<image::TBitmap> picture = image::DecodeSkinFile(bytes, *decoder);
  if (!picture) return {};  // a decoder may refuse what the check let through; the user is told
  image::TSkinImage skin;
  skin.DrawOver(*picture);
  // Only the common 40-byte header: the later ones may carry a colour space a decoder is free to apply.
  const bool plain =
      bytes.substr(14, 4) == std::string_view("\x28\0\0\0", 4) && layout->BitCount == 24 && layout->Compression == 0;
  if (!plain) return {};
  for (int y = 0; y < layout->Height; ++y) {
    const std::size_t fileRow = static_cast<std::size_t>(layout->TopDown ? y : layout->Height - 1 - y);
    for (int x = 0; x < layout->Width; ++x) {
      const std::size_t at = layout->PixelOffset + fileRow * layout->RowBytes + static_cast<std::size_t>(x) * 3;
      const image::TRgb expected{static_cast<std::uint8_t>(bytes[at + 2]), static_cast<std::uint8_t>(bytes[at + 1]),
                                 static_cast<std::uint8_t>(bytes[at])};
      if (picture->At(x, y) != expected) return "a pixel decoded to another colour than the file holds";
      if (x < image::TSkinImage::Width && y < image::TSkinImage::Height && skin.Pixel(x, y) != expected)
        return "the skin shows another colour than the file holds";
    }
  }
  return {};
}

}  // namespace fuzz
