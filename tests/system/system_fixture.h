// The fixture of the system tests: a fake platform, a fake window and a fresh run of the layer,
// so that no memory of folders, clock or version leaks from one test into the next.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>

#include "common/error.h"
#include "support/fake_platform.h"
#include "support/fake_ui.h"
#include "support/use_platform.h"
#include "system/folder_checks.h"
#include "system/system_context.h"

namespace tx3::testing {

class SystemTest : public ::testing::Test {
 protected:
  // The exact line was handed to the trace log.
  bool Traced(std::string_view line) const {
    return std::find(os.logLines.begin(), os.logLines.end(), line) != os.logLines.end();
  }
  int TracedCount(std::string_view line) const {
    return static_cast<int>(std::count(os.logLines.begin(), os.logLines.end(), line));
  }
  // The procedure of the last report to GestionDesErreurs; empty when nothing was reported.
  std::string Reported() const { return run.ErrorManager.lastProcedure; }

  // The set remembers these folders and no other.
  static ::testing::AssertionResult HoldsExactly(const FolderSet& set,
                                                 std::initializer_list<std::string_view> folders) {
    for (std::string_view folder : folders) {
      if (!set.Contains(folder)) return ::testing::AssertionFailure() << "no " << folder;
    }
    if (set.size() != folders.size()) {
      return ::testing::AssertionFailure() << set.size() << " folders remembered";
    }
    return ::testing::AssertionSuccess();
  }

  FakePlatform os;
  UsePlatform guard{os};
  FakeUi ui;
  SystemContext run{&ui};
};

}  // namespace tx3::testing
