#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

// The bitmap formats the codec takes and gives, and how to walk their rows.
namespace DibFormat {

// Uncompressed RGB with 16 (RGB555), 24 or 32 bits per pixel, either row order.
bool IsCompressible(const BITMAPINFOHEADER* format);
bool IsZmbv(const BITMAPINFOHEADER* format);
// Uncompressed 32-bit RGB of the same picture size as the ZMBV format.
bool IsDecompressed(const BITMAPINFOHEADER* format, const BITMAPINFOHEADER& zmbv);
bool SamePicture(const BITMAPINFOHEADER& a, const BITMAPINFOHEADER& b);

BITMAPINFOHEADER CompressedFormat(const BITMAPINFOHEADER& input);
BITMAPINFOHEADER DecompressedFormat(const BITMAPINFOHEADER& zmbv);

inline int Width(const BITMAPINFOHEADER& format) { return format.biWidth; }
inline int Height(const BITMAPINFOHEADER& format) { return format.biHeight < 0 ? -format.biHeight : format.biHeight; }

// The picture's top row and the distance to the next row down (negative for bottom-up DIBs).
struct TRows {
  uint8_t* top;
  ptrdiff_t stride;
};
TRows Rows(const BITMAPINFOHEADER& format, void* bits);

}  // namespace DibFormat
