#include "FrmMultiMonitorUnit.h"

#include <string>
#include <vector>

#include "StringUtils.h"
#include "TScreen.h"
#include "TindrelModule.h"
#include "TindrelResources.h"

TFrmMultiMonitor::TFrmMultiMonitor(TComponent* owner)
    : TForm(owner),
      lstMonitors(new TListBox(this, 24, 24, 241, 145)),
      Button1(new TButton(this, "确定(&O)", 64, 184, 75, 25)),
      Button2(new TButton(this, "取消(&C)", 152, 184, 75, 25)) {
  SetCaption("多监视器");
  BorderStyle = bsDialog;
  Position = poScreenCenter;
  SetClientSize(290, 218);
  SetFont("宋体", -15);
  Icon = LoadIconW(TindrelInstance(), MAKEINTRESOURCEW(IDI_MULTIMONITOR));
  lstMonitors->ItemHeight = 15;
  lstMonitors->OnDblClick = [this] { lstMonitorsDblClick(); };
  Button1->Default = true;
  Button1->OnClick = [this] { Button1Click(); };
  Button2->ModalResult = mrCancel;
  FormCreate();
}

void TFrmMultiMonitor::FormCreate() {
  lstMonitors->Items()->Clear();
  lstMonitors->Items()->Add("[整个桌面]");
  const std::vector<TMonitor> monitors = Screen->GetMonitors();
  for (size_t i = 0; i < monitors.size(); ++i) {
    MONITORINFOEXW info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitors[i].Handle, &info)) {
      // A monitor gone since it was listed still takes its place, so entries keep their indexes.
      lstMonitors->Items()->Add("监视器 " + std::to_string(i + 1));
      continue;
    }
    const std::string name = WideToUtf8(info.szDevice);
    lstMonitors->Items()->Add((info.dwFlags & MONITORINFOF_PRIMARY) ? name + "[默认]" : name);
  }
  lstMonitors->SetItemIndex(0);
}

int TFrmMultiMonitor::GetSelectedMonitor() { return lstMonitors->ItemIndex(); }

void TFrmMultiMonitor::Button1Click() {
  if (lstMonitors->ItemIndex() != -1) ModalResult = mrOk;
}

void TFrmMultiMonitor::lstMonitorsDblClick() {
  if (lstMonitors->ItemIndex() != -1) ModalResult = mrOk;
}
