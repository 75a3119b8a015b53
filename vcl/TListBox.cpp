#include "TListBox.h"

#include "Exception.h"
#include "StringUtils.h"
#include "TForm.h"

namespace {

// The list box's own entries, read and changed through its window.
class TListBoxStrings : public TStrings {
 public:
  explicit TListBoxStrings(TListBox& owner) : FOwner(owner) {}

  int Count() const override { return static_cast<int>(Send(LB_GETCOUNT, 0, 0)); }
  std::string Strings(int index) const override {
    Check(index);
    std::wstring text(static_cast<size_t>(Send(LB_GETTEXTLEN, index, 0)) + 1, L'\0');
    text.resize(static_cast<size_t>(Send(LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()))));
    return WideToUtf8(text);
  }
  TObject* Objects(int index) const override {
    Check(index);
    return reinterpret_cast<TObject*>(Send(LB_GETITEMDATA, index, 0));
  }
  void PutObject(int index, TObject* object) override {
    Check(index);
    Send(LB_SETITEMDATA, index, reinterpret_cast<LPARAM>(object));
  }
  int AddObject(const std::string& text, TObject* object) override {
    const std::wstring wide = Utf8ToWide(text);
    const int index = static_cast<int>(Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str())));
    Send(LB_SETITEMDATA, index, reinterpret_cast<LPARAM>(object));
    return index;
  }
  void Delete(int index) override {
    Check(index);
    Send(LB_DELETESTRING, index, 0);
  }
  void Clear() override { Send(LB_RESETCONTENT, 0, 0); }

 private:
  LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendMessageW(FOwner.Handle(), message, wParam, lParam);
  }
  void Check(int index) const {
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  }
  TListBox& FOwner;
};

}  // namespace

TListBox::TListBox(TForm* form, int left, int top, int width, int height)
    : TWinControl(form), FForm(form), FItems(new TListBoxStrings(*this)) {
  SetParent(form);
  SetChildBounds(left, top, width, height);
}

TListBox::~TListBox() = default;

void TListBox::CreateParams(TCreateParams& params) {
  params.SystemClass = L"LISTBOX";
  params.Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  params.ExStyle = WS_EX_CLIENTEDGE;
  params.X = FChildBounds.left;
  params.Y = FChildBounds.top;
  params.Width = FChildBounds.right - FChildBounds.left;
  params.Height = FChildBounds.bottom - FChildBounds.top;
  params.WndParent = FForm->Handle();
}

void TListBox::DoHandleCreated() {
  if (ItemHeight > 0) SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, ItemHeight);
}

int TListBox::ItemIndex() { return static_cast<int>(SendMessageW(Handle(), LB_GETCURSEL, 0, 0)); }

void TListBox::SetItemIndex(int index) { SendMessageW(Handle(), LB_SETCURSEL, index, 0); }

void TListBox::CommandNotify(WORD code) {
  if (code == LBN_DBLCLK && OnDblClick) OnDblClick();
}
