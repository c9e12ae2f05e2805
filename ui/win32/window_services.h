#ifndef QUARNEL_UI_WIN32_WINDOW_SERVICES_H_
#define QUARNEL_UI_WIN32_WINDOW_SERVICES_H_

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/env.h"
#include "platform/windows_include.h"
#include "ui/rules/geometry.h"

namespace quarnel {

// The window services of the native windows: thin layers over Win32 calls.

// Pins the window above all ordinary windows (on) or returns it to the
// normal band (off): SetWindowPos with HWND_TOPMOST or HWND_NOTOPMOST,
// position and size kept.
void SetTopmost(HWND window, bool on);
bool IsTopmost(HWND window);

// Starts the system's move of a captionless window, as a press on a caption
// bar would: ReleaseCapture, then WM_NCLBUTTONDOWN with HTCAPTION. Returns
// when the user lets go of the button.
void StartCaptionDrag(HWND window);

// Module SubClass: MainWindowProc replaces the main window's procedure and
// hands every system command (minimize, restore, move and close from the
// taskbar button's menu, and the move of StartCaptionDrag) to
// DefWindowProcW; every other message goes to the previous procedure.
// REQUIRES: no hook installed.
void HookMainWindow(HWND main_window);
// Puts the previous procedure back. Harmless when no hook is installed.
void UnhookMainWindow();
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// The shell's "open" of a document or an address (a web page, a "mailto:"
// text); the result is not examined.
void ShellOpen(HWND owner, std::string_view target);

// Opens "readme.htm" (beside the program, else the installed one) with
// ShellExecuteW: operation "open", the program's folder as working folder,
// SW_SHOWNOACTIVATE. Failures are not reported.
void OpenReadme(Env& env, HWND owner);

// LinkPointer over hot spots, the arrow elsewhere.
void ShowPointer(Pointer pointer);

// A modal information box titled "Quarnel" with an OK button.
void ShowInformation(HWND owner, std::string_view text);

// A modal warning box titled "Quarnel": the summary, then the details
// (at most ui/rules/notice_texts.h's kShownProblems of them).
void ShowProblems(HWND owner, const std::string& summary, const std::vector<std::string>& details);

// How a window tells what could not be done: ShowProblems in the program,
// a recorder in tests.
using NoticeTeller = std::function<void(HWND owner, const std::string& summary,
                                        const std::vector<std::string>& details)>;

// The window's dots per inch (96 when the system cannot say), and a length
// in 96-dpi pixels scaled to it.
UINT WindowDpi(HWND window);
int Scaled(int length, UINT dpi);
// The rectangle in device pixels.
RECT ScaledRect(const Rect& rect, UINT dpi);
// A mouse message's client point (device pixels) in 96-dpi pixels, as the
// window rules' rectangles are.
POINT RulePoint(LPARAM point, UINT dpi);

// Gives a window its size, `size` in 96-dpi pixels scaled to its dots per
// inch, in the middle of `owner` when that is shown, else of the work area
// of its screen.
void PlaceCentred(HWND window, HWND owner, Size size);

// A font of the Japanese user-interface faces the system has, `pixels` high
// (device pixels), bold or not. The caller owns it.
HFONT MakeUiFont(int pixels, bool bold);

}  // namespace quarnel

#endif  // QUARNEL_UI_WIN32_WINDOW_SERVICES_H_
