#include "database/database_command.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "common/error.h"
#include "database/builtin_engine.h"
#include "database/catalogue.h"
#include "database/create_buffer.h"
#include "database/database_state.h"
#include "support/fake_platform.h"
#include "support/fake_ui.h"
#include "support/use_platform.h"
#include "system/system_context.h"
#include "test_engine_access.h"

namespace tx3 {
namespace {

using testing::FakePlatform;
using testing::FakeUi;

constexpr const char* kData = "C:\\TX_Data\\Data\\";
constexpr const char* kLibrary = "/opt/engine/libbtrv.so";

// The 50 names in the data folder for base 1, written out.
std::vector<std::string> ExpectedNames() {
  const std::set<int> perBase = {5,  6,  7,  10, 17, 18, 20, 21, 22, 23, 24, 25, 26, 27, 28,
                                 29, 30, 31, 32, 33, 34, 35, 36, 40, 43, 44, 45, 47, 48, 49};
  std::vector<std::string> names;
  for (int i = 0; i < 50; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, perBase.count(i) ? "FRADA%02d.bt6" : "FRAD%03d.bt6", i);
    names.emplace_back(name);
  }
  return names;
}

std::string EngineForm(std::string_view windowsPath) {
  std::string mapped = "/engine/" + std::string(windowsPath);
  for (char& c : mapped) {
    if (c == '\\') c = '/';
  }
  return mapped;
}

std::string InUse(const std::string& path) {
  return "Fichier '" + path +
         "' en cours d'utilisation.\r\n\r\nVeuillez arrêter Tarvox, voire éteindre les "
         "postes.\r\n\r\nPuis recommencez l'opération.";
}

class DatabaseCommandTest : public ::testing::Test {
 protected:
  void SetUp() override { os_.AddFolder(kData); }

  // Serves the stand-in engine library through TX3_BTRIEVE_LIBRARY.
  void UseLibrary() {
    os_.environment["TX3_BTRIEVE_LIBRARY"] = kLibrary;
    os_.libraries[kLibrary] = {{"BTRCALL", library_.btrcall}};
  }

  std::vector<std::string> Keys() const {
    std::vector<std::string> keys;
    for (int i = 0; i < library_.CallCount(); ++i) keys.push_back(library_.Key(i));
    return keys;
  }

  FakePlatform os_;
  testing::UsePlatform guard_{os_};
  FakeUi ui_;
  SystemContext run_{&ui_};
  DatabaseState db_;
  testing::TestEngineAccess library_;
};

TEST_F(DatabaseCommandTest, BuiltInEngineCreatesTheFiftyFilesWithTheirBaseNames) {
  CommandPervasiveCreate_Click(run_, db_, kData);
  std::set<std::string> expected;
  for (const std::string& name : ExpectedNames()) expected.insert(EngineForm(kData + name));
  std::set<std::string> written;
  for (const auto& [path, bytes] : os_.engineFiles) written.insert(path);
  EXPECT_EQ(written, expected);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, "Fichiers créés à vide");
  EXPECT_EQ(ui_.messages[0].icon, MsgIcon::Information);
}

TEST_F(DatabaseCommandTest, FiftyCreatesInOrderWithTheExactBuffers) {
  UseLibrary();
  CommandPervasiveCreate_Click(run_, db_, kData);
  ASSERT_EQ(library_.CallCount(), 50);
  const std::vector<std::string> names = ExpectedNames();
  // The buffers expected, built apart from the run's own.
  RunContext check;
  DatabaseState expected;
  for (int i = 0; i < 50; ++i) {
    const TestEngineCall& call = library_.Call(i);
    const std::string key = EngineForm(kData + names[i]);
    EXPECT_EQ(call.operation, 14);
    EXPECT_EQ(std::string(call.positionBlock, 129), std::string(128, ' ') + '\0');
    EXPECT_EQ(call.dataLength, 160u);
    EXPECT_EQ(library_.Key(i), key);
    EXPECT_EQ(call.keyLength, key.size());
    EXPECT_EQ(call.keyNumber, 0);
    InitStructureFichierBTR(check, expected, static_cast<int16_t>(i));
    const CreateImage image = ToImage(expected.PbTBtrFileBuf);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), call.data)) << names[i];
  }
  EXPECT_EQ(ui_.MessageTexts(), std::vector<std::string>{"Fichiers créés à vide"});
}

