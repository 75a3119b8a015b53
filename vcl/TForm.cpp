#include "TForm.h"

#include <windowsx.h>

#include <vector>

#include "StringUtils.h"
#include "TApplication.h"
#include "TScreen.h"

// Posted to a form by Release; the form deletes itself when it arrives.
static const UINT CM_RELEASE = WM_APP + 0x3F00;

static DWORD StyleFor(TBorderStyle border) {
  switch (border) {
    case bsNone: return WS_POPUP;
    case bsDialog: return WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    case bsSingle: return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    case bsToolWindow: return WS_POPUP | WS_CAPTION | WS_SYSMENU;
    default: return WS_OVERLAPPEDWINDOW;
  }
}

static DWORD ExStyleFor(TBorderStyle border) {
  switch (border) {
    case bsDialog: return WS_EX_DLGMODALFRAME;
    case bsToolWindow: return WS_EX_TOOLWINDOW;
    default: return 0;
  }
}

TForm::TForm(TComponent* owner) : TWinControl(owner), Color(GetSysColor(COLOR_BTNFACE)) {}

TForm::~TForm() {
  DestroyHandle();
  if (FFont) DeleteObject(FFont);
}

void TForm::CreateParams(TCreateParams& params) {
  params.Caption = Utf8ToWide(FCaption);
  params.Style = StyleFor(BorderStyle) | WS_CLIPCHILDREN;
  params.ExStyle = ExStyleFor(BorderStyle) | (AlphaBlend ? WS_EX_LAYERED : 0);
  params.X = FBounds.left;
  params.Y = FBounds.top;
  params.Width = Width();
  params.Height = Height();
  params.WndParent = Application->Handle();
}

void TForm::DoHandleCreated() {
  if (AlphaBlend) SetLayeredWindowAttributes(Handle(), 0, FAlpha, LWA_ALPHA);
  if (FFont) SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(FFont), FALSE);
  if (Icon) {
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Icon));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(Icon));
  }
  // The controls placed on the form come into being with it.
  for (int i = 0; i < ComponentCount(); ++i) {
    auto* control = dynamic_cast<TWinControl*>(Components(i));
    if (!control || control->Parent() != this) continue;
    HWND child = control->Handle();
    if (FFont) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(FFont), FALSE);
  }
}

void TForm::SetCaption(const std::string& caption) {
  FCaption = caption;
  if (HandleAllocated()) SetWindowTextW(Handle(), Utf8ToWide(caption).c_str());
}

void TForm::SetBounds(int left, int top, int width, int height) {
  FBounds = {left, top, left + width, top + height};
  if (HandleAllocated()) SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::SetClientSize(int width, int height) {
  RECT r{0, 0, width, height};
  AdjustWindowRectEx(&r, StyleFor(BorderStyle), FALSE, ExStyleFor(BorderStyle));
  SetBounds(FBounds.left, FBounds.top, r.right - r.left, r.bottom - r.top);
}

int TForm::ClientWidth() {
  RECT r;
  GetClientRect(Handle(), &r);
  return r.right;
}

int TForm::ClientHeight() {
  RECT r;
  GetClientRect(Handle(), &r);
  return r.bottom;
}

void TForm::SetAlphaBlendValue(BYTE alpha) {
  FAlpha = alpha;
  if (AlphaBlend && HandleAllocated()) SetLayeredWindowAttributes(Handle(), 0, alpha, LWA_ALPHA);
}

void TForm::SetFont(const std::string& face, int height) {
  if (FFont) DeleteObject(FFont);
  FFont = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, Utf8ToWide(face).c_str());
  if (HandleAllocated()) SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(FFont), TRUE);
}

void TForm::Show() {
  HWND window = Handle();
  if (Position == poScreenCenter && !IsWindowVisible(window)) {
    const int x = (GetSystemMetrics(SM_CXSCREEN) - Width()) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2;
    SetBounds(x, y, Width(), Height());
  }
  ShowWindow(window, SW_SHOW);
}

