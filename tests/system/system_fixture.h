// The fixture of the system tests: a fake platform and a fake window, and every per-run memory of
// the layer put back to its start values.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "common/error.h"
#include "common/path_names.h"
#include "common/ui_port.h"
#include "platform/platform.h"
#include "support/fake_platform.h"
#include "support/fake_ui.h"
#include "system/folder_checks.h"
#include "system/folder_select.h"
#include "system/windows_version.h"

namespace tx3::testing {

class SystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetPlatform(&os);
    SetUiPort(&ui);
    ResetErrorStateForTests();
    ResetSystemeStateForTests();
    ResetWindowsVersionForTests();
    DossierDepartSelection.clear();
    PbTRepFicExt = RepFicExt{};
  }
  void TearDown() override {
    platform::SetPlatform(nullptr);
    SetUiPort(nullptr);
    ResetErrorStateForTests();
    ResetSystemeStateForTests();
    ResetWindowsVersionForTests();
  }

  // The exact line was handed to the trace log.
  bool Traced(std::string_view line) const {
    return std::find(os.logLines.begin(), os.logLines.end(), line) != os.logLines.end();
  }
  int TracedCount(std::string_view line) const {
    return static_cast<int>(std::count(os.logLines.begin(), os.logLines.end(), line));
  }
  // The procedure of the last report to GestionDesErreurs; empty when nothing was reported.
  std::string Reported() const { return GestionDesErreursState().lastProcedure; }

  FakePlatform os;
  FakeUi ui;
};

}  // namespace tx3::testing
