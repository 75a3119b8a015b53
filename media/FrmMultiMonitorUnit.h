#pragma once

#include "TButton.h"
#include "TForm.h"
#include "TListBox.h"
#include "TindrelApi.h"

// Lets the user choose what whole-screen capture covers when there are several monitors: the
// whole desktop (entry 0) or one monitor (entry k is monitor k-1 of the screen's list).
// Exported for the tests.
class TINDREL_API TFrmMultiMonitor : public TForm {
 public:
  explicit TFrmMultiMonitor(TComponent* owner);

  // The chosen entry: 0 the whole desktop, k monitor k-1. Read it after ShowModal gave mrOk.
  int GetSelectedMonitor();
  bool WantsDialogKeys() const override { return true; }

  TListBox* lstMonitors;
  TButton* Button1;
  TButton* Button2;

 private:
  void FormCreate();
  void Button1Click();
  void lstMonitorsDblClick();
};
