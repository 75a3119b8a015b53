#include "FrmRegionFlickerUnit.h"

static const int ArmLength = 15;
static const int Thickness = 3;

TFrmRegionFlicker::TFrmRegionFlicker(TComponent* owner) : TForm(owner), Timer1(new TTimer(this)) {
  BorderStyle = bsNone;
  Color = RGB(255, 0, 0);
  AlphaBlend = true;
  OnClose = [this](TCloseAction& action) { FormClose(action); };
  Timer1->SetInterval(700);
  Timer1->OnTimer = [this] { Timer1Timer(); };
}

void TFrmRegionFlicker::CreateParams(TCreateParams& params) {
  TForm::CreateParams(params);
  // Owned by no window of the program, so minimising the program does not hide the marks.
  params.WndParent = GetDesktopWindow();
  params.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  params.WindowClassStyle |= CS_SAVEBITS;
}

void TFrmRegionFlicker::SetFrameBounds(int left, int top, int width, int height) {
  SetBounds(left, top, width, height);
  const int w = ClientWidth(), h = ClientHeight(), a = ArmLength, t = Thickness;
  const POINT whole[] = {{0, 0}, {w, 0}, {w, h}, {0, h}};
  const POINT inner[] = {{0, a},         {t, a},         {t, t},         {a, t},         {a, 0},
                         {w - a, 0},     {w - a, t},     {w - t, t},     {w - t, a},     {w, a},
                         {w, h - a},     {w - t, h - a}, {w - t, h - t}, {w - a, h - t}, {w - a, h},
                         {a, h},         {a, h - t},     {t, h - t},     {t, h - a},     {0, h - a}};
  HRGN regionA = CreatePolygonRgn(whole, 4, ALTERNATE);
  HRGN regionB = CreatePolygonRgn(inner, 20, ALTERNATE);
  HRGN marks = CreateRectRgn(0, 0, 0, 0);
  CombineRgn(marks, regionA, regionB, RGN_DIFF);
  SetWindowRgn(Handle(), marks, TRUE);  // the window owns the region from here on
  DeleteObject(regionB);
  DeleteObject(regionA);
}

void TFrmRegionFlicker::FormClose(TCloseAction& action) { action = caFree; }

void TFrmRegionFlicker::Timer1Timer() { SetAlphaBlendValue(AlphaBlendValue() != 0 ? 0 : 255); }

TRegionFlicker::TRegionFlicker(int left, int top, int width, int height) {
  auto* form = new TFrmRegionFlicker(nullptr);
  form->SetFrameBounds(left, top, width, height);
  // Shown without taking the focus from the window being recorded.
  ShowWindow(form->Handle(), SW_SHOWNOACTIVATE);
  FWindow = form->Handle();
}

TRegionFlicker::~TRegionFlicker() {
  if (!IsWindow(FWindow)) return;
  if (auto* form = dynamic_cast<TForm*>(TWinControl::FindControl(FWindow))) form->Close();
  CloseWindow(FWindow);
}
