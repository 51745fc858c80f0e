// The database engine library is never taken from the folder the program is started from nor
// from beside the program, where anyone may leave a file of its name; one in a folder of PATH is
// the engine's and is loaded.
#include <gmock/gmock.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/win32/temp_folder.h"
#include "platform/win32/wide_text.h"
#include "support/test_files.h"
#include "windows_program.h"

namespace tx3::e2e {
namespace {

namespace fs = std::filesystem;
using platform::win32::Widen;
using ::testing::HasSubstr;

// Built apart from the programs: the kit's planted_engine\ folder.
const std::string kLibraryName = TX3_PLANTED_ENGINE_FILE;
const std::string kPlantedEngine = testing::TestKitFolder() + "\\planted_engine\\" + kLibraryName;

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
    RemoveInstallation();
  }

  // Copies the planted library into `folder`.
  static void Plant(const std::string& folder) {
    ASSERT_TRUE(fs::copy_file(Widen(kPlantedEngine), Widen(folder + "\\" + kLibraryName),
                              fs::copy_options::overwrite_existing));
  }

  // The database command with no engine library configured.
  ProgramRun CreateDatabase(const std::string& path) const {
    return RunSetup({"--batch", "--step", "1", "--create-database"},
                    {"TX3_BTRIEVE_LIBRARY=", "TX3_PLANTED_ENGINE_MARKER=" + marker_, "PATH=" + path,
                     "TX3_LOG_FILE=" + log_});
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

TEST_F(EngineSearchTest, LoadedFromAFolderOfPath) {
  Plant(planted_);
  const ProgramRun run = CreateDatabase(planted_ + ";" + Path());
  EXPECT_EQ(ReadFileBytes(marker_), "loaded\r\n");
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_THAT(run.out, HasSubstr("[information]\nFichiers créés à vide\n"));
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
