// Hostile field values through the batch front end, on a finished installation: each one gets
// its French message or is refused, status 1 (2 for a malformed command line), no crash, nothing
// created outside the drive folder, nothing already written lost.
#include <gmock/gmock.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "program_run.h"

namespace {

namespace fs = std::filesystem;
using tx3::e2e::ReadAll;

std::string Message(const std::string& level, const std::string& text) {
  return "[" + level + "]\n" + text + "\n\n";
}
std::string NotCreated(const std::string& listed) {
  return Message("warning", "Dossiers non créés:\n\n" + listed);
}
const std::string kConfig = "C:\\Brennic\\Tarvox\\Config\\";
const std::string kSettingsDone = Message("information", "Paramétrage créé ou MAJ");

struct Row {
  const char* name;
  std::vector<std::string> args;
  int status;
  std::string out;
  bool writes = false;         // settings files may change
  std::string configIni = "";  // what TX3_Config.ini holds afterwards
};

void PrintTo(const Row& row, std::ostream* os) {
  *os << row.name;
}

std::vector<Row> Rows() {
  const std::string longName = "C:\\" + std::string(10000, 'a');
  const std::string longRadio(10000, 'r');
  const std::string outside1252 = "C:\\Brennic\\Tarvøx€ł中😀\\Config\\";
  std::vector<Row> rows = {
      {"LongFolder", {"--folder", "7=" + longName, "--step", "1"}, 1, NotCreated(longName)},
      {"LongRadio",
       {"--radio", longRadio, "--step", "2"},
       0,
       kSettingsDone,
       true,
       "Lib=" + longRadio + "\r\n"},
      {"LineBreaksInRadio",
       {"--radio", "Radio\r\n[Site]\r\nDossier_Config_Global=C:\\evil\\", "--step", "2"},
       1,
       Message("warning",
               "Paramètres non écrits:\n\nC:\\Brennic\\Tarvox\\Settings\\"
               "TX3_Config.ini (1 clés)")},
      {"LineBreakInStation",
       {"--station", "2=Matin\r\n[Stations]", "--step", "3"},
       1,
       Message("warning", "Paramètres non écrits:\n\n" + kConfig + "Br_Sys.ini (1 clés)\n" +
                              kConfig + "TX3_Systeme.ini (1 clés)"),
       true},
      {"OtherControlCharactersInRadio",
       {"--radio", "R\tad\x01io\x7f", "--step", "2"},
       0,
       kSettingsDone,
       true,
       "Lib=R\tad\x01io\x7f\r\n"},
      {"Outside1252InRadio",
       {"--radio", "Radio €ł中😀", "--step", "2"},
       0,
       kSettingsDone,
       true,
       "Lib=Radio \x80???\r\n"},
      {"Outside1252InConfigFolder",
       {"--folder", "1=" + outside1252, "--step", "1", "--step", "2"},
       1,
       NotCreated(outside1252) +
           Message("critical", "Dossier de config non trouvé:\n\n" + outside1252)},
      {"LineBreakInFolder",
       {"--folder", "7=C:\\Re\r\ndist", "--step", "1"},
       1,
       NotCreated("C:\\Re??dist")},
      {"ParentsBeyondTheRoot",
       {"--folder", "7=C:\\..\\..", "--step", "1"},
       0,
       Message("information", "Dossiers créés")},
      {"DoubledSeparators",
       {"--folder", "7=C:\\\\Brennic\\\\\\Tarvox", "--step", "1"},
       0,
       Message("information", "Dossiers créés")},
      {"UncApplicationFolder",
       {"--folder", "0=\\\\nosuchserver\\share\\x\\", "--step", "2"},
       1,
       Message("warning",
               "Paramètres non écrits:\n\n\\\\nosuchserver\\share\\x\\Settings\\"
               "TX3_Config.ini (6 clés)")},
      {"MalformedCommandLine", {"--folder", "8=C:\\x", "--step", "1"}, 2, ""},
  };
  for (const char* refused : {"C:\\Brennic\\..\\..\\..\\etc", "C:\\CON", "C:\\TX_Data\\NUL\\",
                              "C:\\COM1.txt", "C:\\LPT1\\x", "C:\\Sons.", "C:\\a \\b", "Q:\\TX3",
                              "\\\\nosuchserver\\share\\x", "C:\\Ta\tb", "C:\\Ctl\x01"}) {
    std::string listed = refused;
    for (char& c : listed) c = c == '\x01' ? '?' : c;  // a tab breaks no line
    rows.push_back({"RefusedFolder",
                    {"--folder", std::string("7=") + refused, "--step", "1"},
                    1,
                    NotCreated(listed)});
  }
  return rows;
}

class BadInputE2eTest : public tx3::e2e::E2eTest, public ::testing::WithParamInterface<Row> {
 protected:
  std::map<fs::path, std::string> FilesUnderDrives() const {
    std::map<fs::path, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(drives_)) {
      files[entry.path()] = entry.is_regular_file() ? ReadAll(entry.path()) : "";
    }
    return files;
  }
};

TEST_P(BadInputE2eTest, IsRefusedOrToldWithoutHarm) {
  const Row& row = GetParam();
  ASSERT_EQ(Run({"--batch", "--step", "1", "--step", "2", "--step", "3"}).status, 0);
  const auto before = FilesUnderDrives();

  std::vector<std::string> args = {"--batch"};
  args.insert(args.end(), row.args.begin(), row.args.end());
  const tx3::e2e::ProgramRun run = Run(args);
  EXPECT_EQ(run.status, row.status) << run.err;
  EXPECT_EQ(run.out, row.out);
  // Standard error is for command-line refusals, and for the sanitizers' reports.
  if (row.status != 2) {
    EXPECT_EQ(run.err, "");
  }
  for (const auto& entry : fs::directory_iterator(root_)) {
    EXPECT_THAT(entry.path().filename().string(),
                ::testing::AnyOf("drives", "log", "stdout.txt", "stderr.txt"));
  }
  const auto after = FilesUnderDrives();
  for (const auto& [path, bytes] : before) {
    ASSERT_TRUE(after.contains(path)) << path;
    if (!row.writes) {
      EXPECT_EQ(after.at(path), bytes) << path;
    }
  }
  if (!row.configIni.empty()) {
    EXPECT_THAT(ReadAll(C("Brennic/Tarvox/Settings/TX3_Config.ini")),
                ::testing::HasSubstr(row.configIni));
  }
}

INSTANTIATE_TEST_SUITE_P(Table, BadInputE2eTest, ::testing::ValuesIn(Rows()),
                         [](const ::testing::TestParamInfo<Row>& info) {
                           return std::string(info.param.name) + std::to_string(info.index);
                         });

}  // namespace
