// A recording with the microphone, made the way the user makes one: a region dragged on the
// picker, paused and resumed twice. Run by e2e/wave_realtime.sh, which plays a tone into the
// microphone and looks at the movie ("qxcap1.avi" in QUORLO_TEST_OUT).
#include <gtest/gtest.h>

#include "InputDriver.h"
#include "ScreenCapTesting.h"

TEST(RecordingWithSound, PausedSpansAreCutFromBothTracks) {
  RequireDisplay();
  Recorder recorder;
  recorder.cap.RecordMicrophone = true;
  recorder.cap.FrameRate = 10;
  recorder.cap.CapMode = cmRegion;
  recorder.cap.DefaultFilePath = GetEnvironmentText("QUORLO_TEST_OUT");
  {
    Driver driver([] {
      ASSERT_TRUE(input::WaitForOverlay());
      input::Drag(100, 100, 260, 220);
    });
    ASSERT_TRUE(recorder.cap.Start());
  }
  EXPECT_EQ(recorder.cap.CapRect.Width(), 160);
  PumpMessages(2000);
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(recorder.cap.Pause());
    PumpMessages(1000);
    ASSERT_TRUE(recorder.cap.Start());
    PumpMessages(1500);
  }
  ASSERT_TRUE(recorder.cap.Stop());
  EXPECT_TRUE(GetYKErrorManager().PendingReports().empty());
}
