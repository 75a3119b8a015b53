#include <windows.h>
#include <vfw.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "DesktopScene.h"
#include "ZmbvDriver.h"

namespace {

constexpr DWORD Zmbv = mmioFOURCC('Z', 'M', 'B', 'V');

BITMAPINFOHEADER Format(LONG width, LONG height, WORD bitCount, DWORD compression = BI_RGB) {
  BITMAPINFOHEADER format{};
  format.biSize = sizeof format;
  format.biWidth = width;
  format.biHeight = height;
  format.biPlanes = 1;
  format.biBitCount = bitCount;
  format.biCompression = compression;
  return format;
}

TEST(ZmbvDriver, DescribesItselfBeforeAnyInstanceIsOpen) {
  ICINFO info{};
  ASSERT_EQ(DriverProc(0, nullptr, ICM_GETINFO, reinterpret_cast<LPARAM>(&info), sizeof info),
            static_cast<LRESULT>(sizeof info));
  EXPECT_EQ(info.fccType, ICTYPE_VIDEO);
  EXPECT_EQ(info.fccHandler, Zmbv);
  EXPECT_STREQ(info.szDescription, L"Zip Motion Blocks Video");
  EXPECT_EQ(DriverProc(0, nullptr, ICM_GETINFO, reinterpret_cast<LPARAM>(&info), sizeof info - 1), 0);
  EXPECT_EQ(DriverProc(0, nullptr, ICM_COMPRESS_QUERY, 0, 0), ICERR_BADHANDLE);
}

TEST(ZmbvDriver, OpensForVideoOnly) {
  ICOPEN audio{};
  audio.dwSize = sizeof audio;
  audio.fccType = mmioFOURCC('a', 'u', 'd', 'c');
  audio.fccHandler = Zmbv;
  EXPECT_EQ(DriverProc(0, nullptr, DRV_OPEN, 0, reinterpret_cast<LPARAM>(&audio)), 0);
  HIC ic = ICOpenFunction(ICTYPE_VIDEO, Zmbv, ICMODE_QUERY, reinterpret_cast<FARPROC>(DriverProc));
  ASSERT_TRUE(ic);
  DWORD value = 0;
  EXPECT_EQ(ICSendMessage(ic, ICM_GETDEFAULTKEYFRAMERATE, reinterpret_cast<DWORD_PTR>(&value), 0), ICERR_OK);
  EXPECT_EQ(value, 300u);
  EXPECT_EQ(ICGetState(ic, nullptr, 0), 0) << "no settings";
  EXPECT_FALSE(ICQueryConfigure(ic));
  ICClose(ic);
}

class ZmbvSession : public ::testing::Test {
 protected:
  void SetUp() override {
    ic = ICOpenFunction(ICTYPE_VIDEO, Zmbv, ICMODE_COMPRESS, reinterpret_cast<FARPROC>(DriverProc));
    ASSERT_TRUE(ic);
  }
  void TearDown() override { ICClose(ic); }
  HIC ic = nullptr;
};

struct Query {
  BITMAPINFOHEADER format;
  bool compressible;
};

TEST_F(ZmbvSession, CompressesUncompressedRgbOfUsualDepths) {
  const Query cases[] = {
      {Format(640, 480, 32), true},           {Format(641, -479, 32), true},
      {Format(33, 17, 24), true},             {Format(33, 17, 16), true},
      {Format(33, 17, 8), false},             {Format(33, 17, 32, BI_BITFIELDS), false},
      {Format(0, 17, 32), false},             {Format(33, 0, 32), false},
      {Format(-33, 17, 32), false},           {Format(65536, 65536, 32), false},
      {Format(33, 17, 32, Zmbv), false},
  };
  for (const Query& c : cases) {
    const auto* in = reinterpret_cast<const BITMAPINFO*>(&c.format);
    EXPECT_EQ(ICCompressQuery(ic, in, nullptr) == ICERR_OK, c.compressible)
        << c.format.biWidth << "x" << c.format.biHeight << "x" << c.format.biBitCount;
    BITMAPINFOHEADER out{};
    EXPECT_EQ(ICCompressGetFormat(ic, in, &out) == ICERR_OK, c.compressible);
    if (!c.compressible) continue;
    EXPECT_EQ(out.biCompression, Zmbv);
    EXPECT_EQ(out.biBitCount, 32);
    EXPECT_EQ(out.biWidth, c.format.biWidth);
    EXPECT_EQ(out.biHeight, std::abs(c.format.biHeight)) << "always bottom-up, positive";
    EXPECT_EQ(ICCompressGetFormatSize(ic, in), static_cast<LRESULT>(sizeof(BITMAPINFOHEADER)));
    EXPECT_GT(ICCompressGetSize(ic, in, &out), static_cast<LRESULT>(4 * out.biWidth * out.biHeight));
  }
}

TEST_F(ZmbvSession, HonoursKeyFrameRequestsAndDecodesItsFrames) {
  const int width = 50, height = 30;
  BITMAPINFOHEADER in = Format(width, height, 32), out{}, rgb = Format(width, height, 32);
  ASSERT_EQ(ICCompressGetFormat(ic, &in, &out), ICERR_OK);
  ASSERT_EQ(ICCompressBegin(ic, &in, &out), ICERR_OK);
  HIC dc = ICOpenFunction(ICTYPE_VIDEO, Zmbv, ICMODE_DECOMPRESS, reinterpret_cast<FARPROC>(DriverProc));
  ASSERT_EQ(ICDecompressBegin(dc, &out, &rgb), ICERR_OK);
  TDesktopScene scene(width, height);
  std::vector<uint32_t> pixels, decoded(width * height);
  std::vector<uint8_t> frame(ICCompressGetSize(ic, &in, &out));
  const bool requested[] = {false, false, true, false};
  for (int t = 0; t < 4; ++t) {
    scene.Render(t * 5, pixels);
    DWORD flags = 0xDEAD;
    BITMAPINFOHEADER coded = out;
    ASSERT_EQ(ICCompress(ic, requested[t] ? ICCOMPRESS_KEYFRAME : 0, &coded, frame.data(), &in, pixels.data(),
                         nullptr, &flags, t, 0, 0, nullptr, nullptr),
              ICERR_OK);
    EXPECT_EQ(flags, requested[t] || t == 0 ? static_cast<DWORD>(AVIIF_KEYFRAME) : 0u) << "frame " << t;
    ASSERT_EQ(ICDecompress(dc, 0, &coded, frame.data(), &rgb, decoded.data()), ICERR_OK);
    for (auto& p : pixels) p &= 0x00FFFFFF;
    EXPECT_EQ(decoded, pixels) << "frame " << t << ": both sides bottom-up";
  }
  EXPECT_EQ(ICCompressEnd(ic), ICERR_OK);
  ICDecompressEnd(dc);
  ICClose(dc);
}

struct BadFrame {
  const char* name;
  std::vector<uint8_t> bytes;
  LRESULT result;
};

TEST_F(ZmbvSession, DamagedFramesFailCleanly) {
  const BadFrame cases[] = {
      {"InterFirst", {0, 1, 2, 3}, ICERR_CANTUPDATE},
      {"Empty", {}, ICERR_CANTUPDATE},
      {"ShortHeader", {1, 0, 1}, ICERR_ERROR},
      {"PaletteKey", {1, 0, 1, 1, 4, 16, 16, 0x78, 1}, ICERR_BADFORMAT},
      {"GarbageKey", {1, 0, 1, 1, 8, 16, 16, 0xDE, 0xAD, 0xBE, 0xEF}, ICERR_ERROR},
      {"TruncatedKey", {1, 0, 1, 1, 8, 16, 16, 0x78, 0x01}, ICERR_ERROR},
  };
  BITMAPINFOHEADER in = Format(20, 10, 32, Zmbv), rgb = Format(20, 10, 32);
  std::vector<uint32_t> picture(200);
  EXPECT_EQ(ICDecompress(ic, 0, &in, picture.data(), &rgb, picture.data()), static_cast<DWORD>(ICERR_ERROR)) << "before begin";
  ASSERT_EQ(ICDecompressBegin(ic, &in, &rgb), ICERR_OK);
  for (const BadFrame& c : cases) {
    std::vector<uint8_t> bytes = c.bytes;
    bytes.resize(bytes.size() + 1);  // never a null pointer
    in.biSizeImage = static_cast<DWORD>(c.bytes.size());
    EXPECT_EQ(ICDecompress(ic, 0, &in, bytes.data(), &rgb, picture.data()), static_cast<DWORD>(c.result)) << c.name;
  }
  BITMAPINFOHEADER wrongOutput = Format(20, 10, 24);
  EXPECT_EQ(ICDecompressQuery(ic, &in, &wrongOutput), ICERR_BADFORMAT);
  EXPECT_EQ(ICDecompressEnd(ic), ICERR_OK);
}

}  // namespace
