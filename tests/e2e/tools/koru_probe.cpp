// koru_probe: looks at KORU's windows from outside, the way a user sees them,
// for the end-to-end tests. It runs under the same wineserver as KORU.
//
//   koru_probe list CLASS                 visible top-level windows of CLASS: "hwnd<TAB>pid<TAB>caption"
//   koru_probe wait CLASS MS [TEXT]       waits for such a window (caption containing TEXT), prints its caption
//   koru_probe wait-gone CLASS MS         waits until no window of CLASS is left
//   koru_probe close CLASS MS             posts WM_CLOSE to each and waits for their processes to end
//   koru_probe texts CLASS                the window's text, then "class<TAB>control id<TAB>text" per child
//   koru_probe hold PATH RELEASE MS       opens PATH without sharing, prints "held" and keeps it open
//                                         until the file RELEASE exists (or MS have passed)
//   koru_probe layout CLASS               the window's client size, then each visible child control:
//                                         "class<TAB>text<TAB>left<TAB>top<TAB>width<TAB>height" in client pixels
//   koru_probe wait-enabled CLASS ID YES|NO MS  waits until the child control ID is enabled (YES) or not (NO)
//   koru_probe wait-colour CLASS L T W H RRGGBB MS  waits until the screen shows the colour (hex) somewhere in
//                                         the rectangle of the window's client area
//   koru_probe command CLASS ID           posts WM_COMMAND with ID to the window
//   koru_probe click CLASS TEXT           clicks the child button whose text is TEXT
//   koru_probe press CLASS ID             clicks the child button with the control ID (IDOK 1, IDYES 6, IDNO 7)
//   koru_probe hold-mutex NAME MS         creates the named mutex, prints "held" and keeps it MS milliseconds
//   koru_probe ping CLASS MS              sends WM_NULL to the window, waiting at most MS; prints the round trip in ms
//   koru_probe keys CLASS KEY...          brings the window to the front and types each KEY as real input:
//                                         "F2", "Return", "Space", "ctrl+T", "alt+Down", or "text:WORDS"
//   koru_probe rows CLASS ID FIRST LAST   the list view ID of the window: "count<TAB>N<TAB>top<TAB>T<TAB>selected<TAB>S",
//                                         then per row FIRST..LAST "row<TAB>checked<TAB>cell 0<TAB>...<TAB>cell 8"
//   koru_probe time CLASS ID command CMD  milliseconds of one command CMD sent to the window, its repaint
//                                         included; ID names the list view that is repainted
//   koru_probe time CLASS ID page         milliseconds of one page scrolled down in the list view ID, repainted
//   koru_probe wait-list CLASS ID COUNT MS  prints "ready", waits until the list view ID shows with COUNT
//                                         rows, prints "shown"
//   koru_probe default-id CLASS           the id of the dialog's button drawn as the default (Enter presses it)
//   koru_probe menu-id EXE CAPTION        the command id of the menu item of EXE's menus whose caption
//                                         (without its shortcut text) is CAPTION
//   koru_probe drop CLASS PATH...         drops the paths on the window as the shell does (WM_DROPFILES
//                                         with a DROPFILES block written into the window's process)
//   koru_probe file-dialog NAME MS        waits for a common file dialog, types NAME as its file name
//                                         and presses OK
//   koru_probe tray CLASS shown|delete|taskbar-created|menu   whether the shell has the window's tray
//                                         icon (icon id 0), deletes it behind the window's back, tells the
//                                         window the task bar was created again, or presses the right
//                                         button on the icon
//   koru_probe end-session CLASS          asks the window whether the session may end, then ends it
//   koru_probe context-menu CLASS ID MS   asks for the context menu of the child control ID (as a right
//                                         click does), waits until a pop-up menu shows, and prints the
//                                         milliseconds the window took to answer WM_NULL meanwhile
//   koru_probe wait-menu MS               waits until a menu (a pop-up or a menu bar's) shows
//   koru_probe close-menu                 closes the pop-up menu shown (Escape, as real input)
//   koru_probe list-items CLASS ID        the items of the window's list box ID, one a line
//   koru_probe dblclick CLASS             a double click in the middle of the window's client area
//   koru_probe post-close CLASS           posts WM_CLOSE to the window and does not wait
//   koru_probe mouse-to X Y               moves the pointer to the screen point X, Y as real input
//   koru_probe set-text CLASS ID TEXT     sets the text of the child control ID
//   koru_probe bm-click CLASS ID          clicks the child button ID as the mouse would (BM_CLICK)
//   koru_probe select CLASS ID INDEX      selects item INDEX of the drop-down list ID, as the user does
//   koru_probe page CLASS ID INDEX        clicks tab INDEX of the page control ID with the mouse buttons
//   koru_probe tick CLASS ID ITEM 1|0     ticks (1) or clears (0) the check box of item ITEM of list view ID
//
// CLASS may name the caption too: "#32770|CAPTION" is a dialog with that caption.
//
// Output is UTF-8; the exit code is 0 on success, 1 on a time-out or when
// nothing was found.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cwchar>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace {

