#include "MovieReader.h"

#include <vfw.h>

#include <cstring>

#include "StringUtils.h"

namespace {

// The file and one of its streams, released in reverse order.
class OpenStream {
 public:
  OpenStream(const std::string& path, DWORD type) {
    AVIFileInit();
    if (AVIFileOpenW(&FFile, Utf8ToWide(path).c_str(), OF_READ | OF_SHARE_DENY_NONE, nullptr) != AVIERR_OK) FFile = nullptr;
    if (FFile && AVIFileGetStream(FFile, &FStream, type, 0) != AVIERR_OK) FStream = nullptr;
  }
  ~OpenStream() {
    if (FStream) AVIStreamRelease(FStream);
    if (FFile) AVIFileRelease(FFile);
    AVIFileExit();
  }
  PAVISTREAM Stream() const { return FStream; }
  bool FileOpened() const { return FFile != nullptr; }

 private:
  PAVIFILE FFile = nullptr;
  PAVISTREAM FStream = nullptr;
};

}  // namespace

MovieInfo ReadMovieInfo(const std::string& path) {
  MovieInfo movie;
  {
    OpenStream video(path, streamtypeVIDEO);
    movie.Opened = video.FileOpened();
    if (video.Stream()) {
      AVISTREAMINFOW info{};
      AVIStreamInfoW(video.Stream(), &info, sizeof info);
      movie.VideoFrames = AVIStreamLength(video.Stream());
      movie.Rate = info.dwRate;
      movie.Scale = info.dwScale;
      movie.Handler = info.fccHandler;
      movie.Width = info.rcFrame.right - info.rcFrame.left;
      movie.Height = info.rcFrame.bottom - info.rcFrame.top;
    }
  }
  OpenStream audio(path, streamtypeAUDIO);
  if (audio.Stream()) {
    movie.HasAudio = true;
    LONG size = sizeof movie.AudioFormat;
    AVIStreamReadFormat(audio.Stream(), 0, &movie.AudioFormat, &size);
  }
  return movie;
}

std::vector<DWORD> ReadMovieFrame(const std::string& path, LONG frame) {
  OpenStream video(path, streamtypeVIDEO);
  if (!video.Stream()) return {};
  BITMAPINFOHEADER want{};
  want.biSize = sizeof want;
  want.biPlanes = 1;
  want.biBitCount = 32;
  want.biCompression = BI_RGB;
  PGETFRAME getter = AVIStreamGetFrameOpen(video.Stream(), &want);
  if (!getter) return {};
  std::vector<DWORD> pixels;
  if (auto* dib = static_cast<BITMAPINFOHEADER*>(AVIStreamGetFrame(getter, frame))) {
    const int w = dib->biWidth, h = std::abs(dib->biHeight);
    const auto* bits = reinterpret_cast<const DWORD*>(reinterpret_cast<const BYTE*>(dib) + dib->biSize);
    pixels.resize(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
      const int source = dib->biHeight > 0 ? h - 1 - y : y;
      for (int x = 0; x < w; ++x) pixels[static_cast<size_t>(y) * w + x] = bits[static_cast<size_t>(source) * w + x] & 0xFFFFFF;
    }
  }
  AVIStreamGetFrameClose(getter);
  return pixels;
}
