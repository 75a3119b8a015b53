#include "TSaveDialog.h"

#include <algorithm>
#include <vector>

#include "StringUtils.h"
#include "TApplication.h"
#include "TForm.h"

TSaveDialog::TSaveDialog(TComponent* owner) : TComponent(owner) {}

bool TSaveDialog::Execute() {
  std::wstring filter = Utf8ToWide(Filter);
  for (wchar_t& c : filter)
    if (c == L'|') c = L'\0';
  filter.append(2, L'\0');
  const std::wstring title = Utf8ToWide(Title);
  std::vector<wchar_t> name(32768, L'\0');
  const std::wstring proposed = Utf8ToWide(FileName);
  proposed.copy(name.data(), std::min(proposed.size(), name.size() - 1));

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = Application->MainForm ? Application->MainForm->Handle() : Application->Handle();
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = name.data();
  dialog.nMaxFile = static_cast<DWORD>(name.size());
  dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
  dialog.Flags = Options | OFN_EXPLORER | OFN_NOCHANGEDIR;
  if (!GetSaveFileNameW(&dialog)) return false;
  FileName = WideToUtf8(name.data());
  return true;
}