void Print(const std::wstring& text) {
  int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(), bytes, nullptr, nullptr);
  utf8 += '\n';
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

std::wstring TextOf(HWND window) {
  wchar_t buffer[1024] = {};
  // WM_GETTEXT reaches windows of other processes too.
  SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000, nullptr);
  return buffer;
}

std::wstring ClassOf(HWND window) {
  wchar_t buffer[256] = {};
  GetClassNameW(window, buffer, 256);
  return buffer;
}

struct Search {
  std::wstring className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  const std::wstring_view wanted = search->className;
  const std::size_t bar = wanted.find(L'|');
  if (!IsWindowVisible(window)) return TRUE;
  const std::wstring className = ClassOf(window);
  if (std::wstring_view(className) != wanted.substr(0, bar)) return TRUE;
  const std::wstring caption = bar == std::wstring_view::npos ? std::wstring() : TextOf(window);
  if (bar == std::wstring_view::npos || std::wstring_view(caption) == wanted.substr(bar + 1)) {
    search->found.push_back(window);
  }
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM context) {
  reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
  return TRUE;
}

std::vector<HWND> TopLevelWindows(const std::wstring& className) {
  Search search{className, {}};
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
  return children;
}

int List(const std::wstring& className) {
  std::vector<HWND> windows = TopLevelWindows(className);
  for (HWND window : windows) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    wchar_t head[64];
    std::swprintf(head, 64, L"%p\t%lu\t", static_cast<void*>(window), static_cast<unsigned long>(pid));
    Print(head + TextOf(window));
  }
  return windows.empty() ? 1 : 0;
}

int Wait(const std::wstring& className, DWORD timeout, const std::wstring& text) {
  const DWORD start = GetTickCount();
  for (;;) {
    for (HWND window : TopLevelWindows(className)) {
      std::wstring caption = TextOf(window);
      if (text.empty() || caption.find(text) != std::wstring::npos) {
        Print(caption);
        return 0;
      }
    }
    if (GetTickCount() - start > timeout) return 1;
    Sleep(100);
  }
}

int WaitGone(const std::wstring& className, DWORD timeout) {
  const DWORD start = GetTickCount();
  while (!TopLevelWindows(className).empty()) {
    if (GetTickCount() - start > timeout) return 1;
    Sleep(100);
  }
  return 0;
}

int Close(const std::wstring& className, DWORD timeout) {
  std::vector<HWND> windows = TopLevelWindows(className);
  if (windows.empty()) return 1;
  std::vector<HANDLE> processes;
  for (HWND window : windows) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid)) processes.push_back(process);
    PostMessageW(window, WM_CLOSE, 0, 0);
  }
  int result = 0;
  for (HANDLE process : processes) {
    if (WaitForSingleObject(process, timeout) != WAIT_OBJECT_0) result = 1;
    CloseHandle(process);
  }
  return result;
}

int Texts(const std::wstring& className) {
  std::vector<HWND> windows = TopLevelWindows(className);
  for (HWND window : windows) {
    Print(TextOf(window));
    for (HWND child : Children(window)) {
      Print(ClassOf(child) + L"\t" + std::to_wstring(GetDlgCtrlID(child)) + L"\t" + TextOf(child));
    }
  }
  return windows.empty() ? 1 : 0;
}

std::wstring Numbers(std::initializer_list<long> values) {
  std::wstring text;
  for (long value : values) text += L"\t" + std::to_wstring(value);
  return text;
}

