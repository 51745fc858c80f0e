// The database button through the real program: tx3_setup --batch --create-database on a
// temporary set of emulated drives.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "program_run.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;

using Outcome = tx3::e2e::ProgramRun;
using ::testing::HasSubstr;
using ::testing::Not;
using tx3::e2e::ReadAll;

size_t Lines(const std::string& text) {
  return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

class DatabaseE2eTest : public tx3::e2e::E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    fs::create_directories(Data());
  }

  fs::path Data() const { return C("TX_Data/Data"); }

  Outcome CreateDatabase(const std::vector<std::string>& extra = {}) const {
    return Run({"--batch", "--folder", "6=C:\\TX_Data\\Data\\", "--create-database"}, extra);
  }

  std::vector<std::string> DataNames() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(Data())) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
};

constexpr const char* kInformation = "[information]\nFichiers créés à vide\n\n";

TEST_F(DatabaseE2eTest, BuiltInEngineCreatesTheFiftyFilesOnce) {
  const Outcome first = CreateDatabase();
  EXPECT_EQ(first.status, 0) << first.out;
  EXPECT_THAT(first.out, HasSubstr(kInformation));
  const std::vector<std::string> names = DataNames();
  ASSERT_EQ(names.size(), 50u);
  EXPECT_EQ(names.front(), "FRAD000.bt6");
  EXPECT_NE(std::find(names.begin(), names.end(), "FRADA05.bt6"), names.end());
  EXPECT_NE(std::find(names.begin(), names.end(), "FRAD046.bt6"), names.end());
  EXPECT_EQ(fs::file_size(Data() / "FRADA47.bt6"), 4096u);

  std::vector<fs::file_time_type> times;
  for (const std::string& name : names) times.push_back(fs::last_write_time(Data() / name));
  const Outcome second = CreateDatabase();
  EXPECT_EQ(second.status, 0) << second.out;
  EXPECT_THAT(second.out, HasSubstr(kInformation));
  for (size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ(fs::last_write_time(Data() / names[i]), times[i]) << names[i];
  }
}

TEST_F(DatabaseE2eTest, ZeroSizeFileIsCreatedAgainForeignFileKept) {
  ASSERT_EQ(CreateDatabase().status, 0);
  std::ofstream(Data() / "FRAD002.bt6", std::ios::trunc).close();
  std::ofstream(Data() / "FRAD003.bt6", std::ios::trunc) << "foreign";
  const Outcome outcome = CreateDatabase();
  EXPECT_EQ(outcome.status, 0) << outcome.out;
  EXPECT_EQ(fs::file_size(Data() / "FRAD002.bt6"), 512u);
  EXPECT_EQ(ReadAll(Data() / "FRAD003.bt6"), "foreign");
}

TEST_F(DatabaseE2eTest, LockedFileIsReported) {
  std::ofstream(Data() / "FRADA10.bt6").close();
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t holder = ::fork();
  if (holder == 0) {
    const int fd = ::open((Data() / "FRADA10.bt6").c_str(), O_RDWR);
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    ::flock(fd, LOCK_EX);
    ::fcntl(fd, F_SETLK, &lock);
    char c = 1;
    (void)!::write(ready[1], &c, 1);
    ::pause();
    ::_exit(0);
  }
  char c = 0;
  ASSERT_EQ(::read(ready[0], &c, 1), 1);
  const Outcome outcome = CreateDatabase();
  ::kill(holder, SIGKILL);
  ::waitpid(holder, nullptr, 0);
  ::close(ready[0]);
  ::close(ready[1]);

  EXPECT_EQ(outcome.status, 1);
  EXPECT_THAT(outcome.out,
              HasSubstr("[critical]\nFichier 'C:\\TX_Data\\Data\\FRADA10.bt6' en cours "
                        "d'utilisation.\n\nVeuillez arrêter Tarvox, voire éteindre les "
                        "postes.\n\nPuis recommencez l'opération.\n\n"));
  EXPECT_THAT(outcome.out,
              HasSubstr("[warning]\nFichiers non créés:\n\nC:\\TX_Data\\Data\\FRADA10.bt6 "
                        "(statut 25)\n\n"));
  EXPECT_EQ(fs::file_size(Data() / "FRADA10.bt6"), 0u);
  EXPECT_EQ(DataNames().size(), 50u);
}

TEST_F(DatabaseE2eTest, EngineLibraryReceivesEveryCreate) {
  const fs::path log = root_ / "engine.log";
  const Outcome outcome =
      CreateDatabase({std::string("TX3_BTRIEVE_LIBRARY=") + tx3::testing::TestEngineLibrary(),
                      "TX3_TEST_ENGINE_LOG=" + log.string()});
  EXPECT_EQ(outcome.status, 0) << outcome.out;
  const std::string calls = ReadAll(log);
  ASSERT_EQ(Lines(calls), 50u) << calls;
  const std::string first = Data().string() + "/FRAD000.bt6";
  EXPECT_EQ(calls.substr(0, calls.find('\n')),
            "14|0|" + std::to_string(first.size()) + "|" + first);
  EXPECT_THAT(calls, HasSubstr("|" + Data().string() + "/FRADA49.bt6\n"));
  EXPECT_TRUE(DataNames().empty());  // the stand-in engine writes nothing
}

TEST_F(DatabaseE2eTest, FailingEngineIsReportedWithItsStatus) {
  const fs::path log = root_ / "engine.log";
  const Outcome outcome =
      CreateDatabase({std::string("TX3_BTRIEVE_LIBRARY=") + tx3::testing::TestEngineLibrary(),
                      "TX3_TEST_ENGINE_LOG=" + log.string(), "TX3_TEST_ENGINE_STATUS=46"});
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(Lines(ReadAll(log)), 100u);  // two attempts each
  EXPECT_THAT(outcome.out,
              HasSubstr("[warning]\nFichiers non créés:\n\nC:\\TX_Data\\Data\\FRAD000.bt6 "
                        "(statut 46)\nC:\\TX_Data\\Data\\FRAD001.bt6 (statut 46)\n"));
  EXPECT_THAT(outcome.out, Not(HasSubstr("[critical]")));
}

TEST_F(DatabaseE2eTest, LibraryThatIsNotAnEngine) {
  const Outcome outcome = CreateDatabase({"TX3_BTRIEVE_LIBRARY=libm.so.6"});
  EXPECT_EQ(outcome.status, 1);
  EXPECT_THAT(outcome.out,
              HasSubstr("[critical]\nMoteur de base de données introuvable:\n\nlibm.so.6\n\n"
                        "Installez le moteur de base de données (Etape 4) puis recommencez "
                        "l'opération.\n\n"));
  EXPECT_TRUE(DataNames().empty());
}

}  // namespace
