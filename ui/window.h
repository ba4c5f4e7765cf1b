// The one window base, the one dialog base and the control wrapper that every
// window of KORU is built on.
//
// How a message reaches a handler:
//  1. Windows calls Window::Procedure (every window class KORU registers) or
//     Dialog::Procedure (every dialog template) with the window's own hwnd.
//  2. The procedure finds its object: `this` was stored in GWLP_USERDATA at
//     WM_NCCREATE (DWLP_USER at WM_INITDIALOG).
//  3. WM_COMMAND, WM_NOTIFY, WM_HSCROLL, WM_VSCROLL and WM_CTLCOLOR* that a
//     child control sends go first to the Control attached to that child
//     (Control::Reflected), so that a control handles its own events.
//  4. What no control took goes to the object's HandleMessage, which receives
//     the procedure's hwnd and calls the handler named after component and
//     event (FormCreate, timPlayTimer, btnOkClick, ...). Menu items, tray items,
//     accelerators and command buttons all arrive as WM_COMMAND with the
//     command's one id (ui/commands.h).
//  5. Steps 3 and 4 run inside ReportExceptions: no exception reaches Windows.
//  6. At WM_DESTROY the children's controls are detached; after WM_NCDESTROY
//     the object's Handle() is null and the object may live on.
#pragma once

#include <windows.h>

namespace koru {

// A thin, non-owning wrapper of one child control: the child goes with its
// parent window. Attached, it receives the notifications the child sends to
// its parent. Not movable: the child knows the wrapper by its address.
class Control {
 public:
  Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control() { Detach(); }

  // Creates the child and attaches it. `id` is its control or command id.
  bool Create(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int id, DWORD exStyle = 0);
  // Attaches an existing child, for example a dialog's item.
  void Attach(HWND control);
  void Detach();
  // The wrapper attached to `control`, or null.
  static Control* Of(HWND control);

  HWND Handle() const { return hwnd_; }
  void Move(int left, int top, int width, int height) const { MoveWindow(hwnd_, left, top, width, height, TRUE); }
  void Show(bool shown) const { ShowWindow(hwnd_, shown ? SW_SHOWNA : SW_HIDE); }
  void Enable(bool enabled) const { EnableWindow(hwnd_, enabled); }
  void SetText(const wchar_t* text) const { SetWindowTextW(hwnd_, text); }
  // The control draws in `font`, which its owner keeps alive.
  void SetFont(HFONT font) const { SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }

  // A notification this control sent to its parent. Returns true when the
  // control handled it; `result` is then what the parent's procedure returns.
  virtual bool Reflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

 private:
  HWND hwnd_ = nullptr;
};

// A window of a class KORU registers.
class Window {
 public:
  struct CreateArgs {
    const wchar_t* className = nullptr;
    const wchar_t* caption = L"";
    DWORD style = WS_OVERLAPPEDWINDOW;
    DWORD exStyle = 0;
    int left = CW_USEDEFAULT;
    int top = CW_USEDEFAULT;
    int width = CW_USEDEFAULT;
    int height = CW_USEDEFAULT;
    HWND parent = nullptr;
    HMENU menu = nullptr;  // the menu bar, or a child's id
    HICON icon = nullptr;
    HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    UINT classStyle = 0;  // CS_DBLCLKS for a window that takes double clicks
  };

  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  // A window still open here is destroyed without its object: a class whose
  // destroy handlers matter destroys its window in its own destructor.
  virtual ~Window();

  HWND Handle() const { return hwnd_; }
  // Destroys the window now, its handlers running on this object.
  void Destroy() const {
    if (hwnd_) DestroyWindow(hwnd_);
  }

 protected:
  // Registers the class on first use and creates the window; the handlers
  // of WM_NCCREATE and WM_CREATE already run on this object.
  bool Create(const CreateArgs& args);
  // Default handling: DefWindowProcW with the procedure's hwnd.
  virtual LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
};

// A dialog from a resource template.
class Dialog {
 public:
  Dialog() = default;
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;
  // A modeless dialog still open here is destroyed without its object.
  virtual ~Dialog();

  HWND Handle() const { return hwnd_; }

 protected:
  // A modeless dialog; false when Windows refuses.
  bool CreateModeless(HINSTANCE instance, const wchar_t* templateName, HWND owner);
  // A modal dialog: returns what End was given, or -1 when Windows refuses.
  INT_PTR RunModal(HINSTANCE instance, const wchar_t* templateName, HWND owner);
  void End(INT_PTR result) const { EndDialog(hwnd_, result); }
  // Destroys a modeless dialog now, its handlers running on this object.
  void Destroy() const {
    if (hwnd_) DestroyWindow(hwnd_);
  }
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }

  // As a dialog procedure answers: TRUE when handled. The default handles
  // nothing but WM_INITDIALOG, which gives the focus its way.
  virtual INT_PTR HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static INT_PTR CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
};

}  // namespace koru
