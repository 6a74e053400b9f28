#include "Pictures.h"

#include "TestPictures.h"

#include <gtest/gtest.h>


namespace lumetta::images {
namespace {

using namespace testing;

BgraImage GreyRow(std::vector<std::uint8_t> values) {
  BgraImage image(std::uint32_t(values.size()), 1);
  for (std::size_t x = 0; x < values.size(); ++x) {
    std::uint8_t* p = image.row(0) + x * 4;
    p[0] = p[1] = p[2] = values[x], p[3] = 255;
  }
  return image;
}

double Mean(const BgraImage& image, int channel) {
  double sum = 0;
  for (std::size_t i = std::size_t(channel); i < image.pixels.size(); i += 4) sum += image.pixels[i];
  return sum / (double(image.width) * image.height);
}

TEST(DownscaleArea, WeighsThePartlyCoveredPixels) {
  // Three pixels into two: each output covers one and a half source pixels.
  const BgraImage out = DownscaleArea(GreyRow({0, 90, 180}), 2, 1);
  ASSERT_EQ(out.size(), (PictureSize{2, 1}));
  EXPECT_EQ(PixelAt(out, 0, 0), (Colour{30, 30, 30}));    // (0 + 45) / 1.5
  EXPECT_EQ(PixelAt(out, 1, 0), (Colour{150, 150, 150}));  // (45 + 180) / 1.5
  EXPECT_TRUE(AllOpaque(out));
}

TEST(DownscaleArea, HalvingAveragesEachSquareOfFourRounded) {
  const BgraImage square = DownscaleArea(Quadrants(2, 2, {Colour{1, 10, 0}, Colour{2, 20, 0}, Colour{3, 30, 0}, Colour{4, 41, 255}}), 1, 1);
  EXPECT_EQ(PixelAt(square, 0, 0), (Colour{3, 25, 64}));  // 2.5, 25.25, 63.75 rounded
  // The halving shortcut and the general filter agree.
  const BgraImage noise = Noise(64, 32, 7);
  const BgraImage halved = DownscaleArea(noise, 32, 16);
  const BgraImage inTwoSteps = DownscaleArea(DownscaleArea(noise, 32, 32), 32, 16);
  ASSERT_EQ(halved.size(), inTwoSteps.size());
  for (std::size_t i = 0; i < halved.pixels.size(); ++i) {
    ASSERT_LE(std::abs(halved.pixels[i] - inTwoSteps.pixels[i]), 1) << i;
  }
}

TEST(DownscaleArea, KeepsFlatColoursAndTheMeanAtAnyRatio) {
  const BgraImage flat = Quadrants(97, 61, {kGreen, kGreen, kGreen, kGreen});
  const BgraImage noise = Noise(97, 61, 3);
  for (const PictureSize target : {PictureSize{1, 1}, PictureSize{13, 7}, PictureSize{50, 60}, PictureSize{96, 61}}) {
    const BgraImage out = DownscaleArea(flat, target.width, target.height);
    EXPECT_EQ(out.size(), target);
    for (std::uint32_t y = 0; y < out.height; ++y) {
      for (std::uint32_t x = 0; x < out.width; ++x) ASSERT_EQ(PixelAt(out, x, y), kGreen);
    }
    const BgraImage smaller = DownscaleArea(noise, target.width, target.height);
    for (int channel = 0; channel < 3; ++channel) EXPECT_NEAR(Mean(smaller, channel), Mean(noise, channel), 1.0);
    EXPECT_TRUE(AllOpaque(smaller));
  }
}

TEST(DownscaleArea, APhotoSharedOutOverThreadsComesOutWholeAndInOrder) {
  // Every 3 x 3 block of the source has one colour, which its row and column
  // give; a third of each side must bring back exactly those colours, in every
  // row, whichever thread made it.
  const std::uint32_t width = 1000, height = 700;
  BgraImage blocks(width * 3, height * 3);
  for (std::uint32_t y = 0; y < blocks.height; ++y) {
    for (std::uint32_t x = 0; x < blocks.width; ++x) {
      std::uint8_t* p = blocks.row(y) + std::size_t(x) * 4;
      p[0] = std::uint8_t(x / 3), p[1] = std::uint8_t(y / 3), p[2] = std::uint8_t(y / 3 / 256), p[3] = 255;
    }
  }
  const BgraImage out = DownscaleArea(blocks, width, height);
  ASSERT_EQ(out.size(), (PictureSize{width, height}));
  for (std::uint32_t y = 0; y < height; ++y) {
    for (std::uint32_t x = 0; x < width; x += 37) {
      ASSERT_EQ(PixelAt(out, x, y), (Colour{std::uint8_t(x), std::uint8_t(y), std::uint8_t(y / 256)})) << x << "," << y;
    }
  }
}

TEST(DownscaleArea, ClampsTheSizeInsteadOfEnlarging) {
  const BgraImage noise = Noise(5, 4);
  EXPECT_EQ(DownscaleArea(noise, 10, 10).pixels, noise.pixels);
  EXPECT_EQ(DownscaleArea(noise, 0, 0).size(), (PictureSize{1, 1}));
  EXPECT_EQ(DownscaleArea(BgraImage{}, 3, 3).size(), (PictureSize{0, 0}));
}

TEST(HalveForMipLevel, FollowsTheMipChainDownToOnePixel) {
  BgraImage level = Noise(10, 3);
  std::vector<PictureSize> sizes;
  for (int i = 0; i < 4; ++i) {
    level = HalveForMipLevel(level);
    sizes.push_back(level.size());
  }
  EXPECT_EQ(sizes, (std::vector<PictureSize>{{5, 1}, {2, 1}, {1, 1}, {1, 1}}));
}

}  // namespace
}  // namespace lumetta::images
