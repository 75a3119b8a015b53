// WaveRecord <seconds>: records wave-in device 0 in the default format for that long, the way the
// recorder does, and writes into the current folder what OnData delivered:
//   buffers.csv  one line per buffer: milliseconds since the start, dwBufferLength, dwBytesRecorded
//   audio.pcm    the recorded bytes, in order
//   format.txt   "<rate> <channels> <bits>"
// Exit code 0 when capture started and stopped.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include "QXWaveCap.h"
#include "YKErrorManager.h"

namespace {

class Recording {
 public:
  explicit Recording(TQXWaveCap& cap) {
    QueryPerformanceFrequency(&FFrequency);
    QueryPerformanceCounter(&FStart);
    cap.OnData = TMethod<wavehdr_tag*>(this, &Recording::Data);
  }

  bool Save() const {
    std::lock_guard<std::mutex> hold(FLock);
    FILE* audio = std::fopen("audio.pcm", "wb");
    FILE* buffers = std::fopen("buffers.csv", "w");
    if (!audio || !buffers) return false;
    std::fwrite(FAudio.data(), 1, FAudio.size(), audio);
    std::fputs(FBuffers.c_str(), buffers);
    return std::fclose(audio) == 0 && std::fclose(buffers) == 0;
  }

 private:
  void Data(wavehdr_tag* header) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    char line[80];
    std::snprintf(line, sizeof line, "%.1f,%lu,%lu\n", 1000.0 * (now.QuadPart - FStart.QuadPart) / FFrequency.QuadPart,
                  header->dwBufferLength, header->dwBytesRecorded);
    std::lock_guard<std::mutex> hold(FLock);
    FBuffers += line;
    FAudio.insert(FAudio.end(), header->lpData, header->lpData + header->dwBytesRecorded);
  }

  LARGE_INTEGER FFrequency, FStart;
  mutable std::mutex FLock;
  std::string FBuffers;
  std::vector<char> FAudio;
};

int Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  for (const TYKErrorReport& report : GetYKErrorManager().PendingReports())
    std::fprintf(stderr, "  [%s:%d] %s\n", report.Unit.c_str(), report.Line, report.Message.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 4;
  TQXWaveCap cap;
  Recording recording(cap);
  if (TQXWaveCap::EnumerateDevices(nullptr) == 0) return Fail("no wave-in device");
  if (!cap.StartCapWave(0)) return Fail("StartCapWave failed");
  const tWAVEFORMATEX* format = cap.GetCapWaveFormat();
  Sleep(seconds * 1000);
  if (!cap.StopCapWave()) return Fail("StopCapWave failed");
  if (!recording.Save()) return Fail("cannot write the results");
  FILE* text = std::fopen("format.txt", "w");
  if (!text) return Fail("cannot write the format");
  std::fprintf(text, "%lu %u %u\n", format->nSamplesPerSec, format->nChannels, format->wBitsPerSample);
  std::fclose(text);
  return GetYKErrorManager().PendingReports().empty() ? 0 : Fail("reports during capture");
}
