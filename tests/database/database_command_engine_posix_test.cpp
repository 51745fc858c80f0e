// The database command on the real platform: emulated drives in a temporary folder, the
// stand-in engine library loaded through TX3_BTRIEVE_LIBRARY, or the built-in engine.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "database/builtin_engine.h"
#include "database/database_command.h"
#include "database/database_state.h"
#include "support/child_lock.h"
#include "support/fake_ui.h"
#include "support/test_files.h"
#include "system/system_context.h"
#include "test_engine_access.h"

namespace tx3 {
namespace {

namespace fs = std::filesystem;

constexpr const char* kData = "C:\\TX_Data\\Data\\";

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

class DatabaseCommandEngineTest : public ::testing::Test {
 protected:
  // One drives folder for the whole suite: the platform may keep the mapping it read first.
  static void SetUpTestSuite() {
    char pattern[] = "/tmp/tx3_db_XXXXXX";
    root_ = mkdtemp(pattern);
    fs::create_directories(root_ / "drives" / "c:");
    fs::create_directories(root_ / "state");
    setenv("TX3_DRIVES", (root_ / "drives").c_str(), 1);
    setenv("XDG_STATE_HOME", (root_ / "state").c_str(), 1);
  }
  static void TearDownTestSuite() {
    unsetenv("TX3_BTRIEVE_LIBRARY");
    fs::remove_all(root_);
  }

  void SetUp() override {
    fs::remove_all(root_ / "drives" / "c:");
    fs::create_directories(Data());
    unsetenv("TX3_BTRIEVE_LIBRARY");
  }
  void TearDown() override { fs::permissions(Data(), fs::perms::owner_all, fs::perm_options::add); }

  static fs::path Data() { return root_ / "drives" / "c:" / "TX_Data" / "Data"; }
  static void UseLibrary(const std::string& library) {
    setenv("TX3_BTRIEVE_LIBRARY", library.c_str(), 1);
  }
  std::vector<std::string> Keys() const {
    std::vector<std::string> keys;
    for (int i = 0; i < engine_.CallCount(); ++i) keys.push_back(engine_.Key(i));
    return keys;
  }
  size_t FileCount() const {
    return static_cast<size_t>(std::distance(fs::directory_iterator(Data()), {}));
  }

