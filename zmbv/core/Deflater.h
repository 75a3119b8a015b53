#pragma once

#include <zlib.h>

#include <cstddef>
#include <cstdint>

// One deflate stream spanning many frames: restarted at key frames, flushed (never finished)
// after every frame so that each frame's bytes can be inflated on their own.
class TDeflater {
 public:
  TDeflater();
  ~TDeflater();
  TDeflater(const TDeflater&) = delete;
  TDeflater& operator=(const TDeflater&) = delete;

  void Restart();
  // Starts a frame; the level may differ from frame to frame.
  void Begin(uint8_t* out, size_t capacity, int level);
  void Write(const uint8_t* data, size_t size);
  // Sync-flushes the frame and returns the bytes written since Begin.
  size_t Flush();

 private:
  void Run(int flush);

  z_stream FStream;
  size_t FCapacity;
  int FLevel;
};
