#include "TApplication.h"

#include "StringUtils.h"
#include "TForm.h"

// Never deleted: forms it owns must not be destroyed while the process unloads its modules.
TApplication* Application = new TApplication;

TApplication::TApplication() : TComponent(nullptr) {}

HWND TApplication::Handle() {
  if (!FHandle)
    FHandle = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"Quorlo", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  return FHandle;
}

static void Dispatch(MSG& message) {
  HWND active = GetActiveWindow();
  TForm* form = dynamic_cast<TForm*>(TWinControl::FindControl(active));
  if (form && form->WantsDialogKeys() && IsDialogMessageW(active, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

void TApplication::Run() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) Dispatch(message);
}

void TApplication::ProcessMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    Dispatch(message);
  }
}

void TApplication::Terminate() { PostQuitMessage(0); }

void TApplication::HandleException(const std::exception& error) {
  if (OnException) {
    OnException(error);
    return;
  }
  MessageBoxW(GetActiveWindow(), Utf8ToWide(error.what()).c_str(), L"Quorlo", MB_OK | MB_ICONERROR);
}
