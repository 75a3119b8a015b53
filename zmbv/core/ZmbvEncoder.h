#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "Deflater.h"

// Encodes 32-bit frames, each against the previous one, into ZMBV frames of 16 x 16 blocks.
class TZmbvEncoder {
 public:
  // Key frames are deflated at keyLevel, inter frames (small, mostly) at interLevel.
  TZmbvEncoder(int width, int height, int keyLevel, int interLevel);

  // Encodes one frame of pixels stored as bytes B, G, R, unused, given from the top row down
  // (a negative stride walks a bottom-up image). out needs Zmbv::MaxFrameSize bytes. The first
  // frame is always a key frame. Returns the size of the encoded frame.
  size_t Encode(const uint8_t* top, ptrdiff_t stride, bool key, uint8_t* out);

 private:
  struct TVector {
    int dx, dy;
    bool operator==(const TVector& other) const { return dx == other.dx && dy == other.dy; }
  };
  struct TBlock {
    int x, y, width, height;
  };

  void Load(const uint8_t* top, ptrdiff_t stride);
  size_t EncodeKey(uint8_t* out);
  size_t EncodeInter(uint8_t* out);
  void FindChangedBlocks();
  int DetectScroll() const;
  uint32_t* Cur(int x, int y) { return FCur + Offset(x, y); }
  const uint32_t* Prev(int x, int y) const { return FPrev + Offset(x, y); }
  ptrdiff_t Offset(int x, int y) const;
  TBlock Block(int index) const;
  bool Matches(const TBlock& block, TVector v) const;
  int Differences(const TBlock& block, TVector v) const;
  uint8_t* WriteXor(const TBlock& block, TVector v, uint8_t* out) const;

  int FWidth, FHeight, FBlocksX, FBlocksY, FKeyLevel, FInterLevel;
  ptrdiff_t FStride;  // pixels per row of the frame buffers, margins included
  // Two frames with a zero margin of Zmbv::MaxVector pixels all round, so that a moved block
  // never reads outside memory and sees zeros beyond the frame edges, as players do.
  std::vector<uint32_t> FFrames[2];
  uint32_t* FCur;
  uint32_t* FPrev;
  bool FHavePrev;
  std::vector<uint8_t> FChanged;
  std::vector<int8_t> FOwnScroll;  // per changed block: a vertical shift it matches exactly, or 0
  std::vector<uint8_t> FPayload;
  TDeflater FDeflater;
};
