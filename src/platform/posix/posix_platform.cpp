#include "platform/posix/posix_platform.h"

#include <fcntl.h>

#include <ctime>

#include <cstdlib>
#include <limits>
#include <utility>
#include <vector>

#include "platform/code_page.h"
#include "platform/posix/file_calls.h"
#include "platform/posix/host_files.h"
#include "platform/windows_path.h"

namespace tx3::platform::posix {

PosixPlatform::PosixPlatform() : drives_(DriveMap::FromEnvironment()) {}

PosixPlatform::PosixPlatform(DriveMap drives) : drives_(std::move(drives)) {}

int64_t PosixPlatform::LocalClockSeconds() {
  const time_t now = ::time(nullptr);
  tm local{};
  if (::localtime_r(&now, &local) == nullptr) return now;
  return static_cast<int64_t>(now) + local.tm_gmtoff;
}

// The ANSI code page of the emulated Windows is Windows-1252, as Wine's under a UTF-8 locale.
std::string PosixPlatform::Utf8ToAnsi(std::string_view utf8) {
  return Utf8ToWindows1252(utf8);
}

std::string PosixPlatform::AnsiToUtf8(std::string_view ansi) {
  return Windows1252ToUtf8(ansi);
}

bool PosixPlatform::ReadProductType(uint32_t /*major*/, uint32_t /*minor*/, uint32_t /*spMajor*/,
                                    uint32_t /*spMinor*/, uint32_t* productType) {
  *productType = 0x30;  // PRODUCT_PROFESSIONAL
  return true;
}

bool PosixPlatform::HasNativeSystemInfo() {
  return true;
}

int32_t PosixPlatform::SystemMetric(int32_t /*index*/) {
  return 0;
}

std::string PosixPlatform::WindowsDirectory() {
  return "C:\\windows";
}

std::string PosixPlatform::ExecutablePath() {
  return drives_.WindowsPathOf(OwnExecutable());
}

std::optional<std::string> PosixPlatform::GetEnv(std::string_view name) {
  const char* value = std::getenv(std::string(name).c_str());
  if (!value) return std::nullopt;
  return std::string(value);
}

// Resolving a Windows path finds each component in its stored case, one lookup per component:
// within a transaction a file's host path is resolved once.
std::string PosixPlatform::ProfileHostPath(std::string_view file) {
  if (transactions_.Active()) {
    const auto known = profileHostPaths_.find(std::string(file));
    if (known != profileHostPaths_.end()) return known->second;
  }
  const MappedPath mapped = drives_.Map(ProfileFilePath(WindowsDirectory(), file));
  std::string host = mapped.status == MapStatus::kOk ? mapped.host : std::string();
  if (transactions_.Active()) profileHostPaths_.emplace(file, host);
  return host;
}

// A file that cannot be mapped reads as missing: an empty host path never opens.
uint32_t PosixPlatform::ReadProfileString(std::string_view section, std::string_view key,
                                          std::string_view defaultValue, std::string* value,
                                          std::string_view file) {
  return profiles_.Read(ProfileHostPath(file), section, key, defaultValue, value);
}

// A failed write is retried by its caller after making the folder: the folder's components are
// then looked up again.
bool PosixPlatform::WriteProfileEntry(std::string_view section, std::string_view key,
                                      std::string_view value, std::string_view file) {
  const std::string host = ProfileHostPath(file);
  if (!host.empty() && profiles_.Write(host, section, key, value)) {
    transactions_.Named(host, file);
    return true;
  }
  profileHostPaths_.erase(std::string(file));
  return false;
}

void PosixPlatform::BeginProfileTransaction() {
  if (!transactions_.Active()) profileHostPaths_.clear();
  transactions_.Begin();
}

std::vector<ProfileFileChange> PosixPlatform::CommitProfileWrites() {
  return transactions_.Commit();
}

void PosixPlatform::EndProfileTransaction() {
  transactions_.End();
  if (transactions_.Active()) return;
  profileHostPaths_.clear();
  for (const std::string& folder : unsyncedEngineFolders_) SyncFileSystem(folder);
  unsyncedEngineFolders_.clear();
}

void PosixPlatform::SetProfileDryRun(bool dryRun) {
  transactions_.SetDryRun(dryRun);
}

// No engine library is installed with the system here: the built-in engine serves unless
// TX3_BTRIEVE_LIBRARY names one.
std::optional<std::string> PosixPlatform::DefaultEngineLibraryName() {
  return std::nullopt;
}

std::string PosixPlatform::EnginePath(std::string_view path) {
  const MappedPath mapped = drives_.Map(path);
  return mapped.status == MapStatus::kOk ? mapped.host : std::string();
}

// Host paths are UTF-8 bytes: the engine's text is the program's own.
std::string PosixPlatform::TextFromEngine(std::string_view engineText) {
  return std::string(engineText);
}

std::string PosixPlatform::WindowsPathFromHost(std::string_view hostPath) {
  return drives_.WindowsPathOf(hostPath);
}

std::string PosixPlatform::HostPathForDialog(std::string_view windowsPath) {
  const MappedPath mapped = drives_.Map(windowsPath);
  if (mapped.status != MapStatus::kOk || !IsHostDirectory(mapped.host)) return {};
  return mapped.host;
}

bool PosixPlatform::ReadNamedFile(std::string_view path, std::string* bytes) {
  const Descriptor file(sys::Open(std::string(path).c_str(), O_RDONLY | O_CLOEXEC));
  return file.valid() && ReadAll(file.get(), std::numeric_limits<size_t>::max(), bytes);
}

// Answer files and reports go through the profile engine's file operations, as on Windows: a
// replacement written and made durable before it takes the old file's name.
bool PosixPlatform::ReplaceNamedFile(std::string_view path, std::string_view bytes) {
  const std::string file(path);
  FileIdentity identity;
  if (!profileIo_.Replace(file, bytes, /*durable=*/true, &identity)) return false;
  profileIo_.Sync(profileIo_.FolderOf(file), /*folder=*/true);
  return true;
}

void PosixPlatform::AppendLog(std::string_view line) {
  log_.Append(line);
}

void PosixPlatform::OpenLog() {
  log_.Open();
}

}  // namespace tx3::platform::posix
