// Capture from a real-time wave-in device. Run by e2e/wave_realtime.sh, which provides a sound
// server whose source carries a loud tone.
#include <gtest/gtest.h>

#include <mutex>
#include <set>
#include <vector>

#include "StringUtils.h"
#include "TStringList.h"
#include "TestSupport.h"
#include "WaveCapProbe.h"
#include "YKErrorManager.h"

namespace {

struct Delivery {
  const WAVEHDR* Header;
  DWORD Length, Recorded, Flags, Thread;
  bool Measured;
  int Max, Min;
};

// What OnData, OnOpen and OnClose saw, gathered on the worker and read on the test's thread.
class Listener {
 public:
  explicit Listener(TQXWaveCap& cap) : FCap(cap) {
    cap.OnData = TMethod<wavehdr_tag*>(this, &Listener::Data);
    cap.OnOpen = TMethod<>(&Events, &EventCounter::Opened);
    cap.OnClose = TMethod<>(&Events, &EventCounter::Closed);
  }
  std::vector<Delivery> Deliveries() const {
    std::lock_guard<std::mutex> hold(FLock);
    return FDeliveries;
  }
  size_t Count() const { return Deliveries().size(); }
  bool WaitFor(size_t count) {
    return WaitUntil([&] { return Count() >= count; }, 10000);
  }
  EventCounter Events;

 private:
  void Data(wavehdr_tag* header) {
    Delivery d{header, header->dwBufferLength, header->dwBytesRecorded, header->dwFlags, GetCurrentThreadId(), false, 0, 0};
    d.Measured = FCap.GetPitchOf(header, d.Max, d.Min);
    std::lock_guard<std::mutex> hold(FLock);
    FDeliveries.push_back(d);
  }

  TQXWaveCap& FCap;
  mutable std::mutex FLock;
  std::vector<Delivery> FDeliveries;
};

// Ends when the worker's thread has ended; opened while it still runs.
class WorkerEnd {
 public:
  explicit WorkerEnd(const WaveCapProbe& cap)
      : FHandle(OpenThread(SYNCHRONIZE, FALSE, cap.FWaveCapThread->ThreadID())) {}
  ~WorkerEnd() { CloseHandle(FHandle); }
  bool Wait() const { return WaitForSingleObject(FHandle, 5000) == WAIT_OBJECT_0; }

 private:
  HANDLE FHandle;
};

std::string ExpectedDeviceEntry(UINT id) {
  WAVEINCAPSW caps{};
  waveInGetDevCapsW(id, &caps, sizeof caps);
  return WideToUtf8(caps.szPname) + " Ver" + std::to_string(caps.vDriverVersion >> 8 & 0xFF) + "." +
         std::to_string(caps.vDriverVersion & 0xFF) + " (Mid:" + std::to_string(caps.wMid) + ",Pid:" +
         std::to_string(caps.wPid) + ")";
}

}  // namespace

class WaveDevice : public ::testing::Test {
 protected:
  void SetUp() override { GetYKErrorManager().ManageError("test"); }
  void TearDown() override {
    for (const TYKErrorReport& report : GetYKErrorManager().PendingReports())
      ADD_FAILURE() << "reported: [" << report.Unit << ":" << report.Line << "] " << report.Message;
    GetYKErrorManager().ManageError("test");
  }
  ScopedSettingsFile settings;
};

TEST_F(WaveDevice, DevicesAreListedByNameVersionAndIds) {
  const int count = TQXWaveCap::EnumerateDevices(nullptr);
  ASSERT_GE(count, 1) << "no wave-in device: is the sound server reachable?";
  EXPECT_EQ(count, static_cast<int>(waveInGetNumDevs()));
  TStringList list;
  list.Add("kept");
  EXPECT_EQ(TQXWaveCap::EnumerateDevices(&list), count);
  ASSERT_EQ(list.Count(), count + 1);
  EXPECT_EQ(list[0], "kept");
  for (int id = 0; id < count; ++id) EXPECT_EQ(list[id + 1], ExpectedDeviceEntry(id));
}

TEST_F(WaveDevice, FormatsAreTheDevicesStandardBitsInTableOrder) {
  struct {
    DWORD Bit;
    const char* Text;
  } const table[] = {
      {0x001, "11.025 kHz, mono, 8-bit"}, {0x004, "11.025 kHz, mono, 16-bit"}, {0x002, "11.025 kHz, stereo, 8-bit"},
      {0x008, "11.025 kHz, stereo, 16-bit"}, {0x010, "22.05 kHz, mono, 8-bit"}, {0x040, "22.05 kHz, mono, 16-bit"},
      {0x020, "22.05 kHz, stereo, 8-bit"}, {0x080, "22.05 kHz, stereo, 16-bit"}, {0x100, "44.1 kHz, mono, 8-bit"},
      {0x400, "44.1 kHz, mono, 16-bit"}, {0x200, "44.1 kHz, stereo, 8-bit"}, {0x800, "44.1 kHz, stereo, 16-bit"},
  };
  WAVEINCAPSW caps{};
  ASSERT_EQ(waveInGetDevCapsW(0, &caps, sizeof caps), MMSYSERR_NOERROR);
  TStringList expected;
  for (const auto& entry : table)
    if (caps.dwFormats & entry.Bit) expected.AddObject(entry.Text, NumberObject(entry.Bit));
  ASSERT_GT(expected.Count(), 0) << "the device supports no standard format";

  TStringList list;
  EXPECT_EQ(TQXWaveCap::EnumerateFormats(0, &list), expected.Count());
  ASSERT_EQ(list.Count(), expected.Count());
  for (int i = 0; i < list.Count(); ++i) {
    EXPECT_EQ(list[i], expected[i]);
    EXPECT_EQ(ObjectNumber(list.Objects(i)), ObjectNumber(expected.Objects(i)));
  }
  EXPECT_EQ(TQXWaveCap::EnumerateFormats(waveInGetNumDevs(), &list), 0) << "invalid index";
  EXPECT_EQ(list.Count(), expected.Count());
}

