// TfrmVer, the version dialog: the program's name and version on a black
// banner, and one line per outside library that archive playback and RCP
// conversion depend on, filled once when it opens.
#pragma once

#include <windows.h>

#include <utility>

#include "archive/library_versions.h"
#include "archive/module_loader.h"
#include "platform/unique_handle_win32.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace koru {

class TfrmVer : public Dialog {
 public:
  static constexpr wchar_t kTemplateName[] = L"TFRMVER";

  // The archiver libraries are loaded through `loader` while the dialog is
  // created and unloaded again; `rcpVersion` reads the RCP converter's.
  TfrmVer(ModuleLoader& loader, RcpVersionReader rcpVersion) : loader_(loader), rcpVersion_(std::move(rcpVersion)) {}

  // Shows the dialog modally, centred on `owner`, until OK or Esc.
  void ShowModal(HINSTANCE instance, HWND owner);

 protected:
  INT_PTR HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void FormCreate(HWND hwnd);
  void FormPaint(HWND hwnd);
  void imgVeltaDraw(const DRAWITEMSTRUCT& item);
  void btnOkClick() { End(IDOK); }

  ModuleLoader& loader_;
  RcpVersionReader rcpVersion_;
  Label lblName_;
  Label lblCopy_;
  Label lblTitle_;
  UniqueFont boldFont_;
  int dpi_ = 96;
};

}  // namespace koru