  static inline fs::path root_;
  testing::FakeUi ui_;
  SystemContext run_{&ui_};  // on the system's own platform
  DatabaseState db_;
  testing::TestEngineAccess engine_;
};

TEST_F(DatabaseCommandEngineTest, LibraryEngineReceivesHostPathsAndSkipsPresentFiles) {
  UseLibrary(tx3::testing::TestEngineLibrary());
  WriteAll(Data() / "FRAD000.bt6", "foreign data");
  WriteAll(Data() / "FRAD001.bt6", "");
  WriteAll(Data() / "FRADA05.bt6", std::string(kBuiltinSignature) + std::string(504, '\0'));
  engine_.SetStatuses({0, 0, 25, 25});  // FRAD003 in use
  CommandPervasiveCreate_Click(run_, db_, kData);

  const std::vector<std::string> keys = Keys();
  ASSERT_EQ(keys.size(), 50u);  // 49 files, FRAD003 twice
  const std::string host = Data().string() + "/";
  EXPECT_EQ(keys[0], host + "FRAD001.bt6");
  EXPECT_EQ(engine_.Call(0).keyLength, (host + "FRAD001.bt6").size());
  EXPECT_EQ(keys[2], host + "FRAD003.bt6");
  EXPECT_EQ(keys[3], host + "FRAD003.bt6 ");
  EXPECT_EQ(engine_.Call(3).keyLength, (host + "FRAD003.bt6").size());
  EXPECT_EQ(keys[5], host + "FRADA05.bt6");  // the built-in stand-in is made again
  EXPECT_EQ(keys.back(), host + "FRADA49.bt6");
  EXPECT_EQ(ReadAll(Data() / "FRAD000.bt6"), "foreign data");

  ASSERT_EQ(ui_.messages.size(), 2u);
  EXPECT_EQ(ui_.messages[0].icon, MsgIcon::Critical);
  EXPECT_NE(ui_.messages[0].text.find("'C:\\TX_Data\\Data\\FRAD003.bt6'"), std::string::npos);
  EXPECT_EQ(ui_.messages[1].text,
            "Fichiers non créés:\r\n\r\nC:\\TX_Data\\Data\\FRAD003.bt6 (statut 25)");
}

TEST_F(DatabaseCommandEngineTest, BuiltInEngineCreatesOncePerFile) {
  CommandPervasiveCreate_Click(run_, db_, kData);
  ASSERT_EQ(FileCount(), 50u);
  const std::string frad047 = ReadAll(Data() / "FRADA47.bt6");
  EXPECT_EQ(frad047.size(), 4096u);
  EXPECT_EQ(frad047.substr(0, 8), kBuiltinSignature);
  EXPECT_EQ(fs::file_size(Data() / "FRAD011.bt6"), 1536u);
  EXPECT_EQ(ui_.MessageTexts(), std::vector<std::string>{"Fichiers créés à vide"});

  WriteAll(Data() / "FRAD002.bt6", "");
  WriteAll(Data() / "FRAD004.bt6", "kept");
  const auto before = fs::last_write_time(Data() / "FRADA47.bt6");
  CommandPervasiveCreate_Click(run_, db_, kData);
  EXPECT_EQ(fs::file_size(Data() / "FRAD002.bt6"), 512u);
  EXPECT_EQ(ReadAll(Data() / "FRAD004.bt6"), "kept");
  EXPECT_EQ(fs::last_write_time(Data() / "FRADA47.bt6"), before);
  EXPECT_EQ(FileCount(), 50u);
  EXPECT_EQ(ui_.messages.size(), 2u);
  EXPECT_EQ(engine_.CallCount(), 0);
}

TEST_F(DatabaseCommandEngineTest, FileLockedByAnotherProcessIsReported) {
  WriteAll(Data() / "FRAD002.bt6", "");
  {
    const testing::ChildLock lock((Data() / "FRAD002.bt6").string());
    ASSERT_TRUE(lock.held());
    CommandPervasiveCreate_Click(run_, db_, kData);
  }

  EXPECT_EQ(fs::file_size(Data() / "FRAD002.bt6"), 0u);
  ASSERT_EQ(ui_.messages.size(), 2u);
  EXPECT_EQ(ui_.messages[0].text.rfind("Fichier 'C:\\TX_Data\\Data\\FRAD002.bt6' en cours", 0), 0u);
  EXPECT_EQ(ui_.messages[1].text,
            "Fichiers non créés:\r\n\r\nC:\\TX_Data\\Data\\FRAD002.bt6 (statut 25)");
  EXPECT_EQ(FileCount(), 50u);
}

TEST_F(DatabaseCommandEngineTest, MissingDataFolderCreatesNothing) {
  CommandPervasiveCreate_Click(run_, db_, "C:\\Nowhere\\Data\\");
  EXPECT_FALSE(fs::exists(root_ / "drives" / "c:" / "Nowhere"));
  ASSERT_FALSE(ui_.messages.empty());
  EXPECT_EQ(ui_.messages.back().icon, MsgIcon::Warning);
  EXPECT_EQ(ui_.messages.back().text.rfind(
                "Fichiers non créés:\r\n\r\nC:\\Nowhere\\Data\\FRAD000.bt6 (statut 25)", 0),
            0u);
}

TEST_F(DatabaseCommandEngineTest, ReadOnlyDataFolderCreatesNothing) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the super-user";
  fs::permissions(Data(), fs::perms::owner_read | fs::perms::owner_exec);
  CommandPervasiveCreate_Click(run_, db_, kData);
  EXPECT_EQ(FileCount(), 0u);
  ASSERT_FALSE(ui_.messages.empty());
  EXPECT_EQ(ui_.messages.back().icon, MsgIcon::Warning);
}

TEST_F(DatabaseCommandEngineTest, RefusedCharactersCreateNothing) {
  CommandPervasiveCreate_Click(run_, db_, "C:\\TX_Data\\Da|ta\\");
  EXPECT_EQ(FileCount(), 0u);
  EXPECT_EQ(std::distance(fs::directory_iterator(Data().parent_path()), {}), 1);
  ASSERT_FALSE(ui_.messages.empty());
  EXPECT_EQ(ui_.messages.back().icon, MsgIcon::Warning);
  EXPECT_EQ(ui_.messages.back().text.rfind("Fichiers non créés:", 0), 0u);
}

TEST_F(DatabaseCommandEngineTest, LibraryThatIsNotAnEngine) {
  UseLibrary("libm.so.6");
  CommandPervasiveCreate_Click(run_, db_, kData);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].icon, MsgIcon::Critical);
  EXPECT_EQ(ui_.messages[0].text,
            "Moteur de base de données introuvable:\r\n\r\nlibm.so.6\r\n\r\nInstallez le moteur de "
            "base de données (Etape 4) puis recommencez l'opération.");
  EXPECT_EQ(FileCount(), 0u);
}

TEST_F(DatabaseCommandEngineTest, MissingLibrary) {
  UseLibrary((root_ / "no_such_engine.so").string());
  CommandPervasiveCreate_Click(run_, db_, kData);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_NE(ui_.messages[0].text.find("no_such_engine.so"), std::string::npos);
  EXPECT_EQ(FileCount(), 0u);
}

}  // namespace
}  // namespace tx3