TEST_F(DatabaseCommandTest, FolderWithoutBackslashGivesTheSamePaths) {
  UseLibrary();
  CommandPervasiveCreate_Click(run_, db_, "C:\\TX_Data\\Data");
  ASSERT_EQ(library_.CallCount(), 50);
  EXPECT_EQ(library_.Key(5), EngineForm("C:\\TX_Data\\Data\\FRADA05.bt6"));
}

TEST_F(DatabaseCommandTest, ExistingNonEmptyFilesAreSkippedEmptyOnesCreated) {
  UseLibrary();
  os_.AddFile(std::string(kData) + "FRAD000.bt6", 2048);
  os_.AddFile(std::string(kData) + "fradA05.BT6", 10);  // found whatever its case
  os_.AddFile(std::string(kData) + "FRAD001.bt6", 0);
  CommandPervasiveCreate_Click(run_, db_, kData);
  const std::vector<std::string> keys = Keys();
  ASSERT_EQ(keys.size(), 48u);
  EXPECT_EQ(keys[0], EngineForm(std::string(kData) + "FRAD001.bt6"));
  EXPECT_EQ(keys[3], EngineForm(std::string(kData) + "FRAD004.bt6"));
  EXPECT_EQ(keys[4], EngineForm(std::string(kData) + "FRADA06.bt6"));
  EXPECT_EQ(ui_.messages.size(), 1u);
}

TEST_F(DatabaseCommandTest, BuiltInStandInIsRecreatedByARealEngine) {
  UseLibrary();
  const std::string standIn = std::string(kData) + "FRAD002.bt6";
  const std::string foreign = std::string(kData) + "FRAD003.bt6";
  os_.AddFile(standIn, 512);
  os_.AddFile(foreign, 512);
  os_.engineFiles[EngineForm(standIn)] = std::string(kBuiltinSignature) + std::string(504, '\0');
  os_.engineFiles[EngineForm(foreign)] = std::string(512, 'F');
  CommandPervasiveCreate_Click(run_, db_, kData);
  const std::vector<std::string> keys = Keys();
  ASSERT_EQ(keys.size(), 49u);
  EXPECT_EQ(keys[2], EngineForm(standIn));
  EXPECT_EQ(keys[3], EngineForm(std::string(kData) + "FRAD004.bt6"));
}

TEST_F(DatabaseCommandTest, StandInCountsAsPresentForTheBuiltInEngine) {
  const std::string standIn = std::string(kData) + "FRAD002.bt6";
  os_.AddFile(standIn, 512);
  os_.engineFiles[EngineForm(standIn)] = "TX3BTRV1 old";
  CommandPervasiveCreate_Click(run_, db_, kData);
  EXPECT_EQ(os_.engineFiles.at(EngineForm(standIn)), "TX3BTRV1 old");
  EXPECT_EQ(os_.CallCount("ReadEngineFile"), 0);
}

TEST_F(DatabaseCommandTest, SecondAttemptEndsTheNameWithABlankAndKeepsTheLength) {
  UseLibrary();
  library_.SetStatuses({30, 0});
  CommandPervasiveCreate_Click(run_, db_, kData);
  ASSERT_EQ(library_.CallCount(), 51);
  const std::string key = EngineForm(std::string(kData) + "FRAD000.bt6");
  EXPECT_EQ(library_.Key(0), key);
  EXPECT_EQ(library_.Key(1), key + " ");
  EXPECT_EQ(library_.Call(1).keyLength, key.size());
  EXPECT_EQ(library_.Key(2), EngineForm(std::string(kData) + "FRAD001.bt6"));
  // Created at the second attempt: nothing to report, but the trace line is written.
  EXPECT_EQ(ui_.MessageTexts(), std::vector<std::string>{"Fichiers créés à vide"});
  EXPECT_TRUE(
      os_.LogContains("Err: Create File: C:\\TX_Data\\Data\\FRAD000.bt6 |PbSBtrPosBulk$: "
                      " |PbTBtrFileBuf.RecLen: 1000 |PbTBtrFileBuf.IndxCnt: 1 |BufferCle: " +
                      key + "  |LngCle: 27"))
      << os_.logLines.size() << ": " << (os_.logLines.empty() ? "" : os_.logLines.back());
}

