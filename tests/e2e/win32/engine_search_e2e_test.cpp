// The database engine library is never taken from the folder the program is started from nor
// from beside the program, where anyone may leave a file of its name. The system folder is looked
// at first; then the folders of PATH, but for those others may write when the program runs
// elevated (under Wine it always does, and every folder is its account's own).
#include <gmock/gmock.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/win32/library_search.h"
#include "platform/win32/temp_folder.h"
#include "platform/win32/wide_text.h"
#include "support/test_files.h"
#include "windows_program.h"

namespace tx3::e2e {
namespace {

namespace fs = std::filesystem;
using platform::win32::Widen;
using ::testing::HasSubstr;
using ::testing::Not;

// Built apart from the programs: the kit's planted_engine\ folder.
const std::string kLibraryName = TX3_PLANTED_ENGINE_FILE;
const std::string kPlantedEngine = testing::TestKitFolder() + "\\planted_engine\\" + kLibraryName;

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string SystemFolder() {
  wchar_t folder[MAX_PATH] = {};
  return platform::win32::Narrow(std::wstring(folder, ::GetSystemDirectoryW(folder, MAX_PATH)));
}

// Runs the program from `folder`, as an operator whose console is open there.
class ScopedCurrentFolder {
 public:
  explicit ScopedCurrentFolder(const std::string& folder) {
    wchar_t old[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, old);
    old_ = old;
    ::SetCurrentDirectoryW(Widen(folder).c_str());
  }
  ~ScopedCurrentFolder() { ::SetCurrentDirectoryW(old_.c_str()); }
  ScopedCurrentFolder(const ScopedCurrentFolder&) = delete;
  ScopedCurrentFolder& operator=(const ScopedCurrentFolder&) = delete;

 private:
  std::wstring old_;
};

class EngineSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TearDown();
    ASSERT_TRUE(fs::create_directories(Widen(planted_)));
  }
  void TearDown() override {
    RemoveTree(planted_);
    RemoveTree(besideProgram_);
    RemoveTree(marker_);
    RemoveTree(log_);
    ::DeleteFileW(Widen(inSystemFolder_).c_str());
    RemoveInstallation();
  }

  // Copies the planted library into `folder`.
  static void Plant(const std::string& folder) {
    ASSERT_TRUE(fs::copy_file(Widen(kPlantedEngine), Widen(folder + "\\" + kLibraryName),
                              fs::copy_options::overwrite_existing));
  }

  // The database command with no engine library configured (or `variable` as
  // TX3_BTRIEVE_LIBRARY), with `extra` arguments.
  ProgramRun CreateDatabase(const std::string& path, const std::vector<std::string>& extra = {},
                            const std::string& variable = "") const {
    std::vector<std::string> args = {"--batch", "--step", "1", "--create-database"};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunSetup(args,
                    {"TX3_BTRIEVE_LIBRARY=" + variable, "TX3_PLANTED_ENGINE_MARKER=" + marker_,
                     "PATH=" + path, "TX3_LOG_FILE=" + log_});
  }

  // The marker's line for the copy loaded from `folder`.
  static std::string LoadedFrom(const std::string& folder) {
    return Lower("loaded " + folder + "\\" + kLibraryName + "\r\n");
  }

  static std::string Path() {
    wchar_t path[32768] = {};
    return platform::win32::Narrow(
        std::wstring(path, ::GetEnvironmentVariableW(L"PATH", path, 32768)));
  }

  const platform::win32::TempFolder temp_;
  const std::string planted_ = temp_.path() + "\\planted folder";
  const std::string besideProgram_ = ProgramFolder() + "\\" + kLibraryName;
  const std::string marker_ = temp_.path() + "\\planted_engine_loaded.txt";
  const std::string log_ = temp_.path() + "\\engine_search.log";
  const std::string inSystemFolder_ = SystemFolder() + "\\" + kLibraryName;
};

TEST_F(EngineSearchTest, NotLoadedFromTheCurrentFolderNorBesideTheProgram) {
  for (const std::string& folder : {planted_, ProgramFolder()}) {
    Plant(folder);
    ProgramRun run;
    {
      ScopedCurrentFolder current(planted_);
      run = CreateDatabase(Path());
    }
    EXPECT_FALSE(FileExists(marker_)) << "the library planted in " << folder << " was loaded";
    EXPECT_EQ(run.status, 1) << run.out << run.err;
    EXPECT_THAT(run.out, HasSubstr("[critical]\nMoteur de base de données introuvable:\n"));
    TearDown();
    SetUp();
  }
}

// A folder of PATH serves when the program does not run elevated; elevated, a folder that others
// may write is skipped and the log names it. Under Wine the program always runs elevated and every
// folder is owned by the account, so the second half is what shows there.
TEST_F(EngineSearchTest, AFolderOfPathServesUnlessOthersMayWriteItAndTheProgramIsElevated) {
  Plant(planted_);
  const ProgramRun run = CreateDatabase(planted_ + ";" + Path());
  if (!platform::win32::RunsElevated()) {
    EXPECT_EQ(Lower(ReadFileBytes(marker_)), LoadedFrom(planted_));
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_THAT(run.out, HasSubstr("[information]\nFichiers créés à vide\n"));
    return;
  }
  ASSERT_TRUE(
      platform::win32::WritableByNonAdmins(platform::win32::ReadFolderSecurity(Widen(planted_))));
  EXPECT_FALSE(FileExists(marker_))
      << "the library planted in a folder others may write was loaded";
  EXPECT_EQ(run.status, 1) << run.out << run.err;
  EXPECT_THAT(run.out, HasSubstr("[critical]\nMoteur de base de données introuvable:\n"));
  EXPECT_THAT(ReadFileBytes(log_),
              HasSubstr(platform::win32::SkippedFolderLogLine(planted_) + "\r\n"));
}

// Windows looks in the system folder first: a copy there wins over one in PATH.
TEST_F(EngineSearchTest, TheSystemFolderComesBeforePath) {
  Plant(planted_);
  Plant(SystemFolder());
  const ProgramRun run = CreateDatabase(planted_ + ";" + Path());
  EXPECT_EQ(Lower(ReadFileBytes(marker_)), LoadedFrom(SystemFolder()));
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_THAT(run.out, HasSubstr("[information]\nFichiers créés à vide\n"));
  EXPECT_THAT(ReadFileBytes(log_), Not(HasSubstr("skipped"))) << "PATH was not looked at";
}

// --engine-library names the library as TX3_BTRIEVE_LIBRARY does, and wins over it.
TEST_F(EngineSearchTest, TheLibraryNamedOnTheCommandLineWinsOverTheVariable) {
  Plant(planted_);
  const std::string named = planted_ + "\\" + kLibraryName;
  const ProgramRun run =
      CreateDatabase(Path(), {"--engine-library", named}, ProgramFolder() + "\\none.dll");
  EXPECT_EQ(Lower(ReadFileBytes(marker_)), LoadedFrom(planted_));
  EXPECT_EQ(run.status, 0) << run.out << run.err;
}

// A relative folder in PATH is the current folder under another name.
TEST_F(EngineSearchTest, NotLoadedThroughARelativeFolderOfPath) {
  Plant(planted_);
  ProgramRun run;
  {
    ScopedCurrentFolder current(temp_.path());
    run = CreateDatabase(".\\planted folder;.;" + Path());
  }
  EXPECT_FALSE(FileExists(marker_)) << "the planted library was loaded";
  EXPECT_EQ(run.status, 1) << run.out << run.err;
}

}  // namespace
}  // namespace tx3::e2e
