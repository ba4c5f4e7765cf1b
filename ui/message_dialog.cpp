#include "ui/message_dialog.h"

#include <stdexcept>

#include "platform/cp932.h"
#include "platform/user_dialogs.h"
#include "platform/wide_text_win32.h"
#include "ui/dpi.h"
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

// A minimised owner sits off the screen: its restored rectangle is where
// the user will see it again.
bool OwnerRect(HWND owner, RECT& rect) {
  if (!owner || !IsWindow(owner)) return false;
  if (IsIconic(owner)) {
    WINDOWPLACEMENT placement = {sizeof placement};
    if (!GetWindowPlacement(owner, &placement)) return false;
    rect = placement.rcNormalPosition;
    return true;
  }
  return GetWindowRect(owner, &rect) != FALSE;
}

}  // namespace

TfrmMsg::TfrmMsg(HINSTANCE instance, HWND mainWindow) : fontName_(cp932::FromUtf8(u8"ＭＳ Ｐゴシック")) {
  if (!CreateModeless(instance, kTemplateName, mainWindow)) {
    throw std::runtime_error("The message dialog could not be created");
  }
}

INT_PTR TfrmMsg::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
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
      return Dialog::HandleMessage(hwnd, message, wParam, lParam);
  }
}

void TfrmMsg::FormCreate() {
  dpi_ = ScreenDpi();
  // The template's dialog units follow its font; the form is laid out in
  // design pixels, so it is placed again here at the screen's DPI.
  RECT frame{0, 0, Scaled(md::kClientWidth, dpi_), Scaled(md::kClientHeight, dpi_)};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE)));
  SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (int i = 0; i < md::kImageCount; ++i) {
    SendMessageW(Item(kImageIds[i]), STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, kStockIcons[i])), 0);
    PlaceControl(kImageIds[i], md::kImageBounds);
  }
  labelDesign_ = Scaled(md::kLabelBounds, dpi_);
  PlaceControl(IDC_MSG_LABEL, md::kLabelBounds);
  PlaceControl(IDC_MSG_OK, md::kOkBounds);
  PlaceControl(IDC_MSG_YES, md::kYesBounds);
  PlaceControl(IDC_MSG_NO, md::kNoBounds);
  ApplyFont();
}

// The main window takes its owned windows with it; the object stays.
void TfrmMsg::FormDestroy() {
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

void TfrmMsg::PlaceControl(int id, const Bounds& design) {
  const Bounds bounds = Scaled(design, dpi_);
  SetWindowPos(Item(id), nullptr, bounds.left, bounds.top, bounds.width, bounds.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

int TfrmMsg::ShowMessageDialog(HWND owner, std::string_view text, int flags, std::string_view caption) {
  return ShowMessageDialog(owner, text, 0, flags, caption);
}

int TfrmMsg::ShowMessageDialog(HWND owner, std::string_view text, int defaultButtonChoice, int flags,
                               std::string_view caption) {
  if (!Exists()) throw std::logic_error("The message dialog no longer exists");
  if (showing_) throw std::logic_error("Cannot make a visible window modal");
  modalResult_ = 0;
  PlaceOnOwner(owner);
  ShowImage(flags);
  buttons_ = md::ButtonsFor(flags, defaultButtonChoice);
  ShowButtons();
  // The font first, so that the text is measured in the font it is drawn in.
  ApplyFont();
  ShowText(text);
  SetWindowTextW(Handle(), Widen(caption).c_str());
  return ShowModally();
}

void TfrmMsg::PlaceOnOwner(HWND owner) {
  RECT dialog{};
  GetWindowRect(Handle(), &dialog);
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  Bounds ownerBounds{0, 0, screenWidth, screenHeight};
  RECT ownerRect{};
  if (OwnerRect(owner, ownerRect)) {
    ownerBounds = {ownerRect.left, ownerRect.top, ownerRect.right - ownerRect.left, ownerRect.bottom - ownerRect.top};
  }
  const md::Point place = md::PlaceOnOwner(ownerBounds, dialog.right - dialog.left, dialog.bottom - dialog.top,
                                           screenWidth, screenHeight);
  SetWindowPos(Handle(), nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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
  SendMessageW(Handle(), DM_SETDEFID, defaultId ? defaultId : IDOK, 0);
}

void TfrmMsg::ApplyFont() {
  if (font_ && fontName_ == appliedFontName_) return;
  UniqueFont font = MakeFont(Widen(fontName_), DesignPixelsOfPoints(kFontPoints), dpi_, SHIFTJIS_CHARSET);
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
    WindowDc dc(label);
    ScopedSelect font(dc.Get(), font_.Get());
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
    SendMessageW(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focus), TRUE);
  } else {
    SetFocus(Handle());
  }
}

int TfrmMsg::ShowModally() {
  showing_ = true;
  {
    DisabledTaskWindows disabled(Handle());
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    FocusFirstButton();
    MSG message;
    while (Handle() && modalResult_ == 0) {
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
      if (!IsDialogMessageW(Handle(), &message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
    }
    // The owner is enabled again before the dialog hides, so that Windows
    // gives it the activation back.
  }
  if (Handle()) ShowWindow(Handle(), SW_HIDE);
  showing_ = false;
  return modalResult_;
}

}  // namespace koru
