#include "ZmbvDecoder.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "ZmbvFormat.h"

TZmbvDecoder::TZmbvDecoder(int width, int height)
    : FWidth(width), FHeight(height), FHaveKey(false), FCompression(0), FBlockWidth(0), FBlockHeight(0) {
  if (!Zmbv::ValidSize(width, height)) throw std::invalid_argument("bad frame size");
  FFrame.resize(static_cast<size_t>(width) * height);
  FPrev.resize(FFrame.size());
  // The largest inter frame has a one-pixel motion table per pixel; one byte more tells an
  // oversized frame from one that fits exactly.
  FUnpacked.resize(Zmbv::MotionTableSize(width, height, 1, 1) + Zmbv::FrameBytes(width, height) + 1);
}

TZmbvResult TZmbvDecoder::Decode(const uint8_t* data, size_t size) {
  if (size == 0) return FHaveKey ? TZmbvResult::Ok : TZmbvResult::NeedKeyFrame;
  const bool key = data[0] & Zmbv::FlagKeyFrame;
  if (!key && !FHaveKey) return TZmbvResult::NeedKeyFrame;
  FHaveKey = false;
  const TZmbvResult result = key ? DecodeKey(data, size) : DecodeInter(data, size);
  FHaveKey = result == TZmbvResult::Ok;
  return result;
}

TZmbvResult TZmbvDecoder::DecodeKey(const uint8_t* data, size_t size) {
  if (size < Zmbv::KeyHeaderSize || (data[0] & ~(Zmbv::FlagKeyFrame | Zmbv::FlagPalette)))
    return TZmbvResult::Damaged;
  if (data[1] != Zmbv::VersionMajor || data[2] != Zmbv::VersionMinor ||
      (data[3] != Zmbv::CompressionNone && data[3] != Zmbv::CompressionZlib) ||
      data[4] != Zmbv::Format32Bit || data[5] == 0 || data[6] == 0)
    return TZmbvResult::Unsupported;
  FCompression = data[3];
  FBlockWidth = data[5];
  FBlockHeight = data[6];
  if (FCompression == Zmbv::CompressionZlib) FInflater.Restart();
  size_t produced = 0;
  if (!Unpack(data + Zmbv::KeyHeaderSize, size - Zmbv::KeyHeaderSize, produced) ||
      produced != Zmbv::FrameBytes(FWidth, FHeight))
    return TZmbvResult::Damaged;
  std::memcpy(FFrame.data(), FUnpacked.data(), produced);
  return TZmbvResult::Ok;
}

TZmbvResult TZmbvDecoder::DecodeInter(const uint8_t* data, size_t size) {
  if (data[0] & ~Zmbv::FlagPalette) return TZmbvResult::Damaged;
  size_t produced = 0;
  if (!Unpack(data + 1, size - 1, produced)) return TZmbvResult::Damaged;
  FFrame.swap(FPrev);
  return ApplyBlocks(produced) ? TZmbvResult::Ok : TZmbvResult::Damaged;
}

bool TZmbvDecoder::Unpack(const uint8_t* data, size_t size, size_t& produced) {
  if (FCompression == Zmbv::CompressionZlib)
    return FInflater.Inflate(data, size, FUnpacked.data(), FUnpacked.size(), produced);
  if (size > FUnpacked.size()) return false;
  std::memcpy(FUnpacked.data(), data, size);
  produced = size;
  return true;
}

bool TZmbvDecoder::ApplyBlocks(size_t produced) {
  const size_t tableSize = Zmbv::MotionTableSize(FWidth, FHeight, FBlockWidth, FBlockHeight);
  if (produced < tableSize) return false;
  const uint8_t* entry = FUnpacked.data();
  const uint8_t* data = entry + tableSize;
  const uint8_t* end = FUnpacked.data() + produced;
  for (int y = 0; y < FHeight; y += FBlockHeight) {
    const int height = std::min<int>(FBlockHeight, FHeight - y);
    for (int x = 0; x < FWidth; x += FBlockWidth, entry += 2) {
      const int width = std::min<int>(FBlockWidth, FWidth - x);
      const int first = static_cast<int8_t>(entry[0]), second = static_cast<int8_t>(entry[1]);
      Predict(x, y, width, height, first >> 1, second >> 1);
      if (!(first & 1)) continue;
      const size_t bytes = static_cast<size_t>(width) * height * 4;
      if (static_cast<size_t>(end - data) < bytes) return false;
      for (int row = 0; row < height; ++row) {
        auto* pixels = reinterpret_cast<uint8_t*>(&FFrame[static_cast<size_t>(y + row) * FWidth + x]);
        for (int i = 0; i < width * 4; ++i) pixels[i] ^= *data++;
      }
    }
  }
  return true;
}

// Fills a block from the previous frame moved by (dx, dy); outside the frame predicts zero.
void TZmbvDecoder::Predict(int x0, int y0, int width, int height, int dx, int dy) {
  const int from = std::clamp(-(x0 + dx), 0, width), to = std::clamp(FWidth - (x0 + dx), from, width);
  for (int row = 0; row < height; ++row) {
    uint32_t* dst = &FFrame[static_cast<size_t>(y0 + row) * FWidth + x0];
    const int sy = y0 + row + dy;
    if (sy < 0 || sy >= FHeight) {
      std::fill(dst, dst + width, 0u);
      continue;
    }
    const uint32_t* src = FPrev.data() + static_cast<size_t>(sy) * FWidth + x0 + dx + from;
    std::fill(dst, dst + from, 0u);
    std::copy(src, src + (to - from), dst + from);
    std::fill(dst + to, dst + width, 0u);
  }
}

void TZmbvDecoder::CopyFrame(uint8_t* top, ptrdiff_t stride) const {
  for (int y = 0; y < FHeight; ++y) {
    const uint32_t* src = &FFrame[static_cast<size_t>(y) * FWidth];
    uint8_t* dst = top + y * stride;
    for (int x = 0; x < FWidth; ++x) {
      const uint32_t pixel = src[x] & 0x00FFFFFF;
      std::memcpy(dst + 4 * x, &pixel, 4);
    }
  }
}
