#include <windows.h>

#include <gtest/gtest.h>

#include <random>

#include "FakeCompressors.h"
#include "MovieReader.h"
#include "ScreenCapTesting.h"
#include "TestPicture.h"
#include "TestSupport.h"
#include "FileUtils.h"
#include "YKErrorManager.h"

namespace {

// The watermark's box: two lines right-aligned at the top of a frame of this width.
RECT WatermarkBox(int width) {
  HDC dc = CreateCompatibleDC(nullptr);
  RECT box{0, 0, width, 1000};
  DrawTextW(dc, L"QRLO\r\nREC.\r\n", -1, &box, DT_RIGHT | DT_CALCRECT);
  DeleteDC(dc);
  const int w = box.right - box.left;
  return {width - w - 2, 0, width, box.bottom + 2};
}

bool InCorner(int x, int y, int width, int height) {
  const int mark = 15;
  return (x < mark || x >= width - mark) && (y < mark || y >= height - mark);
}

std::vector<std::string> ReportsContaining(const std::string& text) {
  std::vector<std::string> found;
  for (const auto& report : GetYKErrorManager().PendingReports())
    if (report.Message.find(text) != std::string::npos) found.push_back(report.Message);
  return found;
}

}  // namespace

TEST(Recording, TimerPeriodFollowsTheRateWithinOneToFifty) {
  struct { unsigned long rate; UINT period; } cases[] = {
      {0, 1000}, {1, 1000}, {7, 142}, {10, 100}, {15, 66}, {25, 40}, {50, 20}, {100, 20}};
  for (const auto& c : cases) EXPECT_EQ(TQXScreenCap::TCapThread::TimerPeriod(c.rate), c.period) << c.rate;
}

TEST(Recording, MovieShowsWhatWasOnTheScreen) {
  RequireDisplay();
  const RECT area{200, 150, 200 + 321, 150 + 241};  // odd sizes on purpose
  TestPicture picture(area);
  PumpMessages(300);
  const std::vector<DWORD> screen = picture.Grab();
  Recorder recorder;
  recorder.cap.FrameRate = 10;
  const std::string movie = recorder.Movie("screen.avi");
  ASSERT_TRUE(TQXScreenCapTesting::Begin(recorder.cap, area, movie));
  EXPECT_EQ(recorder.cap.CapState, csRecording);
  PumpMessages(1000);
  ASSERT_TRUE(recorder.cap.Stop());
  EXPECT_TRUE(TQXScreenCapTesting::ResourcesReleased(recorder.cap));
  EXPECT_TRUE(GetYKErrorManager().PendingReports().empty());

  if (!GetEnvironmentText("QUORLO_TEST_OUT").empty()) {  // for the check with ffmpeg
    const RECT box = WatermarkBox(321);
    WriteTextFile(recorder.Movie("screen.bgra"), std::string(reinterpret_cast<const char*>(screen.data()), screen.size() * 4));
    WriteTextFile(recorder.Movie("stamp.txt"), std::to_string(box.left) + " " + std::to_string(box.top) + " " +
                                                   std::to_string(box.right) + " " + std::to_string(box.bottom));
  }
  const MovieInfo info = ReadMovieInfo(movie);
  EXPECT_EQ(info.Handler, Code("ZMBV"));
  EXPECT_EQ(info.Width, 321);
  EXPECT_EQ(info.Height, 241);
  EXPECT_EQ(info.Rate, 10u);
  ASSERT_GE(info.VideoFrames, 3);
  const RECT stamp = WatermarkBox(321);
  for (LONG frame : {0L, info.VideoFrames - 1}) {
    const std::vector<DWORD> pixels = ReadMovieFrame(movie, frame);
    ASSERT_EQ(pixels.size(), screen.size());
    int stampPixels = 0;
    for (int y = 0; y < 241; ++y)
      for (int x = 0; x < 321; ++x) {
        const size_t i = static_cast<size_t>(y) * 321 + x;
        if (PtInRect(&stamp, POINT{x, y})) {
          stampPixels += pixels[i] != screen[i];
          continue;
        }
        if (InCorner(x, y, 321, 241)) continue;  // Wine captures the corner marks too
        ASSERT_EQ(pixels[i], screen[i]) << "frame " << frame << " at " << x << "," << y;
      }
    EXPECT_GT(stampPixels, 20) << "the watermark is in the top right corner";
  }
}

TEST(Recording, PauseAndStartStormsNeverEndTheThread) {
  RequireDisplay();
  Recorder recorder;
  recorder.cap.FrameRate = 50;
  ASSERT_TRUE(TQXScreenCapTesting::Begin(recorder.cap, TRectEx(0, 0, 64, 64), recorder.Movie("storm.avi")));
  std::mt19937 random(7);
  for (int i = 0; i < 300; ++i) {
    ASSERT_TRUE(recorder.cap.Pause());
    if (random() % 2) PumpMessages(random() % 3);
    ASSERT_TRUE(recorder.cap.Start());
    if (random() % 2) PumpMessages(random() % 3);
  }
  ASSERT_FALSE(TQXScreenCapTesting::ThreadEnded(recorder.cap));
  const LONG before = TQXScreenCapTesting::Writer(recorder.cap)->VideoSamples;
  EXPECT_TRUE(PumpMessages(3000, [&] { return TQXScreenCapTesting::Writer(recorder.cap)->VideoSamples > before + 5; }))
      << "frames go on after the storm";
  ASSERT_TRUE(recorder.cap.Pause());
  PumpMessages(100);
  const LONG paused = TQXScreenCapTesting::Writer(recorder.cap)->VideoSamples;
  PumpMessages(300);
  EXPECT_EQ(TQXScreenCapTesting::Writer(recorder.cap)->VideoSamples, paused) << "no frame while paused";
  ASSERT_TRUE(recorder.cap.Stop());
  EXPECT_TRUE(GetYKErrorManager().PendingReports().empty());
}

