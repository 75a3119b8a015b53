#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "Inflater.h"

enum class TZmbvResult { Ok, Damaged, Unsupported, NeedKeyFrame };

// Decodes ZMBV frames with 32-bit pixels. Damaged data is reported, never trusted: after a
// failure decoding resumes at the next key frame.
class TZmbvDecoder {
 public:
  TZmbvDecoder(int width, int height);

  // An empty frame repeats the previous one.
  TZmbvResult Decode(const uint8_t* data, size_t size);
  bool HasFrame() const { return FHaveKey; }
  // Copies the current frame as bytes B, G, R, 0 from the top row down (a negative stride
  // fills a bottom-up image).
  void CopyFrame(uint8_t* top, ptrdiff_t stride) const;

 private:
  TZmbvResult DecodeKey(const uint8_t* data, size_t size);
  TZmbvResult DecodeInter(const uint8_t* data, size_t size);
  bool Unpack(const uint8_t* data, size_t size, size_t& produced);
  bool ApplyBlocks(size_t produced);
  void Predict(int x0, int y0, int width, int height, int dx, int dy);

  int FWidth, FHeight;
  std::vector<uint32_t> FFrame, FPrev;
  std::vector<uint8_t> FUnpacked;
  bool FHaveKey;
  uint8_t FCompression, FBlockWidth, FBlockHeight;
  TInflater FInflater;
};
