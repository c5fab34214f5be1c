// The built-in skin against its description in tests/data/builtin_skin.txt, pixel for pixel.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "image/builtin_skin.h"

namespace image {
namespace {

constexpr TRgb kLineGrey = Grey(153);

TRgb ParseColour(const std::string& word) {
  if (word == "teal") return {0, 128, 128};
  int r = 0, g = 0, b = 0;
  char comma = 0;
  std::istringstream in(word);
  if (word.find(',') == std::string::npos) {
    in >> r;
    return Grey(static_cast<std::uint8_t>(r));
  }
  in >> r >> comma >> g >> comma >> b;
  return {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b)};
}

// "5-28" as its two ends.
void ParseRange(const std::string& word, int& from, int& to) {
  char dash = 0;
  std::istringstream(word) >> from >> dash >> to;
}

// The picture the rules of the description paint; every rule must read cleanly.
TSkinImage Described() {
  std::ifstream file(TACKNOTE_TEST_DATA "/builtin_skin.txt");
  EXPECT_TRUE(file.good());
  TSkinImage skin;
  std::string line;
  int pictureX = 0, pictureY = 0;
  while (std::getline(file, line)) {
    if (line.empty() || line[0] == '#') continue;
    if (line[0] == '|') {
      for (std::size_t i = 1; i < line.size(); ++i)
        if (line[i] == '#') skin.SetPixel(pictureX + static_cast<int>(i) - 1, pictureY, kLineGrey);
      ++pictureY;
      continue;
    }
    std::istringstream in(line);
    std::string rule, xs, ys, colour;
    in >> rule;
    int x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    if (rule == "area" || rule == "box") {
      in >> xs >> ys;
      if (rule == "area") in >> colour;
      ParseRange(xs, x0, x1);
      ParseRange(ys, y0, y1);
      for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
          if (rule == "area") {
            skin.SetPixel(x, y, ParseColour(colour));
          } else if (x == x0 || x == x1 || y == y0 || y == y1) {
            skin.SetPixel(x, y, kLineGrey);
          }
    } else if (rule == "diagonal") {
      int dx = 0, dy = 0, count = 0, step = 0;
      in >> x0 >> y0 >> dx >> dy >> count >> step;
      for (int i = 0; i < count; i += step) skin.SetPixel(x0 + i * dx, y0 + i * dy, kLineGrey);
    } else if (rule == "picture") {
      in >> pictureX >> pictureY;
    } else {
      ADD_FAILURE() << "unknown rule: " << line;
    }
    EXPECT_FALSE(in.fail()) << line;
  }
  return skin;
}

TEST(BuiltInSkin, MatchesItsDescriptionPixelForPixel) {
  const TSkinImage expected = Described();
  const TSkinImage built = BuiltInSkin();
  int wrong = 0;
  for (int y = 0; y < TSkinImage::Height; ++y) {
    for (int x = 0; x < TSkinImage::Width; ++x) {
      const TRgb want = expected.Pixel(x, y);
      const TRgb got = built.Pixel(x, y);
      if (want == got) continue;
      if (++wrong <= 20) {
        ADD_FAILURE() << "(" << x << ", " << y << ") is " << int{got.R} << "," << int{got.G} << "," << int{got.B}
                      << ", expected " << int{want.R} << "," << int{want.G} << "," << int{want.B};
      }
    }
  }
  EXPECT_EQ(wrong, 0);
}

}  // namespace
}  // namespace image
