// tx3_setup.exe, the window program, started as an operator starts it: it opens its window with
// the Qt window's title and size, shows the fields of missing folders in red, and ends with
// status 0 when the window is closed.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/frm_main.h"
#include "common/run_context.h"
#include "platform/win32/wide_text.h"
#include "windows_program.h"

namespace tx3::e2e {
namespace {

struct Found {
  std::wstring text;
  HWND window = nullptr;
};

BOOL CALLBACK FindEditWithText(HWND child, LPARAM data) {
  auto* found = reinterpret_cast<Found*>(data);
  wchar_t className[32] = {};
  ::GetClassNameW(child, className, 32);
  // GetWindowTextW does not ask a control of another process: WM_GETTEXT does.
  wchar_t text[512] = {};
  ::SendMessageW(child, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
  if (::lstrcmpiW(className, L"Edit") == 0 && found->text == text) {
    found->window = child;
    return FALSE;
  }
  return TRUE;
}

HWND WaitForWindow(const std::wstring& title) {
  for (int i = 0; i < 200; ++i) {
    if (HWND window = ::FindWindowW(nullptr, title.c_str())) {
      if (::IsWindowVisible(window)) return window;
    }
    ::Sleep(50);
  }
  return nullptr;
}

TEST(WindowProgramTest, OpensTheWindowWithRedFieldsForMissingFoldersAndClosesWithStatusZero) {
  RemoveTree("C:\\Kalvet");
  RunContext run;
  const std::wstring title =
      platform::win32::Widen("Installation d'Tarvox - Version: " + ProgramVersionText(run));
  const std::wstring program = platform::win32::Widen(ProgramFolder() + "\\tx3_setup.exe");

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::wstring commandLine = L"\"" + program + L"\"";
  ASSERT_TRUE(::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                               nullptr, nullptr, &startup, &process));
  HWND window = WaitForWindow(title);
  ASSERT_NE(window, nullptr) << "no window titled as expected";

  RECT client{};
  ::GetClientRect(window, &client);
  EXPECT_EQ(client.right - client.left, 762);
  EXPECT_EQ(client.bottom - client.top, 581);

  // The log folder field (row 2) names a folder that does not exist: its background is red.
  Found logField{L"C:\\Kalvet\\"};
  ::EnumChildWindows(window, FindEditWithText, reinterpret_cast<LPARAM>(&logField));
  ASSERT_NE(logField.window, nullptr);
  // Read on the screen, as the operator sees it, once the window has painted itself.
  ::Sleep(500);
  RECT field{};
  ::GetClientRect(logField.window, &field);
  POINT inside{field.right - 3, (field.bottom - field.top) / 2};
  ::ClientToScreen(logField.window, &inside);
  HDC screen = ::GetDC(nullptr);
  const COLORREF background = ::GetPixel(screen, inside.x, inside.y);
  ::ReleaseDC(nullptr, screen);
  EXPECT_EQ(background, RGB(255, 0, 0));

  ::PostMessageW(window, WM_CLOSE, 0, 0);
  ASSERT_EQ(::WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0);
  DWORD status = 1;
  ::GetExitCodeProcess(process.hProcess, &status);
  EXPECT_EQ(status, 0u);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
}

}  // namespace
}  // namespace tx3::e2e
