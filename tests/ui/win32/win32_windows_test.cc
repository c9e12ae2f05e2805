// The native windows' wiring: clicks at the hot spots, keys and WM_DROPFILES
// blocks reach the window rules and the session, and their effects show in
// the settings, the settings file and the pages. The rules themselves are
// tested without any window in tests/ui/rules.
#include "platform/windows_include.h"

#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "files/session.h"
#include "platform/wide_text_windows.h"
#include "settings/default_lists.h"
#include "tests/support/folder_env.h"
#include "tests/support/temp_folder.h"
#include "ui/rules/notice_texts.h"
#include "ui/win32/art.h"
#include "ui/win32/form1.h"
#include "ui/win32/set_frm.h"
#include "ui/win32/window_services.h"

namespace quarnel {
namespace {

using testing_support::FolderEnv;
using testing_support::TempFolder;

// A left click at a point given in the window's 96-dpi pixels.
void ClickAt(HWND window, int x, int y) {
  const UINT dpi = WindowDpi(window);
  const LPARAM at = MAKELPARAM(Scaled(x, dpi), Scaled(y, dpi));
  ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageW(window, WM_LBUTTONUP, 0, at);
}

// A key pressed and released, posted as the keyboard would post it.
void PostKey(HWND window, WPARAM key) {
  ::PostMessageW(window, WM_KEYDOWN, key, 1);
  ::PostMessageW(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

// Whether the keyboard focus is on `window` or one of its controls. Wine
// gives a window its first focus a moment after it shows, later still on a
// loaded machine.
bool HasFocus(HWND window) {
  const HWND focus = ::GetFocus();
  return focus != nullptr && (focus == window || ::IsChild(window, focus));
}

// The middle of a hot area of the main window.
POINT HotArea(int index) {
  const Rect& r = kForm1HotAreas[index].rect;
  return POINT{r.left + r.width / 2, r.top + r.height / 2};
}

// Runs `step` from the message loop of whatever modal window is open, every
// 20 ms, until it returns true.
class WhileModal {
 public:
  explicit WhileModal(std::function<bool()> step) {
    current_ = std::move(step);
    timer_ = ::SetTimer(nullptr, 0, 20, &WhileModal::OnTimer);
  }
  ~WhileModal() {
    ::KillTimer(nullptr, timer_);
    current_ = nullptr;
  }

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (current_ && current_()) current_ = nullptr;
  }
  static inline std::function<bool()> current_;
  UINT_PTR timer_ = 0;
};

// Tells whether a window heard that its program lost the activation
// (WM_ACTIVATEAPP with FALSE) while it was watched.
class ActivationWatch {
 public:
  explicit ActivationWatch(HWND window) : window_(window) {
    ::SetWindowSubclass(window_, &ActivationWatch::Procedure, 1, reinterpret_cast<DWORD_PTR>(this));
  }
  ~ActivationWatch() { ::RemoveWindowSubclass(window_, &ActivationWatch::Procedure, 1); }
  bool lost() const { return lost_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                    UINT_PTR, DWORD_PTR self) {
    if (message == WM_ACTIVATEAPP && wparam == FALSE)
      reinterpret_cast<ActivationWatch*>(self)->lost_ = true;
    return ::DefSubclassProc(window, message, wparam, lparam);
  }
  HWND window_;
  bool lost_ = false;
};

std::string SettingsFileLine(const TempFolder& program, int index) {
  const std::string text = TempFolder::Read(program / "Quarnel.ini");
  size_t start = 0;
  for (int line = 0; line < index; ++line) start = text.find("\r\n", start) + 2;
  return text.substr(start, text.find("\r\n", start) - start);
}

class Win32WindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    env_ = std::make_unique<FolderEnv>(program_.path());
  }
  void TearDown() override {
    form_.reset();
    session_.reset();
    ::CoUninitialize();
  }

  // The interactive run's start: settings read, main window created,
  // loaded and shown; the settings file is written when it closes.
  void Start() {
    session_ = std::make_unique<Session>(*env_, settings_);
    form_ = std::make_unique<Form1>(*session_, [this](HWND, const std::string& summary,
                                                      const std::vector<std::string>& details) {
      told_.push_back(summary);
      told_.insert(told_.end(), details.begin(), details.end());
    });
    ASSERT_TRUE(form_->Create());
    ASSERT_TRUE(form_->run().Start().ok());
    env_->reads.clear();
  }

  HWND window() const { return form_->hwnd(); }

