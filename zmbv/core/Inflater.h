#pragma once

#include <zlib.h>

#include <cstddef>
#include <cstdint>

// The reading side of TDeflater's stream: restarted at key frames, fed one frame at a time.
class TInflater {
 public:
  TInflater();
  ~TInflater();
  TInflater(const TInflater&) = delete;
  TInflater& operator=(const TInflater&) = delete;

  void Restart();
  // Inflates all of data into out; false when the data is damaged or does not fit.
  bool Inflate(const uint8_t* data, size_t size, uint8_t* out, size_t capacity, size_t& produced);

 private:
  z_stream FStream;
};