int Layout(const std::wstring& className) {
  std::vector<HWND> windows = TopLevelWindows(className);
  if (windows.empty()) return 1;
  HWND window = windows.front();
  RECT client{};
  GetClientRect(window, &client);
  Print(L"client" + Numbers({client.right, client.bottom}));
  for (HWND child : Children(window)) {
    if (!IsWindowVisible(child)) continue;
    RECT bounds{};
    GetWindowRect(child, &bounds);
    MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&bounds), 2);
    std::wstring text = TextOf(child);
    for (wchar_t& c : text) {
      if (c == L'\r' || c == L'\n' || c == L'\t') c = L' ';  // one line per control
    }
    Print(ClassOf(child) + L"\t" + text +
          Numbers({bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top}));
  }
  return 0;
}

// Whether any pixel of a rectangle of the window's client area, as the
// screen shows it, has the colour.
bool ScreenShowsColour(HWND window, RECT area, COLORREF colour) {
  MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&area), 2);
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  GdiFlush();
  bool found = false;
  const auto* pixels = static_cast<const DWORD*>(bits);
  const DWORD wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
  for (int i = 0; bits && i < width * height && !found; ++i) found = (pixels[i] & 0xFFFFFF) == wanted;
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return found;
}

int WaitColour(const std::wstring& className, RECT area, COLORREF colour, DWORD timeout) {
  const DWORD start = GetTickCount();
  for (;;) {
    for (HWND window : TopLevelWindows(className)) {
      if (ScreenShowsColour(window, area, colour)) return 0;
    }
    if (GetTickCount() - start > timeout) return 1;
    Sleep(100);
  }
}

int WaitEnabled(const std::wstring& className, int id, bool enabled, DWORD timeout) {
  const DWORD start = GetTickCount();
  for (;;) {
    for (HWND window : TopLevelWindows(className)) {
      for (HWND child : Children(window)) {
        if (GetDlgCtrlID(child) == id && (IsWindowEnabled(child) != FALSE) == enabled) return 0;
      }
    }
    if (GetTickCount() - start > timeout) return 1;
    Sleep(100);
  }
}

int Command(const std::wstring& className, int id) {
  std::vector<HWND> windows = TopLevelWindows(className);
  for (HWND window : windows) PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
  return windows.empty() ? 1 : 0;
}

int Click(const std::wstring& className, const std::wstring& text) {
  for (HWND window : TopLevelWindows(className)) {
    for (HWND child : Children(window)) {
      if (TextOf(child) == text) {
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(child), BN_CLICKED), reinterpret_cast<LPARAM>(child));
        return 0;
      }
    }
  }
  return 1;
}

int Press(const std::wstring& className, int id) {
  for (HWND window : TopLevelWindows(className)) {
    if (HWND button = GetDlgItem(window, id)) {
      PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
      return 0;
    }
  }
  return 1;
}

// The items of a list box of the window, one a line.
int ListItems(const std::wstring& className, int id) {
  for (HWND window : TopLevelWindows(className)) {
    HWND list = GetDlgItem(window, id);
    if (!list) continue;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      wchar_t item[512] = {};
      if (SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0) < 512) {
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
      }
      Print(item);
    }
    return 0;
  }
  return 1;
}

// A double click in the middle of the window's client area, to the control
// that lies there.
int DoubleClick(const std::wstring& className) {
  std::vector<HWND> windows = TopLevelWindows(className);
  if (windows.empty()) return 1;
  RECT client{};
  GetClientRect(windows.front(), &client);
  POINT middle = {client.right / 2, client.bottom / 2};
  HWND target = ChildWindowFromPointEx(windows.front(), middle, CWP_SKIPINVISIBLE);
  if (!target) target = windows.front();
  MapWindowPoints(windows.front(), target, &middle, 1);
  PostMessageW(target, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(middle.x, middle.y));
  return 0;
}

// Closes the window as its close box would, without waiting for anything.
int PostClose(const std::wstring& className) {
  std::vector<HWND> windows = TopLevelWindows(className);
  for (HWND window : windows) PostMessageW(window, WM_CLOSE, 0, 0);
  return windows.empty() ? 1 : 0;
}

// Moves the pointer to a point of the screen as a mouse would.
int MouseTo(int x, int y) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  return SendInput(1, &input, sizeof input) == 1 ? 0 : 1;
}

// Stands for another program that holds a file open without sharing.
int Hold(const std::wstring& path, const std::wstring& release, DWORD timeout) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  Print(L"held");
  const DWORD start = GetTickCount();
  while (GetFileAttributesW(release.c_str()) == INVALID_FILE_ATTRIBUTES && GetTickCount() - start <= timeout) Sleep(50);
  CloseHandle(file);
  return 0;
}

