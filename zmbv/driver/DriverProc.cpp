#include <windows.h>
#include <vfw.h>

#include <cwchar>
#include <new>

#include "ZmbvCodec.h"
#include "ZmbvDriver.h"
#include "ZmbvFormat.h"

namespace {

// The system may ask for the description before any instance exists (driver id 0).
LRESULT GetInfo(ICINFO* info, LPARAM size) {
  if (!info || static_cast<size_t>(size) < sizeof(ICINFO)) return 0;
  *info = ICINFO{};
  info->dwSize = sizeof(ICINFO);
  info->fccType = ICTYPE_VIDEO;
  info->fccHandler = Zmbv::FourCC;
  // The codec keeps its own previous frame in both directions.
  info->dwFlags = VIDCF_TEMPORAL | VIDCF_FASTTEMPORALC | VIDCF_FASTTEMPORALD;
  info->dwVersion = 1;
  info->dwVersionICM = ICVERSION;
  wcscpy(info->szName, L"ZMBV");
  wcscpy(info->szDescription, L"Zip Motion Blocks Video");
  return sizeof(ICINFO);
}

LRESULT Open(LPARAM param2) {
  auto* open = reinterpret_cast<ICOPEN*>(param2);
  if (open && open->fccType != ICTYPE_VIDEO && open->fccType != mmioFOURCC('V', 'I', 'D', 'C')) return 0;
  auto* codec = new TZmbvCodec;
  if (open) open->dwError = ICERR_OK;
  return reinterpret_cast<LRESULT>(codec);
}

LRESULT SetDword(LPARAM param1, DWORD value) {
  if (!param1) return ICERR_BADPARAM;
  *reinterpret_cast<DWORD*>(param1) = value;
  return ICERR_OK;
}

const BITMAPINFOHEADER* In(LPARAM param) { return reinterpret_cast<const BITMAPINFOHEADER*>(param); }
BITMAPINFOHEADER* Out(LPARAM param) { return reinterpret_cast<BITMAPINFOHEADER*>(param); }

LRESULT Dispatch(DWORD_PTR id, HDRVR driver, UINT message, LPARAM param1, LPARAM param2) {
  switch (message) {
    case DRV_LOAD:
    case DRV_FREE:
    case DRV_ENABLE:
    case DRV_DISABLE:
      return 1;
    case DRV_OPEN:
      return Open(param2);
    case DRV_CLOSE:
      delete reinterpret_cast<TZmbvCodec*>(id);
      return 1;
    case DRV_QUERYCONFIGURE:
      return 0;
    case ICM_GETINFO:
      return GetInfo(reinterpret_cast<ICINFO*>(param1), param2);
    case ICM_GETSTATE:
    case ICM_SETSTATE:
      return 0;  // no settings: the state is empty
    case ICM_GETDEFAULTQUALITY:
      return SetDword(param1, ICQUALITY_HIGH);
    case ICM_GETDEFAULTKEYFRAMERATE:
      return SetDword(param1, 300);
    case ICM_CONFIGURE:
    case ICM_ABOUT:
      return ICERR_UNSUPPORTED;
    default:
      break;
  }
  if (message < DRV_USER) return DefDriverProc(id, driver, message, param1, param2);
  auto* codec = reinterpret_cast<TZmbvCodec*>(id);
  if (!codec) return ICERR_BADHANDLE;
  switch (message) {
    case ICM_COMPRESS_QUERY:
      return codec->CompressQuery(In(param1), In(param2));
    case ICM_COMPRESS_GET_FORMAT:
      return codec->CompressGetFormat(In(param1), Out(param2));
    case ICM_COMPRESS_GET_SIZE:
      return codec->CompressGetSize(In(param1));
    case ICM_COMPRESS_BEGIN:
      return codec->CompressBegin(In(param1), In(param2));
    case ICM_COMPRESS:
      return codec->Compress(reinterpret_cast<const ICCOMPRESS*>(param1));
    case ICM_COMPRESS_END:
      return codec->CompressEnd();
    case ICM_DECOMPRESS_QUERY:
      return codec->DecompressQuery(In(param1), In(param2));
    case ICM_DECOMPRESS_GET_FORMAT:
      return codec->DecompressGetFormat(In(param1), Out(param2));
    case ICM_DECOMPRESS_BEGIN:
      return codec->DecompressBegin(In(param1), In(param2));
    case ICM_DECOMPRESS:
      return codec->Decompress(reinterpret_cast<const ICDECOMPRESS*>(param1));
    case ICM_DECOMPRESS_END:
      return codec->DecompressEnd();
    default:
      return ICERR_UNSUPPORTED;
  }
}

}  // namespace

// Nothing may propagate into the calling program: every failure becomes an error code.
LRESULT CALLBACK DriverProc(DWORD_PTR driverId, HDRVR driver, UINT message, LPARAM param1, LPARAM param2) {
  try {
    return Dispatch(driverId, driver, message, param1, param2);
  } catch (const std::bad_alloc&) {
    return message == DRV_OPEN ? 0 : ICERR_MEMORY;
  } catch (...) {
    return message == DRV_OPEN ? 0 : ICERR_INTERNAL;
  }
}
