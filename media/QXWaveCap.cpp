#include "QXWaveCap.h"

#include <cstdio>
#include <exception>
#include <string>

#include "StringUtils.h"
#include "TStrings.h"
#include "TindrelModule.h"
#include "YKErrorManager.h"
#include "YKResourceManager.h"

namespace {

const char* const Unit = "QXWaveCap";

struct StandardFormat {
  unsigned long Bit;
  const char* Text;
  unsigned long SamplesPerSec;
  unsigned short Channels;
  unsigned long BitsPerSample;
};

// In the order in which the formats are listed.
const StandardFormat StandardFormats[] = {
    {WAVE_FORMAT_1M08, "11.025 kHz, mono, 8-bit", 11025, 1, 8},
    {WAVE_FORMAT_1M16, "11.025 kHz, mono, 16-bit", 11025, 1, 16},
    {WAVE_FORMAT_1S08, "11.025 kHz, stereo, 8-bit", 11025, 2, 8},
    {WAVE_FORMAT_1S16, "11.025 kHz, stereo, 16-bit", 11025, 2, 16},
    {WAVE_FORMAT_2M08, "22.05 kHz, mono, 8-bit", 22050, 1, 8},
    {WAVE_FORMAT_2M16, "22.05 kHz, mono, 16-bit", 22050, 1, 16},
    {WAVE_FORMAT_2S08, "22.05 kHz, stereo, 8-bit", 22050, 2, 8},
    {WAVE_FORMAT_2S16, "22.05 kHz, stereo, 16-bit", 22050, 2, 16},
    {WAVE_FORMAT_4M08, "44.1 kHz, mono, 8-bit", 44100, 1, 8},
    {WAVE_FORMAT_4M16, "44.1 kHz, mono, 16-bit", 44100, 1, 16},
    {WAVE_FORMAT_4S08, "44.1 kHz, stereo, 8-bit", 44100, 2, 8},
    {WAVE_FORMAT_4S16, "44.1 kHz, stereo, 16-bit", 44100, 2, 16},
};

void ReportWaveInError(MMRESULT result, int line) {
  wchar_t text[256] = L"";
  if (waveInGetErrorTextW(result, text, 256) != MMSYSERR_NOERROR)
    std::swprintf(text, 256, L"Wave input error %u", static_cast<unsigned>(result));
  GetYKErrorManager().Error(WideToUtf8(text), Unit, line);
}

// An event handler's exception must not end the worker: the capture object still points to it.
template <typename Call>
void CallEvent(Call call) {
  try {
    call();
  } catch (const std::exception& e) {
    GetYKErrorManager().Error(e.what(), Unit, __LINE__);
  } catch (...) {
    GetYKErrorManager().Error("Unknown exception", Unit, __LINE__);
  }
}

// The device posts to the worker from waveInOpen on; a thread has a message queue only once it
// has run its first message call, and posts to a thread without one are lost.
void WaitForMessageQueue(DWORD threadId) {
  for (int i = 0; i < 1000 && !PostThreadMessageW(threadId, WM_NULL, 0, 0); ++i) Sleep(5);
}

}  // namespace

TQXWaveCap::TQXWaveCapThread::TQXWaveCapThread(TQXWaveCap* owner) : FOwner(owner) { FreeOnTerminate = true; }

void TQXWaveCap::TQXWaveCapThread::Execute() {
  MSG msg;
  while (!Terminated() && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    switch (msg.message) {
      case MM_WIM_OPEN: CallEvent([this] { FOwner->OnOpen(); }); break;
      case MM_WIM_CLOSE: CallEvent([this] { FOwner->OnClose(); }); break;
      case MM_WIM_DATA: HandleData(reinterpret_cast<HWAVEIN>(msg.wParam), reinterpret_cast<wavehdr_tag*>(msg.lParam)); break;
      default: break;
    }
  }
}

