#include "YKCursorHourGlass.h"

#include "TScreen.h"

TYKCursorHourGlass::TYKCursorHourGlass() : FPrevious(Screen->Cursor()) { Screen->SetCursor(crHourGlass); }

TYKCursorHourGlass::~TYKCursorHourGlass() { Screen->SetCursor(FPrevious); }
