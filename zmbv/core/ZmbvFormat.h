#pragma once

#include <cstddef>
#include <cstdint>

// Constants and sizes of the ZMBV bitstream as this codec writes and reads it.
namespace Zmbv {

constexpr uint32_t FourCC = 0x56424D5A;  // 'ZMBV'

constexpr uint8_t FlagKeyFrame = 0x01;
constexpr uint8_t FlagPalette = 0x02;
constexpr uint8_t VersionMajor = 0;
constexpr uint8_t VersionMinor = 1;
constexpr uint8_t CompressionNone = 0;
constexpr uint8_t CompressionZlib = 1;
constexpr uint8_t Format32Bit = 8;
constexpr size_t KeyHeaderSize = 7;

constexpr int BlockSize = 16;
// Players installed on Windows keep only a 16-pixel margin around their frames.
constexpr int MaxVector = 16;
// Keeps every byte count of a frame well inside 32 bits.
constexpr int MaxPixels = 1 << 26;

inline bool ValidSize(int width, int height) {
  return width > 0 && height > 0 && width <= MaxPixels / height;
}

inline size_t FrameBytes(int width, int height) { return static_cast<size_t>(width) * height * 4; }

inline size_t MotionTableSize(int width, int height, int blockWidth, int blockHeight) {
  const size_t blocks = static_cast<size_t>((width + blockWidth - 1) / blockWidth) *
                        ((height + blockHeight - 1) / blockHeight);
  return (2 * blocks + 3) & ~static_cast<size_t>(3);
}

// The largest frame the encoder can produce: a key frame header plus an inter frame whose every
// block carries XOR data, stored uncompressed by deflate in the worst case.
inline size_t MaxFrameSize(int width, int height) {
  const size_t raw = MotionTableSize(width, height, BlockSize, BlockSize) + FrameBytes(width, height);
  return KeyHeaderSize + raw + (raw >> 8) + 64;
}

}  // namespace Zmbv
