#include <memory>
#include <vector>

#include "FrmMultiMonitorUnit.h"
#include "QXScreenCap.h"
#include "TApplication.h"
#include "TScreen.h"

bool TQXScreenCap::ChooseScreenArea() {
  // Taken before the chooser lists the monitors, so that its entries still match this list
  // should a monitor come or go while it is open.
  const std::vector<TMonitor> monitors = Screen->GetMonitors();
  if (monitors.size() == 1) {
    CapRect = Screen->DesktopRect();
    return true;
  }
  int index = -1;
  {
    std::unique_ptr<TFrmMultiMonitor> chooser(new TFrmMultiMonitor(Application));
    if (chooser->ShowModal() == mrOk) index = chooser->GetSelectedMonitor();
  }
  if (index == -1) return false;
  CapRect = index == 0 ? Screen->DesktopRect() : monitors.at(index - 1).BoundsRect;
  return true;
}

bool TQXScreenCap::ChooseFileName() {
  FileName = FirstFreeName(GetDefaultFilePath());
  return true;
}

HWND TQXScreenCap::SelectWindow(HWND) { return nullptr; }

bool TQXScreenCap::SelectRegion(HWND, TRectEx&) { return false; }
