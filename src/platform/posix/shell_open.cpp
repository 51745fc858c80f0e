// ShellExecute on Linux: addresses and files are handed to xdg-open (or the program named by
// TX3_SHELL_OPENER), started with an argument vector, never through a shell.
#include <errno.h>
#include <spawn.h>
#include <sys/wait.h>

#include <system_error>
#include <thread>

#include "platform/name_match.h"
#include "platform/posix/host_files.h"
#include "platform/posix/posix_platform.h"

extern char** environ;

namespace tx3::platform::posix {
namespace {

constexpr intptr_t kHandedOver = 42;
constexpr intptr_t kFileNotFound = 2;
constexpr intptr_t kPathNotFound = 3;
constexpr intptr_t kNoAssociation = 31;

std::string OpenerProgram() {
  const std::string configured = EnvOrEmpty("TX3_SHELL_OPENER");
  return configured.empty() ? "xdg-open" : configured;
}

// True for an address the browser opens (http:// or https://, any case).
bool IsWebAddress(std::string_view text) {
  for (const std::string_view scheme : {"http://", "https://"}) {
    if (SameName(text.substr(0, scheme.size()), scheme)) return true;
  }
  return false;
}

// Starts `program` with `argument` and does not wait for it; a reaper collects it when it ends.
// False when the program cannot be started (not installed).
bool StartDetached(std::string program, std::string argument) {
  char* argv[] = {program.data(), argument.data(), nullptr};
  pid_t child = 0;
  if (::posix_spawnp(&child, program.c_str(), nullptr, nullptr, argv, environ) != 0) return false;
  // The browser may live long after the call; a waiting thread keeps it from staying a zombie.
  try {
    std::thread([child] {
      int status = 0;
      while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
      }
    }).detach();
  } catch (const std::system_error&) {
    ::waitpid(child, nullptr, WNOHANG);  // no thread to spare: reap it now if it already ended
  }
  return true;
}

}  // namespace

// The shell's answer: 42 when handed over, 2 file not found, 3 path not found (or missing drive),
// 31 no association (no opener installed). Parameters, working folder and show command have no
// meaning for a document handed to the desktop's opener; every caller opens an address or a
// document.
intptr_t PosixPlatform::OpenInShell(std::string_view /*operation*/, std::string_view file,
                                    const std::optional<std::string>& /*parameters*/,
                                    const std::optional<std::string>& /*folder*/,
                                    int32_t /*showCommand*/) {
  std::string target(file);
  if (!IsWebAddress(file)) {
    const MappedPath mapped = drives_.Map(file);
    if (mapped.status == MapStatus::kNoDrive) return kPathNotFound;
    if (mapped.status == MapStatus::kRefused) return kFileNotFound;
    if (!HostEntryExists(mapped.host)) {
      return IsHostDirectory(HostParent(mapped.host)) ? kFileNotFound : kPathNotFound;
    }
    target = mapped.host;
  }
  return StartDetached(OpenerProgram(), target) ? kHandedOver : kNoAssociation;
}

}  // namespace tx3::platform::posix
