// Helper process of the profile engine's crash and concurrency tests.
//   profile_writer cycle <file> <generation>  writes k00..k19 = "<generation>.<n>" round and
//                                             round, says "w" on stdout after the first write,
//                                             and goes on until it is killed
//   profile_writer keys <file> <prefix> <n>   writes <prefix>0..<prefix>n-1 = their number
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/posix/profile_store.h"

namespace {

std::string KeyName(int index) {
  return std::string(index < 10 ? "k0" : "k") + std::to_string(index);
}

int Cycle(const std::string& file, const std::string& generation) {
  for (long n = 0;; ++n) {
    const int index = static_cast<int>(n % 20);
    if (!tx3::platform::posix::SystemProfiles().Write(file, "S", KeyName(index),
                                                      generation + "." + std::to_string(n))) {
      return 2;
    }
    if (n == 0 && ::write(STDOUT_FILENO, "w", 1) != 1) return 3;
  }
}

int Keys(const std::string& file, const std::string& prefix, int count) {
  for (int i = 0; i < count; ++i) {
    if (!tx3::platform::posix::SystemProfiles().Write(file, "S", prefix + std::to_string(i),
                                                      std::to_string(i))) {
      return 2;
    }
  }
  tx3::platform::posix::SystemProfiles().Flush();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "cycle" && argc == 4) return Cycle(argv[2], argv[3]);
  if (mode == "keys" && argc == 5) return Keys(argv[2], argv[3], std::atoi(argv[4]));
  std::fprintf(stderr, "usage: profile_writer cycle FILE GEN | keys FILE PREFIX N\n");
  return 1;
}
