// Writes and reads ZMBV movies through the Video for Windows API, for checks made on the Linux
// side with ffmpeg. Pictures are exchanged as raw BGR24 frames, top row first.
//   ZmbvAviTool write FOLDER      one movie per case, NAME.avi with its frames in NAME.bgr, and
//                                 cases.txt: NAME WIDTH HEIGHT FRAMES KEY_EVERY per line
//   ZmbvAviTool decode MOVIE OUT  the movie's frames as Windows players get them
//   (add "system" to decode with the codec installed on the machine instead of Quorlo's own)
#include <windows.h>
#include <vfw.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "BuiltInCompressors.h"
#include "DesktopScene.h"
#include "PixelRows.h"

namespace {

struct Case {
  const char* name;
  int width, height, frames, keyEvery, bitCount;
  bool topDown;
};

// The scene scrolls on frames 1-8.
const Case Cases[] = {
    {"desktop", 320, 240, 20, 7, 32, false},  {"odd-size", 37, 23, 6, 4, 32, false},
    {"keys-only", 99, 51, 5, 1, 32, true},    {"scroll-24bit", 641, 479, 12, 100, 24, false},
    {"rgb555", 130, 66, 6, 3, 16, false},
};

constexpr DWORD Zmbv = mmioFOURCC('Z', 'M', 'B', 'V');

int Fail(const char* what, HRESULT result = 0) {
  std::printf("FAIL: %s (0x%08lx)\n", what, static_cast<unsigned long>(result));
  return 1;
}

void Append(const std::string& path, const void* data, size_t size) {
  FILE* file = std::fopen(path.c_str(), "ab");
  std::fwrite(data, 1, size, file);
  std::fclose(file);
}

// The scene frame in the case's input format (rows padded to 4 bytes).
std::vector<uint8_t> Dib(const Case& c, const std::vector<uint32_t>& pixels) {
  const size_t stride = (c.width * c.bitCount + 31) / 32 * 4;
  std::vector<uint8_t> dib(stride * c.height);
  for (int y = 0; y < c.height; ++y) {
    uint8_t* row = &dib[stride * (c.topDown ? y : c.height - 1 - y)];
    for (int x = 0; x < c.width; ++x) {
      const uint32_t p = pixels[y * c.width + x];
      if (c.bitCount == 32) std::memcpy(row + 4 * x, &p, 4);
      if (c.bitCount == 24) std::memcpy(row + 3 * x, &p, 3);
      if (c.bitCount == 16) {
        const unsigned word = (p >> 19 & 31) << 10 | (p >> 11 & 31) << 5 | (p >> 3 & 31);
        row[2 * x] = static_cast<uint8_t>(word);
        row[2 * x + 1] = static_cast<uint8_t>(word >> 8);
      }
    }
  }
  return dib;
}

// What the movie must show for a DIB: its pixels widened to 8 bits per channel, top row first.
std::vector<uint8_t> Expected(const Case& c, const std::vector<uint8_t>& dib) {
  const ptrdiff_t stride = (c.width * c.bitCount + 31) / 32 * 4;
  const uint8_t* top = c.topDown ? dib.data() : dib.data() + stride * (c.height - 1);
  std::vector<uint8_t> wide(static_cast<size_t>(c.width) * c.height * 4), bgr;
  if (c.bitCount == 32) {
    for (int y = 0; y < c.height; ++y)
      std::memcpy(&wide[y * c.width * 4], top + y * (c.topDown ? stride : -stride), c.width * 4);
  } else {
    WidenRows(top, c.topDown ? stride : -stride, c.bitCount, c.width, c.height, wide.data());
  }
  for (size_t i = 0; i < wide.size(); i += 4) bgr.insert(bgr.end(), &wide[i], &wide[i] + 3);
  return bgr;
}

int Write(const Case& c, const std::string& folder) {
  const std::string movie = folder + c.name + ".avi", frames = folder + c.name + ".bgr";
  DeleteFileA(movie.c_str());
  DeleteFileA(frames.c_str());
  PAVIFILE file = nullptr;
  HRESULT hr = AVIFileOpenA(&file, movie.c_str(), OF_CREATE | OF_WRITE, nullptr);
  if (hr) return Fail("AVIFileOpen", hr);
  AVISTREAMINFOA info{};
  info.fccType = streamtypeVIDEO;
  info.fccHandler = Zmbv;
  info.dwScale = 1;
  info.dwRate = 10;
  SetRect(&info.rcFrame, 0, 0, c.width, c.height);
  PAVISTREAM raw = nullptr, compressed = nullptr;
  if ((hr = AVIFileCreateStreamA(file, &raw, &info))) return Fail("AVIFileCreateStream", hr);
  AVICOMPRESSOPTIONS options{};
  options.fccType = streamtypeVIDEO;
  options.fccHandler = Zmbv;
  options.dwKeyFrameEvery = c.keyEvery;
  options.dwFlags = AVICOMPRESSF_KEYFRAMES;
  if ((hr = AVIMakeCompressedStream(&compressed, raw, &options, nullptr))) return Fail("AVIMakeCompressedStream", hr);
  BITMAPINFOHEADER format{};
  format.biSize = sizeof format;
  format.biWidth = c.width;
  format.biHeight = c.topDown ? -c.height : c.height;
  format.biPlanes = 1;
  format.biBitCount = static_cast<WORD>(c.bitCount);
  if ((hr = AVIStreamSetFormat(compressed, 0, &format, sizeof format))) return Fail("AVIStreamSetFormat", hr);
  TDesktopScene scene(c.width, c.height);
  std::vector<uint32_t> pixels;
  for (int t = 0; t < c.frames; ++t) {
    scene.Render(t, pixels);
    std::vector<uint8_t> dib = Dib(c, pixels);
    hr = AVIStreamWrite(compressed, t, 1, dib.data(), static_cast<LONG>(dib.size()), 0, nullptr, nullptr);
    if (hr) return Fail("AVIStreamWrite", hr);
    const std::vector<uint8_t> expected = Expected(c, dib);
    Append(frames, expected.data(), expected.size());
  }
  AVIStreamRelease(compressed);
  AVIStreamRelease(raw);
  AVIFileRelease(file);
  const std::string line = std::string(c.name) + " " + std::to_string(c.width) + " " + std::to_string(c.height) +
                           " " + std::to_string(c.frames) + " " + std::to_string(c.keyEvery) + "\n";
  Append(folder + "cases.txt", line.data(), line.size());
  return 0;
}

int Decode(const std::string& movie, const std::string& out) {
  PAVIFILE file = nullptr;
  PAVISTREAM stream = nullptr;
  HRESULT hr = AVIFileOpenA(&file, movie.c_str(), OF_READ, nullptr);
  if (hr) return Fail("AVIFileOpen", hr);
  if ((hr = AVIFileGetStream(file, &stream, streamtypeVIDEO, 0))) return Fail("AVIFileGetStream", hr);
  AVISTREAMINFOA info{};
  AVIStreamInfoA(stream, &info, sizeof info);
  const int width = info.rcFrame.right - info.rcFrame.left, height = info.rcFrame.bottom - info.rcFrame.top;
  BITMAPINFOHEADER wanted{};
  wanted.biSize = sizeof wanted;
  wanted.biWidth = width;
  wanted.biHeight = height;
  wanted.biPlanes = 1;
  wanted.biBitCount = 32;
  PGETFRAME getFrame = AVIStreamGetFrameOpen(stream, &wanted);
  if (!getFrame) return Fail("AVIStreamGetFrameOpen: no decompressor");
  DeleteFileA(out.c_str());
  for (LONG t = 0; t < static_cast<LONG>(info.dwLength); ++t) {
    const auto* dib = static_cast<const BITMAPINFOHEADER*>(AVIStreamGetFrame(getFrame, t));
    if (!dib || dib->biBitCount != 32 || dib->biHeight != height) return Fail("AVIStreamGetFrame");
    const auto* bits = reinterpret_cast<const uint8_t*>(dib) + dib->biSize;
    std::vector<uint8_t> bgr;
    for (int y = height - 1; y >= 0; --y)
      for (int x = 0; x < width; ++x) bgr.insert(bgr.end(), bits + (y * width + x) * 4, bits + (y * width + x) * 4 + 3);
    Append(out, bgr.data(), bgr.size());
  }
  AVIStreamGetFrameClose(getFrame);
  AVIStreamRelease(stream);
  AVIFileRelease(file);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  const bool system = std::string(argv[argc - 1]) == "system";
  if (!system) RegisterBuiltInCompressors();
  AVIFileInit();
  int result = 2;
  if (command == "write" && argc == 3) {
    std::string folder = argv[2];
    if (folder.back() != '\\') folder += '\\';
    DeleteFileA((folder + "cases.txt").c_str());
    result = 0;
    for (const Case& c : Cases) result |= Write(c, folder);
  } else if (command == "decode" && argc >= 4) {
    result = Decode(argv[2], argv[3]);
  } else {
    std::printf("usage: ZmbvAviTool write FOLDER | decode MOVIE OUT [system]\n");
  }
  AVIFileExit();
  return result;
}
