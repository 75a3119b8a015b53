#pragma once

#include <windows.h>
#include <vfw.h>

#include <gtest/gtest.h>

#include <cwchar>

// Video compressors registered in this process only, so that a test decides which codes are
// "installed". They answer queries and nothing else. The system asks a compressor for its
// description before any instance is open (driver id 0), so each code needs a procedure of
// its own: hence one template instance per code.

constexpr DWORD Code(const char (&text)[5]) {
  return static_cast<DWORD>(static_cast<unsigned char>(text[0])) |
         static_cast<DWORD>(static_cast<unsigned char>(text[1])) << 8 |
         static_cast<DWORD>(static_cast<unsigned char>(text[2])) << 16 |
         static_cast<DWORD>(static_cast<unsigned char>(text[3])) << 24;
}

template <DWORD Fcc, bool Opens>
LRESULT CALLBACK FakeDriverProc(DWORD_PTR, HDRVR, UINT message, LPARAM param1, LPARAM param2) {
  switch (message) {
    case DRV_OPEN:
      return Opens ? 1 : 0;
    case ICM_GETINFO: {
      auto* info = reinterpret_cast<ICINFO*>(param1);
      if (!info || static_cast<size_t>(param2) < sizeof(ICINFO)) return 0;
      *info = ICINFO{};
      info->dwSize = sizeof(ICINFO);
      info->fccType = ICTYPE_VIDEO;
      info->fccHandler = Fcc;
      wcscpy(info->szName, L"Fake");
      wcscpy(info->szDescription, L"Test compressor");
      return sizeof(ICINFO);
    }
    case DRV_LOAD:
    case DRV_ENABLE:
    case DRV_DISABLE:
    case DRV_FREE:
    case DRV_CLOSE:
      return 1;
    default:
      return ICERR_UNSUPPORTED;
  }
}

// A compressor that is listed and opens.
template <DWORD Fcc>
void InstallFakeCompressor() {
  ASSERT_TRUE(ICInstall(ICTYPE_VIDEO, Fcc, reinterpret_cast<LPARAM>(FakeDriverProc<Fcc, true>), nullptr,
                        ICINSTALL_FUNCTION));
}

// A compressor that is listed but refuses to open.
template <DWORD Fcc>
void InstallBrokenCompressor() {
  ASSERT_TRUE(ICInstall(ICTYPE_VIDEO, Fcc, reinterpret_cast<LPARAM>(FakeDriverProc<Fcc, false>), nullptr,
                        ICINSTALL_FUNCTION));
}

inline void RemoveFakeCompressor(DWORD fcc) { ICRemove(ICTYPE_VIDEO, fcc, 0); }