int HoldMutex(const std::wstring& name, DWORD milliseconds) {
  HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
  if (!mutex) return 1;
  Print(L"held");
  Sleep(milliseconds);
  CloseHandle(mutex);
  return 0;
}

int Ping(const std::wstring& className, DWORD timeout) {
  std::vector<HWND> windows = TopLevelWindows(className);
  if (windows.empty()) return 1;
  LARGE_INTEGER frequency;
  LARGE_INTEGER start;
  LARGE_INTEGER end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  DWORD_PTR ignored = 0;
  const LRESULT answered = SendMessageTimeoutW(windows.front(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeout, &ignored);
  QueryPerformanceCounter(&end);
  wchar_t text[32];
  std::swprintf(text, 32, L"%.1f", (end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart);
  Print(text);
  return answered ? 0 : 1;
}

// A key by name: a function key, a named key or a single letter or digit.
WORD VirtualKeyOf(const std::wstring& name) {
  struct Named {
    const wchar_t* name;
    WORD key;
  };
  static const Named kNamed[] = {{L"Return", VK_RETURN}, {L"Space", VK_SPACE}, {L"Delete", VK_DELETE},
                                 {L"Up", VK_UP},         {L"Down", VK_DOWN},   {L"Tab", VK_TAB},
                                 {L"Escape", VK_ESCAPE}, {L"Home", VK_HOME},   {L"End", VK_END},
                                 {L"Next", VK_NEXT},     {L"Prior", VK_PRIOR}, {L"BackSpace", VK_BACK}};
  for (const Named& named : kNamed) {
    if (name == named.name) return named.key;
  }
  if (name.size() >= 2 && name[0] == L'F') return static_cast<WORD>(VK_F1 + _wtoi(name.c_str() + 1) - 1);
  if (name.size() == 1) return static_cast<WORD>(LOBYTE(VkKeyScanW(name[0])));
  return 0;
}

INPUT KeyInput(WORD key, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  if (key == VK_UP || key == VK_DOWN || key == VK_DELETE || key == VK_HOME || key == VK_END || key == VK_NEXT ||
      key == VK_PRIOR) {
    input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
  }
  return input;
}

// Real key strokes, modifiers held down around them as a user holds them: a
// posted WM_KEYDOWN would leave the modifiers up.
int Keys(const std::wstring& className, int count, wchar_t** keys) {
  std::vector<HWND> windows = TopLevelWindows(className);
  if (windows.empty()) return 1;
  // Keys go to the window in front: wait until it is (at most two seconds).
  SetForegroundWindow(windows.front());
  for (const DWORD start = GetTickCount(); GetForegroundWindow() != windows.front() && GetTickCount() - start < 2000;) {
    Sleep(10);
  }
  for (int i = 0; i < count; ++i) {
    std::wstring spec = keys[i];
    std::vector<INPUT> inputs;
    if (spec.rfind(L"text:", 0) == 0) {
      for (wchar_t c : spec.substr(5)) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wScan = c;
        input.ki.dwFlags = KEYEVENTF_UNICODE;
        inputs.push_back(input);
        input.ki.dwFlags |= KEYEVENTF_KEYUP;
        inputs.push_back(input);
      }
    } else {
      std::vector<WORD> modifiers;
      for (std::size_t plus; (plus = spec.find(L'+')) != std::wstring::npos; spec.erase(0, plus + 1)) {
        const std::wstring modifier = spec.substr(0, plus);
        modifiers.push_back(modifier == L"ctrl" ? VK_CONTROL : modifier == L"alt" ? VK_MENU : VK_SHIFT);
      }
      const WORD key = VirtualKeyOf(spec);
      if (key == 0) return 2;
      for (WORD modifier : modifiers) inputs.push_back(KeyInput(modifier, false));
      inputs.push_back(KeyInput(key, false));
      inputs.push_back(KeyInput(key, true));
      for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) inputs.push_back(KeyInput(*it, true));
    }
    // Paced as a user types, not sent as one burst of events.
    for (INPUT& input : inputs) {
      SendInput(1, &input, sizeof input);
      Sleep(20);
    }
    Sleep(100);
  }
  return 0;
}

