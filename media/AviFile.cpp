#include "AviFile.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "BuiltInCompressors.h"
#include "StringUtils.h"

static const char* const SizeLimitText = "The movie reached the largest size an AVI file can hold; recording stopped";

// Bytes a chunk of this size adds to the file: its header, its data padded to even length
// and its index entry.
static LONGLONG ChunkBytes(LONGLONG data) { return 8 + data + (data & 1) + 16; }

CAviFile::CAviFile(const char* fileName, unsigned long fccHandler, unsigned long frameRate, unsigned long quality,
                   const WAVEFORMATEX* audioFormat)
    : MemoryDC(nullptr),
      FrameHeap(nullptr),
      FrameBuffer(nullptr),
      VideoSamples(0),
      AviFileHandle(nullptr),
      VideoStream(nullptr),
      CompressedStream(nullptr),
      VideoInfo{},
      CompressOptions{},
      FrameRate(frameRate),
      Quality(quality),
      FccHandler(fccHandler),
      MovieFileName{},
      ErrorText{},
      AudioFormat{},
      AudioStream(nullptr),
      AudioSamples(0) {
  AVIFileInit();
  const std::wstring name = Utf8ToWide(fileName ? fileName : "");
  wcsncpy(MovieFileName, name.c_str(), MAX_PATH - 1);
  if (name.size() >= MAX_PATH) MovieFileName[0] = L'\0';  // a cut name would be another file
  SetError("Method Succeeded");
  if (audioFormat) std::memcpy(static_cast<WAVEFORMATEX*>(&AudioFormat), audioFormat, sizeof(WAVEFORMATEX));
  AudioFormat.cbSize = 0;
}

CAviFile::~CAviFile() {
  PadAudioToVideo();
  CloseAll();
  AVIFileExit();
}

void CAviFile::PadAudioToVideo() {
  TCriticalSectionGuard hold(FLock);
  if (!AviFileHandle || !AudioStream || VideoSamples == 0) return;
  const LONG missing = ExpectedAudioSamples() - AudioSamples;
  if (missing <= 0) return;
  WriteSilence(missing);
}

LONG CAviFile::ExpectedAudioSamples() const {
  if (FrameRate == 0) return AudioSamples;  // no time base: the sound is taken as it comes
  const LONG videoMs = static_cast<LONG>(1000LL * VideoSamples / FrameRate);
  return static_cast<LONG>(static_cast<LONGLONG>(videoMs) * AudioFormat.nSamplesPerSec / 1000);
}

void CAviFile::SetError(const char* text) {
  std::strncpy(ErrorText, text, sizeof ErrorText - 1);
  ErrorText[sizeof ErrorText - 1] = '\0';
}

HRESULT CAviFile::Fail(const char* text) {
  SetError(text);
  return E_FAIL;
}

HRESULT CAviFile::AddFrame(HBITMAP bitmap) {
  TCriticalSectionGuard hold(FLock);
  if (AviFileHandle) return NextFrame(bitmap);
  // A movie closed after a failure is never started again: that would overwrite it.
  if (FOpenTried) return E_FAIL;
  FOpenTried = true;
  return FirstFrame(bitmap);
}

HRESULT CAviFile::FirstFrame(HBITMAP bitmap) {
  BITMAP info{};
  if (!GetObjectW(bitmap, sizeof info, &info)) return Fail("Unable to Create the Movie File");
  if (OpenMovie(info.bmWidth, info.bmHeight, info.bmBitsPixel) != S_OK) {
    CloseAll();
    return E_FAIL;
  }
  return NextFrame(bitmap);
}

