// Drawing decoded pictures over the skin and loading skin files through a decoder the test controls.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "image/bmp_writer.h"
#include "image/builtin_skin.h"
#include "image/skin_file.h"
#include "platform/temp_dir.h"

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

// Counts the pixels of the skin that came from a picture with the given seed.
int PixelsFrom(const TSkinImage& skin, std::uint8_t seed) {
  int count = 0;
  for (int y = 0; y < TSkinImage::Height; ++y)
    for (int x = 0; x < TSkinImage::Width; ++x) {
      const TRgb pixel = skin.Pixel(x, y);
      count += pixel == TRgb{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), seed};
    }
  return count;
}

TEST(SkinImage, PicturesOfEverySizeAreDrawnAtTheTopLeftAndClipped) {
  struct Case {
    int Width, Height, Covered;
  };
  for (const Case& c : {Case{131, 70, 131 * 70}, Case{100, 50, 100 * 50}, Case{200, 100, 131 * 70}, Case{1, 1, 1},
                        Case{0, 0, 0}, Case{300, 2, 131 * 2}, Case{2, 300, 2 * 70}}) {
    SCOPED_TRACE(std::to_string(c.Width) + " x " + std::to_string(c.Height));
    TSkinImage skin = BuiltInSkin();
    const TSkinImage before = skin;
    skin.DrawOver(Picture(c.Width, c.Height, 7));
    EXPECT_EQ(PixelsFrom(skin, 7), c.Covered);
    // Outside the picture the skin shows what it showed before.
    for (int y = 0; y < TSkinImage::Height; ++y)
      for (int x = 0; x < TSkinImage::Width; ++x)
        if (x >= c.Width || y >= c.Height) {
          ASSERT_EQ(skin.Pixel(x, y), before.Pixel(x, y)) << x << "," << y;
        }
  }
}

TEST(SkinImage, ASmallerSkinAfterALargerOneKeepsTheLargerOnesPixelsAroundIt) {
  TSkinImage skin = BuiltInSkin();
  skin.DrawOver(Picture(200, 100, 1));
  skin.DrawOver(Picture(100, 50, 2));
  EXPECT_EQ(PixelsFrom(skin, 2), 100 * 50);
  EXPECT_EQ(PixelsFrom(skin, 1), 131 * 70 - 100 * 50);
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
  platform_test::TempDir dir;
  const std::string good = image_test::MakeBmp({20, 10, 24});
  platform_test::WriteBytes(dir / "SKIN.BMP", good);
  platform_test::WriteBytes(dir / "CUT.BMP", good.substr(0, good.size() - 1));
  std::filesystem::create_directory(dir / "FOLDER.BMP");
  const TSkinImage builtIn = BuiltInSkin();

  // What the decoder answers: the picture the header describes, one of another size, or nothing.
  enum TAnswer { Whole, WrongSize, Nothing };
  struct Case {
    const char* Name;
    TAnswer Answer;
    TSkinLoad Expected;
    bool DecoderAsked;
  };
  for (const Case& c :
       {Case{"NONE.BMP", Whole, TSkinLoad::Missing, false}, Case{"FOLDER.BMP", Whole, TSkinLoad::Missing, false},
        Case{"", Whole, TSkinLoad::Missing, false}, Case{"CUT.BMP", Whole, TSkinLoad::Failed, false},
        Case{"SKIN.BMP", Nothing, TSkinLoad::Failed, true}, Case{"SKIN.BMP", WrongSize, TSkinLoad::Failed, true},
        Case{"SKIN.BMP", Whole, TSkinLoad::Loaded, true}}) {
    SCOPED_TRACE(c.Name);
    TFakeDecoder decoder(c.Answer == Nothing ? std::nullopt
                                             : std::optional<TBitmap>(Picture(20, c.Answer == Whole ? 10 : 9, 9)));
    TSkinImage skin = builtIn;
    EXPECT_EQ(LoadSkinFile(dir / c.Name, decoder, skin), c.Expected);
    EXPECT_EQ(PixelsFrom(skin, 9), c.Expected == TSkinLoad::Loaded ? 200 : 0);
    if (c.Expected != TSkinLoad::Loaded) {
      EXPECT_EQ(skin, builtIn);
    }
    EXPECT_EQ(decoder.Seen, c.DecoderAsked ? good : "");
  }
}

}  // namespace
}  // namespace image
