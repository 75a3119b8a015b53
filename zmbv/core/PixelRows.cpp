#include "PixelRows.h"

static uint8_t Widen5(unsigned value) { return static_cast<uint8_t>((value << 3) | (value >> 2)); }

void WidenRows(const uint8_t* top, ptrdiff_t stride, int bitCount, int width, int height, uint8_t* out) {
  for (int y = 0; y < height; ++y) {
    const uint8_t* src = top + y * stride;
    for (int x = 0; x < width; ++x, out += 4) {
      if (bitCount == 16) {
        const unsigned word = src[2 * x] | src[2 * x + 1] << 8;
        out[0] = Widen5(word & 31);
        out[1] = Widen5(word >> 5 & 31);
        out[2] = Widen5(word >> 10 & 31);
      } else {
        out[0] = src[3 * x];
        out[1] = src[3 * x + 1];
        out[2] = src[3 * x + 2];
      }
      out[3] = 0;
    }
  }
}
