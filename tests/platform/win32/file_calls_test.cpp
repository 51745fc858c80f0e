// The Windows profile file layer under injected failures: a read failing anywhere is a failure
// and not a missing file, and a replacement failing at any call leaves the old file and no
// temporary beside it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/file_faults.h"
#include "platform/win32/profile_io.h"
#include "platform/win32/temp_folder.h"

namespace tx3::platform::win32 {
namespace {

// Installs a plan for one scope.
class Injecting {
 public:
  explicit Injecting(FileFaultPlan& plan) { InjectFileFaults(&plan); }
  ~Injecting() { InjectFileFaults(nullptr); }
  Injecting(const Injecting&) = delete;
  Injecting& operator=(const Injecting&) = delete;
};

bool HasTemporaries(const std::string& folder) {
  WIN32_FIND_DATAW entry{};
  const HANDLE search = ::FindFirstFileW(SystemPath(folder + "\\*.tmp").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return false;
  ::FindClose(search);
  return true;
}

TEST(Win32ProfileIo, AReadFailingAnywhereIsAFailure) {
  const TempFolder folder;
  const std::string ini = folder.path() + "\\a.ini";
  ASSERT_TRUE(MakeFile(ini, 10, "[S]\r\nk=1\r\n"));
  Win32ProfileIo io;
  FileIdentity identity;
  std::string bytes;
  FileFaultPlan counter;
  {
    const Injecting injecting(counter);
    ASSERT_EQ(io.Read(ini, nullptr, &identity, &bytes), ReadOutcome::kRead);
  }
  for (uint64_t n = 1; n <= counter.Calls(); ++n) {
    FileFaultPlan plan(n, FileFault::kIoError);
    const Injecting injecting(plan);
    EXPECT_EQ(io.Read(ini, nullptr, &identity, &bytes), ReadOutcome::kFailed) << n;
  }
  // Another program holding the file is waited for.
  FileFaultPlan held(1, FileFault::kSharingViolation);
  const Injecting injecting(held);
  EXPECT_EQ(io.Read(ini, nullptr, &identity, &bytes), ReadOutcome::kRead);
  EXPECT_EQ(bytes, "[S]\r\nk=1\r\n");
}

// With or without an old file, whichever call fails and however.
TEST(Win32ProfileIo, AReplacementFailingAtAnyCallLeavesTheOldFileAndNoTemporary) {
  for (const std::string old : {"[S]\r\nk=1\r\n", ""}) {
    const TempFolder folder;
    const std::string ini = folder.path() + "\\a.ini";
    Win32ProfileIo io;
    FileIdentity identity;
    FileFaultPlan counter;
    {
      const Injecting injecting(counter);
      ASSERT_TRUE(io.Replace(ini, "new", /*durable=*/true, &identity));
    }
    for (uint64_t n = 1; n <= counter.Calls(); ++n) {
      for (const FileFault fault : {FileFault::kIoError, FileFault::kSharingViolation}) {
        ::DeleteFileW(Widen(ini).c_str());
        if (!old.empty()) {
          ASSERT_TRUE(MakeFile(ini, static_cast<int64_t>(old.size()), old));
        }
        FileFaultPlan plan(n, fault);
        const Injecting injecting(plan);
        const bool replaced = io.Replace(ini, "new", /*durable=*/true, &identity);
        EXPECT_EQ(FileBytes(ini), replaced ? "new" : old) << n << " " << FileFaultName(fault);
        EXPECT_FALSE(HasTemporaries(folder.path())) << n << " " << FileFaultName(fault);
      }
    }
  }
}

}  // namespace
}  // namespace tx3::platform::win32
