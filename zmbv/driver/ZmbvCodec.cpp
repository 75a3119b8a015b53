#include "ZmbvCodec.h"

#include "DibFormat.h"
#include "PixelRows.h"
#include "ZmbvFormat.h"

// Fast zlib for key frames: a 1080p key frame deflates in about 20 ms, which keeps up with
// screen recording. Inter frames are small, mostly, and afford a level that packs them tighter.
static constexpr int KeyLevel = 1, InterLevel = 4;

LRESULT TZmbvCodec::CompressQuery(const BITMAPINFOHEADER* in, const BITMAPINFOHEADER* out) const {
  if (!DibFormat::IsCompressible(in)) return ICERR_BADFORMAT;
  if (out && !(DibFormat::IsZmbv(out) && DibFormat::SamePicture(*in, *out))) return ICERR_BADFORMAT;
  return ICERR_OK;
}

LRESULT TZmbvCodec::CompressGetFormat(const BITMAPINFOHEADER* in, BITMAPINFOHEADER* out) const {
  if (!DibFormat::IsCompressible(in)) return ICERR_BADFORMAT;
  if (!out) return sizeof(BITMAPINFOHEADER);
  *out = DibFormat::CompressedFormat(*in);
  return ICERR_OK;
}

LRESULT TZmbvCodec::CompressGetSize(const BITMAPINFOHEADER* in) const {
  if (!DibFormat::IsCompressible(in)) return ICERR_BADFORMAT;
  return static_cast<LRESULT>(Zmbv::MaxFrameSize(DibFormat::Width(*in), DibFormat::Height(*in)));
}

LRESULT TZmbvCodec::CompressBegin(const BITMAPINFOHEADER* in, const BITMAPINFOHEADER* out) {
  if (CompressQuery(in, out) != ICERR_OK) return ICERR_BADFORMAT;
  const int width = DibFormat::Width(*in), height = DibFormat::Height(*in);
  FEncoder = std::make_unique<TZmbvEncoder>(width, height, KeyLevel, InterLevel);
  FInput = *in;
  FWidened.resize(in->biBitCount == 32 ? 0 : Zmbv::FrameBytes(width, height));
  return ICERR_OK;
}

LRESULT TZmbvCodec::Compress(const ICCOMPRESS* params) {
  if (!FEncoder) return ICERR_ERROR;
  if (!params || !params->lpbiInput || !params->lpInput || !params->lpbiOutput || !params->lpOutput)
    return ICERR_BADPARAM;
  if (!DibFormat::SamePicture(*params->lpbiInput, FInput) || params->lpbiInput->biBitCount != FInput.biBitCount)
    return ICERR_BADFORMAT;
  DibFormat::TRows rows = DibFormat::Rows(*params->lpbiInput, params->lpInput);
  const int width = DibFormat::Width(FInput);
  if (!FWidened.empty()) {
    WidenRows(rows.top, rows.stride, FInput.biBitCount, width, DibFormat::Height(FInput), FWidened.data());
    rows = {FWidened.data(), static_cast<ptrdiff_t>(width) * 4};
  }
  auto* out = static_cast<uint8_t*>(params->lpOutput);
  const size_t size = FEncoder->Encode(rows.top, rows.stride, params->dwFlags & ICCOMPRESS_KEYFRAME, out);
  params->lpbiOutput->biSizeImage = static_cast<DWORD>(size);
  if (params->lpdwFlags) *params->lpdwFlags = out[0] & Zmbv::FlagKeyFrame ? AVIIF_KEYFRAME : 0;
  return ICERR_OK;
}

LRESULT TZmbvCodec::CompressEnd() {
  FEncoder.reset();
  FWidened = {};
  return ICERR_OK;
}

LRESULT TZmbvCodec::DecompressQuery(const BITMAPINFOHEADER* in, const BITMAPINFOHEADER* out) const {
  if (!DibFormat::IsZmbv(in)) return ICERR_BADFORMAT;
  if (out && !DibFormat::IsDecompressed(out, *in)) return ICERR_BADFORMAT;
  return ICERR_OK;
}

LRESULT TZmbvCodec::DecompressGetFormat(const BITMAPINFOHEADER* in, BITMAPINFOHEADER* out) const {
  if (!DibFormat::IsZmbv(in)) return ICERR_BADFORMAT;
  if (!out) return sizeof(BITMAPINFOHEADER);
  *out = DibFormat::DecompressedFormat(*in);
  return ICERR_OK;
}

LRESULT TZmbvCodec::DecompressBegin(const BITMAPINFOHEADER* in, const BITMAPINFOHEADER* out) {
  if (!out || DecompressQuery(in, out) != ICERR_OK) return ICERR_BADFORMAT;
  FDecoder = std::make_unique<TZmbvDecoder>(DibFormat::Width(*in), DibFormat::Height(*in));
  FOutput = *out;
  return ICERR_OK;
}

LRESULT TZmbvCodec::Decompress(const ICDECOMPRESS* params) {
  if (!FDecoder) return ICERR_ERROR;
  if (!params || !params->lpbiInput || !params->lpbiOutput || !params->lpOutput) return ICERR_BADPARAM;
  if (!DibFormat::IsDecompressed(params->lpbiOutput, FOutput)) return ICERR_BADFORMAT;
  const bool empty = (params->dwFlags & ICDECOMPRESS_NULLFRAME) || !params->lpInput;
  const size_t size = empty ? 0 : params->lpbiInput->biSizeImage;
  switch (FDecoder->Decode(static_cast<const uint8_t*>(params->lpInput), size)) {
    case TZmbvResult::Ok:
      break;
    case TZmbvResult::Unsupported:
      return ICERR_BADFORMAT;
    case TZmbvResult::NeedKeyFrame:
      return ICERR_CANTUPDATE;
    case TZmbvResult::Damaged:
      return ICERR_ERROR;
  }
  if (params->dwFlags & ICDECOMPRESS_HURRYUP) return ICERR_OK;
  const DibFormat::TRows rows = DibFormat::Rows(*params->lpbiOutput, params->lpOutput);
  FDecoder->CopyFrame(rows.top, rows.stride);
  return ICERR_OK;
}

LRESULT TZmbvCodec::DecompressEnd() {
  FDecoder.reset();
  return ICERR_OK;
}
