#include "ui/message_dialog.h"

#include <stdexcept>

#include "platform/cp932.h"
#include "platform/user_dialogs.h"
#include "platform/wide_text_win32.h"
#include "ui/exception_report.h"
#include "ui/message_dialog_ids.h"
#include "ui/task_windows.h"

namespace koru {

namespace md = message_dialog;

namespace {

constexpr wchar_t kTemplateName[] = L"TFRMMSG";
constexpr int kFontPoints = 9;
constexpr int kImageIds[md::kImageCount] = {IDC_MSG_IMG01, IDC_MSG_IMG02, IDC_MSG_IMG03, IDC_MSG_IMG04};
// The system's own pictures for stop, question, exclamation and information.
// LoadIcon hands out shared icons, which nobody destroys.
const LPCWSTR kStockIcons[md::kImageCount] = {IDI_HAND, IDI_QUESTION, IDI_EXCLAMATION, IDI_ASTERISK};

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : md::kDesignDpi;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : md::kDesignDpi;
}

// A window's device context with a font selected for measuring.
class MeasuringDc {
 public:
  MeasuringDc(HWND window, HFONT font) : window_(window), dc_(GetDC(window)) {
    if (dc_ && font) previous_ = SelectObject(dc_, font);
  }
  ~MeasuringDc() {
    if (!dc_) return;
    if (previous_) SelectObject(dc_, previous_);
    ReleaseDC(window_, dc_);
  }
  MeasuringDc(const MeasuringDc&) = delete;
  MeasuringDc& operator=(const MeasuringDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
  HGDIOBJ previous_ = nullptr;
};

}  // namespace

TfrmMsg::TfrmMsg(HINSTANCE instance, HWND mainWindow) : fontName_(cp932::FromUtf8(u8"ＭＳ Ｐゴシック")) {
  CreateDialogParamW(instance, kTemplateName, mainWindow, DialogProc, reinterpret_cast<LPARAM>(this));
  if (!hwnd_) throw std::runtime_error("The message dialog could not be created");
}

TfrmMsg::~TfrmMsg() {
  // The font outlives the controls that use it: the members go after this.
  if (hwnd_) DestroyWindow(hwnd_);
}

INT_PTR CALLBACK TfrmMsg::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    reinterpret_cast<TfrmMsg*>(lParam)->hwnd_ = hwnd;
  }
  auto* self = reinterpret_cast<TfrmMsg*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (!self) return FALSE;
  INT_PTR handled = FALSE;
  ReportExceptions(hwnd, [&] { handled = self->HandleMessage(message, wParam, lParam); });
  return handled;
}

INT_PTR TfrmMsg::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      FormCreate();
      return TRUE;
    case WM_COMMAND:
      FormCommand(LOWORD(wParam));
      return TRUE;
    case WM_CLOSE:
      FormClose();
      return TRUE;
    case WM_NCDESTROY:
      FormDestroy();
      return FALSE;
    default:
      return FALSE;
  }
}

void TfrmMsg::FormCreate() {
  dpi_ = ScreenDpi();
  // The template's dialog units follow its font; the form is laid out in
  // design pixels, so it is placed again here at the screen's DPI.
  RECT frame{0, 0, md::Scaled(md::kClientWidth, dpi_), md::Scaled(md::kClientHeight, dpi_)};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)));
  SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (int i = 0; i < md::kImageCount; ++i) {
    SendMessageW(Item(kImageIds[i]), STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, kStockIcons[i])), 0);
    PlaceControl(kImageIds[i], md::kImageBounds);
  }
  labelDesign_ = md::Scaled(md::kLabelBounds, dpi_);
  PlaceControl(IDC_MSG_LABEL, md::kLabelBounds);
  PlaceControl(IDC_MSG_OK, md::kOkBounds);
  PlaceControl(IDC_MSG_YES, md::kYesBounds);
  PlaceControl(IDC_MSG_NO, md::kNoBounds);
  ApplyFont();
}

