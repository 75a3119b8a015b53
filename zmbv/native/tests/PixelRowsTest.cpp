#include <gtest/gtest.h>

#include <vector>

#include "PixelRows.h"

namespace {

struct Widening {
  const char* name;
  int bitCount;
  std::vector<uint8_t> pixel;
  std::vector<uint8_t> expected;  // B, G, R, 0
};

class PixelRowsTest : public ::testing::TestWithParam<Widening> {};

TEST_P(PixelRowsTest, WidensOnePixel) {
  const Widening& c = GetParam();
  std::vector<uint8_t> out(4, 0xEE);
  WidenRows(c.pixel.data(), 0, c.bitCount, 1, 1, out.data());
  EXPECT_EQ(out, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PixelRowsTest,
    ::testing::Values(Widening{"White555", 16, {0xFF, 0x7F}, {0xFF, 0xFF, 0xFF, 0}},
                      Widening{"TopBitIgnored", 16, {0xFF, 0xFF}, {0xFF, 0xFF, 0xFF, 0}},
                      Widening{"Blue555", 16, {0x1F, 0x00}, {0xFF, 0, 0, 0}},
                      Widening{"Green555", 16, {0xE0, 0x03}, {0, 0xFF, 0, 0}},
                      Widening{"Red555", 16, {0x00, 0x7C}, {0, 0, 0xFF, 0}},
                      Widening{"LowBitsRepeatHighBits", 16, {0x10, 0x00}, {0x84, 0, 0, 0}},
                      Widening{"Rgb24", 24, {1, 2, 3}, {1, 2, 3, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PixelRows, BottomUpPaddedRowsComeOutTopRowFirst) {
  // Two rows of three 24-bit pixels, each row padded to 12 bytes, stored bottom row first.
  const std::vector<uint8_t> dib{
      10, 11, 12, 13, 14, 15, 16, 17, 18, 0xAA, 0xAA, 0xAA,  // bottom row
      20, 21, 22, 23, 24, 25, 26, 27, 28, 0xAA, 0xAA, 0xAA,  // top row
  };
  std::vector<uint8_t> out(24);
  WidenRows(dib.data() + 12, -12, 24, 3, 2, out.data());
  EXPECT_EQ(out, (std::vector<uint8_t>{20, 21, 22, 0, 23, 24, 25, 0, 26, 27, 28, 0,
                                       10, 11, 12, 0, 13, 14, 15, 0, 16, 17, 18, 0}));
}

}  // namespace
