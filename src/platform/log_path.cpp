#include "platform/log_path.h"

#include <algorithm>
#include <iostream>
#include <mutex>
#include <utility>

#include "platform/name_match.h"
#include "platform/windows_path.h"

namespace tx3::platform {
namespace {

struct LogSettings {
  std::mutex mutex;
  std::string named;
  LogSettingsScope::Sink sink;
  bool reported = false;
};

LogSettings& Settings() {
  static LogSettings settings;
  return settings;
}

// Whether one folder of `path` is named `name` (case-insensitive).
bool HasFolderNamed(std::string_view path, std::string_view name) {
  for (size_t start = 0; start <= path.size();) {
    const size_t end = std::min(path.find_first_of("\\/", start), path.size());
    if (SameName(path.substr(start, end - start), name)) return true;
    start = end + 1;
  }
  return false;
}

std::string WithoutClosingSeparator(std::string_view folder) {
  while (!folder.empty() && IsSeparator(folder.back())) folder.remove_suffix(1);
  return std::string(folder);
}

bool IsOwnProfileFolder(const std::optional<std::string>& localAppData) {
  return localAppData && !localAppData->empty() && !HasFolderNamed(*localAppData, "systemprofile");
}

}  // namespace

std::string ChooseLogPath(std::string_view named, std::string_view configured,
                          std::string_view fallback) {
  if (!named.empty()) return std::string(named);
  if (!configured.empty()) return std::string(configured);
  return std::string(fallback);
}

std::string PosixDefaultLogPath(std::string_view stateHome, std::string_view home) {
  std::string state(stateHome);
  if (state.empty() || state[0] != '/') state = std::string(home) + "/.local/state";
  return state + "/tx3-setup/TX3_Setup.log";
}

std::string WindowsDefaultLogPath(const std::optional<std::string>& localAppData,
                                  std::string_view programData) {
  if (IsOwnProfileFolder(localAppData)) {
    return WithoutClosingSeparator(*localAppData) + "\\TX3_Setup\\TX3_Setup.log";
  }
  if (programData.empty()) return {};
  return WithoutClosingSeparator(programData) + "\\Tarvox\\TX3_Setup\\Logs\\TX3_Setup.log";
}

std::string LogUnavailableText(std::string_view path) {
  if (path.empty()) {
    return "tx3_setup: aucun journal : aucun dossier n'est connu pour le journal (--log FICHIER "
           "en désigne un)";
  }
  return "tx3_setup: le journal ne peut pas être ouvert : " + std::string(path) +
         " (cette exécution n'est pas journalisée)";
}

LogSettingsScope::LogSettingsScope(std::string named, Sink sink) {
  LogSettings& settings = Settings();
  const std::lock_guard<std::mutex> lock(settings.mutex);
  previousNamed_ = std::exchange(settings.named, std::move(named));
  previousSink_ = std::exchange(settings.sink, std::move(sink));
  previousReported_ = std::exchange(settings.reported, false);
}

LogSettingsScope::~LogSettingsScope() {
  LogSettings& settings = Settings();
  const std::lock_guard<std::mutex> lock(settings.mutex);
  settings.named = std::move(previousNamed_);
  settings.sink = std::move(previousSink_);
  settings.reported = previousReported_;
}

std::string NamedLogFile() {
  LogSettings& settings = Settings();
  const std::lock_guard<std::mutex> lock(settings.mutex);
  return settings.named;
}

void ReportLogUnavailable(std::string_view path) {
  LogSettings& settings = Settings();
  const std::lock_guard<std::mutex> lock(settings.mutex);
  if (settings.reported) return;
  settings.reported = true;
  const std::string line = LogUnavailableText(path);
  if (settings.sink) {
    settings.sink(line);
  } else {
    std::cerr << line << '\n' << std::flush;
  }
}

}  // namespace tx3::platform
