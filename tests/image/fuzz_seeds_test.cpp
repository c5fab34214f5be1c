// The seed corpus of the skin fuzz target: a file of every depth and compression, top-down ones, and a few
// the check refuses, each already holding the property the target checks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fuzz/skin_check.h"
#include "support/bmp_writer.h"
#include "support/temp_dir.h"

namespace {

using namespace image_test;

TEST(FuzzSeeds, SkinSeedsHoldTheFuzzProperty) {
  std::vector<std::string> seeds;
  for (const TBmpShape& shape :
       {TBmpShape{5, 3, 1}, TBmpShape{5, 3, 4}, TBmpShape{5, 3, 8}, TBmpShape{5, 3, 16}, TBmpShape{5, 3, 24},
        TBmpShape{5, 3, 32}, TBmpShape{7, 3, 16, BI_BITFIELDS}, TBmpShape{7, 3, 32, BI_BITFIELDS},
        TBmpShape{9, 4, 4, BI_RLE4}, TBmpShape{9, 4, 8, BI_RLE8}, TBmpShape{5, 3, 24, BI_RGB, true},
        TBmpShape{6, 2, 8, BI_RGB, true}}) {
    seeds.push_back(MakeBmp(shape));
  }
  std::string cut = seeds[4];
  cut.resize(cut.size() - 5);  // a row short
  seeds.push_back(cut);
  seeds.push_back("BM");
  for (const std::string& seed : seeds) EXPECT_EQ(fuzz::CheckSkin(seed, nullptr), "") << testing::PrintToString(seed);
  test_support::WriteSeeds("skin", seeds);
}

}  // namespace
