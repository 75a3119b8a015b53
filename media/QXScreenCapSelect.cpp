#include <exception>
#include <memory>
#include <vector>

#include "FileUtils.h"
#include "FrmDesktopUnit.h"
#include "FrmMultiMonitorUnit.h"
#include "QXScreenCap.h"
#include "TApplication.h"
#include "TSaveDialog.h"
#include "TScreen.h"
#include "TindrelModule.h"
#include "YKErrorManager.h"
#include "YKResourceManager.h"

static const char* const Unit = "QXScreenCap";

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
  if (FileSaveMode != fsmAskToSave) {
    FileName = FirstFreeName(GetDefaultFilePath());
    return true;
  }
  TSaveDialog dialog(Application->MainForm ? static_cast<TComponent*>(Application->MainForm) : Application);
  dialog.Filter = "AVI Files(*.avi)|*.avi";
  dialog.Options |= ofOverwritePrompt;
  dialog.Title = GetResourceManager().GetString(TindrelModuleName(), "baocunshiping", "保存视频文件");
  // Next to the previous recording of this session, if any.
  const std::string folder = ExtractFilePath(FileName);
  dialog.FileName = FirstFreeName(folder.empty() ? GetDefaultFilePath() : folder);
  if (!dialog.Execute()) return false;
  FileName = dialog.FileName;
  return !FileExists(FileName) || RemoveFile(FileName);  // the user agreed to replace it
}

// One pick on the overlay; null when cancelled or when the overlay failed.
static std::unique_ptr<TFrmDesktop> Pick(TSelectMode mode) {
  auto overlay = std::make_unique<TFrmDesktop>(Application, mode);
  overlay->SetBounds(0, 0, Screen->Width(), Screen->Height());
  overlay->CaptureDesktop();  // while the overlay is hidden
  if (overlay->ShowModal() != mrOk) return nullptr;
  return overlay;
}

HWND TQXScreenCap::SelectWindow(HWND) {
  try {
    const auto overlay = Pick(smSelectWindow);
    return overlay ? overlay->FSelectedWindow : nullptr;
  } catch (const std::exception& e) {
    GetYKErrorManager().Error(e.what(), Unit, __LINE__);
    return nullptr;
  }
}

bool TQXScreenCap::SelectRegion(HWND, TRectEx& rect) {
  try {
    const auto overlay = Pick(smSelectRegion);
    if (!overlay) return false;
    rect = overlay->FSelectedRect;
    return true;
  } catch (const std::exception& e) {
    GetYKErrorManager().Error(e.what(), Unit, __LINE__);
    return false;
  }
}
