#include "TScreen.h"

static TScreen TheScreen;
TScreen* Screen = &TheScreen;

int TScreen::Width() const { return GetSystemMetrics(SM_CXSCREEN); }

int TScreen::Height() const { return GetSystemMetrics(SM_CYSCREEN); }

RECT TScreen::DesktopRect() const {
  const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return {x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN), y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

static BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(monitor, &info);
  reinterpret_cast<std::vector<TMonitor>*>(list)->push_back(
      {monitor, info.rcMonitor, (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
  return TRUE;
}

std::vector<TMonitor> TScreen::GetMonitors() const {
  std::vector<TMonitor> monitors;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

void TScreen::SetCursor(int cursor) {
  FCursor = cursor;
  ::SetCursor(Cursors(cursor == crDefault ? crArrow : cursor));
}

HCURSOR TScreen::Cursors(int index) const {
  const auto custom = FCustomCursors.find(index);
  if (custom != FCustomCursors.end()) return custom->second;
  switch (index) {
    case crCross: return LoadCursorW(nullptr, IDC_CROSS);
    case crIBeam: return LoadCursorW(nullptr, IDC_IBEAM);
    case crHourGlass: return LoadCursorW(nullptr, IDC_WAIT);
    case crHandPoint: return LoadCursorW(nullptr, IDC_HAND);
    default: return LoadCursorW(nullptr, IDC_ARROW);
  }
}

void TScreen::SetCursors(int index, HCURSOR cursor) { FCustomCursors[index] = cursor; }
