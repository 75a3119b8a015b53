#include "TButton.h"

#include "StringUtils.h"
#include "TForm.h"

TButton::TButton(TForm* form, const std::string& caption, int left, int top, int width, int height)
    : TWinControl(form), FForm(form), FCaption(caption) {
  SetParent(form);
  SetChildBounds(left, top, width, height);
}

void TButton::CreateParams(TCreateParams& params) {
  params.SystemClass = L"BUTTON";
  params.Caption = Utf8ToWide(FCaption);
  params.Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
  params.X = FChildBounds.left;
  params.Y = FChildBounds.top;
  params.Width = FChildBounds.right - FChildBounds.left;
  params.Height = FChildBounds.bottom - FChildBounds.top;
  params.WndParent = FForm->Handle();
  static int nextId = 100;
  params.Id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(Default ? IDOK : ModalResult == mrCancel ? IDCANCEL : nextId++));
}

void TButton::SetCaption(const std::string& caption) {
  FCaption = caption;
  if (HandleAllocated()) SetWindowTextW(Handle(), Utf8ToWide(caption).c_str());
}

void TButton::Click() {
  if (OnClick) OnClick();
  if (ModalResult != 0) FForm->ModalResult = ModalResult;
}

void TButton::CommandNotify(WORD code) {
  if (code == BN_CLICKED) Click();
}
