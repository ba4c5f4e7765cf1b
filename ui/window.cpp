#include "ui/window.h"

#include <commctrl.h>

#include "ui/exception_report.h"

namespace koru {
namespace {

// The window property through which a child control knows its wrapper.
constexpr wchar_t kControlProperty[] = L"KORU.Control";

bool IsColourMessage(UINT message) { return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC; }

// The child control that sent a notification, or null: menus, accelerators
// and a window's own scroll bars send none, and WM_CTLCOLORDLG names the
// dialog itself, which Control::Of does not know.
HWND SenderOf(UINT message, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
      return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY:
      return lParam ? reinterpret_cast<const NMHDR*>(lParam)->hwndFrom : nullptr;
    default:
      return IsColourMessage(message) ? reinterpret_cast<HWND>(lParam) : nullptr;
  }
}

bool ReflectToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  HWND sender = SenderOf(message, lParam);
  Control* control = sender ? Control::Of(sender) : nullptr;
  return control && control->Reflected(message, wParam, lParam, result);
}

BOOL CALLBACK DetachChild(HWND child, LPARAM) {
  if (Control* control = Control::Of(child)) control->Detach();
  return TRUE;
}

}  // namespace

// --- Control ------------------------------------------------------------------

bool Control::Create(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int id, DWORD exStyle) {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
  Attach(CreateWindowExW(exStyle, className, text, style | WS_CHILD, 0, 0, 0, 0, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr));
  return hwnd_ != nullptr;
}

void Control::Attach(HWND control) {
  Detach();
  hwnd_ = control;
  if (hwnd_) SetPropW(hwnd_, kControlProperty, this);
}

void Control::Detach() {
  if (hwnd_ && Of(hwnd_) == this) RemovePropW(hwnd_, kControlProperty);
  hwnd_ = nullptr;
}

Control* Control::Of(HWND control) { return static_cast<Control*>(GetPropW(control, kControlProperty)); }

bool Control::Reflected(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

// --- Window -------------------------------------------------------------------

Window::~Window() {
  if (!hwnd_) return;
  HWND hwnd = hwnd_;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  hwnd_ = nullptr;
  DestroyWindow(hwnd);
}

bool Window::Create(const CreateArgs& args) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = args.classStyle;
  windowClass.lpfnWndProc = Procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hIcon = args.icon;
  windowClass.hbrBackground = args.background;
  windowClass.lpszClassName = args.className;
  if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  CreateWindowExW(args.exStyle, args.className, args.caption, args.style, args.left, args.top, args.width, args.height,
                  args.parent, args.menu, instance, this);
  return hwnd_ != nullptr;
}

LRESULT Window::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  LRESULT result = 0;
  ReportExceptions(hwnd, [&] {
    if (!ReflectToControl(message, wParam, lParam, result)) result = self->HandleMessage(hwnd, message, wParam, lParam);
  });
  if (message == WM_DESTROY) EnumChildWindows(hwnd, DetachChild, 0);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
  }
  return result;
}

// --- Dialog -------------------------------------------------------------------

Dialog::~Dialog() {
  if (!hwnd_) return;
  HWND hwnd = hwnd_;
  SetWindowLongPtrW(hwnd, DWLP_USER, 0);
  hwnd_ = nullptr;
  DestroyWindow(hwnd);
}

bool Dialog::CreateModeless(HINSTANCE instance, const wchar_t* templateName, HWND owner) {
  CreateDialogParamW(instance, templateName, owner, Procedure, reinterpret_cast<LPARAM>(this));
  return hwnd_ != nullptr;
}

INT_PTR Dialog::RunModal(HINSTANCE instance, const wchar_t* templateName, HWND owner) {
  return DialogBoxParamW(instance, templateName, owner, Procedure, reinterpret_cast<LPARAM>(this));
}

INT_PTR Dialog::HandleMessage(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

INT_PTR CALLBACK Dialog::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    reinterpret_cast<Dialog*>(lParam)->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
  }
  auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (!self) return FALSE;
  INT_PTR answer = FALSE;
  ReportExceptions(hwnd, [&] {
    LRESULT result = 0;
    if (!ReflectToControl(message, wParam, lParam, result)) {
      answer = self->HandleMessage(hwnd, message, wParam, lParam);
    } else if (IsColourMessage(message)) {
      answer = static_cast<INT_PTR>(result);  // a dialog procedure returns the brush itself
    } else {
      SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
      answer = TRUE;
    }
  });
  if (message == WM_DESTROY) EnumChildWindows(hwnd, DetachChild, 0);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    self->hwnd_ = nullptr;
  }
  return answer;
}

}  // namespace koru
