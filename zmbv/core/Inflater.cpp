#include "Inflater.h"

#include <stdexcept>

TInflater::TInflater() : FStream{} {
  if (inflateInit(&FStream) != Z_OK) throw std::runtime_error("inflateInit failed");
}

TInflater::~TInflater() { inflateEnd(&FStream); }

void TInflater::Restart() {
  if (inflateReset(&FStream) != Z_OK) throw std::runtime_error("inflateReset failed");
}

bool TInflater::Inflate(const uint8_t* data, size_t size, uint8_t* out, size_t capacity, size_t& produced) {
  FStream.next_in = const_cast<Bytef*>(data);
  FStream.avail_in = static_cast<uInt>(size);
  FStream.next_out = out;
  FStream.avail_out = static_cast<uInt>(capacity);
  const int result = inflate(&FStream, Z_SYNC_FLUSH);
  produced = capacity - FStream.avail_out;
  if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR) return false;
  // Input left over means the frame holds more than the caller can take.
  return FStream.avail_in == 0;
}
