#include <windows.h>

#include <gtest/gtest.h>

#include "ChooserDriver.h"
#include "ScreenCapTesting.h"
#include "TScreen.h"

// The suite's display has one monitor; the chooser with two is in MonitorChooserTest.cpp.
TEST(ScreenArea, OneMonitorRecordsTheDesktopWithoutAsking) {
  RequireDisplay();
  ASSERT_EQ(Screen->MonitorCount(), 1);
  Recorder recorder;
  recorder.cap.CapMode = cmScreen;
  ChooserDriver driver([](HWND dialog) { PostMessageW(dialog, WM_CLOSE, 0, 0); });
  const bool started = recorder.cap.Start();
  driver.Finish();
  EXPECT_FALSE(driver.SawDialog());
  ASSERT_TRUE(started);
  const RECT desktop = Screen->DesktopRect();
  EXPECT_TRUE(EqualRect(&recorder.cap.CapRect, &desktop));
}
