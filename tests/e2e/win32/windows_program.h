// Runs the real tx3_setup.com for the Windows end-to-end tests: it stands beside the test
// program, is started with CreateProcessW and its output read through pipes.
#pragma once

#include <string>
#include <vector>

namespace tx3::e2e {

struct ProgramRun {
  int status = -1;  // exit status; -1 when it could not start
  std::string out;  // standard output, CR LF turned into LF
  std::string err;
};

// Runs tx3_setup.com with `args` (UTF-8). `environment` entries "NAME=value" are set for the run
// only ("NAME=" removes NAME).
ProgramRun RunSetup(const std::vector<std::string>& args,
                    const std::vector<std::string>& environment = {});

// The folder of the test program (where the programs and the test engine are built).
std::string ProgramFolder();

std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);
// Removes a folder and everything in it; no error when it does not exist.
void RemoveTree(const std::string& path);

}  // namespace tx3::e2e
