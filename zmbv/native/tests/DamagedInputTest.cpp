#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "DesktopScene.h"
#include "FuzzInput.h"
#include "ZmbvDecoder.h"
#include "ZmbvEncoder.h"
#include "ZmbvFormat.h"

namespace {

using Bytes = std::vector<uint8_t>;
constexpr int Width = 32, Height = 24;

// A key frame and an inter frame of a small scene.
std::vector<Bytes> ValidFrames() {
  TDesktopScene scene(Width, Height);
  TZmbvEncoder encoder(Width, Height, 1, 4);
  std::vector<Bytes> frames;
  std::vector<uint32_t> pixels;
  for (int t = 0; t < 3; ++t) {
    scene.Render(t * 10, pixels);
    Bytes out(Zmbv::MaxFrameSize(Width, Height));
    out.resize(encoder.Encode(reinterpret_cast<const uint8_t*>(pixels.data()), Width * 4, t == 0, out.data()));
    frames.push_back(out);
  }
  return frames;
}

Bytes With(Bytes frame, size_t at, uint8_t value) {
  frame[at] = value;
  return frame;
}

Bytes Cut(const Bytes& frame, size_t size) { return Bytes(frame.begin(), frame.begin() + size); }

Bytes UncompressedKey(uint8_t fill, size_t size) {
  Bytes frame{1, 0, 1, 0, 8, 16, 16};
  frame.resize(Zmbv::KeyHeaderSize + size, fill);
  return frame;
}

// An inter frame of a key frame stored without compression: a motion table of four blocks.
Bytes UncompressedInter(uint8_t entry) {
  Bytes frame(1 + Zmbv::MotionTableSize(Width, Height, 16, 16), entry);
  frame[0] = 0;
  return frame;
}

struct Damage {
  const char* name;
  std::vector<Bytes> frames;
  std::vector<TZmbvResult> results;
};

using R = TZmbvResult;

std::vector<Damage> Cases() {
  const auto v = ValidFrames();
  const Bytes key = v[0], inter = v[1], inter2 = v[2];
  const size_t raw = Zmbv::FrameBytes(Width, Height);
  return {
      {"Valid", {key, inter, Bytes{}, inter2}, {R::Ok, R::Ok, R::Ok, R::Ok}},
      {"InterBeforeKey", {inter, key}, {R::NeedKeyFrame, R::Ok}},
      {"EmptyBeforeKey", {Bytes{}}, {R::NeedKeyFrame}},
      {"ShortHeader", {Cut(key, 3)}, {R::Damaged}},
      {"TruncatedKey", {Cut(key, key.size() / 2), inter}, {R::Damaged, R::NeedKeyFrame}},
      {"UnknownFlags", {With(key, 0, 0x81)}, {R::Damaged}},
      {"NewerVersion", {With(key, 1, 1)}, {R::Unsupported}},
      {"UnknownCompression", {With(key, 3, 2)}, {R::Unsupported}},
      {"PaletteFormat", {With(key, 4, 4)}, {R::Unsupported}},
      {"ZeroBlockWidth", {With(key, 5, 0)}, {R::Unsupported}},
      {"GarbageZlib", {With(With(key, 7, 0x12), 8, 0x34)}, {R::Damaged}},
      {"TruncatedInter", {key, Cut(inter, inter.size() - 6), inter2}, {R::Ok, R::Damaged, R::NeedKeyFrame}},
      {"KeyAfterDamageRecovers", {key, With(inter, 0, 0x40), key, inter}, {R::Ok, R::Damaged, R::Ok, R::Ok}},
      {"UncompressedKey", {UncompressedKey(0x55, raw)}, {R::Ok}},
      {"UncompressedKeyTooLong", {UncompressedKey(0x55, raw + 4)}, {R::Damaged}},
      {"UncompressedKeyTooShort", {UncompressedKey(0x55, raw - 4)}, {R::Damaged}},
      // Every block flagged with XOR data, but none follows.
      {"MissingXorData", {UncompressedKey(0, raw), UncompressedInter(1)}, {R::Ok, R::Damaged}},
      // Vectors far outside the frame predict zeros.
      {"FarVectors", {UncompressedKey(0, raw), UncompressedInter(0x7E)}, {R::Ok, R::Ok}},
  };
}

class DamagedInput : public ::testing::TestWithParam<Damage> {};

TEST_P(DamagedInput, IsReportedAndDecodingResumesAtAKeyFrame) {
  const Damage& c = GetParam();
  TZmbvDecoder decoder(Width, Height);
  Bytes image(Zmbv::FrameBytes(Width, Height));
  for (size_t i = 0; i < c.frames.size(); ++i) {
    EXPECT_EQ(decoder.Decode(c.frames[i].data(), c.frames[i].size()), c.results[i]) << "frame " << i;
    if (decoder.HasFrame()) decoder.CopyFrame(image.data(), Width * 4);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, DamagedInput, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DamagedInput, KeyFrameOfALargerPictureIsRefused) {
  const Bytes key = ValidFrames()[0];
  TZmbvDecoder smaller(Width - 1, Height);
  EXPECT_EQ(smaller.Decode(key.data(), key.size()), R::Damaged);
}

TEST(DamagedInput, FuzzerCorpusDecodesWithoutFault) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(ZMBV_REGRESSIONS)) {
    std::ifstream file(entry.path(), std::ios::binary);
    const Bytes data{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    DecodeFuzzInput(data.data(), data.size());
    ++count;
  }
  EXPECT_GT(count, 0);
}

}  // namespace