void TfrmMsg::FormDestroy() {
  // The main window takes its owned windows with it; the object stays.
  SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
  hwnd_ = nullptr;
  if (showing_ && modalResult_ == 0) modalResult_ = answer::kClosed;
}

void TfrmMsg::FormClose() {
  if (showing_) modalResult_ = answer::kClosed;
}

void TfrmMsg::FormCommand(int id) {
  switch (id) {
    case IDC_MSG_OK: btnOkClick(); break;
    case IDC_MSG_YES: btnYesClick(); break;
    case IDC_MSG_NO: btnNoClick(); break;
    case IDOK: FormDefaultKey(); break;
    case IDCANCEL: FormCancelKey(); break;
    default: break;
  }
}

// Enter with no button focused: the default button, when one is shown.
void TfrmMsg::FormDefaultKey() {
  if (showing_ && buttons_.enterResult != 0) modalResult_ = buttons_.enterResult;
}

// Esc: the cancel button, when one is shown. The close box is not Esc: it
// comes as WM_CLOSE and answers 2.
void TfrmMsg::FormCancelKey() {
  if (showing_ && buttons_.escapeResult != 0) modalResult_ = buttons_.escapeResult;
}

void TfrmMsg::btnOkClick() {
  if (showing_) modalResult_ = md::ResultOf(buttons_, md::Button::kOk);
}

void TfrmMsg::btnYesClick() {
  if (showing_) modalResult_ = md::ResultOf(buttons_, md::Button::kYes);
}

void TfrmMsg::btnNoClick() {
  if (showing_) modalResult_ = md::ResultOf(buttons_, md::Button::kNo);
}