void TQXWaveCap::TQXWaveCapThread::HandleData(HWAVEIN device, wavehdr_tag* header) {
  MMRESULT result = waveInUnprepareHeader(device, header, sizeof *header);
  if (result != MMSYSERR_NOERROR) {
    ReportWaveInError(result, __LINE__);
    return;
  }
  CallEvent([this, header] { FOwner->OnData(header); });
  result = waveInPrepareHeader(device, header, sizeof *header);
  if (result != MMSYSERR_NOERROR) ReportWaveInError(result, __LINE__);
  result = waveInAddBuffer(device, header, sizeof *header);
  if (result != MMSYSERR_NOERROR) ReportWaveInError(result, __LINE__);
}

TQXWaveCap::TQXWaveCap() = default;

TQXWaveCap::~TQXWaveCap() { StopCapWave(); }

int TQXWaveCap::EnumerateDevices(TStrings* list) {
  const UINT count = waveInGetNumDevs();
  if (count == 0 || !list) return static_cast<int>(count);
  for (UINT id = 0; id < count; ++id) {
    WAVEINCAPSW caps{};
    if (waveInGetDevCapsW(id, &caps, sizeof caps) != MMSYSERR_NOERROR) continue;
    char version[96];
    std::snprintf(version, sizeof version, " Ver%d.%d (Mid:%d,Pid:%d)", HIBYTE(caps.vDriverVersion),
                  LOBYTE(caps.vDriverVersion), caps.wMid, caps.wPid);
    list->Add(WideToUtf8(caps.szPname) + version);
  }
  return static_cast<int>(count);
}

int TQXWaveCap::EnumerateFormats(unsigned int deviceId, TStrings* list) {
  if (!list) {
    GetYKErrorManager().ManageAssert("list != nullptr", Unit, __LINE__);
    return 0;
  }
  WAVEINCAPSW caps{};
  if (waveInGetDevCapsW(deviceId, &caps, sizeof caps) != MMSYSERR_NOERROR) return 0;
  int count = 0;
  for (const StandardFormat& format : StandardFormats) {
    if (!(caps.dwFormats & format.Bit)) continue;
    list->AddObject(format.Text, NumberObject(format.Bit));
    ++count;
  }
  return count;
}

bool TQXWaveCap::SetWaveFormat(const unsigned long format) {
  for (const StandardFormat& standard : StandardFormats) {
    if (standard.Bit != format) continue;
    FSamplesPerSec = standard.SamplesPerSec;
    FChannels = standard.Channels;
    FBitsPerSample = standard.BitsPerSample;
    return true;
  }
  GetYKErrorManager().Error(GetResourceManager().GetString(TindrelModuleName(), "ErrPara", "Error parameters."), Unit,
                            __LINE__);
  return false;
}

tWAVEFORMATEX* TQXWaveCap::GetCapWaveFormat() {
  FWaveFormat.wFormatTag = WAVE_FORMAT_PCM;
  FWaveFormat.nChannels = FChannels;
  FWaveFormat.nSamplesPerSec = FSamplesPerSec;
  FWaveFormat.wBitsPerSample = static_cast<WORD>(FBitsPerSample);
  FWaveFormat.nBlockAlign = static_cast<WORD>(FWaveFormat.nChannels * FWaveFormat.wBitsPerSample / 8);
  FWaveFormat.nAvgBytesPerSec = FWaveFormat.nBlockAlign * FWaveFormat.nSamplesPerSec;
  FWaveFormat.cbSize = 0;
  return &FWaveFormat;
}

bool TQXWaveCap::StartCapWave(unsigned int deviceId) {
  if (FHWaveIn) return true;
  FWaveCapThread = new TQXWaveCapThread(this);
  FWaveCapThread->Resume();
  WaitForMessageQueue(FWaveCapThread->ThreadID());
  tWAVEFORMATEX* format = GetCapWaveFormat();

  MMRESULT result = waveInOpen(&FHWaveIn, deviceId, format, static_cast<DWORD_PTR>(FWaveCapThread->ThreadID()), 0,
                               CALLBACK_THREAD);
  if (result != MMSYSERR_NOERROR) {
    ReportWaveInError(result, __LINE__);
    FHWaveIn = nullptr;
    EndWorker();
    return false;
  }
  for (wavehdr_tag& header : FWaveHdrs) {
    if (!AddInputBuffer(&header, format)) {
      EndWorker();
      CloseDevice();
      return false;
    }
  }
  result = waveInStart(FHWaveIn);
  if (result != MMSYSERR_NOERROR) {
    ReportWaveInError(result, __LINE__);
    EndWorker();
    CloseDevice();
    return false;
  }
  return true;
}

