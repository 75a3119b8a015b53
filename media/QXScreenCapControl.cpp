#include "QXScreenCap.h"

#include "YKErrorManager.h"

static const char* const Unit = "QXScreenCap";

bool TQXScreenCap::Stop() {
  if (!(CapState == csRecording || CapState == csPause))
    GetYKErrorManager().ManageAssert("CapState == csRecording || CapState == csPause", Unit, __LINE__);
  if (!FCapThread) GetYKErrorManager().ManageAssert("FCapThread != NULL", Unit, __LINE__);
  CapState = csStop;
  if (FMemDC) {
    DeleteDC(FMemDC);
    FMemDC = nullptr;
  }
  if (FMemBitmap) {
    DeleteObject(FMemBitmap);
    FMemBitmap = nullptr;
    FMemBits = nullptr;
  }
  return true;
}
