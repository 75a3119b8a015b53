#include "QXVideoCodec.h"

#include <windows.h>
#include <vfw.h>

#include <memory>

#include "BuiltInCompressors.h"
#include "Exception.h"
#include "StringUtils.h"
#include "TStringList.h"

static std::string FourCCText(DWORD fcc) {
  std::string text;
  for (int i = 0; i < 4; ++i) {
    const char c = static_cast<char>((fcc >> (8 * i)) & 0xFF);
    if (c == 0) break;
    text += c;
  }
  return text;
}

int TQXVideoCodec::EnumerateCompressors(TStrings* list) {
  RegisterBuiltInCompressors();
  int count = 0;
  ICINFO info{};
  info.dwSize = sizeof info;
  for (DWORD i = 0; ICInfo(ICTYPE_VIDEO, i, &info); ++i) {
    ++count;
    if (!list) continue;
    HIC ic = ICOpen(info.fccType, info.fccHandler, ICMODE_QUERY);
    if (!ic) continue;
    ICINFO full{};
    full.dwSize = sizeof full;
    if (ICGetInfo(ic, &full, sizeof full))
      list->AddObject(FourCCText(full.fccHandler) + " : " + WideToUtf8(full.szDescription), NumberObject(full.fccHandler));
    ICClose(ic);
  }
  return count;
}

bool TQXVideoCodec::CompressorChoose(unsigned long& fcc) {
  COMPVARS vars{};
  vars.cbSize = sizeof vars;
  if (!ICCompressorChoose(GetActiveWindow(), ICMF_CHOOSE_ALLCOMPRESSORS, nullptr, nullptr, &vars, nullptr)) return false;
  fcc = vars.fccHandler;
  ICCompressorFree(&vars);
  return true;
}

bool TQXVideoCodec::CompressorExist(const unsigned long fcc) {
  try {
    TStringList list;
    EnumerateCompressors(&list);
    return list.IndexOfObject(NumberObject(fcc)) >= 0;
  } catch (const std::exception&) {
    return false;
  }
}
