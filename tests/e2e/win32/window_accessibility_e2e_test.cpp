// tx3_setup.exe as a keyboard user meets it: the keyboard alone creates a folder (Tab from the
// radio's name to the "Créer" of the second row, then Space), keys sent as the keyboard sends them.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

#include "windows_program.h"

namespace tx3::e2e {
namespace {

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
    program_.emplace();
    window_ = program_->window();
    ASSERT_NE(window_, nullptr) << "no window titled as expected";
  }

  std::optional<WindowProgram> program_;  // started once the folders are as the test needs
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
    return ::GetGUIThreadInfo(program_->threadId(), &focus) && focus.hwndFocus == radio;
  })) << "the window does not open with the focus on the radio's name";
  // The radio, five stations, then each row's field, "..." and "Créer".
  for (int i = 0; i < 11; ++i) PressKey(VK_TAB);
  // The window handles the keys when its thread gets to them: later on a busy machine.
  WaitUntil([&] {
    return ::GetGUIThreadInfo(program_->threadId(), &focus) &&
           ::GetWindow(focus.hwndFocus, GW_HWNDPREV) == ::GetWindow(field, GW_HWNDNEXT);
  });
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
