#include <memory>

#include "AviFile.h"
#include "QXScreenCap.h"
#include "QXWaveCap.h"
#include "TindrelModule.h"
#include "YKErrorManager.h"
#include "YKResourceManager.h"

static const char* const Unit = "QXScreenCap";

const WAVEFORMATEX* TQXScreenCap::StartMicrophone() {
  if (!RecordMicrophone) return nullptr;
  if (FQXWaveCap) {
    GetYKErrorManager().ManageAssert("FQXWaveCap == NULL", Unit, __LINE__);
    return nullptr;
  }
  auto wave = std::make_unique<TQXWaveCap>();
  wave->OnData = TMethod<wavehdr_tag*>(this, &TQXScreenCap::OnWaveInData);
  if (TQXWaveCap::EnumerateDevices(nullptr) < 1) {
    GetYKErrorManager().Error(
        GetResourceManager().GetString(TindrelModuleName(), "Nowaveindevice", "没有安装音频输入设备。"), Unit, __LINE__);
    return nullptr;
  }
  // A capture that fails to start delivers no buffers; the movie then has no sound.
  wave->StartCapWave(0);
  FQXWaveCap = wave.release();
  return FQXWaveCap->GetCapWaveFormat();
}

void TQXScreenCap::StopMicrophone() {
  if (!FQXWaveCap) return;
  FQXWaveCap->StopCapWave();
  delete FQXWaveCap;
  FQXWaveCap = nullptr;
}

void TQXScreenCap::OnWaveInData(wavehdr_tag* header) {
  // Buffers that arrive while paused, before the first frame or while stopping are dropped.
  if (CapState == csRecording && FAviFile) FAviFile->AddAudio(header->lpData, static_cast<int>(header->dwBytesRecorded));
}
