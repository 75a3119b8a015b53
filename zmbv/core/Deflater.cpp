#include "Deflater.h"

#include <stdexcept>

TDeflater::TDeflater() : FStream{}, FCapacity(0), FLevel(Z_DEFAULT_COMPRESSION) {
  if (deflateInit(&FStream, FLevel) != Z_OK) throw std::runtime_error("deflateInit failed");
}

TDeflater::~TDeflater() { deflateEnd(&FStream); }

void TDeflater::Restart() {
  if (deflateReset(&FStream) != Z_OK) throw std::runtime_error("deflateReset failed");
}

void TDeflater::Begin(uint8_t* out, size_t capacity, int level) {
  FStream.next_out = out;
  FStream.avail_out = static_cast<uInt>(capacity);
  FCapacity = capacity;
  // The previous frame ended in a flush, so nothing is pending that the old level would deflate.
  if (level != FLevel && deflateParams(&FStream, level, Z_DEFAULT_STRATEGY) != Z_OK)
    throw std::runtime_error("deflateParams failed");
  FLevel = level;
}

void TDeflater::Write(const uint8_t* data, size_t size) {
  FStream.next_in = const_cast<Bytef*>(data);
  FStream.avail_in = static_cast<uInt>(size);
  Run(Z_NO_FLUSH);
}

size_t TDeflater::Flush() {
  FStream.next_in = nullptr;
  FStream.avail_in = 0;
  Run(Z_SYNC_FLUSH);
  return FCapacity - FStream.avail_out;
}

void TDeflater::Run(int flush) {
  // The output is sized for the worst case, so deflate never runs out of room.
  const int result = deflate(&FStream, flush);
  if ((result != Z_OK && result != Z_BUF_ERROR) || FStream.avail_in != 0 || FStream.avail_out == 0)
    throw std::runtime_error("deflate failed");
}
