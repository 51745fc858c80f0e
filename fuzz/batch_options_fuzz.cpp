// Any bytes as a batch command line (arguments split at NUL bytes) and as the content of an
// answer file: never a crash, and a refusal is one non-empty line; an answer file's refusal names
// the file and the line.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/batch/answer_file.h"
#include "app/batch/batch_options.h"

namespace {

// Says which property failed, so that a reproducer explains itself.
void Require(bool condition, const char* property, std::string_view error) {
  if (condition) return;
  std::fprintf(stderr, "batch_options_fuzz: %s\nerror: [%.*s]\n", property,
               static_cast<int>(error.size()), error.data());
  std::abort();
}

void Require(bool condition) {
  if (!condition) std::abort();
}

std::vector<std::string> Arguments(std::string_view bytes) {
  std::vector<std::string> args;
  size_t start = 0;
  while (start <= bytes.size()) {
    size_t end = bytes.find('\0', start);
    if (end == std::string_view::npos) end = bytes.size();
    args.emplace_back(bytes.substr(start, end - start));
    start = end + 1;
  }
  return args;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // "--answers FILE" reads a host file relative to the current folder, and the platform may make
  // its drives folder: both go to an empty folder of our own, never to the user's.
  char pattern[] = "/tmp/tx3_batch_options_fuzz.XXXXXX";
  Require(::mkdtemp(pattern) != nullptr);
  const std::string folder(pattern);
  std::filesystem::create_directories(folder + "/drives/c:");
  Require(::setenv("TX3_DRIVES", (folder + "/drives").c_str(), 1) == 0);
  Require(::chdir(folder.c_str()) == 0);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  const tx3::ParsedCommandLine line = tx3::ParseBatchOptions(Arguments(bytes));
  if (!line.ok) {
    Require(!line.error.empty(), "command line refused without a message", line.error);
    Require(line.error.find('\n') == std::string::npos, "command line refusal is not one line",
            line.error);
  }

  constexpr std::string_view kName = "poste.ini";
  const tx3::ParsedAnswerFile file = tx3::ParseAnswerFile(kName, bytes);
  if (!file.ok) {
    // "poste.ini:LINE: ..." on one line.
    const std::string& error = file.error;
    Require(error.find('\n') == std::string::npos, "answer file refusal is not one line", error);
    Require(error.starts_with(std::string(kName) + ":"), "answer file refusal without the file",
            error);
    size_t i = kName.size() + 1;
    Require(i < error.size() && IsDigit(error[i]) && error[i] != '0',
            "answer file refusal without the line", error);
    while (i < error.size() && IsDigit(error[i])) ++i;
    Require(i < error.size() && error[i] == ':', "answer file refusal without the line", error);
  }
  return 0;
}
