#pragma once

#include <windows.h>

#include <map>
#include <vector>

#include "TObject.h"

// Cursor indexes as the framework numbers them: built-in ones are negative, cursors that the
// program registers take positive indexes.
enum : int {
  crDefault = 0,
  crArrow = -2,
  crCross = -3,
  crIBeam = -4,
  crHourGlass = -11,
  crHandPoint = -21,
};

struct TMonitor {
  HMONITOR Handle;
  RECT BoundsRect;
  bool Primary;
};

// The screen of the process: its monitors, as the system lists them now, and the cursor
// registry.
class VCL_API TScreen : public TObject {
 public:
  int Width() const;   // primary monitor
  int Height() const;
  RECT DesktopRect() const;  // all monitors together
  int MonitorCount() const { return static_cast<int>(GetMonitors().size()); }
  std::vector<TMonitor> GetMonitors() const;

  // The cursor shown over the whole application while it is not crDefault.
  int Cursor() const { return FCursor; }
  void SetCursor(int cursor);

  HCURSOR Cursors(int index) const;
  void SetCursors(int index, HCURSOR cursor);

 private:
  int FCursor = crDefault;
  std::map<int, HCURSOR> FCustomCursors;
};

extern VCL_API TScreen* Screen;
