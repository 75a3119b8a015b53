#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <vector>

#include "DesktopScene.h"
#include "ZmbvDecoder.h"
#include "ZmbvEncoder.h"
#include "ZmbvFormat.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Encode(TZmbvEncoder& encoder, const std::vector<uint32_t>& pixels, int width, bool key) {
  Bytes out(Zmbv::MaxFrameSize(width, static_cast<int>(pixels.size() / width)));
  out.resize(encoder.Encode(reinterpret_cast<const uint8_t*>(pixels.data()), width * 4, key, out.data()));
  return out;
}

std::vector<uint32_t> Masked(std::vector<uint32_t> pixels) {
  for (auto& p : pixels) p &= 0x00FFFFFF;
  return pixels;
}

struct RoundTrip {
  const char* name;
  int width, height, frames;
  std::set<int> keys;
};

class RoundTripTest : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(RoundTripTest, DecodesToTheFramesEncoded) {
  const RoundTrip& c = GetParam();
  TDesktopScene scene(c.width, c.height);
  TZmbvEncoder encoder(c.width, c.height, 1, 4);
  TZmbvDecoder decoder(c.width, c.height);
  std::vector<uint32_t> pixels, decoded(static_cast<size_t>(c.width) * c.height);
  for (int t = 0; t < c.frames; ++t) {
    scene.Render(t, pixels);
    const bool key = c.keys.count(t) > 0;
    const Bytes frame = Encode(encoder, pixels, c.width, key);
    EXPECT_EQ(frame[0] & Zmbv::FlagKeyFrame, key || t == 0 ? 1 : 0) << "frame " << t;
    ASSERT_EQ(decoder.Decode(frame.data(), frame.size()), TZmbvResult::Ok) << "frame " << t;
    decoder.CopyFrame(reinterpret_cast<uint8_t*>(decoded.data()), c.width * 4);
    ASSERT_EQ(decoded, Masked(pixels)) << "frame " << t;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RoundTripTest,
    ::testing::Values(RoundTrip{"OnePixel", 1, 1, 3, {}}, RoundTrip{"OddSize", 37, 23, 6, {3}},
                      RoundTrip{"NarrowTall", 5, 301, 4, {}}, RoundTrip{"KeyFramesOnly", 160, 90, 4, {0, 1, 2, 3}},
                      RoundTrip{"ScrollBurst", 641, 479, 12, {0}},
                      RoundTrip{"ScrollAcrossKeyFrames", 320, 241, 50, {0, 20, 41}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ZmbvEncoder, KeyFrameHeaderAndFlushedZlibStream) {
  TDesktopScene scene(64, 48);
  std::vector<uint32_t> pixels;
  scene.Render(0, pixels);
  TZmbvEncoder encoder(64, 48, 1, 4);
  const Bytes key = Encode(encoder, pixels, 64, true);
  const Bytes header{1, 0, 1, 1, 8, 16, 16};
  EXPECT_TRUE(std::equal(header.begin(), header.end(), key.begin()));
  EXPECT_EQ(key[7], 0x78) << "a fresh zlib stream starts each key frame";
  const Bytes inter = Encode(encoder, pixels, 64, false);
  for (const Bytes* frame : {&key, &inter})
    EXPECT_TRUE(std::equal(frame->end() - 4, frame->end(), Bytes{0, 0, 0xFF, 0xFF}.begin())) << "sync flush";
}

TEST(ZmbvEncoder, UnchangedFullHdFrameIsTiny) {
  TDesktopScene scene(1920, 1080);
  std::vector<uint32_t> pixels;
  scene.Render(0, pixels);
  TZmbvEncoder encoder(1920, 1080, 1, 4);
  Encode(encoder, pixels, 1920, true);
  for (auto& p : pixels) p ^= 0x5A000000;  // only the ignored byte changes
  EXPECT_LE(Encode(encoder, pixels, 1920, false).size(), 64u) << "raw it is 8 MB";
}

TEST(ZmbvEncoder, BottomUpInputWithNegativeStride) {
  TDesktopScene scene(33, 17);
  std::vector<uint32_t> pixels, flipped, decoded(33 * 17);
  scene.Render(5, pixels);
  for (int y = 16; y >= 0; --y) flipped.insert(flipped.end(), pixels.begin() + y * 33, pixels.begin() + y * 33 + 33);
  TZmbvEncoder encoder(33, 17, 4, 1);
  Bytes out(Zmbv::MaxFrameSize(33, 17));
  out.resize(encoder.Encode(reinterpret_cast<const uint8_t*>(&flipped[16 * 33]), -33 * 4, true, out.data()));
  TZmbvDecoder decoder(33, 17);
  ASSERT_EQ(decoder.Decode(out.data(), out.size()), TZmbvResult::Ok);
  decoder.CopyFrame(reinterpret_cast<uint8_t*>(decoded.data()), 33 * 4);
  EXPECT_EQ(decoded, Masked(pixels));
}

// Inflates the frames of one stream and returns the motion table of the last one.
Bytes MotionTable(const std::vector<Bytes>& frames, size_t tableSize) {
  z_stream z{};
  inflateInit(&z);
  Bytes out(1 << 24);
  for (const Bytes& f : frames) {
    const size_t skip = f[0] & Zmbv::FlagKeyFrame ? Zmbv::KeyHeaderSize : 1;
    z.next_in = const_cast<Bytef*>(f.data() + skip);
    z.avail_in = static_cast<uInt>(f.size() - skip);
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    inflate(&z, Z_SYNC_FLUSH);
  }
  inflateEnd(&z);
  return Bytes(out.begin(), out.begin() + tableSize);
}

TEST(ZmbvEncoder, ScrollIsCodedAsMotionWithinSixteenPixels) {
  const int width = 640, height = 480;
  TDesktopScene scene(width, height);
  TZmbvEncoder encoder(width, height, 1, 4);
  std::vector<uint32_t> pixels;
  std::vector<Bytes> frames;
  for (int t = 0; t < 3; ++t) {
    scene.Render(t, pixels);
    frames.push_back(Encode(encoder, pixels, width, t == 0));
  }
  const Bytes table = MotionTable(frames, Zmbv::MotionTableSize(width, height, 16, 16));
  int scrolled = 0;
  for (size_t i = 0; i + 1 < table.size(); i += 2) {
    const int dx = static_cast<int8_t>(table[i]) >> 1, dy = static_cast<int8_t>(table[i + 1]) >> 1;
    EXPECT_LE(std::abs(dx), 16);
    EXPECT_LE(std::abs(dy), 16);
    scrolled += dx == 0 && dy == TDesktopScene::ScrollStep;
  }
  EXPECT_GE(scrolled, 200) << "most blocks of the scrolled window follow the scroll";
  EXPECT_LT(frames[2].size() * 4, frames[0].size()) << "a scroll costs far less than a key frame";
}

}  // namespace
