#ifndef QUARNEL_FILES_HEADLESS_MAIN_WINDOW_H_
#define QUARNEL_FILES_HEADLESS_MAIN_WINDOW_H_

#include "files/main_window.h"
#include "settings/default_list_source.h"

namespace quarnel {

// The main window of a batch run, which never shows one: the pin state is
// plain state, the window services do nothing, and the default lists are
// the built-in ones.
class HeadlessMainWindow final : public MainWindow {
 public:
  bool PinShown() const override { return pinShown_; }
  void SetPinShown(bool shown) override { pinShown_ = shown; }
  void SetTopmost(bool) override {}
  void SetWindowStyle(std::uint32_t) override {}
  void HookMainWindow() override {}
  void UnhookMainWindow() override {}
  void Show() override {}
  DefaultListSource& DefaultLists() override { return defaults_; }

 private:
  bool pinShown_ = true;  // the indicator is shown until the load step hides it
  BuiltInDefaultLists defaults_;
};

}  // namespace quarnel

#endif  // QUARNEL_FILES_HEADLESS_MAIN_WINDOW_H_
