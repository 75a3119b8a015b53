#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "AviFile.h"
#include "FakeCompressors.h"
#include "FileUtils.h"
#include "MovieReader.h"
#include "TestSupport.h"

namespace {

const DWORD Uncompressed = Code("DIB ");

// A 32-bit frame bitmap like the engine's, filled with a pattern that changes with the seed.
class Frame {
 public:
  Frame(int width, int height, int seed) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    FBitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* pixels = static_cast<DWORD*>(bits);
    for (int i = 0; i < width * height; ++i) pixels[i] = static_cast<DWORD>(i * 2654435761u + seed * 40503u) & 0xFFFFFF;
  }
  ~Frame() { DeleteObject(FBitmap); }
  HBITMAP Bitmap() const { return FBitmap; }

 private:
  HBITMAP FBitmap;
};

WAVEFORMATEX Pcm11k() {
  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = 1;
  format.nSamplesPerSec = 11025;
  format.wBitsPerSample = 16;
  format.nBlockAlign = 2;
  format.nAvgBytesPerSec = 22050;
  return format;
}

// Where movies that the end-to-end check looks at go; a temporary folder otherwise.
class MovieFolder {
 public:
  std::string File(const std::string& name) {
    const std::string out = GetEnvironmentText("QUORLO_TEST_OUT");
    return (out.empty() ? FTemp.Path() : IncludeTrailingBackslash(out)) + name;
  }

 private:
  TempFolder FTemp;
};

}  // namespace

TEST(MovieWriter, HundredFramesMakeAMovieOfTheFirstFramesSize) {
  ScopedSettingsFile settings;
  MovieFolder folder;
  const std::string path = folder.File("hundred.avi");
  {
    CAviFile writer(path.c_str(), Uncompressed, 10, static_cast<unsigned long>(-1), nullptr);
    EXPECT_STREQ(writer.ErrorText, "Method Succeeded");
    for (int i = 0; i < 100; ++i) {
      Frame frame(64, 48, i);
      ASSERT_EQ(writer.AddFrame(frame.Bitmap()), S_OK) << writer.ErrorText;
    }
    EXPECT_EQ(writer.VideoSamples, 100);
    EXPECT_STREQ(writer.ErrorText, "Method Succeeded");
  }
  const MovieInfo movie = ReadMovieInfo(path);
  EXPECT_EQ(movie.VideoFrames, 100);
  EXPECT_EQ(movie.Rate, 10u);
  EXPECT_EQ(movie.Scale, 1u);
  EXPECT_EQ(movie.Width, 64);
  EXPECT_EQ(movie.Height, 48);
  EXPECT_FALSE(movie.HasAudio) << "no sound: no audio stream";
  Frame last(64, 48, 99);
  BITMAP info;
  GetObjectW(last.Bitmap(), sizeof info, &info);
  const auto* expected = static_cast<const DWORD*>(info.bmBits);
  const std::vector<DWORD> pixels = ReadMovieFrame(path, 99);
  ASSERT_EQ(pixels.size(), 64u * 48u);
  for (int y = 0; y < 48; ++y)  // the bitmap is bottom-up, the pixels read back top-down
    for (int x = 0; x < 64; ++x) ASSERT_EQ(pixels[y * 64 + x], expected[(47 - y) * 64 + x] & 0xFFFFFF) << x << "," << y;
}

TEST(MovieWriter, NoFrameNoFile) {
  MovieFolder folder;
  const std::string path = folder.File("empty.avi");
  { CAviFile writer(path.c_str(), Uncompressed, 7, 0, nullptr); }
  EXPECT_FALSE(FileExists(path));
}

TEST(MovieWriter, CompressorNotInstalledLeavesAnEmptyFile) {
  MovieFolder folder;
  const std::string path = folder.File("nocodec.avi");
  CAviFile writer(path.c_str(), Code("NONE"), 7, 0, nullptr);
  Frame frame(32, 32, 1);
  EXPECT_EQ(writer.AddFrame(frame.Bitmap()), E_FAIL);
  EXPECT_STREQ(writer.ErrorText, "Unable to Create Compressed Stream: Check your CODEC options");
  EXPECT_EQ(writer.AviFileHandle, nullptr);
  EXPECT_EQ(writer.AddFrame(frame.Bitmap()), E_FAIL) << "a failed movie is not started again";
  EXPECT_TRUE(FileExists(path));
}

TEST(MovieWriter, UnwritableFileIsReported) {
  TempFolder temp;
  const std::string path = temp.Path() + "missing folder\\movie.avi";
  CAviFile writer(path.c_str(), Uncompressed, 7, 0, nullptr);
  Frame frame(32, 32, 1);
  EXPECT_EQ(writer.AddFrame(frame.Bitmap()), E_FAIL);
  EXPECT_STREQ(writer.ErrorText, "Unable to Create the Movie File");
}

TEST(MovieWriter, FrameLargerThanThePrimaryScreenGrowsTheBuffer) {
  MovieFolder folder;
  const std::string path = folder.File("wide.avi");
  const int width = GetSystemMetrics(SM_CXSCREEN) + 200, height = GetSystemMetrics(SM_CYSCREEN) + 8;
  {
    CAviFile writer(path.c_str(), Uncompressed, 7, 0, nullptr);
    Frame frame(width, height, 3);
    ASSERT_EQ(writer.AddFrame(frame.Bitmap()), S_OK) << writer.ErrorText;
    ASSERT_EQ(writer.AddFrame(frame.Bitmap()), S_OK) << writer.ErrorText;
  }
  const MovieInfo movie = ReadMovieInfo(path);
  EXPECT_EQ(movie.Width, width);
  EXPECT_EQ(movie.VideoFrames, 2);
}

