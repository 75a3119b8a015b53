#include "BuiltInCompressors.h"

#include <windows.h>
#include <vfw.h>

#include <mutex>

#include "ZmbvDriver.h"

static constexpr DWORD Zmbv = mmioFOURCC('Z', 'M', 'B', 'V');

static bool SystemHas(DWORD fcc) {
  HIC ic = ICOpen(ICTYPE_VIDEO, fcc, ICMODE_QUERY);
  if (!ic) return false;
  ICClose(ic);
  return true;
}

void RegisterBuiltInCompressors() {
  static std::once_flag once;
  std::call_once(once, [] {
    if (!SystemHas(Zmbv))
      ICInstall(ICTYPE_VIDEO, Zmbv, reinterpret_cast<LPARAM>(DriverProc), nullptr, ICINSTALL_FUNCTION);
  });
}