TEST_F(WaveDevice, CaptureHandsEveryFullBufferToOneWorkerInRotation) {
  const int workers = FrameworkThreads();
  WaveCapProbe cap;
  Listener listener(cap);
  ASSERT_TRUE(cap.StartCapWave(0));
  EXPECT_EQ(FrameworkThreads(), workers + 1);
  EXPECT_TRUE(WaitUntil([&] { return listener.Events.Opens == 1; })) << "OnOpen";
  ASSERT_TRUE(listener.WaitFor(14));

  // Already capturing: nothing changes, no second worker.
  TQXWaveCap::TQXWaveCapThread* worker = cap.FWaveCapThread;
  const HWAVEIN device = cap.FHWaveIn;
  EXPECT_TRUE(cap.StartCapWave(0));
  EXPECT_EQ(cap.FWaveCapThread, worker);
  EXPECT_EQ(cap.FHWaveIn, device);
  EXPECT_EQ(FrameworkThreads(), workers + 1);
  ASSERT_TRUE(listener.WaitFor(26));

  const WorkerEnd workerEnd(cap);
  ASSERT_TRUE(cap.StopCapWave());
  const size_t delivered = listener.Count();
  EXPECT_TRUE(workerEnd.Wait()) << "the worker ends by itself";
  EXPECT_TRUE(WaitUntil([&] { return FrameworkThreads() == workers; }));
  EXPECT_EQ(cap.FHWaveIn, nullptr);
  EXPECT_EQ(cap.FWaveCapThread, nullptr);
  for (const WAVEHDR& header : cap.FWaveHdrs) EXPECT_EQ(header.lpData, nullptr);
  EXPECT_EQ(listener.Count(), delivered) << "nothing after the stop";
  EXPECT_TRUE(cap.StopCapWave());

  const auto deliveries = listener.Deliveries();
  std::set<const WAVEHDR*> headers;
  for (const Delivery& d : deliveries) {
    EXPECT_EQ(d.Length, 2000u);
    EXPECT_EQ(d.Recorded, 2000u);
    EXPECT_EQ(d.Flags & WHDR_PREPARED, 0u) << "handed over unprepared";
    EXPECT_EQ(d.Thread, deliveries[0].Thread);
    EXPECT_TRUE(d.Measured);
    headers.insert(d.Header);
  }
  EXPECT_NE(deliveries[0].Thread, GetCurrentThreadId());
  EXPECT_EQ(headers.size(), 12u) << "all twelve buffers take turns";
  for (const WAVEHDR* header : headers)
    EXPECT_TRUE(header >= cap.FWaveHdrs && header < cap.FWaveHdrs + TQXWaveCap::BufferCount);
  EXPECT_GT(deliveries.back().Max, 3000) << "the tone is heard";
  EXPECT_LT(deliveries.back().Min, -3000);

  // The same object records again.
  ASSERT_TRUE(cap.StartCapWave(0));
  EXPECT_TRUE(listener.WaitFor(delivered + 3));
  EXPECT_TRUE(cap.StopCapWave());
}

TEST_F(WaveDevice, BufferHoldsAThousandFramesOfTheChosenFormat) {
  struct {
    unsigned long Format;
    DWORD Length;
  } const cases[] = {{0x001, 1000}, {0x040, 2000}, {0x200, 2000}, {0x800, 4000}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Format);
    TQXWaveCap cap;
    Listener listener(cap);
    ASSERT_TRUE(cap.SetWaveFormat(c.Format));
    ASSERT_TRUE(cap.StartCapWave(0));
    EXPECT_TRUE(listener.WaitFor(3));
    EXPECT_TRUE(cap.StopCapWave());
    for (const Delivery& d : listener.Deliveries()) {
      EXPECT_EQ(d.Length, c.Length);
      EXPECT_EQ(d.Recorded, c.Length);
    }
  }
}

TEST_F(WaveDevice, DeletingACapturingObjectStopsItAndFreesTheDevice) {
  auto* cap = new WaveCapProbe;
  Listener listener(*cap);
  ASSERT_TRUE(cap->StartCapWave(0));
  ASSERT_TRUE(listener.WaitFor(2));
  const WorkerEnd workerEnd(*cap);
  delete cap;
  const size_t delivered = listener.Count();
  EXPECT_TRUE(workerEnd.Wait());
  EXPECT_EQ(listener.Count(), delivered);

  TQXWaveCap next;
  Listener nextListener(next);
  ASSERT_TRUE(next.StartCapWave(0)) << "the device was closed";
  EXPECT_TRUE(nextListener.WaitFor(2));
}