// The list view's rows, read through memory lent inside the window's process.
int Rows(const std::wstring& className, int id, int first, int last) {
  std::vector<HWND> windows = TopLevelWindows(className);
  if (windows.empty()) return 1;
  HWND list = GetDlgItem(windows.front(), id);
  if (!list) return 1;
  DWORD pid = 0;
  GetWindowThreadProcessId(list, &pid);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return 1;
  constexpr int kTextChars = 512;
  void* remote = VirtualAllocEx(process, nullptr, sizeof(LVITEMW) + kTextChars * sizeof(wchar_t), MEM_COMMIT,
                                PAGE_READWRITE);
  if (!remote) {
    CloseHandle(process);
    return 1;
  }
  auto* remoteText = reinterpret_cast<wchar_t*>(static_cast<char*>(remote) + sizeof(LVITEMW));
  const auto count = static_cast<long>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  const auto top = static_cast<long>(SendMessageW(list, LVM_GETTOPINDEX, 0, 0));
  const auto selected = static_cast<long>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  Print(L"count" + Numbers({count}) + L"\ttop" + Numbers({top}) + L"\tselected" + Numbers({selected}));
  for (int row = first; row <= last && row < count; ++row) {
    const auto state = static_cast<UINT>(SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK));
    std::wstring line = L"row" + Numbers({row, (state & LVIS_STATEIMAGEMASK) >> 12 == 2 ? 1L : 0L});
    for (int column = 0; column < 9; ++column) {
      LVITEMW item = {};
      item.iSubItem = column;
      item.pszText = remoteText;
      item.cchTextMax = kTextChars;
      WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
      const auto length = static_cast<int>(SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                                                        reinterpret_cast<LPARAM>(remote)));
      std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
      if (length > 0) ReadProcessMemory(process, remoteText, text.data(), length * sizeof(wchar_t), nullptr);
      line += L"\t" + text;
    }
    Print(line);
  }
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return 0;
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return (to.QuadPart - from.QuadPart) * 1000.0 / frequency.QuadPart;
}

// One operation on KORU's window, timed until its repaint is done: the
// repaint is forced at once rather than left to the idle queue.
int Time(const std::wstring& className, int id, const std::wstring& what, int command) {
  std::vector<HWND> windows = TopLevelWindows(className);
  if (windows.empty()) return 1;
  HWND window = windows.front();
  HWND list = GetDlgItem(window, id);
  if (!list) return 1;
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &ignored);
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  LARGE_INTEGER start;
  LARGE_INTEGER end;
  QueryPerformanceCounter(&start);
  if (what == L"command") {
    SendMessageTimeoutW(window, WM_COMMAND, MAKEWPARAM(command, 0), 0, SMTO_ABORTIFHUNG, 60000, &ignored);
  } else {
    RECT client;
    GetClientRect(list, &client);
    SendMessageTimeoutW(list, LVM_SCROLL, 0, client.bottom, SMTO_ABORTIFHUNG, 60000, &ignored);
  }
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  QueryPerformanceCounter(&end);
  wchar_t text[32];
  std::swprintf(text, 32, L"%.2f", Milliseconds(start, end));
  Print(text);
  return 0;
}

int WaitList(const std::wstring& className, int id, long count, DWORD timeout) {
  Print(L"ready");
  const DWORD start = GetTickCount();
  for (;;) {
    for (HWND window : TopLevelWindows(className)) {
      HWND list = GetDlgItem(window, id);
      if (list && IsWindowVisible(list) && SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == count) {
        Print(L"shown");
        return 0;
      }
    }
    if (GetTickCount() - start > timeout) return 1;
    Sleep(5);
  }
}

// The button drawn as the default, which Enter presses.
int DefaultId(const std::wstring& className) {
  std::vector<HWND> windows = TopLevelWindows(className);
  if (windows.empty()) return 1;
  for (HWND child : Children(windows.front())) {
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(child, GWL_STYLE));
    if (ClassOf(child) == L"Button" && IsWindowVisible(child) && (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
      Print(std::to_wstring(GetDlgCtrlID(child)));
      return 0;
    }
  }
  return 1;
}

// The id of a menu item found by its caption in a menu and its submenus.
UINT FindMenuItem(HMENU menu, const std::wstring& caption) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t text[256] = {};
    GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
    std::wstring shown = text;
    shown = shown.substr(0, shown.find(L'\t'));
    if (HMENU submenu = GetSubMenu(menu, i)) {
      if (UINT id = FindMenuItem(submenu, caption)) return id;
    } else if (shown == caption) {
      return GetMenuItemID(menu, i);
    }
  }
  return 0;
}

