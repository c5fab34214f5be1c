// Drawing decoded pictures over the skin and loading skin files through a decoder the test controls.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "image/builtin_skin.h"
#include "image/skin_file.h"
#include "support/bmp_writer.h"
#include "support/case_table.h"
#include "support/temp_dir.h"

namespace image {
namespace {

// A picture whose pixel at (x, y) is (x, y, seed), so every pixel tells where it came from.
TBitmap Picture(int width, int height, std::uint8_t seed) {
  TBitmap picture{width, height, {}};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      picture.Pixels.push_back({static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), seed});
  return picture;
}

// How many pixels of the skin came from a picture with the given seed, and whether every other pixel
// still shows what `before` showed.
int PixelsFrom(const TSkinImage& skin, std::uint8_t seed, const TSkinImage& before, bool& restKept) {
  int count = 0;
  restKept = true;
  for (int y = 0; y < TSkinImage::Height; ++y)
    for (int x = 0; x < TSkinImage::Width; ++x) {
      const bool fromPicture =
          skin.Pixel(x, y) == TRgb{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), seed};
      count += fromPicture;
      restKept = restKept && (fromPicture || skin.Pixel(x, y) == before.Pixel(x, y));
    }
  return count;
}

// Pictures are drawn at the top left at their own size and clipped; a picture whose pixel list is short is
// drawn as far as it holds pixels; what they do not cover keeps what the skin showed before.
TEST(SkinImage, PicturesOfEverySizeAreDrawnAtTheTopLeftAndClipped) {
  const TSkinImage builtIn = BuiltInSkin();
  for (const test_support::TRow& row : test_support::Rows("image.txt", "draw")) {
    TSkinImage skin = builtIn;
    TBitmap picture = Picture(row.Int(0), row.Int(1), 7);
    picture.Pixels.resize(static_cast<std::size_t>(row.Int(2)));
    skin.DrawOver(picture);
    bool restKept = false;
    EXPECT_EQ(PixelsFrom(skin, 7, builtIn, restKept), row.Int(3)) << row.Where();
    EXPECT_TRUE(restKept) << row.Where();
  }
  // Pixels outside the skin are never painted, nor read.
  TSkinImage skin = builtIn;
  for (const auto& [x, y] : {std::pair{-1, 0}, {0, -1}, {131, 0}, {0, 70}}) skin.SetPixel(x, y, {1, 2, 3});
  EXPECT_EQ(skin, builtIn);
  skin.SetPixel(0, 0, {1, 2, 3});
  skin.SetPixel(130, 69, {4, 5, 6});
  EXPECT_TRUE(skin.Pixel(0, 0) == (TRgb{1, 2, 3}) && skin.Pixel(130, 69) == (TRgb{4, 5, 6}));
}

// Answers every file with the picture it was given, or with nothing.
class TFakeDecoder : public TBmpDecoder {
 public:
  explicit TFakeDecoder(std::optional<TBitmap> result) : FResult(std::move(result)) {}
  std::optional<TBitmap> Decode(std::string_view bytes) const override {
    Seen = std::string(bytes);
    return FResult;
  }
  mutable std::string Seen;

 private:
  std::optional<TBitmap> FResult;
};

TEST(SkinFile, OnlyAWholeGoodPictureReachesTheSkin) {
  test_support::TempDir dir;
  const std::string good = image_test::MakeBmp({20, 10, 24});
  test_support::WriteBytes(dir / "SKIN.BMP", good);
  test_support::WriteBytes(dir / "CUT.BMP", good.substr(0, good.size() - 1));
  test_support::WriteBytes(dir / "TOPDOWN.BMP", image_test::MakeBmp({20, 10, 24, image_test::BI_RGB, true}));
  std::filesystem::create_directory(dir / "FOLDER.BMP");
  const TSkinImage builtIn = BuiltInSkin();
  const std::map<std::string, TSkinLoad> results = {
      {"missing", TSkinLoad::Missing}, {"failed", TSkinLoad::Failed}, {"loaded", TSkinLoad::Loaded}};
  for (const test_support::TRow& row : test_support::Rows("image.txt", "load")) {
    std::optional<TBitmap> answer = Picture(row[1] == "narrower" ? 19 : 20, row[1] == "shorter" ? 9 : 10, 9);
    if (row[1] == "holey") answer->Pixels.pop_back();
    if (row[1] == "nothing") answer.reset();
    TFakeDecoder decoder(answer);
    TSkinImage skin = builtIn;
    EXPECT_EQ(LoadSkinFile(dir / row[0], decoder, skin), results.at(row[2])) << row.Where();
    bool restKept = false;
    EXPECT_EQ(PixelsFrom(skin, 9, builtIn, restKept), row[2] == "loaded" ? 200 : 0) << row.Where();
    EXPECT_TRUE(restKept) << row.Where();
    // The decoder always gets a bottom-up file, the form every reader takes.
    EXPECT_EQ(decoder.Seen, row.Int(3) != 0 ? good : "") << row.Where();
  }
}

}  // namespace
}  // namespace image
