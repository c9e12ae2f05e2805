#include "ui/win32/window_services.h"

#include <shellapi.h>

#include <string>

#include "base/product.h"
#include "platform/companion_file.h"
#include "platform/wide_text_windows.h"
#include "ui/rules/about_window_rules.h"
#include "ui/rules/notice_texts.h"
#include "ui/win32/art.h"

namespace quarnel {
namespace {

// The hooked window and its previous procedure, from HookMainWindow to
// UnhookMainWindow; null when no hook is installed.
HWND g_hooked_window = nullptr;
WNDPROC g_previous_procedure = nullptr;

std::wstring Wide(std::string_view text) { return WideFromUtf8(text); }

// "\n" as the message box breaks lines: "\r\n".
std::wstring BoxText(std::string_view text) {
  std::wstring wide;
  for (const wchar_t c : Wide(text)) {
    if (c == L'\r') continue;
    if (c == L'\n') wide += L'\r';
    wide += c;
  }
  return wide;
}

}  // namespace

void SetTopmost(HWND window, bool on) {
  ::SetWindowPos(window, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

bool IsTopmost(HWND window) {
  return (::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

void StartCaptionDrag(HWND window) {
  ::ReleaseCapture();
  ::SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_SYSCOMMAND) {
    // The previous procedure never sees a system command; a close command
    // comes back as an ordinary WM_CLOSE, which unloads the window.
    ::DefWindowProcW(window, WM_SYSCOMMAND, wparam, lparam);
    return 0;
  }
  return ::CallWindowProcW(g_previous_procedure, window, message, wparam, lparam);
}

void HookMainWindow(HWND main_window) {
  g_hooked_window = main_window;
  g_previous_procedure = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(main_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MainWindowProc)));
}

void UnhookMainWindow() {
  if (g_hooked_window != nullptr && g_previous_procedure != nullptr) {
    ::SetWindowLongPtrW(g_hooked_window, GWLP_WNDPROC,
                        reinterpret_cast<LONG_PTR>(g_previous_procedure));
  }
  g_hooked_window = nullptr;
  g_previous_procedure = nullptr;
}

void ShellOpen(HWND owner, std::string_view target) {
  ::ShellExecuteW(owner, L"open", Wide(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void OpenReadme(Env& env, HWND owner) {
  const std::string folder = env.ProgramFolder();
  const std::string path = LocateCompanionFile(env, folder, InstalledDataFolder(), kManualName);
  ::ShellExecuteW(owner, L"open", SystemPath(path).c_str(), L"", Wide(folder).c_str(),
                  SW_SHOWNOACTIVATE);
}

void ShowPointer(Pointer pointer) {
  HCURSOR cursor = pointer == Pointer::kLink ? LinkPointer() : nullptr;
  if (cursor == nullptr) cursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  ::SetCursor(cursor);
}

void ShowInformation(HWND owner, std::string_view text) {
  ::MessageBoxW(owner, BoxText(text).c_str(), Wide(kMessageTitle).c_str(),
                MB_OK | MB_ICONINFORMATION);
}

void ShowProblems(HWND owner, const std::string& summary, const std::vector<std::string>& details) {
  std::string text = summary;
  if (!details.empty()) text += "\n";
  for (const std::string& line : ShownProblemLines(details)) text += "\n" + line;
  ::MessageBoxW(owner, BoxText(text).c_str(), Wide(kProductName).c_str(), MB_OK | MB_ICONWARNING);
}

UINT WindowDpi(HWND window) {
  const UINT dpi = window != nullptr ? ::GetDpiForWindow(window) : 0;
  return dpi != 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

int Scaled(int length, UINT dpi) {
  return ::MulDiv(length, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
}

RECT ScaledRect(const Rect& rect, UINT dpi) {
  return RECT{Scaled(rect.left, dpi), Scaled(rect.top, dpi), Scaled(rect.right(), dpi),
              Scaled(rect.bottom(), dpi)};
}

POINT RulePoint(LPARAM point, UINT dpi) {
  const int scale = static_cast<int>(dpi);
  return POINT{::MulDiv(static_cast<short>(LOWORD(point)), USER_DEFAULT_SCREEN_DPI, scale),
               ::MulDiv(static_cast<short>(HIWORD(point)), USER_DEFAULT_SCREEN_DPI, scale)};
}

void PlaceCentred(HWND window, HWND owner, Size size) {
  const UINT dpi = WindowDpi(window);
  const int width = Scaled(size.width, dpi);
  const int height = Scaled(size.height, dpi);
  RECT area;
  if (owner != nullptr && ::IsWindowVisible(owner) && !::IsIconic(owner)) {
    ::GetWindowRect(owner, &area);
  } else {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    area = monitor.rcWork;
  }
  ::SetWindowPos(window, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

HFONT MakeUiFont(int pixels, bool bold) {
  // The first of these faces that is installed: Windows has the first two,
  // a Linux desktop under Wine the last.
  static const std::wstring face = [] {
    const wchar_t* const faces[] = {L"Yu Gothic UI", L"Meiryo UI", L"MS UI Gothic",
                                    L"Noto Sans CJK JP"};
    HDC dc = ::GetDC(nullptr);
    std::wstring chosen = L"MS Shell Dlg 2";
    for (const wchar_t* candidate : faces) {
      LOGFONTW wanted{};
      wanted.lfCharSet = DEFAULT_CHARSET;
      wcsncpy(wanted.lfFaceName, candidate, LF_FACESIZE - 1);
      bool found = false;
      ::EnumFontFamiliesExW(
          dc, &wanted,
          [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found_flag) -> int {
            *reinterpret_cast<bool*>(found_flag) = true;
            return 0;
          },
          reinterpret_cast<LPARAM>(&found), 0);
      if (found) {
        chosen = candidate;
        break;
      }
    }
    ::ReleaseDC(nullptr, dc);
    return chosen;
  }();
  return ::CreateFontW(-pixels, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                       DEFAULT_PITCH, face.c_str());
}

}  // namespace quarnel