  TempFolder program_;
  std::unique_ptr<FolderEnv> env_;
  Settings settings_;
  std::unique_ptr<Session> session_;
  std::unique_ptr<Form1> form_;
  std::vector<std::string> told_;
};

TEST_F(Win32WindowsTest, MainWindowPinsAndUnpinsAndClosesThroughTheTaskbarMenu) {
  Start();
  wchar_t class_name[16] = {};
  ::GetClassNameW(window(), class_name, 16);
  EXPECT_STREQ(class_name, L"Form1");
  wchar_t caption[16] = {};
  ::GetWindowTextW(window(), caption, 16);
  EXPECT_STREQ(caption, L"Quarnel 2");
  EXPECT_EQ(static_cast<DWORD>(::GetWindowLongPtrW(window(), GWL_STYLE)) &
                (WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_CAPTION | WS_THICKFRAME),
            static_cast<DWORD>(WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX));
  RECT client;
  ::GetClientRect(window(), &client);
  EXPECT_EQ(client.right, Scaled(300, WindowDpi(window())));
  EXPECT_EQ(client.bottom, Scaled(150, WindowDpi(window())));
  EXPECT_TRUE(form_->PinShown());
  EXPECT_TRUE(IsTopmost(window()));

  // Picture1 itself, then hot area 5 beside it.
  const HWND picture1 = form_->picture1().hwnd();
  ::SendMessageW(picture1, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ::SendMessageW(picture1, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_FALSE(form_->PinShown());
  EXPECT_FALSE(IsTopmost(window()));
  ClickAt(window(), 225, 16);
  EXPECT_TRUE(form_->PinShown());
  EXPECT_TRUE(IsTopmost(window()));
  ClickAt(window(), 225, 16);
  ASSERT_FALSE(form_->PinShown());

  // The pointer follows the hot areas.
  ::SendMessageW(window(), WM_MOUSEMOVE, 0, MAKELPARAM(HotArea(4).x, HotArea(4).y));
  ASSERT_NE(LinkPointer(), nullptr);  // the picture was decoded from the resources
  EXPECT_EQ(::GetCursor(), LinkPointer());
  ::SendMessageW(window(), WM_MOUSEMOVE, 0, MAKELPARAM(150, 75));
  EXPECT_NE(::GetCursor(), LinkPointer());

  // Close from the taskbar button's menu: through MainWindowProc to the
  // system, back as WM_CLOSE, and the unload step writes TopmostOff.
  ::SendMessageW(window(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(form_->run().unloaded());
  EXPECT_EQ(form_->hwnd(), nullptr);
  EXPECT_EQ(SettingsFileLine(program_, 3), " 1 ");
}

TEST_F(Win32WindowsTest, DroppedFilesAndFoldersAreCompactedInOrderAndFailuresTold) {
  Start();
  TempFolder site;
  const std::string page =
      "<html>  \r\n<HEAD>\r\n\r\n<title>t</title>\t\r\n</head>\r\n<body>\r\n</body>\r\n</html>\r\n";
  const std::string compacted =
      "<html>\r\n<HEAD>\r\n<title>t</title>\r\n</head>\r\n<body>\r\n</body>\r\n</html>\r\n";
  const std::string first = site.Write("日本語.htm", page);
  const std::string inner = site.Write("フォルダ 一/한국어.html", page);
  const std::string missing = site / "ない.htm";
  const std::string last = site.Write("b.html", page);

  // The block Explorer hands over: DROPFILES, then the wide names, each
  // ended by a NUL, and one more NUL.
  std::wstring names;
  for (const std::string& path : {first, site / "フォルダ 一", missing, last})
    names += WideFromUtf8(path) + L'\0';
  names += L'\0';
  const HGLOBAL block = ::GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
  ASSERT_NE(block, nullptr);
  auto* files = static_cast<DROPFILES*>(::GlobalLock(block));
  files->pFiles = sizeof(DROPFILES);
  files->fWide = TRUE;
  std::memcpy(reinterpret_cast<char*>(files) + sizeof(DROPFILES), names.data(),
              names.size() * sizeof(wchar_t));
  ::GlobalUnlock(block);
  ::SendMessageW(window(), WM_DROPFILES, reinterpret_cast<WPARAM>(block),
                 0);  // the window frees it

  EXPECT_EQ(TempFolder::Read(first), compacted);
  EXPECT_EQ(TempFolder::Read(inner), compacted);
  EXPECT_EQ(TempFolder::Read(last), compacted);
  std::vector<std::string> reads = env_->reads;
  std::sort(reads.begin(), reads.end());
  std::vector<std::string> pages = {first, inner, last};
  std::sort(pages.begin(), pages.end());
  EXPECT_EQ(reads, pages) << "each page read once";
  ASSERT_EQ(told_.size(), 2u);
  EXPECT_EQ(told_[0], DropProblemsSummary(1));
  EXPECT_NE(told_[1].find(missing), std::string::npos) << told_[1];
  EXPECT_FALSE(form_->DropCountVisible());
}

TEST_F(Win32WindowsTest, SettingsWindowEditsWithKeysAndSavesIntoTheSettings) {
  Start();
  const std::string tag = "<meta name=\"robots\" content=\"noindex\">";
  bool modal = false;
  bool tab_order = false;
  int step = 0;
  WhileModal driver([&] {
    const HWND settings = ::FindWindowW(L"SetFrm", nullptr);
    if (settings == nullptr) return false;
    const HWND list_tags = ::GetDlgItem(settings, SetFrmControlId("List1", 1));
    const HWND entry_head = ::GetDlgItem(settings, SetFrmControlId("Text1", 2));
    switch (step++) {
      case 0:
        if (!HasFocus(settings)) {
          step = 0;  // until the first focus is on List1(0)
          return false;
        }
        modal = !::IsWindowEnabled(window()) && ::GetWindow(settings, GW_OWNER) == window();
        PostKey(settings, VK_TAB);  // List1(0) -> Text1(0)
        PostKey(settings, VK_TAB);  // -> List1(1), once both are handled
        return false;
      case 1:
        tab_order = ::GetFocus() == list_tags;
        ClickAt(settings, 40, 104);  // 「サイズ優先」
        ClickAt(settings, 60, 296);  // head insertion on
        ::SetWindowTextW(entry_head, WideFromUtf8(tag).c_str());
        PostKey(entry_head, VK_RETURN);
        ::SendMessageW(list_tags, LB_SETCURSEL, 0, 0);
        PostKey(list_tags, VK_DELETE);
        return false;
      default:
        ClickAt(settings, 60, 416);  // 「変更して閉じる」
        return true;
    }
  });
  ClickAt(window(), HotArea(0).x, HotArea(0).y);  // returns when the window has closed

  EXPECT_TRUE(modal);
  EXPECT_TRUE(tab_order);
  EXPECT_TRUE(::IsWindowEnabled(window()));
  EXPECT_EQ(settings_.CompactMode, 1);
  EXPECT_EQ(settings_.InsertHeadLines, 1);
  EXPECT_EQ(settings_.HeadLines, ItemList({tag}));
  ItemList tags = DefaultJoinTags();
  tags.erase(tags.begin());
  EXPECT_EQ(settings_.JoinTags, tags);
}

TEST_F(Win32WindowsTest, AboutWindowFollowsThePinAndClosesFromItsCross) {
  Start();
  bool topmost = false;
  WhileModal driver([&] {
    const HWND about = ::FindWindowW(L"VerFrm", nullptr);
    if (about == nullptr) return false;
    topmost = IsTopmost(about);
    ClickAt(about, 288, 12);  // the cross, Image1 (2)
    return true;
  });
  ClickAt(window(), HotArea(1).x, HotArea(1).y);
  EXPECT_TRUE(topmost);
  EXPECT_EQ(::FindWindowW(L"VerFrm", nullptr), nullptr);
}

TEST_F(Win32WindowsTest, TheMainWindowIsActiveAgainWhenAModalWindowCloses) {
  Start();
  ASSERT_EQ(::GetActiveWindow(), window());
  // The about window from its cross, then the settings window from its
  // cross and from Escape: each time the main window takes the activation
  // back, and the program never loses it to another.
  struct Closing {
    int hot_area;
    const wchar_t* window_class;
    std::function<void(HWND)> close;
  };
  const Closing closings[] = {
      {1, L"VerFrm", [](HWND about) { ClickAt(about, 288, 12); }},
      {0, L"SetFrm", [](HWND settings) { ClickAt(settings, 288, 8); }},
      {0, L"SetFrm", [](HWND settings) { PostKey(settings, VK_ESCAPE); }},
  };
  for (const Closing& closing : closings) {
    const ActivationWatch watch(window());
    bool opened = false;
    WhileModal driver([&] {
      const HWND modal = ::FindWindowW(closing.window_class, nullptr);
      if (modal == nullptr || !::IsWindowVisible(modal)) return false;
      opened = ::GetActiveWindow() == modal;
      closing.close(modal);
      return true;
    });
    ClickAt(window(), HotArea(closing.hot_area).x, HotArea(closing.hot_area).y);
    EXPECT_TRUE(opened) << closing.window_class;
    EXPECT_EQ(::FindWindowW(closing.window_class, nullptr), nullptr) << closing.window_class;
    EXPECT_TRUE(::IsWindowEnabled(window())) << closing.window_class;
    EXPECT_EQ(::GetActiveWindow(), window()) << closing.window_class;
    EXPECT_EQ(::GetForegroundWindow(), window()) << closing.window_class;
    EXPECT_FALSE(watch.lost()) << closing.window_class;
  }
}

}  // namespace
}  // namespace quarnel
