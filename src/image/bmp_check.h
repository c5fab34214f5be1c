// Checking a BMP file's headers and pixel data against each other before any decoder sees the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace image {

// What a checked file holds.
struct TBmpLayout {
  int Width = 0;
  int Height = 0;  // always positive
  bool TopDown = false;
  int BitCount = 0;
  std::uint32_t Compression = 0;  // 0 none, 1 RLE8, 2 RLE4, 3 bit fields
  std::size_t PixelOffset = 0;
  std::size_t RowBytes = 0;  // of an uncompressed row, padded to 4 bytes
};

// No skin is larger than this on either side; a header claiming more is damaged.
inline constexpr int kMaxBmpSide = 4096;

// The layout of a well-formed file: a known header, 1, 4, 8, 16, 24 or 32 bits per pixel with a
// compression that fits the depth, a palette and pixel data the file really holds. Run-length data is
// walked: a run leaving its row or the picture, or data ending before the end-of-bitmap mark, makes the
// file damaged. Nothing for a damaged file.
std::optional<TBmpLayout> CheckBmp(std::string_view bytes);

// The same uncompressed file with its rows stored from the bottom, the form every reader takes.
std::string BottomUpCopy(std::string_view bytes, const TBmpLayout& layout);

}  // namespace image
