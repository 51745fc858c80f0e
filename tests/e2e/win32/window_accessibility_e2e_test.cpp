// tx3_setup.exe as a keyboard user meets it: the keyboard alone creates a folder (Tab from the
// radio's name to the "Créer" of the second row, then Space), keys sent as the keyboard sends them.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/frm_main.h"
#include "common/run_context.h"
#include "platform/win32/wide_text.h"
#include "windows_program.h"

namespace tx3::e2e {
namespace {

std::wstring TextOf(HWND control) {
  // GetWindowTextW does not ask a control of another process: WM_GETTEXT does.
  wchar_t text[512] = {};
  ::SendMessageW(control, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
  return text;
}

struct Search {
  std::wstring className, text;
  HWND found = nullptr;
};

HWND FindChild(HWND window, const wchar_t* className, const std::wstring& text) {
  Search search{className, text};
  ::EnumChildWindows(
      window,
      [](HWND child, LPARAM data) {
        auto* s = reinterpret_cast<Search*>(data);
        wchar_t name[32] = {};
        ::GetClassNameW(child, name, 32);
        if (::lstrcmpiW(name, s->className.c_str()) != 0 || TextOf(child) != s->text) return TRUE;
        s->found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void PressKey(WORD key) {
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_KEYBOARD;
  input[0].ki.wVk = input[1].ki.wVk = key;
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ::SendInput(2, input, sizeof(INPUT));
  ::Sleep(100);
}

bool WaitUntil(const auto& condition) {
  for (int i = 0; i < 100; ++i) {
    if (condition()) return true;
    ::Sleep(50);
  }
  return false;
}

class WindowAccessibilityTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::CreateDirectoryW(L"C:\\Brennic", nullptr);
    ::CreateDirectoryW(L"C:\\Brennic\\Tarvox", nullptr);
    RemoveTree("C:\\Brennic\\Tarvox\\Config");
    RunContext run;
    const std::wstring title =
        platform::win32::Widen("Installation d'Tarvox - Version: " + ProgramVersionText(run));
    const std::wstring program = platform::win32::Widen(ProgramFolder() + "\\tx3_setup.exe");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + program + L"\"";
    ASSERT_TRUE(::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                 nullptr, nullptr, &startup, &process_));
    WaitUntil([&] {
      window_ = ::FindWindowW(nullptr, title.c_str());
      return window_ != nullptr && ::IsWindowVisible(window_);
    });
    ASSERT_NE(window_, nullptr) << "no window titled as expected";
  }

  void TearDown() override {
    if (window_ != nullptr) ::PostMessageW(window_, WM_CLOSE, 0, 0);
    if (process_.hProcess != nullptr) {
      EXPECT_EQ(::WaitForSingleObject(process_.hProcess, 10000), WAIT_OBJECT_0);
      ::CloseHandle(process_.hThread);
      ::CloseHandle(process_.hProcess);
    }
  }

  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
};

TEST_F(WindowAccessibilityTest, TheKeyboardAloneCreatesAFolder) {
  HWND radio = ::GetWindow(FindChild(window_, L"Static", L"Nom de la Radio"), GW_HWNDNEXT);
  HWND field = FindChild(window_, L"Edit", L"C:\\Brennic\\Tarvox\\Config\\");
  ASSERT_NE(field, nullptr);
  ::SetForegroundWindow(window_);
  GUITHREADINFO focus{};
  focus.cbSize = sizeof focus;
  ASSERT_TRUE(WaitUntil([&] {
    return ::GetGUIThreadInfo(process_.dwThreadId, &focus) && focus.hwndFocus == radio;
  })) << "the window does not open with the focus on the radio's name";
  // The radio, five stations, then each row's field, "..." and "Créer".
  for (int i = 0; i < 11; ++i) PressKey(VK_TAB);
  ASSERT_TRUE(::GetGUIThreadInfo(process_.dwThreadId, &focus));
  EXPECT_EQ(TextOf(focus.hwndFocus), L"Créer");
  EXPECT_EQ(::GetWindow(focus.hwndFocus, GW_HWNDPREV), ::GetWindow(field, GW_HWNDNEXT));
  PressKey(VK_SPACE);
  EXPECT_TRUE(WaitUntil([] {
    const DWORD attributes = ::GetFileAttributesW(L"C:\\Brennic\\Tarvox\\Config");
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
  }));
}

}  // namespace
}  // namespace tx3::e2e
