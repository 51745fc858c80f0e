// A whole installation on a real drive that fills up part-way, and on one that is read-only:
// drive C: is a small tmpfs mounted for the test (root only; skipped elsewhere, with the reason).
#include <sys/mount.h>
#include <sys/statvfs.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "program_run.h"

namespace {

namespace fs = std::filesystem;
using tx3::e2e::IsTemporaryFile;
using tx3::e2e::kFolderEntry;
using tx3::e2e::TreeOf;

const std::vector<std::string> kInstallation = {"--batch", "--step", "1", "--step",
                                                "2",       "--step", "3", "--create-database"};

class SmallDiskE2eTest : public tx3::e2e::E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    drive_ = C("");
    fs::create_directories(drive_);
    if (!Mount("size=16m", 0)) GTEST_SKIP() << "no tmpfs can be mounted here: " << error_;
  }
  void TearDown() override {
    if (mounted_) ::umount2(drive_.c_str(), MNT_DETACH);
    E2eTest::TearDown();
  }

  bool Mount(const std::string& options, unsigned long flags) {
    if (mounted_) flags |= MS_REMOUNT;
    if (::mount("tmpfs", drive_.c_str(), "tmpfs", flags, options.c_str()) != 0) {
      error_ = std::strerror(errno);
      return false;
    }
    mounted_ = true;
    return true;
  }

  uint64_t UsedBytes() const {
    struct statvfs info {};
    ::statvfs(drive_.c_str(), &info);
    return static_cast<uint64_t>(info.f_blocks - info.f_bfree) * info.f_frsize;
  }

  // Each entry is as before or as a finished run left it, and nothing temporary is left.
  static void ExpectOldOrNew(const std::map<std::string, std::string>& now,
                             const std::map<std::string, std::string>& before,
                             const std::map<std::string, std::string>& finished) {
    for (const auto& [path, bytes] : now) {
      EXPECT_FALSE(IsTemporaryFile(path)) << path;
      const auto old = before.find(path);
      const auto done = finished.find(path);
      EXPECT_TRUE((old != before.end() && old->second == bytes) ||
                  (done != finished.end() && done->second == bytes))
          << path << " is neither as before nor as finished";
    }
  }

  static bool Warns(const std::string& messages) {
    return messages.find("[warning]") != std::string::npos ||
           messages.find("[critical]") != std::string::npos;
  }

  fs::path drive_;
  bool mounted_ = false;
  std::string error_;
};

TEST_F(SmallDiskE2eTest, ADriveFillingUpPartWayLosesNothingAndTheNextRunCompletes) {
  ASSERT_EQ(Run(kInstallation).status, 0);
  const std::map<std::string, std::string> finished = TreeOf(drive_);
  const uint64_t needed = UsedBytes();
  ASSERT_EQ(::umount2(drive_.c_str(), 0), 0);
  mounted_ = false;

  // Room for about half of what an installation writes.
  ASSERT_TRUE(Mount("size=" + std::to_string(needed / 2), 0)) << error_;
  const tx3::e2e::ProgramRun full = Run(kInstallation);
  EXPECT_EQ(full.status, 1) << full.out;
  EXPECT_TRUE(Warns(full.out)) << full.out;
  EXPECT_EQ(full.out.find("Fichiers créés à vide"), std::string::npos) << full.out;
  const std::map<std::string, std::string> partial = TreeOf(drive_);
  ExpectOldOrNew(partial, {}, finished);
  EXPECT_NE(partial, finished);

  ASSERT_TRUE(Mount("size=16m", 0)) << error_;
  EXPECT_EQ(Run(kInstallation).status, 0);
  EXPECT_EQ(TreeOf(drive_), finished);
}

TEST_F(SmallDiskE2eTest, AReadOnlyDriveIsReportedAndLeftAsItWas) {
  tx3::e2e::WriteAll(drive_ / "Brennic/Tarvox/Config/Br_Sys.ini", "[Poste]\r\nStudio=B\r\n");
  const std::map<std::string, std::string> before = TreeOf(drive_);
  ASSERT_TRUE(Mount("", MS_RDONLY)) << error_;
  const tx3::e2e::ProgramRun refused = Run(kInstallation);
  EXPECT_EQ(refused.status, 1) << refused.out;
  EXPECT_TRUE(Warns(refused.out)) << refused.out;
  EXPECT_EQ(refused.out.find("Paramétrage créé ou MAJ"), std::string::npos) << refused.out;
  EXPECT_EQ(refused.out.find("Fichiers créés à vide"), std::string::npos) << refused.out;
  EXPECT_EQ(TreeOf(drive_), before);

  ASSERT_TRUE(Mount("", 0)) << error_;
  EXPECT_EQ(Run(kInstallation).status, 0);
  const std::map<std::string, std::string> installed = TreeOf(drive_);
  EXPECT_TRUE(installed.at("Brennic/Tarvox/Config/Br_Sys.ini").starts_with("[Poste]\r\nStudio=B"));
  EXPECT_EQ(installed.at("Brennic/Tarvox/Config"), kFolderEntry);
}

}  // namespace
