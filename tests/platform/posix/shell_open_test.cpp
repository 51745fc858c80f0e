#include "platform/posix/posix_platform.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>

#include "temp_drives.h"

namespace tx3::platform::posix {
namespace {

class ShellOpenTest : public TempDrivesTest {
 protected:
  void SetUp() override {
    TempDrivesTest::SetUp();
    opener_ = root_ + "/opener.sh";
    record_ = root_ + "/opened.txt";
    std::ofstream(opener_) << "#!/bin/sh\nprintf '%s|' \"$@\" > \"" << record_ << ".part\"\n"
                           << "mv \"" << record_ << ".part\" \"" << record_ << "\"\n";
    ASSERT_EQ(::chmod(opener_.c_str(), 0755), 0);
  }

  intptr_t Open(const std::string& file) {
    return os_->OpenInShell("Open", file, std::nullopt, std::nullopt, 1);
  }

  // What the opener received, waiting up to ten seconds for it.
  std::string Recorded() const {
    for (int i = 0; i < 1000; ++i) {
      std::ifstream in(record_);
      if (in) return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
      const timespec pause{0, 10000000};
      ::nanosleep(&pause, nullptr);
    }
    return "(nothing)";
  }

  std::string opener_;
  std::string record_;
};

TEST_F(ShellOpenTest, HandsAnAddressToTheOpener) {
  const ScopedEnv opener("TX3_SHELL_OPENER", opener_);
  const std::string address = "https://example.com/a b?x=1&y='2';$(id)";
  EXPECT_EQ(Open(address), 42);
  EXPECT_EQ(Recorded(), address + "|") << "one argument, never through a shell";
}

// Children of this process that ended without being collected.
int ZombieChildren() {
  int zombies = 0;
  DIR* proc = ::opendir("/proc");
  while (const dirent* entry = proc ? ::readdir(proc) : nullptr) {
    std::ifstream stat(std::string("/proc/") + entry->d_name + "/stat");
    std::string line;
    if (!std::getline(stat, line)) continue;
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    char state = 0;
    long parent = 0;
    fields >> state >> parent;
    zombies += state == 'Z' && parent == ::getpid();
  }
  if (proc) ::closedir(proc);
  return zombies;
}

TEST_F(ShellOpenTest, LeavesNoZombieBehind) {
  const ScopedEnv opener("TX3_SHELL_OPENER", opener_);
  ASSERT_EQ(Open("http://example.com/"), 42);
  ASSERT_NE(Recorded(), "(nothing)");
  int zombies = -1;
  for (int i = 0; i < 500 && zombies != 0; ++i) {
    const timespec pause{0, 10000000};
    ::nanosleep(&pause, nullptr);
    zombies = ZombieChildren();
  }
  EXPECT_EQ(zombies, 0);
}

TEST_F(ShellOpenTest, HandsAnExistingFileAsItsHostPath) {
  const ScopedEnv opener("TX3_SHELL_OPENER", opener_);
  MakeHostFolder("c:/Docs");
  MakeHostFile("c:/Docs/Lisez moi.txt");
  EXPECT_EQ(Open("C:\\DOCS\\lisez moi.TXT"), 42);
  EXPECT_EQ(Recorded(), Host("c:/Docs/Lisez moi.txt") + "|");
}

struct ShellCase {
  const char* file;
  intptr_t result;
};

TEST_F(ShellOpenTest, AnswersTheShellResults) {
  const ScopedEnv opener("TX3_SHELL_OPENER", opener_);
  MakeHostFolder("c:/Docs");
  for (const ShellCase& c :
       {ShellCase{"C:\\Docs\\missing.txt", 2}, ShellCase{"C:\\Missing\\file.txt", 3},
        ShellCase{"Q:\\file.txt", 3}, ShellCase{"C:\\Docs\\a|b", 2},
        // Only http and https go to the browser: anything else is a file of the drives.
        ShellCase{"ftp://x", 2}, ShellCase{"C:\\http", 2}}) {
    EXPECT_EQ(Open(c.file), c.result) << c.file;
  }
  struct stat info {};
  EXPECT_NE(::stat(record_.c_str(), &info), 0) << "nothing was handed over";
}

TEST_F(ShellOpenTest, WithoutAnOpenerThereIsNoAssociation) {
  const ScopedEnv opener("TX3_SHELL_OPENER", root_ + "/not-installed");
  EXPECT_EQ(Open("http://example.com/"), 31);
  const ScopedEnv byName("TX3_SHELL_OPENER", "tx3-no-such-opener-program");
  EXPECT_EQ(Open("http://example.com/"), 31);
}

TEST_F(ShellOpenTest, AnAddressInCapitalsIsAnAddress) {
  const ScopedEnv opener("TX3_SHELL_OPENER", opener_);
  EXPECT_EQ(Open("HTTPS://x"), 42);
  EXPECT_EQ(Recorded(), "HTTPS://x|");
}

}  // namespace
}  // namespace tx3::platform::posix
