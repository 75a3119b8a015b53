#include <windows.h>

#include <gtest/gtest.h>

#include "FrmRegionFlickerUnit.h"
#include "ScreenCapTesting.h"
#include "TestSupport.h"

static LONG RegionArea(HRGN region) {
  const DWORD size = GetRegionData(region, 0, nullptr);
  std::vector<BYTE> buffer(size);
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  GetRegionData(region, size, data);
  LONG area = 0;
  const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
  for (DWORD i = 0; i < data->rdh.nCount; ++i) area += (rects[i].right - rects[i].left) * (rects[i].bottom - rects[i].top);
  return area;
}

static BYTE Alpha(HWND window) {
  BYTE alpha = 0;
  DWORD flags = 0;
  GetLayeredWindowAttributes(window, nullptr, &alpha, &flags);
  return alpha;
}

TEST(RegionFlicker, RegionIsExactlyTheFourCornerMarks) {
  RequireDisplay();
  struct { int width, height; } sizes[] = {{100, 80}, {640, 480}, {30, 30}, {1920, 1080}};
  for (const auto& size : sizes) {
    TRegionFlicker marks(10, 20, size.width, size.height);
    HWND window = marks.Window();
    ASSERT_TRUE(IsWindow(window));
    RECT bounds;
    GetWindowRect(window, &bounds);
    EXPECT_EQ(bounds.left, 10);
    EXPECT_EQ(bounds.top, 20);
    EXPECT_EQ(bounds.right - bounds.left, size.width);
    EXPECT_EQ(bounds.bottom - bounds.top, size.height);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(window, region), ERROR);
    RECT box;
    GetRgnBox(region, &box);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, size.width);
    EXPECT_EQ(box.bottom, size.height);
    EXPECT_EQ(RegionArea(region), 4 * (15 * 3 + 12 * 3)) << size.width << "x" << size.height;
    DeleteObject(region);
    const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(exStyle & WS_EX_LAYERED);
  }
  PumpMessages(50);
}

TEST(RegionFlicker, BlinksAndGoesAwayWithItsOwner) {
  RequireDisplay();
  HWND window;
  {
    TRegionFlicker marks(0, 0, 200, 100);
    window = marks.Window();
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(Alpha(window), 255) << "visible first";
    EXPECT_TRUE(PumpMessages(3000, [&] { return Alpha(window) == 0; }));
    EXPECT_TRUE(PumpMessages(3000, [&] { return Alpha(window) == 255; }));
  }
  EXPECT_TRUE(PumpMessages(2000, [&] { return !IsWindow(window); })) << "freed once the close is handled";
}

TEST(RegionFlicker, OwnerOfAWindowClosedElsewhereDoesNothing) {
  RequireDisplay();
  auto* marks = new TRegionFlicker(0, 0, 200, 100);
  HWND window = marks->Window();
  SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(PumpMessages(2000, [&] { return !IsWindow(window); }));
  delete marks;
  PumpMessages(50);
}
