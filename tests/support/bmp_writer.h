// Writes Windows BMP files of every depth and compression for the image, Qt and window tests, with an
// independent model of what each pixel must decode to.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "image/skin_image.h"

namespace image_test {

enum TCompression : std::uint32_t { BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3 };

struct TBmpShape {
  int Width = 0;
  int Height = 0;
  int BitCount = 24;
  TCompression Compression = BI_RGB;
  bool TopDown = false;  // a negative height in the header
};

// Colours every depth holds exactly (channels 0 or 255, which 5-bit fields keep too).
// Indexes past 7 wrap around to the first eight.
inline image::TRgb PureColour(int index) {
  static const image::TRgb kPure[] = {{0, 0, 0},     {255, 0, 0},   {0, 255, 0},   {0, 0, 255},
                                      {255, 255, 0}, {0, 255, 255}, {255, 0, 255}, {255, 255, 255}};
  return kPure[index % 8];
}

// How many colours a depth can index (16 for the deeper ones, which index the pure colours too).
inline int PaletteSize(int bitCount) { return bitCount == 1 ? 2 : 16; }

// The colour index of a pixel: runs of three across (for the run-length files), and uneven enough that a
// flipped, shifted or mirrored picture shows.
inline int IndexAt(int x, int y, int colours) {
  const int block = x / 3;
  return (block * 7 + y * 13 + (block * y) % 5) % colours;
}

// The picture a shape must decode to, rows from the top.
inline image::TBitmap Expected(const TBmpShape& shape) {
  image::TBitmap picture{shape.Width, shape.Height, {}};
  for (int y = 0; y < shape.Height; ++y)
    for (int x = 0; x < shape.Width; ++x) {
      image::TRgb colour = PureColour(IndexAt(x, y, PaletteSize(shape.BitCount)));
      // The deep formats get one more, uneven channel where they can hold it.
      if (shape.BitCount >= 24) colour.G = static_cast<std::uint8_t>((x * 3 + y * 5) & 0xFF);
      // 16-bit files keep the top 5 bits of a channel (6 of green with 5-6-5 fields), and the reader
      // widens them by a shift, as the system's own drawing does.
      if (shape.BitCount == 16) {
        colour.R &= 0xF8;
        colour.G &= shape.Compression == BI_BITFIELDS ? 0xFC : 0xF8;
        colour.B &= 0xF8;
      }
      picture.Pixels.push_back(colour);
    }
  return picture;
}

namespace detail {

// A little-endian field of `bytes` bytes.
inline void Put(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// One bottom-up or top-down row of the shape's pixels, as the file stores them uncompressed.
inline std::string Row(const TBmpShape& shape, const image::TBitmap& picture, int fileRow) {
  const int y = shape.TopDown ? fileRow : shape.Height - 1 - fileRow;
  std::string row;
  std::uint32_t bits = 0;
  int filled = 0;
  const bool masks = shape.Compression == BI_BITFIELDS;
  for (int x = 0; x < shape.Width; ++x) {
    const image::TRgb c = picture.At(x, y);
    if (shape.BitCount <= 8) {
      bits = (bits << shape.BitCount) | static_cast<std::uint32_t>(IndexAt(x, y, PaletteSize(shape.BitCount)));
      filled += shape.BitCount;
    } else if (shape.BitCount == 16 && masks) {  // 5-6-5
      Put(row, ((c.R >> 3u) << 11u) | ((c.G >> 2u) << 5u) | (c.B >> 3u), 2);
    } else if (shape.BitCount == 16) {  // 5-5-5
      Put(row, ((c.R >> 3u) << 10u) | ((c.G >> 3u) << 5u) | (c.B >> 3u), 2);
    } else if (shape.BitCount == 24) {
      row += {static_cast<char>(c.B), static_cast<char>(c.G), static_cast<char>(c.R)};
    } else if (masks) {  // 32 bits, red in the low byte: the masks must be honoured
      Put(row, c.R | (c.G << 8u) | (c.B << 16u), 4);
    } else {
      Put(row, c.B | (c.G << 8u) | (c.R << 16u), 4);
    }
    if (filled == 8) {  // a whole byte of indexes
      row += static_cast<char>(bits);
      bits = 0;
      filled = 0;
    }
  }
  if (filled > 0) row += static_cast<char>(bits << (8 - filled));
  while (row.size() % 4 != 0) row += '\0';
  return row;
}

// Run-length rows: encoded runs of at most 255 pixels (RLE4 runs alternate two indexes), an absolute
// run at the start of each row where there is room for one, end of line, end of bitmap.
inline std::string RlePixels(const TBmpShape& shape) {
  std::string out;
  const bool four = shape.Compression == BI_RLE4;
  for (int fileRow = 0; fileRow < shape.Height; ++fileRow) {
    const int y = shape.TopDown ? fileRow : shape.Height - 1 - fileRow;
    auto index = [&](int x) { return static_cast<unsigned>(IndexAt(x, y, 16)); };
    int x = 0;
    if (shape.Width >= 4) {  // absolute mode: 4 pixels, padded to a word
      out += std::string("\0\x04", 2);
      if (four) {
        out += static_cast<char>((index(0) << 4u) | index(1));
        out += static_cast<char>((index(2) << 4u) | index(3));
      } else {
        for (int i = 0; i < 4; ++i) out += static_cast<char>(index(i));
      }
      x = 4;
    }
    while (x < shape.Width) {
      // An RLE4 run alternates two indexes; an RLE8 run repeats one.
      const unsigned a = index(x);
      const unsigned b = x + 1 < shape.Width ? index(x + 1) : a;
      int run = 1;
      while (x + run < shape.Width && run < 255 && index(x + run) == (four && run % 2 == 1 ? b : a)) ++run;
      out += static_cast<char>(run);
      out += static_cast<char>(four ? (a << 4u) | b : a);
      x += run;
    }
    out += std::string(2, '\0');  // end of line
  }
  return out + std::string("\0\x01", 2);  // end of bitmap
}

}  // namespace detail

// The whole file.
inline std::string MakeBmp(const TBmpShape& shape) {
  using detail::Put;
  const image::TBitmap picture = Expected(shape);
  std::string palette;
  if (shape.BitCount <= 8) {
    for (int i = 0; i < PaletteSize(shape.BitCount); ++i) {
      const image::TRgb c = PureColour(i);
      palette += {static_cast<char>(c.B), static_cast<char>(c.G), static_cast<char>(c.R), '\0'};
    }
  }
  // The masks: 5-6-5 for 16 bits, red in the low byte for 32.
  std::string masks;
  if (shape.Compression == BI_BITFIELDS) {
    for (const std::uint32_t mask : shape.BitCount == 16 ? std::array{0xF800u, 0x07E0u, 0x001Fu}
                                                         : std::array{0x0000FFu, 0x00FF00u, 0xFF0000u})
      Put(masks, mask, 4);
  }
  std::string pixels;
  if (shape.Compression == BI_RLE4 || shape.Compression == BI_RLE8) {
    pixels = detail::RlePixels(shape);
  } else {
    for (int row = 0; row < shape.Height; ++row) pixels += detail::Row(shape, picture, row);
  }
  const auto offset = static_cast<std::uint32_t>(14 + 40 + masks.size() + palette.size());
  const auto colours = static_cast<std::uint32_t>(shape.BitCount <= 8 ? PaletteSize(shape.BitCount) : 0);
  // The file header, then the 40-byte info header; the planes and the bit count are the two 16-bit fields.
  std::string file = "BM";
  for (const std::uint32_t field : {static_cast<std::uint32_t>(offset + pixels.size()), 0u, offset, 40u,
                                    static_cast<std::uint32_t>(shape.Width),
                                    static_cast<std::uint32_t>(shape.TopDown ? -shape.Height : shape.Height)})
    Put(file, field, 4);
  Put(file, 1, 2);
  Put(file, static_cast<std::uint32_t>(shape.BitCount), 2);
  for (const std::uint32_t field :
       {static_cast<std::uint32_t>(shape.Compression), static_cast<std::uint32_t>(pixels.size()), 2835u, 2835u, colours, 0u})
    Put(file, field, 4);
  return file + masks + palette + pixels;
}

}  // namespace image_test
