#pragma once

#include <cstddef>
#include <cstdint>

// Widens rows of 16-bit (RGB555, little-endian) or 24-bit (B, G, R) pixels to packed 32-bit
// pixels B, G, R, 0. Rows are read from top downwards (a negative stride walks a bottom-up image)
// and written top row first.
void WidenRows(const uint8_t* top, ptrdiff_t stride, int bitCount, int width, int height, uint8_t* out);
