#include <windows.h>

#include <gtest/gtest.h>

#include "TRectEx.h"
#include "TestSupport.h"
#include "YKUtils.h"

TEST(Utils, BytesAsTextRoundTrip) {
  unsigned char bytes[256];
  for (int i = 0; i < 256; ++i) bytes[i] = static_cast<unsigned char>(i);
  const std::string text = YKConvertToChar(bytes, 256);
  EXPECT_EQ(text.size(), 512u);
  EXPECT_EQ(text.substr(0, 8), "00010203");
  unsigned char back[256] = {};
  EXPECT_EQ(YKConvertToByte(text, back, 256), 256);
  EXPECT_EQ(memcmp(bytes, back, 256), 0);
  EXPECT_EQ(YKConvertToByte("0aFFzz", back, 3), 2) << "stops at the first bad digit";
  EXPECT_EQ(back[0], 0x0A);
  EXPECT_EQ(back[1], 0xFF);
}

TEST(Utils, EnvironmentPathsAndNumbers) {
  SetEnv("QUORLO_TEST_VAR", "视频");
  EXPECT_EQ(QXExpandEnvironmentVariables("%QUORLO_TEST_VAR%\\QXRecord\\"), "视频\\QXRecord\\");
  EXPECT_EQ(QXExpandEnvironmentVariables("%NO_SUCH_VARIABLE_X%"), "%NO_SUCH_VARIABLE_X%");
  EXPECT_EQ(YKGetAppName(), "sabrun_tests");
  EXPECT_EQ(YKGetAppPath().back(), '\\');
  EXPECT_EQ(YKGetSystemTempPath().back(), '\\');
  EXPECT_TRUE(YKIsInt("-12"));
  EXPECT_FALSE(YKIsInt("1.5"));
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_R8;
  v.dblVal = 41.6;
  EXPECT_EQ(VariantToInt(v), 42);
  v.vt = VT_EMPTY;
  EXPECT_EQ(VariantToInt(v, -1), 0);
  EXPECT_FALSE(GetLastErrorDescription(ERROR_FILE_NOT_FOUND).empty());
  DATE date = 0;
  EXPECT_FALSE(YKShortDateFmtToDate("not a date", date));
}

TEST(RectEx, EmptinessPointsAndShrink) {
  struct { TRectEx r; bool empty; } cases[] = {
      {{0, 0, 0, 0}, true}, {{10, 10, 9, 20}, true}, {{10, 10, 20, 10}, true}, {{-5, -5, 5, 5}, false}};
  for (const auto& c : cases) EXPECT_EQ(c.r.IsRectEmpty(), c.empty);
  TRectEx r(10, 20, 110, 70);
  EXPECT_EQ(r.Width(), 100);
  EXPECT_EQ(r.Height(), 50);
  EXPECT_TRUE(r.ptInRect(POINT{10, 20}));
  EXPECT_FALSE(r.ptInRect(POINT{110, 20}));
  r.shrink(4);
  EXPECT_EQ(r.left, 14);
  EXPECT_EQ(r.bottom, 66);
  r.SetRectEmpty();
  EXPECT_TRUE(r.IsRectEmpty());
}

TEST(RectEx, FocusFrameDrawnTwiceRestoresPixels) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 64, 64, 1, 32, BI_RGB};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  auto* pixels = static_cast<DWORD*>(bits);
  for (int i = 0; i < 64 * 64; ++i) pixels[i] = 0x00102030u + i * 977u;
  const std::vector<DWORD> before(pixels, pixels + 64 * 64);
  const TRectEx frame(8, 8, 50, 40);
  frame.DrawFocusRectEx(dc, RGB(0, 255, 255), PS_SOLID, 3);
  GdiFlush();
  EXPECT_NE(std::vector<DWORD>(pixels, pixels + 64 * 64), before) << "the frame is visible";
  frame.DrawFocusRectEx(dc, RGB(0, 255, 255), PS_SOLID, 3);
  GdiFlush();
  EXPECT_EQ(std::vector<DWORD>(pixels, pixels + 64 * 64), before);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
}