TEST(MovieWriter, SizeLimitClosesAPlayableMovieAndSaysWhy) {
  MovieFolder folder;
  const std::string path = folder.File("limit.avi");
  CAviFile writer(path.c_str(), Uncompressed, 7, 0, nullptr);
  const LONGLONG frameBytes = 64 * 48 * 4;
  writer.SetSizeLimit(frameBytes * 40);
  int written = 0;
  for (; written < 60; ++written) {
    Frame frame(64, 48, written);
    if (writer.AddFrame(frame.Bitmap()) != S_OK) break;
  }
  EXPECT_STREQ(writer.ErrorText, "The movie reached the largest size an AVI file can hold; recording stopped");
  EXPECT_GT(written, 30);
  EXPECT_LT(written, 40);
  Frame more(64, 48, 99);
  EXPECT_EQ(writer.AddFrame(more.Bitmap()), E_FAIL) << "the finished movie is not overwritten";
  const MovieInfo movie = ReadMovieInfo(path);
  EXPECT_EQ(movie.VideoFrames, written + 1) << "every frame written so far is in the movie";
  EXPECT_EQ(ReadMovieFrame(path, written).size(), 64u * 48u);
}

// The sound follows the frames: buffers before the first frame are dropped, a lag of more than
// a second is filled with silence, a lead of more than a second is cut. The frame count is set
// by hand to stage each case; the sound is always appended, as in a real recording.
TEST(MovieWriter, AudioStaysInStepWithTheVideo) {
  MovieFolder folder;
  const std::string path = folder.File("drift.avi");
  const WAVEFORMATEX pcm = Pcm11k();
  {
    CAviFile writer(path.c_str(), Uncompressed, 10, 0, &pcm);
    Frame frame(16, 16, 0);
    const std::vector<BYTE> early(2000, 0x11);
    EXPECT_EQ(writer.AddAudio(early.data(), 2000), S_OK);
    EXPECT_EQ(writer.AudioSamples, 0) << "nothing before the first frame";
    ASSERT_EQ(writer.AddFrame(frame.Bitmap()), S_OK);

    // At 10 frames per second, v frames are v * 1102.5 samples of 11025 Hz sound.
    struct {
      LONG frames;
      int samples;
      LONG after;
    } cases[] = {
        {1, 1000, 1000},        // within a second: written as it is
        {100, 1000, 110250},    // 108250 samples of silence, then the buffer, up to the expected 110250
        {112, 2205, 112455},    // exactly one second behind: left alone
        {90, 1000, 112455},     // more than a second ahead: dropped
        {103, 12627, 113557},   // 11525 samples ahead: only the newest 1102 are kept
    };
    for (const auto& c : cases) {
      writer.VideoSamples = c.frames;
      std::vector<BYTE> buffer(c.samples * 2, 0x22);
      EXPECT_EQ(writer.AddAudio(buffer.data(), static_cast<int>(buffer.size())), S_OK) << c.frames << writer.ErrorText;
      EXPECT_EQ(writer.AudioSamples, c.after) << c.frames;
    }
    const std::vector<BYTE> odd(1001, 0);
    EXPECT_EQ(writer.AddAudio(odd.data(), 1001), E_FAIL);
    EXPECT_STREQ(writer.ErrorText, "AVIERR_BADPARAM");
    EXPECT_EQ(writer.AddAudio(nullptr, 2000), E_FAIL);
    EXPECT_STREQ(writer.ErrorText, "AVIERR_BADPARAM");
  }
  // The samples themselves are checked with ffmpeg (movie_writer.sh): Wine's reader does not
  // count the length of sound streams in samples.
  const MovieInfo movie = ReadMovieInfo(path);
  ASSERT_TRUE(movie.HasAudio);
  EXPECT_EQ(movie.AudioFormat.nSamplesPerSec, 11025u);
  EXPECT_EQ(movie.AudioFormat.wBitsPerSample, 16);
  EXPECT_EQ(movie.AudioFormat.nChannels, 1);
}

TEST(MovieWriter, AudioErrors) {
  MovieFolder folder;
  const std::vector<BYTE> buffer(2000, 0);
  Frame frame(16, 16, 0);
  CAviFile noFormat(folder.File("noformat.avi").c_str(), Uncompressed, 7, 0, nullptr);
  ASSERT_EQ(noFormat.AddFrame(frame.Bitmap()), S_OK);
  EXPECT_EQ(noFormat.AddAudio(buffer.data(), 2000), E_FAIL);
  EXPECT_STREQ(noFormat.ErrorText, "AVIERR_BADFORMAT");

  const WAVEFORMATEX pcm = Pcm11k();
  CAviFile failed(folder.File("failed.avi").c_str(), Code("NONE"), 7, 0, &pcm);
  failed.VideoSamples = 1;  // as after a frame written before the failure
  EXPECT_EQ(failed.AddAudio(buffer.data(), 2000), E_FAIL);
  EXPECT_STREQ(failed.ErrorText, "AVIERR_BADHANDLE");
}
