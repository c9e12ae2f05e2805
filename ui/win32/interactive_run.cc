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
#include "platform/status.h"
#include "settings/settings.h"
#include "ui/rules/notice_texts.h"
#include "ui/win32/form1.h"
#include "ui/win32/window_services.h"

namespace quarnel {

int RunInteractive(int, char**) {
  const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  Session session(*Env::Default(), TheSettings());
  int status = 0;
  {
    Form1 window(session);
    if (!window.Create()) {
      // Said in a box too: a double-clicked program has no standard error.
      const std::string why =
          "cannot open a window (error " + std::to_string(::GetLastError()) + ")";
      std::fprintf(stderr, "quarnel: %s\n", why.c_str());
      ShowProblems(nullptr, why, {});
      status = 1;
    } else {
      (void)window.run().Start();  // what it had to say is told on the window and on standard error
      // Until the window has been unloaded and destroyed.
      MSG message;
      while (window.hwnd() != nullptr && ::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
      }
      const Status& saved = window.run().unload_status();
      if (!saved.ok()) ShowProblems(nullptr, SettingsNotSavedSummary(), {ProblemLine(saved)});
    }
  }
  if (SUCCEEDED(com)) ::CoUninitialize();
  return status;
}

}  // namespace quarnel
