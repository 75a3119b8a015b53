// A recording with the microphone, made the way the program makes one. Run by
// e2e/wave_realtime.sh, which plays a tone into the microphone and looks at the movie.
#include <gtest/gtest.h>

#include "ScreenCapTesting.h"

TEST(RecordingWithSound, PausedTimeIsCutFromBothTracks) {
  RequireDisplay();
  Recorder recorder;
  recorder.cap.RecordMicrophone = true;
  recorder.cap.FrameRate = 10;
  ASSERT_TRUE(TQXScreenCapTesting::Begin(recorder.cap, TRectEx(0, 0, 64, 48), recorder.Movie("sound.avi")));
  PumpMessages(3000);
  ASSERT_TRUE(recorder.cap.Pause());
  PumpMessages(1500);
  ASSERT_TRUE(recorder.cap.Start());
  PumpMessages(2500);
  ASSERT_TRUE(recorder.cap.Stop());
  EXPECT_TRUE(GetYKErrorManager().PendingReports().empty());
}
