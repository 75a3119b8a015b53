#include "DibFormat.h"

#include "ZmbvFormat.h"

namespace DibFormat {

static bool ValidPicture(const BITMAPINFOHEADER* format) {
  // The most negative height has no positive counterpart.
  return format && format->biSize >= sizeof(BITMAPINFOHEADER) && format->biHeight != LONG(MINLONG) &&
         Zmbv::ValidSize(Width(*format), Height(*format));
}

static ptrdiff_t Stride(const BITMAPINFOHEADER& format) {
  return (static_cast<ptrdiff_t>(format.biWidth) * format.biBitCount + 31) / 32 * 4;
}

bool IsCompressible(const BITMAPINFOHEADER* format) {
  return ValidPicture(format) && format->biCompression == BI_RGB && format->biPlanes == 1 &&
         (format->biBitCount == 16 || format->biBitCount == 24 || format->biBitCount == 32);
}

bool IsZmbv(const BITMAPINFOHEADER* format) {
  return ValidPicture(format) && format->biCompression == Zmbv::FourCC;
}

bool IsDecompressed(const BITMAPINFOHEADER* format, const BITMAPINFOHEADER& zmbv) {
  return ValidPicture(format) && format->biCompression == BI_RGB && format->biBitCount == 32 &&
         SamePicture(*format, zmbv);
}

bool SamePicture(const BITMAPINFOHEADER& a, const BITMAPINFOHEADER& b) {
  return Width(a) == Width(b) && Height(a) == Height(b);
}

BITMAPINFOHEADER CompressedFormat(const BITMAPINFOHEADER& input) {
  BITMAPINFOHEADER format{};
  format.biSize = sizeof format;
  format.biWidth = Width(input);
  format.biHeight = Height(input);
  format.biPlanes = 1;
  format.biBitCount = 32;
  format.biCompression = Zmbv::FourCC;
  format.biSizeImage = static_cast<DWORD>(Zmbv::MaxFrameSize(Width(input), Height(input)));
  return format;
}

BITMAPINFOHEADER DecompressedFormat(const BITMAPINFOHEADER& zmbv) {
  BITMAPINFOHEADER format{};
  format.biSize = sizeof format;
  format.biWidth = Width(zmbv);
  format.biHeight = Height(zmbv);
  format.biPlanes = 1;
  format.biBitCount = 32;
  format.biCompression = BI_RGB;
  format.biSizeImage = static_cast<DWORD>(Zmbv::FrameBytes(Width(zmbv), Height(zmbv)));
  return format;
}

TRows Rows(const BITMAPINFOHEADER& format, void* bits) {
  auto* base = static_cast<uint8_t*>(bits);
  const ptrdiff_t stride = Stride(format);
  if (format.biHeight < 0) return {base, stride};
  return {base + stride * (format.biHeight - 1), -stride};
}

}  // namespace DibFormat
