#pragma once

#include <functional>
#include <string>

#include "TWinControl.h"

enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow };
enum TPosition { poDesigned, poScreenCenter };
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum : int { mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL };

// A top-level window. Settings made before the window exists are applied when it is created;
// later changes apply at once. Events are bound by the form that uses them.
class VCL_API TForm : public TWinControl {
 public:
  explicit TForm(TComponent* owner);
  ~TForm() override;

  std::string Caption() const { return FCaption; }
  void SetCaption(const std::string& caption);
  void SetBounds(int left, int top, int width, int height);
  int Left() const { return FBounds.left; }
  int Top() const { return FBounds.top; }
  int Width() const { return FBounds.right - FBounds.left; }
  int Height() const { return FBounds.bottom - FBounds.top; }
  void SetClientSize(int width, int height);  // for a window of the form's border style
  int ClientWidth();
  int ClientHeight();

  TBorderStyle BorderStyle = bsSizeable;
  TPosition Position = poDesigned;
  COLORREF Color;
  bool AlphaBlend = false;
  int Cursor = 0;  // over the client area; crDefault: the arrow
  BYTE AlphaBlendValue() const { return FAlpha; }
  void SetAlphaBlendValue(BYTE alpha);
  // The font of the form and its controls, by face name and height in pixels (negative: of the
  // characters, as in a LOGFONT).
  void SetFont(const std::string& face, int height);
  HFONT Font() const { return FFont; }
  // The caption and task-switch icon. Not owned: a shared resource icon, or one the caller frees.
  HICON Icon = nullptr;

  void Show();
  void Hide();
  bool Visible();
  // Asks OnClose what to do: hide (the default), free the form, or nothing. A modal form
  // closes with mrCancel.
  void Close();
  // Deletes the form once the messages already queued for it have been handled.
  void Release();
  int ShowModal();
  int ModalResult = mrNone;
  virtual bool WantsDialogKeys() const { return false; }  // Tab, Enter and Esc as in a dialog

  std::function<void(TCloseAction&)> OnClose;
  std::function<void(HDC)> OnPaint;
  std::function<void(wchar_t&)> OnKeyPress;
  std::function<void(TMouseButton, int, int)> OnMouseDown;
  std::function<void(int, int)> OnMouseMove;
  std::function<void(TMouseButton, int, int)> OnMouseUp;

 protected:
  void CreateParams(TCreateParams& params) override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void DoHandleCreated() override;

 private:
  std::string FCaption;
  RECT FBounds{0, 0, 320, 240};
  BYTE FAlpha = 255;
  HFONT FFont = nullptr;
  bool FModal = false;
};
