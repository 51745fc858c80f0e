// The window model on the in-memory platform and the recording UI port.
#pragma once

#include <gtest/gtest.h>

#include "app/frm_main.h"
#include "common/error.h"
#include "common/ui_port.h"
#include "platform/platform.h"
#include "support/fake_platform.h"
#include "support/fake_ui.h"
#include "system/folder_checks.h"
#include "system/folder_select.h"
#include "system/windows_version.h"

namespace tx3::testing {

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetErrorStateForTests();
    ResetSystemeStateForTests();
    ResetWindowsVersionForTests();
    DossierDepartSelection.clear();
    platform::SetPlatform(&os);
    SetUiPort(&ui);
  }
  void TearDown() override {
    SetUiPort(nullptr);
    platform::SetPlatform(nullptr);
    ResetErrorStateForTests();
    ResetSystemeStateForTests();
  }

  // Folder creations and INI writes the platform was asked for.
  int Writes() const {
    return os.CallCount("MakeDirectory") + os.CallCount("CreateFolder") +
           os.CallCount("CreateFolderLike") + os.CallCount("WriteProfileEntry") +
           os.CallCount("SetAttributes");
  }

  static bool Red(const FrmMain& w, int row) {
    return w.TexteDossier(row).color == FieldColor::Red;
  }

  FakePlatform os;
  FakeUi ui;
};

}  // namespace tx3::testing
