// Records the whole screen through the recorder engine's interface, as the program does:
//   QuorloRecord <seconds> <frames per second> <folder> [<compressor code>]
// The movie is the folder's "qxcap1.avi"; the frames written are printed.
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "QXScreenCap.h"
#include "StringUtils.h"
#include "TApplication.h"
#include "YKErrorManager.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: QuorloRecord <seconds> <fps> <folder> [<codec>]\n");
    return 2;
  }
  const int seconds = _wtoi(argv[1]);
  TQXScreenCap cap;
  cap.CapMode = cmScreen;
  cap.FileSaveMode = fsmDefaultPath;
  cap.DefaultFilePath = WideToUtf8(argv[3]);
  cap.FrameRate = static_cast<unsigned long>(_wtoi(argv[2]));
  cap.RecordMicrophone = false;
  const std::string code = argc > 4 ? WideToUtf8(argv[4]) : "ZMBV";
  cap.VideoCodec = mmioStringToFOURCCA(code.c_str(), MMIO_TOUPPER);
  if (!cap.Start()) {
    GetYKErrorManager().ManageError("Start");
    return 1;
  }
  const DWORD end = GetTickCount() + seconds * 1000;
  while (GetTickCount() < end) {
    Application->ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  cap.Stop();
  GetYKErrorManager().ManageError("Recording");
  std::printf("%s\n", cap.FileName.c_str());
  return 0;
}
