// tx3_setup --batch --dry-run through the real program: what it tells on a new drive folder is
// what a real run then does, it writes nothing, and on a finished workstation it says so in one
// line.
#include <gmock/gmock.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "program_run.h"

namespace {

namespace fs = std::filesystem;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;
using Outcome = tx3::e2e::ProgramRun;
using tx3::e2e::ReadAll;

struct EntryState {
  bool folder = false;
  std::string bytes;
  ino_t inode = 0;
  int64_t mtimeNs = 0;
  bool operator==(const EntryState&) const = default;
};

const std::vector<std::string> kInstall = {"--step", "1", "--step",           "2",
                                           "--step", "3", "--create-database"};

class DryRunE2eTest : public tx3::e2e::E2eTest {
 protected:
  // Every entry of the run's folders but the reports', with what would show a rewrite.
  std::map<std::string, EntryState> Snapshot() const {
    std::map<std::string, EntryState> entries;
    for (const auto& entry : fs::recursive_directory_iterator(root_)) {
      const fs::path parent = entry.path().parent_path();
      if (entry.path() == Reports() || parent == Reports()) continue;
      if (parent == root_ && entry.is_regular_file()) continue;  // the program's output
      struct stat st {};
      lstat(entry.path().c_str(), &st);
      entries[entry.path().string()] = EntryState{
          S_ISDIR(st.st_mode), S_ISREG(st.st_mode) ? ReadAll(entry.path()) : "", st.st_ino,
          static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
    }
    return entries;
  }

  fs::path Reports() const { return root_ / "reports"; }

  // A run with its report, which a dry run writes too.
  Outcome RunWithReport(std::vector<std::string> args, const std::string& name,
                        nlohmann::json* report) const {
    const fs::path file = Reports() / (name + ".json");
    args.insert(args.begin(), {"--batch", "--report", file.string()});
    const Outcome outcome = Run(args);
    *report = nlohmann::json::parse(ReadAll(file), nullptr, false);
    return outcome;
  }

  // What the actions of a report changed, without what only a real run knows.
  static nlohmann::json Changes(nlohmann::json report) {
    for (auto& action : report["actions"]) {
      action.erase("messages");
      for (auto& file : action["settingsFiles"]) file.erase("written");
    }
    return report["actions"];
  }
};

TEST_F(DryRunE2eTest, TellsWhatANewInstallationWouldGetAndWritesNothing) {
  fs::create_directories(root_ / "log");
  fs::create_directories(Reports());
  const auto before = Snapshot();
  std::vector<std::string> dryArgs = kInstall;
  dryArgs.push_back("--dry-run");
  nlohmann::json dryReport;
  const Outcome dry = RunWithReport(dryArgs, "new", &dryReport);
  EXPECT_EQ(dry.status, 3) << dry.out << dry.err;
  EXPECT_EQ(dry.err, "");
  EXPECT_EQ(Snapshot(), before);  // no folder, settings file, data file or log line

  // The actions' information messages are not printed; every action has its block.
  EXPECT_THAT(dry.out, Not(HasSubstr("[information]")));
  EXPECT_THAT(dry.out, HasSubstr("[dry-run] step 1\nDossiers à créer : 13\n  C:\\Brennic\\\n"));
  const std::string config = "  C:\\Brennic\\Tarvox\\Config\\";
  EXPECT_THAT(
      dry.out,
      HasSubstr("\n\n[dry-run] step 2\nDossiers à créer : 1\n"
                "  C:\\Brennic\\Tarvox\\Settings\\\nFichiers de paramètres à écrire : 1\n"
                "  C:\\Brennic\\Tarvox\\Settings\\TX3_Config.ini (clés ajoutées : 6, "
                "modifiées : 0)\n\n[dry-run] step 3\nFichiers de paramètres à écrire : 4\n" +
                config + "Br_Sys.ini (clés ajoutées : 85, modifiées : 0)\n" + config +
                "TX3_Systeme.ini (clés ajoutées : 24, modifiées : 0)\n" + config +
                "BR_Mus.ini (clés ajoutées : 333, modifiées : 0)\n" + config +
                "BR_Pub.ini (clés ajoutées : 390, modifiées : 0)\n\n"
                "[dry-run] create-database\nFichiers de données à créer : 50\n"
                "  C:\\TX_Data\\Data\\FRAD000.bt6\n"));
  EXPECT_THAT(dry.out, EndsWith("  C:\\TX_Data\\Data\\FRADA49.bt6\n\n"
                                "[dry-run] total\nDossiers à créer : 14\n"
                                "Fichiers de paramètres à écrire : 5 (clés ajoutées : 838, "
                                "modifiées : 0)\nFichiers de données à créer : 50\n\n"));

  // A real run does what the dry run told, and then there is nothing left to change.
  nlohmann::json realReport;
  const Outcome real = RunWithReport(kInstall, "real", &realReport);
  EXPECT_EQ(real.status, 0) << real.out << real.err;
  ASSERT_FALSE(dryReport.is_discarded());
  ASSERT_FALSE(realReport.is_discarded());
  EXPECT_EQ(Changes(dryReport), Changes(realReport));
  EXPECT_EQ(realReport["totals"]["folders"], 14);

  const auto installed = Snapshot();
  dryArgs.insert(dryArgs.begin(), "--batch");
  const Outcome again = Run(dryArgs);
  EXPECT_EQ(again.status, 0) << again.out << again.err;
  EXPECT_EQ(again.out, "Rien à changer : le poste est à jour.\n");
  EXPECT_EQ(Snapshot(), installed);
}

// A dry run on a finished workstation: each key with --verbose, warnings as usual (status 4 when
// nothing would change), and a warning alone does not say the workstation is up to date.
TEST_F(DryRunE2eTest, KeysWithVerboseAndWarningsAsUsual) {
  ASSERT_EQ(Run({"--batch", "--step", "1", "--step", "2"}).status, 0);
  const auto installed = Snapshot();
  struct {
    std::vector<std::string> args;
    int status;
    std::string output;  // a part of standard output
  } const cases[] = {
      {{"--radio", "Radio Nord", "--step", "2", "--verbose"},
       3,
       "TX3_Config.ini (clés ajoutées : 0, modifiées : 1)\n"
       "    - [Site] Lib=Nom de votre Radio\n"
       "    + [Site] Lib=Radio Nord\n\n"},
      {{"--radio", "Radio Nord", "--step", "2"}, 3, "(clés ajoutées : 0, modifiées : 1)\n\n"},
      {{"--create-folder", "2", "--step", "2"},
       4,
       "[warning]\nLe dossier existe déjà:\n\nC:\\Kalvet\\\n\n"
       "Rien à changer, mais la simulation a rencontré des problèmes (voir ci-dessus).\n"},
      {{"--folder", "2=C:\\Logs\\", "--create-folder", "2", "--step", "4"},
       3,
       "[dry-run] create-folder 2\nDossiers à créer : 1\n  C:\\Logs\\\n\n"
       "[dry-run] step 4\nRien à changer.\n\n"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"--batch", "--dry-run"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Outcome r = Run(args);
    EXPECT_EQ(r.status, c.status) << c.args[1] << r.out << r.err;
    EXPECT_THAT(r.out, HasSubstr(c.output)) << c.args[1];
    EXPECT_EQ(Snapshot(), installed) << c.args[1];
  }
}

}  // namespace
