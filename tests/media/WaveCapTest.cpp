// The capture object without a sound server: formats, peaks, reports, and the "no device" path.
#include <gtest/gtest.h>

#include <vector>

#include "FileUtils.h"
#include "StringUtils.h"
#include "TStringList.h"
#include "TestSupport.h"
#include "WaveCapProbe.h"
#include "YKErrorManager.h"
#include "YKResourceManager.h"

namespace {

struct FormatCase {
  unsigned long Bit;
  DWORD Rate;
  WORD Channels;
  WORD Bits;
};

const FormatCase StandardFormats[] = {
    {0x001, 11025, 1, 8},  {0x004, 11025, 1, 16}, {0x002, 11025, 2, 8},  {0x008, 11025, 2, 16},
    {0x010, 22050, 1, 8},  {0x040, 22050, 1, 16}, {0x020, 22050, 2, 8},  {0x080, 22050, 2, 16},
    {0x100, 44100, 1, 8},  {0x400, 44100, 1, 16}, {0x200, 44100, 2, 8},  {0x800, 44100, 2, 16},
};

std::vector<TYKErrorReport> TakeReports() {
  auto reports = GetYKErrorManager().PendingReports();
  GetYKErrorManager().ManageError("test");
  return reports;
}

std::string WaveInErrorText(MMRESULT result) {
  wchar_t text[256] = L"";
  waveInGetErrorTextW(result, text, 256);
  return WideToUtf8(text);
}

}  // namespace

class WaveCap : public ::testing::Test {
 protected:
  void SetUp() override { TakeReports(); }
  ScopedSettingsFile settings;
};

TEST_F(WaveCap, NewObjectCapturesPcm11025Mono16) {
  TQXWaveCap cap;
  const tWAVEFORMATEX* format = cap.GetCapWaveFormat();
  EXPECT_EQ(format->wFormatTag, WAVE_FORMAT_PCM);
  EXPECT_EQ(format->nChannels, 1);
  EXPECT_EQ(format->nSamplesPerSec, 11025u);
  EXPECT_EQ(format->wBitsPerSample, 16);
  EXPECT_EQ(format->nBlockAlign, 2);
  EXPECT_EQ(format->nAvgBytesPerSec, 22050u);
  EXPECT_EQ(format->cbSize, 0);
  EXPECT_EQ(cap.GetCapWaveFormat(), format) << "the address handed out stays the same";
}

TEST_F(WaveCap, EachStandardFormatBitSetsItsFormatAndRange) {
  for (const FormatCase& c : StandardFormats) {
    SCOPED_TRACE(c.Bit);
    TQXWaveCap cap;
    ASSERT_TRUE(cap.SetWaveFormat(c.Bit));
    const tWAVEFORMATEX* format = cap.GetCapWaveFormat();
    EXPECT_EQ(format->wFormatTag, WAVE_FORMAT_PCM);
    EXPECT_EQ(format->nSamplesPerSec, c.Rate);
    EXPECT_EQ(format->nChannels, c.Channels);
    EXPECT_EQ(format->wBitsPerSample, c.Bits);
    EXPECT_EQ(format->nBlockAlign, c.Channels * c.Bits / 8);
    EXPECT_EQ(format->nAvgBytesPerSec, c.Rate * c.Channels * c.Bits / 8);
    int max = 0, min = 0;
    ASSERT_TRUE(cap.GetPitchOf(max, min));
    EXPECT_EQ(max, c.Bits == 8 ? 127 : 32767);
    EXPECT_EQ(min, -max);
  }
  EXPECT_TRUE(TakeReports().empty());
}

TEST_F(WaveCap, AnythingButOneStandardBitIsRejectedAndLeavesTheFormat) {
  TQXWaveCap cap;
  ASSERT_TRUE(cap.SetWaveFormat(0x040));
  for (unsigned long format : {0x000ul, 0x003ul, 0x840ul, 0x1000ul, 0x80000000ul, 0xFFFul}) {
    SCOPED_TRACE(format);
    EXPECT_FALSE(cap.SetWaveFormat(format));
    const tWAVEFORMATEX* now = cap.GetCapWaveFormat();
    EXPECT_EQ(now->nSamplesPerSec, 22050u);
    EXPECT_EQ(now->nChannels, 1);
    EXPECT_EQ(now->wBitsPerSample, 16);
    const auto reports = TakeReports();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].Message, "Error parameters.");
    EXPECT_EQ(reports[0].Unit, "QXWaveCap");
    EXPECT_GT(reports[0].Line, 0);
  }
}

TEST_F(WaveCap, RejectionIsWordedInTheCurrentLanguage) {
  const std::string file = TYKResourceManager::LanguageFolder() + "TestWaveCap.ini";
  ForceDirectories(TYKResourceManager::LanguageFolder());
  WriteTextFile(file, "[Language]\r\nName=Wave (Test)\r\n[Tindrel]\r\nErrPara=Falsche Parameter.\r\n");
  ASSERT_TRUE(GetResourceManager().LoadLanguage("TestWaveCap"));
  TQXWaveCap cap;
  EXPECT_FALSE(cap.SetWaveFormat(0x003));
  GetResourceManager().LoadLanguage("");
  RemoveFile(file);
  const auto reports = TakeReports();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].Message, "Falsche Parameter.");
}

