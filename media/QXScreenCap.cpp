#include "QXScreenCap.h"

#include <mmsystem.h>

#include <cstring>

#include "FileUtils.h"
#include "QXVideoCodec.h"
#include "StringUtils.h"
#include "TStringList.h"
#include "YKIniFile.h"
#include "YKUtils.h"

static const char* const Section = "ScreenCapture";

TQXScreenCap::TQXScreenCap()
    : FParentHandle(nullptr),
      CapMode(cmScreen),
      CapState(csStop),
      FileSaveMode(fsmAskToSave),
      VideoCodec(0),
      FrameRate(7),
      Quality(-1),
      RecordMicrophone(true),
      RecordSpeaker(true),
      FMemBitmap(nullptr),
      FMemDC(nullptr),
      FMemBits(nullptr),
      FAviFile(nullptr),
      FCapThread(nullptr),
      FQXWaveCap(nullptr) {
  ReadSettings();
}

TQXScreenCap::~TQXScreenCap() {
  if (CapState != csStop) Stop();
}

static unsigned long CodeOf(const std::string& text) {
  return mmioStringToFOURCCW(Utf8ToWide(text).c_str(), MMIO_TOUPPER);
}

void TQXScreenCap::ReadSettings() {
  TYKIniFile ini("");
  CapMode = static_cast<TCapMode>(ini.YKReadIntegerF("CapMode", 0, "", Section) & 0xFF);
  FileSaveMode = static_cast<TFileSaveMode>(ini.YKReadIntegerF("FileSaveMode", 1, "", Section) & 0xFF);
  DefaultFilePath = ini.YKReadStringF("DefaultFilePath", "", "", Section);
  VideoCodec = CodeOf(ini.YKReadStringF("VideoCodec", "MP42", "", Section));
  if (!TQXVideoCodec::CompressorExist(VideoCodec)) {
    // Fall back to the first installed compressor listed in "VideoCodecs"; when none is
    // installed the last one tried stays.
    TStringList fallbacks;
    ini.GetValueNamesF(&fallbacks, "", "VideoCodecs");
    for (int i = 0; i < fallbacks.Count(); ++i) {
      VideoCodec = CodeOf(fallbacks[i]);
      if (TQXVideoCodec::CompressorExist(VideoCodec)) break;
    }
  }
  FrameRate = static_cast<unsigned long>(ini.YKReadIntegerF("FrameRate", 7, "", Section));
  Quality = ini.YKReadIntegerF("Quality", -1, "", Section);
  RecordMicrophone = ini.YKReadBoolF("RecordMicrophone", true, "", Section);
  RecordSpeaker = ini.YKReadBoolF("RecordSpeaker", true, "", Section);
}

void TQXScreenCap::SaveSettings() {
  TYKIniFile ini("");
  ini.WriteIntegerF("CapMode", static_cast<signed char>(CapMode), "", Section);
  ini.WriteIntegerF("FileSaveMode", static_cast<signed char>(FileSaveMode), "", Section);
  ini.WriteStringF("DefaultFilePath", DefaultFilePath, "", Section);
  char code[5] = {};
  std::memcpy(code, &VideoCodec, 4);  // the code's bytes in memory order; a zero byte ends it
  ini.WriteStringF("VideoCodec", code, "", Section);
  ini.WriteIntegerF("FrameRate", static_cast<int>(FrameRate), "", Section);
  ini.WriteIntegerF("Quality", Quality, "", Section);
  ini.WriteBoolF("RecordMicrophone", RecordMicrophone, "", Section);
  ini.WriteBoolF("RecordSpeaker", RecordSpeaker, "", Section);
}

std::string TQXScreenCap::GetDefaultFilePath() {
  if (DefaultFilePath.empty() || !DirectoryExists(DefaultFilePath)) {
    DefaultFilePath = QXExpandEnvironmentVariables("%USERPROFILE%\\QXRecord\\");
    ForceDirectories(DefaultFilePath);
  }
  return DefaultFilePath;
}
