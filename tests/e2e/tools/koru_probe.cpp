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
//
// Output is UTF-8; the exit code is 0 on success, 1 on a time-out or when
// nothing was found.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <initializer_list>
#include <string>
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
  if (IsWindowVisible(window) && ClassOf(window) == search->className) search->found.push_back(window);
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
    Print(ClassOf(child) + L"\t" + TextOf(child) +
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

}  // namespace

int wmain(int argc, wchar_t** argv) {
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
  if (verb == L"hold" && argc >= 5) return Hold(argv[2], argv[3], wcstoul(argv[4], nullptr, 10));
  if (verb == L"hold-mutex" && argc >= 4) return HoldMutex(className, wcstoul(argv[3], nullptr, 10));
  if (verb == L"ping" && argc >= 4) return Ping(className, wcstoul(argv[3], nullptr, 10));
  return 2;
}
