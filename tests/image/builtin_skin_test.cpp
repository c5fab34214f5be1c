// The built-in skin against its description in tests/data/builtin_skin.txt, pixel for pixel. The rules of
// the description are painted here on a plain pixel array, so no drawing code of the skin is taken on trust.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "image/builtin_skin.h"

namespace image {
namespace {

using TPixels = std::array<std::array<TRgb, TSkinImage::Width>, TSkinImage::Height>;

TRgb ParseColour(const std::string& word) {
  if (word == "teal") return {0, 128, 128};
  int r = 0, g = 0, b = 0;
  if (std::sscanf(word.c_str(), "%d,%d,%d", &r, &g, &b) != 3) return Grey(static_cast<std::uint8_t>(r));
  return {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b)};
}

// The picture the rules of the description paint; every rule must read cleanly and stay inside the skin.
TPixels Described() {
  std::ifstream file(TACKNOTE_TEST_DATA "/builtin_skin.txt");
  EXPECT_TRUE(file.good());
  TPixels pixels{};
  auto set = [&pixels](int x, int y, TRgb colour) {
    pixels.at(static_cast<std::size_t>(y)).at(static_cast<std::size_t>(x)) = colour;
  };
  std::string line;
  int pictureX = 0, pictureY = 0;
  while (std::getline(file, line)) {
    if (line.empty() || line[0] == '#') continue;
    if (line[0] == '|') {
      for (std::size_t i = 1; i < line.size(); ++i)
        if (line[i] == '#') set(pictureX + static_cast<int>(i) - 1, pictureY, Grey(153));
      ++pictureY;
      continue;
    }
    std::istringstream in(line);
    std::string rule, colour = "153";
    int x0 = 0, x1 = 0, y0 = 0, y1 = 0, dx = 0, dy = 0, count = 0, step = 0;
    char dash = 0;
    in >> rule;
    if (rule == "area" || rule == "box") {
      in >> x0 >> dash >> x1 >> y0 >> dash >> y1;
      if (rule == "area") in >> colour;
      for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
          if (rule == "area" || x == x0 || x == x1 || y == y0 || y == y1) set(x, y, ParseColour(colour));
    } else if (rule == "diagonal") {
      in >> x0 >> y0 >> dx >> dy >> count >> step;
      for (int i = 0; i < count; i += step) set(x0 + i * dx, y0 + i * dy, Grey(153));
    } else if (rule == "picture") {
      in >> pictureX >> pictureY;
    } else {
      ADD_FAILURE() << "unknown rule: " << line;
    }
    EXPECT_FALSE(in.fail()) << line;
  }
  return pixels;
}

TEST(BuiltInSkin, MatchesItsDescriptionPixelForPixel) {
  const TPixels expected = Described();
  const TSkinImage built = BuiltInSkin();
  int wrong = 0;
  for (int y = 0; y < TSkinImage::Height; ++y) {
    for (int x = 0; x < TSkinImage::Width; ++x) {
      const TRgb want = expected[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
      const TRgb got = built.Pixel(x, y);
      if (want == got || ++wrong > 20) continue;
      ADD_FAILURE() << "(" << x << ", " << y << ") is " << int{got.R} << "," << int{got.G} << "," << int{got.B}
                    << ", expected " << int{want.R} << "," << int{want.G} << "," << int{want.B};
    }
  }
  EXPECT_EQ(wrong, 0);
}

}  // namespace
}  // namespace image