HRESULT CAviFile::OpenMovie(int width, int height, int bitsPerPixel) {
  MemoryDC = CreateCompatibleDC(nullptr);
  if (!MemoryDC) return Fail("Unable to Create Compatible DC");

  const SIZE_T w = std::max(GetSystemMetrics(SM_CXSCREEN), width), h = std::max(GetSystemMetrics(SM_CYSCREEN), height);
  FFrameBufferSize = w * h * 4;
  FrameHeap = HeapCreate(HEAP_NO_SERIALIZE, FFrameBufferSize, 0);
  if (!FrameHeap) return Fail("Unable to Create Heap");
  FrameBuffer = HeapAlloc(FrameHeap, HEAP_ZERO_MEMORY | HEAP_NO_SERIALIZE, FFrameBufferSize);
  if (!FrameBuffer) return Fail("Unable to Allocate Memory on Heap");

  if (!MovieFileName[0] || AVIFileOpenW(&AviFileHandle, MovieFileName, OF_CREATE | OF_WRITE, nullptr) != AVIERR_OK) {
    AviFileHandle = nullptr;
    return Fail("Unable to Create the Movie File");
  }

  VideoInfo = AVISTREAMINFOW{};
  VideoInfo.fccType = streamtypeVIDEO;
  VideoInfo.fccHandler = FccHandler;
  VideoInfo.dwScale = 1;
  VideoInfo.dwRate = FrameRate;
  VideoInfo.dwQuality = Quality;
  VideoInfo.dwSuggestedBufferSize = static_cast<DWORD>(FFrameBufferSize);
  SetRect(&VideoInfo.rcFrame, 0, 0, width, height);
  wcscpy(VideoInfo.szName, L"Video Stream");
  if (AVIFileCreateStreamW(AviFileHandle, &VideoStream, &VideoInfo) != AVIERR_OK) {
    VideoStream = nullptr;
    return Fail("Unable to Create Video Stream in the Movie File");
  }

  CompressOptions = AVICOMPRESSOPTIONS{};
  CompressOptions.fccType = streamtypeVIDEO;
  CompressOptions.fccHandler = VideoInfo.fccHandler;
  CompressOptions.dwKeyFrameEvery = 1;
  CompressOptions.dwFlags = AVICOMPRESSF_KEYFRAMES | AVICOMPRESSF_VALID;
  RegisterBuiltInCompressors();
  if (AVIMakeCompressedStream(&CompressedStream, VideoStream, &CompressOptions, nullptr) != AVIERR_OK) {
    CompressedStream = nullptr;
    return Fail("Unable to Create Compressed Stream: Check your CODEC options");
  }

  BITMAPINFOHEADER format{};
  format.biSize = sizeof format;
  format.biWidth = width;
  format.biHeight = height;
  format.biPlanes = 1;
  format.biBitCount = static_cast<WORD>(bitsPerPixel);
  format.biCompression = BI_RGB;
  format.biSizeImage = static_cast<DWORD>(width) * height * bitsPerPixel / 8;
  if (AVIStreamSetFormat(CompressedStream, 0, &format, sizeof format) != AVIERR_OK)
    return Fail("Unable to Set Video Stream Format");
  // The file services add no stream to a file once data is in it, so the sound's stream comes
  // now; a failure here is reported by the first AddAudio, which tries again.
  if (AudioFormat.nChannels != 0 && !OpenAudioStream()) SetError("Method Succeeded");
  return S_OK;
}

HRESULT CAviFile::NextFrame(HBITMAP bitmap) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  GetDIBits(MemoryDC, bitmap, 0, 0, nullptr, &info, DIB_RGB_COLORS);
  info.bmiHeader.biCompression = BI_RGB;
  const SIZE_T bytes = static_cast<SIZE_T>(std::abs(info.bmiHeader.biHeight)) *
                       (((info.bmiHeader.biWidth * info.bmiHeader.biBitCount + 31) / 32) * 4);
  LONG written = 0;
  const bool ok = bytes <= FFrameBufferSize &&
                  GetDIBits(MemoryDC, bitmap, 0, std::abs(info.bmiHeader.biHeight), FrameBuffer, &info, DIB_RGB_COLORS) &&
                  AVIStreamWrite(CompressedStream, VideoSamples++, 1, FrameBuffer, info.bmiHeader.biSizeImage, 0,
                                 nullptr, &written) == AVIERR_OK;
  if (!ok) {
    CloseAll();
    return Fail("Unable to Write Video Stream to the output Movie File");
  }
  // Room for the next frame even if it does not compress, and for a second of sound.
  const LONGLONG reserve = static_cast<LONGLONG>(bytes) * 1025 / 1000 + 16 * 1024 +
                           (AudioFormat.nChannels ? AudioFormat.nAvgBytesPerSec + 12 * ChunkBytes(0) : 0);
  if (!Account(written, reserve)) {
    CloseAll();
    return Fail(SizeLimitText);
  }
  return S_OK;
}

bool CAviFile::Account(LONG bytesWritten, LONGLONG nextWriteAtMost) {
  FBytesWritten += ChunkBytes(bytesWritten);
  return FBytesWritten + nextWriteAtMost <= FSizeLimit;
}