void TfrmMsg::PlaceControl(int id, const md::Bounds& design) {
  const md::Bounds bounds = md::Scaled(design, dpi_);
  SetWindowPos(Item(id), nullptr, bounds.left, bounds.top, bounds.width, bounds.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

int TfrmMsg::ShowMessageDialog(HWND owner, std::string_view text, int flags, std::string_view caption) {
  return ShowMessageDialog(owner, text, 0, flags, caption);
}

int TfrmMsg::ShowMessageDialog(HWND owner, std::string_view text, int defaultButtonChoice, int flags,
                               std::string_view caption) {
  if (!hwnd_) throw std::logic_error("The message dialog no longer exists");
  if (showing_) throw std::logic_error("Cannot make a visible window modal");
  modalResult_ = 0;
  PlaceOnOwner(owner);
  ShowImage(flags);
  buttons_ = md::ButtonsFor(flags, defaultButtonChoice);
  ShowButtons();
  // The font first, so that the text is measured in the font it is drawn in.
  ApplyFont();
  ShowText(text);
  SetWindowTextW(hwnd_, Widen(caption).c_str());
  return RunModal();
}

void TfrmMsg::PlaceOnOwner(HWND owner) {
  RECT dialog{};
  GetWindowRect(hwnd_, &dialog);
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  md::Bounds ownerBounds{0, 0, screenWidth, screenHeight};
  RECT ownerRect{};
  if (owner && IsWindow(owner) && GetWindowRect(owner, &ownerRect)) {
    ownerBounds = {ownerRect.left, ownerRect.top, ownerRect.right - ownerRect.left, ownerRect.bottom - ownerRect.top};
  }
  const md::Point place = md::PlaceOnOwner(ownerBounds, dialog.right - dialog.left, dialog.bottom - dialog.top,
                                           screenWidth, screenHeight);
  SetWindowPos(hwnd_, nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmMsg::ShowImage(int flags) {
  for (int id : kImageIds) ShowWindow(Item(id), SW_HIDE);
  const int shown = md::ImageIndexFor(flags);
  if (shown >= 0) ShowWindow(Item(kImageIds[shown]), SW_SHOWNA);
}

void TfrmMsg::ShowButtons() {
  HWND ok = Item(IDC_MSG_OK);
  HWND yes = Item(IDC_MSG_YES);
  HWND no = Item(IDC_MSG_NO);
  for (HWND button : {ok, yes, no}) ShowWindow(button, SW_HIDE);
  SetWindowTextW(yes, Widen(buttons_.yesCaption).c_str());
  SetWindowTextW(no, Widen(buttons_.noCaption).c_str());
  // The tab order is the windows' z-order.
  SetWindowPos(no, buttons_.noFirst ? HWND_TOP : yes, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (buttons_.okShown) ShowWindow(ok, SW_SHOWNA);
  if (buttons_.yesShown) ShowWindow(yes, SW_SHOWNA);
  if (buttons_.noShown) ShowWindow(no, SW_SHOWNA);
  const int defaultId = buttons_.okShown ? IDC_MSG_OK : buttons_.yesShown ? IDC_MSG_YES : 0;
  SendMessageW(hwnd_, DM_SETDEFID, defaultId ? defaultId : IDOK, 0);
}

void TfrmMsg::ApplyFont() {
  if (font_ && fontName_ == appliedFontName_) return;
  UniqueFont font(CreateFontW(-md::Scaled(MulDiv(kFontPoints, md::kDesignDpi, 72), dpi_), 0, 0, 0, FW_NORMAL, FALSE,
                              FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              DEFAULT_PITCH | FF_DONTCARE, Widen(fontName_).c_str()));
  if (!font) return;
  // The dialog itself draws no text in it (its caption is the system's), and
  // a font handed to the dialog window would be the dialog manager's to
  // delete: the label and the buttons get it.
  for (int id : {IDC_MSG_LABEL, IDC_MSG_OK, IDC_MSG_YES, IDC_MSG_NO}) {
    SendMessageW(Item(id), WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
  }
  font_ = std::move(font);
  appliedFontName_ = fontName_;
}

void TfrmMsg::ShowText(std::string_view text) {
  HWND label = Item(IDC_MSG_LABEL);
  const std::wstring wide = Widen(text);
  // The label sizes itself to its text at its design width, wrapping as the
  // static control does; an empty text still takes one line.
  RECT measured{0, 0, labelDesign_.width, 0};
  {
    MeasuringDc dc(label, font_.Get());
    const std::wstring measuredText = wide.empty() ? std::wstring(L" ") : wide;
    DrawTextW(dc.Get(), measuredText.c_str(), static_cast<int>(measuredText.size()), &measured,
              DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  }
  const int height = measured.bottom - measured.top;
  SetWindowTextW(label, wide.c_str());
  SetWindowPos(label, nullptr, labelDesign_.left, md::CenteredLabelTop(labelDesign_.top, labelDesign_.height, height),
               labelDesign_.width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmMsg::FocusFirstButton() {
  HWND focus = nullptr;
  switch (buttons_.focused) {
    case md::Button::kOk: focus = Item(IDC_MSG_OK); break;
    case md::Button::kYes: focus = Item(IDC_MSG_YES); break;
    case md::Button::kNo: focus = Item(IDC_MSG_NO); break;
    case md::Button::kNone: break;
  }
  // Through the dialog manager, so that the focused button also becomes the
  // default push button and Enter presses it.
  if (focus) {
    SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focus), TRUE);
  } else {
    SetFocus(hwnd_);
  }
}

int TfrmMsg::RunModal() {
  showing_ = true;
  {
    DisabledTaskWindows disabled(hwnd_);
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    FocusFirstButton();
    MSG message;
    while (hwnd_ && modalResult_ == 0) {
      const BOOL got = GetMessageW(&message, nullptr, 0, 0);
      if (got == 0) {
        // The program is ending: pass the quit on to the main loop.
        PostQuitMessage(static_cast<int>(message.wParam));
        modalResult_ = answer::kClosed;
        break;
      }
      if (got < 0) {
        modalResult_ = answer::kClosed;
        break;
      }
      if (!IsDialogMessageW(hwnd_, &message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
    }
    // The owner is enabled again before the dialog hides, so that Windows
    // gives it the activation back.
  }
  if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
  showing_ = false;
  return modalResult_;
}

}  // namespace koru
