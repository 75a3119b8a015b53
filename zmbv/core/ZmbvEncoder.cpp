#include "ZmbvEncoder.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "ZmbvFormat.h"

using Zmbv::BlockSize;
using Zmbv::MaxVector;

TZmbvEncoder::TZmbvEncoder(int width, int height, int keyLevel, int interLevel)
    : FWidth(width),
      FHeight(height),
      FBlocksX((width + BlockSize - 1) / BlockSize),
      FBlocksY((height + BlockSize - 1) / BlockSize),
      FKeyLevel(keyLevel),
      FInterLevel(interLevel),
      FStride(width + 2 * MaxVector),
      FCur(nullptr),
      FPrev(nullptr),
      FHavePrev(false) {
  if (!Zmbv::ValidSize(width, height)) throw std::invalid_argument("bad frame size");
  for (auto& frame : FFrames) frame.assign(FStride * (height + 2 * MaxVector), 0);
  FCur = FFrames[0].data();
  FPrev = FFrames[1].data();
  FChanged.resize(static_cast<size_t>(FBlocksX) * FBlocksY);
  FOwnScroll.resize(FChanged.size());
  FPayload.resize(Zmbv::MotionTableSize(width, height, BlockSize, BlockSize) + Zmbv::FrameBytes(width, height));
}

ptrdiff_t TZmbvEncoder::Offset(int x, int y) const { return (y + MaxVector) * FStride + x + MaxVector; }

TZmbvEncoder::TBlock TZmbvEncoder::Block(int index) const {
  const int x = index % FBlocksX * BlockSize, y = index / FBlocksX * BlockSize;
  return {x, y, std::min(BlockSize, FWidth - x), std::min(BlockSize, FHeight - y)};
}

size_t TZmbvEncoder::Encode(const uint8_t* top, ptrdiff_t stride, bool key, uint8_t* out) {
  std::swap(FCur, FPrev);
  Load(top, stride);
  // A frame that fails half-way leaves the stream unusable: the next one must be a key frame.
  const bool asKey = key || !FHavePrev;
  FHavePrev = false;
  const size_t size = asKey ? EncodeKey(out) : EncodeInter(out);
  FHavePrev = true;
  return size;
}

void TZmbvEncoder::Load(const uint8_t* top, ptrdiff_t stride) {
  // The fourth byte is garbage in GDI's pixels; zero compresses best.
  for (int y = 0; y < FHeight; ++y) {
    const uint8_t* src = top + y * stride;
    uint32_t* dst = Cur(0, y);
    std::memcpy(dst, src, static_cast<size_t>(FWidth) * 4);
    for (int x = 0; x < FWidth; ++x) dst[x] &= 0x00FFFFFF;
  }
}

size_t TZmbvEncoder::EncodeKey(uint8_t* out) {
  const uint8_t header[Zmbv::KeyHeaderSize] = {Zmbv::FlagKeyFrame,    Zmbv::VersionMajor, Zmbv::VersionMinor,
                                               Zmbv::CompressionZlib, Zmbv::Format32Bit,  BlockSize,
                                               BlockSize};
  std::memcpy(out, header, sizeof header);
  FDeflater.Restart();
  FDeflater.Begin(out + sizeof header, Zmbv::MaxFrameSize(FWidth, FHeight) - sizeof header, FKeyLevel);
  for (int y = 0; y < FHeight; ++y)
    FDeflater.Write(reinterpret_cast<const uint8_t*>(Cur(0, y)), static_cast<size_t>(FWidth) * 4);
  return sizeof header + FDeflater.Flush();
}

