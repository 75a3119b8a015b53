#include "QXScreenCap.h"
#include "TScreen.h"

bool TQXScreenCap::ChooseScreenArea() {
  CapRect = Screen->DesktopRect();
  return true;
}

bool TQXScreenCap::ChooseFileName() {
  FileName = FirstFreeName(GetDefaultFilePath());
  return true;
}

HWND TQXScreenCap::SelectWindow(HWND) { return nullptr; }

bool TQXScreenCap::SelectRegion(HWND, TRectEx&) { return false; }
