// tx3_setup.exe, the window program, started as an operator starts it: it opens its window with
// the Qt window's title and size, shows the fields of missing folders in red, and ends with
// status 0 when the window is closed.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "windows_program.h"

namespace tx3::e2e {
namespace {

TEST(WindowProgramTest, OpensTheWindowWithRedFieldsForMissingFoldersAndClosesWithStatusZero) {
  RemoveTree("C:\\Kalvet");
  WindowProgram program;
  HWND window = program.window();
  ASSERT_NE(window, nullptr) << "no window titled as expected";

  RECT client{};
  ::GetClientRect(window, &client);
  EXPECT_EQ(client.right - client.left, 762);
  EXPECT_EQ(client.bottom - client.top, 581);

  // The log folder field (row 2) names a folder that does not exist: its background is red.
  HWND logField = FindChild(window, L"Edit", L"C:\\Kalvet\\");
  ASSERT_NE(logField, nullptr);
  // Read on the screen, as the operator sees it, once the window has painted itself.
  ::Sleep(500);
  RECT field{};
  ::GetClientRect(logField, &field);
  POINT inside{field.right - 3, (field.bottom - field.top) / 2};
  ::ClientToScreen(logField, &inside);
  HDC screen = ::GetDC(nullptr);
  const COLORREF background = ::GetPixel(screen, inside.x, inside.y);
  ::ReleaseDC(nullptr, screen);
  EXPECT_EQ(background, RGB(255, 0, 0));

  EXPECT_EQ(program.Close(), 0);
}

}  // namespace
}  // namespace tx3::e2e
