// A temporary drives folder (TX3_DRIVES) with a fresh PosixPlatform on it, removed afterwards.
#pragma once

#include <fcntl.h>
#include <ftw.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "platform/posix/posix_platform.h"

namespace tx3::platform::posix {

// Sets an environment variable for one scope and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    ::setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (old_) {
      ::setenv(name_, old_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// Removes a tree, read-only folders included.
inline void RemoveTree(const std::string& root) {
  ::nftw(
      root.c_str(),
      [](const char* path, const struct stat* info, int type, FTW*) {
        if (type == FTW_D) ::chmod(path, (info->st_mode & 07777) | S_IRWXU);
        return 0;
      },
      16, FTW_PHYS);
  ::nftw(
      root.c_str(),
      [](const char* path, const struct stat*, int, FTW*) {
        ::remove(path);
        return 0;
      },
      16, FTW_PHYS | FTW_DEPTH);
}

class TempDrivesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/tx3_drives_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    drives_ = root_ + "/drives";
    ASSERT_EQ(::mkdir(drives_.c_str(), 0777), 0);
    ASSERT_EQ(::mkdir((drives_ + "/c:").c_str(), 0777), 0);
    env_ = std::make_unique<ScopedEnv>("TX3_DRIVES", drives_);
    os_ = std::make_unique<PosixPlatform>();
  }
  void TearDown() override {
    os_.reset();
    env_.reset();
    RemoveTree(root_);
  }

  // A host path below the drives folder ("c:/Brennic").
  std::string Host(const std::string& below) const { return drives_ + "/" + below; }
  void MakeHostFolder(const std::string& below) const {
    ASSERT_EQ(::mkdir(Host(below).c_str(), 0777), 0) << below;
  }
  void MakeHostFile(const std::string& below, const std::string& bytes = "x") const {
    const int fd = ::open(Host(below).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    ASSERT_GE(fd, 0) << below;
    ASSERT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    ::close(fd);
  }
  bool HostExists(const std::string& below) const {
    struct stat info {};
    return ::lstat(Host(below).c_str(), &info) == 0;
  }

  std::string root_;
  std::string drives_;
  std::unique_ptr<ScopedEnv> env_;
  std::unique_ptr<PosixPlatform> os_;
};

}  // namespace tx3::platform::posix
