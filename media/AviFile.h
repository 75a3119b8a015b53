#pragma once

#include <windows.h>
#include <mmreg.h>
#include <vfw.h>

#include "TCriticalSection.h"
#include "TindrelApi.h"

#pragma pack(push, 1)
// The audio stream's format block: the wave format followed by two zero bytes.
struct TAviAudioFormat : WAVEFORMATEX {
  WORD Reserved;
};
#pragma pack(pop)

// Writes one recording into an AVI file: a video stream compressed on the fly by a Video for
// Windows compressor and, with sound, a PCM audio stream. The file is created from the size of
// the first frame. Every operation returns S_OK or E_FAIL and keeps the text of its last
// failure in ErrorText. AddFrame (capture thread) and AddAudio (audio thread) may run at the
// same time: they take turns on the file.
class TINDREL_API CAviFile {
 public:
  CAviFile(const char* fileName, unsigned long fccHandler, unsigned long frameRate, unsigned long quality,
           const WAVEFORMATEX* audioFormat);
  ~CAviFile();
  CAviFile(const CAviFile&) = delete;
  CAviFile& operator=(const CAviFile&) = delete;

  HRESULT AddFrame(HBITMAP bitmap);
  HRESULT AddAudio(const void* data, int size);
  void CloseAll();

  // The most the streams may hold before the writer closes the movie: the file services
  // cannot write AVI files past 2 GiB.
  static const LONGLONG DefaultSizeLimit = 2000LL * 1000 * 1000;
  void SetSizeLimit(LONGLONG bytes) { FSizeLimit = bytes; }

  HDC MemoryDC;
  HANDLE FrameHeap;
  void* FrameBuffer;
  LONG VideoSamples;
  PAVIFILE AviFileHandle;
  PAVISTREAM VideoStream;
  PAVISTREAM CompressedStream;
  AVISTREAMINFOW VideoInfo;
  AVICOMPRESSOPTIONS CompressOptions;
  unsigned long FrameRate;
  unsigned long Quality;
  unsigned long FccHandler;
  wchar_t MovieFileName[MAX_PATH];
  char ErrorText[MAX_PATH];
  TAviAudioFormat AudioFormat;
  PAVISTREAM AudioStream;
  LONG AudioSamples;

 private:
  HRESULT FirstFrame(HBITMAP bitmap);
  HRESULT OpenMovie(int width, int height, int bitsPerPixel);
  HRESULT NextFrame(HBITMAP bitmap);
  HRESULT Fail(const char* text);
  bool OpenAudioStream();
  LONG ExpectedAudioSamples() const;  // where the sound should be after the frames written
  // The sound track ends with the last frame: a track that lags is completed with silence.
  void PadAudioToVideo();
  HRESULT WriteAudio(LONG samples, const void* data, LONG bytes);  // at the end of the stream
  HRESULT WriteSilence(LONG samples);  // and counts it
  // Counts what a write added to the file; true while the movie stays below its limit.
  bool Account(LONG bytesWritten, LONGLONG nextWriteAtMost);
  void SetError(const char* text);

  TCriticalSection FLock;
  SIZE_T FFrameBufferSize = 0;
  LONGLONG FBytesWritten = 0;
  LONGLONG FSizeLimit = DefaultSizeLimit;
  bool FOpenTried = false;
};