BOOL CALLBACK SearchMenu(HMODULE module, LPCWSTR, LPWSTR name, LONG_PTR context) {
  auto* search = reinterpret_cast<std::pair<std::wstring, UINT>*>(context);
  if (HMENU menu = LoadMenuW(module, name)) {
    search->second = FindMenuItem(menu, search->first);
    DestroyMenu(menu);
  }
  return search->second == 0;
}

// The program's menus as resources of the file, loaded as data.
int MenuId(const std::wstring& exe, const std::wstring& caption) {
  HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return 1;
  std::pair<std::wstring, UINT> search{caption, 0};
  EnumResourceNamesW(module, MAKEINTRESOURCEW(4) /* RT_MENU */, SearchMenu, reinterpret_cast<LONG_PTR>(&search));
  FreeLibrary(module);
  if (search.second == 0) return 1;
  Print(std::to_wstring(search.second));
  return 0;
}

HWND FirstWindow(const std::wstring& className) {
  std::vector<HWND> windows = TopLevelWindows(className);
  return windows.empty() ? nullptr : windows.front();
}

// A handle of the probe is garbage in KORU: the block is written into KORU's
// memory, and the drop handle is its address there.
int Drop(const std::wstring& className, int count, wchar_t** paths) {
  HWND window = FirstWindow(className);
  if (!window) return 1;
  std::vector<unsigned char> block(sizeof(DROPFILES));
  auto* header = reinterpret_cast<DROPFILES*>(block.data());
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  for (int i = 0; i < count; ++i) {
    const auto* text = reinterpret_cast<const unsigned char*>(paths[i]);
    block.insert(block.end(), text, text + (std::wcslen(paths[i]) + 1) * sizeof(wchar_t));
  }
  block.insert(block.end(), sizeof(wchar_t), 0);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return 1;
  void* remote = VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  const bool written = remote && WriteProcessMemory(process, remote, block.data(), block.size(), nullptr);
  CloseHandle(process);
  if (!written) return 1;
  return PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0) ? 0 : 1;
}

// The explorer-style dialog's file name box is control 1148 (cmb13).
int FileDialog(const std::wstring& name, DWORD timeout) {
  const DWORD start = GetTickCount();
  for (;;) {
    for (HWND dialog : TopLevelWindows(L"#32770")) {
      HWND box = GetDlgItem(dialog, 1148);
      if (!box) continue;
      SendMessageTimeoutW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()), SMTO_ABORTIFHUNG, 5000, nullptr);
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
      return 0;
    }
    if (GetTickCount() - start > timeout) return 1;
    Sleep(100);
  }
}

int Tray(const std::wstring& className, const std::wstring& action) {
  HWND window = FirstWindow(className);
  if (!window) return 1;
  if (action == L"taskbar-created") {
    return PostMessageW(window, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0) ? 0 : 1;
  }
  if (action == L"menu") {  // a right-button press on the icon
    return PostMessageW(window, RegisterWindowMessageW(L"IconNotify"), 0, WM_RBUTTONDOWN) ? 0 : 1;
  }
  NOTIFYICONDATAW data = {};
  data.cbSize = NOTIFYICONDATAW_V2_SIZE;
  data.hWnd = window;
  data.uID = 0;
  if (action == L"delete") return Shell_NotifyIconW(NIM_DELETE, &data) ? 0 : 1;
  // Modifying nothing succeeds only while the shell has the icon.
  return Shell_NotifyIconW(NIM_MODIFY, &data) ? 0 : 1;
}

int EndSession(const std::wstring& className) {
  HWND window = FirstWindow(className);
  if (!window) return 1;
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 30000, &answer);
  if (!answer) return 1;
  SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 60000, &answer);
  return 0;
}

BOOL CALLBACK FindPopupMenu(HWND window, LPARAM found) {
  if (IsWindowVisible(window) && ClassOf(window) == L"#32768") *reinterpret_cast<HWND*>(found) = window;
  return TRUE;
}

HWND ShownPopupMenu() {
  HWND found = nullptr;
  EnumWindows(FindPopupMenu, reinterpret_cast<LPARAM>(&found));
  return found;
}

