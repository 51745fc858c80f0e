// A whole installation with five stations and every folder on drive D:, held against the files
// an earlier build wrote for the same command line: every settings file byte for byte, every data
// file by size and FNV-1a hash (tests/e2e/reference/five_stations/).
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <map>
#include <sstream>
#include <string>

#include "program_run.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;
using tx3::e2e::ReadAll;

const fs::path kReference =
    fs::path(tx3::testing::SourceFolder()) / "tests/e2e/reference/five_stations";

uint64_t Fnv1a64(const std::string& bytes) {
  uint64_t hash = 0xcbf29ce484222325ULL;
  for (unsigned char byte : bytes) {
    hash ^= byte;
    hash *= 0x100000001b3ULL;
  }
  return hash;
}

// "name size hash" for every file of a folder, as data_files.txt lists them.
std::map<std::string, std::string> DataFileDigests(const fs::path& folder) {
  std::map<std::string, std::string> digests;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string bytes = ReadAll(entry.path());
    std::ostringstream digest;
    digest << bytes.size() << ' ' << std::hex << std::setw(16) << std::setfill('0')
           << Fnv1a64(bytes);
    digests[entry.path().filename().string()] = digest.str();
  }
  return digests;
}

std::map<std::string, std::string> ReferenceDigests() {
  std::map<std::string, std::string> digests;
  std::ifstream list(kReference / "data_files.txt");
  std::string name, size, hash;
  while (list >> name >> size >> hash) digests[name] = size + ' ' + hash;
  return digests;
}

class ReferenceRunTest : public tx3::e2e::E2eTest {};

TEST_F(ReferenceRunTest, FiveStationsOnDriveDWriteTheReferenceFiles) {
  fs::create_directories(drives_ / "d:");
  std::vector<std::string> args = {"--batch", "--radio", "Radio Été"};
  const char* stations[] = {"Un", "Deux", "Trois", "Quatre", "Cinq é"};
  for (int i = 0; i < 5; ++i) {
    args.insert(args.end(), {"--station", std::to_string(i + 1) + "=" + stations[i]});
  }
  for (int row = 0; row < 8; ++row) {
    const std::string folder = row == 1 ? "Config" : "R" + std::to_string(row);
    args.insert(args.end(), {"--folder", std::to_string(row) + "=D:\\Autre\\" + folder + "\\"});
  }
  args.insert(args.end(), {"--step", "1", "--step", "2", "--step", "3", "--create-database"});

  for (int pass = 1; pass <= 2; ++pass) {  // the second run finds everything done
    const tx3::e2e::ProgramRun run = Run(args);
    EXPECT_EQ(run.status, 0) << "pass " << pass << '\n' << run.out << run.err;
    EXPECT_EQ(run.out,
              "[information]\nDossiers créés\n\n[information]\nParamétrage créé ou MAJ\n\n"
              "[information]\nParamétrage créé ou MAJ\n\n[information]\nFichiers créés à vide\n\n");
    const fs::path base = drives_ / "d:/Autre";
    for (const char* file : {"BR_Mus.ini", "BR_Pub.ini", "Br_Sys.ini", "TX3_Systeme.ini"}) {
      EXPECT_EQ(ReadAll(base / "Config" / file), ReadAll(kReference / file)) << file;
    }
    EXPECT_EQ(ReadAll(base / "R0/Settings/TX3_Config.ini"), ReadAll(kReference / "TX3_Config.ini"));
    EXPECT_EQ(DataFileDigests(base / "R6"), ReferenceDigests());
  }
}

}  // namespace