bool TQXWaveCap::StopCapWave() {
  if (!FHWaveIn) return true;
  // Told to quit before the reset, so the buffers the reset returns queue up behind the quit
  // and never reach OnData.
  EndWorker();
  const MMRESULT result = waveInReset(FHWaveIn);
  if (result != MMSYSERR_NOERROR) {
    ReportWaveInError(result, __LINE__);
    return false;
  }
  Sleep(500);  // lets the worker reach the quit message and end
  CloseDevice();
  return true;
}

bool TQXWaveCap::GetPitchOf(int& max, int& min) {
  switch (FBitsPerSample / 8) {
    case 1: max = 127; min = -127; return true;
    case 2: max = 32767; min = -32767; return true;
    case 4: max = 2147483647; min = -2147483647; return true;
    default: return false;
  }
}

bool TQXWaveCap::GetPitchOf(wavehdr_tag* header, int& max, int& min) {
  if (!FHWaveIn) return false;
  max = -2147483647;
  min = 2147483647;
  const unsigned long width = FBitsPerSample / 8;
  if (width != 1 && width != 2 && width != 4) return false;
  const auto* bytes = reinterpret_cast<const unsigned char*>(header->lpData);
  for (unsigned long i = header->dwBytesRecorded / width; i-- > 0;) {
    const unsigned char* sample = bytes + i * width;
    int value;
    if (width == 1)
      value = sample[0] - 128;
    else if (width == 2)
      value = static_cast<short>(sample[0] | sample[1] << 8);
    else
      value = static_cast<int>(sample[0] | sample[1] << 8 | sample[2] << 16 | static_cast<unsigned>(sample[3]) << 24);
    if (value > max) max = value;
    if (value < min) min = value;
  }
  return true;
}

bool TQXWaveCap::AddInputBuffer(wavehdr_tag* header, tWAVEFORMATEX* format) {
  *header = wavehdr_tag{};
  header->dwBufferLength = format->nBlockAlign * FBufferSamples;
  header->lpData = new char[header->dwBufferLength];
  MMRESULT result = waveInPrepareHeader(FHWaveIn, header, sizeof *header);
  if (result == MMSYSERR_NOERROR) {
    result = waveInAddBuffer(FHWaveIn, header, sizeof *header);
    if (result == MMSYSERR_NOERROR) return true;
  }
  ReportWaveInError(result, __LINE__);
  if (header->dwFlags & WHDR_PREPARED) waveInUnprepareHeader(FHWaveIn, header, sizeof *header);
  delete[] header->lpData;
  header->lpData = nullptr;
  return false;
}

// Marks the worker terminated and posts it the quit message. It then ends and frees itself at
// any moment, so its identifier is read first and the pointer forgotten at once.
void TQXWaveCap::EndWorker() {
  if (!FWaveCapThread) return;
  TQXWaveCapThread* worker = FWaveCapThread;
  FWaveCapThread = nullptr;
  const DWORD threadId = worker->ThreadID();
  worker->Terminate();
  PostThreadMessageW(threadId, WM_QUIT, 0, 0);
}

// Resets once more to take back a buffer that the worker re-queued while the device was being
// stopped, then unprepares and frees every block before the close.
void TQXWaveCap::CloseDevice() {
  waveInReset(FHWaveIn);
  for (wavehdr_tag& header : FWaveHdrs) {
    if (!header.lpData) continue;
    if (header.dwFlags & WHDR_PREPARED) waveInUnprepareHeader(FHWaveIn, &header, sizeof header);
    delete[] header.lpData;
    header.lpData = nullptr;
  }
  waveInClose(FHWaveIn);
  FHWaveIn = nullptr;
}
