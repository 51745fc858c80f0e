// A fresh window model on the in-memory platform, showing through the recording UI port.
#pragma once

#include <gtest/gtest.h>

#include "app/frm_main.h"
#include "support/fake_platform.h"
#include "support/fake_ui.h"
#include "support/use_platform.h"
#include "system/system_context.h"

namespace tx3::testing {

class AppTest : public ::testing::Test {
 protected:
  AppTest() { w.SetUiPort(&ui); }

  // Folder creations and INI writes the platform was asked for.
  int Writes() const {
    return os.CallCount("MakeDirectory") + os.CallCount("CreateFolder") +
           os.CallCount("CreateFolderLike") + os.CallCount("WriteProfileEntry") +
           os.CallCount("SetAttributes");
  }

  static bool Red(const FrmMain& w, int row) { return w.DossierRow(row).color == FieldColor::Red; }

  FakePlatform os;
  UsePlatform guard{os};
  FakeUi ui;
  FrmMain w;                     // not created yet: a test may set the disk up first
  SystemContext& run = w.Run();  // the window's run: error reports, version facts
};

}  // namespace tx3::testing
