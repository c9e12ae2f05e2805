// The interactive run on Windows: quarnel.exe started without arguments
// (double-clicked) shows the main window and takes drops until it is
// closed. The native windows are linked into the program itself: there is
// no toolkit whose load a batch run would have to be spared.
#include <objbase.h>

#include <cstdio>
#include <string>

#include "app/interactive.h"
#include "files/session.h"
#include "platform/env.h"
#include "settings/settings.h"
#include "ui/rules/notice_texts.h"
#include "ui/win32/form1.h"
#include "ui/win32/window_services.h"

namespace quarnel {
namespace {

void Warn(const Status& status) {
  if (!status.ok()) std::fprintf(stderr, "quarnel: warning: %s\n", status.ToString().c_str());
}

}  // namespace

int RunInteractive(int, char**) {
  const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  Session session(*Env::Default(), TheSettings());
  const Status loaded = session.Start();
  Warn(loaded);
  int status = 0;
  {
    Form1 window(session);
    Status unload_status;
    window.SetUnloadStep([&] {
      unload_status = session.End(window.PinShown());
      ::PostQuitMessage(0);
    });
    if (!window.Create()) {
      // Said in a box too: a double-clicked program has no standard error.
      const std::string why =
          "cannot open a window (error " + std::to_string(::GetLastError()) + ")";
      std::fprintf(stderr, "quarnel: %s\n", why.c_str());
      ShowProblems(nullptr, why, {});
      status = 1;
    } else {
      window.Load();
      window.Show();
      if (!loaded.ok())
        ShowProblems(window.hwnd(), SettingsNotReadSummary(), {ProblemLine(loaded)});
      MSG message;
      while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
      }
      Warn(unload_status);
      if (!unload_status.ok()) {
        ShowProblems(nullptr, SettingsNotSavedSummary(), {ProblemLine(unload_status)});
      }
    }
  }
  if (SUCCEEDED(com)) ::CoUninitialize();
  return status;
}

}  // namespace quarnel
