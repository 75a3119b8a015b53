#include "TScreen.h"

static TScreen TheScreen;
TScreen* Screen = &TheScreen;

int TScreen::Width() const { return GetSystemMetrics(SM_CXSCREEN); }

int TScreen::Height() const { return GetSystemMetrics(SM_CYSCREEN); }

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