TEST(Recording, AtMostOneFramePerTimerTick) {
  RequireDisplay();
  for (unsigned long rate : {10ul, 100ul}) {
    Recorder recorder;
    recorder.cap.FrameRate = rate;
    const std::string movie = recorder.Movie("rate" + std::to_string(rate) + ".avi");
    const DWORD start = GetTickCount();
    ASSERT_TRUE(TQXScreenCapTesting::Begin(recorder.cap, TRectEx(0, 0, 32, 32), movie));
    PumpMessages(800);
    const LONG frames = TQXScreenCapTesting::Writer(recorder.cap)->VideoSamples;
    const DWORD elapsed = GetTickCount() - start;
    recorder.cap.Stop();
    EXPECT_LE(frames, static_cast<LONG>(elapsed / TQXScreenCap::TCapThread::TimerPeriod(rate)) + 2) << rate;
    EXPECT_GE(frames, 2) << rate;
    EXPECT_EQ(ReadMovieInfo(movie).Rate, rate) << "the movie declares the stored rate";
  }
}

TEST(Recording, UninstalledCompressorIsReportedOnceAndStopEndsNormally) {
  RequireDisplay();
  Recorder recorder;
  recorder.cap.VideoCodec = Code("NONE");
  ASSERT_TRUE(TQXScreenCapTesting::Begin(recorder.cap, TRectEx(0, 0, 32, 32), recorder.Movie("none.avi")));
  ASSERT_TRUE(PumpMessages(3000, [&] { return TQXScreenCapTesting::ThreadEnded(recorder.cap); }));
  PumpMessages(300);
  EXPECT_EQ(ReportsContaining("Unable to Create Compressed Stream: Check your CODEC options").size(), 1u);
  EXPECT_EQ(TQXScreenCapTesting::Writer(recorder.cap)->VideoSamples, 0);
  EXPECT_EQ(recorder.cap.CapState, csRecording);
  EXPECT_TRUE(recorder.cap.Stop());
  EXPECT_EQ(recorder.cap.CapState, csStop);
  EXPECT_TRUE(TQXScreenCapTesting::ResourcesReleased(recorder.cap));
}

TEST(Recording, WithoutSoundDeviceTheMovieHasNoAudioTrack) {
  RequireDisplay();
  Recorder recorder;
  recorder.cap.RecordMicrophone = true;
  const std::string movie = recorder.Movie("nodevice.avi");
  ASSERT_TRUE(TQXScreenCapTesting::Begin(recorder.cap, TRectEx(0, 0, 32, 32), movie));
  PumpMessages(400);
  ASSERT_TRUE(recorder.cap.Stop());
  EXPECT_EQ(ReportsContaining("没有安装音频输入设备。").size(), 1u);
  const MovieInfo info = ReadMovieInfo(movie);
  EXPECT_GE(info.VideoFrames, 1);
  EXPECT_FALSE(info.HasAudio);
}

TEST(Recording, RateBelowOneIsRefusedWithAReport) {
  Recorder recorder;
  recorder.cap.FrameRate = 0;
  EXPECT_FALSE(recorder.cap.Start());
  EXPECT_EQ(ReportsContaining("帧率必须至少为每秒一帧。").size(), 1u);
  EXPECT_EQ(recorder.cap.CapState, csStop);
  EXPECT_TRUE(TQXScreenCapTesting::ResourcesReleased(recorder.cap));
}

TEST(Recording, StopWhenStoppedReportsBothPreconditions) {
  Recorder recorder;
  EXPECT_TRUE(recorder.cap.Stop());
  const auto reports = GetYKErrorManager().PendingReports();
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0].Message, "Assertion failed: CapState == csRecording || CapState == csPause");
  EXPECT_EQ(reports[1].Message, "Assertion failed: FCapThread != NULL");
  EXPECT_TRUE(recorder.cap.Pause());
  EXPECT_EQ(GetYKErrorManager().PendingReports().size(), 4u);
  EXPECT_EQ(recorder.cap.CapState, csStop);
}

TEST(Recording, DestroyingAPausedRecorderFinishesTheMovie) {
  RequireDisplay();
  ScopedSettingsFile settings;
  TempFolder folder;
  const std::string movie = folder.Path() + "paused.avi";
  {
    TQXScreenCap cap;
    cap.VideoCodec = Code("ZMBV");
    cap.RecordMicrophone = false;
    ASSERT_TRUE(TQXScreenCapTesting::Begin(cap, TRectEx(0, 0, 48, 32), movie));
    PumpMessages(300);
    ASSERT_TRUE(cap.Pause());
    PumpMessages(100);
  }
  PumpMessages(50);
  const MovieInfo info = ReadMovieInfo(movie);
  EXPECT_GE(info.VideoFrames, 1);
  EXPECT_EQ(info.Width, 48);
  EXPECT_TRUE(GetYKErrorManager().PendingReports().empty());
}
