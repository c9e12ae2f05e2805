// Renders the native windows to PNG files for review, as the Qt face's
// screenshots do: the main window pinned, unpinned and during a long drop,
// the settings window in both modes with head insertion off and on, and the
// about window. Each window draws itself into a bitmap (PrintWindow).
#include <objbase.h>
#include <wincodec.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "files/session.h"
#include "platform/wide_text_windows.h"
#include "settings/settings.h"
#include "tests/support/sample_settings.h"
#include "tests/support/slow_reads.h"
#include "ui/win32/form1.h"
#include "ui/win32/set_frm.h"
#include "ui/win32/ver_frm.h"

namespace quarnel {
namespace {

template <typename T>
void Release(T*& object) {
  if (object != nullptr) object->Release();
  object = nullptr;
}

// Lets the windows handle what is waiting for them (painting, placing).
void Settle() {
  for (int round = 0; round < 10; ++round) {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    ::Sleep(20);
  }
}

bool WritePng(const std::wstring& path, int width, int height, const void* bgrx) {
  IWICImagingFactory* factory = nullptr;
  IWICBitmap* bitmap = nullptr;
  IWICStream* stream = nullptr;
  IWICBitmapEncoder* encoder = nullptr;
  IWICBitmapFrameEncode* frame = nullptr;
  const UINT stride = static_cast<UINT>(width) * 4;
  bool ok =
      SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))) &&
      SUCCEEDED(factory->CreateBitmapFromMemory(
          static_cast<UINT>(width), static_cast<UINT>(height), GUID_WICPixelFormat32bppBGR, stride,
          stride * static_cast<UINT>(height), static_cast<BYTE*>(const_cast<void*>(bgrx)),
          &bitmap)) &&
      SUCCEEDED(factory->CreateStream(&stream)) &&
      SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) &&
      SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
      SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
      SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) &&
      SUCCEEDED(frame->Initialize(nullptr)) && SUCCEEDED(frame->WriteSource(bitmap, nullptr)) &&
      SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
  Release(frame);
  Release(encoder);
  Release(stream);
  Release(bitmap);
  Release(factory);
  return ok;
}

// The window as it draws itself, children included, saved as NAME.png.
bool Save(HWND window, const std::string& folder, const std::string& name) {
  RECT bounds;
  ::GetWindowRect(window, &bounds);
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = ::GetDC(nullptr);
  HDC dc = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ::ReleaseDC(nullptr, screen);
  const HGDIOBJ previous = ::SelectObject(dc, bitmap);
  ::UpdateWindow(window);
  bool printed = ::PrintWindow(window, dc, 0) != FALSE;
  // The controls in their places too: not every system's PrintWindow draws
  // the children (Wine's does not).
  struct Print {
    HWND window;
    HDC dc;
    bool* printed;
  } print{window, dc, &printed};
  ::EnumChildWindows(
      window,
      [](HWND child, LPARAM data) -> BOOL {
        const auto* p = reinterpret_cast<const Print*>(data);
        if (!::IsWindowVisible(child) || ::GetParent(child) != p->window) return TRUE;
        RECT place;
        ::GetWindowRect(child, &place);
        const int child_width = place.right - place.left;
        const int child_height = place.bottom - place.top;
        ::MapWindowPoints(nullptr, p->window, reinterpret_cast<POINT*>(&place), 2);
        // A control as it shows on the screen, frame and scroll bar included
        // (Wine's PrintWindow draws neither).
        ::RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
        HDC own = ::GetWindowDC(child);
        *p->printed &= ::BitBlt(p->dc, place.left, place.top, child_width, child_height, own, 0, 0,
                                SRCCOPY) != FALSE;
        ::ReleaseDC(child, own);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&print));
  ::GdiFlush();
  const std::string path = folder + "\\" + name + ".png";
  const bool ok = printed && WritePng(WideFromUtf8(path), width, height, bits);
  ::SelectObject(dc, previous);
  ::DeleteObject(bitmap);
  ::DeleteDC(dc);
  if (!ok) {
    std::fprintf(stderr, "quarnel_win32_screenshots: cannot write %s\n", path.c_str());
    return false;
  }
  std::printf("%s\n", path.c_str());
  return true;
}

bool SettingsWindow(Settings& settings, Form1& main_window, const std::string& folder, int mode,
                    int head) {
  settings.CompactMode = mode;
  settings.InsertHeadLines = head;
  settings.WriteSignature = mode;
  SetFrm window(*Env::Default(), settings, main_window);
  if (!window.Create(main_window.hwnd())) return false;
  ::ShowWindow(window.hwnd(), SW_SHOWNOACTIVATE);
  Settle();
  return Save(window.hwnd(), folder, testing_support::SettingsWindowShotName(mode, head));
}

// A drop long enough for the count of files done to appear on the face: the
// last page's read is held until the count shows, and the face is taken
// then. That read runs on a file job's thread, which takes the picture with
// COM of its own; the window draws itself on its own thread when asked, as
// the drop looks at its queue while it waits.
bool DropInProgress(Settings& settings, const std::string& folder) {
  const std::filesystem::path site =
      std::filesystem::temp_directory_path() / "quarnel-screenshots-site";
  std::filesystem::create_directories(site);
  std::vector<std::string> paths;
  for (int i = 0; i < 5; ++i) {
    const std::filesystem::path page = site / ("page" + std::to_string(i) + ".html");
    std::ofstream(page, std::ios::binary) << "<html>\r\n<head>  \r\n</head>\r\n</html>\r\n";
    const std::u8string name = page.u8string();
    paths.emplace_back(name.begin(), name.end());
  }
  bool ok = false;
  Form1* shown = nullptr;
  testing_support::SlowReads slow(*Env::Default(), paths.back(), [&] {
    ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    ok = Save(shown->hwnd(), folder, "form1_drop_in_progress");
    ::CoUninitialize();
  });
  Session session(slow, settings);
  Form1 form(session, nullptr);
  shown = &form;
  if (!form.Create()) return false;
  form.Show();
  Settle();
  slow.DropStarts();
  form.ProcessDrop(paths);
  std::error_code ignored;
  std::filesystem::remove_all(site, ignored);
  return ok;
}

int Run(const std::string& folder) {
  Settings settings = testing_support::SampleSettings();
  Session session(*Env::Default(), settings);
  Form1 form(session, nullptr);
  if (!form.Create()) return 1;
  form.Show();
  Settle();
  bool ok = Save(form.hwnd(), folder, "form1_pinned");
  form.SetPinShown(false);
  Settle();
  ok &= Save(form.hwnd(), folder, "form1_unpinned");
  form.SetPinShown(true);
  ok &= DropInProgress(settings, folder);
  for (int mode : {0, 1}) {
    for (int head : {0, 1}) ok &= SettingsWindow(settings, form, folder, mode, head);
  }
  {
    VerFrm about(form);
    ok &= about.Create(form.hwnd());
    ::ShowWindow(about.hwnd(), SW_SHOWNOACTIVATE);
    Settle();
    ok &= Save(about.hwnd(), folder, "verfrm");
  }
  return ok ? 0 : 1;
}

}  // namespace
}  // namespace quarnel

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: quarnel_win32_screenshots OUTPUT_FOLDER\n");
    return 2;
  }
  // Aware of each monitor's scale, as quarnel.exe's manifest makes it.
  ::SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  std::error_code error;
  std::filesystem::create_directories(argv[1], error);
  ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const int status = quarnel::Run(argv[1]);
  ::CoUninitialize();
  return status;
}