TEST_F(DatabaseCommandTest, FileInUseIsReportedAndListed) {
  UseLibrary();
  library_.SetStatuses({0, 0, 0, 25, 25});
  CommandPervasiveCreate_Click(run_, db_, kData);
  EXPECT_EQ(library_.CallCount(), 51);
  const std::string path = std::string(kData) + "FRAD003.bt6";
  ASSERT_EQ(ui_.messages.size(), 2u);
  EXPECT_EQ(ui_.messages[0].text, InUse(path));
  EXPECT_EQ(ui_.messages[0].icon, MsgIcon::Critical);
  EXPECT_EQ(ui_.messages[1].text, "Fichiers non créés:\r\n\r\n" + path + " (statut 25)");
  EXPECT_EQ(ui_.messages[1].icon, MsgIcon::Warning);
}

TEST_F(DatabaseCommandTest, OtherStatusesAreListedWithTheFirstAttemptsStatus) {
  UseLibrary();
  // FRAD000: 46 then 25 (message, listed 46); FRAD001: 87 twice (listed, no message).
  library_.SetStatuses({46, 25, 87, 87});
  CommandPervasiveCreate_Click(run_, db_, kData);
  ASSERT_EQ(ui_.messages.size(), 2u);
  EXPECT_EQ(ui_.messages[0].text, InUse(std::string(kData) + "FRAD000.bt6"));
  EXPECT_EQ(ui_.messages[1].text, "Fichiers non créés:\r\n\r\n" + std::string(kData) +
                                      "FRAD000.bt6 (statut 46)\r\n" + std::string(kData) +
                                      "FRAD001.bt6 (statut 87)");
}

TEST_F(DatabaseCommandTest, EngineLeftoversGoBackToTheEngine) {
  UseLibrary();
  library_.SetScribble(true);
  CommandPervasiveCreate_Click(run_, db_, kData);
  ASSERT_EQ(library_.CallCount(), 50);
  EXPECT_EQ(library_.Call(0).data[6], 0);
  EXPECT_EQ(library_.Call(1).data[6], 0x5A);          // reserved bytes keep what the engine left
  EXPECT_EQ(library_.Call(1).positionBlock[0], ' ');  // the block is reset before each Create
  EXPECT_EQ(library_.Call(1).dataLength, 160u);
}

TEST_F(DatabaseCommandTest, MissingEngineLibraryStopsBeforeAnything) {
  os_.environment["TX3_BTRIEVE_LIBRARY"] = "/opt/nothing.so";
  CommandPervasiveCreate_Click(run_, db_, kData);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text,
            "Moteur de base de données introuvable:\r\n\r\n/opt/nothing.so\r\n\r\nInstallez le "
            "moteur de base de données (Etape 4) puis recommencez l'opération.");
  EXPECT_EQ(ui_.messages[0].icon, MsgIcon::Critical);
  EXPECT_EQ(os_.CallCount("FindFirst"), 0);
  EXPECT_TRUE(os_.engineFiles.empty());
}

TEST_F(DatabaseCommandTest, LibraryWithoutBtrcallIsNoEngine) {
  os_.environment["TX3_BTRIEVE_LIBRARY"] = kLibrary;
  os_.libraries[kLibrary] = {{"SomethingElse", library_.btrcall}};
  CommandPervasiveCreate_Click(run_, db_, kData);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_NE(ui_.messages[0].text.find(kLibrary), std::string::npos);
  EXPECT_EQ(library_.CallCount(), 0);
}

TEST_F(DatabaseCommandTest, UnwritableFolderWithTheBuiltInEngine) {
  os_.lockedEngineFiles.insert(EngineForm(std::string(kData) + "FRAD010.bt6"));
  os_.lockedEngineFiles.insert(EngineForm(std::string(kData) + "FRADA10.bt6"));
  CommandPervasiveCreate_Click(run_, db_, kData);
  const std::string path = std::string(kData) + "FRADA10.bt6";
  ASSERT_EQ(ui_.messages.size(), 2u);
  EXPECT_EQ(ui_.messages[0].text, InUse(path));
  EXPECT_EQ(ui_.messages[1].text, "Fichiers non créés:\r\n\r\n" + path + " (statut 25)");
  EXPECT_EQ(os_.engineFiles.size(), 49u);
}

}  // namespace
}  // namespace tx3
