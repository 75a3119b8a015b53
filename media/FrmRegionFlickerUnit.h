#pragma once

#include <windows.h>

#include "TForm.h"
#include "TTimer.h"
#include "TindrelApi.h"

// Four red corner marks around the recorded area, blinking every 700 ms: a borderless,
// top-most, alpha-blended window whose region is cut down to the marks.
class TFrmRegionFlicker : public TForm {
 public:
  explicit TFrmRegionFlicker(TComponent* owner);

  void SetFrameBounds(int left, int top, int width, int height);

  TTimer* Timer1;

 protected:
  void CreateParams(TCreateParams& params) override;

 private:
  void FormClose(TCloseAction& action);
  void Timer1Timer();
};

// Shows the corner marks while it lives.
class TINDREL_API TRegionFlicker {
 public:
  TRegionFlicker(int left, int top, int width, int height);
  ~TRegionFlicker();
  TRegionFlicker(const TRegionFlicker&) = delete;
  TRegionFlicker& operator=(const TRegionFlicker&) = delete;

  HWND Window() const { return FWindow; }

 private:
  HWND FWindow;
};