int ContextMenu(const std::wstring& className, int id, DWORD timeout) {
  HWND window = FirstWindow(className);
  if (!window) return 1;
  HWND control = nullptr;
  for (HWND child : Children(window)) {
    if (GetDlgCtrlID(child) == id) control = child;
  }
  if (!control) return 1;
  RECT bounds;
  GetWindowRect(control, &bounds);
  PostMessageW(control, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), MAKELPARAM(bounds.left + 4, bounds.top + 4));
  // Timed here, from the post, so that the probe's own start-up is not in it.
  const DWORD start = GetTickCount();
  while (!ShownPopupMenu()) {
    if (GetTickCount() - start > timeout) return 1;
    Sleep(5);
  }
  const DWORD shown = GetTickCount();
  DWORD_PTR ignored = 0;
  if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeout, &ignored)) return 1;
  // Milliseconds until the menu showed, then until WM_NULL was answered.
  Print(std::to_wstring(shown - start) + L" " + std::to_wstring(GetTickCount() - shown));
  return 0;
}

int WaitMenu(DWORD timeout) {
  const DWORD start = GetTickCount();
  while (!ShownPopupMenu()) {
    if (GetTickCount() - start > timeout) return 1;
    Sleep(50);
  }
  return 0;
}

int CloseMenu() {
  HWND menu = ShownPopupMenu();
  if (!menu) return 1;
  INPUT keys[2] = {KeyInput(VK_ESCAPE, false), KeyInput(VK_ESCAPE, true)};
  for (int i = 0; i < 4 && ShownPopupMenu(); ++i) {
    SendInput(2, keys, sizeof(INPUT));
    Sleep(200);
  }
  return ShownPopupMenu() ? 1 : 0;
}

}  // namespace

// The child control ID of the first window of CLASS that has one, or null
// (a message box over a dialog has the dialog's caption too).
HWND ChildOf(const std::wstring& className, int id) {
  for (HWND window : TopLevelWindows(className)) {
    if (HWND child = GetDlgItem(window, id)) return child;
  }
  return nullptr;
}

int SetText(const std::wstring& className, int id, const std::wstring& text) {
  HWND control = ChildOf(className, id);
  if (!control) return 1;
  SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 5000, nullptr);
  return 0;
}

// Posted: a click that opens a message box must not hold the probe.
int ButtonClick(const std::wstring& className, int id) {
  HWND button = ChildOf(className, id);
  if (!button) return 1;
  PostMessageW(button, BM_CLICK, 0, 0);
  return 0;
}

int Select(const std::wstring& className, int id, int index) {
  HWND combo = ChildOf(className, id);
  if (!combo) return 1;
  SendMessageTimeoutW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0, SMTO_ABORTIFHUNG, 5000, nullptr);
  PostMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  return 0;
}

// Memory in the process of a control, for the messages that take a pointer.
class RemoteBuffer {
 public:
  RemoteBuffer(HWND control, std::size_t size) : size_(size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(control, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  }
  ~RemoteBuffer() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  explicit operator bool() const { return address_ != nullptr; }
  LPARAM Address() const { return reinterpret_cast<LPARAM>(address_); }
  void Write(const void* data) const { WriteProcessMemory(process_, address_, data, size_, nullptr); }
  void Read(void* data) const { ReadProcessMemory(process_, address_, data, size_, nullptr); }

 private:
  std::size_t size_;
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
};

// A page control takes a page change from its own mouse click only: a
// notification sent to the dialog from outside would not arrive.
int Page(const std::wstring& className, int id, int index) {
  HWND tabs = ChildOf(className, id);
  if (!tabs) return 1;
  RemoteBuffer rect(tabs, sizeof(RECT));
  if (!rect) return 1;
  SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), rect.Address());
  RECT bounds{};
  rect.Read(&bounds);
  const LPARAM point = MAKELPARAM((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
  PostMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageW(tabs, WM_LBUTTONUP, 0, point);
  // The page has been shown once the selection moved: the control tells its
  // dialog while it handles the click, before it answers another message.
  for (int tries = 0; tries < 100; ++tries) {
    if (SendMessageW(tabs, TCM_GETCURSEL, 0, 0) == index) return 0;
    Sleep(50);
  }
  return 1;
}

int Tick(const std::wstring& className, int id, int item, bool ticked) {
  HWND list = ChildOf(className, id);
  if (!list) return 1;
  RemoteBuffer remote(list, sizeof(LVITEMW));
  if (!remote) return 1;
  LVITEMW state{};
  state.stateMask = LVIS_STATEIMAGEMASK;
  state.state = INDEXTOSTATEIMAGEMASK(ticked ? 2 : 1);
  remote.Write(&state);
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item), remote.Address());
  return 0;
}

