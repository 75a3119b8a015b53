#pragma once

#include <windows.h>
#include <vfw.h>

#include <memory>
#include <vector>

#include "ZmbvDecoder.h"
#include "ZmbvEncoder.h"

// One open instance of the driver: a compression and a decompression session, each between
// its begin and end message. Formats arrive as the host's BITMAPINFOHEADERs.
class TZmbvCodec {
 public:
  LRESULT CompressQuery(const BITMAPINFOHEADER* in, const BITMAPINFOHEADER* out) const;
  LRESULT CompressGetFormat(const BITMAPINFOHEADER* in, BITMAPINFOHEADER* out) const;
  LRESULT CompressGetSize(const BITMAPINFOHEADER* in) const;
  LRESULT CompressBegin(const BITMAPINFOHEADER* in, const BITMAPINFOHEADER* out);
  LRESULT Compress(const ICCOMPRESS* params);
  LRESULT CompressEnd();

  LRESULT DecompressQuery(const BITMAPINFOHEADER* in, const BITMAPINFOHEADER* out) const;
  LRESULT DecompressGetFormat(const BITMAPINFOHEADER* in, BITMAPINFOHEADER* out) const;
  LRESULT DecompressBegin(const BITMAPINFOHEADER* in, const BITMAPINFOHEADER* out);
  LRESULT Decompress(const ICDECOMPRESS* params);
  LRESULT DecompressEnd();

 private:
  std::unique_ptr<TZmbvEncoder> FEncoder;
  BITMAPINFOHEADER FInput{};
  std::vector<uint8_t> FWidened;  // 16- and 24-bit input widened to 32 bits
  std::unique_ptr<TZmbvDecoder> FDecoder;
  BITMAPINFOHEADER FOutput{};
};