void CAviFile::CloseAll() {
  TCriticalSectionGuard hold(FLock);
  if (MemoryDC) DeleteDC(MemoryDC);
  MemoryDC = nullptr;
  for (PAVISTREAM* stream : {&AudioStream, &CompressedStream, &VideoStream}) {
    if (*stream) AVIStreamRelease(*stream);
    *stream = nullptr;
  }
  if (AviFileHandle) AVIFileRelease(AviFileHandle);
  AviFileHandle = nullptr;
  if (FrameBuffer) HeapFree(FrameHeap, HEAP_NO_SERIALIZE, FrameBuffer);
  FrameBuffer = nullptr;
  if (FrameHeap) HeapDestroy(FrameHeap);
  FrameHeap = nullptr;
}

bool CAviFile::OpenAudioStream() {
  AVISTREAMINFOW info{};
  info.fccType = streamtypeAUDIO;
  info.dwScale = AudioFormat.nBlockAlign;
  info.dwRate = AudioFormat.nBlockAlign * AudioFormat.nSamplesPerSec;
  info.dwSampleSize = AudioFormat.nBlockAlign;
  info.dwQuality = static_cast<DWORD>(-1);
  if (AVIFileCreateStreamW(AviFileHandle, &AudioStream, &info) != AVIERR_OK) {
    AudioStream = nullptr;
    SetError("Unable to Create Audio Stream in the Movie File");
    return false;
  }
  if (AVIStreamSetFormat(AudioStream, 0, &AudioFormat, sizeof AudioFormat) != AVIERR_OK) {
    SetError("Unable to Set Audio Stream Format");
    return false;
  }
  return true;
}

HRESULT CAviFile::WriteAudio(LONG samples, const void* data, LONG bytes) {
  if (FBytesWritten + ChunkBytes(bytes) > FSizeLimit) return Fail(SizeLimitText);
  // Sound is only ever appended (gaps are filled with silence first). The position is the
  // stream's end as the file services count it: some count it in chunks, not in samples.
  const LONG end = AVIStreamStart(AudioStream) + AVIStreamLength(AudioStream);
  LONG written = 0;
  if (AVIStreamWrite(AudioStream, end, samples, const_cast<void*>(data), bytes, 0, nullptr, &written) != AVIERR_OK)
    return Fail("Unable to Write Audio Stream to the output Movie File");
  FBytesWritten += ChunkBytes(written);
  return S_OK;
}

HRESULT CAviFile::WriteSilence(LONG samples) {
  const WORD bits = AudioFormat.wBitsPerSample;
  // 8-bit samples are unsigned: their silence is 0x80, not zero.
  const std::vector<BYTE> silence(static_cast<size_t>(samples) * bits / 8, bits == 8 ? 0x80 : 0);
  const HRESULT result = WriteAudio(samples, silence.data(), static_cast<LONG>(silence.size()));
  if (result == S_OK) AudioSamples += samples;
  return result;
}

HRESULT CAviFile::AddAudio(const void* data, int size) {
  TCriticalSectionGuard hold(FLock);
  if (VideoSamples == 0) return S_OK;  // the sound starts with the first frame
  if (!AviFileHandle) return Fail("AVIERR_BADHANDLE");
  if (!data || size <= 0) return Fail("AVIERR_BADPARAM");
  if (AudioFormat.nChannels == 0 || AudioFormat.wBitsPerSample == 0) return Fail("AVIERR_BADFORMAT");
  const unsigned bits = AudioFormat.wBitsPerSample;
  unsigned n = static_cast<unsigned>(size) * 8 / bits;
  if (bits * n / 8 != static_cast<unsigned>(size)) return Fail("AVIERR_BADPARAM");
  if (!AudioStream && !OpenAudioStream()) return E_FAIL;

  // Keep the sound in step with the frames written so far; up to a second of drift is left.
  const LONG drift = ExpectedAudioSamples() - (AudioSamples + static_cast<LONG>(n));
  const LONG tolerance = static_cast<LONG>(AudioFormat.nSamplesPerSec);
  const auto* bytes = static_cast<const BYTE*>(data);
  if (drift > tolerance) {
    if (WriteSilence(drift) != S_OK) return Fail("Unable to Write Audio Stream to the output Movie File");
  } else if (-drift > tolerance) {
    // Ahead of the video: keep the newest part of the buffer.
    const unsigned cut = static_cast<unsigned>(-drift);
    n = cut < n ? n - cut : 0;
    bytes += size - n * bits / 8;
  }
  if (n == 0) return S_OK;
  const HRESULT result = WriteAudio(static_cast<LONG>(n), bytes, static_cast<LONG>(n * bits / 8));
  if (result == S_OK) AudioSamples += static_cast<LONG>(n);
  return result;
}
