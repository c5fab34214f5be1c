// The note window's skin: a 131 x 70 RGB bitmap the frame is painted from, and any decoded picture that
// may be drawn over it.
#pragma once

#include <cstdint>
#include <vector>

namespace image {

struct TRgb {
  std::uint8_t R = 0;
  std::uint8_t G = 0;
  std::uint8_t B = 0;
  bool operator==(const TRgb&) const = default;
};

// A grey level as a colour.
constexpr TRgb Grey(std::uint8_t level) { return {level, level, level}; }

// A picture of any size, rows from the top.
struct TBitmap {
  int Width = 0;
  int Height = 0;
  std::vector<TRgb> Pixels;  // Width * Height
  TRgb At(int x, int y) const { return Pixels[static_cast<std::size_t>(y * Width + x)]; }
};

// The skin keeps its size whatever is drawn over it: a bigger picture is clipped, a smaller one leaves
// the rest as it was.
class TSkinImage {
 public:
  static constexpr int Width = 131;
  static constexpr int Height = 70;

  TSkinImage() : FPixels(static_cast<std::size_t>(Width * Height)) {}

  TRgb Pixel(int x, int y) const { return FPixels[Index(x, y)]; }
  // Points outside the image are ignored, so drawing code need not clip.
  void SetPixel(int x, int y, TRgb color) {
    if (x >= 0 && x < Width && y >= 0 && y < Height) FPixels[Index(x, y)] = color;
  }
  // Draws the picture with its top-left corner at (0, 0), at its own size, clipped to the skin.
  void DrawOver(const TBitmap& picture);

  const std::vector<TRgb>& Pixels() const { return FPixels; }
  bool operator==(const TSkinImage&) const = default;

 private:
  static std::size_t Index(int x, int y) { return static_cast<std::size_t>(y * Width + x); }
  std::vector<TRgb> FPixels;
};

}  // namespace image