void TForm::Hide() {
  if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
}

bool TForm::Visible() { return HandleAllocated() && IsWindowVisible(Handle()); }

void TForm::Close() {
  if (FModal) {
    ModalResult = mrCancel;
    return;
  }
  TCloseAction action = caHide;
  if (OnClose) OnClose(action);
  switch (action) {
    case caHide: Hide(); break;
    case caFree: Release(); break;
    case caMinimize: ShowWindow(Handle(), SW_MINIMIZE); break;
    case caNone: break;
  }
}

void TForm::Release() { PostMessageW(Handle(), CM_RELEASE, 0, 0); }

static BOOL CALLBACK AddEnabledWindow(HWND window, LPARAM list) {
  if (IsWindowVisible(window) && IsWindowEnabled(window)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

int TForm::ShowModal() {
  HWND self = Handle();
  std::vector<HWND> disabled;
  EnumThreadWindows(GetCurrentThreadId(), AddEnabledWindow, reinterpret_cast<LPARAM>(&disabled));
  for (HWND window : disabled) EnableWindow(window, FALSE);

  FModal = true;
  ModalResult = mrNone;
  Show();
  SetForegroundWindow(self);
  // As in a dialog, the keyboard starts at the first control in tab order.
  if (WantsDialogKeys())
    if (HWND first = GetNextDlgTabItem(self, nullptr, FALSE)) SetFocus(first);
  MSG message;
  while (ModalResult == mrNone) {
    if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
      PostQuitMessage(static_cast<int>(message.wParam));  // leave the application's loop too
      ModalResult = mrCancel;
      break;
    }
    if (WantsDialogKeys() && IsDialogMessageW(self, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  FModal = false;
  for (HWND window : disabled) EnableWindow(window, TRUE);
  Hide();
  return ModalResult;
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case CM_RELEASE:
      delete this;
      return 0;
    case WM_CLOSE:
      Close();
      return 0;
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(Handle(), &r);
      HBRUSH brush = CreateSolidBrush(Color);
      FillRect(reinterpret_cast<HDC>(wParam), &r, brush);
      DeleteObject(brush);
      return 1;
    }
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(Handle(), &paint);
      if (OnPaint) OnPaint(dc);
      EndPaint(Handle(), &paint);
      return 0;
    }
    case WM_CHAR:
      if (OnKeyPress) {
        wchar_t key = static_cast<wchar_t>(wParam);
        OnKeyPress(key);
        return 0;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      SetCapture(Handle());
      if (OnMouseDown)
        OnMouseDown(message == WM_LBUTTONDOWN ? mbLeft : message == WM_RBUTTONDOWN ? mbRight : mbMiddle,
                    GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      ReleaseCapture();
      if (OnMouseUp)
        OnMouseUp(message == WM_LBUTTONUP ? mbLeft : message == WM_RBUTTONUP ? mbRight : mbMiddle,
                  GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_MOUSEMOVE:
      if (OnMouseMove) OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && (Cursor != crDefault || Screen->Cursor() != crDefault)) {
        ::SetCursor(Screen->Cursors(Screen->Cursor() != crDefault ? Screen->Cursor() : Cursor));
        return TRUE;
      }
      break;
    case WM_WINDOWPOSCHANGED:
      GetWindowRect(Handle(), &FBounds);
      break;
    case WM_COMMAND: {
      // From a control, or from the dialog keys (Enter: IDOK, Esc: IDCANCEL) with no sender.
      HWND sender = lParam ? reinterpret_cast<HWND>(lParam) : GetDlgItem(Handle(), LOWORD(wParam));
      TWinControl* control = FindControl(sender);
      if (control && control->Parent() == this) {
        control->CommandNotify(lParam ? HIWORD(wParam) : BN_CLICKED);
        return 0;
      }
      break;
    }
  }
  return DefaultHandler(message, wParam, lParam);
}
