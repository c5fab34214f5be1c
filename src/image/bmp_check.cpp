// The BMP header walk and the run-length walk behind CheckBmp.
#include "image/bmp_check.h"

#include <algorithm>
#include <cstdlib>

namespace image {
namespace {

enum : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

std::uint32_t Read16(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at]) |
                                    (static_cast<unsigned char>(bytes[at + 1]) << 8));
}
std::uint32_t Read32(std::string_view bytes, std::size_t at) {
  return Read16(bytes, at) | (Read16(bytes, at + 2) << 16);
}

bool KnownHeaderSize(std::uint32_t size) {
  constexpr std::uint32_t kSizes[] = {12, 40, 52, 56, 64, 108, 124};
  return std::find(std::begin(kSizes), std::end(kSizes), size) != std::end(kSizes);
}

bool FitsDepth(std::uint32_t compression, int bitCount) {
  switch (compression) {
    case kRgb:
      return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32;
    case kRle8:
      return bitCount == 8;
    case kRle4:
      return bitCount == 4;
    case kBitFields:
      return bitCount == 16 || bitCount == 32;
    default:
      return false;
  }
}

// Walks run-length data from the first row to the end-of-bitmap mark; false when a run leaves the picture
// or the data ends first.
bool RunsFit(std::string_view data, const TBmpLayout& layout) {
  const bool four = layout.Compression == kRle4;
  std::size_t at = 0;
  long x = 0;
  long y = 0;
  auto drawInside = [&](long count) { return y < layout.Height && x + count <= layout.Width; };
  while (at + 2 <= data.size()) {
    const auto first = static_cast<unsigned char>(data[at]);
    const auto second = static_cast<unsigned char>(data[at + 1]);
    at += 2;
    if (first > 0) {  // a run of one index (RLE8) or two alternating ones (RLE4)
      if (!drawInside(first)) return false;
      x += first;
    } else if (second == 0) {  // end of line
      x = 0;
      if (++y > layout.Height) return false;
    } else if (second == 1) {  // end of bitmap
      return true;
    } else if (second == 2) {  // move right and down
      if (at + 2 > data.size()) return false;
      x += static_cast<unsigned char>(data[at]);
      y += static_cast<unsigned char>(data[at + 1]);
      at += 2;
      if (x > layout.Width || y > layout.Height) return false;
    } else {  // absolute run of `second` indexes, padded to a 16-bit boundary
      if (!drawInside(second)) return false;
      std::size_t length = four ? (second + 1u) / 2u : second;
      length += length % 2;
      if (at + length > data.size()) return false;
      at += length;
      x += second;
    }
  }
  return false;
}

}  // namespace

std::optional<TBmpLayout> CheckBmp(std::string_view bytes) {
  if (bytes.size() < 14 + 12 || bytes.substr(0, 2) != "BM") return std::nullopt;
  const std::uint32_t headerSize = Read32(bytes, 14);
  if (!KnownHeaderSize(headerSize) || bytes.size() < 14 + std::size_t{headerSize}) return std::nullopt;
  TBmpLayout layout;
  long width = 0;
  long height = 0;
  std::size_t paletteEntry = 4;
  std::uint32_t coloursUsed = 0;
  if (headerSize == 12) {  // the old OS/2 header: 16-bit sizes, 3-byte palette entries, bottom-up only
    width = static_cast<long>(Read16(bytes, 18));
    height = static_cast<long>(Read16(bytes, 20));
    if (Read16(bytes, 22) != 1) return std::nullopt;
    layout.BitCount = static_cast<int>(Read16(bytes, 24));
    paletteEntry = 3;
  } else {
    width = static_cast<std::int32_t>(Read32(bytes, 18));
    height = static_cast<std::int32_t>(Read32(bytes, 22));
    if (Read16(bytes, 26) != 1) return std::nullopt;
    layout.BitCount = static_cast<int>(Read16(bytes, 28));
    layout.Compression = Read32(bytes, 30);
    coloursUsed = Read32(bytes, 46);
  }
  layout.TopDown = height < 0;
  height = std::abs(height);
  if (width <= 0 || height <= 0 || width > kMaxBmpSide || height > kMaxBmpSide) return std::nullopt;
  if (!FitsDepth(layout.Compression, layout.BitCount)) return std::nullopt;
  if (layout.TopDown && (layout.Compression == kRle8 || layout.Compression == kRle4)) return std::nullopt;
  layout.Width = static_cast<int>(width);
  layout.Height = static_cast<int>(height);

  // Masks after a 40-byte header, then the palette, all before the pixels.
  std::size_t tables = 14 + std::size_t{headerSize};
  if (headerSize == 40 && layout.Compression == kBitFields) tables += 12;
  if (layout.BitCount <= 8) {
    const std::uint32_t entries = coloursUsed == 0 ? 1u << layout.BitCount : coloursUsed;
    if (entries > 256) return std::nullopt;
    tables += entries * paletteEntry;
  }
  layout.PixelOffset = Read32(bytes, 10);
  if (tables > bytes.size() || layout.PixelOffset < 14 + std::size_t{headerSize} || layout.PixelOffset > bytes.size())
    return std::nullopt;

  layout.RowBytes = (static_cast<std::size_t>(layout.Width) * static_cast<std::size_t>(layout.BitCount) + 31) / 32 * 4;
  const std::string_view data = bytes.substr(layout.PixelOffset);
  if (layout.Compression == kRle8 || layout.Compression == kRle4) {
    if (!RunsFit(data, layout)) return std::nullopt;
  } else if (layout.RowBytes * static_cast<std::size_t>(layout.Height) > data.size()) {
    return std::nullopt;
  }
  return layout;
}

std::string BottomUpCopy(std::string_view bytes, const TBmpLayout& layout) {
  std::string copy(bytes);
  const auto height = static_cast<std::uint32_t>(layout.Height);
  for (std::size_t i = 0; i < 4; ++i) copy[22 + i] = static_cast<char>((height >> (8 * i)) & 0xFF);
  for (std::size_t row = 0; row < static_cast<std::size_t>(layout.Height); ++row) {
    const std::size_t from = layout.PixelOffset + row * layout.RowBytes;
    const std::size_t to = layout.PixelOffset + (static_cast<std::size_t>(layout.Height) - 1 - row) * layout.RowBytes;
    copy.replace(to, layout.RowBytes, bytes.substr(from, layout.RowBytes));
  }
  return copy;
}

}  // namespace image