size_t TZmbvEncoder::EncodeInter(uint8_t* out) {
  FindChangedBlocks();
  const int scroll = DetectScroll();
  const size_t tableSize = Zmbv::MotionTableSize(FWidth, FHeight, BlockSize, BlockSize);
  uint8_t* table = FPayload.data();
  std::memset(table, 0, tableSize);
  uint8_t* data = table + tableSize;
  TVector last{0, 0};
  for (size_t i = 0; i < FChanged.size(); ++i) {
    if (!FChanged[i]) continue;
    const TBlock block = Block(static_cast<int>(i));
    const TVector candidates[] = {{0, 0}, last, {0, scroll}, {0, FOwnScroll[i]}};
    TVector best = candidates[0];
    int bestCost = Differences(block, best);
    for (const TVector& v : candidates) {
      if (bestCost == 0) break;
      if (v == best) continue;
      const int cost = Differences(block, v);
      if (cost < bestCost) best = v, bestCost = cost;
    }
    last = best;
    table[2 * i] = static_cast<uint8_t>((best.dx * 2) | (bestCost ? 1 : 0));
    table[2 * i + 1] = static_cast<uint8_t>(best.dy * 2);
    if (bestCost) data = WriteXor(block, best, data);
  }
  out[0] = 0;
  FDeflater.Begin(out + 1, Zmbv::MaxFrameSize(FWidth, FHeight) - 1, FInterLevel);
  FDeflater.Write(FPayload.data(), static_cast<size_t>(data - FPayload.data()));
  return 1 + FDeflater.Flush();
}

void TZmbvEncoder::FindChangedBlocks() {
  for (size_t i = 0; i < FChanged.size(); ++i) {
    const TBlock block = Block(static_cast<int>(i));
    FChanged[i] = !Matches(block, {0, 0});
    FOwnScroll[i] = 0;
    if (!FChanged[i]) continue;
    for (int dy = 1; dy <= MaxVector && !FOwnScroll[i]; ++dy) {
      if (Matches(block, {0, dy})) FOwnScroll[i] = static_cast<int8_t>(dy);
      else if (Matches(block, {0, -dy})) FOwnScroll[i] = static_cast<int8_t>(-dy);
    }
  }
}

// The vertical shift most changed blocks match exactly: a scrolling window moves all its blocks
// alike, so blocks whose own match is ambiguous (plain areas) can still follow the scroll.
int TZmbvEncoder::DetectScroll() const {
  int votes[2 * MaxVector + 1] = {};
  for (int8_t dy : FOwnScroll)
    if (dy) ++votes[dy + MaxVector];
  const int* best = std::max_element(std::begin(votes), std::end(votes));
  return *best >= 2 ? static_cast<int>(best - votes) - MaxVector : 0;
}

bool TZmbvEncoder::Matches(const TBlock& block, TVector v) const {
  const uint32_t* cur = FCur + Offset(block.x, block.y);
  const uint32_t* prev = Prev(block.x + v.dx, block.y + v.dy);
  for (int row = 0; row < block.height; ++row, cur += FStride, prev += FStride)
    if (std::memcmp(cur, prev, static_cast<size_t>(block.width) * 4) != 0) return false;
  return true;
}

int TZmbvEncoder::Differences(const TBlock& block, TVector v) const {
  const uint32_t* cur = FCur + Offset(block.x, block.y);
  const uint32_t* prev = Prev(block.x + v.dx, block.y + v.dy);
  int count = 0;
  for (int row = 0; row < block.height; ++row, cur += FStride, prev += FStride)
    for (int x = 0; x < block.width; ++x) count += cur[x] != prev[x];
  return count;
}

uint8_t* TZmbvEncoder::WriteXor(const TBlock& block, TVector v, uint8_t* out) const {
  const uint32_t* cur = FCur + Offset(block.x, block.y);
  const uint32_t* prev = Prev(block.x + v.dx, block.y + v.dy);
  for (int row = 0; row < block.height; ++row, cur += FStride, prev += FStride) {
    for (int x = 0; x < block.width; ++x, out += 4) {
      const uint32_t value = cur[x] ^ prev[x];
      std::memcpy(out, &value, 4);
    }
  }
  return out;
}