int wmain(int argc, wchar_t** argv) {
  if (argc == 2 && std::wstring(argv[1]) == L"close-menu") return CloseMenu();
  if (argc == 3 && std::wstring(argv[1]) == L"wait-menu") return WaitMenu(wcstoul(argv[2], nullptr, 10));
  if (argc < 3) return 2;
  const std::wstring verb = argv[1];
  const std::wstring className = argv[2];
  if (verb == L"list") return List(className);
  if (verb == L"wait" && argc >= 4) return Wait(className, wcstoul(argv[3], nullptr, 10), argc >= 5 ? argv[4] : L"");
  if (verb == L"wait-gone" && argc >= 4) return WaitGone(className, wcstoul(argv[3], nullptr, 10));
  if (verb == L"close" && argc >= 4) return Close(className, wcstoul(argv[3], nullptr, 10));
  if (verb == L"texts") return Texts(className);
  if (verb == L"layout") return Layout(className);
  if (verb == L"wait-enabled" && argc >= 6) {
    return WaitEnabled(className, _wtoi(argv[3]), std::wstring(argv[4]) == L"YES", wcstoul(argv[5], nullptr, 10));
  }
  if (verb == L"wait-colour" && argc >= 9) {
    const RECT area = {_wtoi(argv[3]), _wtoi(argv[4]), _wtoi(argv[3]) + _wtoi(argv[5]), _wtoi(argv[4]) + _wtoi(argv[6])};
    const unsigned long rgb = wcstoul(argv[7], nullptr, 16);
    return WaitColour(className, area, RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF), wcstoul(argv[8], nullptr, 10));
  }
  if (verb == L"command" && argc >= 4) return Command(className, _wtoi(argv[3]));
  if (verb == L"click" && argc >= 4) return Click(className, argv[3]);
  if (verb == L"press" && argc >= 4) return Press(className, _wtoi(argv[3]));
  if (verb == L"list-items" && argc >= 4) return ListItems(className, _wtoi(argv[3]));
  if (verb == L"dblclick") return DoubleClick(className);
  if (verb == L"post-close") return PostClose(className);
  if (verb == L"mouse-to" && argc >= 4) return MouseTo(_wtoi(argv[2]), _wtoi(argv[3]));
  if (verb == L"hold" && argc >= 5) return Hold(argv[2], argv[3], wcstoul(argv[4], nullptr, 10));
  if (verb == L"hold-mutex" && argc >= 4) return HoldMutex(className, wcstoul(argv[3], nullptr, 10));
  if (verb == L"ping" && argc >= 4) return Ping(className, wcstoul(argv[3], nullptr, 10));
  if (verb == L"keys" && argc >= 4) return Keys(className, argc - 3, argv + 3);
  if (verb == L"rows" && argc >= 6) return Rows(className, _wtoi(argv[3]), _wtoi(argv[4]), _wtoi(argv[5]));
  if (verb == L"time" && argc >= 5) return Time(className, _wtoi(argv[3]), argv[4], argc >= 6 ? _wtoi(argv[5]) : 0);
  if (verb == L"wait-list" && argc >= 6) {
    return WaitList(className, _wtoi(argv[3]), wcstol(argv[4], nullptr, 10), wcstoul(argv[5], nullptr, 10));
  }
  if (verb == L"default-id") return DefaultId(className);
  if (verb == L"menu-id" && argc >= 4) return MenuId(argv[2], argv[3]);
  if (verb == L"drop" && argc >= 4) return Drop(className, argc - 3, argv + 3);
  if (verb == L"file-dialog" && argc >= 4) return FileDialog(argv[2], wcstoul(argv[3], nullptr, 10));
  if (verb == L"tray" && argc >= 4) return Tray(className, argv[3]);
  if (verb == L"end-session") return EndSession(className);
  if (verb == L"context-menu" && argc >= 5) return ContextMenu(className, _wtoi(argv[3]), wcstoul(argv[4], nullptr, 10));
  if (verb == L"set-text" && argc >= 5) return SetText(className, _wtoi(argv[3]), argv[4]);
  if (verb == L"bm-click" && argc >= 4) return ButtonClick(className, _wtoi(argv[3]));
  if (verb == L"select" && argc >= 5) return Select(className, _wtoi(argv[3]), _wtoi(argv[4]));
  if (verb == L"page" && argc >= 5) return Page(className, _wtoi(argv[3]), _wtoi(argv[4]));
  if (verb == L"tick" && argc >= 6) return Tick(className, _wtoi(argv[3]), _wtoi(argv[4]), _wtoi(argv[5]) != 0);
  return 2;
}