TEST_F(WaveCap, SampleRangeFollowsTheSampleWidth) {
  struct {
    unsigned long Bits;
    bool Known;
    int Max, Min;
  } const cases[] = {{8, true, 127, -127},
                     {16, true, 32767, -32767},
                     {32, true, 2147483647, -2147483647},
                     {24, false, 1, 2},
                     {0, false, 1, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Bits);
    WaveCapProbe cap;
    cap.FBitsPerSample = c.Bits;
    int max = 1, min = 2;
    EXPECT_EQ(cap.GetPitchOf(max, min), c.Known);
    EXPECT_EQ(max, c.Max);
    EXPECT_EQ(min, c.Min);
  }
}

// Measuring needs an open device; a stand-in handle is enough, since the measurement only reads
// the buffer. It is taken away again before the destructor would stop the "device".
class OpenProbe : public WaveCapProbe {
 public:
  OpenProbe() { FHWaveIn = reinterpret_cast<HWAVEIN>(static_cast<INT_PTR>(1)); }
  ~OpenProbe() override { FHWaveIn = nullptr; }
};

TEST_F(WaveCap, PeaksOfABufferAreItsLargestAndSmallestSample) {
  struct {
    const char* Name;
    unsigned long Bits;
    std::vector<unsigned char> Bytes;
    bool Known;
    int Max, Min;
  } const cases[] = {
      {"8-bit silence", 8, {128, 128, 128, 128}, true, 0, 0},
      {"8-bit extremes", 8, {0, 200, 255, 100}, true, 127, -128},
      {"16-bit -5 7 3", 16, {0xFB, 0xFF, 7, 0, 3, 0}, true, 7, -5},
      {"16-bit extremes", 16, {0x00, 0x80, 0xFF, 0x7F}, true, 32767, -32768},
      {"16-bit partial sample ignored", 16, {16, 0, 0xFF}, true, 16, 16},
      {"32-bit", 32, {1, 0, 0, 0x80, 0xFF, 0xFF, 0xFF, 0x7F, 0xFE, 0xFF, 0xFF, 0xFF}, true, 2147483647, -2147483647},
      {"no samples", 16, {}, true, -2147483647, 2147483647},
      {"24-bit", 24, {1, 2, 3}, false, -2147483647, 2147483647},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    OpenProbe cap;
    cap.FBitsPerSample = c.Bits;
    std::vector<char> data(c.Bytes.begin(), c.Bytes.end());
    WAVEHDR header{};
    header.lpData = data.data();
    header.dwBufferLength = header.dwBytesRecorded = static_cast<DWORD>(data.size());
    int max = 1, min = 2;
    EXPECT_EQ(cap.GetPitchOf(&header, max, min), c.Known);
    EXPECT_EQ(max, c.Max);
    EXPECT_EQ(min, c.Min);
  }
}

TEST_F(WaveCap, PeaksNeedAnOpenDevice) {
  TQXWaveCap cap;
  char data[] = {10, 0};
  WAVEHDR header{};
  header.lpData = data;
  header.dwBufferLength = header.dwBytesRecorded = sizeof data;
  int max = 1, min = 2;
  EXPECT_FALSE(cap.GetPitchOf(&header, max, min));
  EXPECT_EQ(max, 1);
  EXPECT_EQ(min, 2);
}

TEST_F(WaveCap, StoppingAClosedObjectDoesNothing) {
  TQXWaveCap cap;
  EXPECT_TRUE(cap.StopCapWave());
  EXPECT_TRUE(cap.StopCapWave());
  EXPECT_TRUE(TakeReports().empty());
}

// These run with the sound server out of reach (scripts/test.sh), where Wine has no wave-in device.
TEST_F(WaveCap, WithoutSoundServerThereIsNoDevice) {
  EXPECT_EQ(TQXWaveCap::EnumerateDevices(nullptr), 0) << "a sound server is reachable: " << GetEnvironmentText("PULSE_SERVER");
  TStringList list;
  list.Add("kept");
  EXPECT_EQ(TQXWaveCap::EnumerateDevices(&list), 0);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(TQXWaveCap::EnumerateFormats(0, &list), 0);
  EXPECT_EQ(TQXWaveCap::EnumerateFormats(99, &list), 0);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_TRUE(TakeReports().empty()) << "failed capability queries are not reported";
}

TEST_F(WaveCap, WithoutDeviceStartFailsWithTheSystemsTextAndLeavesNoWorker) {
  ASSERT_EQ(TQXWaveCap::EnumerateDevices(nullptr), 0);
  const int before = FrameworkThreads();
  EventCounter events;
  {
    WaveCapProbe cap;
    cap.OnOpen = TMethod<>(&events, &EventCounter::Opened);
    EXPECT_FALSE(cap.StartCapWave(0));
    EXPECT_EQ(cap.FHWaveIn, nullptr);
    EXPECT_EQ(cap.FWaveCapThread, nullptr);
    for (const WAVEHDR& header : cap.FWaveHdrs) EXPECT_EQ(header.lpData, nullptr);
    const auto reports = TakeReports();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].Message, WaveInErrorText(MMSYSERR_BADDEVICEID));
    EXPECT_EQ(reports[0].Unit, "QXWaveCap");
    EXPECT_TRUE(cap.StopCapWave());
    EXPECT_FALSE(cap.StartCapWave(0)) << "a failed start can be retried";
    TakeReports();
  }
  EXPECT_TRUE(WaitUntil([&] { return FrameworkThreads() == before; })) << "the workers have ended";
  EXPECT_EQ(events.Opens, 0);
}
